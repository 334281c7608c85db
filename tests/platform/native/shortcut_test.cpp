// The registry file, shortcuts and CFile over the native stand-ins.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "afxfile.h"
#include "category.h"
#include "installer.h"
#include "lumistandin.h"
#include "pages.h"
#include "testfs.h"
#include "testmachine.h"
#include "wizsheet.h"

namespace {

const char kKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

std::string WriteRegistry(const std::string& text) {
  std::string host;
  LumiMapPath(ScratchFolder().c_str(), host);
  std::string file = host + "/user.reg";
  std::ofstream(file, std::ios::binary) << text;
  setenv("LUMIROLL_REGISTRY", file.c_str(), 1);
  return file;
}

TEST(Registry, ReadsTheExportFormat) {
  WriteRegistry(
      "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders]\r\n"
      "\"Desktop\"=\"C:\\\\Users\\\\Ann \\\"A\\\"\\\\Desktop\"\r\n\"Count\"=dword:0000002a\r\n; a comment\r\n");
  HKEY key;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "software\\MICROSOFT\\Windows\\CurrentVersion\\Explorer\\Shell Folders", 0,
                          KEY_READ, &key),
            ERROR_SUCCESS);
  char buf[150];
  DWORD size = sizeof buf, type = 0;
  ASSERT_EQ(RegQueryValueExA(key, "desktop", nullptr, &type, reinterpret_cast<LPBYTE>(buf), &size), ERROR_SUCCESS);
  EXPECT_STREQ(buf, "C:\\Users\\Ann \"A\"\\Desktop");
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  DWORD n = 0;
  size = sizeof n;
  ASSERT_EQ(RegQueryValueExA(key, "Count", nullptr, &type, reinterpret_cast<LPBYTE>(&n), &size), ERROR_SUCCESS);
  EXPECT_EQ(n, 42u);
  size = sizeof buf;
  EXPECT_EQ(RegQueryValueExA(key, "Programs", nullptr, nullptr, reinterpret_cast<LPBYTE>(buf), &size),
            ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
}

TEST(Registry, MissingOrDamagedFilesAreMissingKeys) {
  const char* cases[] = {
      "", "not a registry\r\n[HKEY_CURRENT_USER\\Software]\r\n", "REGEDIT4\r\n[HKEY_CURRENT_USER\\Other]\r\n",
      "REGEDIT4\r\n[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders"};
  for (const char* text : cases) {
    WriteRegistry(text);
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND) << text;
    EXPECT_EQ(key, nullptr);
  }
  setenv("LUMIROLL_REGISTRY", "/nonexistent/registry.reg", 1);
  HKEY key = nullptr;
  EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
  // A value line without its closing quote is no value.
  WriteRegistry(std::string("REGEDIT4\r\n[HKEY_CURRENT_USER\\") + kKey + "]\r\n\"Desktop\"=\"C:\\\\x\r\n");
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key), ERROR_SUCCESS);
  char buf[150];
  DWORD size = sizeof buf;
  EXPECT_EQ(RegQueryValueExA(key, "Desktop", nullptr, nullptr, reinterpret_cast<LPBYTE>(buf), &size),
            ERROR_FILE_NOT_FOUND);
  RegCloseKey(key);
}

class Shortcuts : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = ScratchFolder();
    MakeFolder(dir_ + "\\Desk");
    MakeFolder(dir_ + "\\Progs");
    MakeFolder(dir_ + "\\App");
    PutFile(dir_ + "\\App\\Lumiroll.exe", "program");
  }
  void Folders(const std::string& desktop, const std::string& programs) {
    SetShellFolders(desktop.empty() ? nullptr : desktop.c_str(), programs.empty() ? nullptr : programs.c_str());
  }
  std::string dir_;
  CInstaller inst_;
};

TEST_F(Shortcuts, ShellFolderValuesAtTheBufferLimit) {
  // A value of 149 characters fits the 150-byte buffer; 150 does not.
  std::string base = dir_ + "\\";
  std::string at = base + std::string(149 - base.size(), 'd');
  std::string past = base + std::string(150 - base.size(), 'p');
  ASSERT_TRUE(MakeFolder(at));
  ASSERT_TRUE(MakeFolder(past));
  Folders(at, past);
  inst_.SetInstallDir((dir_ + "\\App").c_str());
  EXPECT_EQ(inst_.CreateShortcuts("Lumiroll.exe", "Title"), 1);
  EXPECT_TRUE(PathExists(at + "\\Title.lnk"));
  EXPECT_FALSE(PathExists(past + "\\Title.lnk"));
}

