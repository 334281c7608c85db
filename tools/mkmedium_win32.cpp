// mkmedium FOLDER: writes the sample distribution medium into FOLDER, a
// Windows path (under Wine, winepath -w gives one for a host folder).
#include <direct.h>

#include <cstdio>
#include <string>

#include "medium.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: mkmedium FOLDER\n");
    return 1;
  }
  _mkdir(argv[1]);
  std::string error;
  if (!MakeSampleMedium(argv[1], &error)) {
    std::fprintf(stderr, "mkmedium: %s\n", error.c_str());
    return 1;
  }
  std::printf("sample medium: %s (32 files)\n", argv[1]);
  return 0;
}
