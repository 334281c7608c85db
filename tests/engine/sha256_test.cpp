// SHA-256: the published example digests on both paths, updates split
// around the block size, and the plain path against the processor's.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sha256.h"

namespace {

std::string Hex(const uint8_t* d, size_t n) {
  static const char digits[] = "0123456789abcdef";
  std::string s;
  for (size_t i = 0; i < n; ++i) (s += digits[d[i] >> 4]) += digits[d[i] & 15];
  return s;
}

std::string DigestOf(const std::string& m) {
  uint8_t d[Sha256::kSize];
  Sha256Of(m.data(), m.size(), d);
  return Hex(d, sizeof d);
}

std::vector<uint8_t> Noise(size_t n, unsigned seed) {
  std::vector<uint8_t> v(n);
  for (uint8_t& b : v) b = static_cast<uint8_t>((seed = seed * 1664525u + 1013904223u) >> 24);
  return v;
}

// Every later digest on the plain path while it lives.
struct PlainPath {
  PlainPath() { Sha256UsePlainPath(true); }
  ~PlainPath() { Sha256UsePlainPath(false); }
};

TEST(Sha256, ExampleDigestsOnEachPath) {
  const struct {
    std::string message;
    const char* digest;
  } cases[] = {
      {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
      {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
      {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",  // padding takes a second block
       "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
      {"abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmnoijklmnopjklmnopqklmnopqrlmnopqrsmnopqrstnopqrst"
       "u",
       "cf5b16a778af8380036ce59e7b0492370b249b11e8f07a51afac45037afee9d1"},
      {std::string(1000000, 'a'), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
  };
  for (bool plain : {false, true}) {
    Sha256UsePlainPath(plain);
    for (const auto& c : cases) {
      EXPECT_EQ(DigestOf(c.message), c.digest) << c.message.size() << " bytes, plain " << plain;
    }
  }
  Sha256UsePlainPath(false);
  uint8_t d[Sha256::kSize];
  Sha256Of(nullptr, 0, d);  // no bytes at no address
  EXPECT_EQ(Hex(d, sizeof d), cases[0].digest);
}

// Every message of up to three blocks, given in two parts cut at every place.
TEST(Sha256, SplitUpdatesAgreeWithOneCall) {
  const std::vector<uint8_t> m = Noise(192, 7);
  for (size_t n = 0; n <= m.size(); ++n) {
    uint8_t whole[Sha256::kSize], split[Sha256::kSize];
    Sha256Of(m.data(), n, whole);
    for (size_t cut = 0; cut <= n; ++cut) {
      Sha256 s;
      s.Update(m.data(), cut);
      s.Update(m.data() + cut, n - cut);
      s.Final(split);
      ASSERT_EQ(Hex(split, sizeof split), Hex(whole, sizeof whole)) << n << " bytes cut at " << cut;
    }
  }
}

TEST(Sha256, PlainPathAgreesWithExtensions) {
  if (!Sha256UsesShaExtensions()) GTEST_SKIP() << "the processor has no SHA extensions";
  const std::vector<uint8_t> m = Noise(300000, 11);
  for (size_t n : {0, 1, 55, 56, 63, 64, 65, 119, 120, 128, 1000, 4097, 300000}) {
    uint8_t fast[Sha256::kSize], plain[Sha256::kSize];
    Sha256Of(m.data(), n, fast);
    {
      PlainPath forced;
      EXPECT_FALSE(Sha256UsesShaExtensions());
      Sha256Of(m.data(), n, plain);
    }
    EXPECT_EQ(Hex(fast, sizeof fast), Hex(plain, sizeof plain)) << n << " bytes";
  }
}

}  // namespace
