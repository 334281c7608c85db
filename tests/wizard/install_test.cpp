// The install run from the sample medium, and the category list files. One
// program, run as one test: the medium lies in the program's own folder (the
// installer's source folder) and the cases change it in turn.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "categories.h"
#include "manifest.h"
#include "medium.h"
#include "pages.h"
#include "resource.h"
#include "tempfile.h"
#include "testfs.h"
#include "testmachine.h"
#include "wizsheet.h"

namespace {

const char kTitle[] = "Lumiscroll Wallpaper Wizard";

using Record = Category;

// The category lists as the product reads them (its own reader), and as this
// program writes them: every byte after a text's NUL zero.
bool ReadCategoryFile(const std::string& path, std::vector<Record>& out, std::string& why) {
  std::string b;
  if (!GetFile(path, b)) return why = "cannot read " + path, false;
  if (!ReadCategories(reinterpret_cast<const uint8_t*>(b.data()), b.size(), out, why)) return false;
  for (size_t i = 0; i < out.size(); ++i) {
    const size_t at = 6 + 324 * i;
    for (size_t k = at + out[i].folder.size(); k < at + 260; ++k) {
      if (b[k]) return why = "bytes after the folder's NUL", false;
    }
    for (size_t k = at + 260 + out[i].name.size(); k < at + 320; ++k) {
      if (b[k]) return why = "bytes after the name's NUL", false;
    }
  }
  return true;
}

std::vector<ManifestEntry> Manifest() {
  std::vector<ManifestEntry> manifest;
  std::string error;
  EXPECT_TRUE(ReadManifest(manifest, &error)) << error;
  return manifest;
}

std::string MediumName(UINT id) {
  for (const ManifestEntry& e : Manifest()) {
    if (e.id == id) return e.mediumName;
  }
  return "";
}

// How many of the manifest's pictures stand in folder, and how many the
// manifest puts into subfolder.
int FilesIn(const std::string& folder) {
  int n = 0;
  for (const ManifestEntry& e : Manifest()) n += !e.subfolder.empty() && PathExists(folder + "\\" + e.installedName);
  return n;
}
int PicturesOf(const std::string& subfolder) {
  int n = 0;
  for (const ManifestEntry& e : Manifest()) n += e.subfolder == subfolder;
  return n;
}

// Where the file of a manifest entry lands under folder.
std::string InstalledPath(const std::string& folder, const ManifestEntry& e) {
  return folder + (e.subfolder.empty() ? "" : "\\" + e.subfolder) + "\\" + e.installedName;
}

class InstallRun : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    std::string error;
    ASSERT_TRUE(LaySampleMedium(&error)) << error;
  }
  void SetUp() override {
    base_ = ScratchFolder();
    folder_ = base_ + "\\Program Files\\Lumiroll";
    desktop_ = base_ + "\\Desktop";
    programs_ = base_ + "\\Programs";
    MakeFolder(desktop_);
    MakeFolder(programs_);
    SetShellFolders(desktop_.c_str(), programs_.c_str());
  }
  int Run(const std::string& folder) {
    sheet_.m_pPageFolder->m_strFolder = folder.c_str();
    return sheet_.RunInstall();
  }
  std::string Message() { return sheet_.m_installer.GetLastMessage().GetString(); }
  std::string Link(const std::string& dir) { return dir + "\\" + kTitle + ".lnk"; }

  CWizardSheet sheet_;
  std::string base_, folder_, desktop_, programs_;
};

