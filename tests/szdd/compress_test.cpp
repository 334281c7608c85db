// The compressor's parse against a brute-force one: at every position the
// longest match over every distance the window reaches (into its initial
// spaces, overlapping the bytes being made), then the cheapest parse; the
// sizes must agree, and the bytes must expand back. Natively, also never
// larger than mscompress.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#ifndef _WIN32
#include <unistd.h>
#endif

#include "szdd.h"

namespace {

using Bytes = std::vector<uint8_t>;

// The packed size of the cheapest parse over brute-force longest matches.
size_t OptimalSize(const Bytes& data) {
  const size_t n = data.size(), window = 4096;
  Bytes all(window, ' ');
  for (uint8_t b : data) all.push_back(b);
  std::vector<int> longest(n, 0);
  for (size_t i = 0; i < n; ++i) {
    const size_t at = window + i, limit = std::min<size_t>(18, n - i);
    for (size_t d = 1; d <= window; ++d) {
      size_t len = 0;
      while (len < limit && all[at - d + len] == all[at + len]) ++len;  // forward: may read what it makes
      longest[i] = std::max(longest[i], static_cast<int>(len));
    }
  }
  std::vector<size_t> bits(n + 1, 0);  // from position i to the end
  for (size_t i = n; i-- > 0;) {
    bits[i] = 9 + bits[i + 1];
    for (int l = 3; l <= longest[i]; ++l) bits[i] = std::min(bits[i], 17 + bits[i + static_cast<size_t>(l)]);
  }
  return kSzddHeaderSize + (bits[0] + 7) / 8;
}

Bytes Expanded(const Bytes& packed) {
  Bytes out;
  const SzddHeader h = SzddReadHeader(packed.data(), packed.size());
  SzddMemorySource in(packed.data() + kSzddHeaderSize, packed.size() - kSzddHeaderSize);
  SzddMemorySink sink(out);
  if (h.kind != SzddKind::kCompressed || SzddExpand(in, sink, h.length).status != SzddStatus::kOk) out.clear();
  return out;
}

// Test inputs by kind; every kind but "random" repeats within the window.
Bytes Make(const std::string& kind, size_t n, unsigned seed) {
  unsigned x = seed;
  auto next = [&x] { return (x = x * 1664525u + 1013904223u) >> 16; };
  static const char* words[] = {"slide ", "show ", "sunset ", "the ", "nature ", "pictures ", "desktop\r\n"};
  Bytes d;
  while (d.size() < n) {
    if (kind == "random") {
      d.push_back(static_cast<uint8_t>(next()));
    } else if (kind == "text" || (kind == "blanks" && d.size() > n / 4) || (kind == "mixed" && next() % 3 == 0)) {
      for (const char* w = words[next() % 7]; *w; ++w) d.push_back(static_cast<uint8_t>(*w));
    } else if (kind == "runs" || kind == "blanks") {  // runs of one byte, or of a short pattern
      const uint8_t a = kind == "blanks" ? ' ' : static_cast<uint8_t>("ab \0"[next() % 4]);
      const uint8_t b = next() % 2 ? a : static_cast<uint8_t>(next());
      for (size_t k = 0, len = next() % 40; k < len; ++k) d.push_back(k % 3 == 2 ? b : a);
    } else if (kind == "far") {  // what stood 4095 to 4097 bytes back, once the window is full
      const size_t back = 4095 + next() % 3;
      d.push_back(d.size() >= back && next() % 4 ? d[d.size() - back] : static_cast<uint8_t>(next()));
    } else {  // mixed: noise and earlier stretches of each length
      const size_t from = d.size() > 100 ? d.size() - 1 - next() % std::min<size_t>(d.size(), 5000) : 0;
      for (size_t k = 0, len = next() % 24; k < len && from + k < d.size(); ++k) d.push_back(d[from + k]);
      d.push_back(static_cast<uint8_t>(next()));
    }
  }
  d.resize(n);
  return d;
}

TEST(SzddCompress, PacksToTheOptimumOverTheLongestMatches) {
  const struct {
    const char* kind;
    size_t size;
  } cases[] = {
      {"random", 12000}, {"text", 16000}, {"runs", 12000}, {"blanks", 10000}, {"mixed", 20000},
      {"far", 14000},    {"blanks", 40},  {"text", 3},     {"runs", 2},       {"random", 0},
  };
  for (const auto& c : cases) {
    for (unsigned seed : {1u, 2u}) {
      const Bytes data = Make(c.kind, c.size, seed);
      const Bytes packed = SzddCompress(data.data(), data.size(), 'x');
      EXPECT_EQ(packed.size(), OptimalSize(data)) << c.kind << " " << c.size << " seed " << seed;
      EXPECT_TRUE(Expanded(packed) == data) << c.kind << " " << c.size << " seed " << seed;
    }
  }
}

TEST(SzddCompress, NeverLargerThanMscompress) {
#ifdef _WIN32
  GTEST_SKIP() << "mscompress runs on the build host";
#else
  if (std::system("command -v mscompress > /dev/null 2>&1") != 0) GTEST_SKIP() << "no mscompress";
  char tmpl[] = "/tmp/lumicompress-XXXXXX";
  ASSERT_TRUE(mkdtemp(tmpl));
  const std::string dir = tmpl, file = dir + "/in.bin";
  for (const char* kind : {"random", "text", "runs", "blanks", "mixed", "far"}) {
    const Bytes data = Make(kind, 150000, 3);
    FILE* f = std::fopen(file.c_str(), "wb");
    ASSERT_TRUE(f && std::fwrite(data.data(), 1, data.size(), f) == data.size() && std::fclose(f) == 0);
    ASSERT_EQ(std::system(("mscompress '" + file + "' 2> /dev/null").c_str()), 0) << kind;
    f = std::fopen((file + "_").c_str(), "rb");
    ASSERT_TRUE(f);
    std::fseek(f, 0, SEEK_END);
    const long theirs = std::ftell(f);
    std::fclose(f);
    const Bytes ours = SzddCompress(data.data(), data.size(), 0);
    EXPECT_LE(static_cast<long>(ours.size()), theirs) << kind;
    EXPECT_GT(theirs, 0) << kind;
    std::remove((file + "_").c_str());
  }
  std::remove(file.c_str());
  rmdir(tmpl);
#endif
}

}  // namespace
