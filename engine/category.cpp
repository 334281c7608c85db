#include "category.h"

#include <cstring>

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
