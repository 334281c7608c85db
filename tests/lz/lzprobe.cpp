// Runs a set of files through the build's LZ32 and prints one line per file,
// so that our stand-in and the platform's LZ32 can be compared line by line.
//
//   lzprobe gen WINDIR      writes the input set into the folder WINDIR, with
//                           list.txt naming the files; the names of damaged
//                           files begin with "bad-"
//   lzprobe run WINDIR      reads names from standard input, one a line, and
//                           for each file WINDIR\NAME prints
//                           NAME expanded=RESULT:NAME open=H copy=RESULT out=SIZE:HASH
//                           expanding into WINDIR\out\NAME
//   lzprobe install WINDIR  the same names through the installer's ExpandFile
//                           from WINDIR into WINDIR\inst, over a file put
//                           there first; for each prints
//                           NAME result=R dest=SIZE:HASH temp=yes|no message=TEXT
//                           with WINDIR written as <dir> in TEXT
//   lzprobe catalog WINDIR  the same names checked against a catalog that
//                           gives each the size and digest of the sound
//                           file the damaged ones are made from (named.tx_);
//                           for each prints NAME result=R message=TEXT
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "catalog.h"
#include "installer.h"
#include "lumiwin.h"
#include "szdd.h"
#include "testfs.h"

namespace {

std::string Data(size_t n, bool repetitive, uint32_t seed) {
  std::string s(n, '\0');
  uint32_t x = seed;
  for (size_t i = 0; i < n; ++i) {
    x = x * 1664525u + 1013904223u;
    s[i] = repetitive ? "Lumiscroll wallpaper slide show\r\n"[(i / 3 + (x >> 30)) % 33] : static_cast<char>(x >> 24);
  }
  return s;
}

std::string Packed(const std::string& data, char recorded) {
  std::vector<uint8_t> c = SzddCompress(data, static_cast<uint8_t>(recorded));
  return std::string(c.begin(), c.end());
}

int Generate(const std::string& dir) {
  std::string list;
  bool ok = true;
  auto put = [&](const std::string& name, const std::string& bytes) {
    ok = PutFile(dir + "\\" + name, bytes) && ok;
    list += name + "\n";
  };

  // Compressed files of many sizes, repetitive and random.
  const size_t sizes[] = {0, 1, 2, 17, 4095, 4096, 4097, 65536, 300000};
  for (size_t n : sizes) {
    put("rep" + std::to_string(n) + ".tx_", Packed(Data(n, true, 7), 't'));
    put("rnd" + std::to_string(n) + ".bi_", Packed(Data(n, false, 11), 'n'));
  }
  // Names with and without a recorded character.
  const std::string small = Packed(Data(300, true, 3), 't');
  const std::string none = Packed(Data(300, true, 3), 0);
  put("named.tx_", small);
  put("unnamed.tx_", none);
  put("UPPER.TX_", small);
  put("short.t_", small);
  put("dot._", small);
  put("noext", small);
  put("under_", small);
  put("packed.txt", small);
  // Plain files: copied as they are.
  put("plain0.dat", "");
  put("plain1.dat", "x");
  put("plain5000.dat", Data(5000, false, 5));
  put("szdd.dat", "SZDD");
  put("nearmagic.dat", std::string("SZDD\x88\xF0\x27\x34", 8) + Data(40, true, 1));
  // Damaged files, named bad-*: truncated at every offset.
  for (size_t cut = 0; cut < small.size(); ++cut) put("bad-cut" + std::to_string(cut) + ".tx_", small.substr(0, cut));
  // Flipped bytes: every header byte, then through the stream.
  for (size_t at = 0; at < small.size(); at += at < 14 ? 1 : 7) {
    std::string b = small;
    b[at] = static_cast<char>(b[at] ^ 0x5A);
    put("bad-flip" + std::to_string(at) + ".tx_", b);
  }
  // A wrong length in the header.
  const long deltas[] = {-300, -1, 1, 4096, 0x7FFFFFFF};
  for (long d : deltas) {
    std::string b = small;
    uint32_t len = static_cast<uint32_t>(300 + d);
    for (int k = 0; k < 4; ++k) b[10 + k] = static_cast<char>(len >> (8 * k));
    put("bad-len" + std::to_string(d) + ".tx_", b);
  }
  // Another method than 'A'.
  std::string method = small;
  method[8] = 'B';
  put("bad-method.tx_", method);
  // A missing file whose compressed name exists.
  put("looked.tx_", small);
  list += "looked.txt\n";
  list += "nothere.txt\n";
  ok = PutFile(dir + "\\list.txt", list) && ok;
  if (!ok) std::cerr << "lzprobe: cannot write the inputs in " << dir << "\n";
  return ok ? 0 : 1;
}

std::string BaseName(const char* path) {
  const char* s = std::strrchr(path, '\\');
  return s ? s + 1 : path;
}

// Size and FNV-1a hash of a file.
std::string Summary(const std::string& path) {
  std::string bytes;
  if (!GetFile(path, bytes)) return "none";
  uint64_t hash = 1469598103934665603ull;
  for (char c : bytes) hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
  char text[64];
  std::snprintf(text, sizeof text, "%llu:%016llx", static_cast<unsigned long long>(bytes.size()),
                static_cast<unsigned long long>(hash));
  return text;
}

// Calls fn with each name on standard input and its path in dir, as the
// writable buffer the LZ32 calls take.
template <typename Fn>
void ForEachName(const std::string& dir, Fn fn) {
  std::string name;
  while (std::getline(std::cin, name)) {
    if (!name.empty() && name.back() == '\r') name.pop_back();
    if (name.empty()) continue;
    std::string src = dir + "\\" + name;
    std::vector<char> in(src.begin(), src.end());
    in.push_back(0);
    fn(name, in.data());
  }
}

int Run(const std::string& dir) {
  _mkdir((dir + "\\out").c_str());
  ForEachName(dir, [&](const std::string& name, char* in) {
    char expanded[MAX_PATH] = "(unset)";
    INT named = GetExpandedNameA(in, expanded);
    std::cout << name << " expanded=" << named << ":" << BaseName(expanded);
    OFSTRUCT a, b;
    INT hs = LZOpenFileA(in, &a, OF_READ);
    std::cout << " open=" << (hs < 0 ? std::to_string(hs) : "ok");
    if (hs >= 0) {
      std::string out = dir + "\\out\\" + name;
      std::vector<char> outPath(out.begin(), out.end());
      outPath.push_back(0);
      INT hd = LZOpenFileA(outPath.data(), &b, OF_CREATE | OF_SHARE_DENY_NONE | OF_WRITE);
      LONG copied = hd < 0 ? LZERROR_BADOUTHANDLE : LZCopy(hs, hd);
      if (hd >= 0) LZClose(hd);
      LZClose(hs);
      std::cout << " copy=" << copied << " out=" << Summary(out);
    }
    std::cout << "\n";
  });
  return 0;
}

class ProbeInstaller : public CInstaller {
 public:
  explicit ProbeInstaller(const std::string& source) {
    std::snprintf(m_szSourceDir, sizeof m_szSourceDir, "%s\\", source.c_str());
  }
};

int Install(const std::string& dir) {
  const std::string target = dir + "\\inst", temp = target + "\\" + CInstaller::kTempName;
  _mkdir(target.c_str());
  ForEachName(dir, [&](const std::string& name, char* in) {
    char expanded[MAX_PATH] = "";
    std::string dest = target + "\\" + (GetExpandedNameA(in, expanded) == 1 ? BaseName(expanded) : name);
    PutFile(dest, "installed before");
    ProbeInstaller inst(dir);
    inst.SetInstallDir(target.c_str());
    int result = inst.ExpandFile(name.c_str());
    std::string message = inst.GetLastMessage().GetString();
    for (size_t at; (at = message.find(dir)) != std::string::npos;) message.replace(at, dir.size(), "<dir>");
    std::cout << name << " result=" << result << " dest=" << Summary(dest)
              << " temp=" << (PathExists(temp) ? "yes" : "no") << " message=" << message << "\n";
    RemoveFile(dest);
  });
  return 0;
}

int Catalog(const std::string& dir) {
  CatalogEntry sound;
  if (!MeasureFile((dir + "\\named.tx_").c_str(), sound)) return 1;
  ForEachName(dir, [&](const std::string& name, char*) {
    CatalogEntry entry = sound;
    entry.name = name;
    CString message;
    const int result = CheckMediumAgainst(dir.c_str(), {name}, {entry}, "lzprobe", message);
    std::string text = message.GetString();
    for (size_t at; (at = text.find(dir)) != std::string::npos;) text.replace(at, dir.size(), "<dir>");
    std::cout << name << " result=" << result << " message=" << text << "\n";
  });
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "gen") == 0) return Generate(argv[2]);
  if (argc == 3 && std::strcmp(argv[1], "run") == 0) return Run(argv[2]);
  if (argc == 3 && std::strcmp(argv[1], "install") == 0) return Install(argv[2]);
  if (argc == 3 && std::strcmp(argv[1], "catalog") == 0) return Catalog(argv[2]);
  std::cerr << "usage: lzprobe gen WINDIR | run WINDIR < names | install WINDIR < names | catalog WINDIR < names\n";
  return 2;
}
