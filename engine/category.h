// The category list files the installed product reads ("Photos.dat",
// "Bkgnds.dat"): a 6-byte header (the record count as 4 bytes, then its low
// 16 bits) and the records back to back from offset 6, little-endian.
#pragma once
#include <cstddef>

#include "lumiwin.h"

#pragma pack(push, 1)
struct CategoryRecord {
  char szFolder[260];  // full path of the category's picture folder, NUL-terminated
  char szName[60];     // category name, NUL-terminated
  DWORD dwValue;       // written as 0
};
#pragma pack(pop)

static_assert(sizeof(CategoryRecord) == 324, "a category record is 324 bytes on disk");
static_assert(offsetof(CategoryRecord, szName) == 260, "szName at offset 260");
static_assert(offsetof(CategoryRecord, dwValue) == 320, "dwValue at offset 320");

// Fills a record: the texts whole, zeros after their NUL, value 0. False
// (the record then all zeros) when a text does not fit its field.
bool FillCategoryRecord(CategoryRecord& record, const char* folder, const char* name);
