// The medium checked against a catalog before anything is written: every
// kind of damage the catalog must catch, and the slot's own damage.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalog.h"
#include "medium.h"
#include "mediumcatalog.h"
#include "messages.h"
#include "testfs.h"

namespace {

class Catalog : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = ScratchFolder();
    std::string error;
    ASSERT_TRUE(MakeSampleMedium(folder_, &error)) << error;
    ASSERT_TRUE(MediumNames(names_, &error)) << error;
    ASSERT_TRUE(MeasureMedium(folder_, entries_, &error)) << error;
  }
  void TearDown() override { RemoveTree(folder_); }
  std::string Check() {
    CString message;
    return CheckMediumAgainst(folder_.c_str(), names_, entries_, "S:\\setup.exe", message) ? "" : message.GetString();
  }
  std::string Path(const char* name) const { return folder_ + "\\" + name; }
  std::string folder_;
  std::vector<std::string> names_;
  std::vector<CatalogEntry> entries_;
};

// Each change to the medium, made and undone in turn: every one is refused
// naming the file, the unchanged medium passes.
TEST_F(Catalog, EveryChangeToTheMediumIsRefusedNamingTheFile) {
  ASSERT_EQ(Check(), "");
  const struct {
    const char* what;
    const char* file;
    void (*change)(std::string& bytes);
  } cases[] = {
      {"a data byte, every length kept", "Lumiroll.ex_", [](std::string& b) { b.back() ^= 1; }},
      {"the recorded character", "Lumitool.dl_", [](std::string& b) { b[9] = 'x'; }},
      {"a picture's recorded character", "Gulls.jp_", [](std::string& b) { b[9] = 'x'; }},
      {"one byte more", "Readme.txt", [](std::string& b) { b += ' '; }},
      {"cut by one byte", "Order.do_", [](std::string& b) { b.pop_back(); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::string keep, changed;
    ASSERT_TRUE(GetFile(Path(c.file), keep));
    changed = keep;
    c.change(changed);
    ASSERT_TRUE(PutFile(Path(c.file), changed));
    EXPECT_EQ(Check(), kMsgFileCorrupt + Path(c.file));
    ASSERT_TRUE(PutFile(Path(c.file), keep));
  }
  std::string gulls, sheep;
  ASSERT_TRUE(GetFile(Path("Gulls.jp_"), gulls) && GetFile(Path("Sheep.jp_"), sheep));
  ASSERT_TRUE(PutFile(Path("Gulls.jp_"), sheep) && PutFile(Path("Sheep.jp_"), gulls));
  EXPECT_EQ(Check(), kMsgFileCorrupt + Path("Gulls.jp_"));  // the first in the manifest's order
  ASSERT_TRUE(PutFile(Path("Gulls.jp_"), gulls) && PutFile(Path("Sheep.jp_"), sheep));
  ASSERT_TRUE(RemoveFile(Path("Lumiroll.hlp")));
  EXPECT_EQ(Check(), kMsgFileCorrupt + Path("Lumiroll.hlp"));
}

// The slot as it is sealed reads back; each kind of damage to it is told.
TEST_F(Catalog, ASlotReadsBackAndItsDamageIsTold) {
  const std::string sound = CatalogSlot(entries_);
  ASSERT_EQ(sound.size(), kCatalogSlot);
  std::vector<CatalogEntry> read;
  std::string why;
  ASSERT_EQ(ReadCatalog(reinterpret_cast<const uint8_t*>(sound.data()), sound.size(), read, &why),
            CatalogState::kSound);
  ASSERT_EQ(read.size(), names_.size());
  const std::string empty = EmptyCatalogSlot();
  EXPECT_EQ(ReadCatalog(reinterpret_cast<const uint8_t*>(empty.data()), empty.size(), read, &why),
            CatalogState::kEmpty);
  size_t end = 16;  // where the slot's own digest lies
  for (const CatalogEntry& e : entries_) end += 1 + e.name.size() + 4 + Sha256::kSize;
  const struct {
    const char* what;
    size_t at;   // the byte changed, or the size cut to
    int change;  // 0: cut there
    const char* why;
  } cases[] = {
      {"cut", kCatalogSlot - 1, 0, "the slot is cut or of another size"},
      {"no slot at all", 8, 0, "no catalog slot"},
      {"a count past the slot", 15, 1, "a count past the slot"},
      {"a count one less", 12, -1, "its digest differs"},
      {"a name's byte", 17, 1, "its digest differs"},
      {"the digest", end, 1, "its digest differs"},
      {"a byte after its end", end + Sha256::kSize + 5, 1, "bytes after its end"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::string damaged = sound;
    if (c.change == 0) {
      damaged.resize(c.at);
    } else {
      damaged[c.at] = static_cast<char>(damaged[c.at] + c.change);
    }
    EXPECT_EQ(ReadCatalog(reinterpret_cast<const uint8_t*>(damaged.data()), damaged.size(), read, &why),
              CatalogState::kDamaged);
    EXPECT_EQ(why, c.why);
    EXPECT_TRUE(read.empty());
  }
  // A sound slot that names another file than the manifest's is the setup
  // program's damage, not the medium's.
  entries_[3].name = "Other.ex_";
  EXPECT_EQ(Check(), std::string(kMsgSetupDamaged) + "S:\\setup.exe");
  entries_.pop_back();
  entries_[3].name = names_[3];
  EXPECT_EQ(Check(), std::string(kMsgSetupDamaged) + "S:\\setup.exe");
}

}  // namespace
