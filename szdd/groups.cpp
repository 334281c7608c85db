// Two group decoders. The plain one goes reference by reference, each after
// the run of literals before it, copied eight bytes at a time. On random
// data its loop ends at a place no predictor can learn, and that costs
// about half its time. The fast one decodes a whole group without a branch
// on the data: byte shuffles gather the eight items' bytes, their lengths
// and distances are worked out side by side, and then each item is one
// 16-byte copy, in order, from the input (a literal) or from the window (a
// reference), each over the garbage the one before left past its end.
#include "groups.h"

#if defined(__x86_64__) || defined(__i386__)
#include <tmmintrin.h>
#define LUMI_SZDD_SHUFFLES 1
#endif

namespace {

SzddDecoder g_decoder = SzddDecoder::kFastest;

// A group: the items of a flag byte, done as its plain run would do them.
inline void PlainGroup(const uint8_t*& ip, uint8_t*& o, uintptr_t bias) {
  unsigned refs = ~static_cast<unsigned>(*ip++) & 0xFFu;  // a clear flag bit is a reference
  unsigned item = 0;                                      // the items of the group done so far
  while (refs) {
    const unsigned at = static_cast<unsigned>(__builtin_ctz(refs));
    const unsigned run = at - item;
    std::memcpy(o, ip, 8);
    o += run;
    ip += run;
    o = SzddMatch(ip, o, bias);
    ip += 2;
    item = at + 1;
    refs &= refs - 1;
  }
  const unsigned run = 8 - item;
  std::memcpy(o, ip, 8);
  o += run;
  ip += run;
}

void PlainGroups(SzddCursor& c, const uint8_t* inLast, const uint8_t* outLast, uintptr_t bias) {
  const uint8_t* ip = c.in;
  uint8_t* o = c.out;
  while (ip <= inLast && o <= outLast) PlainGroup(ip, o, bias);
  c.in = ip;
  c.out = o;
}

#ifdef LUMI_SZDD_SHUFFLES

// What a flag byte says about the 16 bytes after it: for each item, which
// of them are its bytes (a shuffle into 16-bit lanes, the second byte of a
// literal zero), and whether it is a literal (all ones in its lane); and
// the group's length with the flag.
struct alignas(16) Shape {
  uint8_t gather[16];
  uint16_t literal[8];
};
struct ShapeTable {
  Shape of[256];
  uint8_t length[256];
};

constexpr ShapeTable MakeShapes() {
  ShapeTable t{};
  for (unsigned flags = 0; flags < 256; ++flags) {
    unsigned at = 0;
    for (unsigned i = 0; i < 8; ++i) {
      const bool literal = (flags >> i) & 1;
      t.of[flags].gather[2 * i] = static_cast<uint8_t>(at);
      t.of[flags].gather[2 * i + 1] = static_cast<uint8_t>(literal ? 0x80 : at + 1);
      t.of[flags].literal[i] = literal ? 0xFFFF : 0;
      at += literal ? 1 : 2;
    }
    t.length[flags] = static_cast<uint8_t>(1 + at);
  }
  return t;
}
constexpr ShapeTable kShapes = MakeShapes();

// One item's copy, whatever its length: 16 bytes, loaded before stored.
__attribute__((target("ssse3"))) inline void Copy16(uint8_t* o, unsigned to, int32_t from) {
  _mm_storeu_si128(reinterpret_cast<__m128i*>(o + to), _mm_loadu_si128(reinterpret_cast<const __m128i*>(o + from)));
}

// Groups of eight literals and of eight references keep the plain way: the
// first is one copy, the second is what long matches and runs make, in
// long stretches a predictor follows. So does a group with a reference
// longer than 16 bytes or closer than 16 (a run), which one copy cannot do.
__attribute__((target("ssse3"))) void ShuffleGroups(SzddCursor& c, const uint8_t* inLast, const uint8_t* outLast,
                                                    uintptr_t bias) {
  const uint8_t* g = c.in;
  uint8_t* o = c.out;
  const __m128i k1 = _mm_set1_epi16(1), k3 = _mm_set1_epi16(3), k15 = _mm_set1_epi16(15), k16 = _mm_set1_epi16(16);
  const __m128i kLow = _mm_set1_epi16(0xFF), kHigh = _mm_set1_epi16(0xF00), kRing = _mm_set1_epi16(0xFFF);
  while (g <= inLast && o <= outLast) {
    const unsigned flags = *g;
    if (flags == 0xFF) {
      std::memcpy(o, g + 1, 8);
      o += 8;
      g += 9;
      continue;
    }
    if (flags == 0) {
      for (const uint8_t* p = ++g; p < g + 16; p += 2) o = SzddMatch(p, o, bias);
      g += 16;
      continue;
    }
    const Shape& shape = kShapes.of[flags];
    const __m128i gather = _mm_load_si128(reinterpret_cast<const __m128i*>(shape.gather));
    const __m128i literal = _mm_load_si128(reinterpret_cast<const __m128i*>(shape.literal));
    // Lane i: the item's first byte, and its second if it is a reference.
    const __m128i item = _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(g + 1)), gather);
    const __m128i refLength = _mm_add_epi16(_mm_and_si128(_mm_srli_epi16(item, 8), k15), k3);
    const __m128i length = _mm_or_si128(_mm_andnot_si128(literal, refLength), _mm_and_si128(literal, k1));
    __m128i end = _mm_add_epi16(length, _mm_slli_si128(length, 2));  // where each item ends, from o
    end = _mm_add_epi16(end, _mm_slli_si128(end, 4));
    end = _mm_add_epi16(end, _mm_slli_si128(end, 8));
    const __m128i start = _mm_sub_epi16(end, length);
    const __m128i pos = _mm_or_si128(_mm_and_si128(item, kLow), _mm_and_si128(_mm_srli_epi16(item, 4), kHigh));
    const int ring = static_cast<int>((reinterpret_cast<uintptr_t>(o) + bias) & (kSzddWindow - 1));
    const __m128i r = _mm_and_si128(_mm_add_epi16(_mm_set1_epi16(static_cast<short>(ring)), start), kRing);
    const __m128i back = _mm_and_si128(_mm_sub_epi16(_mm_sub_epi16(r, pos), k1), kRing);  // distance less one
    const __m128i careful =
        _mm_andnot_si128(literal, _mm_or_si128(_mm_cmpgt_epi16(k15, back), _mm_cmpgt_epi16(refLength, k16)));
    if (_mm_movemask_epi8(careful)) {
      PlainGroup(g, o, bias);
      continue;
    }
    // From o: a reference copies from its start less its distance, a
    // literal from its byte in the input.
    __m128i from = _mm_sub_epi16(_mm_sub_epi16(start, back), k1);
    from = _mm_or_si128(_mm_andnot_si128(literal, from), _mm_and_si128(literal, _mm_and_si128(gather, kLow)));
    const __m128i input = _mm_set1_epi32(static_cast<int32_t>(g + 1 - o));
    __m128i low = _mm_srai_epi32(_mm_unpacklo_epi16(from, from), 16);
    __m128i high = _mm_srai_epi32(_mm_unpackhi_epi16(from, from), 16);
    low = _mm_add_epi32(low, _mm_and_si128(_mm_unpacklo_epi16(literal, literal), input));
    high = _mm_add_epi32(high, _mm_and_si128(_mm_unpackhi_epi16(literal, literal), input));
    // Item i goes to o + start[i], from o + low/high[i], in order.
#if defined(__x86_64__)
    // Four lanes a move to a general register: far fewer moves than one a lane.
    const uint64_t t0 = static_cast<uint64_t>(_mm_cvtsi128_si64(start));
    const uint64_t t1 = static_cast<uint64_t>(_mm_cvtsi128_si64(_mm_unpackhi_epi64(start, start)));
    const uint64_t f0 = static_cast<uint64_t>(_mm_cvtsi128_si64(low));
    const uint64_t f1 = static_cast<uint64_t>(_mm_cvtsi128_si64(_mm_unpackhi_epi64(low, low)));
    const uint64_t f2 = static_cast<uint64_t>(_mm_cvtsi128_si64(high));
    const uint64_t f3 = static_cast<uint64_t>(_mm_cvtsi128_si64(_mm_unpackhi_epi64(high, high)));
    Copy16(o, t0 & 0xFFFF, static_cast<int32_t>(f0));
    Copy16(o, (t0 >> 16) & 0xFFFF, static_cast<int32_t>(f0 >> 32));
    Copy16(o, (t0 >> 32) & 0xFFFF, static_cast<int32_t>(f1));
    Copy16(o, t0 >> 48, static_cast<int32_t>(f1 >> 32));
    Copy16(o, t1 & 0xFFFF, static_cast<int32_t>(f2));
    Copy16(o, (t1 >> 16) & 0xFFFF, static_cast<int32_t>(f2 >> 32));
    Copy16(o, (t1 >> 32) & 0xFFFF, static_cast<int32_t>(f3));
    Copy16(o, t1 >> 48, static_cast<int32_t>(f3 >> 32));
#else
    Copy16(o, _mm_extract_epi16(start, 0), _mm_cvtsi128_si32(low));
    Copy16(o, _mm_extract_epi16(start, 1), _mm_cvtsi128_si32(_mm_shuffle_epi32(low, 1)));
    Copy16(o, _mm_extract_epi16(start, 2), _mm_cvtsi128_si32(_mm_shuffle_epi32(low, 2)));
    Copy16(o, _mm_extract_epi16(start, 3), _mm_cvtsi128_si32(_mm_shuffle_epi32(low, 3)));
    Copy16(o, _mm_extract_epi16(start, 4), _mm_cvtsi128_si32(high));
    Copy16(o, _mm_extract_epi16(start, 5), _mm_cvtsi128_si32(_mm_shuffle_epi32(high, 1)));
    Copy16(o, _mm_extract_epi16(start, 6), _mm_cvtsi128_si32(_mm_shuffle_epi32(high, 2)));
    Copy16(o, _mm_extract_epi16(start, 7), _mm_cvtsi128_si32(_mm_shuffle_epi32(high, 3)));
#endif
    o += _mm_extract_epi16(end, 7);
    g += kShapes.length[flags];
  }
  c.in = g;
  c.out = o;
}

#endif

}  // namespace

void SzddUseDecoder(SzddDecoder d) { g_decoder = d; }

void SzddDecodeGroups(SzddCursor& at, const uint8_t* inLast, const uint8_t* outLast, uintptr_t bias) {
#ifdef LUMI_SZDD_SHUFFLES
  static const bool shuffles = __builtin_cpu_supports("ssse3");
  if (shuffles && g_decoder == SzddDecoder::kFastest) return ShuffleGroups(at, inLast, outLast, bias);
#endif
  PlainGroups(at, inLast, outLast, bias);
}
