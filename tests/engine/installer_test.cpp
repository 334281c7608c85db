// CInstaller: construction, folder creation and file expansion, against the
// platform of the build (our stand-ins natively, the real calls under Wine).
#include "installer.h"

#include <gtest/gtest.h>

#include <string>

#include "szdd.h"
#include "testfs.h"
#include "testmachine.h"

namespace {

class TestInstaller : public CInstaller {
 public:
  using CInstaller::m_szSourceDir;
  using CInstaller::m_szTargetDir;
};

std::string Bytes(size_t n, unsigned seed) {
  std::string s;
  s.reserve(n);
  unsigned x = seed;
  for (size_t i = 0; i < n; ++i) {
    x = x * 1103515245u + 12345u;
    // Words and runs, so that the compressor finds matches.
    s += (i % 97 < 60) ? "Lumiscroll wallpaper "[i % 21] : static_cast<char>(x >> 24);
  }
  return s;
}

std::string Compressed(const std::string& data, char recorded) {
  std::vector<uint8_t> c = SzddCompress(data, static_cast<uint8_t>(recorded));
  return std::string(c.begin(), c.end());
}

TEST(Installer, FreshInstallerTargetsItsSourceFolder) {
  TestInstaller inst;
  EXPECT_STREQ(inst.m_szSourceDir, GetModuleDir());
  EXPECT_STREQ(inst.m_szTargetDir, inst.m_szSourceDir);
  EXPECT_TRUE(inst.GetLastMessage().IsEmpty());
  CString win = inst.GetWindowsDir();
  EXPECT_GT(win.GetLength(), 2);
  EXPECT_EQ(win.GetAt(1), ':');
}

TEST(CreateDirTree, MakesMissingFoldersFromTheTop) {
  std::string s = ScratchFolder();
  CInstaller inst;
  EXPECT_EQ(inst.CreateDirTree((s + "\\A\\B\\C").c_str()), 1);
  EXPECT_TRUE(IsFolder(s + "\\A\\B\\C"));
  EXPECT_TRUE(inst.GetLastMessage().IsEmpty());
}

TEST(CreateDirTree, OutcomesByWhatIsThere) {
  std::string s = ScratchFolder();
  ASSERT_TRUE(MakeFolder(s + "\\Exists"));
  ASSERT_TRUE(PutFile(s + "\\AFile", "x"));
  struct Case {
    std::string path;
    int result;
    bool madeFolder;
    std::string named;  // the folder the message names on failure
  };
  const Case cases[] = {
      {s + "\\One", 1, true, ""},                       // parent exists: one step
      {s + "\\Exists", 1, true, ""},                    // already there
      {s + "\\T\\U\\", 1, true, ""},                    // trailing backslash
      {s.substr(0, 3), 1, true, ""},                    // a drive root that exists
      {"", 0, false, ""},                               // nothing to make
      {"Q:\\A", 0, false, "Q:"},                        // no such drive
      {s + "\\bad<name", 0, false, s + "\\bad<name"},   // a name the file system refuses
      {s + "\\AFile", 0, false, s + "\\AFile"},         // a file stands where the folder goes
      {s + "\\AFile\\Below", 0, false, s + "\\AFile"},  // a file where a parent folder should be
  };
  for (const Case& c : cases) {
    CInstaller inst;
    EXPECT_EQ(inst.CreateDirTree(c.path.c_str()), c.result) << c.path;
    const std::string message = "Cannot create directory" + (c.named.empty() ? "" : " " + c.named);
    EXPECT_STREQ(inst.GetLastMessage(), c.result ? "" : message.c_str()) << c.path;
    if (c.madeFolder) {
      EXPECT_TRUE(IsFolder(c.path)) << c.path;
    }
  }
  EXPECT_FALSE(PathExists(s + "\\bad<name"));
}

TEST(SetInstallDir, SetsTheTargetWhateverTheOutcome) {
  std::string s = ScratchFolder();
  TestInstaller inst;
  std::string good = s + "\\Program Files\\Lumiroll";
  EXPECT_EQ(inst.SetInstallDir(good.c_str()), 1);
  EXPECT_STREQ(inst.m_szTargetDir, good.c_str());
  EXPECT_EQ(inst.SetInstallDir("Q:\\Lumiroll"), 0);
  EXPECT_STREQ(inst.m_szTargetDir, "Q:\\Lumiroll");
  EXPECT_STREQ(inst.GetLastMessage(), "Cannot create directory Q:");
  EXPECT_EQ(inst.SetInstallDir(""), 0);
  EXPECT_STREQ(inst.m_szTargetDir, "");
}

TEST(SetInstallDir, HoldsAFolderOf259CharactersAndRefusesOneOf260) {
  std::string s = ScratchFolder();
  std::string at = s + "\\" + std::string(259 - s.size() - 1, 'x');
  std::string past = at + "y";
  ASSERT_EQ(at.size(), 259u);
  TestInstaller inst;
  inst.SetInstallDir(at.c_str());  // too deep for some platforms to make, but held whole
  EXPECT_STREQ(inst.m_szTargetDir, at.c_str());
  EXPECT_EQ(inst.SetInstallDir(past.c_str()), 0);
  EXPECT_STREQ(inst.m_szTargetDir, "");
  EXPECT_STREQ(inst.GetLastMessage(), ("Folder name is too long: " + past).c_str());
  EXPECT_FALSE(PathExists(past));
}

class ExpandFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    sub_ = SourceSubfolder();
    src_ = ProgramFolder() + sub_;
    target_ = ScratchFolder();
    ASSERT_EQ(inst_.SetInstallDir(target_.c_str()), 1);
  }
  void TearDown() override { RemoveTree(src_); }
  std::string SourcePath(const std::string& name) { return src_ + "\\" + name; }
  std::string Name(const std::string& name) { return sub_ + "\\" + name; }

  TestInstaller inst_;
  std::string sub_, src_, target_;
};

