// lumipack: makes the files of a distribution medium and expands them again.
//   lumipack [-o DIR] FILE...      compress each FILE to SZDD in DIR (default: beside it)
//   lumipack -d [-o DIR] FILE...   expand each FILE into DIR under its expanded name
// Expansion goes through the same LZ32 calls the installer makes. Output is
// written under a temporary name and renamed only when complete.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "lumistub.h"
#include "lumiwin.h"
#include "lzcopy.h"
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

std::string TempNameFor(const std::string& dir, const std::string& name) {
  return dir + "/." + name + ".lumipack-" + std::to_string(getpid());
}

bool IsRegularFile(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool SameFile(const std::string& a, const std::string& b) {
  struct stat sa, sb;
  return stat(a.c_str(), &sa) == 0 && stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

int Compress(const std::string& file, const std::string& outDir) {
  if (!IsRegularFile(file)) return Fail(file, "not a readable file");
  std::string name = NameOf(file), packed;
  uint8_t recorded = 0;
  if (!SzddCompressedName(name, packed, recorded)) return Fail(file, "name ends in '_': it looks compressed already");
  std::string dir = outDir.empty() ? DirOf(file) : outDir;
  std::string target = dir + "/" + packed;
  std::ifstream in(file, std::ios::binary);
  std::vector<uint8_t> data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return Fail(file, "read error");
  if (data.size() > 0xFFFFFFFFull) return Fail(file, "too large for the format (4 GB at most)");
  std::vector<uint8_t> packedData = SzddCompress(data.data(), data.size(), recorded);
  std::string tmp = TempNameFor(dir, packed);
  std::FILE* out = std::fopen(tmp.c_str(), "wb");
  if (!out) return Fail(target, std::strerror(errno));
  bool ok = std::fwrite(packedData.data(), 1, packedData.size(), out) == packedData.size();
  ok = (std::fclose(out) == 0) && ok;
  if (!ok) {
    int err = errno;
    std::remove(tmp.c_str());
    return Fail(target, std::string("write error: ") + std::strerror(err));
  }
  if (std::rename(tmp.c_str(), target.c_str()) != 0) {
    int err = errno;
    std::remove(tmp.c_str());
    return Fail(target, std::strerror(err));
  }
  return 0;
}

const char* LzErrorText(long r) {
  switch (r) {
    case LZERROR_BADINHANDLE:
      return "cannot open it";
    case LZERROR_BADOUTHANDLE:
      return "cannot create the output";
    case LZERROR_READ:
      return "file is corrupt";
    case LZERROR_WRITE:
      return "write error (disk full?)";
    case LZERROR_GLOBALLOC:
      return "out of memory";
    case LZERROR_UNKNOWNALG:
      return "unknown compression method";
    default:
      return "expansion failed";
  }
}

int Expand(const std::string& file, const std::string& outDir) {
  if (!IsRegularFile(file)) return Fail(file, "not a readable file");
  std::string winSrc = LumiHostToWindowsPath(file);
  std::vector<char> src(winSrc.begin(), winSrc.end());
  src.push_back(0);
  char expanded[512];
  if (winSrc.size() >= OFS_MAXPATHNAME || GetExpandedNameA(src.data(), expanded) != 1) {
    return Fail(file, "cannot read its expanded name (LZ32 takes paths of at most 127 characters)");
  }
  std::string exp = expanded;
  size_t cut = exp.find_last_of("\\:");
  std::string name = cut == std::string::npos ? exp : exp.substr(cut + 1);
  std::string dir = outDir.empty() ? DirOf(file) : outDir;
  std::string target = dir + "/" + name;
  if (SameFile(file, target)) return Fail(file, "expands to itself; use -o DIR");
  std::string tmp = TempNameFor(dir, name);
  {
    std::FILE* touch = std::fopen(tmp.c_str(), "wb");  // so the folder's Windows name can be had
    if (!touch) return Fail(target, std::strerror(errno));
    std::fclose(touch);
  }
  long r = LzCopyFile(winSrc, LumiHostToWindowsPath(tmp));
  if (r < 0) {
    std::remove(tmp.c_str());
    return Fail(file, LzErrorText(r));
  }
  if (std::rename(tmp.c_str(), target.c_str()) != 0) {
    int err = errno;
    std::remove(tmp.c_str());
    return Fail(target, std::strerror(err));
  }
  return 0;
}

int Usage() {
  std::fprintf(stderr,
               "usage: %s [-o DIR] FILE...      compress to SZDD (readme.txt -> readme.tx_)\n"
               "       %s -d [-o DIR] FILE...   expand under the expanded name\n",
               g_prog, g_prog);
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  bool expand = false;
  std::string outDir;
  std::vector<std::string> files;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (a == "-d") {
      expand = true;
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
  if (files.empty()) return Usage();
  if (!outDir.empty()) {
    struct stat st;
    if (stat(outDir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return Fail(outDir, "not a folder");
  }
  int status = 0;
  for (const std::string& f : files) status |= expand ? Expand(f, outDir) : Compress(f, outDir);
  return status;
}
