// The sheet host: the headless property sheet that PropertySheetA runs
// natively, as tests and the console front end drive it: press the wizard's
// buttons and read what the page shows (the clock and the message queue are
// the window model's, lumimodel.h). Only the native build has it; product
// code never includes it.
#pragma once
#include <string>

#include "lumimodel.h"
#include "lumiwin.h"

// The sheet: the one shown now (nullptr when none), its state and buttons.
HWND LumiSheetWindow();
bool LumiSheetClosed();
void LumiSheetPress(int psbtn);  // PSBTN_BACK, _NEXT, _FINISH, _CANCEL, _HELP; then pumps
struct LumiSheetButtonView {
  bool visible, enabled;
  std::string text;
};
LumiSheetButtonView LumiSheetButton(int psbtn);
HWND LumiSheetPage();
unsigned LumiSheetPageTemplate();
int LumiSheetPageIndex();
std::string LumiSheetCaption();

// A control of the current page: its text, whether it is drawn in a bold
// font, whether the page paints it on white, and the picture it shows (with
// the repaints asked for while redrawing was on).
std::string LumiSheetText(int id);
bool LumiSheetBold(int id);
// The arguments its font was made with by CreateFontA, comma-separated, the
// face name last; empty for a font made otherwise.
std::string LumiSheetFontArguments(int id);
bool LumiSheetWhite(int id);
struct LumiSheetPictureView {
  bool shown;
  unsigned bitmapId;
  int width, height;
  int clientWidth, clientHeight;
  int paints;
};
LumiSheetPictureView LumiSheetPicture(int id);
// A button's label as the views show and match it: without '&', lower case.
std::string LumiSheetLabel(const std::string& text);
// Presses a push button of the current page by its label (without '&', any case).
bool LumiSheetClick(const std::string& label);
// The page as text: caption, controls, pictures, buttons.
std::string LumiSheetRender();

// The modal loop asks its driver for input while the sheet is open. With no
// driver, or one that returns false, the loop cancels the sheet: a program
// or test that shows the sheet chooses its driver (the console front end is
// one, lumiconsole.h).
typedef bool (*LumiSheetDriver)(void* context);
void LumiSheetSetDriver(LumiSheetDriver driver, void* context);
