// SHA-256 as FIPS 180-4 defines it, two ways over whole 64-byte blocks:
// plain code that runs anywhere, and the x86 SHA extensions (SHA256RNDS2 and
// the two message-schedule instructions) where the processor reports them.
// The choice is made once, from CPUID, as the expander chooses its SSSE3
// path; the rest (buffering, padding, the digest's bytes) is shared.
#include "sha256.h"

#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#include <immintrin.h>
#define LUMI_SHA256_EXTENSIONS 1
#endif

namespace {

constexpr uint32_t kInitial[8] = {0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a,
                                  0x510e527f, 0x9b05688c, 0x1f83d9ab, 0x5be0cd19};

// The round constants, in the order the rounds take them; 16-byte aligned
// for the extensions, which add four at a time.
alignas(16) constexpr uint32_t kRound[64] = {
    0x428a2f98, 0x71374491, 0xb5c0fbcf, 0xe9b5dba5, 0x3956c25b, 0x59f111f1, 0x923f82a4, 0xab1c5ed5,
    0xd807aa98, 0x12835b01, 0x243185be, 0x550c7dc3, 0x72be5d74, 0x80deb1fe, 0x9bdc06a7, 0xc19bf174,
    0xe49b69c1, 0xefbe4786, 0x0fc19dc6, 0x240ca1cc, 0x2de92c6f, 0x4a7484aa, 0x5cb0a9dc, 0x76f988da,
    0x983e5152, 0xa831c66d, 0xb00327c8, 0xbf597fc7, 0xc6e00bf3, 0xd5a79147, 0x06ca6351, 0x14292967,
    0x27b70a85, 0x2e1b2138, 0x4d2c6dfc, 0x53380d13, 0x650a7354, 0x766a0abb, 0x81c2c92e, 0x92722c85,
    0xa2bfe8a1, 0xa81a664b, 0xc24b8b70, 0xc76c51a3, 0xd192e819, 0xd6990624, 0xf40e3585, 0x106aa070,
    0x19a4c116, 0x1e376c08, 0x2748774c, 0x34b0bcb5, 0x391c0cb3, 0x4ed8aa4a, 0x5b9cca4f, 0x682e6ff3,
    0x748f82ee, 0x78a5636f, 0x84c87814, 0x8cc70208, 0x90befffa, 0xa4506ceb, 0xbef9a3f7, 0xc67178f2};

bool g_plain = false;  // Sha256UsePlainPath

inline uint32_t Rotr(uint32_t x, unsigned n) { return x >> n | x << (32 - n); }

inline uint32_t LoadBig(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) << 24 | static_cast<uint32_t>(p[1]) << 16 | static_cast<uint32_t>(p[2]) << 8 |
         p[3];
}

// The functions of FIPS 180-4, 4.1.2, each rotation written as rotations
// of rotations (ROTR 6, 11 and 25 of e is ROTR 6 of e ^ ROTR 5 of (e ^ ROTR
// 14 of e)), which needs no copy of the word per rotation; Ch and Maj with
// one operation fewer than as defined.
inline uint32_t BigSigma0(uint32_t a) { return Rotr(a ^ Rotr(a ^ Rotr(a, 9), 11), 2); }
inline uint32_t BigSigma1(uint32_t e) { return Rotr(e ^ Rotr(e ^ Rotr(e, 14), 5), 6); }
inline uint32_t SmallSigma0(uint32_t x) { return Rotr(x ^ Rotr(x, 11), 7) ^ (x >> 3); }
inline uint32_t SmallSigma1(uint32_t x) { return Rotr(x ^ Rotr(x, 2), 17) ^ (x >> 10); }
inline uint32_t Ch(uint32_t e, uint32_t f, uint32_t g) { return g ^ (e & (f ^ g)); }
inline uint32_t Maj(uint32_t a, uint32_t b, uint32_t c) { return (a & b) | (c & (a | b)); }

// One round. The eight working variables rotate by one name each round;
// rather than move them, the caller passes them rotated, and the only two
// that change in place are d (which becomes the next e) and h (the next a).
inline void Round(uint32_t a, uint32_t b, uint32_t c, uint32_t& d, uint32_t e, uint32_t f, uint32_t g, uint32_t& h,
                  uint32_t kw) {
  const uint32_t t1 = h + BigSigma1(e) + Ch(e, f, g) + kw;
  d += t1;
  h = t1 + BigSigma0(a) + Maj(a, b, c);
}

