// Any bytes as an SZDD file for the expander, in memory: it must expand or
// refuse them without a fault, and a sound expansion gives exactly the
// length the header declares (the compressor has a target of its own,
// fuzz_pack.cpp, so that its parse takes none of this one's minute).
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
