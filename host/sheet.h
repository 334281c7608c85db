// The sheet host: the headless property sheet that PropertySheetA runs
// natively, as tests and the console front end drive it: press the wizard's
// buttons and read what the page shows (the clock and the message queue are
// the window model's, lumimodel.h); what a page shows is read through
// views.h. Only the native build has it; product code never includes it.
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

// The modal loop asks its driver for input while the sheet is open. With no
// driver, or one that returns false, the loop cancels the sheet: a program
// or test that shows the sheet chooses its driver (the console front end is
// one, console.h).
typedef bool (*LumiSheetDriver)(void* context);
void LumiSheetSetDriver(LumiSheetDriver driver, void* context);