TEST_F(InstallRun, AFullRunInstallsEverything) {
  ASSERT_EQ(Run(folder_), 1) << Message();
  EXPECT_STREQ(sheet_.m_installer.GetTargetDir(), folder_.c_str());  // where the shortcuts point
  // The primary files and the pictures, byte for byte as they were packed.
  for (const ManifestEntry& e : Manifest()) {
    std::string got;
    ASSERT_TRUE(GetFile(InstalledPath(folder_, e), got)) << e.mediumName;
    EXPECT_TRUE(got == SampleContents(e.installedName)) << e.mediumName;
  }
  for (const char* sub : {"Bkgnds1", "Bkgnds2", "WFalls", "Sunsets", "Nature"}) {
    EXPECT_GT(PicturesOf(sub), 0) << sub;
    EXPECT_EQ(FilesIn(folder_ + "\\" + sub), PicturesOf(sub)) << sub;
  }

  const std::string windows = sheet_.m_installer.GetWindowsDir().GetString();
  const struct {
    const char* file;
    Record expected[3];
  } lists[] = {
      {"Photos.dat",
       {{folder_ + "\\Sunsets", "Sunsets", 0},
        {folder_ + "\\Nature", "Nature", 0},
        {folder_ + "\\WFalls", "Waterfalls", 0}}},
      {"Bkgnds.dat",
       {{folder_ + "\\Bkgnds1", "Light Patterns", 0},
        {folder_ + "\\Bkgnds2", "Dark Patterns", 0},
        {windows, "Windows Standard", 0}}},
  };
  for (const auto& list : lists) {
    std::vector<Record> r;
    std::string why;
    ASSERT_TRUE(ReadCategoryFile(folder_ + "\\" + list.file, r, why)) << list.file << ": " << why;
    ASSERT_EQ(r.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
      EXPECT_EQ(r[i].folder, list.expected[i].folder) << list.file << " " << i;
      EXPECT_EQ(r[i].name, list.expected[i].name) << list.file << " " << i;
      EXPECT_EQ(r[i].value, 0u) << list.file << " " << i;
    }
  }

  EXPECT_TRUE(PathExists(Link(desktop_)));
  EXPECT_TRUE(PathExists(Link(programs_)));
  // Copies for the independent link reader that runs after this program.
  std::string out = ProgramFolder() + "links";
  MakeFolder(out);
  std::string bytes;
  ASSERT_TRUE(GetFile(Link(desktop_), bytes));
  PutFile(out + "\\desktop.lnk", bytes);
  ASSERT_TRUE(GetFile(Link(programs_), bytes));
  PutFile(out + "\\programs.lnk", bytes);
  PutFile(out + "\\expected.txt", folder_ + "\\Lumiroll.exe\n" + kTitle + "\n");
}

TEST_F(InstallRun, AMissingPrimaryFileStopsTheFilesButNotTheCategoryLists) {
  std::string hlp = ProgramFolder() + MediumName(IDS_FILE_HELP);
  std::string keep;
  ASSERT_TRUE(GetFile(hlp, keep));
  RemoveFile(hlp);
  EXPECT_EQ(Run(folder_), 0);
  PutFile(hlp, keep);
  EXPECT_EQ(Message(), "Could not expand file " + hlp);
  EXPECT_TRUE(PathExists(folder_ + "\\Lumiroll.exe"));
  EXPECT_TRUE(PathExists(folder_ + "\\Lumitool.dll"));
  EXPECT_FALSE(PathExists(folder_ + "\\Order.doc"));
  EXPECT_FALSE(PathExists(folder_ + "\\Bkgnds1"));
  EXPECT_TRUE(PathExists(folder_ + "\\Photos.dat"));
  EXPECT_TRUE(PathExists(folder_ + "\\Bkgnds.dat"));
  EXPECT_FALSE(PathExists(Link(desktop_)));
}