void PlainBlocks(uint32_t state[8], const uint8_t* p, size_t blocks) {
  for (; blocks > 0; --blocks, p += 64) {
    uint32_t w[64];  // the message schedule, whole before the rounds
    for (int t = 0; t < 16; ++t) w[t] = LoadBig(p + 4 * t);
    for (int t = 16; t < 64; ++t) w[t] = SmallSigma1(w[t - 2]) + w[t - 7] + SmallSigma0(w[t - 15]) + w[t - 16];
    uint32_t a = state[0], b = state[1], c = state[2], d = state[3];
    uint32_t e = state[4], f = state[5], g = state[6], h = state[7];
    for (int t = 0; t < 64; t += 8) {
      Round(a, b, c, d, e, f, g, h, kRound[t] + w[t]);
      Round(h, a, b, c, d, e, f, g, kRound[t + 1] + w[t + 1]);
      Round(g, h, a, b, c, d, e, f, kRound[t + 2] + w[t + 2]);
      Round(f, g, h, a, b, c, d, e, kRound[t + 3] + w[t + 3]);
      Round(e, f, g, h, a, b, c, d, kRound[t + 4] + w[t + 4]);
      Round(d, e, f, g, h, a, b, c, kRound[t + 5] + w[t + 5]);
      Round(c, d, e, f, g, h, a, b, kRound[t + 6] + w[t + 6]);
      Round(b, c, d, e, f, g, h, a, kRound[t + 7] + w[t + 7]);
    }
    state[0] += a;
    state[1] += b;
    state[2] += c;
    state[3] += d;
    state[4] += e;
    state[5] += f;
    state[6] += g;
    state[7] += h;
  }
}

#ifdef LUMI_SHA256_EXTENSIONS

// SHA256RNDS2 keeps the state in two registers, {A,B,E,F} and {C,D,G,H}
// (named from the highest lane down), and does two rounds from the low two
// lanes of its third operand, each W(t) + K(t).
#define LUMI_SHA_TARGET __attribute__((target("sha,sse4.1,ssse3")))

// Four rounds from 4g on, with w holding W(4g) to W(4g + 3).
LUMI_SHA_TARGET inline void FourRounds(__m128i& abef, __m128i& cdgh, __m128i w, int g) {
  const __m128i kw = _mm_add_epi32(w, _mm_load_si128(reinterpret_cast<const __m128i*>(kRound + 4 * g)));
  cdgh = _mm_sha256rnds2_epu32(cdgh, abef, kw);  // now the new {A,B,E,F}; abef holds the new {C,D,G,H}
  abef = _mm_sha256rnds2_epu32(abef, cdgh, _mm_shuffle_epi32(kw, 0x0E));
}

// The four words after w4: W(t) to W(t + 3) from the four before, where
// w16 holds W(t - 16) to W(t - 13) and so on.
LUMI_SHA_TARGET inline __m128i NextWords(__m128i w16, __m128i w12, __m128i w8, __m128i w4) {
  return _mm_sha256msg2_epu32(_mm_add_epi32(_mm_sha256msg1_epu32(w16, w12), _mm_alignr_epi8(w4, w8, 4)), w4);
}

