#include "wizpage.h"

#include "rules.h"
#include "wizsheet.h"

IMPLEMENT_DYNCREATE(CWizardPage, CPropertyPage)

CWizardPage::CWizardPage(const char* title, UINT templateId, UINT captionId)
    : CPropertyPage(templateId, captionId), m_nPage(0), m_strTitle(title) {
  if (!m_strTitle.IsEmpty()) m_psp.pszTitle = m_strTitle;
  m_fontBold.Attach(::CreateFontA(0, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, OUT_CHARACTER_PRECIS,
                                  CLIP_CHARACTER_PRECIS, PROOF_QUALITY, DEFAULT_PITCH | FF_SCRIPT, "MS Sans Serif"));
}

CWizardPage::~CWizardPage() { m_fontBold.DeleteObject(); }

void CWizardPage::DoDataExchange(CDataExchange*) {}

BOOL CWizardPage::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  CWizardSheet* sheet = GetSheet();
  m_nPage = sheet ? sheet->GetPageIndex(this) + 1 : 0;
  return TRUE;
}

BOOL CWizardPage::OnSetActive() {
  CWizardSheet* sheet = GetSheet();
  if (sheet) {
    const unsigned buttons = WizardButtonsFor(m_nPage, sheet->m_nPageCount);
    sheet->PostMessage(PSM_SETWIZBUTTONS, 0, static_cast<LPARAM>(buttons));
    // The focus follows the buttons, once they have changed (posted after
    // them, it is delivered after them): to the default one, Finish on the
    // last page, else Next. The button that had it may just have been
    // disabled (Back on the first page) or hidden (Next on the last), which
    // leaves no control with the focus: Enter, Tab and Space would go nowhere.
    HWND target = ::GetDlgItem(sheet->m_hWnd, (buttons & PSWIZB_FINISH) ? ID_WIZFINISH : ID_WIZNEXT);
    if (target) sheet->PostMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(target), TRUE);
  }
  return CPropertyPage::OnSetActive();
}

BOOL CWizardPage::OnWizardFinish() { return CPropertyPage::OnWizardFinish(); }

CWizardSheet* CWizardPage::GetSheet() const {
  CWnd* parent = m_hWnd ? FromHandlePermanent(::GetParent(m_hWnd)) : nullptr;
  return parent && parent->IsKindOf(RUNTIME_CLASS(CWizardSheet)) ? static_cast<CWizardSheet*>(parent) : nullptr;
}

CInstaller* CWizardPage::GetInstaller() const {
  CWizardSheet* sheet = GetSheet();
  return sheet ? &sheet->m_installer : nullptr;
}

HBRUSH CWizardPage::OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor) {
  dc->SetBkColor(RGB(255, 255, 255));
  if (ctlColor == CTLCOLOR_STATIC) return static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
  return CPropertyPage::OnCtlColor(dc, wnd, ctlColor);
}

void CWizardPage::SetItemText(int id, UINT stringId) {
  CString text;
  text.LoadString(stringId);
  SetItemText(id, text);
}

void CWizardPage::SetItemText(int id, const char* text) {
  if (CWnd* item = GetDlgItem(id)) item->SetWindowText(text);
}

void CWizardPage::SetItemBold(int id) {
  if (CWnd* item = GetDlgItem(id))
    item->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_fontBold.GetSafeHandle()), TRUE);
}

void CWizardPage::SetUpNotice(CPictureStatic& picture, UINT headingId, UINT bodyId) {
  picture.SubclassDlgItem(IDC_PICTURE, this);
  picture.FitBitmap(0);
  SetItemText(IDC_BODY, bodyId);
  SetItemText(IDC_HEADING, headingId);
  SetItemBold(IDC_HEADING);
}
