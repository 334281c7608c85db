// What tests and the console read of the sheet host's current page (sheet.h):
// its controls' texts, fonts and pictures, and the page as text; and a push
// button pressed by its label. Only the native build has it.
#pragma once
#include <string>

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
