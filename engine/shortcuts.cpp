// The desktop and Programs shortcuts, from the per-user shell folders.
#include "installer.h"
#include "tempfile.h"

namespace {
const char kShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr DWORD kValueBuffer = 150;

// Whether path names a folder from the top of a drive or a share (C:\...,
// \\server\...): anything else would be taken from the current folder.
bool IsFullPath(const char* path) {
  const bool letter = (path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z');
  return (letter && path[1] == ':' && path[2] == '\\') || (path[0] == '\\' && path[1] == '\\');
}

// Reads a shell folder value as text up to its NUL; false when it is
// missing, does not fit the buffer with its terminator, or is no full path
// (an empty or relative value would put the shortcut in the current folder).
bool ReadFolder(HKEY key, const char* value, char (&buffer)[kValueBuffer]) {
  DWORD size = kValueBuffer;
  if (::RegQueryValueExA(key, value, nullptr, nullptr, reinterpret_cast<LPBYTE>(buffer), &size) != ERROR_SUCCESS) {
    return false;
  }
  if (size < kValueBuffer) {
    buffer[size] = 0;  // a value stored without its NUL
  } else if (buffer[kValueBuffer - 1] != 0) {
    return false;  // 150 bytes without a NUL: 150 characters, too long, never cut
  }
  return IsFullPath(buffer);
}
}  // namespace

int CInstaller::CreateShortcuts(const char* fileName, const char* title) {
  int count = 0;
  HKEY key = nullptr;
  // Only read here, so read access is all that is asked for: a user who may
  // not write the key still gets the shortcuts.
  if (::RegOpenKeyExA(HKEY_CURRENT_USER, kShellFolders, 0, KEY_READ, &key) != ERROR_SUCCESS) return 0;
  CString target = JoinPath(m_szTargetDir, fileName);
  CString linkName = CString(title) + ".lnk";
  char buffer[kValueBuffer];
  if (ReadFolder(key, "Desktop", buffer) && CreateShortcut(target, JoinPath(buffer, linkName), title)) count = 1;
  if (ReadFolder(key, "Programs", buffer) && CreateShortcut(target, JoinPath(buffer, linkName), title)) ++count;
  ::RegCloseKey(key);
  return count;
}

namespace {
// Whether path names a file (not a folder) that exists now.
bool IsFile(const char* path) {
  const DWORD attr = ::GetFileAttributesA(path);
  return attr != INVALID_FILE_ATTRIBUTES && !(attr & FILE_ATTRIBUTE_DIRECTORY);
}

// The size of the file at path, or -1 when it cannot be opened.
long long FileSize(const char* path) {
  HANDLE h = ::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return -1;
  const long long size = FileSizeOf(h);
  ::CloseHandle(h);
  return size;
}
}  // namespace

int CInstaller::CreateShortcut(const char* targetPath, const char* linkPath, const char* description) {
  int result = 0;
  // A shortcut to nothing is none: a program file that is missing is never
  // reported as installed through its shortcuts.
  if (!IsFile(targetPath)) return 0;
  IShellLinkA* link = nullptr;
  HRESULT hr = ::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                  reinterpret_cast<void**>(&link));
  if (FAILED(hr) || !link) return 0;
  link->SetDescription(description);
  link->SetPath(targetPath);
  IPersistFile* file = nullptr;
  hr = link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
  if (SUCCEEDED(hr) && file) {
    // A shortcut counts only once its file is written: a Save into a folder
    // that does not exist or cannot be written is not a shortcut made. It is
    // saved into a temporary file made new beside it and moved over its name,
    // as every file the run writes: a link standing there is replaced, never
    // written through, and a failed save keeps the shortcut there before.
    const CString temp = JoinPath(GetDirPart(linkPath), kTempName);
    WCHAR wide[260];
    HANDLE h = ::MultiByteToWideChar(CP_ACP, 0, temp, -1, wide, 260) > 0 ? CreateTempFile(temp) : INVALID_HANDLE_VALUE;
    if (h != INVALID_HANDLE_VALUE) {
      ::CloseHandle(h);
      if (SUCCEEDED(file->Save(wide, TRUE)) && FileSize(temp) > 0 &&
          ::MoveFileExA(temp, linkPath, MOVEFILE_REPLACE_EXISTING)) {
        result = 1;
      } else {
        ::DeleteFileA(temp);
      }
    }
    file->Release();
  }
  link->Release();
  return result;
}