TEST_F(ExpandFileTest, CompressedFilesLandUnderTheirExpandedName) {
  for (size_t size : {0u, 1u, 4095u, 4096u, 4097u, 70000u}) {
    std::string data = Bytes(size, static_cast<unsigned>(size));
    ASSERT_TRUE(PutFile(SourcePath("Lumiroll.ex_"), Compressed(data, 'e')));
    EXPECT_EQ(inst_.ExpandFile(Name("Lumiroll.ex_").c_str()), 1) << size << ": " << inst_.GetLastMessage();
    EXPECT_STREQ(inst_.GetLastMessage(), Name("Lumiroll.ex_").c_str());
    std::string out;
    ASSERT_TRUE(GetFile(target_ + "\\Lumiroll.exe", out)) << size;
    EXPECT_EQ(out, data) << size;
  }
}

TEST_F(ExpandFileTest, PlainFilesAreCopiedByteForByte) {
  std::string data = Bytes(10000, 7);
  ASSERT_TRUE(PutFile(SourcePath("Readme.txt"), data));
  EXPECT_EQ(inst_.ExpandFile(Name("Readme.txt").c_str()), 1);
  std::string out;
  ASSERT_TRUE(GetFile(target_ + "\\Readme.txt", out));
  EXPECT_EQ(out, data);
}

TEST_F(ExpandFileTest, AnExistingDestinationIsReplaced) {
  ASSERT_TRUE(PutFile(SourcePath("Order.do_"), Compressed("short", 'c')));
  ASSERT_TRUE(PutFile(target_ + "\\Order.doc", std::string(50000, 'z')));
  EXPECT_EQ(inst_.ExpandFile(Name("Order.do_").c_str()), 1);
  std::string out;
  ASSERT_TRUE(GetFile(target_ + "\\Order.doc", out));
  EXPECT_EQ(out, "short");
}

