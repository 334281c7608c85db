// Our LZ32 stand-in on damaged input and at its limits.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <string>
#include <vector>

#include "category.h"
#include "installer.h"
#include "lumistandin.h"
#include "lumiwin.h"
#include "lzcopy.h"
#include "szdd.h"
#include "testfs.h"
#include "wizsheet.h"

namespace {

std::string Compressed(const std::string& data, unsigned char recorded = 'x') {
  std::vector<uint8_t> c = SzddCompress(data, recorded);
  return std::string(c.begin(), c.end());
}

// Expands file bytes through the stand-in and returns LZCopy's result.
LONG Expand(const std::string& bytes, std::string* out = nullptr) {
  static std::string dir = ScratchFolder();
  std::string in = dir + "\\in.da_", dst = dir + "\\out.dat";
  PutFile(in, bytes);
  LONG r = LzCopyFile(in, dst);
  if (out) GetFile(dst, *out);
  return r;
}

// A one-byte file a.txt made in dir, opened through the stand-in for
// reading (o filled in).
INT OpenNewFile(const std::string& dir, OFSTRUCT& o) {
  const std::string path = dir + "\\a.txt";
  PutFile(path, "a");
  return LZOpenFileA(const_cast<char*>(path.c_str()), &o, OF_READ);
}

std::string Text(size_t n) {
  std::string s;
  for (size_t i = 0; i < n; ++i) s += "Sunsets, Nature and Waterfalls. "[i % 32];
  return s;
}

TEST(LzStandIn, EveryTruncationOfACompressedFileIsCorrupt) {
  std::string data = Text(300);
  std::string full = Compressed(data);
  ASSERT_EQ(Expand(full), 300);
  for (size_t cut = 8; cut < full.size(); ++cut) {
    EXPECT_EQ(Expand(full.substr(0, cut)), LZERROR_READ) << "cut at " << cut;
  }
}

TEST(LzStandIn, DamagedHeadersAndStreams) {
  std::string data = Text(5000);
  std::string good = Compressed(data);
  struct Case {
    const char* what;
    std::string bytes;
    LONG result;
  };
  auto withByte = [&](size_t at, unsigned char v) {
    std::string s = good;
    s[at] = static_cast<char>(v);
    return s;
  };
  const Case cases[] = {
      {"length one too small", withByte(10, static_cast<unsigned char>(good[10] - 1)), LZERROR_READ},
      {"length one too large", withByte(10, static_cast<unsigned char>(good[10] + 1)), LZERROR_READ},
      {"length far too large", withByte(13, 0x7F), LZERROR_READ},
      {"unknown method", withByte(8, 'B'), LZERROR_UNKNOWNALG},
      {"extra bytes after the stream",
       good + std::string("\xFF"
                          "abcdefgh",
                          9),
       LZERROR_READ},
      {"signature without header", good.substr(0, 8), LZERROR_READ},
      // The medium marks a compressed file by a name ending in '_': one
      // without a whole SZDD header is damaged, never copied as it is.
      {"empty file", "", LZERROR_READ},
      {"header only, length 0", good.substr(0, 10) + std::string(4, '\0'), 0},
      {"almost a signature", "SZDD\x88\xF0\x27", LZERROR_READ},
  };
  for (const Case& c : cases) EXPECT_EQ(Expand(c.bytes), c.result) << c.what;
}

TEST(LzStandIn, HostileStreamsNeverReadOrWriteOutsideTheirBuffers) {
  // Every control and reference pattern over a few hundred bytes: whatever
  // the stream says, the result is a byte count or LZERROR_READ.
  unsigned x = 12345;
  for (int round = 0; round < 300; ++round) {
    std::string body;
    size_t n = 1 + round % 200;
    for (size_t i = 0; i < n; ++i) {
      x = x * 1103515245u + 12345u;
      body += static_cast<char>(x >> 23);
    }
    std::string header = std::string(
                             "SZDD\x88\xF0\x27\x33"
                             "A",
                             9) +
                         'x';
    uint32_t claimed = (x >> 8) % 4000;
    for (int k = 0; k < 4; ++k) header += static_cast<char>(claimed >> (8 * k));
    LONG r = Expand(header + body);
    EXPECT_TRUE(r == LZERROR_READ || r == static_cast<LONG>(claimed)) << round << ": " << r;
  }
}

TEST(LzStandIn, BadHandlesAreReportedAsSuch) {
  OFSTRUCT o;
  INT h = OpenNewFile(ScratchFolder(), o);
  ASSERT_GE(h, 0);
  EXPECT_EQ(LZCopy(-1, h), LZERROR_BADINHANDLE);
  EXPECT_EQ(LZCopy(h, -1), LZERROR_BADOUTHANDLE);
  EXPECT_EQ(LZCopy(h, h), LZERROR_BADOUTHANDLE);  // opened for reading only
  LZClose(h);
  EXPECT_EQ(LZCopy(h, h), LZERROR_BADINHANDLE);  // closed
  EXPECT_EQ(LumiOpenLzHandles(), 0);
}

TEST(LzStandIn, OpenFillsItsRecordAndRefusesWhatWindowsRefuses) {
  std::string dir = ScratchFolder();
  OFSTRUCT o;
  INT h = OpenNewFile(dir, o);
  ASSERT_GE(h, 0);
  EXPECT_EQ(o.cBytes, sizeof(OFSTRUCT));
  EXPECT_STREQ(o.szPathName, (dir + "\\a.txt").c_str());
  LZClose(h);
  struct Case {
    std::string path;
    WORD mode;
    WORD err;
  };
  const Case cases[] = {
      {dir + "\\missing.txt", OF_READ, 2},
      {dir, OF_READ, 5},         // a folder
      {dir + "\\", OF_READ, 3},  // a folder path
      {dir + "\\no\\x.txt", OF_CREATE | OF_WRITE, 2},
      {dir, OF_CREATE | OF_WRITE, 5},
      {"Q:\\x", OF_READ, 3},
      {dir + "\\" + std::string(130, 'l'), OF_READ, 13},  // past the record's 127 characters
      {dir + "\\a.txt", 0x0800, 87},                      // a mode we do not serve
  };
  for (const Case& c : cases) {
    EXPECT_LT(LZOpenFileA(const_cast<char*>(c.path.c_str()), &o, c.mode), 0) << c.path;
    EXPECT_EQ(o.nErrCode, c.err) << c.path;
  }
  EXPECT_EQ(LumiOpenLzHandles(), 0);
}

TEST(LzStandIn, AMissingFileIsLookedForUnderItsCompressedName) {
  std::string dir = ScratchFolder();
  PutFile(dir + "\\readme.tx_", Compressed("hello", 't'));
  OFSTRUCT o;
  INT h = LZOpenFileA(const_cast<char*>((dir + "\\readme.txt").c_str()), &o, OF_READ);
  ASSERT_GE(h, 0);
  EXPECT_STREQ(o.szPathName, (dir + "\\readme.tx_").c_str());
  LZClose(h);
}

TEST(LzStandIn, AFullDiskIsAWriteError) {
  std::string dir = ScratchFolder(), out = ScratchFolder();
  PutFile(dir + "\\in.dat", Text(10000));
  PutFile(dir + "\\in.da_", Compressed(Text(10000)));
  for (long long left : {0, 100, 9999}) {
    ASSERT_TRUE(LimitDiskSpace(out, left));
    for (const char* in : {"\\in.dat", "\\in.da_"}) {
      EXPECT_EQ(LzCopyFile(dir + in, out + "\\out.dat"), LZERROR_WRITE) << in << " with " << left << " bytes left";
    }
  }
  LimitDiskSpace(out, -1);
}

class ExpandFileNative : public ::testing::Test {
 protected:
  void SetUp() override {
    sub_ = SourceSubfolder();
    target_ = ScratchFolder();
    ASSERT_EQ(inst_.SetInstallDir(target_.c_str()), 1);
  }
  void TearDown() override { RemoveTree(ProgramFolder() + sub_); }
  std::string sub_, target_;
  CInstaller inst_;
};

TEST_F(ExpandFileNative, FailuresNameTheFileAndCloseEveryHandle) {
  std::string src = ProgramFolder() + sub_;
  PutFile(src + "\\bad.tx_", Compressed(Text(1000)).substr(0, 40));
  PutFile(src + "\\odd.tx_", std::string("SZDD\x88\xF0\x27\x33"
                                         "Bt\x01\0\0\0x",
                                         15));
  PutFile(src + "\\ok.tx_", Compressed("ok", 't'));
  MakeFolder(target_ + "\\ok.txt");
  struct Case {
    const char* name;
    std::string message;
  };
  const Case cases[] = {
      {"bad.tx_", "File is corrupt: " + src + "\\bad.tx_"},
      {"odd.tx_", "Unknown compression method: " + src + "\\odd.tx_"},
      {"ok.tx_", "Cannot access " + target_ + "\\ok.txt"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(inst_.ExpandFile((sub_ + "\\" + c.name).c_str()), 0) << c.name;
    EXPECT_STREQ(inst_.GetLastMessage(), c.message.c_str());
    EXPECT_EQ(LumiOpenLzHandles(), 0) << c.name;
  }
}

TEST_F(ExpandFileNative, AFullDiskNamesTheDestination) {
  std::string src = ProgramFolder() + sub_;
  PutFile(src + "\\big.tx_", Compressed(Text(100000), 't'));
  ASSERT_TRUE(LimitDiskSpace(target_, 5000));
  EXPECT_EQ(inst_.ExpandFile((sub_ + "\\big.tx_").c_str()), 0);
  LimitDiskSpace(target_, -1);
  EXPECT_STREQ(inst_.GetLastMessage(), ("Cannot write file " + target_ + "\\big.txt").c_str());
  EXPECT_FALSE(PathExists(target_ + "\\big.txt"));
  EXPECT_FALSE(PathExists(target_ + "\\" + CInstaller::kTempName));
}

TEST_F(ExpandFileNative, ASourceRemovedAfterItsNameWasAskedIsNotFoundAndCostsNothing) {
  std::string src = ProgramFolder() + sub_ + "\\gone.tx_";
  PutFile(src, Compressed("new", 't'));
  PutFile(target_ + "\\gone.txt", "old");
  LumiAfterExpandedName([](const char* source) { RemoveFile(source); });
  int result = inst_.ExpandFile((sub_ + "\\gone.tx_").c_str());
  LumiAfterExpandedName(nullptr);
  EXPECT_EQ(result, 0);
  EXPECT_STREQ(inst_.GetLastMessage(), ("Cannot access " + src).c_str());
  std::string kept;
  EXPECT_TRUE(GetFile(target_ + "\\gone.txt", kept));
  EXPECT_EQ(kept, "old");
  EXPECT_EQ(LumiOpenLzHandles(), 0);
}

}  // namespace

namespace {
// Makes a FIFO or a bound socket at host path; false when it cannot.
bool MakeNoFile(const std::string& host, bool fifo) {
  if (fifo) return mkfifo(host.c_str(), 0666) == 0;
  int s = socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un addr = {};
  addr.sun_family = AF_UNIX;
  if (s < 0 || host.size() >= sizeof addr.sun_path) return false;
  std::memcpy(addr.sun_path, host.c_str(), host.size() + 1);
  bool ok = bind(s, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0;
  close(s);
  return ok;
}
}  // namespace

// Windows has no FIFOs or sockets on a disk: the stand-ins take them for
// files that cannot be opened, at once, never waiting on the other end; what
// the installer writes replaces one standing at its name.
TEST_F(ExpandFileNative, FifosAndSocketsAreNoFiles) {
  const std::string src = ProgramFolder() + sub_;
  for (bool fifo : {true, false}) {
    SCOPED_TRACE(fifo ? "a FIFO" : "a socket");
    const std::string name = fifo ? "pipe.tx_" : "sock.tx_", list = target_ + "\\" + name + ".dat";
    std::string host, listHost;
    ASSERT_TRUE(LumiMapPath(src.c_str(), host) && LumiMapPath(target_.c_str(), listHost));
    ASSERT_TRUE(MakeNoFile(host + "/" + name, fifo));
    ASSERT_TRUE(MakeNoFile(listHost + "/" + name + ".dat", fifo));
    EXPECT_EQ(inst_.ExpandFile((sub_ + "\\" + name).c_str()), 0);
    EXPECT_STREQ(inst_.GetLastMessage(), ("Could not expand file " + src + "\\" + name).c_str());
    for (DWORD access : {GENERIC_READ, GENERIC_WRITE}) {
      EXPECT_EQ(CreateFileA((src + "\\" + name).c_str(), access, 0, nullptr, OPEN_EXISTING, 0, nullptr),
                INVALID_HANDLE_VALUE);
    }
    OFSTRUCT of;
    EXPECT_LT(LZOpenFileA(const_cast<char*>((src + "\\" + name).c_str()), &of, OF_READ), 0);
    CWizardSheet sheet;
    CategoryRecord r[1] = {};
    EXPECT_EQ(sheet.WriteCategoryFile(list.c_str(), 1, r), 1);
    std::string bytes;
    EXPECT_TRUE(GetFile(list, bytes) && bytes.size() == 330u);
  }
  EXPECT_EQ(LumiOpenLzHandles(), 0);
}

// Files made new and still open go when a signal handler asks; files closed
// (finished) and files opened otherwise stay.
TEST(FilesStandIn, OnlyNewFilesStillOpenAreRemovedOnASignal) {
  const std::string dir = ScratchFolder();
  ASSERT_TRUE(PutFile(dir + "\\old.dat", "old"));
  HANDLE open = CreateFileA((dir + "\\open.tmp").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  HANDLE done = CreateFileA((dir + "\\done.tmp").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  HANDLE old = CreateFileA((dir + "\\old.dat").c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(open, INVALID_HANDLE_VALUE);
  ASSERT_NE(done, INVALID_HANDLE_VALUE);
  ASSERT_NE(old, INVALID_HANDLE_VALUE);
  CloseHandle(done);
  LumiRemoveNewFiles();
  EXPECT_FALSE(PathExists(dir + "\\open.tmp"));
  EXPECT_TRUE(PathExists(dir + "\\done.tmp"));
  EXPECT_TRUE(PathExists(dir + "\\old.dat"));
  CloseHandle(open);
  CloseHandle(old);
}
