// Native stand-in for LZ32: handles, OFSTRUCT and the drive map over the
// SZDD library, and plain copies. Streams through fixed buffers, so memory
// stays flat whatever the size of the file; a damaged stream is
// LZERROR_READ, never a crash or success.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "internal.h"
#include "lumistandin.h"
#include "lumiwin.h"
#include "szdd.h"

namespace {

constexpr int kFirstHandle = 0x400;

struct LzFile {
  int fd = -1;
  bool writable = false;
  SzddHeader header;  // what the file is, read when it was opened for reading
};

std::vector<std::unique_ptr<LzFile>> g_handles;

// Error codes of OpenFile (OFSTRUCT::nErrCode).
constexpr WORD kErrFileNotFound = 2;
constexpr WORD kErrPathNotFound = 3;
constexpr WORD kErrAccessDenied = 5;
constexpr WORD kErrInvalidData = 13;
constexpr WORD kErrInvalidParameter = 87;

WORD ErrFromErrno(int e) {
  switch (e) {
    case ENOENT:
      return kErrFileNotFound;
    case ENOTDIR:
      return kErrPathNotFound;
    default:
      return kErrAccessDenied;
  }
}

bool ReadFully(int fd, unsigned char* buf, size_t want, size_t& got) {
  got = 0;
  while (got < want) {
    ssize_t n = read(fd, buf + got, want - got);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (n == 0) break;
    got += static_cast<size_t>(n);
  }
  return true;
}

// Reads the header of an open file and leaves the position after it (for a
// compressed file) or at the start (for any other). A file whose start cannot
// be read, or read again, is as damaged as a header cut short.
SzddHeader Classify(int fd) {
  unsigned char h[kSzddHeaderSize];
  size_t got = 0;
  SzddHeader header;
  header.kind = SzddKind::kShort;
  if (!ReadFully(fd, h, kSzddHeaderSize, got)) return header;
  header = SzddReadHeader(h, got);
  if (header.kind == SzddKind::kPlain && lseek(fd, 0, SEEK_SET) != 0) header.kind = SzddKind::kShort;
  return header;
}

// Opens a regular file for reading; folders, FIFOs, sockets and devices
// are refused.
int OpenForRead(const char* winPath, WORD& err) {
  std::string host;
  if (!LumiMapPath(winPath, host)) {
    err = kErrPathNotFound;
    return -1;
  }
  // Not blocking: a FIFO would otherwise wait for a writer here.
  int fd = open(host.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    err = ErrFromErrno(errno);
    return -1;
  }
  struct stat st;
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || fcntl(fd, F_SETFL, O_RDONLY) != 0) {
    close(fd);
    err = kErrAccessDenied;
    return -1;
  }
  return fd;
}

bool EndsInSeparator(const char* p) {
  size_t n = std::strlen(p);
  return n > 0 && (p[n - 1] == '\\' || p[n - 1] == '/');
}

bool IsLead(unsigned char c) { return IsDBCSLeadByte(c) != 0; }

std::string FullWindowsPath(const char* p) {
  std::string host;
  if (!LumiMapPath(p, host)) return p;
  return LumiHostToWindowsPath(host);
}

int NewHandle(std::unique_ptr<LzFile> f) {
  for (size_t i = 0; i < g_handles.size(); ++i) {
    if (!g_handles[i]) {
      g_handles[i] = std::move(f);
      return kFirstHandle + static_cast<int>(i);
    }
  }
  g_handles.push_back(std::move(f));
  return kFirstHandle + static_cast<int>(g_handles.size() - 1);
}

LzFile* Lookup(INT h) {
  if (h < kFirstHandle) return nullptr;
  size_t i = static_cast<size_t>(h - kFirstHandle);
  return i < g_handles.size() ? g_handles[i].get() : nullptr;
}

// Writes to a destination as WriteFile does (within a test's disk space).
long WriteDest(int fd, const void* buf, size_t n) { return static_cast<long>(LumiWriteFd(fd, buf, n)); }

LONG CopyPlain(int in, int out) {
  constexpr size_t kChunk = 1 << 18;
  std::unique_ptr<uint8_t[]> buf(new (std::nothrow) uint8_t[kChunk]);
  if (!buf) return LZERROR_GLOBALLOC;
  SzddFdSource source(in);
  SzddFdSink sink(out, WriteDest);
  int64_t total = 0;
  for (;;) {
    long n = source.Read(buf.get(), kChunk);
    if (n < 0) return LZERROR_READ;
    if (n == 0) break;
    if (!sink.Write(buf.get(), static_cast<size_t>(n))) return LZERROR_WRITE;
    total += n;
    if (total > INT32_MAX) return LZERROR_BADVALUE;
  }
  return static_cast<LONG>(total);
}

// SZDD expansion through the library, with its answers as LZ32's codes.
LONG Expand(int in, int out, uint32_t length) {
  SzddFdSource source(in);
  SzddFdSink sink(out, WriteDest);
  SzddResult r = SzddExpand(source, sink, length);
  switch (r.status) {
    case SzddStatus::kOk:
      return r.bytes > static_cast<uint64_t>(INT32_MAX) ? LZERROR_BADVALUE : static_cast<LONG>(r.bytes);
    case SzddStatus::kWriteError:
      return LZERROR_WRITE;
    case SzddStatus::kNoMemory:
      return LZERROR_GLOBALLOC;
    default:
      return LZERROR_READ;
  }
}

}  // namespace

