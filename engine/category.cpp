#include "category.h"

#include <cstring>
#include <string>

const CategoryList kCategoryLists[2] = {
    {"Photos.dat", {{"\\Sunsets", "Sunsets"}, {"\\Nature", "Nature"}, {"\\WFalls", "Waterfalls"}}},
    {"Bkgnds.dat", {{"\\Bkgnds1", "Light Patterns"}, {"\\Bkgnds2", "Dark Patterns"}, {nullptr, "Windows Standard"}}},
};

void FillCategoryHeader(uint8_t (&header)[kCategoryHeaderSize], int32_t count) {
  const auto n = static_cast<uint32_t>(count);
  for (size_t i = 0; i < 4; ++i) header[i] = static_cast<uint8_t>(n >> (8 * i));
  header[4] = header[0];  // the low 16 bits again
  header[5] = header[1];
}

bool FillCategoryRecord(CategoryRecord& record, const char* folder, const char* name) {
  std::memset(&record, 0, sizeof record);
  if (!folder) folder = "";
  if (!name) name = "";
  size_t f = std::strlen(folder);
  size_t n = std::strlen(name);
  if (f >= sizeof record.szFolder || n >= sizeof record.szName) return false;
  std::memcpy(record.szFolder, folder, f);
  std::memcpy(record.szName, name, n);
  return true;
}

bool FillCategoryRecords(const CategoryList& list, const char* installFolder, const char* windowsFolder,
                         CategoryRecord (&records)[kCategoriesPerList]) {
  bool fits = true;
  for (int i = 0; i < kCategoriesPerList; ++i) {
    const CategoryEntry& entry = list.entries[i];
    const std::string folder = entry.subfolder ? std::string(installFolder ? installFolder : "") + entry.subfolder
                                               : std::string(windowsFolder ? windowsFolder : "");
    fits = FillCategoryRecord(records[i], folder.c_str(), entry.name) && fits;
  }
  return fits;
}
