#include "afxwin.h"

#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>

const CRuntimeClass CObject::classCObject = {"CObject", static_cast<int>(sizeof(CObject)), nullptr, nullptr};

bool CRuntimeClass::IsDerivedFrom(const CRuntimeClass* base) const {
  for (const CRuntimeClass* c = this; c; c = c->m_pBaseClass) {
    if (c == base) return true;
  }
  return false;
}

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)
IMPLEMENT_DYNAMIC(CWnd, CCmdTarget)
IMPLEMENT_DYNAMIC(CStatic, CWnd)
IMPLEMENT_DYNAMIC(CWinApp, CCmdTarget)
IMPLEMENT_DYNAMIC(CPropertyPage, CWnd)
IMPLEMENT_DYNAMIC(CPropertySheet, CWnd)

// Message maps and command routing

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap() {
  static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, nullptr}};
  static const AFX_MSGMAP map = {nullptr, entries};
  return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

const AFX_MSGMAP_ENTRY* CCmdTarget::FindEntry(UINT msg, UINT code, UINT id) const {
  for (const AFX_MSGMAP* map = GetMessageMap(); map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
    for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->pfn; ++e) {
      if (e->nMessage != msg) continue;
      if (msg != WM_COMMAND || (e->nCode == code && e->nID == id)) return e;
    }
  }
  return nullptr;
}

BOOL CCmdTarget::OnCmdMsg(UINT id, int code) {
  const AFX_MSGMAP_ENTRY* e = FindEntry(WM_COMMAND, static_cast<UINT>(code), id);
  if (!e) return FALSE;
  e->pfn(this, WM_COMMAND, MAKEWPARAM(id, code), 0);
  return TRUE;
}

bool CCmdTarget::HandlesCommand(UINT id) const { return FindEntry(WM_COMMAND, 0, id) != nullptr; }

namespace {
HCURSOR g_cursorBeforeWait = nullptr;
int g_waitDepth = 0;
}  // namespace

void CCmdTarget::BeginWaitCursor() {
  HCURSOR before = ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT));
  if (g_waitDepth++ == 0) g_cursorBeforeWait = before;
}

void CCmdTarget::EndWaitCursor() {
  if (g_waitDepth == 0) return;
  if (--g_waitDepth == 0) {
    ::SetCursor(g_cursorBeforeWait ? g_cursorBeforeWait : ::LoadCursorA(nullptr, IDC_ARROW));
  }
}

// Graphics objects

namespace {
// A wrapper takes a handle only when it holds none.
template <class H>
BOOL TakeHandle(H& slot, H h) {
  if (!h || slot) return FALSE;
  slot = h;
  return TRUE;
}
template <class H>
H GiveHandle(H& slot) {
  H h = slot;
  slot = nullptr;
  return h;
}
}  // namespace

BOOL CGdiObject::Attach(HGDIOBJ h) { return TakeHandle(m_hObject, h); }
HGDIOBJ CGdiObject::Detach() { return GiveHandle(m_hObject); }

BOOL CGdiObject::DeleteObject() {
  if (!m_hObject) return FALSE;
  return ::DeleteObject(Detach());
}

int CGdiObject::GetObject(int count, void* buffer) const {
  return m_hObject ? ::GetObjectA(m_hObject, count, buffer) : 0;
}

BOOL CBitmap::LoadBitmap(UINT id) { return Attach(::LoadBitmapA(AfxGetResourceHandle(), MAKEINTRESOURCEA(id))); }

BOOL CBitmap::CreateCompatibleBitmap(CDC* dc, int width, int height) {
  return dc && Attach(::CreateCompatibleBitmap(dc->m_hDC, width, height));
}

CDC::~CDC() {
  if (m_hDC && !m_bWindowDC) ::DeleteDC(m_hDC);
}

BOOL CDC::Attach(HDC dc) { return TakeHandle(m_hDC, dc); }
HDC CDC::Detach() { return GiveHandle(m_hDC); }

BOOL CDC::CreateCompatibleDC(CDC* dc) { return Attach(::CreateCompatibleDC(dc ? dc->m_hDC : nullptr)); }

BOOL CDC::DeleteDC() {
  if (!m_hDC || m_bWindowDC) return FALSE;
  return ::DeleteDC(Detach());
}

HGDIOBJ CDC::SelectObject(HGDIOBJ h) { return m_hDC && h ? ::SelectObject(m_hDC, h) : nullptr; }

BOOL CDC::StretchBlt(int x, int y, int w, int h, CDC* src, int xs, int ys, int ws, int hs, DWORD rop) {
  return m_hDC && src && ::StretchBlt(m_hDC, x, y, w, h, src->m_hDC, xs, ys, ws, hs, rop);
}

