// Native image readers: BMP files into 32-bit pixels, and the image sizes of
// an icon file. Bytes in, results out: no handles, no files.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "lumistub.h"

namespace {
constexpr int kMaxSide = 16384;

uint32_t Le(const std::string& b, size_t at, int n) {
  uint32_t v = 0;
  for (int k = n - 1; k >= 0; --k) v = v << 8 | static_cast<unsigned char>(b[at + static_cast<size_t>(k)]);
  return v;
}
}  // namespace

// Uncompressed BMPs of 4, 8, 24 or 32 bits a pixel; anything else, or a
// file too short for what its header says, is no bitmap.
bool LumiReadBmp(const std::string& b, LumiImage& out) {
  if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') return false;
  uint32_t dataAt = Le(b, 10, 4), headerSize = Le(b, 14, 4);
  int32_t w = static_cast<int32_t>(Le(b, 18, 4)), h = static_cast<int32_t>(Le(b, 22, 4));
  uint32_t bits = Le(b, 28, 2), compression = Le(b, 30, 4), colours = Le(b, 46, 4);
  bool topDown = h < 0;
  if (topDown) h = -h;
  if (headerSize < 40 || w <= 0 || h <= 0 || w > kMaxSide || h > kMaxSide || compression != 0) return false;
  if (bits != 4 && bits != 8 && bits != 24 && bits != 32) return false;
  size_t row = ((static_cast<size_t>(w) * bits + 31) / 32) * 4;
  if (dataAt > b.size() || b.size() - dataAt < row * static_cast<size_t>(h)) return false;
  size_t paletteAt = 14 + headerSize;
  if (bits <= 8 && colours == 0) colours = 1u << bits;
  if (bits <= 8 && (colours > 256 || paletteAt + colours * 4 > dataAt)) return false;
  LumiImage* bmp = &out;
  bmp->width = w;
  bmp->height = h;
  bmp->pixels.assign(static_cast<size_t>(w) * static_cast<size_t>(h), 0);
  for (int y = 0; y < h; ++y) {
    size_t src = dataAt + row * static_cast<size_t>(topDown ? y : h - 1 - y);
    for (int x = 0; x < w; ++x) {
      uint32_t px;
      if (bits >= 24) {
        size_t at = src + static_cast<size_t>(x) * (bits / 8);
        px = Le(b, at, 3);
      } else {
        uint32_t index =
            bits == 8 ? static_cast<unsigned char>(b[src + static_cast<size_t>(x)])
                      : (static_cast<unsigned char>(b[src + static_cast<size_t>(x / 2)]) >> (x % 2 ? 0 : 4)) & 0xF;
        px = index < colours ? Le(b, paletteAt + index * 4, 3) : 0;
      }
      bmp->pixels[static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x)] = px;
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

bool LumiStubReadsBmp(const std::string& bytes, int& width, int& height) {
  LumiImage image;
  if (!LumiReadBmp(bytes, image)) return false;
  width = image.width;
  height = image.height;
  return true;
}
