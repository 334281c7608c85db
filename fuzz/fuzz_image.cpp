// Any bytes as a BMP and as an icon file for the image readers: they answer
// without a fault, and a bitmap read has as many pixels as its sides say,
// within the largest side taken.
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "lumistandin.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  LumiImage image;
  if (LumiReadBmp(bytes, image)) {
    if (image.width <= 0 || image.height <= 0 || image.width > 16384 || image.height > 16384) std::abort();
    if (image.pixels.size() != static_cast<size_t>(image.width) * static_cast<size_t>(image.height)) std::abort();
    for (uint32_t px : image.pixels) {
      if (px > 0xFFFFFFu) std::abort();
    }
  }
  std::vector<std::pair<int, int>> sizes;
  if (LumiReadIconSizes(bytes, sizes)) {
    if (size < 6 + 16 * sizes.size()) std::abort();
    for (const auto& wh : sizes) {
      if (wh.first < 1 || wh.first > 256 || wh.second < 1 || wh.second > 256) std::abort();
    }
  }
  return 0;
}
