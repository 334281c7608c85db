// Prints the dialog templates 106 to 110 and the bitmaps' sizes in one canonical text form, so that
// what the native build reads from the script and what the resource compiler
// made for the Win32 build can be compared with one expected text.
#include <cstdio>

#include "dialogview.h"
#include "lumiwin.h"

bool ReadBitmapSize(unsigned id, int& width, int& height) {
  HBITMAP bmp = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id));
  if (!bmp) return false;
  BITMAP info;
  bool ok = GetObjectA(bmp, sizeof info, &info) == sizeof info;
  width = info.bmWidth;
  height = info.bmHeight;
  DeleteObject(bmp);
  return ok;
}

int main() {
  for (unsigned id = 106; id <= 110; ++id) {
    DialogView d;
    if (!ReadDialogTemplate(id, d)) {
      std::printf("DIALOG %u missing\n", id);
      return 1;
    }
    std::printf("DIALOG %u%s style=%08lx exstyle=%08lx rect=%d,%d,%d,%d caption=\"%s\" font=%d,\"%s\"", id,
                d.extended ? " EX" : "", d.style, d.exStyle, d.x, d.y, d.cx, d.cy, d.caption.c_str(), d.pointSize,
                d.face.c_str());
    if (d.extended) std::printf(",%d,%d,%d", d.weight, d.italic, d.charset);
    std::printf("\n");
    for (const ControlView& c : d.controls) {
      std::printf("  %u %s \"%s\" style=%08lx exstyle=%08lx rect=%d,%d,%d,%d\n", c.id, c.cls.c_str(), c.text.c_str(),
                  c.style, c.exStyle, c.x, c.y, c.cx, c.cy);
    }
  }
  for (unsigned id = 103; id <= 113; ++id) {
    int w = 0, h = 0;
    if (!ReadBitmapSize(id, w, h)) {
      std::printf("BITMAP %u missing\n", id);
      return 1;
    }
    std::printf("BITMAP %u %dx%d\n", id, w, h);
  }
  return 0;
}
