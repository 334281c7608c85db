// The Active Desktop check: whether the shell's Active Desktop object can be
// created now.
#include "installer.h"

namespace {
const CLSID kClsidActiveDesktop = {0x75048700, 0xEF1F, 0x11D0, {0x98, 0x88, 0x00, 0x60, 0x97, 0xDE, 0xAC, 0xF9}};
const IID kIidActiveDesktop = {0xF490EB00, 0x1240, 0x11D1, {0x98, 0x88, 0x00, 0x60, 0x97, 0xDE, 0xAC, 0xF9}};
constexpr DWORD kContext = CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER;
}  // namespace

BOOL CInstaller::IsActiveDesktopAvailable() {
  IUnknown* desktop = nullptr;
  HRESULT hr =
      ::CoCreateInstance(kClsidActiveDesktop, nullptr, kContext, kIidActiveDesktop, reinterpret_cast<void**>(&desktop));
  if (SUCCEEDED(hr) && desktop) desktop->Release();
  return hr == S_OK;
}