TEST_F(Shortcuts, AValueWithoutItsNulIsNeverCutToFit) {
  // 149 bytes without a NUL are a 149-character folder; 150 are one too long,
  // and cutting them to 149 would name another folder.
  std::string base = dir_ + "\\";
  std::string at = base + std::string(149 - base.size(), 'd');
  ASSERT_TRUE(MakeFolder(at));
  auto hex = [](const std::string& s) {
    std::string out = "hex:";
    char b[4];
    for (unsigned char c : s) {
      std::snprintf(b, sizeof b, "%02x,", c);
      out += b;
    }
    out.pop_back();
    return out;
  };
  for (const std::string& value : {at, at + "x"}) {
    WriteRegistry(std::string("REGEDIT4\r\n[HKEY_CURRENT_USER\\") + kKey + "]\r\n\"Desktop\"=" + hex(value) + "\r\n");
    inst_.SetInstallDir((dir_ + "\\App").c_str());
    EXPECT_EQ(inst_.CreateShortcuts("Lumiroll.exe", "Title"), value == at ? 1 : 0) << value.size();
    EXPECT_EQ(PathExists(at + "\\Title.lnk"), value == at) << value.size();
    RemoveFile(at + "\\Title.lnk");
  }
}

// A value that is no full path would put the shortcut in the current folder.
TEST_F(Shortcuts, OnlyAFullPathIsAShellFolder) {
  const struct {
    std::string value;
    int made;
  } cases[] = {{"", 0}, {"Desk", 0}, {"C:Desk", 0}, {dir_.substr(2) + "\\Desk", 0}, {dir_ + "\\Desk", 1}};
  for (const auto& c : cases) {
    SetShellFolders(c.value.c_str(), nullptr);
    inst_.SetInstallDir((dir_ + "\\App").c_str());
    EXPECT_EQ(inst_.CreateShortcuts("Lumiroll.exe", "Title"), c.made) << '"' << c.value << '"';
    EXPECT_FALSE(PathExists("Title.lnk")) << '"' << c.value << '"';
    EXPECT_FALSE(PathExists("DeskTitle.lnk")) << '"' << c.value << '"';
  }
  EXPECT_TRUE(PathExists(dir_ + "\\Desk\\Title.lnk"));
}

TEST_F(Shortcuts, JoinsWithoutDoubleBackslashes) {
  Folders(dir_ + "\\Desk\\", dir_ + "\\Progs");
  inst_.SetInstallDir((dir_ + "\\App\\").c_str());
  ASSERT_EQ(inst_.CreateShortcuts("Lumiroll.exe", "Title"), 2);
  std::string bytes;
  ASSERT_TRUE(GetFile(dir_ + "\\Desk\\Title.lnk", bytes));
  EXPECT_NE(bytes.find(dir_ + "\\App\\Lumiroll.exe"), std::string::npos);
  EXPECT_EQ(bytes.find("\\\\"), std::string::npos);
}

TEST_F(Shortcuts, WithoutTheKeyOrTheClassNothingIsMade) {
  SetShellFoldersKeyMissing();
  EXPECT_EQ(inst_.CreateShortcuts("Lumiroll.exe", "Title"), 0);
  Folders(dir_ + "\\Desk", dir_ + "\\Progs");
  LumiFailShellLink(true);
  EXPECT_EQ(inst_.CreateShortcuts("Lumiroll.exe", "Title"), 0);
  LumiFailShellLink(false);
  const std::string target = dir_ + "\\App\\Lumiroll.exe";
  EXPECT_EQ(inst_.CreateShortcut(target.c_str(), (dir_ + "\\Desk\\x.lnk").c_str(), "x"), 1);
  EXPECT_EQ(inst_.CreateShortcut(target.c_str(), (dir_ + "\\Gone\\x.lnk").c_str(), "x"), 0);  // Save fails
}

