#include "afxstr.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

#include "afxapp.h"

namespace {
char FoldAZ(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
int Clamp(int v, int lo, int hi) { return v < lo ? lo : (v > hi ? hi : v); }
}  // namespace

int CString::CompareNoCase(const char* s) const {
  const char* a = s_.c_str();
  const char* b = s ? s : "";
  for (;; ++a, ++b) {
    unsigned char ca = static_cast<unsigned char>(FoldAZ(*a));
    unsigned char cb = static_cast<unsigned char>(FoldAZ(*b));
    if (ca != cb) return ca < cb ? -1 : 1;
    if (ca == 0) return 0;
  }
}

int CString::Find(char ch, int start) const {
  if (start < 0 || start > GetLength()) return -1;
  size_t p = s_.find(ch, static_cast<size_t>(start));
  return p == std::string::npos ? -1 : static_cast<int>(p);
}

int CString::Find(const char* sub, int start) const {
  if (!sub || start < 0 || start > GetLength()) return -1;
  size_t p = s_.find(sub, static_cast<size_t>(start));
  return p == std::string::npos ? -1 : static_cast<int>(p);
}

int CString::ReverseFind(char ch) const {
  int last = -1;
  const int n = GetLength();
  for (int i = 0; i < n; ++i) {
    unsigned char c = static_cast<unsigned char>(s_[static_cast<size_t>(i)]);
    if (IsDBCSLeadByte(c) && i + 1 < n) {
      ++i;  // the pair is one character
    } else if (s_[static_cast<size_t>(i)] == ch) {
      last = i;
    }
  }
  return last;
}

CString CString::Left(int n) const { return CString(s_.c_str(), Clamp(n, 0, GetLength())); }

CString CString::Mid(int first) const { return Mid(first, GetLength()); }

CString CString::Mid(int first, int n) const {
  first = Clamp(first, 0, GetLength());
  n = Clamp(n, 0, GetLength() - first);
  return CString(s_.c_str() + first, n);
}

BOOL CString::LoadString(UINT id) {
  std::vector<char> buf(256);
  for (;;) {
    int n = ::LoadStringA(AfxGetResourceHandle(), id, buf.data(), static_cast<int>(buf.size()));
    if (n <= 0) {
      s_.clear();
      return FALSE;
    }
    if (static_cast<size_t>(n) < buf.size() - 1) {
      s_.assign(buf.data(), static_cast<size_t>(n));
      return TRUE;
    }
    buf.resize(buf.size() * 2);  // it may have been cut short
  }
}

void CString::Format(const char* fmt, ...) {
  // Measured in one pass, written in a second over the arguments anew.
  va_list ap;
  va_start(ap, fmt);
  int n = std::vsnprintf(nullptr, 0, fmt, ap);
  va_end(ap);
  if (n < 0) {
    s_.clear();
    return;
  }
  std::vector<char> buf(static_cast<size_t>(n) + 1);
  va_start(ap, fmt);
  std::vsnprintf(buf.data(), buf.size(), fmt, ap);
  va_end(ap);
  s_.assign(buf.data(), static_cast<size_t>(n));
}
