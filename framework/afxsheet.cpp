// Property pages and the property sheet, with the creation hook.
#include "afxsheet.h"

#include <cstring>

#include "afxapp.h"
#include "afxpriv.h"

IMPLEMENT_DYNAMIC(CPropertyPage, CWnd)
IMPLEMENT_DYNAMIC(CPropertySheet, CWnd)

CPropertyPage::CPropertyPage(UINT templateId, UINT captionId) : m_psp(), m_nIDTemplate(templateId) {
  m_psp.dwSize = sizeof m_psp;
  m_psp.dwFlags = PSP_DEFAULT;
  m_psp.hInstance = AfxGetResourceHandle();
  m_psp.pszTemplate = MAKEINTRESOURCEA(templateId);
  m_psp.pfnDlgProc = DialogProc;
  m_psp.lParam = reinterpret_cast<LPARAM>(this);
  if (captionId != 0 && m_strCaption.LoadString(captionId)) {
    m_psp.pszTitle = m_strCaption;
    m_psp.dwFlags |= PSP_USETITLE;
  }
  if (AfxGetApp() && AfxGetApp()->HandlesCommand(ID_HELP)) m_psp.dwFlags |= PSP_HASHELP;
}

BOOL CPropertyPage::OnInitDialog() {
  UpdateData(FALSE);
  return TRUE;
}

BOOL CPropertyPage::OnSetActive() {
  if (m_bFirstSetActive)
    m_bFirstSetActive = FALSE;
  else
    UpdateData(FALSE);
  return TRUE;
}

BOOL CPropertyPage::OnKillActive() { return UpdateData(TRUE); }

void CPropertyPage::CancelToClose() {
  if (CWnd* sheet = GetParent()) sheet->SendMessage(PSM_CANCELTOCLOSE);
}

BOOL CPropertyPage::OnWndMsg(UINT msg, WPARAM w, LPARAM l, LRESULT* result) {
  if (msg != WM_NOTIFY) return CWnd::OnWndMsg(msg, w, l, result);
  const auto* n = reinterpret_cast<const NMHDR*>(l);
  LRESULT answer = 0;
  switch (n->code) {
    case PSN_SETACTIVE:
      answer = OnSetActive() ? 0 : -1;
      break;
    case PSN_KILLACTIVE:
      answer = OnKillActive() ? FALSE : TRUE;  // TRUE keeps the page
      break;
    case PSN_WIZBACK:
      answer = OnWizardBack();
      break;
    case PSN_WIZNEXT:
      answer = OnWizardNext();
      break;
    case PSN_WIZFINISH:
      answer = OnWizardFinish() ? FALSE : TRUE;  // TRUE keeps the sheet open
      break;
    case PSN_QUERYCANCEL:
      answer = OnQueryCancel() ? FALSE : TRUE;
      break;
    case PSN_HELP:
      SendMessage(WM_COMMAND, ID_HELP);
      break;
    default:
      return FALSE;
  }
  ::SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, answer);
  *result = answer;
  return TRUE;
}

// A page's commands go to the page, then to its sheet, then to the application.
BOOL CPropertyPage::OnCmdMsg(UINT id, int code) {
  if (CWnd::OnCmdMsg(id, code)) return TRUE;
  CWnd* sheet = FromHandlePermanent(::GetParent(m_hWnd));
  if (sheet && sheet->OnCmdMsg(id, code)) return TRUE;
  return AfxGetApp() && AfxGetApp()->OnCmdMsg(id, code);
}

INT_PTR CALLBACK CPropertyPage::DialogProc(HWND h, UINT msg, WPARAM w, LPARAM l) {
  if (msg == WM_INITDIALOG) {
    const auto* psp = reinterpret_cast<const PROPSHEETPAGEA*>(l);
    auto* page = psp ? reinterpret_cast<CPropertyPage*>(psp->lParam) : nullptr;
    if (!page || !page->Attach(h)) return FALSE;
    AfxDispatchScope scope;
    return page->OnInitDialog();
  }
  CWnd* page = FromHandlePermanent(h);
  if (!page) return FALSE;
  if (msg == WM_NCDESTROY) {
    page->Detach();
    return FALSE;
  }
  BOOL handled = FALSE;
  LRESULT result = Dispatch(page, msg, w, l, &handled);
  if (!handled) return FALSE;
  if (msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC) return static_cast<INT_PTR>(result);
  return TRUE;
}

