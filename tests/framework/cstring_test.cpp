// The framework's CString, as the engine uses it.
#include <gtest/gtest.h>

#include "afxstr.h"

namespace {

TEST(CString, SlicesClampToTheText) {
  CString s("abcdef");
  EXPECT_STREQ(s.Left(2), "ab");
  EXPECT_STREQ(s.Left(99), "abcdef");
  EXPECT_STREQ(s.Left(-1), "");
  EXPECT_STREQ(s.Mid(4), "ef");
  EXPECT_STREQ(s.Mid(9), "");
  EXPECT_STREQ(s.Mid(1, 3), "bcd");
}

TEST(CString, FindAndReverseFind) {
  CString s("C:\\A\\B.txt");
  EXPECT_EQ(s.Find('\\'), 2);
  EXPECT_EQ(s.Find('\\', 3), 4);
  EXPECT_EQ(s.Find("B.t"), 5);
  EXPECT_EQ(s.ReverseFind('\\'), 4);
  EXPECT_EQ(s.ReverseFind('z'), -1);
  EXPECT_EQ(CString().ReverseFind('\\'), -1);
}

TEST(CString, CompareNoCaseFoldsOnlyAToZ) {
  EXPECT_EQ(CString("C:\\Program Files").CompareNoCase("c:\\PROGRAM FILES"), 0);
  EXPECT_NE(CString("\xE9").CompareNoCase("\xC9"), 0);  // e acute vs E acute: not folded
  EXPECT_LT(CString("a").CompareNoCase("B"), 0);
}

TEST(CString, AppendAndFormat) {
  CString s("Cannot access ");
  s += "C:\\x";
  s += '!';
  EXPECT_STREQ(s, "Cannot access C:\\x!");
  CString f;
  f.Format(" (%d of %d)", 1, 4);
  EXPECT_STREQ(f, " (1 of 4)");
  EXPECT_TRUE(CString("x") == "x");
  EXPECT_TRUE(CString("x") != "y");
}

TEST(CString, LoadStringReadsTheProgramsStringTable) {
  struct Case {
    UINT id;
    const char* text;
  };
  const Case cases[] = {
      {1, "Lumiscroll Installation"},
      {51, "Lumiroll.ex_"},
      {56, "Lumiroll.cnt"},
      {5, "You're ready to install..."},
      {11, "Please Wait..."},
      {9,
       "Double click the new Lumiscroll icon on your desktop to start Lumiscroll.  Thank you for trying the "
       "program! We hope you find it useful.\r\n\r\nTamvik Software"},
      {10,
       "Lumiscroll could not be completely installed. Please notify us at support@lumiscroll.example.\r\n"
       "The following error(s) were encountered:\r\n"},
      {101, "Bkgnds1\\bkgnd1.jp_"},
      {108, "Bkgnds1\\turtle.gi_"},
      {126, "Nature\\Sheep.jp_"},
  };
  for (const Case& c : cases) {
    CString s;
    EXPECT_TRUE(s.LoadString(c.id)) << c.id;
    EXPECT_STREQ(s, c.text) << c.id;
  }
  CString missing("old");
  EXPECT_FALSE(missing.LoadString(9999));
  EXPECT_TRUE(missing.IsEmpty());
}

}  // namespace
