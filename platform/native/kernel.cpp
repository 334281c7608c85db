// Native stand-ins for the kernel: the module and Windows folders and file
// attributes.
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <string>

#include "lumistandin.h"
#include "lumiwin.h"

namespace {

std::string g_windowsDir = kLumiDefaultWindowsDir;
bool g_hasWindowsDir = true;

}  // namespace

void LumiSetWindowsDir(const char* dir) {
  g_hasWindowsDir = dir != nullptr;
  g_windowsDir = dir ? dir : "";
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
  // A symbolic link is a reparse point, with the attributes of what it leads to.
  struct stat own;
  const DWORD link = lstat(host.c_str(), &own) == 0 && S_ISLNK(own.st_mode) ? FILE_ATTRIBUTE_REPARSE_POINT : 0;
  if (S_ISDIR(st.st_mode)) return FILE_ATTRIBUTE_DIRECTORY | link;
  // Read-only as the other stand-ins take it: without its owner's write
  // permission, for every user, root included.
  const DWORD readOnly = LumiHostRefusesWrite(host) ? FILE_ATTRIBUTE_READONLY : 0;
  return readOnly | link ? readOnly | link : FILE_ATTRIBUTE_NORMAL;
}
