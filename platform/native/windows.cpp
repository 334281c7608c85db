// Native stand-in for the window system: windows in memory with their
// text, styles, fonts and images, window procedures and subclassing, and the
// creation hook. Messages and timers are in queue.cpp, dialogs from
// templates and the controls' behaviour in dialogs.cpp.
#include <algorithm>
#include <cstring>
#include <map>
#include <memory>

#include "internal.h"
#include "lumimodel.h"
#include "lumiwin.h"

namespace {

struct State {
  std::map<uintptr_t, std::unique_ptr<LumiWindow>> windows;
  uintptr_t nextHandle = 0x10000;
  HOOKPROC cbt = nullptr;
  LumiDestroyObserver observer = nullptr;
};

State& S() {
  static State s;
  return s;
}

uintptr_t Key(HWND h) { return reinterpret_cast<uintptr_t>(h); }

// Borders drawn inside a window's rectangle, in pixels on each side.
int BorderOf(const LumiWindow& w) {
  int b = 0;
  if (w.style & WS_BORDER) b += 1;
  if (w.exStyle & WS_EX_CLIENTEDGE) b += 2;
  if (w.cls == "Static" && (w.style & SS_SUNKEN)) b += 1;
  return b;
}

}  // namespace

LumiWindow* LumiWindowOf(HWND h) {
  auto it = S().windows.find(Key(h));
  return it == S().windows.end() ? nullptr : it->second.get();
}

HWND LumiCreateWindow(const LumiCreate& c) {
  State& s = S();
  auto win = std::make_unique<LumiWindow>();
  win->cls = c.cls;
  win->text = c.text ? c.text : "";
  win->style = c.style;
  win->exStyle = c.exStyle;
  win->id = c.id;
  win->parent = c.parent;
  win->rect = {c.x, c.y, c.x + c.cx, c.y + c.cy};
  win->proc = c.proc ? c.proc : DefWindowProcA;
  win->dlgProc = c.dlgProc;
  HWND h = reinterpret_cast<HWND>(s.nextHandle++);
  win->handle = h;
  s.windows[Key(h)] = std::move(win);
  if (LumiWindow* parent = LumiWindowOf(c.parent)) parent->children.push_back(h);

  CREATESTRUCTA cs = {};
  cs.lpCreateParams = c.param;
  cs.hwndParent = c.parent;
  cs.x = c.x;
  cs.y = c.y;
  cs.cx = c.cx;
  cs.cy = c.cy;
  cs.style = static_cast<LONG>(c.style);
  cs.lpszName = c.text;
  cs.lpszClass = c.cls;
  cs.dwExStyle = static_cast<DWORD>(c.exStyle);
  if (s.cbt) {
    CBT_CREATEWNDA cbt = {&cs, nullptr};
    s.cbt(HCBT_CREATEWND, reinterpret_cast<WPARAM>(h), reinterpret_cast<LPARAM>(&cbt));
  }
  if (!SendMessageA(h, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs)) ||
      SendMessageA(h, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
    DestroyWindow(h);
    return nullptr;
  }
  return h;
}

LRESULT WINAPI SendMessageA(HWND h, UINT msg, WPARAM w, LPARAM l) {
  LumiWindow* win = LumiWindowOf(h);
  if (!win) return 0;
  return win->proc(h, msg, w, l);
}

LRESULT WINAPI CallWindowProcA(WNDPROC proc, HWND h, UINT msg, WPARAM w, LPARAM l) {
  return proc ? proc(h, msg, w, l) : 0;
}

LONG_PTR WINAPI SetWindowLongPtrA(HWND h, int index, LONG_PTR value) {
  LumiWindow* win = LumiWindowOf(h);
  if (!win) return 0;
  LONG_PTR old = 0;
  switch (index) {
    case GWLP_WNDPROC:
      old = reinterpret_cast<LONG_PTR>(win->proc);
      win->proc = reinterpret_cast<WNDPROC>(value);
      break;
    case GWLP_USERDATA:
      old = win->userData;
      win->userData = value;
      break;
    case DWLP_MSGRESULT:
      old = win->msgResult;
      win->msgResult = value;
      break;
    case GWL_STYLE:
      old = static_cast<LONG_PTR>(win->style);
      win->style = static_cast<unsigned long>(value);
      break;
    case GWLP_ID:
      old = win->id;
      win->id = static_cast<int>(value);
      break;
    default:
      break;
  }
  return old;
}

HWND WINAPI GetDlgItem(HWND dlg, int id) {
  LumiWindow* win = LumiWindowOf(dlg);
  if (!win) return nullptr;
  for (HWND c : win->children) {
    LumiWindow* child = LumiWindowOf(c);
    if (child && child->id == id) return c;
  }
  return nullptr;
}

