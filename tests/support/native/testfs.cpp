#include "testfs.h"
#include "testmachine.h"

#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "lumistandin.h"

namespace {
std::string g_root;

int RemoveEntry(const char* p, const struct stat*, int, struct FTW*) { return std::remove(p); }

void RemoveHostTree(const std::string& host) { nftw(host.c_str(), RemoveEntry, 16, FTW_DEPTH | FTW_PHYS); }

void Cleanup() {
  if (!g_root.empty()) RemoveHostTree(g_root);
}

std::string Host(const std::string& win) {
  std::string host;
  return LumiMapPath(win.c_str(), host) ? host : std::string("/nonexistent-drive");
}
}  // namespace

std::string ScratchFolder() {
  static int counter = 0;
  if (g_root.empty()) {
    char tmpl[] = "/tmp/lumitest-XXXXXX";
    if (!mkdtemp(tmpl)) std::abort();
    g_root = tmpl;
    setenv("LUMIROLL_DRIVE_T", tmpl, 1);
    std::atexit(Cleanup);
  }
  std::string win = "T:\\s" + std::to_string(++counter);
  mkdir(Host(win).c_str(), 0777);
  return win;
}

bool PutFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(Host(path), std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

bool GetFile(const std::string& path, std::string& bytes) {
  std::ifstream in(Host(path), std::ios::binary);
  if (!in) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return true;
}

bool PathExists(const std::string& path) {
  struct stat st;
  return stat(Host(path).c_str(), &st) == 0;
}

bool IsFolder(const std::string& path) {
  struct stat st;
  return stat(Host(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool MakeFolder(const std::string& path) { return mkdir(Host(path).c_str(), 0777) == 0; }
bool RemoveFile(const std::string& path) { return std::remove(Host(path).c_str()) == 0; }
void RemoveTree(const std::string& path) { RemoveHostTree(Host(path)); }

unsigned long ProcessId() { return static_cast<unsigned long>(getpid()); }

namespace {
std::string RegistryFile() {
  std::string scratch = ScratchFolder();
  return Host(scratch) + "/registry.reg";
}
std::string Escaped(const char* s) {
  std::string out;
  for (; *s; ++s) {
    if (*s == '\\' || *s == '"') out += '\\';
    out += *s;
  }
  return out;
}
}  // namespace

void SetShellFolders(const char* desktop, const char* programs) {
  std::string file = RegistryFile();
  std::ofstream out(file, std::ios::binary);
  out << "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell "
         "Folders]\r\n";
  if (desktop) out << "\"Desktop\"=\"" << Escaped(desktop) << "\"\r\n";
  if (programs) out << "\"Programs\"=\"" << Escaped(programs) << "\"\r\n";
  out << "\"Personal\"=\"C:\\\\My Documents\"\r\n";
  setenv("LUMIROLL_REGISTRY", file.c_str(), 1);
}

void SetShellFoldersKeyMissing() {
  std::string file = RegistryFile();
  std::ofstream out(file, std::ios::binary);
  out << "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Other]\r\n\"Desktop\"=\"C:\\\\x\"\r\n";
  setenv("LUMIROLL_REGISTRY", file.c_str(), 1);
}

bool PutLink(const std::string& path, const std::string& target, bool hard) {
  const std::string from = Host(target), at = Host(path);
  return (hard ? link(from.c_str(), at.c_str()) : symlink(from.c_str(), at.c_str())) == 0;
}

bool SetReadOnly(const std::string& path, bool readOnly) {
  struct stat st;
  std::string host = Host(path);
  if (stat(host.c_str(), &st) != 0) return false;
  mode_t mode = readOnly ? (st.st_mode & ~static_cast<mode_t>(0222)) : (st.st_mode | S_IWUSR);
  return chmod(host.c_str(), mode & 07777) == 0;
}
bool LinksCanBeMade() { return true; }
bool ReadOnlyFoldersRefuseWriting() { return true; }
bool LimitDiskSpace(const std::string& folder, long long bytesLeft) { return LumiSetDiskSpace(folder, bytesLeft); }
bool ReportNoWindowsFolder(bool none) {
  LumiSetWindowsDir(none ? nullptr : kLumiDefaultWindowsDir);
  return true;
}
