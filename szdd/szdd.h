// The SZDD format that LZ32 expands: a 14-byte header ("SZDD" 88 F0 27 33,
// the method 'A', the last character of the name or 0, the expanded length
// as 32 bits little-endian), then LZSS with a 4096-byte window filled with
// spaces, first written at 4080. Bytes in, bytes out: nothing here opens a
// file.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

constexpr size_t kSzddHeaderSize = 14;

// What the first bytes of a file say it is.
enum class SzddKind {
  kPlain,          // no SZDD signature: a file LZ32 copies as it is
  kCompressed,     // a whole header of method 'A'
  kShort,          // the signature, but fewer than 14 bytes: damaged
  kUnknownMethod,  // a whole header of another method than 'A'
};

struct SzddHeader {
  SzddKind kind = SzddKind::kPlain;
  uint8_t recorded = 0;  // the name's last character, or 0
  uint32_t length = 0;   // the expanded length
};

// Reads the header from the first n bytes of a file (n may be less than 14,
// as for a short file).
SzddHeader SzddReadHeader(const uint8_t* bytes, size_t n);
// Writes the 14 header bytes of a method 'A' file.
void SzddWriteHeader(uint8_t out[kSzddHeaderSize], uint8_t recorded, uint32_t length);

// Compresses data; recorded is the character restored by the expansion.
// maxChain bounds the match search (larger finds longer matches, slower).
std::vector<uint8_t> SzddCompress(const uint8_t* data, size_t size, uint8_t recorded, int maxChain = 512);
inline std::vector<uint8_t> SzddCompress(const std::string& s, uint8_t recorded) {
  return SzddCompress(reinterpret_cast<const uint8_t*>(s.data()), s.size(), recorded);
}

// The medium's name for a file and the character it records:
// readme.txt -> readme.tx_ ('t'); a.b -> a.b_ (0); README -> README._ (0).
// False for a name that would not change (one that ends in '_' already).
bool SzddCompressedName(const std::string& fileName, std::string& compressed, uint8_t& recorded);
