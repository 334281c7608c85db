// A reader of resource scripts (.rc with the headers it includes), for the
// native build, which has no resource compiler: the program carries its
// script as text and reads its resources from it.
#pragma once
#include <map>
#include <string>
#include <vector>

struct RcSource {
  std::string name;  // as #include names it
  std::string text;
};

struct RcControl {
  std::string text;     // the initial text, or empty when textId is set
  unsigned textId = 0;  // a resource id as initial image (CONTROL 109, ...)
  bool hasTextId = false;
  unsigned id = 0;  // 16-bit: -1 is 65535
  std::string className;
  unsigned classOrdinal = 0;  // 0x80 Button, 0x81 Edit, 0x82 Static, ...; 0 for other classes
  unsigned long style = 0, exStyle = 0;
  int x = 0, y = 0, cx = 0, cy = 0;
};

struct RcDialog {
  unsigned id = 0;
  bool extended = false;  // DIALOGEX
  unsigned long style = 0, exStyle = 0;
  int x = 0, y = 0, cx = 0, cy = 0;
  std::string caption;
  int pointSize = 0, weight = 0, italic = 0, charset = 0;
  std::string face;
  std::vector<RcControl> controls;
};

class RcScript {
 public:
  // Reads the first source and what it includes from sources. False, with
  // Error() telling where, when the script is malformed.
  bool Parse(const std::vector<RcSource>& sources);
  const std::string& Error() const { return error_; }

  const std::map<unsigned, std::string>& Strings() const { return strings_; }
  const std::map<unsigned, RcDialog>& Dialogs() const { return dialogs_; }
  // BITMAP and ICON statements: resource id -> file name.
  const std::map<unsigned, std::string>& Bitmaps() const { return bitmaps_; }
  const std::map<unsigned, std::string>& Icons() const { return icons_; }
  // Value of a #define'd name; false if it has none.
  bool Define(const std::string& name, long& value) const;

 private:
  struct Token {
    enum Kind { End, Word, Number, String, Punct } kind = End;
    std::string text;
    long number = 0;
    int line = 0;
  };
  bool Lex(const std::string& file, const std::string& text, int depth, std::vector<Token>& out);
  bool Fail(const std::string& file, int line, const std::string& what);
  bool ParseStringTable(size_t& i);
  bool ParseDialog(size_t& i);
  bool Expr(size_t& i, unsigned long& v);
  bool Int(size_t& i, long& v);
  bool Comma(size_t& i);
  bool Value(const Token& t, long& v) const;

  const std::vector<RcSource>* sources_ = nullptr;
  std::vector<Token> tokens_;
  std::map<std::string, long> defines_;
  std::map<unsigned, std::string> strings_;
  std::map<unsigned, RcDialog> dialogs_;
  std::map<unsigned, std::string> bitmaps_, icons_;
  std::string error_;
};

// The script the running program carries, parsed once (empty if none).
const RcScript& LumiModuleScript();
// A file the program carries beside its script (a bitmap, an icon), by
// name; nullptr if it carries none of that name.
const std::string* LumiModuleFile(const std::string& name);
