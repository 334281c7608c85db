// SHA-256 over bytes in memory, with no I/O and no platform call, so that
// every system the setup program runs on (Windows 98 included) digests
// alike. The blocks go through the processor's SHA extensions where it has
// them, and through plain code everywhere else.
#pragma once
#include <cstddef>
#include <cstdint>

class Sha256 {
 public:
  static constexpr size_t kSize = 32;
  Sha256();
  void Update(const void* data, size_t size);
  void Final(uint8_t digest[kSize]);  // the object may then be discarded

 private:
  uint32_t state_[8];
  uint8_t block_[64];   // the bytes of a block not yet whole
  size_t held_ = 0;     // how many of block_ are filled
  uint64_t total_ = 0;  // bytes given so far
};

// The digest of size bytes at data, in one call.
void Sha256Of(const void* data, size_t size, uint8_t digest[Sha256::kSize]);

// Whether digests go through the processor's SHA extensions: where it has
// them, unless the plain path has been asked for.
bool Sha256UsesShaExtensions();
// For tests and benchmarks: true sends every later digest through the plain
// path, false lets the processor's extensions be used again. Not for use
// while another thread digests.
void Sha256UsePlainPath(bool plain);
