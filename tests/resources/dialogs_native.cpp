#include <cctype>
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
