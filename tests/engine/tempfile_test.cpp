// The one rule for writing a file: made new under a temporary name, moved
// over the target when whole, the temporary file gone whatever happens.
#include <gtest/gtest.h>

#include <string>

#include "installer.h"
#include "tempfile.h"
#include "testfs.h"

namespace {

TEST(TempPathFor, BesideTheTarget) {
  const std::string temp = CInstaller::kTempName;
  const struct {
    const char* target;
    std::string want;
  } cases[] = {
      {"C:\\Apps\\Lumiroll\\Photos.dat", "C:\\Apps\\Lumiroll\\" + temp},
      {"C:\\Photos.dat", "C:\\" + temp},
      {"C:Photos.dat", "C:" + temp},
      {"Photos.dat", temp},
      {"\\\\server\\share\\x.lnk", "\\\\server\\share\\" + temp},
  };
  for (const auto& c : cases) EXPECT_EQ(std::string(TempPathFor(c.target)), c.want) << c.target;
}

// What stands at the target after each way a file in the making can end.
TEST(TempFile, CommitReplacesAnythingElseKeepsTheTarget) {
  const std::string dir = ScratchFolder(), target = dir + "\\file.dat", temp = dir + "\\" + CInstaller::kTempName;
  enum class End { kCommit, kAbandon, kGoOutOfScope, kTargetIsAFolder };
  const struct {
    const char* what;
    End end;
    bool committed;
  } cases[] = {
      {"committed", End::kCommit, true},
      {"abandoned", End::kAbandon, false},
      {"dropped", End::kGoOutOfScope, false},
      {"a folder at the target", End::kTargetIsAFolder, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    RemoveFile(target);  // the folder comes last
    ASSERT_TRUE(c.end == End::kTargetIsAFolder ? MakeFolder(target) : PutFile(target, "before"));
    {
      CTempFile file(target.c_str());
      ASSERT_EQ(std::string(file.GetTempPath()), temp);
      ASSERT_TRUE(file.Create());
      DWORD written = 0;
      ASSERT_TRUE(WriteFile(file.GetHandle(), "after", 5, &written, nullptr) && written == 5);
      if (c.end == End::kCommit || c.end == End::kTargetIsAFolder) {
        EXPECT_EQ(file.Commit(), c.committed);
      } else if (c.end == End::kAbandon) {
        file.Abandon();
      }
    }
    std::string bytes;
    if (c.end == End::kTargetIsAFolder) {
      EXPECT_TRUE(IsFolder(target));
    } else {
      EXPECT_TRUE(GetFile(target, bytes));
      EXPECT_EQ(bytes, c.committed ? "after" : "before");
    }
    EXPECT_FALSE(PathExists(temp));
  }
}

// Another installer's temporary file is neither taken over nor removed.
TEST(TempFile, AHeldTemporaryFileOutlivesTheWriterThatCouldNotMakeIt) {
  const std::string dir = ScratchFolder(), target = dir + "\\x", temp = dir + "\\" + CInstaller::kTempName;
  HANDLE held = CreateTempFile(temp.c_str());
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  {
    CTempFile file(target.c_str());
    EXPECT_FALSE(file.Create());
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    EXPECT_FALSE(file.Commit());
  }
  CloseHandle(held);
  EXPECT_TRUE(PathExists(temp));
  EXPECT_FALSE(PathExists(target));
}

TEST(TempFile, ATemporaryNameOfItsOwnIsMovedOverTheTarget) {
  const std::string dir = ScratchFolder(), target = dir + "\\Readme.txt", temp = target + ".new";
  CTempFile file(target.c_str(), temp.c_str());
  ASSERT_TRUE(file.Create());
  EXPECT_TRUE(PathExists(temp));
  EXPECT_FALSE(PathExists(dir + "\\" + CInstaller::kTempName));
  ASSERT_TRUE(file.Commit());
  EXPECT_TRUE(PathExists(target));
  EXPECT_FALSE(PathExists(temp));
}

}  // namespace
