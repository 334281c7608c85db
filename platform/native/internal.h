// The stand-ins' own plumbing, shared between their files: the headless
// window model, dialogs from templates, and what the sheet host and its views
// need to know of GDI objects. Private to platform/native: tests and tools
// steer and inspect the stand-ins through lumisheet.h and lumistandin.h.
#pragma once
#include <sys/types.h>
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

// COM classes served by CoCreateInstance's table: each makes its object and
// asks it for riid.
HRESULT LumiCreateShellLink(REFIID riid, void** ppv);
HRESULT LumiCreateActiveDesktop(REFIID riid, void** ppv);

// Writes to a descriptor as WriteFile does, within the disk space a test
// left the file's folder (LumiSetDiskSpace): errno ENOSPC once none is left.
ssize_t LumiWriteFd(int fd, const void* buf, size_t n);

// The message queue drops what it holds for a window being destroyed: its
// posted messages and its timers.
void LumiForgetMessages(HWND h);
