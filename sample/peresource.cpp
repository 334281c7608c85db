// The PE resource reader: MZ header, PE signature, COFF header, optional
// header (PE32 or PE32+), its resource data directory, the section table,
// then the three levels of the resource tree (type, name, language) down to
// one data entry. Offsets are kept in 64 bits, so no sum of two 32-bit
// fields can wrap; every read goes through Bytes, which refuses any that
// does not lie wholly inside.
#include "peresource.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

constexpr uint32_t kHighBit = 0x80000000u;
constexpr uint16_t kPe32 = 0x10b;
constexpr uint16_t kPe32Plus = 0x20b;
constexpr uint32_t kResourceDirectory = 2;  // index in the data directories
constexpr uint64_t kSectionHeaderSize = 40;
constexpr uint64_t kDirectorySize = 16;  // a resource directory table, before its entries
constexpr uint64_t kEntrySize = 8;
constexpr uint64_t kDataEntrySize = 16;
constexpr uint64_t kMaxEntries = 65536;  // entries looked at in one search

// A span of the file; reads outside it fail instead of reading.
class Bytes {
 public:
  Bytes(const uint8_t* data, uint64_t size) : data_(data), size_(size) {}
  bool Has(uint64_t at, uint64_t length) const { return at <= size_ && length <= size_ - at; }
  bool U16(uint64_t at, uint16_t* v) const {
    if (!Has(at, 2)) return false;
    *v = static_cast<uint16_t>(data_[at] | data_[at + 1] << 8);
    return true;
  }
  bool U32(uint64_t at, uint32_t* v) const {
    if (!Has(at, 4)) return false;
    *v = static_cast<uint32_t>(data_[at]) | static_cast<uint32_t>(data_[at + 1]) << 8 |
         static_cast<uint32_t>(data_[at + 2]) << 16 | static_cast<uint32_t>(data_[at + 3]) << 24;
    return true;
  }

 private:
  const uint8_t* data_;
  uint64_t size_;
};

// A section as far as its bytes are both in the image and in the file.
struct Section {
  uint64_t rva;
  uint64_t length;
  uint64_t fileOffset;
};

// The file offset of `length` bytes at rva, when section s holds them all.
bool Holds(const Section& s, uint64_t rva, uint64_t length, uint64_t* fileOffset) {
  if (rva < s.rva || rva - s.rva > s.length || length > s.length - (rva - s.rva)) return false;
  *fileOffset = s.fileOffset + (rva - s.rva);
  return true;
}

bool MapRva(const std::vector<Section>& sections, uint64_t rva, uint64_t length, uint64_t* fileOffset) {
  for (const Section& s : sections) {
    if (Holds(s, rva, length, fileOffset)) return true;
  }
  return false;
}

bool Fail(std::string* why, const std::string& message) {
  if (why) *why = message;
  return false;
}

std::string Damaged(const std::string& what) { return "the resource directory is damaged: " + what; }

uint32_t FoldAscii(uint32_t c) { return c >= 'a' && c <= 'z' ? c - ('a' - 'A') : c; }

enum class Step { kFound, kAbsent, kDamaged };

// The walk down the resource tree, all offsets relative to its root.
class Tree {
 public:
  explicit Tree(Bytes rsrc) : rsrc_(rsrc) {}
  const std::string& problem() const { return problem_; }

  // Looks through the directory at dir for an entry that is the id (name
  // null) or the name, or for any entry (matchAny); *target is its
  // OffsetToData.
  Step Find(uint64_t dir, bool matchAny, uint32_t id, const char* name, uint32_t* target) {
    uint16_t named = 0;
    uint16_t ids = 0;
    if (!rsrc_.U16(dir + 12, &named) || !rsrc_.U16(dir + 14, &ids)) return Damage("a directory lies past its end");
    uint64_t count = static_cast<uint64_t>(named) + ids;
    if (!rsrc_.Has(dir + kDirectorySize, count * kEntrySize)) return Damage("a directory's entries lie past its end");
    for (uint64_t i = 0; i < count; ++i) {
      if (++visited_ > kMaxEntries) return Damage("it has too many entries");
      uint64_t at = dir + kDirectorySize + i * kEntrySize;
      uint32_t key = 0;
      rsrc_.U32(at, &key);
      rsrc_.U32(at + 4, target);
      if (matchAny) return Step::kFound;
      bool isName = (key & kHighBit) != 0;
      if (!name) {
        if (!isName && key == id) return Step::kFound;
        continue;
      }
      if (!isName) continue;
      Step s = NameIs(key & ~kHighBit, name);
      if (s != Step::kAbsent) return s;
    }
    return Step::kAbsent;
  }

  // Whether the IMAGE_RESOURCE_DIR_STRING_U at `at` spells name, ignoring
  // the case of ASCII letters.
  Step NameIs(uint64_t at, const char* name) {
    uint16_t length = 0;
    if (!rsrc_.U16(at, &length) || !rsrc_.Has(at + 2, 2 * static_cast<uint64_t>(length))) {
      return Damage("a name lies past its end");
    }
    if (length != std::strlen(name)) return Step::kAbsent;
    for (uint64_t i = 0; i < length; ++i) {
      uint16_t unit = 0;
      rsrc_.U16(at + 2 + 2 * i, &unit);
      if (FoldAscii(unit) != FoldAscii(static_cast<unsigned char>(name[i]))) return Step::kAbsent;
    }
    return Step::kFound;
  }

  Step Damage(const char* what) {
    problem_ = what;
    return Step::kDamaged;
  }

