// lumipack: makes the files of a distribution medium, expands and tests them.
//   lumipack [-o DIR] FILE...      compress each FILE to SZDD in DIR (default: beside it)
//   lumipack -d [-o DIR] FILE...   expand each FILE into DIR under its expanded name
//   lumipack -t FILE...            test each FILE: a whole expansion of the declared length
// Expansion and testing go through the same LZ32 calls the installer makes,
// with the same checks. Output is written under a short temporary name and
// renamed only when complete; a signal removes it.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "lumistandin.h"
#include "lumiwin.h"
#include "lzcopy.h"
#include "stream.h"
#include "szdd.h"

namespace {

const char* g_prog = "lumipack";

int Fail(const std::string& file, const std::string& why) {
  std::fprintf(stderr, "%s: %s: %s\n", g_prog, file.c_str(), why.c_str());
  return 1;
}

std::string DirOf(const std::string& path) {
  size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
  size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The temporary file of the moment, removed by a signal: a fixed buffer, as
// the handler may use nothing else.
char g_temp[4096];
volatile sig_atomic_t g_haveTemp = 0;

void OnSignal(int sig) {
  if (g_haveTemp) unlink(g_temp);
  std::signal(sig, SIG_DFL);
  std::raise(sig);
}

// Creates an empty temporary file in dir, hidden and no longer than name
// (two to eight characters), so that it fits wherever name fits. Its path,
// or "" with errno set.
std::string MakeTemp(const std::string& dir, const std::string& name) {
  size_t digits = (name.size() < 2 ? 2 : (name.size() > 8 ? 8 : name.size())) - 1;
  unsigned long seed = static_cast<unsigned long>(getpid()) * 7919u;
  for (int attempt = 0; attempt < 1000; ++attempt) {
    std::string tmp = ".";
    for (unsigned long v = seed + static_cast<unsigned long>(attempt); tmp.size() <= digits; v /= 36) {
      tmp += "0123456789abcdefghijklmnopqrstuvwxyz"[v % 36];
    }
    std::string path = dir + "/" + tmp;
    if (path.size() >= sizeof g_temp) {
      errno = ENAMETOOLONG;
      return "";
    }
    g_haveTemp = 0;
    std::memcpy(g_temp, path.c_str(), path.size() + 1);
    g_haveTemp = 1;
    int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd >= 0) {
      close(fd);
      return path;
    }
    g_haveTemp = 0;
    if (errno != EEXIST) return "";
  }
  errno = EEXIST;
  return "";
}

// Why target may not be replaced, or "": a read-only file stays, as a copy
// without force leaves it.
std::string Unreplaceable(const std::string& target) {
  struct stat st;
  if (stat(target.c_str(), &st) == 0 && S_ISREG(st.st_mode) && !(st.st_mode & S_IWUSR)) {
    return "it is read-only: not replaced (make it writable or remove it first)";
  }
  return "";
}

// Moves a finished temporary file over target, or removes it.
int Finish(const std::string& tmp, const std::string& target, bool ok, const std::string& file,
           const std::string& why) {
  const std::string kept = ok ? Unreplaceable(target) : "";
  if (!kept.empty()) {
    ok = false;
    Fail(target, kept);
  } else if (ok && std::rename(tmp.c_str(), target.c_str()) != 0) {
    ok = false;
    Fail(target, std::strerror(errno));
  } else if (!ok) {
    Fail(file, why);
  }
  if (!ok) unlink(tmp.c_str());
  g_haveTemp = 0;
  return ok ? 0 : 1;
}

bool SameFile(const std::string& a, const std::string& b) {
  struct stat sa, sb;
  return stat(a.c_str(), &sa) == 0 && stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

// What a name that is no regular file holds, in words.
const char* KindOf(mode_t mode) {
  if (S_ISDIR(mode)) return "a folder";
  if (S_ISFIFO(mode)) return "a FIFO";
  if (S_ISSOCK(mode)) return "a socket";
  return "a device";
}

// Opens a regular file for reading: its descriptor, or -1 with why set.
// What stands at the name is looked at first: opening a FIFO waits for a
// writer, and opening a device may act on it.
int OpenInput(const std::string& file, std::string& why) {
  struct stat st;
  if (stat(file.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
    why = std::string("not a regular file: ") + KindOf(st.st_mode);
    return -1;
  }
  // Not blocking: what was a file a moment ago may be a FIFO now.
  int fd = open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    why = std::string("cannot read it: ") + std::strerror(errno);
  } else if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || fcntl(fd, F_SETFL, O_RDONLY) != 0) {
    why = "not a regular file: it changed as it was opened";
    close(fd);
    fd = -1;
  }
  return fd;
}

int Compress(const std::string& file, const std::string& outDir) {
  std::string name = NameOf(file), packed, why;
  uint8_t recorded = 0;
  if (!SzddCompressedName(name, packed, recorded)) return Fail(file, "name ends in '_': it looks compressed already");
  int in = OpenInput(file, why);
  if (in < 0) return Fail(file, why);
  struct stat st;
  fstat(in, &st);
  const uint64_t size = static_cast<uint64_t>(st.st_size);
  if (size > 0xFFFFFFFFull) {
    close(in);
    return Fail(file, "too large for the format: " + std::to_string(size) + " bytes, 4294967295 at most");
  }
  std::string dir = outDir.empty() ? DirOf(file) : outDir;
  std::string target = dir + "/" + packed;
  why = Unreplaceable(target);
  if (!why.empty()) {
    close(in);
    return Fail(target, why);
  }
  std::string tmp = MakeTemp(dir, packed);
  if (tmp.empty()) {
    close(in);
    return Fail(target, std::strerror(errno));
  }
  int out = open(tmp.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
  SzddFdSource source(in);
  SzddFdSink sink(out);
  SzddResult r = out < 0 ? SzddResult{SzddStatus::kWriteError, 0} : SzddCompress(source, sink, size, recorded);
  int err = errno;
  close(in);
  if (out >= 0 && close(out) != 0 && r.status == SzddStatus::kOk) r.status = SzddStatus::kWriteError;
  why = SzddCompressFailure(r.status);
  if (r.status == SzddStatus::kReadError || r.status == SzddStatus::kWriteError)
    why += std::string(": ") + std::strerror(err);
  if (r.status == SzddStatus::kWriteError) return Finish(tmp, target, false, target, why);
  return Finish(tmp, target, r.status == SzddStatus::kOk, file, why);
}

// Why LZ32 could not take this host path, or "".
std::string LzPathProblem(const std::string& host, const std::string& win) {
  if (NameOf(host).find('\\') != std::string::npos) {
    return "its name holds a backslash, which a Windows path takes for a separator";
  }
  if (win.find_first_of("<>:\"|?*", 2) != std::string::npos) {
    return "its path holds one of <>:\"|?*, which Windows names cannot hold";
  }
  if (!LumiWindowsPathLeadsBack(host)) {
    return "its Windows path " + win + " leads to another file: " + kLumiLeadsElsewhere;
  }
  if (win.size() >= OFS_MAXPATHNAME) {
    return "its Windows path " + win + " has " + std::to_string(win.size()) +
           " characters; LZ32 takes paths of at most 127 characters";
  }
  return "";
}

// The Windows path of a readable regular file and the name it expands to;
// false with why set.
bool ExpandedName(const std::string& file, std::string& win, std::string& name, std::string& why) {
  int fd = OpenInput(file, why);
  if (fd < 0) return false;
  close(fd);
  win = LumiHostToWindowsPath(file);
  why = LzPathProblem(file, win);
  if (!why.empty()) return false;
  std::vector<char> src(win.begin(), win.end());
  src.push_back(0);
  char expanded[OFS_MAXPATHNAME + 8];
  if (GetExpandedNameA(src.data(), expanded) != 1) {
    why = "LZ32 cannot read its expanded name";
    return false;
  }
  name = expanded;
  size_t cut = name.find_last_of("\\:");
  if (cut != std::string::npos) name = name.substr(cut + 1);
  if (LzExpandedNameSound(NameOf(file).c_str(), name.c_str())) return true;
  why = "it expands to \"" + name + "\", no name of its own (its header records a character Windows cannot use there)";
  return false;
}

int Expand(const std::string& file, const std::string& outDir) {
  std::string win, name, why;
  if (!ExpandedName(file, win, name, why)) return Fail(file, why);
  std::string dir = outDir.empty() ? DirOf(file) : outDir;
  std::string target = dir + "/" + name;
  if (SameFile(file, target)) return Fail(file, "expands to itself; use -o DIR");
  why = Unreplaceable(target);
  if (!why.empty()) return Fail(target, why);
  std::string tmp = MakeTemp(dir, name);
  if (tmp.empty()) return Fail(target, std::strerror(errno));
  std::string winTmp = LumiHostToWindowsPath(tmp);
  why = LzPathProblem(tmp, winTmp);
  long r = why.empty() ? LzCopyFile(win, winTmp) : LZERROR_BADOUTHANDLE;
  if (why.empty()) why = LzFailureOf(r).phrase;
  return Finish(tmp, target, r >= 0, r == LZERROR_BADOUTHANDLE ? target : file, why);
}

// Expands into nothing: one line a file on standard output.
int Test(const std::string& file) {
  std::string win, name, why;
  long r = 0;
  SzddHeader header;
  if (ExpandedName(file, win, name, why)) {
    uint8_t head[kSzddHeaderSize];
    int fd = open(file.c_str(), O_RDONLY | O_CLOEXEC);
    ssize_t got = fd < 0 ? -1 : read(fd, head, sizeof head);
    if (fd >= 0) close(fd);
    header = SzddReadHeader(head, got < 0 ? 0 : static_cast<size_t>(got));
    r = LzCopyFile(win, "Z:\\dev\\null");
    if (r < 0) {
      why = LzFailureOf(r).phrase;
    } else if (header.kind != SzddKind::kCompressed) {
      why = "not compressed (no SZDD header)";
    }
  }
  if (!why.empty()) {
    std::printf("%s: FAILED: %s\n", file.c_str(), why.c_str());
    return 1;
  }
  std::printf("%s: OK, expands to %s (%ld bytes)\n", file.c_str(), name.c_str(), r);
  return 0;
}

int Usage() {
  std::fprintf(stderr,
               "usage: %s [-o DIR] FILE...      compress to SZDD (readme.txt -> readme.tx_)\n"
               "       %s -d [-o DIR] FILE...   expand under the expanded name\n"
               "       %s -t FILE...            test: expand into nothing, one line a file\n",
               g_prog, g_prog, g_prog);
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  char mode = 'c';
  std::string outDir;
  std::vector<std::string> files;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (a == "-d" || a == "-t") {
      if (mode != 'c' && mode != a[1]) return Usage();
      mode = a[1];
    } else if (a == "-o") {
      if (++i >= argc) return Usage();
      outDir = argv[i];
    } else if (a == "-h" || a == "--help") {
      Usage();
      return 0;
    } else if (a.size() > 1 && a[0] == '-') {
      return Usage();
    } else {
      files.push_back(a);
    }
  }
  if (files.empty() || (mode == 't' && !outDir.empty())) return Usage();
  if (!outDir.empty()) {
    struct stat st;
    if (stat(outDir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return Fail(outDir, "not a folder");
  }
  for (int sig : {SIGINT, SIGTERM, SIGHUP}) std::signal(sig, OnSignal);
  int status = 0;
  for (const std::string& f : files) {
    status |= mode == 't' ? Test(f) : (mode == 'd' ? Expand(f, outDir) : Compress(f, outDir));
  }
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
    std::fprintf(stderr, "%s: cannot write the report: %s\n", g_prog, std::strerror(errno));
    return 1;
  }
  return status;
}