TEST_F(InstallRun, AFailureAtAPictureLeavesTheFoldersBeforeIt) {
  std::string clouds = ProgramFolder() + MediumName(IDS_PICTURE_BKGNDS2);
  std::string keep;
  ASSERT_TRUE(GetFile(clouds, keep));
  RemoveFile(clouds);
  int result = Run(folder_);
  PutFile(clouds, keep);
  EXPECT_EQ(result, 0);
  EXPECT_EQ(Message(), "Could not expand file " + clouds);
  EXPECT_EQ(FilesIn(folder_ + "\\Bkgnds1"), PicturesOf("Bkgnds1"));
  EXPECT_TRUE(IsFolder(folder_ + "\\Bkgnds2"));
  EXPECT_EQ(FilesIn(folder_ + "\\Bkgnds2"), 0);
  for (const char* absent : {"\\WFalls", "\\Sunsets", "\\Nature"}) EXPECT_FALSE(PathExists(folder_ + absent)) << absent;
  // Both lists still name all five folders, made or not.
  std::vector<std::string> named;
  for (const char* list : {"\\Photos.dat", "\\Bkgnds.dat"}) {
    std::vector<Record> r;
    std::string why;
    ASSERT_TRUE(ReadCategoryFile(folder_ + list, r, why)) << list << ": " << why;
    for (const Record& x : r) named.push_back(x.folder);
  }
  named.pop_back();  // the Windows folder
  const std::vector<std::string> all = {folder_ + "\\Sunsets", folder_ + "\\Nature", folder_ + "\\WFalls",
                                        folder_ + "\\Bkgnds1", folder_ + "\\Bkgnds2"};
  EXPECT_EQ(named, all);
  EXPECT_FALSE(PathExists(Link(desktop_)));
}

TEST_F(InstallRun, WithoutAWindowsFolderItsCategoryNamesAnEmptyFolder) {
  if (!ReportNoWindowsFolder(true)) GTEST_SKIP() << "the platform always has its Windows folder";
  CWizardSheet sheet;  // reads the Windows folder when it is made
  ReportNoWindowsFolder(false);
  EXPECT_STREQ(sheet.m_installer.GetWindowsDir(), "");
  sheet.m_pPageFolder->m_strFolder = folder_.c_str();
  EXPECT_EQ(sheet.RunInstall(), 1) << sheet.m_installer.GetLastMessage().GetString();
  std::vector<Record> r;
  std::string why;
  ASSERT_TRUE(ReadCategoryFile(folder_ + "\\Bkgnds.dat", r, why)) << why;
  ASSERT_EQ(r.size(), 3u);
  EXPECT_EQ(r[2].folder, "");
  EXPECT_EQ(r[2].name, "Windows Standard");
}

TEST_F(InstallRun, OneShortcutIsEnoughAndNoneFailsTheRun) {
  SetShellFolders(nullptr, programs_.c_str());
  EXPECT_EQ(Run(folder_), 1) << Message();
  EXPECT_FALSE(PathExists(Link(desktop_)));
  EXPECT_TRUE(PathExists(Link(programs_)));

  const std::string none = "Unable to add shortcuts to desktop\nYou may need to do this manually\n";
  SetShellFolders(nullptr, nullptr);
  EXPECT_EQ(Run(folder_), 0);
  EXPECT_EQ(Message(), none);
  // Shell folders that do not exist: nothing is saved, so nothing counts.
  SetShellFolders((base_ + "\\NoDesktop").c_str(), (base_ + "\\NoPrograms").c_str());
  EXPECT_EQ(Run(folder_), 0);
  EXPECT_EQ(Message(), none);
  EXPECT_FALSE(PathExists(Link(base_ + "\\NoDesktop")));
  SetShellFoldersKeyMissing();
  EXPECT_EQ(Run(folder_), 0);
  EXPECT_EQ(Message(), none);
}

TEST_F(InstallRun, ACategoryListThatCannotBeWrittenFailsTheRunAfterTheShortcuts) {
  ASSERT_EQ(sheet_.m_installer.CreateDirTree((folder_ + "\\Photos.dat").c_str()), 1);  // a folder in its way
  EXPECT_EQ(Run(folder_), 0);
  EXPECT_EQ(Message(), "Cannot write the category list file " + folder_ + "\\Photos.dat");
  EXPECT_TRUE(PathExists(folder_ + "\\Bkgnds.dat"));
  EXPECT_TRUE(PathExists(Link(desktop_)));
  EXPECT_TRUE(PathExists(Link(programs_)));
  // Both lists and both shortcuts: every failure is said.
  ASSERT_EQ(sheet_.m_installer.CreateDirTree((folder_ + "\\Bkgnds.dat").c_str()), 0);
  RemoveFile(folder_ + "\\Bkgnds.dat");
  ASSERT_EQ(sheet_.m_installer.CreateDirTree((folder_ + "\\Bkgnds.dat").c_str()), 1);
  SetShellFolders(nullptr, nullptr);
  EXPECT_EQ(Run(folder_), 0);
  EXPECT_EQ(Message(),
            "Unable to add shortcuts to desktop\nYou may need to do this manually\n"
            "Cannot write the category list file " +
                folder_ +
                "\\Photos.dat\n"
                "Cannot write the category list file " +
                folder_ + "\\Bkgnds.dat");
}

