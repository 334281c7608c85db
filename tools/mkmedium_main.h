// The mkmedium program over either build's host: what turns its arguments
// into Windows paths, what names what is no file, where a check expands to
// and how setup.exe's catalog is read.
#pragma once
#include <string>

#include "medium.h"
#include "mediumcatalog.h"

// The mkmedium program: "mkmedium DIR" makes the medium, "mkmedium --check
// DIR" checks one, "mkmedium --from PRODUCT DIR" makes it from the product,
// "mkmedium --seal DIR PROGRAM" fills PROGRAM's catalog slot from DIR.
// folderOf turns the argument into the Windows path of a folder (making it
// when make is set), or says why it cannot; kindOf names what is no file;
// nullDevice is where a check expands to.
using MediumFolderOf = bool (*)(const char* arg, bool make, std::string& folder, std::string& why);
struct MediumHost {
  MediumFolderOf folderOf;
  MediumKindOf kindOf;
  const char* nullDevice;
  MediumSlotOf slotOf;                     // how --check reads setup.exe's catalog
  std::string (*pathOf)(const char* arg);  // a file argument's Windows path
};
int MkmediumMain(int argc, char** argv, const MediumHost& host);