HWND WINAPI GetParent(HWND h) {
  LumiWindow* win = LumiWindowOf(h);
  return win && LumiWindowOf(win->parent) ? win->parent : nullptr;
}

BOOL WINAPI IsWindow(HWND h) { return LumiWindowOf(h) != nullptr; }

BOOL WINAPI IsWindowEnabled(HWND h) {
  LumiWindow* win = LumiWindowOf(h);
  return win && !(win->style & WS_DISABLED);
}

BOOL WINAPI IsWindowVisible(HWND h) {
  for (LumiWindow* win = LumiWindowOf(h); win; win = LumiWindowOf(win->parent)) {
    if (!(win->style & WS_VISIBLE)) return FALSE;
  }
  return LumiWindowOf(h) != nullptr;
}

BOOL WINAPI EnableWindow(HWND h, BOOL enable) {
  LumiWindow* win = LumiWindowOf(h);
  if (!win) return FALSE;
  BOOL wasDisabled = (win->style & WS_DISABLED) != 0;
  if (enable)
    win->style &= ~static_cast<unsigned long>(WS_DISABLED);
  else
    win->style |= WS_DISABLED;
  return wasDisabled;
}

BOOL WINAPI ShowWindow(HWND h, int cmd) {
  LumiWindow* win = LumiWindowOf(h);
  if (!win) return FALSE;
  BOOL was = (win->style & WS_VISIBLE) != 0;
  if (cmd == SW_HIDE)
    win->style &= ~static_cast<unsigned long>(WS_VISIBLE);
  else
    win->style |= WS_VISIBLE;
  return was;
}

BOOL WINAPI DestroyWindow(HWND h) {
  State& s = S();
  LumiWindow* win = LumiWindowOf(h);
  if (!win || win->destroying) return FALSE;
  win->destroying = true;
  SendMessageA(h, WM_DESTROY, 0, 0);
  std::vector<HWND> children = win->children;
  for (HWND c : children) DestroyWindow(c);
  SendMessageA(h, WM_NCDESTROY, 0, 0);
  win = LumiWindowOf(h);
  if (win->ownedImage) DeleteObject(win->ownedImage);
  if (LumiWindow* parent = LumiWindowOf(win->parent)) {
    auto& list = parent->children;
    list.erase(std::remove(list.begin(), list.end(), h), list.end());
  }
  LumiForgetMessages(h);
  s.windows.erase(Key(h));
  if (s.observer) s.observer(h);
  return TRUE;
}

void LumiObserveDestroy(LumiDestroyObserver observer) { S().observer = observer; }

BOOL WINAPI SetWindowTextA(HWND h, LPCSTR text) {
  return IsWindow(h) && SendMessageA(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

int WINAPI GetWindowTextA(HWND h, LPSTR buf, int max) {
  if (!buf || max <= 0) return 0;
  buf[0] = 0;
  return static_cast<int>(SendMessageA(h, WM_GETTEXT, static_cast<WPARAM>(max), reinterpret_cast<LPARAM>(buf)));
}

int WINAPI GetWindowTextLengthA(HWND h) { return static_cast<int>(SendMessageA(h, WM_GETTEXTLENGTH, 0, 0)); }

BOOL WINAPI GetClientRect(HWND h, LPRECT r) {
  LumiWindow* win = LumiWindowOf(h);
  if (!win || !r) return FALSE;
  int b = BorderOf(*win);
  LONG cx = std::max<LONG>(0, win->rect.right - win->rect.left - 2 * b);
  LONG cy = std::max<LONG>(0, win->rect.bottom - win->rect.top - 2 * b);
  *r = {0, 0, cx, cy};
  return TRUE;
}

BOOL WINAPI InvalidateRect(HWND h, const RECT*, BOOL) {
  LumiWindow* win = LumiWindowOf(h);
  if (!win) return FALSE;
  if (win->redraw) ++win->paints;
  return TRUE;
}

HHOOK WINAPI SetWindowsHookExA(int id, HOOKPROC proc, HINSTANCE, DWORD) {
  if (id != WH_CBT || !proc || S().cbt) return nullptr;
  S().cbt = proc;
  return reinterpret_cast<HHOOK>(proc);
}

BOOL WINAPI UnhookWindowsHookEx(HHOOK hook) {
  if (!hook || reinterpret_cast<HOOKPROC>(hook) != S().cbt) return FALSE;
  S().cbt = nullptr;
  return TRUE;
}

LRESULT WINAPI CallNextHookEx(HHOOK, int, WPARAM, LPARAM) { return 0; }

DWORD WINAPI GetCurrentThreadId(void) { return 1; }

int LumiWindowCount() { return static_cast<int>(S().windows.size()); }
