#include <string>

#include "installer.h"
#include "testfs.h"

std::string ProgramFolder() { return std::string(GetModuleDir()); }

std::string SourceSubfolder() {
  static int counter = 0;
  std::string name = "lzsrc" + std::to_string(++counter);
  std::string full = ProgramFolder() + name;
  RemoveTree(full);
  MakeFolder(full);
  return name;
}
