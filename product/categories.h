// The product's reader of the category list files the setup writes
// ("Photos.dat", "Bkgnds.dat"; their layout is engine/category.h's).
// Bytes in, records out: nothing here opens a file, so the product and the
// tests read with the same code.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct Category {
  std::string folder;  // the category's picture folder, as written
  std::string name;
  uint32_t value;
};

// Reads a whole category list file. False, with why saying what is wrong in
// words a user can act on, for a file shorter than its header, a count that
// disagrees with itself or with the file's size, or a text without its NUL
// inside its field. Bytes after a text's NUL carry no meaning.
bool ReadCategories(const uint8_t* bytes, size_t size, std::vector<Category>& out, std::string& why);
