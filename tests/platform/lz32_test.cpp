// LZ32 as the installer uses it: the same expectations for our stand-in and
// for the platform's library under Wine.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lumiwin.h"
#include "lzcopy.h"
#include "szdd.h"
#include "testfs.h"

namespace {

std::string Compressed(const std::string& data, unsigned char recorded) {
  std::vector<uint8_t> c = SzddCompress(data, recorded);
  return std::string(c.begin(), c.end());
}

std::string FilePart(const char* p) {
  std::string s = p;
  size_t k = s.find_last_of('\\');
  return k == std::string::npos ? s : s.substr(k + 1);
}

TEST(GetExpandedName, RestoresTheRecordedCharacter) {
  struct Case {
    const char* name;
    unsigned char recorded;  // 0xFF: a plain file
    const char* expanded;
  };
  const Case cases[] = {
      {"Lumiroll.ex_", 'e', "Lumiroll.exe"},
      {"hello.tx_", 't', "hello.txt"},
      {"HELLO.TX_", 't', "HELLO.TXT"},  // the case of the last letter before it
      {"up.TX_", 'T', "up.TXT"},
      {"m1.Tx_", 't', "m1.Txt"},
      {"m2.tX_", 't', "m2.tXT"},
      {"m3.tx_", 'T', "m3.txt"},
      {"m4.1_", 'X', "m4.1x"},  // letters before the dot count too
      {"M4.1_", 'x', "M4.1X"},
      {"A.B_", 'q', "A.BQ"},
      {"m11.TX_", '1', "m11.TX1"},       // not a letter: as recorded
      {"zero.tx_", 0, "zero.tx"},        // nothing recorded: the '_' goes
      {"ms.txt_", 0, "ms.txt"},          // as mscompress names its files
      {"file_", 'x', "file_"},           // no extension: unchanged
      {"a.bc", 'q', "a.bc"},             // no '_' at the end: unchanged
      {"plain.tx_", 0xFF, "plain.tx_"},  // not compressed: unchanged
      {"Readme.txt", 0xFF, "Readme.txt"},
  };
  std::string dir = ScratchFolder();
  for (const Case& c : cases) {
    std::string path = dir + "\\" + c.name;
    ASSERT_TRUE(PutFile(path, c.recorded == 0xFF ? std::string("plain") : Compressed("x", c.recorded)));
    std::vector<char> src(path.begin(), path.end());
    src.push_back(0);
    char out[256] = "";
    EXPECT_EQ(GetExpandedNameA(src.data(), out), 1) << c.name;
    EXPECT_EQ(FilePart(out), c.expanded) << c.name;
    EXPECT_EQ(std::string(out).substr(0, dir.size()), dir) << "the folder is kept";
    RemoveFile(path);
  }
}

TEST(GetExpandedName, FailsForAMissingFileAndLeavesTheBuffer) {
  std::string path = ScratchFolder() + "\\missing.tx_";
  std::vector<char> src(path.begin(), path.end());
  src.push_back(0);
  char out[8] = "keep";
  EXPECT_NE(GetExpandedNameA(src.data(), out), 1);
  EXPECT_STREQ(out, "keep");
}

TEST(LZCopy, ExpandsOurCompressedFilesOfEverySize) {
  std::string dir = ScratchFolder();
  struct Case {
    size_t size;
    int kind;  // 0 text, 1 random, 2 one repeated byte, 3 spaces
  };
  const Case cases[] = {{0, 0},    {1, 0},    {2, 1},    {17, 2},    {18, 3},     {4095, 0},  {4096, 1},
                        {4097, 2}, {4097, 3}, {8192, 0}, {65537, 1}, {200000, 0}, {300000, 2}};
  for (const Case& c : cases) {
    std::string data;
    unsigned x = static_cast<unsigned>(c.size) + 1;
    for (size_t i = 0; i < c.size; ++i) {
      x = x * 1664525u + 1013904223u;
      const char* words = "the quick brown fox jumps over the lazy dog ";
      data += c.kind == 0   ? words[(i + x % 3) % 44]
              : c.kind == 1 ? static_cast<char>(x >> 24)
              : c.kind == 2 ? 'A'
                            : ' ';
    }
    std::string in = dir + "\\in.bi_", out = dir + "\\out.bin";
    ASSERT_TRUE(PutFile(in, Compressed(data, 'n')));
    EXPECT_EQ(LzCopyFile(in, out), static_cast<long>(c.size)) << c.size << "/" << c.kind;
    std::string got;
    ASSERT_TRUE(GetFile(out, got));
    EXPECT_TRUE(got == data) << c.size << "/" << c.kind;
  }
}

}  // namespace
