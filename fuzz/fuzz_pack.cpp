// Any bytes, packed by our compressor, must expand to exactly what went in,
// under a header that declares their length. Inputs are kept to 4 KB: the
// window's whole reach, at a cost per run the minute can bear.
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "szdd.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 4096) size = 4096;
  std::vector<uint8_t> packed = SzddCompress(data, size, 't');
  SzddHeader h = SzddReadHeader(packed.data(), packed.size());
  std::vector<uint8_t> back;
  SzddMemorySource in(packed.data() + kSzddHeaderSize, packed.size() - kSzddHeaderSize);
  SzddMemorySink out(back);
  SzddResult r = SzddExpand(in, out, h.length);
  if (h.kind != SzddKind::kCompressed || h.length != size || r.status != SzddStatus::kOk ||
      back != std::vector<uint8_t>(data, data + size)) {
    std::fprintf(stderr, "round trip of %zu bytes: status %d, %zu back\n", size, static_cast<int>(r.status),
                 back.size());
    std::abort();
  }
  return 0;
}
