// wizdriver: drives the real setup.exe from outside, the way a person
// would, through the platform's own messages; one command per run.
//   wait-sheet SECONDS     wait for the wizard; print its caption
//   activate               make the wizard the active window (for a screenshot)
//   dump                   caption, the current page's controls, the sheet's
//                          buttons by name, control id, state and text, the
//                          control that has the focus, the default button
//   press BUTTON           back, next, finish, cancel, help: clicks the sheet's
//                          button of that control id, which must be shown
//                          and enabled (its text is the platform's, in the
//                          platform's language)
//   click ID               press the page's push button ID
//   browse TEXT            in the folder browser, select the first item whose
//                          text holds TEXT (expanding drives), then OK
//   browse-cancel          cancel the folder browser
//   dismiss SECONDS        close a message box of another program; print its text
//   layout                 every control inside the page, every text inside
//                          its control, in the control's font
//   wait-gone SECONDS      wait until the wizard has closed
//   check FOLDER [MEDIUM]  the installed tree in FOLDER: every manifest file
//                          (as MEDIUM's expands, when given), both category
//                          lists byte for byte, both links
//   launch                 open the setup's desktop shortcut through the shell
//   window TITLE [SECONDS] wait for another program's window whose caption
//                          begins with TITLE; print its caption and controls
//   close TITLE            the same, then close that window
//   volume ROOT            the drive's type and label
//   windows-folder         the Windows folder
//   windows-version        the version of Windows programs are told
#include <windows.h>

#include <commctrl.h>
#include <shlobj.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "lumiids.h"
#include "testmachine.h"
#include "wizdriver.h"

namespace {

const char kStem[] = "Lumiscroll Installation";

BOOL CALLBACK IsSheet(HWND h, LPARAM l) {
  if (ClassOf(h) == LUMI_DIALOG_CLASS && IsWindowVisible(h) && TextOf(h).rfind(kStem, 0) == 0) {
    *reinterpret_cast<HWND*>(l) = h;
    return FALSE;
  }
  return TRUE;
}

HWND FindSheet() {
  HWND found = nullptr;
  EnumWindows(IsSheet, reinterpret_cast<LPARAM>(&found));
  return found;
}

// Waits until the wizard's thread has handled what was posted to it (an
// install runs inside a Finish press, so this may take a while).
void Settle(HWND sheet) {
  for (int i = 0; i < 3; ++i) {
    Sleep(150);
    DWORD_PTR r;
    SendMessageTimeoutA(sheet, WM_NULL, 0, 0, SMTO_NORMAL, 120000, &r);
  }
}

// The sheet's own buttons by control id.
const struct SheetButton {
  int id;
  const char* name;
} kButtons[] = {{0x3023, "back"}, {0x3024, "next"}, {0x3025, "finish"}, {IDCANCEL, "cancel"}, {IDHELP, "help"}};

HWND Page(HWND sheet) { return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0)); }

