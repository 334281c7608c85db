#include "testfs.h"
#include "testmachine.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>

std::string ScratchFolder() {
  static int counter = 0;
  char tmp[MAX_PATH];
  DWORD n = GetTempPathA(sizeof tmp, tmp);
  std::string base = (n > 0 && n < sizeof tmp) ? std::string(tmp) : std::string("C:\\");
  if (base.back() != '\\') base += '\\';
  // Made new: what an earlier run left under the name and cannot be removed
  // (Wine gives every run the same process id) moves this one to the next.
  std::string dir;
  do {
    dir = base + "lumitest" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++counter);
    RemoveTree(dir);
  } while (!CreateDirectoryA(dir.c_str(), nullptr) && counter < 1000);
  return dir;
}

bool PutFile(const std::string& path, const std::string& bytes) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  DWORD done = 0;
  BOOL ok = bytes.empty() || WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr);
  CloseHandle(h);
  return ok && done == bytes.size();
}

bool GetFile(const std::string& path, std::string& bytes) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  bytes.clear();
  char buf[65536];
  DWORD got = 0;
  while (ReadFile(h, buf, sizeof buf, &got, nullptr) && got > 0) bytes.append(buf, got);
  CloseHandle(h);
  return true;
}

bool PathExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool IsFolder(const std::string& path) {
  DWORD a = GetFileAttributesA(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool MakeFolder(const std::string& path) { return CreateDirectoryA(path.c_str(), nullptr) != 0; }
bool RemoveFile(const std::string& path) { return DeleteFileA(path.c_str()) != 0; }

void RemoveTree(const std::string& path) {
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA((path + "\\*").c_str(), &fd);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      std::string n = fd.cFileName;
      if (n == "." || n == "..") continue;
      std::string p = path + "\\" + n;
      if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(p);
      } else {
        SetFileAttributesA(p.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(p.c_str());
      }
    } while (FindNextFileA(h, &fd));
    FindClose(h);
  }
  RemoveDirectoryA(path.c_str());
}

unsigned long ProcessId() { return GetCurrentProcessId(); }

namespace {
const char kShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
void SetOrDelete(HKEY key, const char* name, const char* value) {
  if (value) {
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value), static_cast<DWORD>(strlen(value) + 1));
  } else {
    RegDeleteValueA(key, name);
  }
}

// The prefix's own values, put back when the test program ends.
std::string g_savedDesktop, g_savedPrograms;
bool g_saved = false;

bool ReadValue(HKEY key, const char* name, std::string& out) {
  char buf[MAX_PATH];
  DWORD size = sizeof buf;
  if (RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(buf), &size) != ERROR_SUCCESS) return false;
  out.assign(buf, size && buf[size - 1] == 0 ? size - 1 : size);
  return true;
}

void Restore() {
  HKEY key;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, kShellFolders, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) ==
      ERROR_SUCCESS) {
    SetOrDelete(key, "Desktop", g_savedDesktop.empty() ? nullptr : g_savedDesktop.c_str());
    SetOrDelete(key, "Programs", g_savedPrograms.empty() ? nullptr : g_savedPrograms.c_str());
    RegCloseKey(key);
  }
}
}  // namespace

void SetShellFolders(const char* desktop, const char* programs) {
  HKEY key;
  if (!g_saved && RegOpenKeyExA(HKEY_CURRENT_USER, kShellFolders, 0, KEY_READ, &key) == ERROR_SUCCESS) {
    ReadValue(key, "Desktop", g_savedDesktop);
    ReadValue(key, "Programs", g_savedPrograms);
    RegCloseKey(key);
    g_saved = true;
    atexit(Restore);
  }
  if (RegCreateKeyExA(HKEY_CURRENT_USER, kShellFolders, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
      ERROR_SUCCESS) {
    return;
  }
  SetOrDelete(key, "Desktop", desktop);
  SetOrDelete(key, "Programs", programs);
  RegCloseKey(key);
}

void SetShellFoldersKeyMissing() { RegDeleteKeyA(HKEY_CURRENT_USER, kShellFolders); }

namespace {
// The host path of a Windows path under Wine; empty elsewhere.
std::string HostPath(const std::string& path) {
  typedef char*(CDECL * UnixName)(LPCWSTR);
  auto unixName = reinterpret_cast<UnixName>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
  WCHAR wide[MAX_PATH];
  if (!unixName || !MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH)) return "";
  char* host = unixName(wide);
  if (!host) return "";
  std::string out = host;
  HeapFree(GetProcessHeap(), 0, host);
  return out;
}
}  // namespace

// Wine's own symbolic links are no links on the host: one is made there, by
// the host's ln, which Wine starts as it starts any program of the host.
bool PutLink(const std::string& path, const std::string& target, bool hard) {
  if (hard) return CreateHardLinkA(path.c_str(), target.c_str(), nullptr) != 0;
  const std::string from = HostPath(target), at = HostPath(path);
  if (from.empty() || at.empty()) return false;
  // Wine splits a host program's command line by Windows rules: double quotes.
  std::string command = "/bin/ln -s \"" + from + "\" \"" + at + "\"";
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return false;
  // For a host program Wine gives no process handle, and its thread handle
  // field holds a handle of this process that is not the program's (once the
  // handle of the calling thread, once the classes root key that COM keeps
  // open, which closed made every later shortcut "class not registered"):
  // only handles of a real process are waited for and closed.
  if (pi.hProcess) {
    WaitForSingleObject(pi.hProcess, 30000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
  }
  // The program can end after its process handle says so, or give none.
  for (int i = 0; i < 200 && !PathExists(path); ++i) Sleep(50);
  return PathExists(path);
}

bool SetReadOnly(const std::string& path, bool readOnly) {
  DWORD a = GetFileAttributesA(path.c_str());
  if (a == INVALID_FILE_ATTRIBUTES) return false;
  a = readOnly ? (a | FILE_ATTRIBUTE_READONLY) : (a & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
  return SetFileAttributesA(path.c_str(), a) != 0;
}

// Under Wine, whose ntdll says so, the host makes the links.
bool LinksCanBeMade() {
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// The read-only attribute of a folder does not keep files out of it.
bool ReadOnlyFoldersRefuseWriting() { return false; }
bool LimitDiskSpace(const std::string&, long long) { return false; }
bool ReportNoWindowsFolder(bool none) { return !none; }