// A shortcut counts only when it leads to the program and its file is whole.
TEST_F(Shortcuts, NoShortcutToNothingAndNoneLeftHalfSaved) {
  const std::string desk = dir_ + "\\Desk", link = desk + "\\Title.lnk", progs = dir_ + "\\Progs\\Title.lnk";
  struct Case {
    const char* what;
    std::string desktop;     // the desktop folder's value
    const char* program;     // the program file's name in the install folder
    long long deskSpace;     // bytes left on the desktop's disk, -1 for no limit
    const char* linkBefore;  // a link file on the desktop before, or nullptr
    int made;
    bool deskLink, progsLink;  // link files there afterwards
  };
  const Case cases[] = {
      {"a program file that is not there", desk, "Missing.exe", -1, nullptr, 0, false, false},
      {"a program name that is a folder", desk, "", -1, nullptr, 0, false, false},
      {"a full disk, no link before", desk, "Lumiroll.exe", 0, nullptr, 1, false, true},
      {"a full disk over an old link", desk, "Lumiroll.exe", 0, "old link", 1, true, true},
      {"a share that cannot be reached", "\\\\nosuchserver\\share\\Desktop", "Lumiroll.exe", -1, nullptr, 1, false,
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    RemoveFile(link);
    RemoveFile(progs);
    if (c.linkBefore) {
      ASSERT_TRUE(PutFile(link, c.linkBefore));
    }
    Folders(c.desktop, dir_ + "\\Progs");
    ASSERT_TRUE(LimitDiskSpace(desk, c.deskSpace));
    inst_.SetInstallDir((dir_ + "\\App").c_str());
    EXPECT_EQ(inst_.CreateShortcuts(c.program, "Title"), c.made);
    LimitDiskSpace(desk, -1);
    EXPECT_EQ(PathExists(link), c.deskLink);
    EXPECT_EQ(PathExists(progs), c.progsLink);
    std::string bytes;
    if (c.linkBefore) {
      EXPECT_TRUE(GetFile(link, bytes) && bytes == c.linkBefore);  // kept whole
    }
    EXPECT_FALSE(PathExists(desk + "\\" + CInstaller::kTempName));
  }
}

// A link standing where the shortcut goes is replaced; the file it leads to
// keeps its bytes.
TEST_F(Shortcuts, ALinkWhereTheShortcutGoesIsReplacedNotWrittenThrough) {
  const std::string outside = dir_ + "\\outside.dat", link = dir_ + "\\Desk\\Title.lnk";
  MakeFolder(dir_ + "\\Desk");
  ASSERT_TRUE(PutFile(outside, "outside"));
  ASSERT_TRUE(PutLink(link, outside, false));
  Folders(dir_ + "\\Desk", dir_ + "\\Progs");
  inst_.SetInstallDir((dir_ + "\\App").c_str());
  EXPECT_EQ(inst_.CreateShortcuts("Lumiroll.exe", "Title"), 2);
  std::string bytes;
  EXPECT_TRUE(GetFile(outside, bytes) && bytes == "outside");
  EXPECT_TRUE(GetFile(link, bytes) && bytes.find("Lumiroll.exe") != std::string::npos);
}

TEST(CFileStandIn, ShareDenyWriteKeepsOtherWritersOut) {
  std::string path = ScratchFolder() + "\\shared.dat";
  CFile first;
  ASSERT_TRUE(first.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::shareDenyWrite));
  CFile second;
  CFileException e;
  EXPECT_FALSE(second.Open(path.c_str(), CFile::modeWrite | CFile::shareDenyNone, &e));
  EXPECT_EQ(e.m_cause, CFileException::sharingViolation);
  CWizardSheet sheet;
  CategoryRecord r[1];
  FillCategoryRecord(r[0], "f", "n");
  EXPECT_EQ(sheet.WriteCategoryFile(path.c_str(), 1, r), 0);  // held by another writer
  first.Close();
  EXPECT_EQ(sheet.WriteCategoryFile(path.c_str(), 1, r), 1);
}

TEST(CFileStandIn, AFullDiskFailsTheCategoryFile) {
  std::string dir = ScratchFolder();
  ASSERT_TRUE(PutFile(dir + "\\full.dat", "before"));
  ASSERT_TRUE(LimitDiskSpace(dir, 500));
  CWizardSheet sheet;
  CategoryRecord r[3] = {};
  EXPECT_EQ(sheet.WriteCategoryFile((dir + "\\full.dat").c_str(), 3, r), 0);
  std::string kept;
  EXPECT_TRUE(GetFile(dir + "\\full.dat", kept) && kept == "before");  // the old file stays whole
  EXPECT_FALSE(PathExists(dir + "\\" + CInstaller::kTempName));
  CFile f;
  ASSERT_TRUE(f.Open((dir + "\\new.dat").c_str(), CFile::modeCreate | CFile::modeWrite));
  bool thrown = false;
  try {
    f.Write("x", 1);
  } catch (CException* e) {
    thrown = dynamic_cast<CFileException*>(e) && static_cast<CFileException*>(e)->m_cause == CFileException::diskFull;
    e->Delete();
  }
  EXPECT_TRUE(thrown);
  LimitDiskSpace(dir, -1);
}

}  // namespace