int LumiOpenLzHandles() {
  int n = 0;
  for (const auto& h : g_handles) n += h ? 1 : 0;
  return n;
}

namespace {
void (*g_afterExpandedName)(const char* source) = nullptr;

INT ExpandedNameOf(LPSTR src, LPSTR buffer) {
  if (!src || !buffer || std::strlen(src) >= OFS_MAXPATHNAME) return LZERROR_BADINHANDLE;
  WORD err = 0;
  int fd = OpenForRead(src, err);
  if (fd < 0) return LZERROR_BADINHANDLE;
  const SzddHeader header = Classify(fd);
  close(fd);
  std::string name =
      header.kind == SzddKind::kCompressed ? SzddExpandedName(src, header.recorded, IsLead) : std::string(src);
  std::memcpy(buffer, name.c_str(), name.size() + 1);  // never longer than src
  return 1;
}
}  // namespace

void LumiAfterExpandedName(void (*fn)(const char* source)) { g_afterExpandedName = fn; }

INT WINAPI GetExpandedNameA(LPSTR src, LPSTR buffer) {
  INT result = ExpandedNameOf(src, buffer);
  if (g_afterExpandedName && src) g_afterExpandedName(src);
  return result;
}

INT WINAPI LZOpenFileA(LPSTR name, LPOFSTRUCT of, WORD style) {
  if (!of) return LZERROR_BADINHANDLE;
  std::memset(of, 0, sizeof *of);
  of->cBytes = sizeof *of;
  of->fFixedDisk = 1;
  if (!name || std::strlen(name) >= OFS_MAXPATHNAME) {
    of->nErrCode = kErrInvalidData;
    return LZERROR_BADINHANDLE;
  }
  const WORD access = style & 0x3;
  const WORD known = 0x3 | 0x70 | OF_CREATE;
  if ((style & ~known) != 0 || access == 3) {
    of->nErrCode = kErrInvalidParameter;
    return LZERROR_BADINHANDLE;
  }
  std::string full = FullWindowsPath(name);
  std::strncpy(of->szPathName, full.c_str(), OFS_MAXPATHNAME - 1);
  if (EndsInSeparator(name)) {
    of->nErrCode = kErrPathNotFound;
    return LZERROR_BADINHANDLE;
  }
  auto f = std::make_unique<LzFile>();
  if (access == OF_READ && !(style & OF_CREATE)) {
    WORD err = 0;
    int fd = OpenForRead(name, err);
    if (fd < 0 && err == kErrFileNotFound) {
      std::string alt = SzddCompressedForm(name, IsLead);
      fd = OpenForRead(alt.c_str(), err);
      if (fd >= 0) std::strncpy(of->szPathName, FullWindowsPath(alt.c_str()).c_str(), OFS_MAXPATHNAME - 1);
    }
    if (fd < 0) {
      of->nErrCode = err ? err : kErrFileNotFound;
      return LZERROR_BADINHANDLE;
    }
    f->header = Classify(fd);
    f->fd = fd;
  } else {
    std::string host;
    if (!LumiMapPath(name, host)) {
      of->nErrCode = kErrPathNotFound;
      return LZERROR_BADINHANDLE;
    }
    struct stat st;
    if (stat(host.c_str(), &st) == 0 && !S_ISREG(st.st_mode) && !S_ISCHR(st.st_mode)) {
      of->nErrCode = kErrAccessDenied;  // a folder of that name
      return LZERROR_BADINHANDLE;
    }
    if ((access != OF_READ || (style & OF_CREATE)) && LumiHostRefusesWrite(host)) {
      of->nErrCode = kErrAccessDenied;
      return LZERROR_BADINHANDLE;
    }
    int flags = O_CLOEXEC | (access == OF_READWRITE ? O_RDWR : (access == OF_WRITE ? O_WRONLY : O_RDONLY));
    if (style & OF_CREATE) flags |= O_CREAT | O_TRUNC;
    int fd = open(host.c_str(), flags | O_NONBLOCK, 0666);  // a FIFO slipped in fails, never waits
    if (fd < 0 || fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
      of->nErrCode = ErrFromErrno(errno);
      if (fd >= 0) close(fd);
      return LZERROR_BADINHANDLE;
    }
    f->fd = fd;
    f->writable = access != OF_READ;
  }
  return NewHandle(std::move(f));
}

LONG WINAPI LZCopy(INT hSource, INT hDest) {
  LzFile* src = Lookup(hSource);
  if (!src) return LZERROR_BADINHANDLE;
  LzFile* dst = Lookup(hDest);
  if (!dst || !dst->writable) return LZERROR_BADOUTHANDLE;
  switch (src->header.kind) {
    case SzddKind::kPlain:
      return CopyPlain(src->fd, dst->fd);
    case SzddKind::kCompressed:
      return Expand(src->fd, dst->fd, src->header.length);
    case SzddKind::kUnknownMethod:
      return LZERROR_UNKNOWNALG;
    case SzddKind::kShort:
    default:
      return LZERROR_READ;
  }
}

void WINAPI LZClose(INT h) {
  LzFile* f = Lookup(h);
  if (!f) return;
  close(f->fd);
  g_handles[static_cast<size_t>(h - kFirstHandle)].reset();
}
