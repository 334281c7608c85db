// Windows: the handle maps, message dispatch, data exchange and CStatic.
#include "afxwnd.h"

#include <map>
#include <memory>
#include <vector>

#include "afxpriv.h"

IMPLEMENT_DYNAMIC(CWnd, CCmdTarget)
IMPLEMENT_DYNAMIC(CStatic, CWnd)

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

AfxDispatchScope::AfxDispatchScope() { ++g_dispatchDepth; }
AfxDispatchScope::~AfxDispatchScope() {
  if (--g_dispatchDepth == 0) Temporary().Clear();
}

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
  LRESULT result = 0;
  {
    AfxDispatchScope scope;
    *handled = wnd->OnWndMsg(msg, w, l, &result);
  }
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
