// The finish page: runs the install on the first Finish and shows how it went.
#include "installer.h"
#include "pages.h"
#include "wizsheet.h"

IMPLEMENT_DYNCREATE(CPageLast, CWizardPage)

BEGIN_MESSAGE_MAP(CPageLast, CWizardPage)
ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CPageLast::CPageLast(const char* title) : CWizardPage(title, IDD_FINISH, IDS_CAPTION), m_bDone(0) {}

void CPageLast::DoDataExchange(CDataExchange* dx) { CWizardPage::DoDataExchange(dx); }

BOOL CPageLast::OnInitDialog() {
  CWizardPage::OnInitDialog();
  SetUpNotice(m_picture, IDS_READY_HEADING, IDS_READY_TEXT);
  return TRUE;
}

BOOL CPageLast::OnWizardFinish() {
  BOOL result = m_bDone;
  if (result) return result;  // the second press closes the sheet

  CWizardSheet* sheet = GetSheet();
  SetItemText(IDC_HEADING, IDS_WAIT_HEADING);
  SetItemText(IDC_BODY, IDS_WAIT_TEXT);
  BeginWaitCursor();
  UINT picture;
  if (sheet && sheet->RunInstall()) {
    SetItemText(IDC_HEADING, IDS_SUCCESS_HEADING);
    SetItemText(IDC_BODY, IDS_SUCCESS_TEXT);
    picture = IDB_FIREWORKS;
  } else {
    CString body;
    body.LoadString(IDS_FAILURE_TEXT);
    if (CInstaller* installer = GetInstaller()) body += installer->GetLastMessage();
    SetItemText(IDC_HEADING, IDS_FAILURE_HEADING);
    SetItemText(IDC_BODY, body);
    picture = IDB_STOP;
  }
  m_picture.FitBitmap(picture);
  EndWaitCursor();
  if (sheet) sheet->SendMessage(PSM_SETFINISHTEXT, 0, reinterpret_cast<LPARAM>("Close"));
  CancelToClose();
  m_bDone = 1;
  return result;
}
