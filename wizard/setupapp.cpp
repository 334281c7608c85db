#include "setupapp.h"

#include <cstdlib>

#include "installer.h"
#include "resource.h"
#include "wizsheet.h"

BEGIN_MESSAGE_MAP(CSetupApp, CWinApp)
ON_COMMAND(ID_HELP, OnHelp)
END_MESSAGE_MAP()

namespace {
const char kHelpFile[] = "Lumiroll.hlp";
}

CString CSetupApp::GetModuleDir() const { return ::GetModuleDir(); }

BOOL CSetupApp::InitInstance() {
  Enable3dControlsStatic();
  {
    CWizardSheet sheet(IDS_CAPTION, nullptr, 0);
    m_pMainWnd = &sheet;
    // The help file is the one beside the program, whatever the program is called.
    std::free(const_cast<char*>(m_pszHelpFilePath));
    m_pszHelpFilePath = AfxHeapCopy(GetModuleDir() + kHelpFile);
    sheet.DoModal();
    m_pMainWnd = nullptr;
  }
  return FALSE;
}

void CSetupApp::OnHelp() { WinHelp(1, HELP_CONTEXT); }
