// Native stand-ins for GDI bitmaps: LoadBitmapA reads a BMP file the program
// carries (named by the script's BITMAP statement) into 32-bit pixels.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "lumistub.h"
#include "lumiwin.h"
#include "rcscript.h"

struct LumiGdiObject {
  int width = 0, height = 0;
  std::vector<uint32_t> pixels;  // top row first, 0x00RRGGBB
};

namespace {
constexpr int kMaxSide = 16384;

uint32_t Le(const std::string& b, size_t at, int n) {
  uint32_t v = 0;
  for (int k = n - 1; k >= 0; --k) v = v << 8 | static_cast<unsigned char>(b[at + static_cast<size_t>(k)]);
  return v;
}

// Uncompressed BMPs of 4, 8, 24 or 32 bits a pixel; anything else, or a
// file too short for what its header says, is no bitmap.
LumiGdiObject* ParseBmp(const std::string& b) {
  if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') return nullptr;
  uint32_t dataAt = Le(b, 10, 4), headerSize = Le(b, 14, 4);
  int32_t w = static_cast<int32_t>(Le(b, 18, 4)), h = static_cast<int32_t>(Le(b, 22, 4));
  uint32_t bits = Le(b, 28, 2), compression = Le(b, 30, 4), colours = Le(b, 46, 4);
  bool topDown = h < 0;
  if (topDown) h = -h;
  if (headerSize < 40 || w <= 0 || h <= 0 || w > kMaxSide || h > kMaxSide || compression != 0) return nullptr;
  if (bits != 4 && bits != 8 && bits != 24 && bits != 32) return nullptr;
  size_t row = ((static_cast<size_t>(w) * bits + 31) / 32) * 4;
  if (dataAt > b.size() || b.size() - dataAt < row * static_cast<size_t>(h)) return nullptr;
  size_t paletteAt = 14 + headerSize;
  if (bits <= 8 && colours == 0) colours = 1u << bits;
  if (bits <= 8 && (colours > 256 || paletteAt + colours * 4 > dataAt)) return nullptr;
  auto* bmp = new LumiGdiObject;
  bmp->width = w;
  bmp->height = h;
  bmp->pixels.resize(static_cast<size_t>(w) * static_cast<size_t>(h));
  for (int y = 0; y < h; ++y) {
    size_t src = dataAt + row * static_cast<size_t>(topDown ? y : h - 1 - y);
    for (int x = 0; x < w; ++x) {
      uint32_t px;
      if (bits >= 24) {
        size_t at = src + static_cast<size_t>(x) * (bits / 8);
        px = Le(b, at, 3);
      } else {
        uint32_t index = bits == 8 ? static_cast<unsigned char>(b[src + static_cast<size_t>(x)])
                                   : (static_cast<unsigned char>(b[src + static_cast<size_t>(x / 2)]) >> (x % 2 ? 0 : 4)) & 0xF;
        px = index < colours ? Le(b, paletteAt + index * 4, 3) : 0;
      }
      bmp->pixels[static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x)] = px;
    }
  }
  return bmp;
}
}  // namespace

HBITMAP WINAPI LoadBitmapA(HINSTANCE, LPCSTR name) {
  uintptr_t id = reinterpret_cast<uintptr_t>(name);
  if (id > 0xFFFF) return nullptr;  // bitmaps are named by number here
  const auto& bitmaps = LumiModuleScript().Bitmaps();
  auto it = bitmaps.find(static_cast<unsigned>(id));
  if (it == bitmaps.end()) return nullptr;
  const std::string* file = LumiModuleFile(it->second);
  return file ? ParseBmp(*file) : nullptr;
}

int WINAPI GetObjectA(HGDIOBJ h, int c, LPVOID pv) {
  if (!h || !pv || c < static_cast<int>(sizeof(BITMAP))) return 0;
  BITMAP info = {};
  info.bmWidth = h->width;
  info.bmHeight = h->height;
  info.bmWidthBytes = h->width * 4;
  info.bmPlanes = 1;
  info.bmBitsPixel = 32;
  info.bmBits = h->pixels.data();
  std::memcpy(pv, &info, sizeof info);
  return static_cast<int>(sizeof info);
}

BOOL WINAPI DeleteObject(HGDIOBJ h) {
  if (!h) return FALSE;
  delete h;
  return TRUE;
}

bool LumiStubReadsBmp(const std::string& bytes, int& width, int& height) {
  LumiGdiObject* bmp = ParseBmp(bytes);
  if (!bmp) return false;
  width = bmp->width;
  height = bmp->height;
  delete bmp;
  return true;
}
