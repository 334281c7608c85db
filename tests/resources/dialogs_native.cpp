#include <cctype>
#include <cstdio>
#include <string>

#include "dialogview.h"
#include "rcscript.h"

bool ReadDialogTemplate(unsigned id, DialogView& v) {
  const auto& all = LumiModuleScript().Dialogs();
  auto it = all.find(id);
  if (it == all.end()) return false;
  const RcDialog& d = it->second;
  v.extended = d.extended;
  v.style = d.style;
  v.exStyle = d.exStyle;
  v.x = d.x;
  v.y = d.y;
  v.cx = d.cx;
  v.cy = d.cy;
  v.caption = d.caption;
  v.face = d.face;
  v.pointSize = d.pointSize;
  v.weight = d.weight;
  v.italic = d.italic;
  v.charset = d.charset;
  for (const RcControl& c : d.controls) {
    ControlView cv;
    cv.text = c.hasTextId ? "#" + std::to_string(c.textId) : c.text;
    cv.id = c.id;
    for (char ch : c.className) cv.cls += static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    cv.style = c.style;
    cv.exStyle = c.exStyle;
    cv.x = c.x;
    cv.y = c.y;
    cv.cx = c.cx;
    cv.cy = c.cy;
    v.controls.push_back(cv);
  }
  return true;
}

// The native build does not carry the bitmaps yet: the files in res/ that
// the script names are read directly.
bool ReadBitmapSize(unsigned id, int& width, int& height) {
  static const char* const kFiles[] = {"slide1", "slide2", "slide3", "slide4", "slide5", "logo",
                                       "white",  "folders", "golight", "fireworks", "stop"};
  if (id < 103 || id > 113) return false;
  std::FILE* f = std::fopen((std::string(LUMI_RES_DIR) + "/" + kFiles[id - 103] + ".bmp").c_str(), "rb");
  if (!f) return false;
  unsigned char h[26];
  bool ok = std::fread(h, 1, sizeof h, f) == sizeof h && h[0] == 'B' && h[1] == 'M';
  std::fclose(f);
  width = h[18] | h[19] << 8;
  height = h[22] | h[23] << 8;
  return ok;
}
