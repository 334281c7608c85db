// The install manifest, as the program's string table gives it: the primary
// files (IDS_FILE_FIRST to IDS_FILE_LAST) go into the install folder, then the
// pictures (IDS_PICTURE_FIRST to IDS_PICTURE_LAST), each "Subfolder\name",
// into that folder below it. A name on the medium that ends in '_' is packed
// (SZDD, its last character recorded); the name it installs under follows
// from the rule below, the one the sample medium is packed by and every
// check holds a medium to.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "lumiwin.h"

struct ManifestEntry {
  UINT id;                    // its string
  std::string subfolder;      // "" for a primary file, else the picture folder: Bkgnds1
  std::string mediumName;     // on the medium, where pictures lie flat: bkgnd1.jp_
  std::string installedName;  // as installed: bkgnd1.jpg
};

// Every entry in install order; false with *error naming the string that is
// missing or whose packed name has no installed name by the rule.
bool ReadManifest(std::vector<ManifestEntry>& entries, std::string* error);

// The character a packed medium name records, the last of its installed
// name: its extension's, looked up by the two letters before the '_'
// (Lumiroll.ex_ -> 'e'). 0 for a name that is not packed or whose
// extension the rule does not know.
uint8_t RecordedCharacter(const std::string& mediumName);

// The name a medium file installs under (Lumiroll.ex_ -> Lumiroll.exe); a
// name that is not packed, or that the rule does not know, as it is.
std::string InstalledName(const std::string& mediumName);
