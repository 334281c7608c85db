#include "lzcopy.h"

#include <vector>

#include "lumiwin.h"

long LzCopyFile(const std::string& in, const std::string& out) {
  std::vector<char> inPath(in.begin(), in.end()), outPath(out.begin(), out.end());
  inPath.push_back(0);
  outPath.push_back(0);
  OFSTRUCT a, b;
  INT hs = LZOpenFileA(inPath.data(), &a, OF_READ);
  if (hs < 0) return LZERROR_BADINHANDLE;
  INT hd = LZOpenFileA(outPath.data(), &b, OF_CREATE | OF_SHARE_DENY_NONE | OF_WRITE);
  LONG r = hd < 0 ? LZERROR_BADOUTHANDLE : LZCopy(hs, hd);
  if (hd >= 0) LZClose(hd);
  LZClose(hs);
  return r;
}