int Dump(HWND sheet) {
  std::printf("caption: %s\n", TextOf(sheet).c_str());
  HWND page = Page(sheet);
  for (HWND c = GetWindow(page, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    if (!IsWindowVisible(c)) continue;
    bool picture = ClassOf(c) == "Static" && (GetWindowLongA(c, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP;
    const std::string text = picture ? "(picture)" : OneLine(TextOf(c));
    std::printf("control %d %s: %s\n", GetDlgCtrlID(c), ClassOf(c).c_str(), text.c_str());
  }
  for (const auto& b : kButtons) {
    HWND h = GetDlgItem(sheet, b.id);
    if (!h || !IsWindowVisible(h)) continue;
    std::printf("button %s %#06x %s: %s\n", b.name, b.id, IsWindowEnabled(h) ? "on" : "off", TextOf(h).c_str());
  }
  // Where the keys go: the wizard thread's focus, and the button Enter presses.
  GUITHREADINFO gui = {};
  gui.cbSize = sizeof gui;
  HWND focus = GetGUIThreadInfo(GetWindowThreadProcessId(sheet, nullptr), &gui) ? gui.hwndFocus : nullptr;
  if (focus) {
    std::printf("focus: %#06x %s%s: %s\n", GetDlgCtrlID(focus), ClassOf(focus).c_str(),
                IsWindowVisible(focus) ? "" : " (hidden)", TextOf(focus).c_str());
  } else {
    std::printf("focus: none\n");
  }
  const LRESULT def = SendMessageA(sheet, DM_GETDEFID, 0, 0);
  if (HIWORD(def) == DC_HASDEFID) std::printf("default: %#06x\n", LOWORD(def));
  return 0;
}

// What the button itself sends its sheet when clicked.
int Press(HWND sheet, const std::string& name) {
  for (const auto& b : kButtons) {
    if (name != b.name) continue;
    HWND h = GetDlgItem(sheet, b.id);
    const char* state = !h ? "missing" : !IsWindowVisible(h) ? "hidden" : !IsWindowEnabled(h) ? "off" : nullptr;
    if (state) {
      std::fprintf(stderr, "the %s button (%#06x) is %s\n", b.name, b.id, state);
      return 1;
    }
    PostMessageA(sheet, WM_COMMAND, MAKEWPARAM(b.id, BN_CLICKED), reinterpret_cast<LPARAM>(h));
    Settle(sheet);
    return 0;
  }
  std::fprintf(stderr, "no button %s\n", name.c_str());
  return 2;
}

struct FindOtherState {
  HWND sheet;
  DWORD pid;
  bool same;
  HWND found;
};

BOOL CALLBACK IsOther(HWND h, LPARAM l) {
  auto* f = reinterpret_cast<FindOtherState*>(l);
  DWORD p = 0;
  GetWindowThreadProcessId(h, &p);
  if (h != f->sheet && IsWindowVisible(h) && ClassOf(h) == LUMI_DIALOG_CLASS && (p == f->pid) == f->same) {
    f->found = h;
    return FALSE;
  }
  return TRUE;
}

// A dialog other than the sheet, of the setup's process (the folder
// browser) or of another one (a message box of the help viewer).
HWND FindOther(HWND sheet, bool sameProcess, int seconds) {
  DWORD pid = 0;
  GetWindowThreadProcessId(sheet, &pid);
  FindOtherState f = {sheet, pid, sameProcess, nullptr};
  WaitFor(seconds, [&] { return !EnumWindows(IsOther, reinterpret_cast<LPARAM>(&f)) && f.found; });
  return f.found;
}

// The text of a tree item in another process: the item record and its text
// buffer are placed in that process's memory.
std::string ItemText(HANDLE process, HWND tree, HTREEITEM item) {
  const size_t size = sizeof(TVITEMA) + 260;
  void* remote = VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
  if (!remote) return "";
  TVITEMA tv = {};
  tv.mask = TVIF_TEXT;
  tv.hItem = item;
  tv.pszText = static_cast<char*>(remote) + sizeof(TVITEMA);
  tv.cchTextMax = 260;
  WriteProcessMemory(process, remote, &tv, sizeof tv, nullptr);
  SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(remote));
  char text[261] = "";
  ReadProcessMemory(process, static_cast<char*>(remote) + sizeof(TVITEMA), text, 260, nullptr);
  VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  return text;
}

HTREEITEM Next(HWND tree, HTREEITEM item, UINT how) {
  return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, how, reinterpret_cast<LPARAM>(item)));
}

int Browse(HWND sheet, const std::string& want, bool cancel) {
  HWND dlg = FindOther(sheet, true, 20);
  if (!dlg) {
    std::fprintf(stderr, "no folder browser\n");
    return 1;
  }
  std::printf("browser: %s\n", TextOf(dlg).c_str());
  if (cancel) {
    PostMessageA(dlg, WM_COMMAND, IDCANCEL, 0);
    Settle(sheet);
    return 0;
  }
  HWND tree = FindWindowExA(dlg, nullptr, "SysTreeView32", nullptr);
  DWORD pid = 0;
  GetWindowThreadProcessId(dlg, &pid);
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
  if (!tree || !process) {
    std::fprintf(stderr, "no tree in the browser\n");
    return 1;
  }
  // Breadth first over the items, expanding each level as it is reached; the
  // browser fills its tree as it goes, so a search that finds nothing is made
  // again from the top, once a second.
  HTREEITEM chosen = nullptr;
  WaitFor(
      5,
      [&] {
        std::vector<HTREEITEM> level;
        for (HTREEITEM i = Next(tree, nullptr, TVGN_ROOT); i; i = Next(tree, i, TVGN_NEXT)) level.push_back(i);
        for (int depth = 0; depth < 3 && !chosen && !level.empty(); ++depth) {
          std::vector<HTREEITEM> below;
          for (HTREEITEM i : level) {
            std::string text = ItemText(process, tree, i);
            std::printf("item: %s\n", text.c_str());
            if (text.find(want) != std::string::npos) {
              chosen = i;
              break;
            }
            SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(i));
            for (HTREEITEM c = Next(tree, i, TVGN_CHILD); c; c = Next(tree, c, TVGN_NEXT)) below.push_back(c);
          }
          level = below;
        }
        return chosen != nullptr;
      },
      1000);
  CloseHandle(process);
  if (!chosen) {
    std::fprintf(stderr, "no item holds %s\n", want.c_str());
    return 1;
  }
  SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(chosen));
  Sleep(300);
  PostMessageA(dlg, WM_COMMAND, IDOK, reinterpret_cast<LPARAM>(GetDlgItem(dlg, IDOK)));
  Settle(sheet);
  return 0;
}

int Dismiss(HWND sheet, int seconds) {
  HWND box = FindOther(sheet, false, seconds);
  if (!box) {
    std::fprintf(stderr, "no message box\n");
    return 1;
  }
  for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    if (ClassOf(c) == "Static" && !TextOf(c).empty()) std::printf("box: %s\n", TextOf(c).c_str());
  }
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  PostMessageA(box, WM_CLOSE, 0, 0);
  return 0;
}

}  // namespace

