// The problem page: Active Desktop is missing. Back leads to the read-me
// page; Next stays.
#include "pages.h"

IMPLEMENT_DYNCREATE(CPageError, CWizardPage)

CPageError::CPageError(const char* title) : CWizardPage(title, IDD_PROBLEM, IDS_CAPTION) {}

BOOL CPageError::OnInitDialog() {
  CWizardPage::OnInitDialog();
  SetUpNotice(m_picture, IDS_PROBLEM_HEADING, IDS_PROBLEM_TEXT);
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
