#include "afxapp.h"

namespace {
HINSTANCE g_instance = nullptr;
}

HINSTANCE AfxGetInstanceHandle() { return g_instance ? g_instance : ::GetModuleHandleA(nullptr); }
HINSTANCE AfxGetResourceHandle() { return AfxGetInstanceHandle(); }
void AfxSetInstanceHandle(HINSTANCE h) { g_instance = h; }
