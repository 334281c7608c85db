// The Active Desktop check: whether the shell's Active Desktop object can be
// created now.
#include "installer.h"

namespace {
constexpr DWORD kContext = CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER;
}  // namespace

BOOL CInstaller::IsActiveDesktopAvailable() {
  IUnknown* desktop = nullptr;
  HRESULT hr = ::CoCreateInstance(CLSID_ActiveDesktop, nullptr, kContext, IID_IActiveDesktop,
                                  reinterpret_cast<void**>(&desktop));
  if (SUCCEEDED(hr) && desktop) desktop->Release();
  return hr == S_OK;
}
