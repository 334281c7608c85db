// The stand-ins' settings, LUMIROLL_* in the environment, read here and
// nowhere else: each stand-in asks for its own when it needs it (a test may
// change one between calls), and LumiCheckSettings checks them all at once,
// for a program that would rather refuse to start than run on a setting the
// stand-ins would read otherwise (an unknown code page as 1252, a drive folder
// that is not there as a missing drive).
#include <sys/stat.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "internal.h"
#include "lumistandin.h"

namespace {

// The code pages the stand-ins know, the default first.
const unsigned kCodePages[] = {1252, 932, 936, 949, 950};

const char* Setting(const char* name) {
  const char* value = std::getenv(name);
  return value && *value ? value : nullptr;
}

bool KnownCodePage(const char* text, unsigned& cp) {
  for (unsigned k : kCodePages) {
    if (std::to_string(k) == text) {
      cp = k;
      return true;
    }
  }
  return false;
}

std::string CodePageList() {
  std::string list;
  const size_t n = sizeof kCodePages / sizeof kCodePages[0];
  for (size_t i = 0; i < n; ++i) list += (i == 0 ? "" : i + 1 == n ? " or " : ", ") + std::to_string(kCodePages[i]);
  return list;
}

bool IsFolder(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

void Problem(std::string& problems, const std::string& what) { problems += what + "\n"; }

}  // namespace

unsigned LumiSettingCodePage() {
  unsigned cp = kCodePages[0];
  const char* text = Setting("LUMIROLL_CODEPAGE");
  if (text) KnownCodePage(text, cp);
  return cp;
}

bool LumiSettingActiveDesktop() {
  const char* text = Setting("LUMIROLL_ACTIVE_DESKTOP");
  return !text || std::strcmp(text, "0") != 0;
}

std::string LumiSettingDrive(char letter) {
  const std::string name = std::string("LUMIROLL_DRIVE_") + letter;
  const char* folder = Setting(name.c_str());
  return folder ? folder : letter == 'Z' ? "/" : "";
}

std::string LumiRegistryFile() {
  if (const char* file = Setting("LUMIROLL_REGISTRY")) return file;
  if (const char* data = Setting("XDG_DATA_HOME")) return std::string(data) + "/lumiroll/registry.reg";
  const char* home = std::getenv("HOME");
  return std::string(home ? home : "") + "/.local/share/lumiroll/registry.reg";
}

bool LumiCheckSettings(std::string& problems) {
  problems.clear();
  unsigned cp;
  if (const char* text = Setting("LUMIROLL_CODEPAGE"); text && !KnownCodePage(text, cp)) {
    Problem(problems, std::string("LUMIROLL_CODEPAGE: unknown code page \"") + text + "\" (" + CodePageList() + ")");
  }
  if (const char* ad = Setting("LUMIROLL_ACTIVE_DESKTOP")) {
    if (std::strcmp(ad, "0") != 0 && std::strcmp(ad, "1") != 0) {
      Problem(problems, std::string("LUMIROLL_ACTIVE_DESKTOP: \"") + ad + "\" is neither 1 nor 0");
    }
  }
  for (char letter = 'A'; letter <= 'Z'; ++letter) {
    const std::string folder = LumiSettingDrive(letter);
    if (!folder.empty() && !IsFolder(folder)) {
      Problem(problems, std::string("LUMIROLL_DRIVE_") + letter + ": " + folder + " is not a folder");
    }
  }
  std::string text, problem;
  if (LumiLoadRegistry(text, problem) < 0) Problem(problems, "LUMIROLL_REGISTRY: " + problem);
  return problems.empty();
}
