// The SZDD name rules, in both builds: what LZ32 makes of a compressed
// file's name, and what it looks for when a file is missing.
#include <gtest/gtest.h>

#include <string>

#include "szdd.h"

namespace {

// Code page 932's lead bytes, for names whose trail bytes are '\' or '_'.
bool Lead932(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

TEST(SzddNames, ExpandedName) {
  const struct {
    std::string name;
    uint8_t recorded;
    bool dbcs;
    std::string expanded;
  } cases[] = {
      {"C:\\M\\Lumiroll.ex_", 'e', false, "C:\\M\\Lumiroll.exe"},
      {"C:\\M\\LUMIROLL.EX_", 'e', false, "C:\\M\\LUMIROLL.EXE"},  // the case of the letter before
      {"C:\\M\\readme.tx_", 'T', false, "C:\\M\\readme.txt"},
      {"C:\\M\\a.b_", 0, false, "C:\\M\\a.b"},           // nothing recorded: the '_' goes
      {"C:\\M\\noext_", 'x', false, "C:\\M\\noext_"},    // no extension: as it is
      {"C:\\M.d\\file_", 'x', false, "C:\\M.d\\file_"},  // the dot of a folder does not count
      {"C:\\M\\plain.txt", 'x', false, "C:\\M\\plain.txt"},
      {"C:\\M\\x.\x95_", 'x', true, "C:\\M\\x.\x95_"},   // '_' as a trail byte is no '_'
      {"C:\\M\\x.\x95_", 'x', false, "C:\\M\\x.\x95x"},  // but is in a single-byte code page
      {"C:\\\x95\\.tx_", 't', true, "C:\\\x95\\.txt"},   // a trail '\' is no separator
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SzddExpandedName(c.name, c.recorded, c.dbcs ? Lead932 : nullptr), c.expanded) << c.name;
  }
}

TEST(SzddNames, CompressedForm) {
  const struct {
    std::string name, form;
  } cases[] = {
      {"C:\\M\\readme.txt", "C:\\M\\readme.tx_"},
      {"C:\\M\\a.b", "C:\\M\\a.b_"},
      {"C:\\M\\README", "C:\\M\\README._"},
      {"C:\\M.d\\README", "C:\\M.d\\README._"},
  };
  for (const auto& c : cases) EXPECT_EQ(SzddCompressedForm(c.name), c.form) << c.name;
}

}  // namespace
