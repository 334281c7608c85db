// CSetupApp: the application object. Runs the wizard sheet modally and ends.
#pragma once
#include "afxwin.h"

class CSetupApp : public CWinApp {
 public:
  CSetupApp() = default;
  ~CSetupApp() override = default;

  // Runs the whole wizard; always FALSE, so the program ends once it returns.
  BOOL InitInstance() override;
  // The folder of the running program, with a trailing backslash.
  CString GetModuleDir() const;
  void OnHelp();

  DECLARE_MESSAGE_MAP()
};
