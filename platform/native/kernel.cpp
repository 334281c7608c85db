// Native stand-ins for the kernel: drive map, module and Windows folders,
// code page, file attributes and OLE initialisation.
#include <dirent.h>
#include <limits.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "lumistub.h"
#include "lumiwin.h"

namespace {

unsigned g_codePage = 0;  // 0: not yet read from the environment
std::string g_windowsDir = "C:\\WINDOWS";
bool g_hasWindowsDir = true;
int g_oleDepth = 0;

unsigned CodePage() {
  if (g_codePage == 0) {
    const char* env = std::getenv("LUMIROLL_CODEPAGE");
    g_codePage = (env && std::atoi(env) > 0) ? static_cast<unsigned>(std::atoi(env)) : 1252;
  }
  return g_codePage;
}

bool DriveFolder(char letter, std::string& folder) {
  if (letter >= 'a' && letter <= 'z') letter = static_cast<char>(letter - 'a' + 'A');
  if (letter < 'A' || letter > 'Z') return false;
  char name[] = "LUMIROLL_DRIVE_X";
  name[sizeof(name) - 2] = letter;
  const char* env = std::getenv(name);
  if (env && *env) {
    folder = env;
  } else if (letter == 'Z') {
    folder = "/";
  } else {
    return false;
  }
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

void LumiStubSetCodePage(unsigned cp) { g_codePage = cp; }

void LumiStubSetWindowsDir(const char* dir) {
  g_hasWindowsDir = dir != nullptr;
  g_windowsDir = dir ? dir : "";
}

int LumiStubOleDepth() { return g_oleDepth; }

UINT WINAPI GetACP(void) { return CodePage(); }

BOOL WINAPI IsDBCSLeadByte(BYTE c) {
  switch (CodePage()) {
    case 932:  // Shift JIS
      return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
    case 936:  // GBK
    case 949:  // Unified Hangul
    case 950:  // Big5
      return c >= 0x81 && c <= 0xFE;
    default:
      return FALSE;
  }
}

HMODULE WINAPI GetModuleHandleA(LPCSTR name) {
  static int self;
  return name ? nullptr : reinterpret_cast<HMODULE>(&self);
}

DWORD WINAPI GetModuleFileNameA(HMODULE, LPSTR buf, DWORD size) {
  if (!buf || size == 0) return 0;
  char exe[PATH_MAX];
  ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
  if (n <= 0) return 0;
  exe[n] = 0;
  std::string win = LumiHostToWindowsPath(exe);
  if (win.size() >= size) {  // cut short and terminated, as the platform does
    std::memcpy(buf, win.data(), size - 1);
    buf[size - 1] = 0;
    return size;
  }
  std::memcpy(buf, win.c_str(), win.size() + 1);
  return static_cast<DWORD>(win.size());
}

UINT WINAPI GetWindowsDirectoryA(LPSTR buf, UINT size) {
  if (!g_hasWindowsDir) return 0;
  UINT len = static_cast<UINT>(g_windowsDir.size());
  if (!buf || len >= size) return len + 1;  // the size it would need
  std::memcpy(buf, g_windowsDir.c_str(), len + 1);
  return len;
}

DWORD WINAPI GetFileAttributesA(LPCSTR name) {
  std::string host;
  struct stat st;
  if (!name || !LumiMapPath(name, host) || stat(host.c_str(), &st) != 0) return INVALID_FILE_ATTRIBUTES;
  if (S_ISDIR(st.st_mode)) return FILE_ATTRIBUTE_DIRECTORY;
  // Read-only as the other stand-ins take it: without its owner's write
  // permission, for every user, root included.
  return LumiHostRefusesWrite(host) ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL;
}

HRESULT WINAPI OleInitialize(LPVOID) { return g_oleDepth++ == 0 ? S_OK : S_FALSE; }

void WINAPI OleUninitialize(void) {
  if (g_oleDepth > 0) --g_oleDepth;
}
