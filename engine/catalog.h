// The catalog of the medium that a setup program carries: for each file of
// the install manifest, its name on the medium, its size and its SHA-256, so
// that every byte of the medium is checked before the first one is written.
//
// It lives in a slot of kCatalogSlot bytes, the program's RCDATA resource
// named LUMICATALOG, which every build of the program carries; the tools
// fill the slot in place (mkmedium --seal), so that a release needs no
// compiler and its signature covers the catalog. The slot's layout, all
// integers little-endian:
//   0   "LUMICAT"
//   7   '0' (empty: a development build, no catalog) or '1'
//   8   u32 the slot's size (kCatalogSlot)
//   12  u32 the number of files
//   16  one record a file: u8 the name's length, the name (the medium
//       file's own name, no folder, no NUL), u32 its size, its SHA-256
//   ... the SHA-256 of every byte before it, then zeros to the slot's end
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "afxstr.h"
#include "sha256.h"

inline constexpr size_t kCatalogSlot = 8192;
inline constexpr char kCatalogResource[] = "LUMICATALOG";

struct CatalogEntry {
  std::string name;  // Lumiroll.ex_
  uint32_t size;
  uint8_t digest[Sha256::kSize];
};

// The slot holding entries, kCatalogSlot bytes; empty when they do not fit.
std::string CatalogSlot(const std::vector<CatalogEntry>& entries);
// The slot of a program that carries no catalog.
std::string EmptyCatalogSlot();

enum class CatalogState { kEmpty, kSound, kDamaged };
// Reads a slot: kSound with entries filled, kEmpty, or kDamaged with *why
// saying what is wrong (cut, a count past the slot, a digest that differs).
CatalogState ReadCatalog(const uint8_t* slot, size_t size, std::vector<CatalogEntry>& entries, std::string* why);

// The size and SHA-256 of the file at path (a Windows path) as it is read
// now; false when it cannot be opened or read, or is 4 GB or more.
bool MeasureFile(const char* path, CatalogEntry& entry);

// Checks the medium in folder against entries, which must name exactly the
// medium files given (names: the manifest's medium names, without folders)
// once each. 1 when every file is there with its size and digest. 0 with
// message set otherwise: "File is corrupt: " and the path of the first file
// missing or differing, or, for entries that do not fit the manifest, the
// damage of program, the setup program that carries them.
int CheckMediumAgainst(const char* folder, const std::vector<std::string>& names,
                       const std::vector<CatalogEntry>& entries, const char* program, CString& message);

// The program's own catalog, from its resource: kEmpty where it carries
// none (or no slot at all), kDamaged with *why where it cannot be read.
CatalogState ReadOwnCatalog(std::vector<CatalogEntry>& entries, std::string* why);
