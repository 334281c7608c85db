// Native stand-in for the window system: windows in memory with their
// text, styles, fonts and images, window procedures and subclassing, dialog
// boxes built from the program's dialog templates, a posted-message queue,
// timers on a clock that only moves when told to, and the creation hook.
#include <algorithm>
#include <cstring>
#include <deque>
#include <map>
#include <memory>

#include "lumihost.h"
#include "lumiwin.h"
#include "rcscript.h"

namespace {

struct Posted {
  HWND hwnd;
  UINT msg;
  WPARAM w;
  LPARAM l;
};

struct Timer {
  UINT period;
  uint64_t due;
};

struct State {
  std::map<uintptr_t, std::unique_ptr<LumiWindow>> windows;
  uintptr_t nextHandle = 0x10000;
  std::deque<Posted> queue;
  std::map<std::pair<uintptr_t, UINT_PTR>, Timer> timers;
  uint64_t now = 0;
  HOOKPROC cbt = nullptr;
  int pumping = 0;
};

State& S() {
  static State s;
  return s;
}

uintptr_t Key(HWND h) { return reinterpret_cast<uintptr_t>(h); }

bool IsControlColour(UINT msg) { return msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC; }

// Borders drawn inside a window's rectangle, in pixels on each side.
int BorderOf(const LumiWindow& w) {
  int b = 0;
  if (w.style & WS_BORDER) b += 1;
  if (w.exStyle & WS_EX_CLIENTEDGE) b += 2;
  if (w.cls == "Static" && (w.style & SS_SUNKEN)) b += 1;
  return b;
}

LRESULT CALLBACK DialogProc(HWND h, UINT msg, WPARAM w, LPARAM l);

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

// Dialog units of the 8-point dialog font: 6 x 13 pixels per 4 x 8 units.
int LumiDluX(int x) { return x * 6 / 4; }
int LumiDluY(int y) { return y * 13 / 8; }

namespace {
// A window of a template's rectangle (dialog units) and styles.
LumiCreate FromTemplate(const char* cls, const char* text, unsigned long style, unsigned long exStyle, int x, int y,
                        int cx, int cy, HWND parent, WNDPROC proc) {
  LumiCreate c;
  c.cls = cls;
  c.text = text;
  c.style = style;
  c.exStyle = exStyle;
  c.x = LumiDluX(x);
  c.y = LumiDluY(y);
  c.cx = LumiDluX(cx);
  c.cy = LumiDluY(cy);
  c.parent = parent;
  c.proc = proc;
  return c;
}
}  // namespace

HWND LumiCreateDialog(unsigned templateId, HWND parent, DLGPROC proc, LPARAM init) {
  const auto& dialogs = LumiModuleScript().Dialogs();
  auto it = dialogs.find(templateId);
  if (it == dialogs.end()) return nullptr;
  const RcDialog& d = it->second;
  LumiCreate c =
      FromTemplate("#32770", d.caption.c_str(), d.style, d.exStyle, d.x, d.y, d.cx, d.cy, parent, DialogProc);
  c.dlgProc = proc;
  HWND h = LumiCreateWindow(c);
  if (!h) return nullptr;
  LumiWindowOf(h)->templateId = templateId;
  HWND first = nullptr;
  for (const RcControl& rc : d.controls) {
    std::string cls = rc.className;
    if (rc.classOrdinal == 0x80) cls = "Button";
    if (rc.classOrdinal == 0x81) cls = "Edit";
    if (rc.classOrdinal == 0x82) cls = "Static";
    for (auto& ch : cls) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    if (!cls.empty()) cls[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(cls[0])));
    LumiCreate cc = FromTemplate(cls.c_str(), rc.hasTextId ? "" : rc.text.c_str(), rc.style, rc.exStyle, rc.x, rc.y,
                                 rc.cx, rc.cy, h, LumiControlProc);
    cc.id = static_cast<int>(rc.id);
    HWND ctl = LumiCreateWindow(cc);
    if (!ctl) continue;
    if (!first) first = ctl;
    if (cls == "Static" && (rc.style & SS_TYPEMASK) == SS_BITMAP && rc.hasTextId) {
      // The control loads its template image itself and keeps it.
      LumiWindow* w = LumiWindowOf(ctl);
      w->image = LoadBitmapA(nullptr, MAKEINTRESOURCEA(rc.textId));
      w->ownedImage = w->image;
    }
  }
  SendMessageA(h, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), init);
  return h;
}

namespace {
LRESULT CALLBACK DialogProc(HWND h, UINT msg, WPARAM w, LPARAM l) {
  LumiWindow* win = LumiWindowOf(h);
  INT_PTR r = win && win->dlgProc ? win->dlgProc(h, msg, w, l) : 0;
  if (!LumiWindowOf(h)) return r;
  if (msg == WM_INITDIALOG || IsControlColour(msg)) {
    if (r || !IsControlColour(msg)) return r;
    return reinterpret_cast<LRESULT>(LumiDialogFaceBrush());
  }
  if (r) return win->msgResult;
  return DefWindowProcA(h, msg, w, l);
}
}  // namespace

LRESULT CALLBACK LumiControlProc(HWND h, UINT msg, WPARAM w, LPARAM l) {
  LumiWindow* win = LumiWindowOf(h);
  if (!win) return 0;
  switch (msg) {
    case STM_SETIMAGE: {
      if (win->cls != "Static" || w != IMAGE_BITMAP) return 0;
      HGDIOBJ old = win->image;
      win->image = reinterpret_cast<HGDIOBJ>(l);
      if (win->redraw) ++win->paints;
      return reinterpret_cast<LRESULT>(old);
    }
    case STM_GETIMAGE:
      return win->cls == "Static" && w == IMAGE_BITMAP ? reinterpret_cast<LRESULT>(win->image) : 0;
    case BM_CLICK:
      if (win->cls == "Button" && IsWindowEnabled(h) && IsWindowVisible(h)) {
        SendMessageA(win->parent, WM_COMMAND, MAKEWPARAM(win->id, BN_CLICKED), reinterpret_cast<LPARAM>(h));
      }
      return 0;
    default:
      return DefWindowProcA(h, msg, w, l);
  }
}

