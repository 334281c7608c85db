// The welcome page: banner, description and a slide show of five pictures.
#include "pages.h"

IMPLEMENT_DYNCREATE(CPageInfo, CWizardPage)

BEGIN_MESSAGE_MAP(CPageInfo, CWizardPage)
ON_WM_TIMER()
ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

int32_t CPageInfo::s_nSlide = 0;

CPageInfo::CPageInfo(const char* title) : CWizardPage(title, IDD_WELCOME, IDS_CAPTION) {
  for (int i = 0; i < IDB_SLIDE_COUNT; ++i) m_bmpSlides[i].LoadBitmap(IDB_SLIDE_FIRST + i);
}

void CPageInfo::DoDataExchange(CDataExchange* dx) { CWizardPage::DoDataExchange(dx); }

BOOL CPageInfo::OnInitDialog() {
  CWizardPage::OnInitDialog();
  m_picSlide.SubclassDlgItem(IDC_PICTURE, this);
  m_picSlide.FitBitmap(0);
  m_picBanner.SubclassDlgItem(IDC_HEADING, this);
  m_picBanner.FitBitmap(0);
  SetItemText(IDC_BODY, IDS_WELCOME_TEXT);
  SetItemBold(IDC_BODY);
  return TRUE;
}

BOOL CPageInfo::OnSetActive() {
  SetTimer(kSlideTimer, kSlidePeriod, nullptr);  // the same id again replaces the running timer
  return CWizardPage::OnSetActive();
}

BOOL CPageInfo::OnKillActive() {
  BOOL leave = CWizardPage::OnKillActive();
  if (leave) KillTimer(kSlideTimer);
  return leave;
}

void CPageInfo::OnTimer(UINT_PTR id) {
  s_nSlide = (s_nSlide + 1) % IDB_SLIDE_COUNT;
  m_picSlide.SendMessage(WM_SETREDRAW, FALSE);
  // A slide that could not be loaded is skipped: the frame keeps the
  // picture it shows.
  if (HBITMAP slide = m_bmpSlides[s_nSlide]) {
    m_picSlide.SetBitmap(slide);
    m_picSlide.FitBitmap(0);
  }
  m_picSlide.SendMessage(WM_SETREDRAW, TRUE);
  m_picSlide.InvalidateRect(nullptr, TRUE);
  CWizardPage::OnTimer(id);
}