// Property sheets

namespace {
CPropertySheet* g_creating = nullptr;
HHOOK g_hook = nullptr;

bool IsDialogClass(const char* cls) {
  if (!cls) return false;
  if (IS_INTRESOURCE(cls)) return reinterpret_cast<uintptr_t>(cls) == 0x8002;
  return std::strcmp(cls, LUMI_DIALOG_CLASS) == 0;
}

// The sheet's window is the first top-level dialog made while the sheet
// opens: it is bound to its object before it gets WM_CREATE.
LRESULT CALLBACK CreationHook(int code, WPARAM w, LPARAM l) {
  if (code == HCBT_CREATEWND && g_creating) {
    const CREATESTRUCTA* cs = reinterpret_cast<const CBT_CREATEWNDA*>(l)->lpcs;
    if (!(cs->style & WS_CHILD) && IsDialogClass(cs->lpszClass)) {
      auto h = reinterpret_cast<HWND>(w);
      CPropertySheet* sheet = g_creating;
      g_creating = nullptr;
      if (sheet->Attach(h)) {
        sheet->m_pfnSuper =
            reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CWnd::WndProc)));
      }
    }
  }
  return ::CallNextHookEx(g_hook, code, w, l);
}

void Hook(CPropertySheet* sheet) {
  g_creating = sheet;
  g_hook = ::SetWindowsHookExA(WH_CBT, CreationHook, nullptr, ::GetCurrentThreadId());
}

void Unhook() {
  g_creating = nullptr;
  if (g_hook) ::UnhookWindowsHookEx(g_hook);
  g_hook = nullptr;
}
}  // namespace

CPropertySheet::CPropertySheet(UINT captionId, CWnd* parent, UINT selectPage) : m_psh(), m_pParentWnd(parent) {
  m_strCaption.LoadString(captionId);
  m_psh.dwSize = sizeof m_psh;
  m_psh.dwFlags = PSH_PROPSHEETPAGE;
  m_psh.hInstance = AfxGetResourceHandle();
  m_psh.nStartPage = selectPage;
  if (AfxGetApp() && AfxGetApp()->HandlesCommand(ID_HELP)) m_psh.dwFlags |= PSH_HASHELP;
}

void CPropertySheet::AddPage(CPropertyPage* page) {
  if (page) m_pages.push_back(page);
}

int CPropertySheet::GetPageIndex(const CPropertyPage* page) const {
  for (size_t i = 0; i < m_pages.size(); ++i) {
    if (m_pages[i] == page) return static_cast<int>(i);
  }
  return -1;
}

void CPropertySheet::BuildHeader(CWnd* parent) {
  m_records.clear();
  for (CPropertyPage* p : m_pages) m_records.push_back(p->m_psp);
  m_psh.dwFlags |= PSH_PROPSHEETPAGE;
  m_psh.hwndParent = parent ? parent->m_hWnd : nullptr;
  m_psh.pszCaption = m_strCaption;
  m_psh.nPages = static_cast<UINT>(m_records.size());
  m_psh.ppsp = m_records.data();
}

INT_PTR CPropertySheet::DoModal() {
  if (m_pages.empty()) return -1;
  BuildHeader(m_pParentWnd);
  m_psh.dwFlags &= ~static_cast<DWORD>(PSH_MODELESS);
  for (CPropertyPage* p : m_pages) p->m_bFirstSetActive = TRUE;
  Hook(this);
  INT_PTR r = ::PropertySheetA(&m_psh);
  Unhook();
  if (r < 0) return -1;
  bool wizard = (m_psh.dwFlags & PSH_WIZARD) != 0;
  return r > 0 ? (wizard ? ID_WIZFINISH : IDOK) : IDCANCEL;
}

BOOL CPropertySheet::Create(CWnd* parent) {
  if (m_pages.empty() || m_hWnd) return FALSE;
  BuildHeader(parent);
  m_psh.dwFlags |= PSH_MODELESS;
  Hook(this);
  INT_PTR r = ::PropertySheetA(&m_psh);
  Unhook();
  return r != 0 && r != -1 && m_hWnd != nullptr;
}
