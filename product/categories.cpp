#include "categories.h"

#include <cstring>

#include "category.h"

namespace {
constexpr size_t kHeader = kCategoryHeaderSize, kRecord = sizeof(CategoryRecord);
constexpr size_t kFolder = sizeof CategoryRecord::szFolder, kName = sizeof CategoryRecord::szName;
constexpr size_t kValue = offsetof(CategoryRecord, dwValue);

uint32_t Le32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
         static_cast<uint32_t>(p[3]) << 24;
}

// The text of a field up to its NUL; false when the field holds none.
bool Text(const uint8_t* field, size_t size, std::string& out) {
  const void* nul = std::memchr(field, 0, size);
  if (!nul) return false;
  out.assign(reinterpret_cast<const char*>(field), static_cast<const uint8_t*>(nul) - field);
  return true;
}
}  // namespace

bool ReadCategories(const uint8_t* bytes, size_t size, std::vector<Category>& out, std::string& why) {
  out.clear();
  if (size < kHeader) {
    why = "the file has " + std::to_string(size) + " bytes, fewer than its 6-byte header";
    return false;
  }
  const uint32_t count = Le32(bytes);
  const uint32_t low = static_cast<uint32_t>(bytes[4]) | static_cast<uint32_t>(bytes[5]) << 8;
  if ((count & 0xFFFFu) != low) {
    why = "its two record counts disagree (" + std::to_string(count) + " and " + std::to_string(low) + ")";
    return false;
  }
  // In 64 bits: a count near 2^32 must not wrap round to a small size.
  if (static_cast<uint64_t>(size) != kHeader + static_cast<uint64_t>(count) * kRecord) {
    why = "it names " + std::to_string(count) + " categories but holds " + std::to_string(size) + " bytes, not " +
          std::to_string(kHeader + static_cast<uint64_t>(count) * kRecord);
    return false;
  }
  out.reserve(count);
  for (uint32_t i = 0; i < count; ++i) {
    const uint8_t* r = bytes + kHeader + static_cast<size_t>(i) * kRecord;
    Category c;
    if (!Text(r, kFolder, c.folder) || !Text(r + offsetof(CategoryRecord, szName), kName, c.name)) {
      why = "category " + std::to_string(i + 1) + " has a text without its end";
      out.clear();
      return false;
    }
    c.value = Le32(r + kValue);
    out.push_back(std::move(c));
  }
  return true;
}
