// Native stand-ins for COM: the initialisation depth, the class and
// interface ids the program uses, and CoCreateInstance over one table of
// the classes the stand-ins serve.
#include "internal.h"
#include "lumistandin.h"
#include "lumiwin.h"

const CLSID CLSID_ShellLink = {0x00021401, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const CLSID CLSID_ActiveDesktop = {0x75048700, 0xEF1F, 0x11D0, {0x98, 0x88, 0x00, 0x60, 0x97, 0xDE, 0xAC, 0xF9}};
const IID IID_IUnknown = {0x00000000, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID IID_IShellLinkA = {0x000214EE, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID IID_IPersistFile = {0x0000010B, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID IID_IPersistStream = {0x00000109, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID IID_IActiveDesktop = {0xF490EB00, 0x1240, 0x11D1, {0x98, 0x88, 0x00, 0x60, 0x97, 0xDE, 0xAC, 0xF9}};

namespace {

int g_oleDepth = 0;

// The classes served, all in-process and none aggregatable.
const struct {
  const CLSID& clsid;
  HRESULT (*create)(REFIID riid, void** ppv);
} kClasses[] = {
    {CLSID_ShellLink, LumiCreateShellLink},
    {CLSID_ActiveDesktop, LumiCreateActiveDesktop},
};

}  // namespace

int LumiOleDepth() { return g_oleDepth; }

HRESULT WINAPI OleInitialize(LPVOID) { return g_oleDepth++ == 0 ? S_OK : S_FALSE; }

void WINAPI OleUninitialize(void) {
  if (g_oleDepth > 0) --g_oleDepth;
}

HRESULT WINAPI CoCreateInstance(REFCLSID clsid, IUnknown* outer, DWORD context, REFIID riid, void** ppv) {
  if (!ppv) return E_INVALIDARG;
  *ppv = nullptr;
  if (g_oleDepth == 0) return CO_E_NOTINITIALIZED;
  for (const auto& c : kClasses) {
    if (!(c.clsid == clsid)) continue;
    if (!(context & CLSCTX_INPROC_SERVER)) return REGDB_E_CLASSNOTREG;
    if (outer) return CLASS_E_NOAGGREGATION;
    return c.create(riid, ppv);
  }
  return REGDB_E_CLASSNOTREG;
}
