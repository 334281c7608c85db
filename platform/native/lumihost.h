// The headless window model behind the native window-system stand-ins, and
// the sheet host's driving API: what tests and the console front end use to
// press the wizard's buttons, move the clock and read what a page shows.
// Only the native build has it; product code never includes it.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "lumiwin.h"

struct LumiWindow {
  HWND handle = nullptr;
  std::string cls;  // "Static", "Edit", "Button", "#32770" (dialog), "LumiSheet"
  std::string text;
  unsigned long style = 0, exStyle = 0;
  int id = 0;
  HWND parent = nullptr;
  std::vector<HWND> children;
  RECT rect = {};  // in the parent's client area, pixels
  WNDPROC proc = nullptr;
  DLGPROC dlgProc = nullptr;
  LONG_PTR userData = 0, msgResult = 0;
  HFONT font = nullptr;
  HGDIOBJ image = nullptr;       // STM_SETIMAGE's bitmap
  HGDIOBJ ownedImage = nullptr;  // the template's bitmap, which the control loaded
  HICON icons[2] = {nullptr, nullptr};
  bool redraw = true;
  int paints = 0;  // repaints asked for while redrawing was on
  unsigned templateId = 0;
  bool destroying = false;
};

struct LumiCreate {
  const char* cls = "";
  const char* text = "";
  unsigned long style = 0, exStyle = 0;
  int x = 0, y = 0, cx = 0, cy = 0;
  HWND parent = nullptr;
  int id = 0;
  WNDPROC proc = nullptr;
  DLGPROC dlgProc = nullptr;
  void* param = nullptr;
};

LumiWindow* LumiWindowOf(HWND h);
// Runs the creation hook, WM_NCCREATE and WM_CREATE; nullptr if creation was refused.
HWND LumiCreateWindow(const LumiCreate& c);
// A dialog and its controls from the program's template; WM_INITDIALOG gets init.
HWND LumiCreateDialog(unsigned templateId, HWND parent, DLGPROC proc, LPARAM init);
LRESULT CALLBACK LumiControlProc(HWND h, UINT msg, WPARAM w, LPARAM l);
int LumiDluX(int x);
int LumiDluY(int y);
HBRUSH LumiDialogFaceBrush();
// What a GDI object is, for the host's views.
struct LumiGdiInfo {
  enum Kind { None, Bitmap, Font, Brush } kind = None;
  int width = 0, height = 0;
  unsigned resourceId = 0;  // the bitmap resource it was loaded or scaled from
  int weight = 0;
  std::string face;
  COLORREF colour = 0;
};
LumiGdiInfo LumiGdiDescribe(HGDIOBJ h);
int LumiStubLiveGdiObjects();  // fonts, bitmaps and brushes made and not yet deleted
int LumiStubLiveDcs();
HCURSOR LumiStubCursor();
bool LumiStubIsWaitCursor(HCURSOR c);
struct LumiIconInfo {
  unsigned id;
  int width, height;
};
LumiIconInfo LumiStubDescribeIcon(HICON icon);

// Messages and time.
void LumiHostPump();  // delivers posted messages until none is left
size_t LumiHostQueued();
void LumiHostAdvance(uint64_t ms);  // moves the clock, delivering due timers
uint64_t LumiHostNow();
int LumiHostTimers(HWND h);
int LumiHostWindowCount();

// The sheet: the one shown now (nullptr when none), its state and buttons.
HWND LumiHostSheet();
bool LumiHostClosed();
void LumiSheetWindowGone(HWND h);
void LumiHostPress(int psbtn);  // PSBTN_BACK, _NEXT, _FINISH, _CANCEL, _HELP; then pumps
struct LumiButton {
  bool visible, enabled;
  std::string text;
};
LumiButton LumiHostButton(int psbtn);
HWND LumiHostPage();
unsigned LumiHostPageTemplate();
int LumiHostPageIndex();
std::string LumiHostCaption();
// A control of the current page: its text, whether it is drawn in a bold
// font, whether the page paints it on white, and the picture it shows.
std::string LumiHostText(int id);
bool LumiHostBold(int id);
bool LumiHostWhite(int id);
struct LumiPicture {
  bool shown;
  unsigned bitmapId;
  int width, height;
  int clientWidth, clientHeight;
};
LumiPicture LumiHostPicture(int id);
// Presses a push button of the current page by its label (without '&', any case).
bool LumiHostClick(const std::string& label);
// The page as text: caption, controls, pictures, buttons.
std::string LumiHostRender();

// The modal loop asks its driver for input while the sheet is open. Default:
// the console front end (standard input). A driver that returns false makes
// the loop cancel the sheet.
typedef bool (*LumiDriver)(void* context);
void LumiHostSetDriver(LumiDriver driver, void* context);
bool LumiConsoleDriver(void* context);
// Reads one console command and acts on it; false at the end of input.
bool LumiConsoleStep(const std::string& line, std::string& reply);

// The folder browser's answers: queued answers are taken first (an empty
// one cancels); with none queued the console asks standard input.
void LumiHostQueueBrowse(const std::string& answer);
struct LumiBrowseCall {
  std::string title;
  HWND owner;
  std::string answer;  // the folder chosen, empty when cancelled
};
const std::vector<LumiBrowseCall>& LumiHostBrowseLog();
int LumiStubLiveItemLists();
int LumiStubLiveAllocators();

// Help requests: each WinHelpA call.
struct LumiHelpCall {
  std::string file;
  UINT command;
  ULONG_PTR data;
};
const std::vector<LumiHelpCall>& LumiHostHelpLog();
void LumiHostClearLogs();
