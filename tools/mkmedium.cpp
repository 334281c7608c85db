// mkmedium DIR: writes the sample distribution medium into host folder DIR.
#include <sys/stat.h>

#include <cstdio>
#include <string>

#include "lumistub.h"
#include "medium.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: mkmedium DIR\n");
    return 1;
  }
  mkdir(argv[1], 0777);
  std::string error;
  if (!MakeSampleMedium(LumiHostToWindowsPath(argv[1]), &error)) {
    std::fprintf(stderr, "mkmedium: %s\n", error.c_str());
    return 1;
  }
  std::printf("sample medium: %s (32 files)\n", argv[1]);
  return 0;
}
