// Native stand-in for the runtime's _mkdir over the drive map.
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "lumistandin.h"
#include "lumiwin.h"

namespace {
std::vector<LumiMkdirCall> g_log;
std::map<std::string, int> g_failures;

// CreateDirectoryA takes at most MAX_PATH - 12 characters.
constexpr size_t kMaxDirPath = MAX_PATH - 12;

int Fail(const char* path, int err) {
  g_log.push_back({path, -1});
  errno = err;
  return -1;
}
}  // namespace

const std::vector<LumiMkdirCall>& LumiMkdirLog() { return g_log; }
void LumiClearMkdirLog() { g_log.clear(); }
void LumiFailMkdir(const std::string& winPath, int err) { g_failures[winPath] = err; }
void LumiClearMkdirFailures() { g_failures.clear(); }

int _mkdir(const char* dirname) {
  if (!dirname) return Fail("", EINVAL);
  auto injected = g_failures.find(dirname);
  if (injected != g_failures.end()) return Fail(dirname, injected->second);
  if (std::strlen(dirname) > kMaxDirPath) return Fail(dirname, ENOENT);
  std::string host;
  if (!LumiMapPath(dirname, host)) {
    // A drive that does not exist, or a name Windows refuses.
    bool badName = std::strpbrk(dirname + (dirname[0] && dirname[1] == ':' ? 2 : 0), "<>:\"|?*") != nullptr;
    return Fail(dirname, badName ? EINVAL : ENOENT);
  }
  struct stat st;
  if (stat(host.c_str(), &st) != 0 && LumiHostRefusesWrite(host)) return Fail(dirname, EACCES);
  if (mkdir(host.c_str(), 0777) == 0) {
    g_log.push_back({dirname, 0});
    return 0;
  }
  int err = errno;
  switch (err) {
    case EEXIST:
      break;
    case ENOTDIR:
      err = ENOENT;  // a file where a parent folder should be: path not found
      break;
    case EROFS:
    case EPERM:
      err = EACCES;
      break;
    default:
      break;
  }
  return Fail(dirname, err);
}
