// Any bytes through SHA-256 three ways: in one call, in pieces whose sizes
// the bytes themselves choose (so that every way of straddling a block is
// reached), and in one call on the plain path. All three must agree.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "sha256.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  uint8_t whole[Sha256::kSize], pieces[Sha256::kSize], plain[Sha256::kSize];
  Sha256Of(data, size, whole);

  Sha256 s;
  for (size_t at = 0, i = 0; at < size; ++i) {
    size_t n = data[i % size] % 131;  // up to two blocks and a few bytes
    if (n == 0) {
      s.Update(data + at, 0);  // nothing, anywhere in a block; then one byte, so that the bytes run out
      n = 1;
    }
    if (n > size - at) n = size - at;
    s.Update(data + at, n);
    at += n;
  }
  s.Final(pieces);

  Sha256UsePlainPath(true);
  Sha256Of(data, size, plain);
  Sha256UsePlainPath(false);

  if (std::memcmp(whole, pieces, Sha256::kSize) != 0 || std::memcmp(whole, plain, Sha256::kSize) != 0) std::abort();
  return 0;
}
