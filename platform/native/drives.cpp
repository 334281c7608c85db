// The drive map of the native stand-ins: drive X: is the host folder named
// by LUMIROLL_DRIVE_X (Z: is "/" unless set), and Windows paths are mapped to
// host paths and back, matching names without regard to the case of A-Z.
#include <dirent.h>
#include <limits.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "internal.h"
#include "lumistandin.h"
#include "lumiwin.h"

namespace {

bool DriveFolder(char letter, std::string& folder) {
  if (letter >= 'a' && letter <= 'z') letter = static_cast<char>(letter - 'a' + 'A');
  if (letter < 'A' || letter > 'Z') return false;
  folder = LumiSettingDrive(letter);
  if (folder.empty()) return false;
  struct stat st;
  if (stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return false;
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return true;
}

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// Splits a Windows path into its components, character by character so that
// a trail byte of a double-byte character is never taken for a separator.
std::vector<std::string> SplitComponents(const char* p) {
  std::vector<std::string> parts;
  std::string cur;
  for (; *p; ++p) {
    unsigned char c = static_cast<unsigned char>(*p);
    if (IsDBCSLeadByte(c) && p[1]) {
      cur += *p++;
      cur += *p;
    } else if (IsSeparator(*p)) {
      parts.push_back(cur);
      cur.clear();
    } else {
      cur += *p;
    }
  }
  parts.push_back(cur);
  return parts;
}

bool ValidComponent(const std::string& c) {
  for (unsigned char ch : c) {
    if (ch < 32 || std::strchr("<>:\"|?*", ch)) return false;
  }
  return true;
}

// Finds name in host folder dir: the exact name first, then one that differs
// only in the case of A-Z.
std::string MatchName(const std::string& dir, const std::string& name) {
  std::string exact = (dir == "/" ? "" : dir) + "/" + name;
  struct stat st;
  if (lstat(exact.c_str(), &st) == 0) return name;
  DIR* d = opendir(dir.c_str());
  if (!d) return name;
  std::string found = name;
  while (dirent* e = readdir(d)) {
    if (strcasecmp(e->d_name, name.c_str()) == 0) {
      found = e->d_name;
      break;
    }
  }
  closedir(d);
  return found;
}

std::string CurrentHostDir() {
  char buf[PATH_MAX];
  return getcwd(buf, sizeof buf) ? std::string(buf) : std::string("/");
}

}  // namespace

bool LumiMapPath(const char* winPath, std::string& hostPath) {
  if (!winPath || !*winPath) return false;
  std::string root;
  const char* rest = winPath;
  if (winPath[0] && winPath[1] == ':') {
    if (!DriveFolder(winPath[0], root)) return false;
    rest = winPath + 2;  // drive-relative paths start at the drive's root
  } else if (IsSeparator(winPath[0])) {
    if (IsSeparator(winPath[1])) return false;  // network paths are not served
    std::string cwd = LumiHostToWindowsPath(CurrentHostDir());
    if (!DriveFolder(cwd[0], root)) return false;
  } else {
    std::string cwd = LumiHostToWindowsPath(CurrentHostDir());
    std::string full = cwd + "\\" + winPath;
    return LumiMapPath(full.c_str(), hostPath);
  }
  std::vector<std::string> parts;
  for (std::string c : SplitComponents(rest)) {
    if (c.empty() || c == ".") continue;
    if (c == "..") {
      if (!parts.empty()) parts.pop_back();
      continue;
    }
    while (!c.empty() && (c.back() == '.' || c.back() == ' ')) c.pop_back();  // as Windows does
    if (c.empty() || !ValidComponent(c)) return false;
    parts.push_back(c);
  }
  std::string host = root;
  for (const std::string& c : parts) {
    std::string name = MatchName(host, c);
    host = (host == "/" ? "" : host) + "/" + name;
  }
  hostPath = host;
  return true;
}

std::string LumiHostToWindowsPath(const std::string& hostPath) {
  char real[PATH_MAX];
  std::string path = realpath(hostPath.c_str(), real) ? std::string(real) : hostPath;
  char bestLetter = 0;
  std::string bestFolder;
  for (char l = 'A'; l <= 'Z'; ++l) {
    std::string folder;
    if (!DriveFolder(l, folder)) continue;
    char rf[PATH_MAX];
    if (realpath(folder.c_str(), rf)) folder = rf;
    bool inside =
        folder == "/" || path == folder || (path.compare(0, folder.size(), folder) == 0 && path[folder.size()] == '/');
    if (inside && (!bestLetter || folder.size() > bestFolder.size())) {
      bestLetter = l;
      bestFolder = folder;
    }
  }
  if (!bestLetter) {  // outside every drive: shown on Z: as it stands
    bestLetter = 'Z';
    bestFolder = "/";
  }
  std::string tail = path.substr(bestFolder == "/" ? 0 : bestFolder.size());
  std::string win;
  win += bestLetter;
  win += ':';
  for (char c : tail) win += (c == '/') ? '\\' : c;
  if (win.size() == 2) win += '\\';
  return win;
}

bool LumiWindowsPathLeadsBack(const std::string& hostPath) {
  std::string back;
  char a[PATH_MAX], b[PATH_MAX];
  return LumiMapPath(LumiHostToWindowsPath(hostPath).c_str(), back) && realpath(hostPath.c_str(), a) &&
         realpath(back.c_str(), b) && std::strcmp(a, b) == 0;
}
