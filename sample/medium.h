// The sample distribution medium: the files of the install manifest
// (manifest.h), named as the program's string table names them, with
// sample contents; compressed (SZDD, last character recorded) where the
// name ends in '_'.
#pragma once
#include <string>
#include <vector>

#include "lumiwin.h"

// What stands at a Windows path when it is no plain file or folder ("a
// FIFO", "a device", "a socket"), as the host can tell; "" otherwise.
using MediumKindOf = std::string (*)(const std::string& path);

// The names of the manifest's files on the medium, where pictures lie flat;
// false with *error set when the manifest cannot be read.
bool MediumNames(std::vector<std::string>& names, std::string* error);

// Writes the medium into folder (a Windows path); false with *error set
// when a file cannot be written.
bool MakeSampleMedium(const std::string& folder, std::string* error);
// The sample contents of the file that expands to that name.
std::string SampleContents(const std::string& expandedName);

// Checks the medium in folder (a Windows path) as the installer will use it:
// every manifest file present, expanding through LZ32 (into nullDevice,
// with the installer's checks) to the length it declares and under the name
// the manifest implies. One line a file, then a summary naming label, into
// report; the number of files with a problem. kindOf (may be null) names
// what stands where a file should.
int CheckMedium(const std::string& folder, const std::string& label, const std::string& nullDevice, std::string& report,
                MediumKindOf kindOf = nullptr);
// Whether two names are the same but for the case of the letters A to Z.
bool SameIgnoringAZCase(const std::string& a, const std::string& b);
