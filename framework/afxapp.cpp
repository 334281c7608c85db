// The application object, the program's common entry and the module handles.
#include "afxapp.h"

#include <cstdlib>
#include <cstring>

#include "afxwin.h"

IMPLEMENT_DYNAMIC(CWinApp, CCmdTarget)

namespace {
HINSTANCE g_instance = nullptr;
}

HINSTANCE AfxGetInstanceHandle() { return g_instance ? g_instance : ::GetModuleHandleA(nullptr); }
HINSTANCE AfxGetResourceHandle() { return AfxGetInstanceHandle(); }
void AfxSetInstanceHandle(HINSTANCE h) { g_instance = h; }

// The application

namespace {
CWinApp* g_app = nullptr;
}

CWinApp* AfxGetApp() { return g_app; }

char* AfxHeapCopy(const char* text) {
  size_t n = std::strlen(text ? text : "") + 1;
  auto* copy = static_cast<char*>(std::malloc(n));
  if (copy) std::memcpy(copy, text ? text : "", n);
  return copy;
}

CWinApp::CWinApp(const char* appName) : m_pszAppName(appName) {
  if (!g_app) g_app = this;
}

CWinApp::~CWinApp() {
  std::free(const_cast<char*>(m_pszHelpFilePath));
  if (g_app == this) g_app = nullptr;
}

void CWinApp::WinHelp(ULONG_PTR data, UINT command) {
  ::WinHelpA(m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr, m_pszHelpFilePath, command, data);
}

int AfxWinMain() {
  CWinApp* app = AfxGetApp();
  if (!app) return 1;
  // The help file is first the program's own name with ".hlp" for its extension.
  char path[MAX_PATH] = {};
  DWORD n = ::GetModuleFileNameA(AfxGetInstanceHandle(), path, MAX_PATH);
  if (n > 0 && n < MAX_PATH) {
    char* dot = std::strrchr(path, '.');
    char* slash = std::strrchr(path, '\\');
    if (dot && (!slash || dot > slash) && static_cast<size_t>(dot - path) + 4 < MAX_PATH) std::memcpy(dot, ".HLP", 5);
    std::free(const_cast<char*>(app->m_pszHelpFilePath));
    app->m_pszHelpFilePath = AfxHeapCopy(path);
  }
  app->InitInstance();  // the program's work; it ends either way
  return app->ExitInstance();
}