// The platform's LZ32 may expand a damaged file as if it were sound: each
// is refused, and the file installed before keeps its bytes.
TEST_F(ExpandFileTest, ADamagedSourceLeavesTheInstalledFileAsItWas) {
  const std::string data = Bytes(12000, 3);
  const std::string sound = Compressed(data, 'e');
  auto with = [&](size_t at, uint32_t value, int bytes) {
    std::string b = sound;
    for (int k = 0; k < bytes; ++k) b[at + k] = static_cast<char>(value >> (8 * k));
    return b;
  };
  const std::string corrupt = "File is corrupt: ", method = "Unknown compression method: ",
                    large = "File expands past the 2147483647 bytes LZ32 can copy: ";
  const struct {
    const char* what;
    std::string bytes;
    const std::string& message;
  } cases[] = {
      {"a stream cut short", sound.substr(0, sound.size() - 40), corrupt},
      {"cut to 100 bytes", sound.substr(0, 100), corrupt},
      {"a header longer than the stream", with(10, 12001, 4), corrupt},
      {"a header shorter than the stream", with(10, 11999, 4), corrupt},
      {"a header cut short", sound.substr(0, 12), corrupt},
      {"method B", with(8, 'B', 1), method},
      {"a header declaring 2147483700 bytes", with(10, 2147483700u, 4), large},
      // A name ending in '_' marks a compressed file: one that is not, or
      // that expands to no name of its own, is damaged.
      {"no bytes at all", "", corrupt},
      {"cut inside its signature", sound.substr(0, 5), corrupt},
      {"a plain file", data, corrupt},
      {"no recorded character", with(9, 0, 1), corrupt},
      {"'_' recorded: its own name", with(9, '_', 1), corrupt},
      {"'.' recorded", with(9, '.', 1), corrupt},
      {"a blank recorded", with(9, ' ', 1), corrupt},
      {"a backslash recorded", with(9, '\\', 1), corrupt},
      {"'?' recorded", with(9, '?', 1), corrupt},
  };
  const std::string installed = target_ + "\\Lumiroll.exe", temp = target_ + "\\" + CInstaller::kTempName;
  const std::string before = "the program installed before";
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(PutFile(installed, before));
    ASSERT_TRUE(PutFile(SourcePath("Lumiroll.ex_"), c.bytes));
    EXPECT_EQ(inst_.ExpandFile(Name("Lumiroll.ex_").c_str()), 0);
    EXPECT_EQ(std::string(inst_.GetLastMessage()), c.message + SourcePath("Lumiroll.ex_"));
    std::string now;
    EXPECT_TRUE(GetFile(installed, now) && now == before);
    EXPECT_FALSE(PathExists(temp));
    EXPECT_FALSE(PathExists(target_ + "\\Lumiroll.ex_"));
    EXPECT_FALSE(PathExists(target_ + "\\Lumiroll.ex"));
  }
  ASSERT_TRUE(PutFile(SourcePath("Lumiroll.ex_"), sound));
  EXPECT_EQ(inst_.ExpandFile(Name("Lumiroll.ex_").c_str()), 1);
  std::string now;
  EXPECT_TRUE(GetFile(installed, now) && now == data);
  EXPECT_FALSE(PathExists(temp));
}

TEST_F(ExpandFileTest, AMissingSourceFailsBeforeAnythingOpens) {
  ASSERT_TRUE(PutFile(target_ + "\\Gone.txt", "keep me"));
  EXPECT_EQ(inst_.ExpandFile(Name("Gone.txt").c_str()), 0);
  EXPECT_STREQ(inst_.GetLastMessage(), ("Could not expand file " + SourcePath("Gone.txt")).c_str());
  std::string out;
  ASSERT_TRUE(GetFile(target_ + "\\Gone.txt", out));
  EXPECT_EQ(out, "keep me");
}

TEST_F(ExpandFileTest, AFolderOfTheDestinationsNameIsNotWrittenInto) {
  ASSERT_TRUE(PutFile(SourcePath("Lumitool.dl_"), Compressed("tool", 'l')));
  ASSERT_TRUE(MakeFolder(target_ + "\\Lumitool.dll"));
  EXPECT_EQ(inst_.ExpandFile(Name("Lumitool.dl_").c_str()), 0);
  EXPECT_STREQ(inst_.GetLastMessage(), ("Cannot access " + target_ + "\\Lumitool.dll").c_str());
  EXPECT_TRUE(IsFolder(target_ + "\\Lumitool.dll"));
}

TEST_F(ExpandFileTest, ADestinationInAMissingFolderCannotBeAccessed) {
  ASSERT_TRUE(PutFile(SourcePath("a.txt"), "a"));
  std::string gone = target_ + "\\NotThere";
  ASSERT_EQ(inst_.SetInstallDir(gone.c_str()), 1);
  RemoveTree(gone);
  EXPECT_EQ(inst_.ExpandFile(Name("a.txt").c_str()), 0);
  EXPECT_STREQ(inst_.GetLastMessage(), ("Cannot access " + gone + "\\a.txt").c_str());
}

TEST_F(ExpandFileTest, PathsPastTheirBuffersAreRefusedWhole) {
  // A source path of 256 characters or more.
  std::string longName = sub_ + "\\" + std::string(260, 'n') + ".txt";
  EXPECT_EQ(inst_.ExpandFile(longName.c_str()), 0);
  EXPECT_STREQ(inst_.GetLastMessage(), ("File name is too long: " + ProgramFolder() + longName).c_str());
  // A destination of 256 characters or more from a deep target folder.
  ASSERT_TRUE(PutFile(SourcePath("Readme.txt"), "r"));
  std::string deep = target_ + "\\" + std::string(250 - target_.size(), 'd');
  inst_.SetInstallDir(deep.c_str());
  EXPECT_EQ(inst_.ExpandFile(Name("Readme.txt").c_str()), 0);
  EXPECT_STREQ(inst_.GetLastMessage(), ("File name is too long: " + deep + "\\Readme.txt").c_str());
}