// A picture folder whose attributes cannot be read (here a link to itself)
// is no folder the run can vouch for: it is named, not called a link.
TEST_F(InstallRun, APictureFolderThatCannotBeLookedAtTakesNoPicture) {
  const std::string nature = folder_ + "\\Nature";
  ASSERT_EQ(sheet_.m_installer.CreateDirTree(folder_.c_str()), 1);
  if (!PutLink(nature, nature, false) || GetFileAttributesA(nature.c_str()) != INVALID_FILE_ATTRIBUTES) {
    GTEST_SKIP() << "no folder here whose attributes cannot be read";
  }
  EXPECT_EQ(Run(folder_), 0);
  EXPECT_EQ(Message(), "Cannot access " + nature);
  EXPECT_EQ(FilesIn(folder_ + "\\Sunsets"), 3);
}

TEST_F(InstallRun, TheLongestFolderInstallsAndALongerOneIsRefusedBeforeAnythingIsMade) {
  // LZ32 takes paths of 127 characters: F + "\\Bkgnds1\\sandston.jpg" is the
  // longest it is given, so F may have 106.
  for (size_t length : {106u, 107u, 252u}) {
    SCOPED_TRACE(length);
    std::string folder = base_ + "\\" + std::string(length - base_.size() - 1, length == 106 ? 'a' : 'f');
    ASSERT_EQ(folder.size(), length);
    if (length == 106) {
      EXPECT_EQ(Run(folder), 1) << Message();
      EXPECT_TRUE(PathExists(folder + "\\Bkgnds1\\sandston.jpg"));
      EXPECT_EQ(FilesIn(folder + "\\Nature"), PicturesOf("Nature"));
    } else {
      EXPECT_EQ(Run(folder), 0);
      EXPECT_EQ(Message(), "The installation folder name is too long: " + folder);
      EXPECT_FALSE(PathExists(folder));
    }
  }
}

// A medium file damaged after a first install: the second run fails naming
// it, and what the first put there keeps its bytes; a sound medium then
// replaces every file.
TEST_F(InstallRun, AFailedReinstallKeepsTheInstalledFiles) {
  ASSERT_EQ(Run(folder_), 1) << Message();
  const std::string exe = folder_ + "\\Lumiroll.exe", medium = ProgramFolder() + MediumName(IDS_FILE_PROGRAM);
  std::string keep, damaged;
  ASSERT_TRUE(GetFile(medium, keep));
  ASSERT_TRUE(PutFile(exe, "installed before"));
  ASSERT_TRUE(PutFile(medium, keep.substr(0, 100)));
  int result = Run(folder_);
  ASSERT_TRUE(PutFile(medium, keep));
  EXPECT_EQ(result, 0);
  EXPECT_EQ(Message(), "File is corrupt: " + medium);
  std::string now;
  EXPECT_TRUE(GetFile(exe, now) && now == "installed before");
  EXPECT_FALSE(PathExists(folder_ + "\\" + CInstaller::kTempName));

  for (const ManifestEntry& e : Manifest()) ASSERT_TRUE(PutFile(InstalledPath(folder_, e), "stale"));
  ASSERT_EQ(Run(folder_), 1) << Message();
  for (const ManifestEntry& e : Manifest()) {
    EXPECT_TRUE(GetFile(InstalledPath(folder_, e), now) && now == SampleContents(e.installedName)) << e.mediumName;
  }
  for (const char* sub : {"", "\\Bkgnds1", "\\Bkgnds2", "\\WFalls", "\\Sunsets", "\\Nature"}) {
    EXPECT_FALSE(PathExists(folder_ + sub + "\\" + CInstaller::kTempName)) << sub;
  }
}

