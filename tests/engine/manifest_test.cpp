// The install manifest as the string table gives it, and the rule for the
// name a packed medium file installs under.
#include "manifest.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "resource.h"

TEST(Manifest, InstalledNamesFollowTheRule) {
  const struct {
    const char* medium;
    const char* installed;
    char recorded;  // 0: not packed, or not by the rule
  } cases[] = {
      {"Lumiroll.ex_", "Lumiroll.exe", 'e'},
      {"Lumitool.dl_", "Lumitool.dll", 'l'},
      {"Order.do_", "Order.doc", 'c'},
      {"Fox.jp_", "Fox.jpg", 'g'},
      {"turtle.gi_", "turtle.gif", 'f'},
      {"LOGO.BM_", "LOGO.BMP", 'p'},
      {"Readme.txt", "Readme.txt", 0},
      {"odd.zz_", "odd.zz_", 0},
      {"a.b_", "a.b_", 0},
      {".jp_", ".jp_", 0},
      {"jp_", "jp_", 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(InstalledName(c.medium), c.installed) << c.medium;
    EXPECT_EQ(RecordedCharacter(c.medium), static_cast<uint8_t>(c.recorded)) << c.medium;
  }
}

// The primary files first, with no folder, then every picture in a folder,
// each name once; every packed name has its installed name.
TEST(Manifest, WalksTheStringTableInInstallOrder) {
  std::vector<ManifestEntry> manifest;
  std::string error;
  ASSERT_TRUE(ReadManifest(manifest, &error)) << error;
  const size_t files = IDS_FILE_LAST - IDS_FILE_FIRST + 1, pictures = IDS_PICTURE_LAST - IDS_PICTURE_FIRST + 1;
  ASSERT_EQ(manifest.size(), files + pictures);
  std::set<std::string> names;
  for (size_t i = 0; i < manifest.size(); ++i) {
    const ManifestEntry& e = manifest[i];
    EXPECT_EQ(e.id, i < files ? IDS_FILE_FIRST + i : IDS_PICTURE_FIRST + (i - files)) << i;
    EXPECT_EQ(e.subfolder.empty(), i < files) << e.mediumName;
    EXPECT_EQ(e.mediumName.find('\\'), std::string::npos) << e.mediumName;
    EXPECT_NE(e.installedName.back(), '_') << e.mediumName;
    EXPECT_TRUE(names.insert(e.installedName).second) << e.installedName;
  }
  EXPECT_EQ(manifest[0].installedName, "Lumiroll.exe");
  EXPECT_EQ(manifest[files].subfolder + "\\" + manifest[files].installedName, "Bkgnds1\\bkgnd1.jpg");
}
