// mkmedium FOLDER | --check FOLDER: makes or checks the sample distribution
// medium in FOLDER, a Windows path (under Wine, winepath -w gives one for a
// host folder). A check runs the platform's LZ32.
#include <direct.h>

#include <string>

#include "medium.h"

namespace {
std::string FolderOf(const char* arg, bool make) {
  if (make) _mkdir(arg);
  return arg;
}
}  // namespace

int main(int argc, char** argv) { return MkmediumMain(argc, argv, FolderOf, "NUL"); }
