// The .rc reader's lexer: tokens of a script and the files it includes,
// with #define, #include and the preprocessor lines it skips.
#include <cctype>
#include <cstdlib>
#include <cstring>

#include "rcscript.h"

namespace {
constexpr int kMaxIncludeDepth = 8;
bool IsWordChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }
}  // namespace

bool RcScript::Lex(const std::string& file, const std::string& s, int depth, std::vector<Token>& out) {
  if (depth > kMaxIncludeDepth) return Fail(file, 0, "includes nested too deeply");
  int line = 1;
  size_t i = 0, n = s.size();
  bool lineStart = true;
  while (i < n) {
    char c = s[i];
    if (c == '\n') {
      ++line;
      ++i;
      lineStart = true;
      continue;
    }
    if (std::isspace(static_cast<unsigned char>(c))) {
      ++i;
      continue;
    }
    if (c == '/' && i + 1 < n && s[i + 1] == '/') {
      while (i < n && s[i] != '\n') ++i;
      continue;
    }
    if (c == '/' && i + 1 < n && s[i + 1] == '*') {
      size_t e = s.find("*/", i + 2);
      if (e == std::string::npos) return Fail(file, line, "unterminated comment");
      for (size_t k = i; k < e; ++k) line += s[k] == '\n';
      i = e + 2;
      continue;
    }
    if (c == '#' && lineStart) {
      size_t e = s.find('\n', i);
      if (e == std::string::npos) e = n;
      std::string dir = s.substr(i + 1, e - i - 1);
      i = e;
      size_t k = 0;
      while (k < dir.size() && std::isspace(static_cast<unsigned char>(dir[k]))) ++k;
      size_t w = k;
      while (w < dir.size() && IsWordChar(dir[w])) ++w;
      std::string word = dir.substr(k, w - k);
      if (word == "include") {
        size_t q1 = dir.find('"', w);
        size_t q2 = q1 == std::string::npos ? q1 : dir.find('"', q1 + 1);
        if (q2 == std::string::npos) continue;  // <system> headers: nothing for us
        std::string inc = dir.substr(q1 + 1, q2 - q1 - 1);
        for (const RcSource& src : *sources_) {
          if (src.name == inc) {
            if (!Lex(inc, src.text, depth + 1, out)) return false;
            break;
          }
        }
      } else if (word == "define") {
        while (w < dir.size() && std::isspace(static_cast<unsigned char>(dir[w]))) ++w;
        size_t nameEnd = w;
        while (nameEnd < dir.size() && IsWordChar(dir[nameEnd])) ++nameEnd;
        std::string name = dir.substr(w, nameEnd - w);
        std::string rest = dir.substr(nameEnd);
        size_t cut = rest.find("//");
        if (cut != std::string::npos) rest.resize(cut);
        const char* p = rest.c_str();
        while (*p == ' ' || *p == '\t' || *p == '(') ++p;
        char* endp = nullptr;
        long v = std::strtol(p, &endp, 0);
        if (!name.empty() && endp != p) {
          defines_[name] = v;
        } else if (!name.empty()) {  // another name defined before
          const char* q = p;
          while (IsWordChar(*q)) ++q;
          auto known = defines_.find(std::string(p, q));
          if (known != defines_.end()) defines_[name] = known->second;
        }
      }
      continue;
    }
    lineStart = false;
    Token t;
    t.line = line;
    if (c == '"') {
      t.kind = Token::String;
      ++i;
      for (;;) {
        if (i >= n || s[i] == '\n') return Fail(file, line, "unterminated string");
        char ch = s[i++];
        if (ch == '"') {
          if (i < n && s[i] == '"') {
            t.text += '"';
            ++i;
            continue;
          }
          break;
        }
        if (ch != '\\') {
          t.text += ch;
          continue;
        }
        if (i >= n) return Fail(file, line, "unterminated string");
        char e = s[i++];
        switch (e) {
          case 'n':
            t.text += '\n';
            break;
          case 'r':
            t.text += '\r';
            break;
          case 't':
            t.text += '\t';
            break;
          case 'a':
            t.text += '\a';
            break;
          case 'b':
            t.text += '\b';
            break;
          case 'f':
            t.text += '\f';
            break;
          case 'v':
            t.text += '\v';
            break;
          case '\\':
            t.text += '\\';
            break;
          case '"':
            t.text += '"';
            break;
          case '\'':
            t.text += '\'';
            break;
          case 'x': {
            int v = 0, digits = 0;
            while (i < n && digits < 2 && std::isxdigit(static_cast<unsigned char>(s[i]))) {
              v = v * 16 +
                  (std::isdigit(static_cast<unsigned char>(s[i])) ? s[i] - '0' : (std::tolower(s[i]) - 'a' + 10));
              ++i;
              ++digits;
            }
            if (digits == 0) return Fail(file, line, "bad \\x escape");
            t.text += static_cast<char>(v);
            break;
          }
          default:
            if (e >= '0' && e <= '7') {
              int v = e - '0', digits = 1;
              while (i < n && digits < 3 && s[i] >= '0' && s[i] <= '7') {
                v = v * 8 + (s[i++] - '0');
                ++digits;
              }
              t.text += static_cast<char>(v & 0xFF);
            } else {
              return Fail(file, line, std::string("unknown escape \\") + e);
            }
        }
      }
    } else if (std::isdigit(static_cast<unsigned char>(c)) ||
               (c == '-' && i + 1 < n && std::isdigit(static_cast<unsigned char>(s[i + 1])))) {
      t.kind = Token::Number;
      const char* p = s.c_str() + i;
      char* endp = nullptr;
      t.number = std::strtol(p, &endp, 0);
      i += static_cast<size_t>(endp - p);
      while (i < n && (s[i] == 'L' || s[i] == 'l' || s[i] == 'U' || s[i] == 'u')) ++i;
    } else if (IsWordChar(c)) {
      t.kind = Token::Word;
      while (i < n && IsWordChar(s[i])) t.text += s[i++];
    } else {
      t.kind = Token::Punct;
      t.text = std::string(1, c);
      ++i;
    }
    out.push_back(t);
  }
  return true;
}
