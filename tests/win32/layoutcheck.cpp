// The current page's layout as a person sees it at the screen's density:
// every control inside the page, and every text inside its control, measured
// with the control's own font (its description read across processes and
// made anew here).
#include <windows.h>

#include <cstdio>
#include <string>

#include "wizdriver.h"

namespace {

struct Layout {
  RECT page;
  int bad;
};

// The size the text takes in the control's font: wrapped to width when
// wrap, else on one line.
SIZE Measure(HWND control, const std::string& text, int width, bool wrap) {
  SIZE size = {0, 0};
  HFONT theirs = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
  LOGFONTA lf = {};
  if (!theirs || GetObjectA(theirs, sizeof lf, &lf) != sizeof lf) {
    GetObjectA(GetStockObject(SYSTEM_FONT), sizeof lf, &lf);
  }
  HFONT font = CreateFontIndirectA(&lf);
  HDC dc = GetDC(nullptr);
  HGDIOBJ before = SelectObject(dc, font);
  RECT r = {0, 0, width, 0};
  UINT how = DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS | (wrap ? DT_WORDBREAK : DT_SINGLELINE);
  DrawTextA(dc, text.c_str(), -1, &r, how);
  size.cx = r.right - r.left;
  size.cy = r.bottom - r.top;
  SelectObject(dc, before);
  ReleaseDC(nullptr, dc);
  DeleteObject(font);
  return size;
}

BOOL CALLBACK CheckControl(HWND c, LPARAM l) {
  auto* layout = reinterpret_cast<Layout*>(l);
  if (!IsWindowVisible(c)) return TRUE;
  const std::string cls = ClassOf(c);
  const int id = GetDlgCtrlID(c);
  RECT w, client;
  GetWindowRect(c, &w);
  GetClientRect(c, &client);
  auto fail = [&](const char* what, long a, long b) {
    std::printf("FAIL: control %d %s: %s (%ld > %ld)\n", id, cls.c_str(), what, a, b);
    ++layout->bad;
  };
  const RECT& p = layout->page;
  if (w.left < p.left) fail("starts left of the page", p.left, w.left);
  if (w.top < p.top) fail("starts above the page", p.top, w.top);
  if (w.right > p.right) fail("reaches past the page's right edge", w.right, p.right);
  if (w.bottom > p.bottom) fail("reaches past the page's bottom edge", w.bottom, p.bottom);
  const LONG style = GetWindowLongA(c, GWL_STYLE);
  const std::string text = TextOf(c);
  const int width = client.right, height = client.bottom;
  std::printf("control %d %s %ldx%ld\n", id, cls.c_str(), static_cast<long>(width), static_cast<long>(height));
  if (text.empty()) return TRUE;
  if (lstrcmpiA(cls.c_str(), "Static") == 0) {
    const LONG type = style & SS_TYPEMASK;
    if (type != SS_LEFT && type != SS_CENTER && type != SS_RIGHT && type != SS_LEFTNOWORDWRAP && type != SS_SIMPLE)
      return TRUE;
    // The wrapping kinds break lines at blanks; a word longer than the
    // control still shows as too wide.
    const SIZE need = Measure(c, text, width, type != SS_LEFTNOWORDWRAP && type != SS_SIMPLE);
    if (need.cx > width) fail("a line of its text is wider than the control", need.cx, width);
    if (need.cy > height) fail("its text is taller than the control", need.cy, height);
  } else if (lstrcmpiA(cls.c_str(), "Button") == 0) {
    // A push button's face, or a check box's text beside its box.
    const LONG type = style & BS_TYPEMASK;
    const int room =
        type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON ? width - 4 : width - GetSystemMetrics(SM_CXMENUCHECK) - 4;
    const SIZE need = Measure(c, text, room, false);
    if (need.cx > room) fail("its text is wider than the button", need.cx, room);
  }
  return TRUE;
}

}  // namespace

int CheckLayout(HWND page) {
  Layout layout = {{}, 0};
  GetClientRect(page, &layout.page);
  MapWindowPoints(page, nullptr, reinterpret_cast<POINT*>(&layout.page), 2);
  EnumChildWindows(page, CheckControl, reinterpret_cast<LPARAM>(&layout));
  HDC dc = GetDC(nullptr);
  std::printf("layout at %d DPI: %s\n", GetDeviceCaps(dc, LOGPIXELSY),
              layout.bad ? "faults" : "every control and text fits");
  ReleaseDC(nullptr, dc);
  return layout.bad ? 1 : 0;
}
