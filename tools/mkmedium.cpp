// mkmedium DIR | --check DIR: makes or checks the sample distribution medium
// in host folder DIR.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "lumistandin.h"
#include "mkmedium_main.h"

namespace {
bool FolderOf(const char* arg, bool make, std::string& folder, std::string& why) {
  const bool made = make && mkdir(arg, 0777) == 0;
  if (make && !made && errno != EEXIST) {
    why = std::string("cannot make the folder: ") + std::strerror(errno);
    return false;
  }
  struct stat st;
  if (stat(arg, &st) != 0) {
    why = std::string("no such folder: ") + std::strerror(errno);
    return false;
  }
  if (!S_ISDIR(st.st_mode)) {
    why = "not a folder";
    return false;
  }
  folder = LumiHostToWindowsPath(arg);
  if (!LumiWindowsPathLeadsBack(arg)) {
    why = "its Windows path " + folder + " leads to another folder: " + kLumiLeadsElsewhere;
    if (made) rmdir(arg);  // refused: nothing of this run stays
    return false;
  }
  return true;
}

// What the host holds at a Windows path when it is no file or folder, by
// its own kind: looked at, never opened.
std::string KindOf(const std::string& path) {
  std::string host;
  struct stat st;
  if (!LumiMapPath(path.c_str(), host) || stat(host.c_str(), &st) != 0) return "";
  if (S_ISFIFO(st.st_mode)) return "a FIFO";
  if (S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode)) return "a device";
  if (S_ISSOCK(st.st_mode)) return "a socket";
  return "";
}
std::string PathOf(const char* arg) { return LumiHostToWindowsPath(arg); }
}  // namespace

int main(int argc, char** argv) {
  return MkmediumMain(argc, argv, {FolderOf, KindOf, "Z:\\dev\\null", ReadProgramSlot, PathOf});
}
