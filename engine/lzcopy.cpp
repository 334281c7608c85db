#include "lzcopy.h"

#include <cctype>
#include <cstdint>
#include <cstring>
#include <vector>

#include "szdd.h"

namespace {

// What a sound copy of the file at path gives, in bytes; false when the file
// cannot be read. kind tells how to take it.
bool Declared(const char* path, SzddKind& kind, uint64_t& length) {
  HANDLE h = ::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  uint8_t head[kSzddHeaderSize];
  DWORD got = 0;
  bool ok = true;
  while (ok && got < sizeof head) {
    DWORD n = 0;
    ok = ::ReadFile(h, head + got, static_cast<DWORD>(sizeof head - got), &n, nullptr) != 0;
    if (n == 0) break;
    got += n;
  }
  DWORD high = 0;
  DWORD low = ok ? ::GetFileSize(h, &high) : INVALID_FILE_SIZE;
  ::CloseHandle(h);
  if (!ok || (low == INVALID_FILE_SIZE && ::GetLastError() != NO_ERROR)) return false;
  SzddHeader header = SzddReadHeader(head, got);
  kind = header.kind;
  length = kind == SzddKind::kCompressed ? header.length : (static_cast<uint64_t>(high) << 32 | low);
  return true;
}

}  // namespace

LONG LzCheckedCopy(const char* sourcePath, INT hSource, INT hDest) {
  if (hSource < 0) return LZERROR_BADINHANDLE;
  if (hDest < 0) return LZERROR_BADOUTHANDLE;
  SzddKind kind = SzddKind::kPlain;
  uint64_t expected = 0;
  if (!Declared(sourcePath, kind, expected)) return LZERROR_BADINHANDLE;
  const size_t n = std::strlen(sourcePath);
  const bool markedCompressed = n > 0 && sourcePath[n - 1] == '_';
  if (kind == SzddKind::kShort || (markedCompressed && kind == SzddKind::kPlain)) return LZERROR_READ;
  if (kind == SzddKind::kUnknownMethod) return LZERROR_UNKNOWNALG;
  // LZCopy's count has 31 bits: the platform's would wrap round (or stop)
  // past it, so a longer file is refused before anything is copied.
  if (expected > 0x7FFFFFFFu) return LZERROR_BADVALUE;
  LONG copied = ::LZCopy(hSource, hDest);
  if (copied >= 0 && static_cast<uint64_t>(copied) != expected) return LZERROR_READ;
  return copied;
}

bool LzExpandedNameSound(const char* mediumName, const char* expandedName) {
  const size_t n = std::strlen(expandedName);
  if (n == 0) return false;
  // The last character, not merely the last byte: a double-byte one may
  // end in a byte that alone would be '\\' or '|'.
  size_t lastStart = 0;
  for (size_t i = 0; i < n; ++i) {
    lastStart = i;
    if (::IsDBCSLeadByte(static_cast<BYTE>(expandedName[i])) && i + 1 < n) ++i;
  }
  const unsigned char last = static_cast<unsigned char>(expandedName[n - 1]);
  if (lastStart == n - 1 && (last < 0x20 || std::strchr(". <>:\"/\\|?*", last))) return false;
  const size_t m = std::strlen(mediumName);
  if (m == 0 || mediumName[m - 1] != '_') return true;
  // A DOS extension of three characters ends in '_' in place of its last:
  // a header that records none (0) would leave the name one short. (A '_'
  // appended to a longer or shorter one, as mscompress does, just goes.)
  const char* dot = std::strrchr(mediumName, '.');
  if (dot && mediumName + m - dot - 1 == 3 && n != m) return false;
  if (m != n) return true;
  for (size_t i = 0; i < n; ++i) {  // the same name but for the case of A-Z: not expanded
    const char a = mediumName[i], b = expandedName[i];
    if (::IsDBCSLeadByte(static_cast<BYTE>(a)) && i + 1 < n) {  // a pair has no case
      if (a != b || mediumName[i + 1] != expandedName[i + 1]) return true;
      ++i;
    } else if (a != b && !(std::isalpha(static_cast<unsigned char>(a)) && (a ^ 0x20) == b)) {
      return true;
    }
  }
  return false;
}

long LzCopyFile(const std::string& in, const std::string& out) {
  std::vector<char> inPath(in.begin(), in.end()), outPath(out.begin(), out.end());
  inPath.push_back(0);
  outPath.push_back(0);
  OFSTRUCT a, b;
  INT hs = ::LZOpenFileA(inPath.data(), &a, OF_READ);
  if (hs < 0) return LZERROR_BADINHANDLE;
  INT hd = ::LZOpenFileA(outPath.data(), &b, OF_CREATE | OF_SHARE_DENY_NONE | OF_WRITE);
  LONG r = LzCheckedCopy(inPath.data(), hs, hd);
  if (hd >= 0) ::LZClose(hd);
  ::LZClose(hs);
  return r;
}

LzFailure LzFailureOf(long result) {
  switch (result) {
    case LZERROR_BADINHANDLE:
      return {kMsgCannotAccess, false, "cannot open it"};
    case LZERROR_BADOUTHANDLE:
      return {kMsgCannotAccess, true, "cannot create the output"};
    case LZERROR_READ:
      return {kMsgFileCorrupt, false, "file is corrupt"};
    case LZERROR_WRITE:
      return {"Cannot write file ", true, "write error (disk full?)"};
    case LZERROR_GLOBALLOC:
      return {"Cannot copy file ", true, "out of memory"};
    case LZERROR_GLOBLOCK:
      return {"File is in use. Cannot copy ", true, "expansion failed"};
    case LZERROR_UNKNOWNALG:
      return {"Unknown compression method: ", false, "unknown compression method"};
    case LZERROR_BADVALUE:
      return {"File expands past the 2147483647 bytes LZ32 can copy: ", false,
              "it expands to more than 2147483647 bytes, more than LZ32 can copy"};
    default:
      return {"Cannot copy file ", false, result >= 0 ? "no error" : "expansion failed"};
  }
}
