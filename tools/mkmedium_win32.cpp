// mkmedium FOLDER | --check FOLDER: makes or checks the sample distribution
// medium in FOLDER, a Windows path (under Wine, winepath -w gives one for a
// host folder). A check runs the platform's LZ32.
#include <direct.h>
#include <windows.h>

#include <string>

#include "catalog.h"
#include "mkmedium_main.h"

namespace {
bool FolderOf(const char* arg, bool make, std::string& folder, std::string& why) {
  if (make) _mkdir(arg);
  DWORD a = ::GetFileAttributesA(arg);
  if (a == INVALID_FILE_ATTRIBUTES || !(a & FILE_ATTRIBUTE_DIRECTORY)) {
    why = a == INVALID_FILE_ATTRIBUTES ? "no such folder" : "not a folder";
    return false;
  }
  folder = arg;
  return true;
}

// A device, by its attributes; anything else the host has (a FIFO under
// Wine) shows when it is opened.
std::string KindOf(const std::string& path) {
  const DWORD a = ::GetFileAttributesA(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DEVICE) ? "a device" : "";
}
// setup.exe's catalog slot as Windows itself reads the program's
// resources: loaded as data, never run.
bool SlotOf(const std::string& program, std::string& slot, std::string& why) {
  HMODULE module = ::LoadLibraryExA(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (!module) {
    why = "Windows cannot load it as a program's data (error " + std::to_string(::GetLastError()) + ")";
    return false;
  }
  HRSRC found = ::FindResourceA(module, kCatalogResource, RT_RCDATA);
  HGLOBAL loaded = found ? ::LoadResource(module, found) : nullptr;
  const void* bytes = loaded ? ::LockResource(loaded) : nullptr;
  if (bytes) slot.assign(static_cast<const char*>(bytes), ::SizeofResource(module, found));
  ::FreeLibrary(module);
  if (!bytes) why = "it carries no catalog slot";
  return bytes != nullptr;
}

std::string PathOf(const char* arg) { return arg; }
}  // namespace

int main(int argc, char** argv) { return MkmediumMain(argc, argv, {FolderOf, KindOf, "NUL", SlotOf, PathOf}); }
