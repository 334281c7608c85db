// Native stand-ins for CreateFileA, ReadFile, WriteFile, GetFileSize,
// CloseHandle, MoveFileExA and DeleteFileA over the drive map. Sharing: a file opened without FILE_SHARE_WRITE carries
// an advisory write lock, and an open for writing fails with a sharing violation while another holder has one; a file
// opened without FILE_SHARE_DELETE carries a lock on a byte no file reaches, and deleting or renaming it (or replacing
// it by a move) fails with a sharing violation meanwhile. So programs using these stand-ins honour each other; host
// programs that take no locks are not held back. Only regular files open: a FIFO, a socket or a device is refused
// before it is opened, never waited on (but for writing into a character device, such as /dev/null).
#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>

#include "lumistandin.h"
#include "lumiwin.h"

namespace {
thread_local DWORD g_lastError = 0;

struct FileHandle {
  int fd;
  std::string name;  // as the caller named it
  uint64_t read = 0;
  int created = -1;  // its slot among the new files, when it made the file
};

// The byte whose lock marks a file held against deletion, and the end of the
// range that share locks cover.
constexpr off_t kDeleteGuard = static_cast<off_t>(1) << 62;

// Files made new (CREATE_NEW) and still open, by host path, for removal on a
// signal: fixed buffers, as a handler may touch nothing else.
constexpr int kNewFiles = 8;
struct NewFile {
  char path[PATH_MAX];
  volatile sig_atomic_t used;
};
NewFile g_newFiles[kNewFiles];

// Bytes left on the disk of a host folder, where a test set a limit.
std::map<std::string, long long> g_space;

// Injected read failures: a file of this name fails once this many bytes were read.
std::string g_failReadName;
uint64_t g_failReadAfter = 0;

std::string ParentOf(const std::string& host) {
  size_t k = host.find_last_of('/');
  return k == std::string::npos ? "." : (k == 0 ? "/" : host.substr(0, k));
}

BOOL Fail(DWORD err) {
  g_lastError = err;
  return FALSE;
}

DWORD FromErrno(int e) {
  switch (e) {
    case ENOENT:
    case ENOTDIR:
      return ERROR_PATH_NOT_FOUND;
    case ENOSPC:
    case EDQUOT:
      return ERROR_DISK_FULL;
    default:
      return ERROR_ACCESS_DENIED;
  }
}

// Whether another open file description holds a lock on fd's file that
// conflicts with a write lock on len bytes from start.
bool LockedByAnother(int fd, off_t start, off_t len) {
  struct flock fl = {};
  fl.l_type = F_WRLCK;
  fl.l_whence = SEEK_SET;
  fl.l_start = start;
  fl.l_len = len;
  return fcntl(fd, F_OFD_GETLK, &fl) == 0 && fl.l_type != F_UNLCK;
}

void Lock(int fd, short type, off_t start, off_t len) {
  struct flock fl = {};
  fl.l_type = type;
  fl.l_whence = SEEK_SET;
  fl.l_start = start;
  fl.l_len = len;
  fcntl(fd, F_OFD_SETLK, &fl);
}

// Whether a handle that does not share deletion holds the file at host (a
// link itself is never held).
bool HeldAgainstDelete(const std::string& host) {
  int fd = open(host.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return false;
  bool held = LockedByAnother(fd, kDeleteGuard, 1);
  close(fd);
  return held;
}

int RememberNew(const std::string& host) {
  if (host.size() >= PATH_MAX) return -1;
  for (int i = 0; i < kNewFiles; ++i) {
    if (g_newFiles[i].used) continue;
    std::memcpy(g_newFiles[i].path, host.c_str(), host.size() + 1);
    g_newFiles[i].used = 1;
    return i;
  }
  return -1;
}

// Holds back the signals whose handler removes the new files, while a file
// is made and remembered: one arriving between the two would leave it behind.
class SignalHold {
 public:
  explicit SignalHold(bool hold) : held_(hold) {
    if (!held_) return;
    sigset_t set;
    sigemptyset(&set);
    for (int sig : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&set, sig);
    sigprocmask(SIG_BLOCK, &set, &saved_);
  }
  ~SignalHold() {
    if (held_) sigprocmask(SIG_SETMASK, &saved_, nullptr);
  }
  SignalHold(const SignalHold&) = delete;
  SignalHold& operator=(const SignalHold&) = delete;

 private:
  bool held_;
  sigset_t saved_{};
};

// The host folder of an open file, as the kernel names it.
std::string FolderOfFd(int fd) {
  char link[64], target[PATH_MAX];
  std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
  ssize_t n = readlink(link, target, sizeof target - 1);
  if (n <= 0) return "";
  return ParentOf(std::string(target, static_cast<size_t>(n)));
}
}  // namespace

ssize_t LumiWriteFd(int fd, const void* buf, size_t n) {
  auto space = g_space.empty() ? g_space.end() : g_space.find(FolderOfFd(fd));
  if (space == g_space.end()) return write(fd, buf, n);
  if (space->second <= 0) {
    errno = ENOSPC;
    return -1;
  }
  if (static_cast<long long>(n) > space->second) n = static_cast<size_t>(space->second);
  ssize_t k = write(fd, buf, n);
  if (k > 0) space->second -= k;
  return k;
}

bool LumiSetDiskSpace(const std::string& winFolder, long long bytes) {
  std::string host;
  char real[PATH_MAX];
  if (!LumiMapPath(winFolder.c_str(), host) || !realpath(host.c_str(), real)) return false;
  if (bytes < 0) {
    g_space.erase(real);
  } else {
    g_space[real] = bytes;
  }
  return true;
}

void LumiRemoveNewFiles() {
  for (NewFile& f : g_newFiles) {
    if (f.used) unlink(f.path);
  }
}

bool LumiHostRefusesWrite(const std::string& hostPath) {
  struct stat st;
  if (stat(hostPath.c_str(), &st) == 0) return !S_ISCHR(st.st_mode) && !(st.st_mode & S_IWUSR);
  return stat(ParentOf(hostPath).c_str(), &st) == 0 && !(st.st_mode & S_IWUSR);
}

DWORD WINAPI GetLastError(void) { return g_lastError; }
void WINAPI SetLastError(DWORD error) { g_lastError = error; }

HANDLE WINAPI CreateFileA(LPCSTR name, DWORD access, DWORD share, void*, DWORD disposition, DWORD, HANDLE) {
  std::string host;
  if (!name || !LumiMapPath(name, host)) {
    g_lastError = ERROR_PATH_NOT_FOUND;
    return INVALID_HANDLE_VALUE;
  }
  struct stat st;
  bool exists = stat(host.c_str(), &st) == 0;
  bool wantWrite = (access & GENERIC_WRITE) != 0;
  // What stands there is looked at before it is opened: a FIFO would wait
  // for its other end, and opening a device may act on it.
  if (exists && !S_ISREG(st.st_mode) && !(S_ISCHR(st.st_mode) && wantWrite)) {
    g_lastError = ERROR_ACCESS_DENIED;
    return INVALID_HANDLE_VALUE;
  }
  if (exists && (access & DELETE) && HeldAgainstDelete(host)) {
    g_lastError = ERROR_SHARING_VIOLATION;
    return INVALID_HANDLE_VALUE;
  }
  int flags = O_CLOEXEC;
  if ((exists ? wantWrite : disposition != OPEN_EXISTING) && LumiHostRefusesWrite(host)) {
    g_lastError = ERROR_ACCESS_DENIED;
    return INVALID_HANDLE_VALUE;
  }
  flags |= wantWrite ? ((access & GENERIC_READ) ? O_RDWR : O_WRONLY) : O_RDONLY;
  switch (disposition) {
    case CREATE_NEW:
      flags |= O_CREAT | O_EXCL;
      break;
    case CREATE_ALWAYS:  // emptied below, once the file is known to be free
    case OPEN_ALWAYS:
      flags |= O_CREAT;
      break;
    case OPEN_EXISTING:
      break;
    default:
      g_lastError = ERROR_INVALID_PARAMETER;
      return INVALID_HANDLE_VALUE;
  }
  const SignalHold hold(disposition == CREATE_NEW);
  // Not blocking: a FIFO would otherwise wait for its other end here.
  int fd = open(host.c_str(), flags | O_NONBLOCK, 0666);
  if (fd < 0) {
    g_lastError = (errno == ENOENT && disposition == OPEN_EXISTING) ? ERROR_FILE_NOT_FOUND : FromErrno(errno);
    if (errno == EEXIST) g_lastError = ERROR_FILE_EXISTS;
    return INVALID_HANDLE_VALUE;
  }
  if (fstat(fd, &st) != 0 || !(S_ISREG(st.st_mode) || (S_ISCHR(st.st_mode) && wantWrite)) ||
      fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
    close(fd);
    g_lastError = ERROR_ACCESS_DENIED;  // no file: a FIFO, a socket, a device
    return INVALID_HANDLE_VALUE;
  }
  if (wantWrite && LockedByAnother(fd, 0, kDeleteGuard)) {
    close(fd);
    g_lastError = ERROR_SHARING_VIOLATION;
    return INVALID_HANDLE_VALUE;
  }
  if (!(share & FILE_SHARE_WRITE)) Lock(fd, wantWrite ? F_WRLCK : F_RDLCK, 0, kDeleteGuard);
  if (!(share & FILE_SHARE_DELETE)) {
    // A read lock where the descriptor reads, so that several holders can
    // keep the file at once.
    Lock(fd, (flags & O_ACCMODE) == O_WRONLY ? F_WRLCK : F_RDLCK, kDeleteGuard, 1);
  }
  if (disposition == CREATE_ALWAYS && ftruncate(fd, 0) != 0 && errno != EINVAL) {
    close(fd);
    g_lastError = FromErrno(errno);
    return INVALID_HANDLE_VALUE;
  }
  g_lastError = 0;
  return new FileHandle{fd, name, 0, disposition == CREATE_NEW ? RememberNew(host) : -1};
}

BOOL WINAPI WriteFile(HANDLE h, LPCVOID buf, DWORD n, LPDWORD written, void*) {
  if (written) *written = 0;
  if (!h || h == INVALID_HANDLE_VALUE) return Fail(ERROR_INVALID_HANDLE);
  int fd = static_cast<FileHandle*>(h)->fd;
  const char* p = static_cast<const char*>(buf);
  DWORD done = 0;
  while (done < n) {
    ssize_t k = LumiWriteFd(fd, p + done, n - done);
    if (k < 0) {
      if (errno == EINTR) continue;
      if (written) *written = done;
      return Fail(FromErrno(errno));
    }
    if (k == 0) break;  // a short write: the caller sees fewer bytes written
    done += static_cast<DWORD>(k);
  }
  if (written) *written = done;
  return TRUE;
}

BOOL WINAPI ReadFile(HANDLE h, LPVOID buf, DWORD n, LPDWORD done, void*) {
  if (done) *done = 0;
  if (!h || h == INVALID_HANDLE_VALUE || !buf) return Fail(ERROR_INVALID_HANDLE);
  auto* f = static_cast<FileHandle*>(h);
  if (!g_failReadName.empty() && f->name == g_failReadName && f->read + n > g_failReadAfter) {
    n = static_cast<DWORD>(g_failReadAfter > f->read ? g_failReadAfter - f->read : 0);
    if (n == 0) return Fail(23);  // ERROR_CRC: the medium cannot be read
  }
  ssize_t k;
  do {
    k = read(f->fd, buf, n);
  } while (k < 0 && errno == EINTR);
  if (k < 0) return Fail(FromErrno(errno));
  f->read += static_cast<uint64_t>(k);
  if (done) *done = static_cast<DWORD>(k);
  return TRUE;
}

void LumiFailRead(const std::string& winPath, uint64_t afterBytes) {
  g_failReadName = winPath;
  g_failReadAfter = afterBytes;
}

BOOL WINAPI CloseHandle(HANDLE h) {
  if (!h || h == INVALID_HANDLE_VALUE) return Fail(ERROR_INVALID_HANDLE);
  auto* f = static_cast<FileHandle*>(h);
  if (f->created >= 0) g_newFiles[f->created].used = 0;
  int r = close(f->fd);
  delete f;
  return r == 0 ? TRUE : Fail(ERROR_ACCESS_DENIED);
}

DWORD WINAPI GetFileSize(HANDLE h, LPDWORD high) {
  struct stat st;
  if (!h || h == INVALID_HANDLE_VALUE || fstat(static_cast<FileHandle*>(h)->fd, &st) != 0) {
    g_lastError = ERROR_INVALID_HANDLE;
    return INVALID_FILE_SIZE;
  }
  uint64_t size = static_cast<uint64_t>(st.st_size);
  if (high) *high = static_cast<DWORD>(size >> 32);
  g_lastError = NO_ERROR;  // INVALID_FILE_SIZE may be a size's low half
  return static_cast<DWORD>(size);
}

// A file is moved within its drive's host file system only, as without
// MOVEFILE_COPY_ALLOWED. A folder is neither moved nor replaced, and a file
// or folder that refuses writing is not replaced.
BOOL WINAPI MoveFileExA(LPCSTR from, LPCSTR to, DWORD flags) {
  std::string src, dst;
  if (!from || !to || !LumiMapPath(from, src) || !LumiMapPath(to, dst)) return Fail(ERROR_PATH_NOT_FOUND);
  struct stat st;
  if (lstat(src.c_str(), &st) != 0) return Fail(errno == ENOENT ? ERROR_FILE_NOT_FOUND : FromErrno(errno));
  if (S_ISDIR(st.st_mode) || LumiHostRefusesWrite(ParentOf(src))) return Fail(ERROR_ACCESS_DENIED);
  if (HeldAgainstDelete(src)) return Fail(ERROR_SHARING_VIOLATION);
  if (lstat(dst.c_str(), &st) == 0) {
    if (!(flags & MOVEFILE_REPLACE_EXISTING)) return Fail(ERROR_ALREADY_EXISTS);
    if (S_ISDIR(st.st_mode) || LumiHostRefusesWrite(dst)) return Fail(ERROR_ACCESS_DENIED);
    if (HeldAgainstDelete(dst)) return Fail(ERROR_SHARING_VIOLATION);
  } else if (LumiHostRefusesWrite(dst)) {
    return Fail(ERROR_ACCESS_DENIED);
  }
  if (rename(src.c_str(), dst.c_str()) != 0) return Fail(errno == EXDEV ? ERROR_NOT_SAME_DEVICE : FromErrno(errno));
  g_lastError = NO_ERROR;
  return TRUE;
}

// As on Windows, a read-only file is not deleted, nor is a folder.
BOOL WINAPI DeleteFileA(LPCSTR name) {
  std::string host;
  if (!name || !LumiMapPath(name, host)) return Fail(ERROR_PATH_NOT_FOUND);
  struct stat st;
  if (lstat(host.c_str(), &st) != 0) return Fail(errno == ENOENT ? ERROR_FILE_NOT_FOUND : FromErrno(errno));
  if (S_ISDIR(st.st_mode) || (!S_ISLNK(st.st_mode) && LumiHostRefusesWrite(host)) ||
      LumiHostRefusesWrite(ParentOf(host))) {
    return Fail(ERROR_ACCESS_DENIED);
  }
  if (HeldAgainstDelete(host)) return Fail(ERROR_SHARING_VIOLATION);
  if (unlink(host.c_str()) != 0) return Fail(FromErrno(errno));
  g_lastError = NO_ERROR;
  return TRUE;
}
