// The sample distribution medium: the 32 files of the install manifest,
// named as the program's string table names them, with sample contents;
// compressed (SZDD, last character recorded) where the name ends in '_'.
#pragma once
#include <string>

// Writes the medium into folder (a Windows path); false with *error set
// when a file cannot be written.
bool MakeSampleMedium(const std::string& folder, std::string* error);
// The name a medium file expands to (Lumiroll.ex_ -> Lumiroll.exe).
std::string ExpandedMediumName(const std::string& name);
// The sample contents of the file that expands to that name.
std::string SampleContents(const std::string& expandedName);