// Faults of the target: each run fails with the message naming what could not
// be written, and what was there before keeps its bytes. Shortcuts are made
// when every file is in place, also when a category list could not be written.
TEST_F(InstallRun, WhatCannotBeWrittenFailsTheRunAndKeepsItsBytes) {
  const std::string exe = folder_ + "\\Lumiroll.exe";
  // Bytes the six files take in the install folder: a disk with fewer left
  // than that and the first category list fills up at the list.
  long long primaries = 0;
  for (const ManifestEntry& e : Manifest()) {
    if (e.subfolder.empty()) primaries += static_cast<long long>(SampleContents(e.installedName).size());
  }
  enum class Put { kFile, kReadOnlyFile, kReadOnlyFolder, kFullDisk };
  struct Case {
    const char* what;
    Put put;  // what is put at path before the run
    std::string path;
    std::string message;
    long long spaceLeft;  // in the install folder, for kFullDisk
    bool linked;          // whether the shortcuts are made
  };
  const Case cases[] = {
      {"a read-only program file", Put::kReadOnlyFile, exe, "Cannot access " + exe, 0, false},
      {"a read-only install folder", Put::kReadOnlyFolder, folder_, "Cannot access " + exe, 0, false},
      {"a file where the install folder should be", Put::kFile, folder_, "Cannot create directory " + folder_, 0,
       false},
      {"a file where a picture folder should be", Put::kFile, folder_ + "\\Sunsets",
       "Cannot create directory " + folder_ + "\\Sunsets", 0, false},
      {"a full disk for the program file", Put::kFullDisk, folder_, "Cannot write file " + exe, 1000, false},
      {"a full disk for the category lists", Put::kFullDisk, folder_,
       "Cannot write the category list file " + folder_ + "\\Photos.dat\nCannot write the category list file " +
           folder_ + "\\Bkgnds.dat",
       primaries + 500, true},
  };
  auto possible = [](Put put) {
    switch (put) {
      case Put::kReadOnlyFile:  // refused by its attribute, also where the host would let us write
        return true;
      case Put::kReadOnlyFolder:
        return ReadOnlyFoldersRefuseWriting();
      case Put::kFullDisk:
        return LimitDiskSpace(ScratchFolder(), -1);
      default:
        return true;
    }
  };
  const std::string before = "what was here before";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    if (!possible(c.put)) {
      std::printf("not possible on this platform: %s\n", c.what);
      continue;
    }
    RemoveTree(base_ + "\\Program Files");
    RemoveFile(Link(desktop_));
    ASSERT_EQ(sheet_.m_installer.CreateDirTree(sheet_.m_installer.GetDirPart(c.path.c_str())), 1);
    const bool file = c.put == Put::kFile || c.put == Put::kReadOnlyFile;
    if (c.put == Put::kFullDisk) {
      ASSERT_TRUE(MakeFolder(c.path));
      ASSERT_TRUE(LimitDiskSpace(c.path, c.spaceLeft));
    } else {
      ASSERT_TRUE(file ? PutFile(c.path, before) : MakeFolder(c.path));
      if (c.put != Put::kFile) {
        ASSERT_TRUE(SetReadOnly(c.path, true));
      }
    }
    EXPECT_EQ(Run(folder_), 0);
    EXPECT_EQ(Message(), c.message);
    std::string now;
    if (file) {
      EXPECT_TRUE(GetFile(c.path, now));
      EXPECT_EQ(now, before);
    }
    EXPECT_EQ(PathExists(Link(desktop_)), c.linked);
    EXPECT_FALSE(PathExists(folder_ + "\\" + CInstaller::kTempName));
    if (c.put == Put::kFullDisk) LimitDiskSpace(c.path, -1);
    SetReadOnly(c.path, false);
  }
}

