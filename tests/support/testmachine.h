// The machine a test runs on, as tests arrange it, the same in both builds:
// the sample medium beside the program, the per-user shell folders, the
// Windows folder, and this process.
#pragma once
#include <string>

// The sample medium in the test program's own folder, the installer's source.
bool LaySampleMedium(std::string* error);

// This process's identity.
unsigned long ProcessId();

// The per-user shell folders the shortcuts go to; nullptr leaves the value
// out. The key itself is absent after SetShellFoldersKeyMissing().
void SetShellFolders(const char* desktop, const char* programs);
void SetShellFoldersKeyMissing();

// Makes the platform report no Windows folder, or its own again (natively
// only); false where that cannot be arranged.
bool ReportNoWindowsFolder(bool none);
