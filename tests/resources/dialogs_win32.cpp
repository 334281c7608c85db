// Reads a compiled dialog template (classic or extended) from the program's resources.
#include <windows.h>

#include "dialogview.h"

namespace {
struct Reader {
  const BYTE* p;
  WORD Word() {
    WORD w = static_cast<WORD>(p[0] | p[1] << 8);
    p += 2;
    return w;
  }
  DWORD Dword() {
    DWORD lo = Word();
    return lo | static_cast<DWORD>(Word()) << 16;
  }
  short Short() { return static_cast<short>(Word()); }
  std::string Wide() {
    std::string s;
    for (WORD w; (w = Word()) != 0;) s += static_cast<char>(w < 0x100 ? w : '?');
    return s;
  }
  std::string SzOrOrd() {
    if (p[0] == 0xFF && p[1] == 0xFF) {
      p += 2;
      return "#" + std::to_string(Word());
    }
    return Wide();
  }
  // A dialog's or a control's styles: in an extended template after its
  // help id, the extended style first.
  template <class View>
  void Styles(bool extended, View& v) {
    if (extended) {
      Dword();  // help id
      v.exStyle = Dword();
      v.style = Dword();
    } else {
      v.style = Dword();
      v.exStyle = Dword();
    }
  }
  template <class View>
  void Box(View& v) {
    v.x = Short();
    v.y = Short();
    v.cx = Short();
    v.cy = Short();
  }
  void Align(const BYTE* base) {
    while ((p - base) % 4) ++p;
  }
};
}  // namespace

bool ReadDialogTemplate(unsigned id, DialogView& v) {
  HRSRC res = FindResourceA(nullptr, MAKEINTRESOURCEA(id), reinterpret_cast<LPCSTR>(RT_DIALOG));
  if (!res) return false;
  const BYTE* base = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, res)));
  Reader r{base};
  WORD count = 0;
  v.extended = base[2] == 0xFF && base[3] == 0xFF;
  if (v.extended) r.p += 4;  // its version and signature
  r.Styles(v.extended, v);
  count = r.Word();
  r.Box(v);
  r.SzOrOrd();  // menu
  r.SzOrOrd();  // class
  v.caption = r.Wide();
  if (v.style & DS_SETFONT) {
    v.pointSize = r.Word();
    if (v.extended) {
      v.weight = r.Word();
      v.italic = *r.p++;
      v.charset = *r.p++;
    }
    v.face = r.Wide();
  }
  for (WORD k = 0; k < count; ++k) {
    r.Align(base);
    ControlView c;
    r.Styles(v.extended, c);
    r.Box(c);
    c.id = v.extended ? (r.Dword() & 0xFFFF) : r.Word();
    c.cls = r.SzOrOrd();
    // Predefined classes by name, whichever form the compiler stored.
    static const char* const kClasses[] = {"BUTTON", "EDIT", "STATIC", "LISTBOX", "SCROLLBAR", "COMBOBOX"};
    for (unsigned k = 0; k < 6; ++k) {
      if (c.cls == "#" + std::to_string(0x80 + k)) c.cls = kClasses[k];
    }
    for (char& ch : c.cls) ch = static_cast<char>(ch >= 'a' && ch <= 'z' ? ch - 32 : ch);
    c.text = r.SzOrOrd();
    WORD extra = r.Word();
    r.p += extra;
    v.controls.push_back(c);
  }
  return true;
}