// A program file whose header records another last character lands under
// that name: the shortcuts would lead to nothing, so none is made and the
// run fails.
TEST_F(InstallRun, AProgramFileUnderAnotherNameIsNeverReportedInstalled) {
  const std::string medium = ProgramFolder() + MediumName(IDS_FILE_PROGRAM);
  std::string keep;
  ASSERT_TRUE(GetFile(medium, keep));
  std::string other = keep;
  other[9] = 'x';
  ASSERT_TRUE(PutFile(medium, other));
  const int result = Run(folder_);
  ASSERT_TRUE(PutFile(medium, keep));
  EXPECT_EQ(result, 0);
  EXPECT_EQ(Message(), "Unable to add shortcuts to desktop\nYou may need to do this manually\n");
  EXPECT_FALSE(PathExists(folder_ + "\\Lumiroll.exe"));
  EXPECT_FALSE(PathExists(Link(desktop_)));
  EXPECT_FALSE(PathExists(Link(programs_)));
}

// What another user may have put in the install folder or a picture folder
// never makes the run write elsewhere: links there are replaced, a leftover
// temporary file is cleared, and a temporary file that another installer is
// writing stops the run before anything of it is touched.
TEST_F(InstallRun, WhatStandsInTheFoldersNeverMakesTheRunWriteElsewhere) {
  const std::string outside = base_ + "\\outside.dat", temp = CInstaller::kTempName;
  enum class Put { kSymbolic, kHard, kLeftover, kHeld };
  const struct {
    const char* what;
    Put put;
    std::string at;  // below the install folder
  } cases[] = {
      {"a link as the temporary file", Put::kSymbolic, temp},
      {"a link as the program file", Put::kSymbolic, "Lumiroll.exe"},
      {"a link as a category list", Put::kSymbolic, "Photos.dat"},
      {"a hard link as a category list", Put::kHard, "Bkgnds.dat"},
      {"a link as a picture folder's temporary file", Put::kSymbolic, "Bkgnds1\\" + temp},
      {"a hard link as a picture", Put::kHard, "Nature\\Gulls.jpg"},
      {"a temporary file a cut-off run left", Put::kLeftover, temp},
      {"a temporary file another installer is writing", Put::kHeld, temp},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    RemoveTree(base_ + "\\Program Files");
    const std::string at = folder_ + "\\" + c.at;
    ASSERT_EQ(sheet_.m_installer.CreateDirTree(sheet_.m_installer.GetDirPart(at.c_str())), 1);
    ASSERT_TRUE(PutFile(outside, "outside"));
    HANDLE held = INVALID_HANDLE_VALUE;
    switch (c.put) {
      case Put::kSymbolic:
      case Put::kHard:
        if (!PutLink(at, outside, c.put == Put::kHard)) {
          if (LinksCanBeMade()) ADD_FAILURE() << "no link could be made at " << at;
          std::printf("not possible on this platform: %s\n", c.what);
          continue;
        }
        break;
      case Put::kLeftover:
        ASSERT_TRUE(PutFile(at, "half a file"));
        break;
      case Put::kHeld:
        held = CreateTempFile(at.c_str());
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        break;
    }
    const int result = Run(folder_);
    std::string bytes;
    EXPECT_TRUE(GetFile(outside, bytes) && bytes == "outside");
    if (held != INVALID_HANDLE_VALUE) {
      EXPECT_EQ(result, 0);
      EXPECT_EQ(Message(), "Another program (a second installation?) is writing " + at);
      EXPECT_FALSE(PathExists(folder_ + "\\Lumiroll.exe"));
      CloseHandle(held);
      EXPECT_TRUE(PathExists(at));  // the other installer's file stays its own
      continue;
    }
    ASSERT_EQ(result, 1) << Message();
    for (const ManifestEntry& e : Manifest()) {
      EXPECT_TRUE(GetFile(InstalledPath(folder_, e), bytes) && bytes == SampleContents(e.installedName))
          << e.mediumName;
    }
    std::vector<Record> r;
    std::string why;
    EXPECT_TRUE(ReadCategoryFile(folder_ + "\\Photos.dat", r, why)) << why;
    EXPECT_TRUE(ReadCategoryFile(folder_ + "\\Bkgnds.dat", r, why)) << why;
    EXPECT_FALSE(PathExists(folder_ + "\\" + temp));
    EXPECT_FALSE(PathExists(folder_ + "\\Bkgnds1\\" + temp));
  }
}

