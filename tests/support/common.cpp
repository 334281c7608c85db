#include <string>
#include <vector>

#include "installer.h"
#include "medium.h"
#include "testfs.h"
#include "testmachine.h"

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

bool LaySampleMedium(std::string* error) {
  std::string folder = ProgramFolder();
  folder.pop_back();
  return MakeSampleMedium(folder, error);
}
