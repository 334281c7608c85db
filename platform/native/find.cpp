// Native stand-ins for FindFirstFileA, FindNextFileA and FindClose over the
// drive map: the entries of one host folder, named as the host names them.
#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>

#include <cstring>
#include <string>

#include "lumistandin.h"
#include "lumiwin.h"

namespace {
struct Listing {
  DIR* dir;
  std::string folder;  // host
  std::string name;    // the one name looked for, or "" for every entry
};

// Fills data from the next entry that fits; false when none is left.
bool Next(Listing& l, WIN32_FIND_DATAA* data) {
  while (dirent* e = readdir(l.dir)) {
    if (!l.name.empty() && strcasecmp(e->d_name, l.name.c_str()) != 0) continue;
    if (std::strlen(e->d_name) >= MAX_PATH) continue;  // no Windows name
    std::memset(data, 0, sizeof *data);
    struct stat st;
    const std::string path = l.folder + "/" + e->d_name;
    if (stat(path.c_str(), &st) == 0) {
      data->dwFileAttributes = S_ISDIR(st.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL;
      data->nFileSizeLow = static_cast<DWORD>(st.st_size);
      data->nFileSizeHigh = static_cast<DWORD>(static_cast<unsigned long long>(st.st_size) >> 32);
    }
    std::memcpy(data->cFileName, e->d_name, std::strlen(e->d_name) + 1);
    return true;
  }
  return false;
}
}  // namespace

HANDLE WINAPI FindFirstFileA(LPCSTR pattern, WIN32_FIND_DATAA* data) {
  const char* slash = pattern && data ? std::strrchr(pattern, '\\') : nullptr;
  std::string host;
  if (!slash || !LumiMapPath(std::string(pattern, slash + 1).c_str(), host)) return INVALID_HANDLE_VALUE;
  const std::string last = slash + 1;
  DIR* dir = opendir(host.c_str());
  if (!dir) return INVALID_HANDLE_VALUE;
  auto* l = new Listing{dir, host, last == "*" || last == "*.*" ? "" : last};
  if (Next(*l, data)) return l;
  closedir(dir);
  delete l;
  return INVALID_HANDLE_VALUE;
}

BOOL WINAPI FindNextFileA(HANDLE h, WIN32_FIND_DATAA* data) {
  return h && h != INVALID_HANDLE_VALUE && data && Next(*static_cast<Listing*>(h), data);
}

BOOL WINAPI FindClose(HANDLE h) {
  if (!h || h == INVALID_HANDLE_VALUE) return FALSE;
  auto* l = static_cast<Listing*>(h);
  closedir(l->dir);
  delete l;
  return TRUE;
}
