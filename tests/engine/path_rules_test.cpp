// Path rules and the module folder rule.
#include <gtest/gtest.h>

#include "installer.h"

namespace {

struct JoinCase {
  const char* dir;
  const char* name;
  const char* expected;
};

TEST(PathRules, JoinPath) {
  const JoinCase cases[] = {
      {"C:\\A", "B.txt", "C:\\A\\B.txt"},
      {"C:\\A\\", "B.txt", "C:\\A\\B.txt"},
      {"C:", "B.txt", "C:\\B.txt"},
      {"", "B.txt", "B.txt"},
      {"C:\\A", "", "C:\\A\\"},
      {"C:\\A", "\\B.txt", "C:\\A\\\\B.txt"},  // a leading backslash is kept
      {"", "", ""},
  };
  CInstaller inst;
  for (const JoinCase& c : cases) {
    EXPECT_STREQ(inst.JoinPath(c.dir, c.name), c.expected) << c.dir << " + " << c.name;
  }
}

struct SplitCase {
  const char* path;
  const char* dir;
  const char* file;
};

TEST(PathRules, DirAndFilePart) {
  const SplitCase cases[] = {
      {"C:\\A\\B.txt", "C:\\A", "B.txt"},
      {"C:\\A\\", "C:\\A", ""},
      {"C:\\A", "C:", "A"},
      {"C:\\", "C:", ""},
      {"C:", "", ""},
      {"C:B.txt", "C", "B.txt"},
      {"\\B.txt", "", "B.txt"},
      {"B.txt", "", ""},
      {"", "", ""},
  };
  CInstaller inst;
  for (const SplitCase& c : cases) {
    EXPECT_STREQ(inst.GetDirPart(c.path), c.dir) << c.path;
    EXPECT_STREQ(inst.GetFilePart(c.path), c.file) << c.path;
  }
}

TEST(PathRules, ModuleDirOf) {
  const JoinCase cases[] = {
      {"C:\\Setup\\SETUP.EXE", nullptr, "C:\\Setup\\"},
      {"D:\\SETUP.EXE", nullptr, "D:\\"},
      {"D:SETUP.EXE", nullptr, "D:\\"},
      {"SETUP.EXE", nullptr, ""},
      {"", nullptr, ""},
  };
  for (const JoinCase& c : cases) EXPECT_STREQ(ModuleDirOf(c.dir), c.expected) << c.dir;
}

TEST(PathRules, ModuleDirOfALongPathKeepsTheFirst199Characters) {
  std::string path = "C:\\" + std::string(190, 'a') + "\\" + std::string(30, 'b') + ".exe";
  // Cut at 199 characters the last backslash is the one after the a's.
  EXPECT_STREQ(ModuleDirOf(path.c_str()), ("C:\\" + std::string(190, 'a') + "\\").c_str());
}

TEST(PathRules, ModuleDirIsTheTestProgramsFolder) {
  CString dir = GetModuleDir();
  ASSERT_GE(dir.GetLength(), 3);
  EXPECT_EQ(dir.GetAt(1), ':');
  EXPECT_EQ(dir.GetAt(dir.GetLength() - 1), '\\');
}

}  // namespace
