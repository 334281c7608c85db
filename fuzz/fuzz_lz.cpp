// Any bytes as a file for the LZ32 expander: it must expand, copy or refuse
// them without a fault, and never write more than the header announces.
// With the first byte odd the rest is instead packed by our compressor and
// must expand to exactly what went in.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "lumiwin.h"
#include "szdd.h"

namespace {
std::string g_dir;

void Put(const std::string& host, const uint8_t* data, size_t size) {
  std::ofstream out(host, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

std::string Get(const std::string& host) {
  std::ifstream in(host, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Expands F:\in.tx_ into F:\out.txt: the LZCopy result.
LONG Expand() {
  char source[] = "F:\\in.tx_", dest[] = "F:\\out.txt", expanded[MAX_PATH] = "";
  GetExpandedNameA(source, expanded);
  OFSTRUCT in = {}, out = {};
  INT hin = LZOpenFileA(source, &in, OF_READ);
  if (hin < 0) return hin;
  INT hout = LZOpenFileA(dest, &out, OF_CREATE | OF_SHARE_DENY_NONE | OF_WRITE);
  if (hout < 0) {
    LZClose(hin);
    return hout;
  }
  LONG r = LZCopy(hin, hout);
  LZClose(hin);
  LZClose(hout);
  return r;
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  char tmpl[] = "/tmp/lumifuzz-lz-XXXXXX";
  if (!mkdtemp(tmpl)) std::abort();
  g_dir = tmpl;
  setenv("LUMIROLL_DRIVE_F", tmpl, 1);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::remove((g_dir + "/out.txt").c_str());
  if (size > 0 && (data[0] & 1)) {
    std::string plain(reinterpret_cast<const char*>(data + 1), size - 1);
    std::vector<uint8_t> packed = SzddCompress(plain, 't');
    Put(g_dir + "/in.tx_", packed.data(), packed.size());
    LONG r = Expand();
    if (r != static_cast<LONG>(plain.size()) || Get(g_dir + "/out.txt") != plain) {
      std::fprintf(stderr, "round trip: %ld for %zu bytes\n", static_cast<long>(r), plain.size());
      std::abort();
    }
    return 0;
  }
  Put(g_dir + "/in.tx_", data, size);
  LONG r = Expand();
  if (r >= 0) {
    std::string out = Get(g_dir + "/out.txt");
    if (out.size() != static_cast<size_t>(r)) std::abort();
    bool szdd = size >= 14 && std::memcmp(data, "SZDD\x88\xF0\x27\x33", 8) == 0;
    if (szdd) {
      uint32_t announced = data[10] | data[11] << 8 | data[12] << 16 | static_cast<uint32_t>(data[13]) << 24;
      if (out.size() != announced) std::abort();
    } else if (out != std::string(reinterpret_cast<const char*>(data), size)) {
      std::abort();  // a plain file is copied as it is
    }
  }
  return 0;
}