// A picture folder that stands as a link to another folder: no picture goes
// there, and the run says which folder is in the way.
TEST_F(InstallRun, APictureFolderThatIsALinkTakesNoPicture) {
  const std::string elsewhere = base_ + "\\Elsewhere", link = folder_ + "\\Nature";
  ASSERT_EQ(sheet_.m_installer.CreateDirTree(folder_.c_str()), 1);
  ASSERT_TRUE(MakeFolder(elsewhere));
  if (!PutLink(link, elsewhere, false) || !(GetFileAttributesA(link.c_str()) & FILE_ATTRIBUTE_REPARSE_POINT)) {
    GTEST_SKIP() << "the platform shows no folder link as one";
  }
  EXPECT_EQ(Run(folder_), 0);
  EXPECT_EQ(Message(), "A link to another place stands as the folder " + link);
  EXPECT_EQ(FilesIn(elsewhere), 0);
  EXPECT_EQ(FilesIn(folder_ + "\\Sunsets"), 3);
  EXPECT_FALSE(PathExists(Link(desktop_)));
}

// A file installed before, held open by another program that does not let
// it be replaced: the run fails naming it, and it keeps its bytes.
TEST_F(InstallRun, AnInstalledFileThatCannotBeReplacedKeepsItsBytes) {
  const std::string exe = folder_ + "\\Lumiroll.exe";
  ASSERT_EQ(sheet_.m_installer.CreateDirTree(folder_.c_str()), 1);
  ASSERT_TRUE(PutFile(exe, "installed before"));
  HANDLE h =
      CreateFileA(exe.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_EQ(Run(folder_), 0);
  CloseHandle(h);
  EXPECT_EQ(Message(), "Cannot access " + exe);
  std::string bytes;
  EXPECT_TRUE(GetFile(exe, bytes) && bytes == "installed before");
  EXPECT_FALSE(PathExists(folder_ + "\\" + CInstaller::kTempName));
}

TEST(CategoryFile, BytesOnDisk) {
  std::string dir = ScratchFolder();
  CWizardSheet sheet;
  CategoryRecord r[3];
  ASSERT_TRUE(FillCategoryRecord(r[0], "C:\\Program Files\\Lumiroll\\Sunsets", "Sunsets"));
  ASSERT_TRUE(FillCategoryRecord(r[1], "", ""));
  ASSERT_TRUE(FillCategoryRecord(r[2], std::string(259, 'f').c_str(), std::string(59, 'n').c_str()));
  PutFile(dir + "\\a.dat", std::string(5000, 'x'));  // replaced whole
  ASSERT_EQ(sheet.WriteCategoryFile((dir + "\\a.dat").c_str(), 3, r), 1);
  std::string b;
  ASSERT_TRUE(GetFile(dir + "\\a.dat", b));
  ASSERT_EQ(b.size(), 978u);
  EXPECT_EQ(b.substr(0, 6), std::string("\x03\0\0\0\x03\0", 6));
  EXPECT_EQ(b.substr(6, 34), std::string("C:\\Program Files\\Lumiroll\\Sunsets\0", 34));
  EXPECT_EQ(b.substr(266, 8), std::string("Sunsets\0", 8));
  EXPECT_EQ(b.substr(326, 4), std::string(4, '\0'));
  EXPECT_EQ(b[330], '\0');
  EXPECT_EQ(b.substr(654, 259), std::string(259, 'f'));
  EXPECT_EQ(b[913], '\0');
  EXPECT_EQ(b.substr(914, 59), std::string(59, 'n'));

  ASSERT_EQ(sheet.WriteCategoryFile((dir + "\\zero.dat").c_str(), 0, r), 1);
  ASSERT_TRUE(GetFile(dir + "\\zero.dat", b));
  EXPECT_EQ(b, std::string(6, '\0'));
  ASSERT_EQ(sheet.WriteCategoryFile((dir + "\\neg.dat").c_str(), -1, r), 1);
  ASSERT_TRUE(GetFile(dir + "\\neg.dat", b));
  EXPECT_EQ(b, std::string(6, '\xFF'));
  EXPECT_EQ(sheet.WriteCategoryFile((dir + "\\no\\such.dat").c_str(), 3, r), 0);
  EXPECT_FALSE(PathExists(dir + "\\no"));
}

// The count is written twice: whole, then its low 16 bits.
TEST(CategoryFile, ACountPast65535KeepsOnlyItsLowBitsInTheSecondField) {
  std::string dir = ScratchFolder();
  CWizardSheet sheet;
  std::vector<CategoryRecord> r(65537);
  for (CategoryRecord& x : r) ASSERT_TRUE(FillCategoryRecord(x, "C:\\Pictures", "Pictures"));
  ASSERT_EQ(sheet.WriteCategoryFile((dir + "\\many.dat").c_str(), 65537, r.data()), 1);
  std::string b;
  ASSERT_TRUE(GetFile(dir + "\\many.dat", b));
  EXPECT_EQ(b.size(), 6 + 324u * 65537);
  EXPECT_EQ(b.substr(0, 6), std::string("\x01\0\x01\0\x01\0", 6));
  EXPECT_EQ(b.substr(b.size() - 324, 12), std::string("C:\\Pictures\0", 12));
  std::vector<Record> read;
  std::string why;
  ASSERT_TRUE(ReadCategoryFile(dir + "\\many.dat", read, why)) << why;
  EXPECT_EQ(read.size(), 65537u);
  EXPECT_EQ(read.back().folder, "C:\\Pictures");
}

// What the product says of a damaged list: a reason, no categories.
TEST(CategoryFile, TheProductRefusesADamagedListSayingWhy) {
  std::string good(6 + 2 * 324, '\0');
  good[0] = good[4] = 2;
  std::memcpy(&good[6], "C:\\A", 4);
  std::memcpy(&good[6 + 260], "A", 1);
  std::memcpy(&good[330], "C:\\B", 4);
  std::memcpy(&good[330 + 260], "B", 1);
  auto with = [&](size_t at, char v) {
    std::string b = good;
    b[at] = v;
    return b;
  };
  const struct {
    const char* what;
    std::string bytes;
    const char* why;  // empty: read whole
  } cases[] = {
      {"sound", good, ""},
      {"only a header of no records", std::string(6, '\0'), ""},
      {"empty", "", "fewer than its 6-byte header"},
      {"a record cut short", good.substr(0, good.size() - 1), "names 2 categories but holds 653 bytes"},
      {"the counts disagree", with(4, 3), "two record counts disagree"},
      {"a count of 2^32 - 1 on 654 bytes", with(0, '\xFF').replace(1, 3, "\xFF\xFF\xFF").replace(4, 2, "\xFF\xFF"),
       "names 4294967295 categories"},
      {"a folder without its NUL",
       [&] {
         std::string b = good;
         b.replace(330, 260, std::string(260, 'f'));
         return b;
       }(),
       "category 2 has a text without its end"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<Category> out;
    std::string why;
    const bool read = ReadCategories(reinterpret_cast<const uint8_t*>(c.bytes.data()), c.bytes.size(), out, why);
    EXPECT_EQ(read, std::string(c.why).empty());
    if (read) continue;
    EXPECT_NE(why.find(c.why), std::string::npos) << why;
    EXPECT_TRUE(out.empty());
  }
}

TEST(CategoryFile, TextsPastTheirFieldsAreRefused) {
  CategoryRecord r;
  EXPECT_TRUE(FillCategoryRecord(r, std::string(259, 'f').c_str(), "n"));
  EXPECT_FALSE(FillCategoryRecord(r, std::string(260, 'f').c_str(), "n"));
  EXPECT_TRUE(FillCategoryRecord(r, "f", std::string(59, 'n').c_str()));
  EXPECT_FALSE(FillCategoryRecord(r, "f", std::string(60, 'n').c_str()));
  EXPECT_EQ(r.szFolder[0], '\0');  // refused: nothing half-filled
}

}  // namespace
