// Native image readers: BMP files into 32-bit pixels, and the image sizes of
// an icon file. Bytes in, results out: no handles, no files.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "lumistandin.h"

namespace {
constexpr int kMaxSide = 16384;

uint32_t Le(const std::string& b, size_t at, int n) {
  uint32_t v = 0;
  for (int k = n - 1; k >= 0; --k) v = v << 8 | static_cast<unsigned char>(b[at + static_cast<size_t>(k)]);
  return v;
}
}  // namespace

namespace {
// Expands BI_RLE8 (bits 8) or BI_RLE4 (bits 4) data of a bottom-up bitmap
// into palette indices, top row first; false for data that runs past its
// end or past the picture (pixels it leaves out stay index 0).
bool ExpandRle(const std::string& b, size_t at, int bits, int w, int h, std::vector<uint8_t>& index) {
  index.assign(static_cast<size_t>(w) * static_cast<size_t>(h), 0);
  int x = 0, y = h - 1;
  auto put = [&](unsigned v) {
    if (x >= w || y < 0) return false;
    index[static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x++)] = static_cast<uint8_t>(v);
    return true;
  };
  auto nth = [&](unsigned byte, unsigned k) { return bits == 8 ? byte : (k % 2 ? byte & 0xF : byte >> 4); };
  for (;;) {
    if (at + 2 > b.size()) return false;
    unsigned n = static_cast<unsigned char>(b[at]), v = static_cast<unsigned char>(b[at + 1]);
    at += 2;
    if (n > 0) {  // a run of n pixels
      for (unsigned k = 0; k < n; ++k) {
        if (!put(nth(v, k))) return false;
      }
    } else if (v == 0) {  // end of line
      x = 0;
      --y;
    } else if (v == 1) {  // end of picture
      return true;
    } else if (v == 2) {  // a move right and up
      if (at + 2 > b.size()) return false;
      x += static_cast<unsigned char>(b[at]);
      y -= static_cast<unsigned char>(b[at + 1]);
      at += 2;
    } else {  // v pixels as they are, padded to a whole word
      size_t bytes = bits == 8 ? v : (v + 1) / 2;
      if (at + bytes > b.size()) return false;
      for (unsigned k = 0; k < v; ++k) {
        if (!put(nth(static_cast<unsigned char>(b[at + (bits == 8 ? k : k / 2)]), k))) return false;
      }
      at += (bytes + 1) & ~static_cast<size_t>(1);
    }
  }
}
}  // namespace

// BMPs of 4, 8, 24 or 32 bits a pixel, uncompressed, or run-length coded at
// 4 or 8 bits; anything else, or a file too short for what its header says,
// is no bitmap.
bool LumiReadBmp(const std::string& b, LumiImage& out) {
  if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') return false;
  uint32_t dataAt = Le(b, 10, 4), headerSize = Le(b, 14, 4);
  int32_t w = static_cast<int32_t>(Le(b, 18, 4)), h = static_cast<int32_t>(Le(b, 22, 4));
  uint32_t bits = Le(b, 28, 2), compression = Le(b, 30, 4), colours = Le(b, 46, 4);
  bool topDown = h < 0;
  if (h == INT32_MIN) return false;  // no height to negate
  if (topDown) h = -h;
  if (headerSize < 40 || w <= 0 || h <= 0 || w > kMaxSide || h > kMaxSide) return false;
  if (bits != 4 && bits != 8 && bits != 24 && bits != 32) return false;
  const bool rle = (compression == 1 && bits == 8) || (compression == 2 && bits == 4);
  if ((compression != 0 && !rle) || (rle && topDown)) return false;
  size_t row = ((static_cast<size_t>(w) * bits + 31) / 32) * 4;
  if (dataAt > b.size() || (!rle && b.size() - dataAt < row * static_cast<size_t>(h))) return false;
  size_t paletteAt = 14 + headerSize;
  if (bits <= 8 && colours == 0) colours = 1u << bits;
  if (bits <= 8 && (colours > 256 || paletteAt + colours * 4 > dataAt)) return false;
  // Run-length data covers at most 255 pixels with two bytes: a picture
  // larger than its data could make is no sound file (and would cost its
  // reader the memory of a picture its file does not hold).
  if (rle && static_cast<uint64_t>(w) * static_cast<uint64_t>(h) > 128 * static_cast<uint64_t>(b.size() - dataAt)) {
    return false;
  }
  std::vector<uint8_t> runs;
  if (rle && !ExpandRle(b, dataAt, static_cast<int>(bits), w, h, runs)) return false;
  out.width = w;
  out.height = h;
  out.pixels.assign(static_cast<size_t>(w) * static_cast<size_t>(h), 0);
  for (int y = 0; y < h; ++y) {
    size_t src = dataAt + row * static_cast<size_t>(topDown ? y : h - 1 - y);
    for (int x = 0; x < w; ++x) {
      const size_t at = static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x);
      uint32_t px;
      if (bits >= 24) {
        px = Le(b, src + static_cast<size_t>(x) * (bits / 8), 3);
      } else {
        uint32_t index =
            rle         ? runs[at]
            : bits == 8 ? static_cast<unsigned char>(b[src + static_cast<size_t>(x)])
                        : (static_cast<unsigned char>(b[src + static_cast<size_t>(x / 2)]) >> (x % 2 ? 0 : 4)) & 0xF;
        px = index < colours ? Le(b, paletteAt + index * 4, 3) : 0;
      }
      out.pixels[at] = px;
    }
  }
  return true;
}

bool LumiReadIconSizes(const std::string& b, std::vector<std::pair<int, int>>& sizes) {
  sizes.clear();
  if (b.size() < 6 || Le(b, 0, 2) != 0 || Le(b, 2, 2) != 1) return false;
  size_t count = Le(b, 4, 2);
  if (b.size() < 6 + 16 * count) return false;
  for (size_t i = 0; i < count; ++i) {
    int w = static_cast<unsigned char>(b[6 + 16 * i]), h = static_cast<unsigned char>(b[7 + 16 * i]);
    sizes.emplace_back(w == 0 ? 256 : w, h == 0 ? 256 : h);
  }
  return true;
}
