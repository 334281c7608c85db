// The native drive map and the kernel stand-ins.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "afxstr.h"
#include "installer.h"
#include "lumistandin.h"
#include "lumiwin.h"
#include "lzcopy.h"
#include "testfs.h"

namespace {

std::string HostOf(const std::string& win) {
  std::string host;
  return LumiMapPath(win.c_str(), host) ? host : std::string("<none>");
}

TEST(DriveMap, MapsDrivesToTheirHostFolders) {
  std::string scratch = ScratchFolder();  // sets up T:
  const char* t = std::getenv("LUMIROLL_DRIVE_T");
  ASSERT_NE(t, nullptr);
  std::string root = t;
  ASSERT_TRUE(MakeFolder(scratch + "\\Mixed Case"));
  struct Case {
    const char* win;
    std::string host;
  };
  std::string s = HostOf(scratch);
  const Case cases[] = {
      {"T:\\", root},
      {"t:\\", root},
      {"T:", root},
      {"Z:\\usr\\bin", "/usr/bin"},
      {"Z:/usr//bin/", "/usr/bin"},
      {"Z:\\usr\\.\\lib\\..\\bin", "/usr/bin"},
      {"Z:\\..\\..\\usr", "/usr"},  // never above the drive's root
      {"Q:\\A", "<none>"},          // no folder for Q:
      {"\\\\server\\share", "<none>"},
      {"Z:\\a<b", "<none>"},
      {"Z:\\a|b", "<none>"},
  };
  for (const Case& c : cases) EXPECT_EQ(HostOf(c.win), c.host) << c.win;
  // Names match without regard to the case of A-Z; trailing dots and blanks go.
  EXPECT_EQ(HostOf(scratch + "\\MIXED case\\New"), s + "/Mixed Case/New");
  EXPECT_EQ(HostOf(scratch + "\\Mixed Case. "), s + "/Mixed Case");
}

TEST(DriveMap, HostPathsAreSeenThroughTheLongestDrive) {
  std::string scratch = ScratchFolder();
  std::string host = HostOf(scratch);
  EXPECT_EQ(LumiHostToWindowsPath(host), scratch);
  EXPECT_EQ(LumiHostToWindowsPath("/usr/bin"), "Z:\\usr\\bin");
  EXPECT_EQ(LumiHostToWindowsPath("/"), "Z:\\");
}

TEST(DriveMap, ADoubleByteTrailByteIsNotASeparator) {
  LumiSetCodePage(932);
  std::string scratch = ScratchFolder();
  // 0x95 0x5C is one Shift JIS character whose second byte is 0x5C.
  std::string name =
      "\x95\x5C"
      "folder";
  EXPECT_EQ(HostOf(scratch + "\\" + name), HostOf(scratch) + "/" + name);
  LumiSetCodePage(1252);
  EXPECT_EQ(HostOf(scratch + "\\" + name), HostOf(scratch) + "/\x95/folder");
}

// A double-byte character whose trail byte alone would be '\\' or '|'
// ends a name as well as any other.
TEST(CodePage, AnExpandedNameEndsInItsLastCharacterNotItsLastByte) {
  const struct {
    const char* medium;
    const char* expanded;
    bool sound932, sound1252;
  } cases[] = {
      {"a\x83\x5C_", "a\x83\x5C", true, false},
      {"a\x83\x7C_", "a\x83\x7C", true, false},
      {"a\x83\x5C\\_", "a\x83\x5C\\", false, false},  // a real backslash after the pair
      {"\x83\x61.tx_", "\x83\x41.tx_", true, false},  // a pair has no case: another name
  };
  for (const auto& c : cases) {
    LumiSetCodePage(932);
    EXPECT_EQ(LzExpandedNameSound(c.medium, c.expanded), c.sound932) << c.expanded;
    LumiSetCodePage(1252);
    EXPECT_EQ(LzExpandedNameSound(c.medium, c.expanded), c.sound1252) << c.expanded;
  }
}

TEST(CodePage, ReverseFindAndPathRulesGoByCharacters) {
  LumiSetCodePage(932);
  CInstaller inst;
  CString path("C:\\A\\\x95\x5C");  // the last byte is a trail byte, not a backslash
  EXPECT_EQ(path.ReverseFind('\\'), 4);
  EXPECT_STREQ(inst.GetDirPart(path), "C:\\A");
  EXPECT_STREQ(inst.GetFilePart(path), "\x95\x5C");
  EXPECT_STREQ(inst.JoinPath("C:\\\x95\x5C", "x"), "C:\\\x95\x5C\\x");
  LumiSetCodePage(1252);
  EXPECT_EQ(path.ReverseFind('\\'), 6);
  EXPECT_EQ(GetACP(), 1252u);
}

TEST(Kernel, WindowsFolderAndItsAbsence) {
  char buf[260];
  EXPECT_EQ(GetWindowsDirectoryA(buf, sizeof buf), 10u);
  EXPECT_STREQ(buf, "C:\\WINDOWS");
  {
    CInstaller inst;
    EXPECT_STREQ(inst.GetWindowsDir(), "C:\\WINDOWS");
  }
  LumiSetWindowsDir(nullptr);
  {
    CInstaller inst;
    EXPECT_STREQ(inst.GetWindowsDir(), "");
  }
  std::string tooLong = "C:\\" + std::string(257, 'w');  // 260 characters: no room for the NUL
  LumiSetWindowsDir(tooLong.c_str());
  EXPECT_EQ(GetWindowsDirectoryA(buf, sizeof buf), 261u);
  {
    CInstaller inst;
    EXPECT_STREQ(inst.GetWindowsDir(), "");
  }
  std::string fits(259, 'w');
  LumiSetWindowsDir(fits.c_str());
  {
    CInstaller inst;
    EXPECT_STREQ(inst.GetWindowsDir(), fits.c_str());
  }
  LumiSetWindowsDir(kLumiDefaultWindowsDir);
}

TEST(Kernel, TheInstallerHoldsOleForItsLifetime) {
  EXPECT_EQ(LumiOleDepth(), 0);
  {
    CInstaller inst;
    EXPECT_EQ(LumiOleDepth(), 1);
  }
  EXPECT_EQ(LumiOleDepth(), 0);
}

TEST(Kernel, ModuleFileNameIsCutShortAndTerminated) {
  char full[260];
  DWORD n = GetModuleFileNameA(nullptr, full, sizeof full);
  ASSERT_GT(n, 5u);
  char small[6];
  EXPECT_EQ(GetModuleFileNameA(nullptr, small, sizeof small), 6u);
  EXPECT_EQ(std::string(small), std::string(full).substr(0, 5));
}

TEST(Mkdir, ReportsTheThreeOutcomesThroughErrno) {
  std::string s = ScratchFolder();
  ASSERT_TRUE(PutFile(s + "\\file", "x"));
  struct Case {
    std::string path;
    int result;
    int err;
  };
  const Case cases[] = {
      {s + "\\new", 0, 0},        {s + "\\new", -1, EEXIST}, {s + "\\new\\", -1, EEXIST}, {s + "\\file", -1, EEXIST},
      {s + "\\a\\b", -1, ENOENT}, {"Q:\\x", -1, ENOENT},     {s + "\\a<b", -1, EINVAL},   {s + "\\file\\x", -1, ENOENT},
  };
  for (const Case& c : cases) {
    errno = 0;
    EXPECT_EQ(_mkdir(c.path.c_str()), c.result) << c.path;
    if (c.result) {
      EXPECT_EQ(errno, c.err) << c.path;
    }
  }
}

TEST(CreateDirTree, MakesEachAncestorInOrderFromTheTop) {
  std::string s = ScratchFolder();
  LumiClearMkdirLog();
  CInstaller inst;
  ASSERT_EQ(inst.CreateDirTree((s + "\\A\\B\\C").c_str()), 1);
  std::vector<std::string> made;
  for (const LumiMkdirCall& c : LumiMkdirLog()) {
    if (c.result == 0) made.push_back(c.path);
  }
  EXPECT_EQ(made, (std::vector<std::string>{s + "\\A", s + "\\A\\B", s + "\\A\\B\\C"}));
}

TEST(CreateDirTree, ARefusedFolderIsTriedExactlyTwice) {
  std::string s = ScratchFolder();
  std::string refused = s + "\\Refused";
  LumiFailMkdir(refused, EACCES);
  LumiClearMkdirLog();
  CInstaller inst;
  inst.CreateDirTree("T:\\keep");  // leaves no message on success
  EXPECT_EQ(inst.CreateDirTree(refused.c_str()), 0);
  EXPECT_EQ(inst.GetLastMessage().GetString(), "Cannot create directory " + refused);
  int attempts = 0;
  for (const LumiMkdirCall& c : LumiMkdirLog()) attempts += c.path == refused;
  EXPECT_EQ(attempts, 2);
  EXPECT_FALSE(PathExists(refused));
  LumiClearMkdirFailures();
}

TEST(CreateDirTree, AMissingDriveClimbsToTheEmptyPath) {
  LumiClearMkdirLog();
  CInstaller inst;
  EXPECT_EQ(inst.CreateDirTree("Q:\\A\\B"), 0);
  std::vector<std::string> tried;
  for (const LumiMkdirCall& c : LumiMkdirLog()) tried.push_back(c.path);
  EXPECT_EQ(tried, (std::vector<std::string>{"Q:\\A\\B", "Q:\\A", "Q:"}));
}

}  // namespace
