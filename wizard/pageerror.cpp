// The problem page: Active Desktop is missing. Back leads to the read-me
// page; Next stays.
#include "pages.h"

IMPLEMENT_DYNCREATE(CPageError, CWizardPage)

CPageError::CPageError(const char* title) : CWizardPage(title, IDD_PROBLEM, IDS_CAPTION) {}

BOOL CPageError::OnInitDialog() {
  CWizardPage::OnInitDialog();
  m_picture.SubclassDlgItem(IDC_PICTURE, this);
  m_picture.FitBitmap(0);
  SetItemText(IDC_BODY, IDS_PROBLEM_TEXT);
  SetItemText(IDC_HEADING, IDS_PROBLEM_HEADING);
  SetItemBold(IDC_HEADING);
  return TRUE;
}

LRESULT CPageError::OnWizardBack() {
  LRESULT answer = CWizardPage::OnWizardBack();
  return answer ? answer : IDD_README;
}

LRESULT CPageError::OnWizardNext() {
  LRESULT answer = CWizardPage::OnWizardNext();
  return answer ? answer : -1;
}