LRESULT WINAPI DefWindowProcA(HWND h, UINT msg, WPARAM w, LPARAM l) {
  LumiWindow* win = LumiWindowOf(h);
  if (!win) return 0;
  switch (msg) {
    case WM_NCCREATE:
      return TRUE;
    case WM_SETTEXT:
      win->text = l ? reinterpret_cast<const char*>(l) : "";
      if (win->redraw) ++win->paints;
      return TRUE;
    case WM_GETTEXT: {
      if (w == 0 || !l) return 0;
      size_t n = std::min(win->text.size(), static_cast<size_t>(w) - 1);
      std::memcpy(reinterpret_cast<char*>(l), win->text.data(), n);
      reinterpret_cast<char*>(l)[n] = 0;
      return static_cast<LRESULT>(n);
    }
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(win->text.size());
    case WM_SETFONT:
      win->font = reinterpret_cast<HFONT>(w);
      if (l && win->redraw) ++win->paints;
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(win->font);
    case WM_SETREDRAW:
      win->redraw = w != 0;
      return 0;
    case WM_SETICON: {
      if (w > ICON_BIG) return 0;
      HICON old = win->icons[w];
      win->icons[w] = reinterpret_cast<HICON>(l);
      return reinterpret_cast<LRESULT>(old);
    }
    case WM_GETICON:
      return w <= ICON_BIG ? reinterpret_cast<LRESULT>(win->icons[w]) : 0;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
      return reinterpret_cast<LRESULT>(LumiDialogFaceBrush());
    default:
      return 0;
  }
}

LRESULT WINAPI SendMessageA(HWND h, UINT msg, WPARAM w, LPARAM l) {
  LumiWindow* win = LumiWindowOf(h);
  if (!win) return 0;
  return win->proc(h, msg, w, l);
}

LRESULT WINAPI CallWindowProcA(WNDPROC proc, HWND h, UINT msg, WPARAM w, LPARAM l) {
  return proc ? proc(h, msg, w, l) : 0;
}

BOOL WINAPI PostMessageA(HWND h, UINT msg, WPARAM w, LPARAM l) {
  if (!LumiWindowOf(h)) return FALSE;
  S().queue.push_back({h, msg, w, l});
  return TRUE;
}

void LumiHostPump() {
  State& s = S();
  if (s.pumping) return;  // a handler's own posts wait for the running pump
  ++s.pumping;
  while (!s.queue.empty()) {
    Posted p = s.queue.front();
    s.queue.pop_front();
    SendMessageA(p.hwnd, p.msg, p.w, p.l);
  }
  --s.pumping;
}

size_t LumiHostQueued() { return S().queue.size(); }

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

LONG_PTR WINAPI GetWindowLongPtrA(HWND h, int index) {
  LumiWindow* win = LumiWindowOf(h);
  if (!win) return 0;
  switch (index) {
    case GWLP_WNDPROC:
      return reinterpret_cast<LONG_PTR>(win->proc);
    case GWLP_USERDATA:
      return win->userData;
    case DWLP_MSGRESULT:
      return win->msgResult;
    case GWL_STYLE:
      return static_cast<LONG_PTR>(win->style);
    case GWLP_ID:
      return win->id;
    default:
      return 0;
  }
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

int WINAPI GetDlgCtrlID(HWND h) {
  LumiWindow* win = LumiWindowOf(h);
  return win ? win->id : 0;
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
  for (auto it = s.timers.begin(); it != s.timers.end();) {
    it = it->first.first == Key(h) ? s.timers.erase(it) : std::next(it);
  }
  s.queue.erase(std::remove_if(s.queue.begin(), s.queue.end(), [h](const Posted& p) { return p.hwnd == h; }),
                s.queue.end());
  s.windows.erase(Key(h));
  LumiSheetWindowGone(h);
  return TRUE;
}

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

UINT_PTR WINAPI SetTimer(HWND h, UINT_PTR id, UINT elapse, TIMERPROC) {
  if (!LumiWindowOf(h) || id == 0) return 0;
  UINT period = std::max<UINT>(elapse, 10);
  S().timers[{Key(h), id}] = {period, S().now + period};
  return id;
}

BOOL WINAPI KillTimer(HWND h, UINT_PTR id) { return S().timers.erase({Key(h), id}) ? TRUE : FALSE; }

int LumiHostTimers(HWND h) {
  int n = 0;
  for (const auto& t : S().timers) n += t.first.first == Key(h) ? 1 : 0;
  return n;
}

void LumiHostAdvance(uint64_t ms) {
  State& s = S();
  uint64_t end = s.now + ms;
  LumiHostPump();
  for (;;) {
    auto next = s.timers.end();
    for (auto it = s.timers.begin(); it != s.timers.end(); ++it) {
      if (it->second.due <= end && (next == s.timers.end() || it->second.due < next->second.due)) next = it;
    }
    if (next == s.timers.end()) break;
    s.now = next->second.due;
    next->second.due += next->second.period;
    HWND h = reinterpret_cast<HWND>(next->first.first);
    SendMessageA(h, WM_TIMER, next->first.second, 0);
    LumiHostPump();
  }
  s.now = end;
}

uint64_t LumiHostNow() { return S().now; }

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

int LumiHostWindowCount() { return static_cast<int>(S().windows.size()); }
