#include "rcscript.h"

#include <cctype>
#include <cstdlib>
#include <cstring>

namespace {

// Window, dialog and control style names a script may use.
struct StyleName {
  const char* name;
  unsigned long value;
};
const StyleName kStyles[] = {
    {"WS_OVERLAPPED", 0x00000000},
    {"WS_POPUP", 0x80000000},
    {"WS_CHILD", 0x40000000},
    {"WS_MINIMIZE", 0x20000000},
    {"WS_VISIBLE", 0x10000000},
    {"WS_DISABLED", 0x08000000},
    {"WS_CLIPSIBLINGS", 0x04000000},
    {"WS_CLIPCHILDREN", 0x02000000},
    {"WS_MAXIMIZE", 0x01000000},
    {"WS_CAPTION", 0x00C00000},
    {"WS_BORDER", 0x00800000},
    {"WS_DLGFRAME", 0x00400000},
    {"WS_VSCROLL", 0x00200000},
    {"WS_HSCROLL", 0x00100000},
    {"WS_SYSMENU", 0x00080000},
    {"WS_THICKFRAME", 0x00040000},
    {"WS_GROUP", 0x00020000},
    {"WS_TABSTOP", 0x00010000},
    {"WS_EX_CLIENTEDGE", 0x00000200},
    {"WS_EX_STATICEDGE", 0x00020000},
    {"WS_EX_TRANSPARENT", 0x00000020},
    {"DS_SETFONT", 0x40},
    {"DS_MODALFRAME", 0x80},
    {"DS_3DLOOK", 0x04},
    {"DS_CONTROL", 0x400},
    {"SS_LEFT", 0x0},
    {"SS_CENTER", 0x1},
    {"SS_RIGHT", 0x2},
    {"SS_ICON", 0x3},
    {"SS_BITMAP", 0xE},
    {"SS_CENTERIMAGE", 0x200},
    {"SS_SUNKEN", 0x1000},
    {"SS_NOTIFY", 0x100},
    {"ES_LEFT", 0x0},
    {"ES_MULTILINE", 0x4},
    {"ES_AUTOVSCROLL", 0x40},
    {"ES_AUTOHSCROLL", 0x80},
    {"ES_READONLY", 0x800},
    {"ES_WANTRETURN", 0x1000},
    {"BS_PUSHBUTTON", 0x0},
    {"BS_DEFPUSHBUTTON", 0x1},
    {"BS_CHECKBOX", 0x2},
    {"BS_AUTOCHECKBOX", 0x3},
    {"BS_GROUPBOX", 0x7},
    {"IDC_STATIC", 0xFFFFFFFF},
};

unsigned ClassOrdinal(const std::string& name) {
  static const char* const kClasses[] = {"BUTTON", "EDIT", "STATIC", "LISTBOX", "SCROLLBAR", "COMBOBOX"};
  std::string up;
  for (char c : name) up += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  for (unsigned k = 0; k < 6; ++k) {
    if (up == kClasses[k]) return 0x80 + k;
  }
  return 0;
}

}  // namespace

bool RcScript::Fail(const std::string& file, int line, const std::string& what) {
  error_ = file + ":" + std::to_string(line) + ": " + what;
  return false;
}

bool RcScript::Define(const std::string& name, long& value) const {
  auto it = defines_.find(name);
  if (it == defines_.end()) return false;
  value = it->second;
  return true;
}

bool RcScript::Value(const Token& t, long& v) const {
  if (t.kind == Token::Number) {
    v = t.number;
    return true;
  }
  if (t.kind != Token::Word) return false;
  if (Define(t.text, v)) return true;
  for (const StyleName& s : kStyles) {
    if (t.text == s.name) {
      v = static_cast<long>(s.value);
      return true;
    }
  }
  return false;
}

bool RcScript::Comma(size_t& i) {
  if (i < tokens_.size() && tokens_[i].text == ",") {
    ++i;
    return true;
  }
  return false;
}