COLORREF CDC::SetBkColor(COLORREF c) { return ::SetBkColor(m_hDC, c); }

// Windows

namespace {
std::map<HWND, CWnd*>& Permanent() {
  static std::map<HWND, CWnd*> map;
  return map;
}
struct Temporaries {
  std::map<HWND, std::unique_ptr<CWnd>> map;
  ~Temporaries() { Clear(); }
  void Clear() {
    for (auto& t : map) t.second->Detach();
    map.clear();
  }
};
Temporaries& Temporary() {
  static Temporaries t;
  return t;
}
int g_dispatchDepth = 0;
}  // namespace

CWnd::~CWnd() {
  if (m_hWnd && Permanent().count(m_hWnd) && Permanent()[m_hWnd] == this) {
    HWND h = m_hWnd;
    if (::IsWindow(h)) ::DestroyWindow(h);
    Detach();
  }
}

CWnd* CWnd::FromHandlePermanent(HWND h) {
  auto it = Permanent().find(h);
  return it == Permanent().end() ? nullptr : it->second;
}

CWnd* CWnd::FromHandle(HWND h) {
  if (!h) return nullptr;
  if (CWnd* w = FromHandlePermanent(h)) return w;
  auto& temp = Temporary().map[h];
  if (!temp) {
    temp = std::make_unique<CWnd>();
    temp->m_hWnd = h;
  }
  return temp.get();
}

BOOL CWnd::Attach(HWND h) {
  if (!h || m_hWnd || FromHandlePermanent(h)) return FALSE;
  auto it = Temporary().map.find(h);
  if (it != Temporary().map.end()) {
    it->second->Detach();
    Temporary().map.erase(it);
  }
  m_hWnd = h;
  Permanent()[h] = this;
  return TRUE;
}

HWND CWnd::Detach() {
  HWND h = m_hWnd;
  if (h) {
    auto it = Permanent().find(h);
    if (it != Permanent().end() && it->second == this) Permanent().erase(it);
  }
  m_hWnd = nullptr;
  return h;
}

CWnd* CWnd::GetParent() const { return FromHandle(::GetParent(m_hWnd)); }
CWnd* CWnd::GetDlgItem(int id) const { return FromHandle(::GetDlgItem(m_hWnd, id)); }
void CWnd::SetWindowText(const char* text) { ::SetWindowTextA(m_hWnd, text); }

void CWnd::GetWindowText(CString& text) const {
  int n = ::GetWindowTextLengthA(m_hWnd);
  std::vector<char> buf(static_cast<size_t>(n > 0 ? n : 0) + 1, 0);
  ::GetWindowTextA(m_hWnd, buf.data(), n + 1);
  text = buf.data();
}

LRESULT CWnd::SendMessage(UINT msg, WPARAM w, LPARAM l) const { return ::SendMessageA(m_hWnd, msg, w, l); }
BOOL CWnd::PostMessage(UINT msg, WPARAM w, LPARAM l) const { return ::PostMessageA(m_hWnd, msg, w, l); }
UINT_PTR CWnd::SetTimer(UINT_PTR id, UINT elapse, TIMERPROC proc) { return ::SetTimer(m_hWnd, id, elapse, proc); }
BOOL CWnd::KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id); }
void CWnd::InvalidateRect(LPCRECT rect, BOOL erase) { ::InvalidateRect(m_hWnd, rect, erase); }

void CWnd::GetClientRect(LPRECT rect) const {
  if (!::GetClientRect(m_hWnd, rect)) *rect = RECT{0, 0, 0, 0};
}

CDC* CWnd::GetDC() {
  HDC h = ::GetDC(m_hWnd);
  if (!h) return nullptr;
  auto* dc = new CDC;
  dc->Attach(h);
  dc->m_bWindowDC = true;
  return dc;
}

int CWnd::ReleaseDC(CDC* dc) {
  if (!dc) return 0;
  int r = ::ReleaseDC(m_hWnd, dc->Detach());
  delete dc;
  return r;
}

void CWnd::SetFont(CFont* font, BOOL redraw) {
  SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font ? font->GetSafeHandle() : nullptr), redraw);
}

BOOL CWnd::EnableWindow(BOOL enable) { return ::EnableWindow(m_hWnd, enable); }

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
  HWND h = parent ? ::GetDlgItem(parent->m_hWnd, static_cast<int>(id)) : nullptr;
  if (!h || !Attach(h)) return FALSE;
  m_pfnSuper = reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WndProc)));
  return TRUE;
}