LUMI_SHA_TARGET void ExtensionBlocks(uint32_t state[8], const uint8_t* p, size_t blocks) {
  const __m128i kBigEndian = _mm_set_epi8(12, 13, 14, 15, 8, 9, 10, 11, 4, 5, 6, 7, 0, 1, 2, 3);
  const __m128i dcba = _mm_loadu_si128(reinterpret_cast<const __m128i*>(state));
  const __m128i hgfe = _mm_loadu_si128(reinterpret_cast<const __m128i*>(state + 4));
  const __m128i cdab = _mm_shuffle_epi32(dcba, 0xB1);
  const __m128i efgh = _mm_shuffle_epi32(hgfe, 0x1B);
  __m128i abef = _mm_alignr_epi8(cdab, efgh, 8);
  __m128i cdgh = _mm_blend_epi16(efgh, cdab, 0xF0);

  for (; blocks > 0; --blocks, p += 64) {
    const __m128i abefBefore = abef, cdghBefore = cdgh;
    const auto* in = reinterpret_cast<const __m128i*>(p);
    __m128i w0 = _mm_shuffle_epi8(_mm_loadu_si128(in), kBigEndian);
    __m128i w1 = _mm_shuffle_epi8(_mm_loadu_si128(in + 1), kBigEndian);
    __m128i w2 = _mm_shuffle_epi8(_mm_loadu_si128(in + 2), kBigEndian);
    __m128i w3 = _mm_shuffle_epi8(_mm_loadu_si128(in + 3), kBigEndian);
    FourRounds(abef, cdgh, w0, 0);
    FourRounds(abef, cdgh, w1, 1);
    FourRounds(abef, cdgh, w2, 2);
    FourRounds(abef, cdgh, w3, 3);
    for (int g = 4; g < 16; g += 4) {
      w0 = NextWords(w0, w1, w2, w3);
      FourRounds(abef, cdgh, w0, g);
      w1 = NextWords(w1, w2, w3, w0);
      FourRounds(abef, cdgh, w1, g + 1);
      w2 = NextWords(w2, w3, w0, w1);
      FourRounds(abef, cdgh, w2, g + 2);
      w3 = NextWords(w3, w0, w1, w2);
      FourRounds(abef, cdgh, w3, g + 3);
    }
    abef = _mm_add_epi32(abef, abefBefore);
    cdgh = _mm_add_epi32(cdgh, cdghBefore);
  }

  const __m128i feba = _mm_shuffle_epi32(abef, 0x1B);
  const __m128i dchg = _mm_shuffle_epi32(cdgh, 0xB1);
  _mm_storeu_si128(reinterpret_cast<__m128i*>(state), _mm_blend_epi16(feba, dchg, 0xF0));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(state + 4), _mm_alignr_epi8(dchg, feba, 8));
}

bool ProcessorHasExtensions() {
  unsigned a = 0, b = 0, c = 0, d = 0;
  if (__get_cpuid(1, &a, &b, &c, &d) == 0 || (c & bit_SSSE3) == 0 || (c & bit_SSE4_1) == 0) return false;
  return __get_cpuid_count(7, 0, &a, &b, &c, &d) != 0 && (b & bit_SHA) != 0;
}

#endif

}  // namespace

bool Sha256UsesShaExtensions() {
#ifdef LUMI_SHA256_EXTENSIONS
  static const bool extensions = ProcessorHasExtensions();
  return extensions && !g_plain;
#else
  return false;
#endif
}

void Sha256UsePlainPath(bool plain) { g_plain = plain; }

namespace {

void Blocks(uint32_t state[8], const uint8_t* p, size_t blocks) {
#ifdef LUMI_SHA256_EXTENSIONS
  if (Sha256UsesShaExtensions()) return ExtensionBlocks(state, p, blocks);
#endif
  PlainBlocks(state, p, blocks);
}

}  // namespace

Sha256::Sha256() { std::memcpy(state_, kInitial, sizeof state_); }

void Sha256::Update(const void* data, size_t size) {
  if (size == 0) return;  // data may then be null
  const uint8_t* p = static_cast<const uint8_t*>(data);
  total_ += size;
  if (held_ > 0) {
    const size_t take = size < sizeof block_ - held_ ? size : sizeof block_ - held_;
    std::memcpy(block_ + held_, p, take);
    held_ += take;
    p += take;
    size -= take;
    if (held_ < sizeof block_) return;
    Blocks(state_, block_, 1);
    held_ = 0;
  }
  const size_t whole = size / 64;
  if (whole > 0) Blocks(state_, p, whole);
  held_ = size % 64;
  if (held_ > 0) std::memcpy(block_, p + whole * 64, held_);
}

// The message, a 1 bit, zeros up to 8 bytes short of a block's end, and the
// message's length in bits in those 8, most significant first.
void Sha256::Final(uint8_t digest[kSize]) {
  const uint64_t bits = total_ * 8;
  block_[held_++] = 0x80;
  if (held_ > 56) {
    std::memset(block_ + held_, 0, sizeof block_ - held_);
    Blocks(state_, block_, 1);
    held_ = 0;
  }
  std::memset(block_ + held_, 0, 56 - held_);
  for (int i = 0; i < 8; ++i) block_[56 + i] = static_cast<uint8_t>(bits >> (56 - 8 * i));
  Blocks(state_, block_, 1);
  for (int i = 0; i < 8; ++i) {
    for (int k = 0; k < 4; ++k) digest[4 * i + k] = static_cast<uint8_t>(state_[i] >> (24 - 8 * k));
  }
}

void Sha256Of(const void* data, size_t size, uint8_t digest[Sha256::kSize]) {
  Sha256 s;
  s.Update(data, size);
  s.Final(digest);
}
