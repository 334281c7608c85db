// Native stand-ins for the code page: which one is active (1252 unless
// LUMIROLL_CODEPAGE names another known one), its lead bytes, and the conversions
// between its characters and 16-bit ones.
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "internal.h"
#include "lumistandin.h"
#include "lumiwin.h"

namespace {

unsigned g_codePage = 0;  // 0: not yet read from the environment

unsigned CodePage() {
  if (g_codePage == 0) {
    g_codePage = LumiSettingCodePage();
  }
  return g_codePage;
}

// Code page 1252's characters 0x80 to 0x9F; the rest of its upper half is Latin-1.
const uint16_t k1252[32] = {0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
                            0x2039, 0x0152, 0x8D,   0x017D, 0x8F,   0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
                            0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178};

}  // namespace

void LumiSetCodePage(unsigned cp) { g_codePage = cp; }

UINT WINAPI GetACP(void) { return CodePage(); }

BOOL WINAPI IsDBCSLeadByte(BYTE c) {
  switch (CodePage()) {
    case 932:  // Shift JIS
      return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
    case 936:  // GBK
    case 949:  // Unified Hangul
    case 950:  // Big5
      return c >= 0x81 && c <= 0xFE;
    default:
      return FALSE;
  }
}

// For a double-byte code page the stand-in keeps each lead/trail pair as one
// 16-bit unit (not its Unicode value): enough for the round trip to a file name.
int WINAPI MultiByteToWideChar(UINT, DWORD, LPCSTR src, int cb, LPWSTR dst, int cch) {
  if (!src) return 0;
  size_t n = cb < 0 ? std::strlen(src) + 1 : static_cast<size_t>(cb);
  std::vector<WCHAR> out;
  for (size_t i = 0; i < n; ++i) {
    unsigned char c = static_cast<unsigned char>(src[i]);
    if (IsDBCSLeadByte(c) && i + 1 < n) {
      out.push_back(static_cast<WCHAR>(c << 8 | static_cast<unsigned char>(src[++i])));
    } else if (GetACP() == 1252 && c >= 0x80 && c < 0xA0) {
      out.push_back(k1252[c - 0x80]);
    } else {
      out.push_back(c);
    }
  }
  if (cch == 0) return static_cast<int>(out.size());
  if (!dst || out.size() > static_cast<size_t>(cch)) return 0;  // ERROR_INSUFFICIENT_BUFFER
  std::memcpy(dst, out.data(), out.size() * sizeof(WCHAR));
  return static_cast<int>(out.size());
}

int WINAPI WideCharToMultiByte(UINT, DWORD, const WCHAR* src, int cch, LPSTR dst, int cb, LPCSTR, BOOL*) {
  if (!src) return 0;
  size_t n = 0;
  if (cch < 0) {
    while (src[n]) ++n;
    ++n;
  } else {
    n = static_cast<size_t>(cch);
  }
  std::string out;
  for (size_t i = 0; i < n; ++i) {
    WCHAR w = src[i];
    if (w > 0xFF && IsDBCSLeadByte(static_cast<BYTE>(w >> 8))) {
      out += static_cast<char>(w >> 8);
      out += static_cast<char>(w & 0xFF);
      continue;
    }
    char c = '?';
    if (w < 0x80 || (w >= 0xA0 && w <= 0xFF)) c = static_cast<char>(w);
    for (int k = 0; k < 32 && GetACP() == 1252; ++k) {
      if (k1252[k] == w && w >= 0x80) c = static_cast<char>(0x80 + k);
    }
    out += c;
  }
  if (cb == 0) return static_cast<int>(out.size());
  if (!dst || out.size() > static_cast<size_t>(cb)) return 0;
  // As on the platform: a NUL is written only when the source held one.
  std::memcpy(dst, out.data(), out.size());  // NOLINT(bugprone-not-null-terminated-result)
  return static_cast<int>(out.size());
}
