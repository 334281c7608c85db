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

// Checks the medium in folder (a Windows path) as the installer will use it:
// every manifest file present, expanding through LZ32 (into nullDevice,
// with the installer's checks) to the length it declares and under the name
// the manifest implies. One line a file, then a summary naming label, into
// report; the number of files with a problem.
int CheckMedium(const std::string& folder, const std::string& label, const std::string& nullDevice,
                std::string& report);

// The mkmedium program: "mkmedium DIR" makes the medium, "mkmedium --check
// DIR" checks one. folderOf turns the argument into a Windows path (making
// the folder when make is set); nullDevice is where a check expands to.
int MkmediumMain(int argc, char** argv, std::string (*folderOf)(const char* arg, bool make), const char* nullDevice);
