// Any bytes as an SZDD file for the expander, in memory: it must expand or
// refuse them without a fault, and a sound expansion gives exactly the
// length the header declares. With the first byte 1 modulo 8, up to 128
// bytes of the rest are instead packed by our compressor and must expand to
// exactly what went in (the compressor's parse costs most of a run: kept to
// short inputs and one in eight, the expander gets the most of the minute).
// With the name character of the header 2 modulo 8, the stream is expanded
// by both group decoders, which must make the same bytes and answer.
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "groups.h"
#include "szdd.h"

namespace {
class CountingSink : public SzddSink {
 public:
  bool Write(const uint8_t*, size_t n) override {
    bytes += n;
    return true;
  }
  uint64_t bytes = 0;
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 0 && (data[0] & 7) == 1) {
    if (size > 129) size = 129;
    std::vector<uint8_t> packed = SzddCompress(data + 1, size - 1, 't');
    SzddHeader h = SzddReadHeader(packed.data(), packed.size());
    std::vector<uint8_t> back;
    SzddMemorySource in(packed.data() + kSzddHeaderSize, packed.size() - kSzddHeaderSize);
    SzddMemorySink out(back);
    SzddResult r = SzddExpand(in, out, h.length);
    if (h.kind != SzddKind::kCompressed || h.length != size - 1 || r.status != SzddStatus::kOk ||
        back != std::vector<uint8_t>(data + 1, data + size)) {
      std::fprintf(stderr, "round trip of %zu bytes: status %d, %zu back\n", size - 1, static_cast<int>(r.status),
                   back.size());
      std::abort();
    }
    return 0;
  }
  SzddHeader h = SzddReadHeader(data, size);
  if (h.kind != SzddKind::kCompressed) return 0;
  if ((h.recorded & 7) == 2) {
    std::vector<uint8_t> made[2];
    SzddStatus status[2];
    for (int k = 0; k < 2; ++k) {
      SzddUseDecoder(k ? SzddDecoder::kPlain : SzddDecoder::kFastest);
      SzddMemorySource in(data + kSzddHeaderSize, size - kSzddHeaderSize);
      SzddMemorySink out(made[k]);
      status[k] = SzddExpand(in, out, h.length).status;
    }
    SzddUseDecoder(SzddDecoder::kFastest);
    if (status[0] != status[1] || made[0] != made[1]) {
      std::fprintf(stderr, "the decoders differ: status %d and %d, %zu and %zu bytes\n", static_cast<int>(status[0]),
                   static_cast<int>(status[1]), made[0].size(), made[1].size());
      std::abort();
    }
    return 0;
  }
  SzddMemorySource in(data + kSzddHeaderSize, size - kSzddHeaderSize);
  CountingSink out;
  SzddResult r = SzddExpand(in, out, h.length);
  if (r.bytes != out.bytes || r.bytes > h.length) std::abort();  // never past what the header declares
  if (r.status == SzddStatus::kOk && r.bytes != h.length) std::abort();
  return 0;
}
