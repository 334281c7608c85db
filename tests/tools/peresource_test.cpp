// The PE resource reader over a small PE laid out here (headers, one .rsrc
// section holding an RCDATA resource named LUMICATALOG), then damaged field
// by field, cut at every boundary, and over the Win32 build's setup.exe.
#include "peresource.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

namespace {

const std::string kPayload = "catalog bytes";

// The places in the file the cases change; resource offsets are from the
// start of the resource section.
struct Pe {
  std::vector<uint8_t> bytes;
  size_t optional = 0x58;
  size_t table = 0;      // the section table
  size_t directory = 0;  // the resource data directory entry
  static constexpr size_t kRsrc = 0x200, kRva = 0x1000;
  static constexpr size_t kTypeEntry = 0x10, kNameDir = 0x18, kNameEntry = 0x28, kLangEntry = 0x40;
  static constexpr size_t kDataEntry = 0x48, kName = 0x58, kData = 0x70;

  void Put16(size_t at, uint32_t v) {
    bytes.at(at) = v & 0xff;
    bytes.at(at + 1) = (v >> 8) & 0xff;
  }
  void Put32(size_t at, uint32_t v) {
    Put16(at, v & 0xffff);
    Put16(at + 2, v >> 16);
  }
  // A directory table with one ID entry or one name entry.
  void Directory(size_t at, bool named, uint32_t key, uint32_t target) {
    Put16(kRsrc + at + (named ? 12 : 14), 1);
    Put32(kRsrc + at + 16, key);
    Put32(kRsrc + at + 20, target);
  }
};

Pe MakePe(bool plus) {
  Pe pe;
  pe.bytes.assign(0x400, 0);
  pe.bytes[0] = 'M';
  pe.bytes[1] = 'Z';
  pe.Put32(0x3c, 0x40);
  pe.bytes[0x40] = 'P';
  pe.bytes[0x41] = 'E';
  pe.Put16(0x44, plus ? 0x8664 : 0x14c);
  pe.Put16(0x46, 1);  // sections
  uint32_t optionalSize = plus ? 0xf0 : 0xe0;
  pe.Put16(0x54, optionalSize);
  pe.Put16(pe.optional, plus ? 0x20b : 0x10b);
  size_t count = pe.optional + (plus ? 108 : 92);
  pe.Put32(count, 16);
  pe.directory = count + 4 + 2 * 8;
  pe.Put32(pe.directory, Pe::kRva);
  pe.Put32(pe.directory + 4, Pe::kData + kPayload.size());
  pe.table = pe.optional + optionalSize;
  std::copy_n(".rsrc", 5, pe.bytes.begin() + pe.table);
  pe.Put32(pe.table + 8, Pe::kData + kPayload.size());
  pe.Put32(pe.table + 12, Pe::kRva);
  pe.Put32(pe.table + 16, 0x200);
  pe.Put32(pe.table + 20, Pe::kRsrc);

  pe.Directory(0, false, 10, 0x80000000 | Pe::kNameDir);
  pe.Directory(Pe::kNameDir, true, 0x80000000 | Pe::kName, 0x80000030);
  pe.Directory(0x30, false, 1033, Pe::kDataEntry);
  pe.Put32(Pe::kRsrc + Pe::kDataEntry, Pe::kRva + Pe::kData);
  pe.Put32(Pe::kRsrc + Pe::kDataEntry + 4, kPayload.size());
  const std::string name = "LUMICATALOG";
  pe.Put16(Pe::kRsrc + Pe::kName, name.size());
  for (size_t i = 0; i < name.size(); ++i) pe.Put16(Pe::kRsrc + Pe::kName + 2 + 2 * i, name[i]);
  std::copy(kPayload.begin(), kPayload.end(), pe.bytes.begin() + Pe::kRsrc + Pe::kData);
  return pe;
}

struct Result {
  bool found;
  size_t offset = 0, size = 0;
  std::string why;
};

Result Find(const std::vector<uint8_t>& bytes, uint16_t type = 10, const char* name = "LUMICATALOG") {
  Result r;
  r.found = FindPeResource(bytes.data(), bytes.size(), type, name, &r.offset, &r.size, &r.why);
  return r;
}

TEST(PeResource, FindsTheResourceByTypeAndNameInAnyCase) {
  for (bool plus : {false, true}) {
    Pe pe = MakePe(plus);
    for (const char* name : {"LUMICATALOG", "LumiCatalog", "lumicatalog"}) {
      Result r = Find(pe.bytes, 10, name);
      ASSERT_TRUE(r.found) << plus << name << ": " << r.why;
      EXPECT_EQ(r.offset, Pe::kRsrc + Pe::kData);
      EXPECT_EQ(std::string(pe.bytes.begin() + r.offset, pe.bytes.begin() + r.offset + r.size), kPayload);
    }
    for (auto [type, name] : {std::pair<uint16_t, const char*>{3, "LUMICATALOG"},
                              {10, "LUMICATALOGS"},
                              {10, "LUMICATALO"},
                              {10, "LUMICATALOH"},
                              {10, ""}}) {
      Result r = Find(pe.bytes, type, name);
      EXPECT_FALSE(r.found) << type << name;
      EXPECT_EQ(r.why, std::string("no resource ") + name);
    }
  }
}

TEST(PeResource, RefusesEachDamage) {
  const std::string damaged = "the resource directory is damaged: ";
  struct Case {
    const char* what;
    std::function<void(Pe&)> damage;
    std::string why;
  };
  const Case cases[] = {
      {"no MZ", [](Pe& p) { p.bytes[1] = 'X'; }, "not a PE file"},
      {"e_lfanew past the end", [](Pe& p) { p.Put32(0x3c, 0xfffffff0); }, "not a PE file"},
      {"e_lfanew at the last bytes", [](Pe& p) { p.Put32(0x3c, p.bytes.size() - 8); }, "not a PE file"},
      {"optional header of unknown kind", [](Pe& p) { p.Put16(p.optional, 0x107); }, "not a PE file"},
      {"optional header too short", [](Pe& p) { p.Put16(0x54, 0x40); }, "not a PE file"},
      {"section table past the end", [](Pe& p) { p.Put16(0x46, 0xffff); }, "not a PE file"},
      {"two data directories", [](Pe& p) { p.Put32(p.directory - 20, 2); }, "no resource section"},
      {"resource RVA zero", [](Pe& p) { p.Put32(p.directory, 0); }, "no resource section"},
      {"resource RVA in no section", [](Pe& p) { p.Put32(p.directory, 0x5000); }, damaged + "its root"},
      {"section's bytes past the end", [](Pe& p) { p.Put32(p.table + 20, 0x10000); }, damaged + "its root"},
      {"root entries past the end", [](Pe& p) { p.Put16(Pe::kRsrc + 14, 0xffff); }, damaged + "a directory's"},
      {"type leads to the root", [](Pe& p) { p.Put32(Pe::kRsrc + Pe::kTypeEntry + 4, 0x80000000); },
       damaged + "a directory contains itself"},
      {"name directory leads to itself",
       [](Pe& p) { p.Put32(Pe::kRsrc + Pe::kNameEntry + 4, 0x80000000 | Pe::kNameDir); },
       damaged + "a directory contains itself"},
      {"type leads to data", [](Pe& p) { p.Put32(Pe::kRsrc + Pe::kTypeEntry + 4, Pe::kDataEntry); },
       damaged + "a type or name"},
      {"directory past the end", [](Pe& p) { p.Put32(Pe::kRsrc + Pe::kTypeEntry + 4, 0xfffffff8); },
       damaged + "a directory lies"},
      {"name length past the end", [](Pe& p) { p.Put16(Pe::kRsrc + Pe::kName, 11 + 0x7fff); }, damaged + "a name"},
      {"name offset past the end", [](Pe& p) { p.Put32(Pe::kRsrc + Pe::kNameEntry, 0xffffffff); }, damaged + "a name"},
      {"language leads to a directory", [](Pe& p) { p.Put32(Pe::kRsrc + Pe::kLangEntry + 4, 0x80000030); },
       damaged + "a language"},
      {"data entry past the end", [](Pe& p) { p.Put32(Pe::kRsrc + Pe::kLangEntry + 4, 0x7ffffff8); },
       damaged + "a data entry"},
      {"data RVA in no section", [](Pe& p) { p.Put32(Pe::kRsrc + Pe::kDataEntry, 0x9000); }, damaged + "the data"},
      {"data size past its section", [](Pe& p) { p.Put32(Pe::kRsrc + Pe::kDataEntry + 4, 0xffffffff); },
       damaged + "the data"},
      {"data past the file's end", [](Pe& p) { p.bytes.resize(Pe::kRsrc + Pe::kData + 4); }, damaged + "the data"},
      {"empty data in a section past the file's end",
       [](Pe& p) {
         p.Put16(0x46, 2);
         p.Put32(p.table + 40 + 12, 0x2000);
         p.Put32(p.table + 40 + 16, 0x200);
         p.Put32(p.table + 40 + 20, 0x10000);
         p.Put32(Pe::kRsrc + Pe::kDataEntry, 0x2000);
         p.Put32(Pe::kRsrc + Pe::kDataEntry + 4, 0);
       },
       damaged + "the data"},
  };
  for (bool plus : {false, true}) {
    for (const Case& c : cases) {
      Pe pe = MakePe(plus);
      c.damage(pe);
      Result r = Find(pe.bytes);
      EXPECT_FALSE(r.found) << c.what;
      EXPECT_EQ(r.why.substr(0, c.why.size()), c.why) << c.what << " (PE32+ " << plus << "): " << r.why;
    }
  }
}

TEST(PeResource, RefusesTheFileCutAtEachBoundary) {
  for (bool plus : {false, true}) {
    Pe pe = MakePe(plus);
    for (size_t cut : {size_t{0}, size_t{1}, size_t{0x3c}, size_t{0x40}, size_t{0x44}, size_t{0x58}, pe.table,
                       pe.table + 40, Pe::kRsrc + 0x10, Pe::kRsrc + Pe::kNameDir, Pe::kRsrc + Pe::kDataEntry,
                       Pe::kRsrc + Pe::kName + 4, Pe::kRsrc + Pe::kData + kPayload.size() - 1}) {
      std::vector<uint8_t> cutBytes(pe.bytes.begin(), pe.bytes.begin() + cut);
      Result r = Find(cutBytes);
      EXPECT_FALSE(r.found) << cut;
      EXPECT_FALSE(r.why.empty()) << cut;
    }
  }
}

// A linker's PE: its named resources, if any, are found inside the file,
// and a type without names is looked through without damage.
TEST(PeResource, ReadsTheWin32SetupProgram) {
  std::ifstream in(LUMI_WIN32_SETUP, std::ios::binary);
  if (!in) GTEST_SKIP() << LUMI_WIN32_SETUP " is not built";
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  Result catalog = Find(bytes, 10);
  if (catalog.found) {
    EXPECT_LE(catalog.offset + catalog.size, bytes.size());
  } else {
    EXPECT_EQ(catalog.why, "no resource LUMICATALOG");
  }
  EXPECT_EQ(Find(bytes, 24).why, "no resource LUMICATALOG");  // the manifest, by number only
}

}  // namespace
