// Reads back the window of another program (the help viewer the wizard
// starts, the installed product): its caption, and the text of each of its
// controls, a list box's items one by one. Unless it is to be closed, a list
// box's first item is chosen, as a person would.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "wizdriver.h"

namespace {

struct Wanted {
  const std::string* title;
  HWND found;
};

BOOL CALLBACK IsWanted(HWND h, LPARAM l) {
  auto* w = reinterpret_cast<Wanted*>(l);
  if (IsWindowVisible(h) && TextOf(h).rfind(*w->title, 0) == 0) {
    w->found = h;
    return FALSE;
  }
  return TRUE;
}

void PrintLine(const char* what, const std::string& text) { std::printf("%s: %s\n", what, OneLine(text).c_str()); }

BOOL CALLBACK PrintTopLevel(HWND h, LPARAM) {
  if (IsWindowVisible(h)) std::fprintf(stderr, "open: '%s'\n", TextOf(h).c_str());
  return TRUE;
}

// Prints a control's text; a list box's items, then chooses its first as a
// click would (when asked: l is nonzero).
BOOL CALLBACK PrintControl(HWND c, LPARAM l) {
  const std::string cls = ClassOf(c);
  if (lstrcmpiA(cls.c_str(), "ListBox") != 0) {
    if (IsWindowVisible(c)) PrintLine(cls.c_str(), TextOf(c));
    return TRUE;
  }
  // The system carries a list box's item texts across processes. They are
  // asked for as UTF-16 (the ANSI form comes back as UTF-16 from Wine's
  // 64-bit loader, past the length it gave) and printed in the code page.
  const LRESULT n = SendMessageW(c, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < n; ++i) {
    const LRESULT len = SendMessageW(c, LB_GETTEXTLEN, i, 0);
    if (len < 0 || len > 4096) continue;
    std::vector<wchar_t> wide(static_cast<size_t>(len) + 1, L'\0');
    SendMessageW(c, LB_GETTEXT, i, reinterpret_cast<LPARAM>(wide.data()));
    char item[3 * 4096 + 1] = "";
    WideCharToMultiByte(CP_ACP, 0, wide.data(), -1, item, sizeof item, nullptr, nullptr);
    PrintLine("item", item);
  }
  if (l && n > 0) {
    SendMessageA(c, LB_SETCURSEL, 0, 0);
    SendMessageA(GetParent(c), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(c), LBN_SELCHANGE), reinterpret_cast<LPARAM>(c));
  }
  return TRUE;
}

}  // namespace

int ReadWindow(const std::string& title, int seconds, bool close) {
  Wanted w = {&title, nullptr};
  if (!WaitFor(seconds, [&] { return !EnumWindows(IsWanted, reinterpret_cast<LPARAM>(&w)) && w.found; })) {
    std::fprintf(stderr, "no window whose caption begins with '%s'\n", title.c_str());
    EnumWindows(PrintTopLevel, 0);
    return 1;
  }
  Sleep(500);  // its controls filled
  PrintLine("window", TextOf(w.found));
  EnumChildWindows(w.found, PrintControl, close ? 0 : 1);
  if (close) PostMessageA(w.found, WM_CLOSE, 0, 0);
  return 0;
}
