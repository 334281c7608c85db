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

// Writes the bytes a stream in memory holds (the stream's position is its
// end) into file; false when there are none or not all of them landed.
bool WriteStream(IStream* stream, HANDLE file) {
  LARGE_INTEGER zero;
  zero.QuadPart = 0;
  ULARGE_INTEGER end;
  HGLOBAL global = nullptr;
  if (FAILED(stream->Seek(zero, STREAM_SEEK_CUR, &end)) || end.QuadPart == 0 || end.QuadPart > 0x100000 ||
      FAILED(::GetHGlobalFromStream(stream, &global))) {
    return false;
  }
  const void* bytes = ::GlobalLock(global);
  if (!bytes) return false;
  const DWORD size = static_cast<DWORD>(end.QuadPart);
  DWORD written = 0;
  const bool ok = ::WriteFile(file, bytes, size, &written, nullptr) && written == size;
  ::GlobalUnlock(global);
  return ok && FileSizeOf(file) == static_cast<long long>(size);
}

// The shortcut's file, made in memory by the link object itself.
IStream* SavedLink(IShellLinkA* link) {
  IPersistStream* persist = nullptr;
  IStream* stream = nullptr;
  if (FAILED(link->QueryInterface(IID_IPersistStream, reinterpret_cast<void**>(&persist))) || !persist) {
    return nullptr;
  }
  if (FAILED(::CreateStreamOnHGlobal(nullptr, TRUE, &stream)) || !stream) stream = nullptr;
  if (stream && FAILED(persist->Save(stream, TRUE))) {
    stream->Release();
    stream = nullptr;
  }
  persist->Release();
  return stream;
}
}  // namespace

int CInstaller::CreateShortcut(const char* targetPath, const char* linkPath, const char* description) {
  // A shortcut to nothing is none: a program file that is missing is never
  // reported as installed through its shortcuts.
  if (!IsFile(targetPath)) return 0;
  IShellLinkA* link = nullptr;
  HRESULT hr = ::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                  reinterpret_cast<void**>(&link));
  if (FAILED(hr) || !link) return 0;
  link->SetDescription(description);
  link->SetPath(targetPath);
  IStream* saved = SavedLink(link);
  link->Release();
  if (!saved) return 0;
  // A shortcut counts only once its file is written: into a folder that does
  // not exist or cannot be written it is not made. Its bytes go into a
  // temporary file made new beside it, written through the handle that made
  // it (the link object never opens a file by name), and moved over its name,
  // as every file the run writes: a link standing there is replaced, never
  // written through, and a failed write keeps the shortcut there before.
  CTempFile file(linkPath);
  const bool made = file.Create() && WriteStream(saved, file.GetHandle()) && file.Commit();
  saved->Release();
  return made ? 1 : 0;
}