 private:
  Bytes rsrc_;
  uint64_t visited_ = 0;
  std::string problem_;
};

}  // namespace

bool FindPeResource(const uint8_t* file, size_t fileSize, uint16_t type, const char* name, size_t* offset, size_t* size,
                    std::string* why) {
  if (!name) name = "";
  Bytes pe(file, file ? fileSize : 0);
  const std::string notPe = "not a PE file";

  // The MZ header, and at e_lfanew the signature and the COFF header.
  uint16_t mz = 0;
  uint32_t lfanew = 0;
  if (!pe.U16(0, &mz) || mz != 0x5a4d || !pe.U32(0x3c, &lfanew)) return Fail(why, notPe);
  uint64_t coff = static_cast<uint64_t>(lfanew) + 4;
  if (!pe.Has(lfanew, 24) || std::memcmp(file + lfanew, "PE\0\0", 4) != 0) return Fail(why, notPe);
  uint16_t sectionCount = 0;
  uint16_t optionalSize = 0;
  pe.U16(coff + 2, &sectionCount);
  pe.U16(coff + 16, &optionalSize);

  // The optional header: where its data directories begin depends on its kind.
  uint64_t optional = coff + 20;
  uint16_t magic = 0;
  if (!pe.Has(optional, optionalSize) || !pe.U16(optional, &magic)) return Fail(why, notPe);
  uint64_t countAt = 0;
  if (magic == kPe32) {
    countAt = 92;
  } else if (magic == kPe32Plus) {
    countAt = 108;
  } else {
    return Fail(why, notPe);
  }
  uint32_t directoryCount = 0;
  if (optionalSize < countAt + 4) return Fail(why, notPe);
  pe.U32(optional + countAt, &directoryCount);
  uint64_t resourceEntry = countAt + 4 + kResourceDirectory * 8;
  if (directoryCount <= kResourceDirectory || optionalSize < resourceEntry + 8) {
    return Fail(why, "no resource section");
  }
  uint32_t resourceRva = 0;
  uint32_t resourceSize = 0;
  pe.U32(optional + resourceEntry, &resourceRva);
  pe.U32(optional + resourceEntry + 4, &resourceSize);
  if (resourceRva == 0 || resourceSize == 0) return Fail(why, "no resource section");

  // The section table, each section cut to the bytes the file holds.
  uint64_t table = optional + optionalSize;
  if (!pe.Has(table, sectionCount * kSectionHeaderSize)) return Fail(why, notPe);
  std::vector<Section> sections;
  sections.reserve(sectionCount);
  for (uint64_t i = 0; i < sectionCount; ++i) {
    uint64_t at = table + i * kSectionHeaderSize;
    uint32_t virtualSize = 0;
    uint32_t rva = 0;
    uint32_t rawSize = 0;
    uint32_t rawOffset = 0;
    pe.U32(at + 8, &virtualSize);
    pe.U32(at + 12, &rva);
    pe.U32(at + 16, &rawSize);
    pe.U32(at + 20, &rawOffset);
    uint64_t length = virtualSize != 0 && virtualSize < rawSize ? virtualSize : rawSize;
    if (rawOffset >= fileSize || length == 0) continue;  // holds nothing of the file, not even an empty span
    sections.push_back({rva, std::min<uint64_t>(length, fileSize - rawOffset), rawOffset});
  }

  // The tree lies in the section that holds its root, from the root on.
  uint64_t root = 0;
  const Section* home = nullptr;
  for (const Section& s : sections) {
    if (Holds(s, resourceRva, kDirectorySize, &root)) {
      home = &s;
      break;
    }
  }
  if (!home) return Fail(why, Damaged("its root lies in no section"));
  Bytes rsrc(file + root, home->length - (resourceRva - home->rva));
  Tree tree(rsrc);

  // Type, then name, then the first language; every step but the last leads
  // to a directory, and none back to one above it.
  uint64_t path[3] = {0, 0, 0};
  uint32_t target = 0;
  for (int level = 0; level < 3; ++level) {
    Step s = tree.Find(path[level], level == 2, type, level == 1 ? name : nullptr, &target);
    if (s == Step::kDamaged) return Fail(why, Damaged(tree.problem()));
    if (s == Step::kAbsent) return Fail(why, std::string("no resource ") + name);
    bool isDirectory = (target & kHighBit) != 0;
    if (level == 2) {
      if (isDirectory) return Fail(why, Damaged("a language entry leads to a directory"));
      break;
    }
    if (!isDirectory) return Fail(why, Damaged("a type or name entry leads to data"));
    uint64_t next = target & ~kHighBit;
    for (int up = 0; up <= level; ++up) {
      if (path[up] == next) return Fail(why, Damaged("a directory contains itself"));
    }
    path[level + 1] = next;
  }

  // The data entry, and the data it gives by RVA, through any section.
  uint32_t dataRva = 0;
  uint32_t dataSize = 0;
  if (!rsrc.Has(target, kDataEntrySize)) return Fail(why, Damaged("a data entry lies past its end"));
  rsrc.U32(target, &dataRva);
  rsrc.U32(target + 4, &dataSize);
  uint64_t dataOffset = 0;
  if (!MapRva(sections, dataRva, dataSize, &dataOffset)) {
    return Fail(why, Damaged(std::string("the data of ") + name + " lies outside the file's sections"));
  }
  if (offset) *offset = static_cast<size_t>(dataOffset);
  if (size) *size = dataSize;
  if (why) why->clear();
  return true;
}
