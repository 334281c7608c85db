// The category list files the installed product reads ("Photos.dat",
// "Bkgnds.dat"): a 6-byte header (the record count as 4 bytes, then its low
// 16 bits) and the records back to back from offset 6, little-endian; and the
// categories the install writes into them. The setup writes with this, the
// product reads with it (product/categories.cpp, built by the product's own
// compiler too: nothing here needs the platform).
#pragma once
#include <cstddef>
#include <cstdint>

constexpr size_t kCategoryHeaderSize = 6;

#pragma pack(push, 1)
struct CategoryRecord {
  char szFolder[260];  // full path of the category's picture folder, NUL-terminated
  char szName[60];     // category name, NUL-terminated
  uint32_t dwValue;    // written as 0
};
#pragma pack(pop)

static_assert(sizeof(CategoryRecord) == 324, "a category record is 324 bytes on disk");
static_assert(offsetof(CategoryRecord, szName) == 260, "szName at offset 260");
static_assert(offsetof(CategoryRecord, dwValue) == 320, "dwValue at offset 320");

// The header of a file of count records (count as written: a negative one
// too, which the product refuses).
void FillCategoryHeader(uint8_t (&header)[kCategoryHeaderSize], int32_t count);

// Fills a record: the texts whole, zeros after their NUL, value 0. False
// (the record then all zeros) when a text does not fit its field.
bool FillCategoryRecord(CategoryRecord& record, const char* folder, const char* name);

// The lists an install writes into its folder, three categories each.
struct CategoryEntry {
  const char* subfolder;  // joined to the install folder as it stands; none: the Windows folder
  const char* name;
};
constexpr int kCategoriesPerList = 3;
struct CategoryList {
  const char* file;  // in the install folder
  CategoryEntry entries[kCategoriesPerList];
};
extern const CategoryList kCategoryLists[2];

// The records of list for an install into installFolder, with windowsFolder
// for an entry without a subfolder. False when a text does not fit.
bool FillCategoryRecords(const CategoryList& list, const char* installFolder, const char* windowsFolder,
                         CategoryRecord (&records)[kCategoriesPerList]);
