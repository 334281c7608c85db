// The wizard frame's window-free rules, in both builds.
#include "rules.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(WizardButtons, ByPageAndCount) {
  struct Case {
    int page, count;
    unsigned flags;
  };
  const Case cases[] = {{1, 4, 2}, {2, 4, 3}, {3, 4, 3}, {4, 4, 5}, {5, 4, 3}, {1, 1, 2}, {0, 4, 3}};
  for (const Case& c : cases) EXPECT_EQ(WizardButtonsFor(c.page, c.count), c.flags) << c.page << "/" << c.count;
}

TEST(FitSize, ScalesToTheLimitingSide) {
  struct Case {
    int w, h, W, H, width, height;
  };
  const Case cases[] = {
      {188, 156, 120, 200, 120, 99},                            // width limits
      {75, 134, 100, 100, 55, 100},                             // 55.97 truncated
      {100, 50, 200, 100, 200, 100},                            // equal ratios: the height side
      {48, 48, 64, 64, 64, 64},                                 // enlarged
      {11, 11, 30, 15, 14, 15},                                 // 11 x (15 / 11) is just below 15
      {166, 70, 242, 58, 137, 58},   {1, 1000, 10, 10, 0, 10},  // a side may truncate to nothing
  };
  for (const Case& c : cases) {
    int width = -1, height = -1;
    ASSERT_TRUE(FitSize(c.w, c.h, c.W, c.H, width, height));
    EXPECT_EQ(width, c.width) << c.w << "x" << c.h << " into " << c.W << "x" << c.H;
    EXPECT_EQ(height, c.height) << c.w << "x" << c.h << " into " << c.W << "x" << c.H;
  }
}

TEST(FitSize, NothingToScaleIsRefused) {
  int width = 7, height = 7;
  EXPECT_FALSE(FitSize(0, 10, 10, 10, width, height));
  EXPECT_FALSE(FitSize(10, 0, 10, 10, width, height));
  EXPECT_FALSE(FitSize(10, 10, 0, 10, width, height));
  EXPECT_FALSE(FitSize(10, 10, 10, -1, width, height));
  EXPECT_EQ(width, 7);
  EXPECT_EQ(height, 7);
}

TEST(PageTitle, CountedAndPlainTitlesWithinTheBuffer) {
  char buf[kTitleBuffer];
  ASSERT_TRUE(FormatPageTitle(buf, "Lumiscroll Installation", true, 1, 4));
  EXPECT_STREQ(buf, "Lumiscroll Installation (1 of 4)");
  ASSERT_TRUE(FormatPageTitle(buf, "Lumiscroll Installation", false, 0, 0));
  EXPECT_STREQ(buf, "Lumiscroll Installation");
  ASSERT_TRUE(FormatPageTitle(buf, "100% sure", true, 2, 4));  // a stem is never a format
  EXPECT_STREQ(buf, "100% sure (2 of 4)");
  // 39 characters fit; 40 do not, and nothing is cut.
  std::string stem30(30, 's'), stem31(31, 's');
  ASSERT_TRUE(FormatPageTitle(buf, stem30.c_str(), true, 4, 4));
  EXPECT_EQ(std::string(buf), stem30 + " (4 of 4)");
  EXPECT_FALSE(FormatPageTitle(buf, stem31.c_str(), true, 4, 4));
  EXPECT_STREQ(buf, "");
  EXPECT_TRUE(FormatPageTitle(buf, std::string(39, 'p').c_str(), false, 0, 0));
  EXPECT_FALSE(FormatPageTitle(buf, std::string(40, 'p').c_str(), false, 0, 0));
}

}  // namespace
