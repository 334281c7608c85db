// The stand-ins' settings checked at once, for a program that would rather
// refuse to start than run on a setting the stand-ins would take otherwise
// (an unknown code page is read as 1252, a drive folder that is not there
// as a missing drive).
#include <sys/stat.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "lumistandin.h"

namespace {

const char* const kCodePages[] = {"1252", "932", "936", "949", "950"};

void Problem(std::string& problems, const std::string& what) { problems += what + "\n"; }

}  // namespace

bool LumiCheckSettings(std::string& problems) {
  problems.clear();
  if (const char* cp = std::getenv("LUMIROLL_CODEPAGE")) {
    bool known = false;
    for (const char* k : kCodePages) known = known || std::strcmp(cp, k) == 0;
    if (!known)
      Problem(problems,
              std::string("LUMIROLL_CODEPAGE: unknown code page \"") + cp + "\" (1252, 932, 936, 949 or 950)");
  }
  if (const char* ad = std::getenv("LUMIROLL_ACTIVE_DESKTOP")) {
    if (std::strcmp(ad, "0") != 0 && std::strcmp(ad, "1") != 0) {
      Problem(problems, std::string("LUMIROLL_ACTIVE_DESKTOP: \"") + ad + "\" is neither 1 nor 0");
    }
  }
  for (char letter = 'A'; letter <= 'Z'; ++letter) {
    std::string name = std::string("LUMIROLL_DRIVE_") + letter;
    const char* folder = std::getenv(name.c_str());
    struct stat st;
    if (folder && *folder && (stat(folder, &st) != 0 || !S_ISDIR(st.st_mode))) {
      Problem(problems, name + ": " + folder + " is not a folder");
    }
  }
  std::string text, problem;
  if (LumiLoadRegistry(text, problem) < 0) Problem(problems, "LUMIROLL_REGISTRY: " + problem);
  return problems.empty();
}