// The procedure of a window bound to its object: its map first, then the
// procedure it had before.
LRESULT CALLBACK CWnd::WndProc(HWND h, UINT msg, WPARAM w, LPARAM l) {
  CWnd* wnd = CWnd::FromHandlePermanent(h);
  if (!wnd) return ::DefWindowProcA(h, msg, w, l);
  WNDPROC super = wnd->m_pfnSuper;
  if (msg == WM_NCDESTROY) {
    ::SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(super));
    wnd->Detach();
    wnd->m_pfnSuper = nullptr;
    return ::CallWindowProcA(super, h, msg, w, l);
  }
  BOOL handled = FALSE;
  LRESULT result = CWnd::Dispatch(wnd, msg, w, l, &handled);
  return handled ? result : ::CallWindowProcA(super, h, msg, w, l);
}

BOOL CWnd::UpdateData(BOOL save) {
  CDataExchange dx(this, save);
  DoDataExchange(&dx);
  return TRUE;
}

void CWnd::DoDataExchange(CDataExchange*) {}

BOOL CWnd::DestroyWindow() {
  if (!m_hWnd) return FALSE;
  HWND h = m_hWnd;
  BOOL r = ::DestroyWindow(h);
  if (m_hWnd == h) Detach();
  return r;
}

LRESULT CWnd::Default() {
  if (m_pfnSuper) return ::CallWindowProcA(m_pfnSuper, m_hWnd, m_nMsg, m_wParam, m_lParam);
  return 0;  // a dialog's default handling is the platform's, once the handler returns
}

BOOL CWnd::OnCommand(WPARAM w, LPARAM) { return OnCmdMsg(LOWORD(w), HIWORD(w)); }

BOOL CWnd::OnWndMsg(UINT msg, WPARAM w, LPARAM l, LRESULT* result) {
  if (msg == WM_COMMAND) {
    if (!OnCommand(w, l)) return FALSE;
    *result = 0;
    return TRUE;
  }
  bool colour = msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC;
  const AFX_MSGMAP_ENTRY* e = FindEntry(colour ? kAfxCtlColor : msg, 0, 0);
  if (!e) return FALSE;
  *result = e->pfn(this, msg, w, l);
  return TRUE;
}

HBRUSH CWnd::OnCtlColor(CDC*, CWnd*, UINT) { return reinterpret_cast<HBRUSH>(Default()); }
int CWnd::OnCreate(LPCREATESTRUCT) { return static_cast<int>(Default()); }
void CWnd::OnTimer(UINT_PTR) { Default(); }

LRESULT CWnd::Dispatch(CWnd* wnd, UINT msg, WPARAM w, LPARAM l, BOOL* handled) {
  UINT oldMsg = wnd->m_nMsg;
  WPARAM oldW = wnd->m_wParam;
  LPARAM oldL = wnd->m_lParam;
  wnd->m_nMsg = msg;
  wnd->m_wParam = w;
  wnd->m_lParam = l;
  ++g_dispatchDepth;
  LRESULT result = 0;
  *handled = wnd->OnWndMsg(msg, w, l, &result);
  if (--g_dispatchDepth == 0) Temporary().Clear();
  wnd->m_nMsg = oldMsg;
  wnd->m_wParam = oldW;
  wnd->m_lParam = oldL;
  return result;
}

void DDX_Text(CDataExchange* dx, int id, CString& value) {
  HWND control = ::GetDlgItem(dx->m_pDlgWnd->m_hWnd, id);
  if (!control) return;
  if (dx->m_bSaveAndValidate) {
    CWnd::FromHandle(control)->GetWindowText(value);
  } else {
    ::SetWindowTextA(control, value);
  }
}

HBITMAP CStatic::SetBitmap(HBITMAP bitmap) {
  return reinterpret_cast<HBITMAP>(SendMessage(STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
}

HBITMAP CStatic::GetBitmap() const { return reinterpret_cast<HBITMAP>(SendMessage(STM_GETIMAGE, IMAGE_BITMAP, 0)); }

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
  if (!app->InitInstance()) return app->ExitInstance();
  return app->ExitInstance();
}

// Property pages

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
    ++g_dispatchDepth;
    BOOL focus = page->OnInitDialog();
    if (--g_dispatchDepth == 0) Temporary().Clear();
    return focus;
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
  return std::strcmp(cls, "#32770") == 0;
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

CPropertyPage* CPropertySheet::GetPage(int index) const {
  return index >= 0 && index < GetPageCount() ? m_pages[static_cast<size_t>(index)] : nullptr;
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
