// The medium made from the product's own files.
#pragma once
#include <string>
#include <vector>

#include "medium.h"

// The medium's files from the product as installed in productFolder (a
// Windows path): the six files and the picture folders under their
// installed names, found without regard to case. The string table's manifest
// drives it: each entry whose medium name ends in '_' is to be packed with
// the character its installed name ends in, the others copied. A missing or
// ambiguous file, a link (it may lead out of the product) and anything that
// is no file fail naming it; files the manifest does not name are left out,
// one line each in report. Nothing is read or written. False with *error set.
struct ProductFile {
  std::string mediumName;  // Lumiroll.ex_
  std::string path;        // the product's file of it
  uint8_t recorded;        // the character packing records; 0: copied as it is
};
bool FindProductFiles(const std::string& productFolder, MediumKindOf kindOf, std::vector<ProductFile>& files,
                      std::string& report, std::string* error);
// Packs or copies the files into folder (a Windows path), one at a time
// through fixed buffers, each under its temporary name; once all are whole
// each is moved over its name. A failure names the file and leaves the
// medium's files as they were.
bool WriteProductMedium(const std::string& folder, const std::vector<ProductFile>& files, std::string* error);
