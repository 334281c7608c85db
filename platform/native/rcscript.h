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

class RcScript {
 public:
  // Reads the first source and what it includes from sources. False, with
  // Error() telling where, when the script is malformed.
  bool Parse(const std::vector<RcSource>& sources);
  const std::string& Error() const { return error_; }

  const std::map<unsigned, std::string>& Strings() const { return strings_; }
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
  bool Value(const Token& t, long& v) const;

  const std::vector<RcSource>* sources_ = nullptr;
  std::vector<Token> tokens_;
  std::map<std::string, long> defines_;
  std::map<unsigned, std::string> strings_;
  std::string error_;
};

// The script the running program carries, parsed once (empty if none).
const RcScript& LumiModuleScript();
