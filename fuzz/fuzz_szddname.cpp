// Any bytes as a file name and a header for the name rule and the header
// reader: a compressed name is never empty, ends in '_' and keeps every byte
// but the last; a header written and read back says what was written.
#include <cstdlib>
#include <cstring>
#include <string>

#include "szdd.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  SzddHeader any = SzddReadHeader(data, size);
  if (any.kind != SzddKind::kPlain && (size < 8 || std::memcmp(data, "SZDD\x88\xF0\x27\x33", 8) != 0)) std::abort();
  if ((any.kind == SzddKind::kShort) != (any.kind != SzddKind::kPlain && size < kSzddHeaderSize)) std::abort();

  std::string name(reinterpret_cast<const char*>(data), size), packed;
  uint8_t recorded = 0;
  if (SzddCompressedName(name, packed, recorded)) {
    if (packed.empty() || packed.back() != '_' || packed.size() < name.size()) std::abort();
    if (packed.compare(0, name.size() - 1, name, 0, name.size() - 1) != 0) std::abort();
    if (recorded != 0 && (packed.size() != name.size() || static_cast<uint8_t>(name.back()) != recorded)) std::abort();
  } else if (!name.empty() && name.back() != '_') {
    std::abort();  // only an empty name or one ending in '_' is refused
  }

  uint8_t header[kSzddHeaderSize];
  uint32_t length = size >= 4 ? static_cast<uint32_t>(data[0] | data[1] << 8 | data[2] << 16) << 8 | data[3] : 0;
  SzddWriteHeader(header, recorded, length);
  SzddHeader back = SzddReadHeader(header, sizeof header);
  if (back.kind != SzddKind::kCompressed || back.recorded != recorded || back.length != length) std::abort();
  return 0;
}
