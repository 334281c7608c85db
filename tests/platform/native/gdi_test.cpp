// The bitmap stand-in: the program's own bitmaps, and damaged files.
#include <gtest/gtest.h>

#include <string>

#include "lumistandin.h"
#include "lumiwin.h"
#include "rcscript.h"

namespace {

uint32_t PixelAt(HBITMAP bmp, int x, int y) {
  BITMAP info;
  EXPECT_EQ(GetObjectA(bmp, sizeof info, &info), static_cast<int>(sizeof info));
  return static_cast<const uint32_t*>(info.bmBits)[y * info.bmWidth + x];
}

TEST(Bitmaps, TheProgramsBitmapsLoadWithTheirPixels) {
  HBITMAP white = LoadBitmapA(nullptr, MAKEINTRESOURCEA(109));
  ASSERT_NE(white, nullptr);
  for (int y = 0; y < 48; y += 7)
    for (int x = 0; x < 48; x += 5) EXPECT_EQ(PixelAt(white, x, y), 0xFFFFFFu);
  EXPECT_TRUE(DeleteObject(white));
  HBITMAP stop = LoadBitmapA(nullptr, MAKEINTRESOURCEA(113));
  ASSERT_NE(stop, nullptr);
  uint32_t red = PixelAt(stop, 20, 62);  // inside the octagon, left of the letters
  EXPECT_GT((red >> 16) & 0xFF, 150u);
  EXPECT_LT((red >> 8) & 0xFF, 80u);
  DeleteObject(stop);
  EXPECT_EQ(LoadBitmapA(nullptr, MAKEINTRESOURCEA(999)), nullptr);
  BITMAP info;
  EXPECT_EQ(GetObjectA(nullptr, sizeof info, &info), 0);
}

TEST(Bitmaps, DamagedFilesAreNoBitmaps) {
  const std::string* good = LumiModuleFile("white.bmp");
  ASSERT_NE(good, nullptr);
  LumiImage image;
  ASSERT_TRUE(LumiReadBmp(*good, image));
  EXPECT_EQ(image.width, 48);
  auto with = [&](size_t at, char v) {
    std::string s = *good;
    s[at] = v;
    return s;
  };
  const std::string cases[] = {
      good->substr(0, 53),                // shorter than the headers
      good->substr(0, good->size() - 1),  // pixels cut short
      with(0, 'X'),                       // no signature
      with(28, 16),                       // 16 bits a pixel: not served
      with(30, 1),                        // compressed
      with(21, 0x7F),                     // a width far too large
      with(10, 0x7F),                     // pixel data beyond the file
  };
  for (const std::string& c : cases) EXPECT_FALSE(LumiReadBmp(c, image));
  for (size_t cut = 0; cut < 60; ++cut) EXPECT_FALSE(LumiReadBmp(good->substr(0, cut), image)) << cut;
}

}  // namespace