TEST_F(ExpandFileTest, PathsOf255CharactersAreHeldWholeAnd256Refused) {
  ASSERT_TRUE(PutFile(SourcePath("Readme.txt"), "r"));
  for (size_t length : {255u, 256u}) {
    SCOPED_TRACE(length);
    // The target folder is not made: the platform's own limit on open paths
    // (128 characters) is far below; what counts is that the 255-character
    // path reaches the platform whole and the 256-character one does not.
    std::string folder = target_ + "\\" + std::string(length - target_.size() - 1 - 11, 'd');
    std::string dest = folder + "\\Readme.txt";
    ASSERT_EQ(dest.size(), length);
    inst_.SetInstallDir(folder.c_str());
    EXPECT_EQ(inst_.ExpandFile(Name("Readme.txt").c_str()), 0);
    std::string message = inst_.GetLastMessage().GetString();
    EXPECT_EQ(message, (length == 255 ? "Cannot access " : "File name is too long: ") + dest);

    std::string name = Name(std::string(length - ProgramFolder().size() - sub_.size() - 1, 's'));
    ASSERT_EQ(ProgramFolder().size() + name.size(), length);
    EXPECT_EQ(inst_.ExpandFile(name.c_str()), 0);
    message = inst_.GetLastMessage().GetString();
    EXPECT_EQ(message, (length == 255 ? "Could not expand file " : "File name is too long: ") + ProgramFolder() + name);
  }
}

TEST(CreateShortcuts, AProgramsFolderOf149CharactersIsUsedAndOneOf150Refused) {
  // The shell folder values are read into 150 bytes: 149 characters and the NUL.
  std::string dir = ScratchFolder();
  std::string base = dir + "\\";
  std::string desktop = dir + "\\Desktop";
  ASSERT_TRUE(MakeFolder(desktop));
  for (size_t length : {149u, 150u}) {
    SCOPED_TRACE(length);
    std::string programs = base + std::string(length - base.size(), length == 149 ? 'a' : 'p');
    ASSERT_TRUE(MakeFolder(programs));
    SetShellFolders(desktop.c_str(), programs.c_str());
    CInstaller inst;
    inst.SetInstallDir((dir + "\\App").c_str());
    ASSERT_TRUE(PutFile(dir + "\\App\\Lumiroll.exe", "program"));
    EXPECT_GE(inst.CreateShortcuts("Lumiroll.exe", "Title"), 1);  // the desktop's at least
    EXPECT_EQ(PathExists(programs + "\\Title.lnk"), length == 149);
  }
}

TEST(ExpandFileInPlace, APlainFileInTheSourceFolderIsLeftAlone) {
  std::string name = "lzinplace.txt";
  std::string path = ProgramFolder() + name;
  ASSERT_TRUE(PutFile(path, "original"));
  TestInstaller inst;
  EXPECT_EQ(inst.ExpandFile(name.c_str()), 1);
  EXPECT_TRUE(inst.GetLastMessage().IsEmpty());
  // The same when the folders differ only in the case of A-Z.
  std::string upper = inst.m_szSourceDir;
  for (char& c : upper) c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
  upper.pop_back();
  inst.SetInstallDir(upper.c_str());
  EXPECT_EQ(inst.ExpandFile("LZINPLACE.TXT"), 1);
  EXPECT_TRUE(inst.GetLastMessage().IsEmpty());
  std::string out;
  ASSERT_TRUE(GetFile(path, out));
  EXPECT_EQ(out, "original");
  RemoveFile(path);
}

TEST(ExpandFileInPlace, ACompressedFileIsExpandedBesideItself) {
  std::string path = ProgramFolder() + "lzbeside.tx_";
  ASSERT_TRUE(PutFile(path, Compressed("beside", 't')));
  CInstaller inst;
  EXPECT_EQ(inst.ExpandFile("lzbeside.tx_"), 1);
  std::string out;
  ASSERT_TRUE(GetFile(ProgramFolder() + "lzbeside.txt", out));
  EXPECT_EQ(out, "beside");
  RemoveFile(path);
  RemoveFile(ProgramFolder() + "lzbeside.txt");
}

}  // namespace
