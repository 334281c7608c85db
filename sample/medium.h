// The sample distribution medium: the 32 files of the install manifest,
// named as the program's string table names them, with sample contents;
// compressed (SZDD, last character recorded) where the name ends in '_'.
#pragma once
#include <string>
#include <utility>
#include <vector>

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

// Writes a whole medium file through a temporary one beside it (NAME.new),
// moved over it at the end: a failure (a full disk, an interruption) leaves
// what was there. False with *error saying why.
bool WriteMediumFile(const std::string& path, const std::string& bytes, std::string* error);
bool SameIgnoringAZCase(const std::string& a, const std::string& b);

// The medium's files from the product as installed in productFolder (a
// Windows path): the six files and the picture folders under their
// installed names, found without regard to case. The string table's manifest
// drives it: each entry whose medium name ends in '_' is packed with the
// character its installed name ends in, the others copied. A missing or
// ambiguous file fails naming it; files the manifest does not name are left
// out, one line each in report. Nothing is written. False with *error set.
using MediumFiles = std::vector<std::pair<std::string, std::string>>;  // medium name, bytes
bool PackProduct(const std::string& productFolder, MediumFiles& files, std::string& report, std::string* error);
// Writes the files into folder (a Windows path), each as WriteMediumFile does.
bool WriteMedium(const std::string& folder, const MediumFiles& files, std::string* error);

// The mkmedium program: "mkmedium DIR" makes the medium, "mkmedium --check
// DIR" checks one. folderOf turns the argument into the Windows path of a
// folder (making it when make is set), or says why it cannot; nullDevice is
// where a check expands to.
using MediumFolderOf = bool (*)(const char* arg, bool make, std::string& folder, std::string& why);
int MkmediumMain(int argc, char** argv, MediumFolderOf folderOf, const char* nullDevice);
