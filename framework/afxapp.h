// The application object, the program's entry, and the module handles
// for resources and the module path.
#pragma once
#include "afxobj.h"

class CWnd;

HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
void AfxSetInstanceHandle(HINSTANCE h);

class CWinApp : public CCmdTarget {
  DECLARE_DYNAMIC(CWinApp)

 public:
  explicit CWinApp(const char* appName = nullptr);
  ~CWinApp() override;
  CWinApp(const CWinApp&) = delete;
  CWinApp& operator=(const CWinApp&) = delete;

  virtual BOOL InitInstance() { return TRUE; }
  virtual int ExitInstance() { return 0; }
  BOOL Enable3dControlsStatic() { return TRUE; }
  void WinHelp(ULONG_PTR data, UINT command = HELP_CONTEXT);

  const char* m_pszAppName;
  // The help file: a string on the run-time library's heap (malloc), which
  // the application may free and replace.
  const char* m_pszHelpFilePath = nullptr;
  CWnd* m_pMainWnd = nullptr;
};

CWinApp* AfxGetApp();
// A copy of text on the run-time library's heap (malloc); nullptr if none is free.
char* AfxHeapCopy(const char* text);
// The framework's entry: sets up the application object and runs
// InitInstance; the program's exit status.
int AfxWinMain();
