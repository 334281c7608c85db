// The expander's two group decoders, in both builds: the fast one (byte
// shuffles, where the processor has them) and the plain one must make the
// same bytes and the same answer for every stream, sound or not.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "groups.h"
#include "szdd.h"

namespace {

struct Expansion {
  SzddStatus status;
  std::vector<uint8_t> bytes;
};

Expansion Expand(const std::vector<uint8_t>& body, uint32_t length, SzddDecoder decoder) {
  SzddUseDecoder(decoder);
  Expansion e{SzddStatus::kOk, {}};
  SzddMemorySource in(body.data(), body.size());
  SzddMemorySink out(e.bytes);
  e.status = SzddExpand(in, out, length).status;
  SzddUseDecoder(SzddDecoder::kFastest);
  return e;
}

std::vector<uint8_t> Random(size_t n, unsigned seed) {
  std::vector<uint8_t> d(n);
  for (uint8_t& b : d) b = static_cast<uint8_t>((seed = seed * 1664525u + 1013904223u) >> 24);
  return d;
}

// Data that gives every kind of group: words (short references far back),
// noise (literals), runs and short periods (references 1 to 17 back),
// repeated blocks (references of 18), and each length from 3 to 18.
std::vector<uint8_t> Data(const std::string& kind, size_t n) {
  std::vector<uint8_t> d;
  unsigned x = 7;
  auto next = [&x] { return (x = x * 1664525u + 1013904223u) >> 16; };
  while (d.size() < n) {
    if (kind == "words" || (kind == "all" && next() % 4 == 0)) {
      static const char* words[] = {"slide ", "show ", "sunset ", "a ", "nature ", "pictures ", "ok "};
      for (const char* w = words[next() % 7]; *w; ++w) d.push_back(static_cast<uint8_t>(*w));
    } else if (kind == "noise" || (kind == "all" && next() % 3 == 0)) {
      d.push_back(static_cast<uint8_t>(next()));
    } else if (kind == "periods" || (kind == "all" && next() % 2 == 0)) {
      const size_t period = 1 + next() % 20, start = d.size();
      for (size_t i = 0; i < period; ++i) d.push_back(static_cast<uint8_t>(next()));
      for (size_t i = 0, len = next() % 60; i < len; ++i) d.push_back(d[start + i % period]);
    } else {
      const size_t len = 3 + next() % 16;  // an earlier stretch again, of each length
      const size_t from = d.size() > 4000 ? d.size() - 16 - next() % 3000 : 0;
      for (size_t i = 0; i < len && from + i < d.size(); ++i) d.push_back(d[from + i]);
      d.push_back(static_cast<uint8_t>(next()));
    }
  }
  d.resize(n);
  return d;
}

TEST(SzddDecoders, BothExpandEveryKindOfDataToWhatWasPacked) {
  // 600,000 bytes cross the expander's 256 KB buffers more than once.
  for (const std::string kind : {"words", "noise", "periods", "repeats", "all"}) {
    for (size_t n : {size_t{0}, size_t{1}, size_t{17}, size_t{4113}, size_t{600000}}) {
      const std::vector<uint8_t> data = Data(kind, n);
      const std::vector<uint8_t> packed = SzddCompress(data.data(), data.size(), 'x');
      const std::vector<uint8_t> body(packed.begin() + kSzddHeaderSize, packed.end());
      for (SzddDecoder decoder : {SzddDecoder::kFastest, SzddDecoder::kPlain}) {
        const Expansion e = Expand(body, static_cast<uint32_t>(n), decoder);
        EXPECT_EQ(e.status, SzddStatus::kOk) << kind << " " << n;
        EXPECT_TRUE(e.bytes == data) << kind << " " << n << (decoder == SzddDecoder::kPlain ? " plain" : " fast");
      }
    }
  }
}

TEST(SzddDecoders, BothMakeTheSameOfAnyBytes) {
  // Random streams reference every distance and length, the window's spaces
  // and bytes not yet made; a length short of what they make is corrupt.
  for (unsigned seed = 1; seed <= 40; ++seed) {
    const std::vector<uint8_t> body = Random(1000 + seed * 17000, seed);  // past the 256 KB buffers too
    for (uint32_t length : {uint32_t{1} << 30, uint32_t{3000}}) {
      const Expansion fast = Expand(body, length, SzddDecoder::kFastest);
      const Expansion plain = Expand(body, length, SzddDecoder::kPlain);
      EXPECT_EQ(fast.status, SzddStatus::kCorrupt) << seed;
      EXPECT_EQ(fast.status, plain.status) << seed;
      EXPECT_TRUE(fast.bytes == plain.bytes)
          << "seed " << seed << ", " << fast.bytes.size() << " and " << plain.bytes.size() << " bytes";
    }
  }
}

}  // namespace