bool RcScript::Int(size_t& i, long& v) {
  if (i >= tokens_.size() || !Value(tokens_[i], v)) return false;
  ++i;
  return true;
}

// A style expression: names and numbers joined by '|', each maybe after NOT.
bool RcScript::Expr(size_t& i, unsigned long& v) {
  v = 0;
  for (;;) {
    bool negate = false;
    if (i < tokens_.size() && tokens_[i].text == "NOT") {
      negate = true;
      ++i;
    }
    long term = 0;
    if (!Int(i, term)) return false;
    if (negate) {
      v &= ~static_cast<unsigned long>(term);
    } else {
      v |= static_cast<unsigned long>(term);
    }
    if (i < tokens_.size() && tokens_[i].text == "|") {
      ++i;
      continue;
    }
    return true;
  }
}

bool RcScript::ParseDialog(size_t& i) {
  const std::string& file = sources_->front().name;
  RcDialog d;
  long id = 0;
  const int line = tokens_[i].line;
  if (!Value(tokens_[i], id) || id < 0 || id > 0xFFFF) return Fail(file, line, "bad dialog id");
  d.id = static_cast<unsigned>(id);
  d.extended = tokens_[i + 1].text == "DIALOGEX";
  i += 2;
  long r[4];
  for (int k = 0; k < 4; ++k) {
    if (!Int(i, r[k]) || (k < 3 && !Comma(i))) return Fail(file, line, "bad dialog rectangle");
  }
  d.x = static_cast<int>(r[0]);
  d.y = static_cast<int>(r[1]);
  d.cx = static_cast<int>(r[2]);
  d.cy = static_cast<int>(r[3]);
  while (i < tokens_.size() && tokens_[i].text != "BEGIN" && tokens_[i].text != "{") {
    const Token& t = tokens_[i++];
    if (t.text == "STYLE") {
      if (!Expr(i, d.style)) return Fail(file, t.line, "bad STYLE");
    } else if (t.text == "EXSTYLE") {
      if (!Expr(i, d.exStyle)) return Fail(file, t.line, "bad EXSTYLE");
    } else if (t.text == "CAPTION") {
      if (i >= tokens_.size() || tokens_[i].kind != Token::String) return Fail(file, t.line, "bad CAPTION");
      d.caption = tokens_[i++].text;
    } else if (t.text == "FONT") {
      long size = 0;
      if (!Int(i, size) || !Comma(i) || i >= tokens_.size() || tokens_[i].kind != Token::String) {
        return Fail(file, t.line, "bad FONT");
      }
      d.pointSize = static_cast<int>(size);
      d.face = tokens_[i++].text;
      long extra[3] = {0, 0, 0};
      for (int k = 0; k < 3 && Comma(i); ++k) {
        if (!Int(i, extra[k])) return Fail(file, t.line, "bad FONT");
      }
      d.weight = static_cast<int>(extra[0]);
      d.italic = static_cast<int>(extra[1]);
      d.charset = static_cast<int>(extra[2]);
      d.style |= 0x40;  // DS_SETFONT comes with a font
    } else {
      return Fail(file, t.line, "unknown dialog statement '" + t.text + "'");
    }
  }
  if (i >= tokens_.size()) return Fail(file, line, "dialog without BEGIN");
  ++i;
  while (i < tokens_.size() && tokens_[i].text != "END" && tokens_[i].text != "}") {
    const Token& t = tokens_[i++];
    if (t.text != "CONTROL") return Fail(file, t.line, "unsupported control statement '" + t.text + "'");
    RcControl c;
    long v = 0;
    if (i < tokens_.size() && tokens_[i].kind == Token::String) {
      c.text = tokens_[i++].text;
    } else if (Int(i, v)) {
      c.textId = static_cast<unsigned>(v);
      c.hasTextId = true;
    } else {
      return Fail(file, t.line, "bad control text");
    }
    long cid = 0;
    if (!Comma(i) || !Int(i, cid) || !Comma(i) || i >= tokens_.size() || tokens_[i].kind != Token::String) {
      return Fail(file, t.line, "bad control id or class");
    }
    c.id = static_cast<unsigned>(cid) & 0xFFFF;
    c.className = tokens_[i++].text;
    c.classOrdinal = ClassOrdinal(c.className);
    if (!Comma(i) || !Expr(i, c.style)) return Fail(file, t.line, "bad control style");
    c.style |= 0x50000000;  // WS_CHILD | WS_VISIBLE, as for every CONTROL statement
    long cr[4];
    for (int k = 0; k < 4; ++k) {
      if (!Comma(i) || !Int(i, cr[k])) return Fail(file, t.line, "bad control rectangle");
    }
    c.x = static_cast<int>(cr[0]);
    c.y = static_cast<int>(cr[1]);
    c.cx = static_cast<int>(cr[2]);
    c.cy = static_cast<int>(cr[3]);
    if (Comma(i) && !Expr(i, c.exStyle)) return Fail(file, t.line, "bad control extended style");
    d.controls.push_back(c);
  }
  if (i >= tokens_.size()) return Fail(file, line, "dialog without END");
  ++i;
  dialogs_[d.id] = d;
  return true;
}

