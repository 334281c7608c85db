// mkmedium DIR | --check DIR: makes or checks the sample distribution medium
// in host folder DIR.
#include <sys/stat.h>

#include <string>

#include "lumistandin.h"
#include "medium.h"

namespace {
std::string FolderOf(const char* arg, bool make) {
  if (make) mkdir(arg, 0777);
  struct stat st;
  if (stat(arg, &st) != 0) return std::string("Z:") + arg;  // names nothing: every file is missing
  return LumiHostToWindowsPath(arg);
}
}  // namespace

int main(int argc, char** argv) { return MkmediumMain(argc, argv, FolderOf, "Z:\\dev\\null"); }
