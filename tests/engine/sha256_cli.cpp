// sha256_cli [--plain] FILE...: each file's SHA-256 as sha256sum prints it,
// read in pieces of an odd size so that updates straddle blocks; --plain
// keeps to the plain path.
#include <cstdio>
#include <cstring>

#include "sha256.h"

int main(int argc, char** argv) {
  int first = 1;
  if (argc > 1 && std::strcmp(argv[1], "--plain") == 0) {
    Sha256UsePlainPath(true);
    first = 2;
  }
  int status = 0;
  static unsigned char buf[4099];
  for (int i = first; i < argc; ++i) {
    std::FILE* f = std::fopen(argv[i], "rb");
    if (!f) {
      std::fprintf(stderr, "sha256_cli: cannot open %s\n", argv[i]);
      status = 1;
      continue;
    }
    Sha256 s;
    for (size_t n; (n = std::fread(buf, 1, sizeof buf, f)) > 0;) s.Update(buf, n);
    const bool failed = std::ferror(f) != 0;
    std::fclose(f);
    if (failed) {
      std::fprintf(stderr, "sha256_cli: cannot read %s\n", argv[i]);
      status = 1;
      continue;
    }
    uint8_t d[Sha256::kSize];
    s.Final(d);
    for (uint8_t b : d) std::printf("%02x", b);
    std::printf("  %s\n", argv[i]);
  }
  return status;
}
