// The catalog of a medium, sealed into the setup program beside it and
// checked against it.
#pragma once
#include <string>
#include <vector>

// The catalog of the medium in folder (a Windows path): each manifest
// file's name, size and SHA-256 as read now. False with *error set when a
// file cannot be read.
struct CatalogEntry;
bool MeasureMedium(const std::string& folder, std::vector<CatalogEntry>& entries, std::string* error);
// Fills the catalog slot of the setup program at program (a Windows path;
// a PE file's LUMICATALOG resource, or the one slot a native program
// carries) with entries; the program is written anew and moved over its
// name. False with *error naming the program and why.
bool SealProgram(const std::string& program, const std::vector<CatalogEntry>& entries, std::string* error);
// The bytes of the catalog slot of the program at program, read by this
// program itself (the file's bytes, the PE reader); false with why.
using MediumSlotOf = bool (*)(const std::string& program, std::string& slot, std::string& why);
bool ReadProgramSlot(const std::string& program, std::string& slot, std::string& why);
// Checks the medium in folder against the catalog of the setup.exe beside
// it, read through slotOf; one line into report ("catalog: all N files as
// released", or what differs). 1 when it differs or cannot be read; 0 when
// it matches or there is no catalog to check.
int CheckCatalog(const std::string& folder, MediumSlotOf slotOf, std::string& report);
