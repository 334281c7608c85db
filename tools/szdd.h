// SZDD compression (the format LZ32 expands): header "SZDD" 88 F0 27 33,
// method 'A', the last character of the name or 0, the expanded length, then
// LZSS with a 4096-byte window filled with spaces, first written at 4080.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

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
