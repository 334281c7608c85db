#include <cstring>

#include "szdd.h"

namespace {
constexpr uint8_t kSignature[8] = {'S', 'Z', 'D', 'D', 0x88, 0xF0, 0x27, 0x33};
}  // namespace

SzddHeader SzddReadHeader(const uint8_t* bytes, size_t n) {
  SzddHeader h;
  if (n < sizeof kSignature || std::memcmp(bytes, kSignature, sizeof kSignature) != 0) return h;
  if (n < kSzddHeaderSize) {
    h.kind = SzddKind::kShort;
    return h;
  }
  h.kind = bytes[8] == 'A' ? SzddKind::kCompressed : SzddKind::kUnknownMethod;
  h.recorded = bytes[9];
  h.length = static_cast<uint32_t>(bytes[10]) | static_cast<uint32_t>(bytes[11]) << 8 |
             static_cast<uint32_t>(bytes[12]) << 16 | static_cast<uint32_t>(bytes[13]) << 24;
  return h;
}

void SzddWriteHeader(uint8_t out[kSzddHeaderSize], uint8_t recorded, uint32_t length) {
  std::memcpy(out, kSignature, sizeof kSignature);
  out[8] = 'A';
  out[9] = recorded;
  for (int k = 0; k < 4; ++k) out[10 + k] = static_cast<uint8_t>(length >> (8 * k));
}