bool WaitFor(int seconds, const std::function<bool()>& done, int step) {
  static const int slow = [] {
    const char* given = std::getenv("LUMI_SLOW");
    const int factor = given ? std::atoi(given) : 1;
    return factor > 0 ? factor : 1;
  }();
  for (DWORD start = GetTickCount();;) {
    if (done()) return true;
    if (GetTickCount() - start >= static_cast<DWORD>(seconds) * 1000 * slow) return false;
    Sleep(step);
  }
}

std::string TextOf(HWND h) {
  char buf[4096] = "";
  // WM_GETTEXT is carried across processes by the system.
  SendMessageTimeoutA(h, WM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(buf), SMTO_ABORTIFHUNG, 5000, nullptr);
  return buf;
}

std::string ClassOf(HWND h) {
  char buf[64] = "";
  GetClassNameA(h, buf, sizeof buf);
  return buf;
}

std::string OneLine(std::string text) {
  for (char& ch : text) {
    if (ch == '\r' || ch == '\n') ch = '|';
  }
  return text;
}

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: wizdriver COMMAND [ARG]\n");
    return 2;
  }
  std::string cmd = argv[1], arg = argc > 2 ? argv[2] : "";
  if (cmd == "check") return CheckInstall(arg, argc > 3 ? argv[3] : "");
  if (cmd == "window" || cmd == "close") return ReadWindow(arg, argc > 3 ? std::atoi(argv[3]) : 30, cmd == "close");
  if (cmd == "windows-folder") {
    char windows[MAX_PATH] = "";
    GetWindowsDirectoryA(windows, MAX_PATH);
    std::printf("%s\n", windows);
    return 0;
  }
  if (cmd == "windows-version") {
    // As the system keeps it: GetVersion tells a program without a manifest
    // that names Windows 10 no more than 6.2.
    typedef LONG(WINAPI * GetVersionFn)(OSVERSIONINFOW*);
    auto get = reinterpret_cast<GetVersionFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "RtlGetVersion")));
    OSVERSIONINFOW v = {};
    v.dwOSVersionInfoSize = sizeof v;
    if (!get || get(&v) != 0) {
      std::fprintf(stderr, "no RtlGetVersion\n");
      return 1;
    }
    std::printf("%lu.%lu%s\n", v.dwMajorVersion, v.dwMinorVersion,
                v.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS ? " (Windows 9x)" : "");
    return 0;
  }
  if (cmd == "volume") {
    char label[MAX_PATH + 1] = "";
    const UINT type = GetDriveTypeA(arg.c_str());
    char fs[MAX_PATH + 1] = "";
    if (!GetVolumeInformationA(arg.c_str(), label, sizeof label, nullptr, nullptr, nullptr, fs, sizeof fs)) {
      std::fprintf(stderr, "no volume information for %s (error %lu)\n", arg.c_str(), GetLastError());
    }
    std::printf("type %u%s label %s file system %s\n", type, type == DRIVE_CDROM ? " (CD-ROM)" : "", label, fs);
    return 0;
  }
  if (cmd == "launch") {
    const std::string link = LinkIn("Desktop");
    std::printf("open %s\n", link.c_str());
    const auto started =
        reinterpret_cast<INT_PTR>(ShellExecuteA(nullptr, "open", link.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    if (started > 32) return 0;
    std::fprintf(stderr, "the shell did not open %s (%d)\n", link.c_str(), static_cast<int>(started));
    return 1;
  }
  int seconds = arg.empty() ? 30 : std::atoi(arg.c_str());
  if (cmd == "wait-gone") {
    if (WaitFor(seconds, [] { return !FindSheet(); })) return 0;
    std::fprintf(stderr, "the wizard is still open\n");
    return 1;
  }
  HWND sheet = nullptr;
  if (!WaitFor(cmd == "wait-sheet" ? seconds : 5, [&] { return (sheet = FindSheet()) != nullptr; })) {
    std::fprintf(stderr, "no wizard window\n");
    return 1;
  }
  if (cmd == "wait-sheet") {
    Settle(sheet);
    std::printf("%s\n", TextOf(sheet).c_str());
    return 0;
  }
  if (cmd == "activate") {
    // Under Xvfb the Wine desktop never has the input focus, so even the
    // foreground window draws its caption as inactive: it is asked to draw
    // it as on a desktop that has the focus.
    SetForegroundWindow(sheet);
    SendMessageTimeoutA(sheet, WM_NCACTIVATE, TRUE, 0, SMTO_NORMAL, 5000, nullptr);
    Settle(sheet);
    return 0;
  }
  if (cmd == "dump") return Dump(sheet);
  if (cmd == "layout") return CheckLayout(Page(sheet));
  if (cmd == "press") return Press(sheet, arg);
  if (cmd == "click") {
    HWND page = Page(sheet);
    int id = std::atoi(arg.c_str());
    PostMessageA(page, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(page, id)));
    Sleep(300);
    return 0;
  }
  if (cmd == "browse") return Browse(sheet, arg, false);
  if (cmd == "browse-cancel") return Browse(sheet, "", true);
  if (cmd == "dismiss") return Dismiss(sheet, seconds);
  std::fprintf(stderr, "unknown command %s\n", cmd.c_str());
  return 2;
}
