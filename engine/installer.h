// CInstaller: the install engine. Knows the source folder (the setup
// program's own), the target folder and the Windows folder, and keeps the
// last message, the engine's one status text. Keeps OLE initialised on its
// thread for as long as it lives.
#pragma once
#include "afxstr.h"
#include "tempfile.h"

// Folder of the program's own file with a trailing backslash, or empty.
CString GetModuleDir();
// The program's own file, as the module knows it.
CString GetModulePath();
// The same rule applied to a given module path (cut to the 199 characters
// the module path buffer holds).
CString ModuleDirOf(const char* modulePath);

class CInstaller {
 public:
  CInstaller();
  virtual ~CInstaller();
  CInstaller(const CInstaller&) = delete;
  CInstaller& operator=(const CInstaller&) = delete;

  CString GetLastMessage() const { return m_strLastMessage; }
  // Replaces the last message (for the install run's own reports).
  void SetLastMessage(const char* text) { m_strLastMessage = text; }
  CString GetWindowsDir() const { return m_szWindowsDir; }
  CString GetTargetDir() const { return m_szTargetDir; }

  // Path rules: text only, never the file system.
  CString JoinPath(const char* dir, const char* name) const;
  CString GetDirPart(const char* path) const;
  CString GetFilePart(const char* path) const;

  // Makes dir the target folder and creates it with any missing parents.
  // 1 on success; 0 with the last message set.
  int SetInstallDir(const char* dir);
  // Creates path and its missing parents: 1 when made or already there.
  int CreateDirTree(const char* path);
  // Expands (or copies) name from the source folder into the target folder
  // under its expanded name. 1 when the file is in place; 0 with the last
  // message naming the file, and an existing file of that name untouched.
  int ExpandFile(const char* name);

  // Makes the desktop and Programs shortcuts, named title + ".lnk", to
  // fileName in the target folder; returns how many were made (0 to 2).
  int CreateShortcuts(const char* fileName, const char* title);
  // Writes one shell link file at linkPath to targetPath: 1 when saved.
  int CreateShortcut(const char* targetPath, const char* linkPath, const char* description);

  // TRUE when the shell's Active Desktop object can be created now.
  BOOL IsActiveDesktopAvailable();

  // Limits of the fixed buffers.
  static constexpr int kMaxFolder = 259;    // folder fields: 260 with the NUL
  static constexpr int kMaxFilePath = 255;  // expansion paths: 256 with the NUL
  // LZ32 opens paths of at most 127 characters (its OFSTRUCT holds 128).
  static constexpr int kMaxLzPath = OFS_MAXPATHNAME - 1;
  // The name a file is expanded under in the target folder until it is
  // whole (the temporary file every file goes through).
  static constexpr const char* kTempName = kTempFileName;

 protected:
  char m_szSourceDir[260];
  char m_szTargetDir[260];
  char m_szWindowsDir[260];
  CString m_strLastMessage;
};
