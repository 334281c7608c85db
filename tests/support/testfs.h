// File helpers for tests, on Windows paths, the same in both builds.
#pragma once
#include <string>

// A fresh empty folder for one test (no trailing backslash).
std::string ScratchFolder();
// A fresh empty subfolder of the test program's own folder, which is the
// installer's source folder: returns its name relative to that folder.
std::string SourceSubfolder();
// The test program's own folder, with a trailing backslash.
std::string ProgramFolder();

bool PutFile(const std::string& path, const std::string& bytes);
bool GetFile(const std::string& path, std::string& bytes);
bool PathExists(const std::string& path);
bool IsFolder(const std::string& path);
bool MakeFolder(const std::string& path);
bool RemoveFile(const std::string& path);
// Removes a folder and everything in it.
void RemoveTree(const std::string& path);

// Puts at path a link to the file target: a hard link, or a symbolic one
// (under Wine made from the host side); false where the platform cannot.
bool PutLink(const std::string& path, const std::string& target, bool hard);
// Whether PutLink must succeed here: natively and under Wine it can always
// make both kinds (on Windows itself it needs rights a test may lack).
bool LinksCanBeMade();

// Makes a file refuse writing, or allows it again: natively by taking or
// giving its write permission (which the stand-ins honour for every user, and
// for folders too), on Windows with the read-only attribute.
bool SetReadOnly(const std::string& path, bool readOnly);
// Whether a folder can be made to refuse new entries (natively only).
bool ReadOnlyFoldersRefuseWriting();
// Leaves the disk of folder bytesLeft bytes for the files in it, as a disk
// filling up (a negative number lifts the limit); false where the platform
// cannot arrange it (natively it can).
bool LimitDiskSpace(const std::string& folder, long long bytesLeft);
