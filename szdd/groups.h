// The middle of SZDD expansion: whole groups (a flag byte and the eight
// items it describes) decoded where the expander holds them, with no check
// on each item. The expander streams its buffers around this and takes the
// last group of a stream, which may be short, itself.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>

constexpr size_t kSzddWindow = 4096;
constexpr size_t kSzddGroupIn = 17;    // a flag byte and eight two-byte references
constexpr size_t kSzddGroupOut = 144;  // eight references of 18 bytes
// The decoders read up to this many bytes past a group's input and write up
// to this many past its output; what they write there is written over by
// the groups that follow.
constexpr size_t kSzddSlack = 32;

// Where decoding stands: the next flag byte, and where the next byte made goes.
struct SzddCursor {
  const uint8_t* in;
  uint8_t* out;
};

// Decodes groups while one starts at or before inLast and the output is at
// or before outLast. The 4096 bytes before the output are the window, and
// bias places an output address in it: (address + bias) mod 4096 is where
// the byte at that address was written in the ring.
void SzddDecodeGroups(SzddCursor& at, const uint8_t* inLast, const uint8_t* outLast, uintptr_t bias);

// Which decoder SzddDecodeGroups uses: the fastest this processor runs
// (eight items at once with byte shuffles, where it has them), or the plain
// one, item after item. Both make the same bytes; tests run each.
enum class SzddDecoder { kFastest, kPlain };
void SzddUseDecoder(SzddDecoder d);

// One reference, two bytes at p, copied to o: returns the end of what it
// wrote. Writes up to 18 bytes at o whatever the length.
inline uint8_t* SzddMatch(const uint8_t* p, uint8_t* o, uintptr_t bias) {
  const unsigned pos = p[0] | ((p[1] & 0xF0u) << 4);
  const unsigned len = (p[1] & 0x0Fu) + 3;
  const unsigned r = static_cast<unsigned>((reinterpret_cast<uintptr_t>(o) + bias) & (kSzddWindow - 1));
  const unsigned d = ((r - pos - 1) & (kSzddWindow - 1)) + 1;  // 1 to 4096 bytes back
  const uint8_t* from = o - d;
  if (__builtin_expect(d >= 18, 1)) {
    std::memcpy(o, from, 18);
  } else {
    for (unsigned k = 0; k < len; ++k) o[k] = from[k];
  }
  return o + len;
}