bool RcScript::Parse(const std::vector<RcSource>& sources) {
  sources_ = &sources;
  tokens_.clear();
  defines_.clear();
  strings_.clear();
  dialogs_.clear();
  bitmaps_.clear();
  icons_.clear();
  error_.clear();
  if (sources.empty()) return Fail("(none)", 0, "no script");
  if (!Lex(sources[0].name, sources[0].text, 0, tokens_)) return false;
  for (size_t i = 0; i < tokens_.size();) {
    if (tokens_[i].kind == Token::Word && tokens_[i].text == "STRINGTABLE") {
      if (!ParseStringTable(i)) return false;
    } else if (i + 1 < tokens_.size() && (tokens_[i + 1].text == "DIALOG" || tokens_[i + 1].text == "DIALOGEX")) {
      if (!ParseDialog(i)) return false;
    } else if (i + 2 < tokens_.size() && (tokens_[i + 1].text == "BITMAP" || tokens_[i + 1].text == "ICON")) {
      long id = 0;
      if (!Value(tokens_[i], id) || id < 0 || id > 0xFFFF || tokens_[i + 2].kind != Token::String) {
        return Fail(sources_->front().name, tokens_[i].line, "bad " + tokens_[i + 1].text + " statement");
      }
      (tokens_[i + 1].text == "BITMAP" ? bitmaps_ : icons_)[static_cast<unsigned>(id)] = tokens_[i + 2].text;
      i += 3;
    } else {
      ++i;  // statements this reader does not serve
    }
  }
  return true;
}

bool RcScript::ParseStringTable(size_t& i) {
  const int startLine = tokens_[i].line;
  ++i;
  while (i < tokens_.size() && !(tokens_[i].text == "BEGIN" || tokens_[i].text == "{")) ++i;
  if (i >= tokens_.size()) return Fail(sources_->front().name, startLine, "STRINGTABLE without BEGIN");
  ++i;
  while (i < tokens_.size()) {
    const Token& t = tokens_[i];
    if (t.text == "END" || t.text == "}") {
      ++i;
      return true;
    }
    long id = 0;
    if (!Value(t, id) || id < 0 || id > 0xFFFF)
      return Fail(sources_->front().name, t.line, "bad string id '" + t.text + "'");
    ++i;
    if (i < tokens_.size() && tokens_[i].text == ",") ++i;
    if (i >= tokens_.size() || tokens_[i].kind != Token::String)
      return Fail(sources_->front().name, t.line, "string id without text");
    std::string text = tokens_[i].text;
    ++i;
    while (i < tokens_.size() && tokens_[i].kind == Token::String) text += tokens_[i++].text;  // adjacent literals join
    strings_[static_cast<unsigned>(id)] = text;
  }
  return Fail(sources_->front().name, startLine, "STRINGTABLE without END");
}
