// The headless window model the window stand-ins keep, as a host builds on
// it: window records and creation, dialogs from the program's templates, what
// a GDI object is, and the message queue with its clock, which moves only
// when told to. Only the native build has it; product code never includes it.
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
  std::string fontArguments;  // CreateFontA's, comma-separated, the face last
  COLORREF colour = 0;
};
LumiGdiInfo LumiGdiDescribe(HGDIOBJ h);

// The window model tells one observer of each window it has destroyed (the
// sheet host, which must know when its sheet is gone); nullptr: none.
typedef void (*LumiDestroyObserver)(HWND h);
void LumiObserveDestroy(LumiDestroyObserver observer);

// The queue and the clock.
void LumiPumpMessages();  // delivers posted messages until none is left
size_t LumiQueuedMessages();
void LumiAdvanceClock(uint64_t ms);  // moves the clock, delivering due timers
uint64_t LumiClockNow();
int LumiTimerCount(HWND h);
int LumiWindowCount();  // windows alive, sheets and controls included
