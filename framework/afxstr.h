// CString: the framework's string of 8-bit characters in the active ANSI
// code page. A plain value type (each copy owns its text).
#pragma once
#include <string>

#include "lumiwin.h"

class CString {
 public:
  CString() = default;
  CString(const char* s) : s_(s ? s : "") {}  // NOLINT: converts like the framework's
  CString(const char* s, int n) : s_(s ? std::string(s, n > 0 ? static_cast<size_t>(n) : 0) : std::string()) {}
  CString(char ch, int repeat) : s_(repeat > 0 ? static_cast<size_t>(repeat) : 0, ch) {}

  int GetLength() const { return static_cast<int>(s_.size()); }
  bool IsEmpty() const { return s_.empty(); }
  void Empty() { s_.clear(); }
  operator const char*() const { return s_.c_str(); }  // NOLINT: as the framework's LPCTSTR
  const char* GetString() const { return s_.c_str(); }
  char GetAt(int i) const { return s_.at(static_cast<size_t>(i)); }

  CString& operator=(const char* s) {
    s_ = s ? s : "";
    return *this;
  }
  CString& operator+=(const char* s) {
    if (s) s_ += s;
    return *this;
  }
  CString& operator+=(const CString& s) {
    s_ += s.s_;
    return *this;
  }
  CString& operator+=(char c) {
    s_ += c;
    return *this;
  }
  friend CString operator+(const CString& a, const CString& b) { return CString(a) += b; }
  friend CString operator+(const CString& a, const char* b) { return CString(a) += b; }
  friend CString operator+(const char* a, const CString& b) { return CString(a) += b; }
  friend CString operator+(const CString& a, char b) { return CString(a) += b; }
  friend bool operator==(const CString& a, const CString& b) { return a.s_ == b.s_; }
  friend bool operator==(const CString& a, const char* b) { return a.s_ == (b ? b : ""); }
  friend bool operator!=(const CString& a, const CString& b) { return a.s_ != b.s_; }
  friend bool operator!=(const CString& a, const char* b) { return !(a == b); }

  // Compares ignoring the case of the letters A to Z.
  int CompareNoCase(const char* s) const;

  int Find(char ch, int start = 0) const;
  int Find(const char* sub, int start = 0) const;
  // Index of the last ch, going by characters of the active code page: a
  // trail byte of a double-byte character never matches. -1 if none.
  int ReverseFind(char ch) const;

  CString Left(int n) const;
  CString Mid(int first) const;
  CString Mid(int first, int n) const;

  // Loads string id of the program's string table; FALSE (and empty) if absent.
  BOOL LoadString(UINT id);
  void Format(const char* fmt, ...) __attribute__((format(printf, 2, 3)));

 private:
  std::string s_;
};
