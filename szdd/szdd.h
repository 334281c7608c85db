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

#include "stream.h"

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

enum class SzddStatus {
  kOk,
  kCorrupt,     // expansion: the stream does not give the declared length
  kReadError,   // the source could not be read
  kWriteError,  // the sink took no more
  kNoMemory,
  kTooLarge,     // compression: more than the 4 GB the length field holds
  kSizeChanged,  // compression: the source held more or less than its size
};

struct SzddResult {
  SzddStatus status;
  uint64_t bytes;  // written to the sink
};

// Expands the LZSS stream that follows a header from in into out: sound
// when it gives exactly length bytes. Nothing past length is written.
SzddResult SzddExpand(SzddSource& in, SzddSink& out, uint32_t length);

// Compresses the size bytes of in into out, header first; recorded is the
// character the expansion restores. Memory stays flat whatever the size.
// The parse is the shortest there is for each 64 KB block, over the longest
// match at every position (references reach 4096 bytes back, into the
// initial spaces too, and may overlap the bytes they make).
SzddResult SzddCompress(SzddSource& in, SzddSink& out, uint64_t size, uint8_t recorded);
// The same over memory.
std::vector<uint8_t> SzddCompress(const uint8_t* data, size_t size, uint8_t recorded);
// Why a compression failed, in words for a message about the file ("" for
// kOk): "cannot read it" and "cannot write it" for the source and the sink,
// to which a caller may add the system's reason.
std::string SzddCompressFailure(SzddStatus status);
inline std::vector<uint8_t> SzddCompress(const std::string& s, uint8_t recorded) {
  return SzddCompress(reinterpret_cast<const uint8_t*>(s.data()), s.size(), recorded);
}

// Offset of the file part of a Windows path: past the last '\\', '/' or ':'.
// isLead says whether a byte leads a double-byte character of the code page
// (nullptr: a single-byte one).
size_t SzddFilePartOffset(const std::string& path, bool (*isLead)(unsigned char) = nullptr);
// The name LZ32 gives a compressed file: a name whose extension ends in '_'
// gets back the last character its header records (in the case of the last
// letter before it), or loses the '_' when the record is 0; any other name
// stays as it is.
std::string SzddExpandedName(const std::string& path, uint8_t recorded, bool (*isLead)(unsigned char) = nullptr);
// The name LZ32 tries when a file is missing: the last character of an
// extension of three or more becomes '_', a shorter one gets '_' appended,
// a name without one "._".
std::string SzddCompressedForm(const std::string& path, bool (*isLead)(unsigned char) = nullptr);

// The medium's name for a file, by the same rule, and the character it
// records: readme.txt -> readme.tx_ ('t'); a.b -> a.b_ (0); README ->
// README._ (0). False for a name that would not change (one that ends in '_'
// already).
bool SzddCompressedName(const std::string& fileName, std::string& compressed, uint8_t& recorded,
                        bool (*isLead)(unsigned char) = nullptr);
