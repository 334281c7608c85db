#include <string>
#include <vector>

#include "installer.h"
#include "testfs.h"

std::string ProgramFolder() { return std::string(GetModuleDir()); }

std::string SourceSubfolder() {
  static int counter = 0;
  // Test programs may run side by side in the one folder: the name carries
  // the process's identity.
  std::string name = "lzsrc" + std::to_string(ProcessId()) + "_" + std::to_string(++counter);
  std::string full = ProgramFolder() + name;
  RemoveTree(full);
  MakeFolder(full);
  return name;
}

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
