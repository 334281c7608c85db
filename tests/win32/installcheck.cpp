// The installed tree, as wizdriver's check command reads it: every manifest
// file as packed, both category lists byte for byte, both links as the shell
// reads them.
#include <windows.h>

#include <objbase.h>
#include <shlobj.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "category.h"
#include "lumiids.h"
#include "manifest.h"
#include "medium.h"
#include "testfs.h"
#include "wizdriver.h"

namespace {
// A category list as the install writes it into folder.
std::string CategoryFile(const CategoryList& list, const std::string& folder, const char* windows) {
  uint8_t header[kCategoryHeaderSize];
  FillCategoryHeader(header, kCategoriesPerList);
  CategoryRecord records[kCategoriesPerList];
  FillCategoryRecords(list, folder.c_str(), windows, records);
  return std::string(reinterpret_cast<const char*>(header), sizeof header) +
         std::string(reinterpret_cast<const char*>(records), sizeof records);
}

std::string ShellFolder(const char* value) {
  HKEY key;
  char buf[MAX_PATH] = "";
  DWORD size = sizeof buf;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", 0,
                    KEY_READ, &key) == ERROR_SUCCESS) {
    RegQueryValueExA(key, value, nullptr, nullptr, reinterpret_cast<BYTE*>(buf), &size);
    RegCloseKey(key);
  }
  return buf;
}

}  // namespace

std::string LinkIn(const char* shellFolder) { return ShellFolder(shellFolder) + "\\Lumiscroll Wallpaper Wizard.lnk"; }

namespace {
// A medium file as the platform's LZ32 expands it.
bool Expanded(const std::string& path, std::string& out) {
  OFSTRUCT of;
  INT h = LZOpenFileA(const_cast<char*>(path.c_str()), &of, OF_READ);
  if (h < 0) return false;
  char buf[65536];
  INT n;
  out.clear();
  while ((n = LZRead(h, buf, sizeof buf)) > 0) out.append(buf, static_cast<size_t>(n));
  LZClose(h);
  return n == 0;
}
}  // namespace

int CheckInstall(const std::string& folder, const std::string& medium) {
  int bad = 0;
  auto fail = [&bad](const std::string& what) {
    std::printf("FAIL: %s\n", what.c_str());
    ++bad;
  };
  int files = 0;
  std::vector<ManifestEntry> manifest;
  std::string error;
  if (!ReadManifest(manifest, &error)) fail(error);
  for (const ManifestEntry& m : manifest) {
    const std::string& name = m.mediumName;
    const std::string sub = m.subfolder.empty() ? "" : "\\" + m.subfolder, expanded = m.installedName;
    std::string got, want = SampleContents(expanded);
    if (!medium.empty() && !Expanded(medium + "\\" + name, want)) {
      fail("LZ32 cannot expand the medium's " + name);
    } else if (!GetFile(folder + sub + "\\" + expanded, got)) {
      fail("missing " + sub + "\\" + expanded);
    } else if (got != want) {
      fail("contents differ: " + expanded);
    } else {
      ++files;
    }
  }
  char windows[MAX_PATH];
  GetWindowsDirectoryA(windows, MAX_PATH);
  for (const CategoryList& list : kCategoryLists) {
    std::string got;
    if (!GetFile(folder + "\\" + list.file, got) || got != CategoryFile(list, folder, windows)) {
      fail(std::string("category list ") + list.file);
    }
  }
  CoInitialize(nullptr);
  const std::string target = folder + "\\Lumiroll.exe";
  for (const char* where : {"Desktop", "Programs"}) {
    std::string link = LinkIn(where);
    IShellLinkA* sl = nullptr;
    IPersistFile* pf = nullptr;
    char path[MAX_PATH] = "", description[MAX_PATH] = "";
    WCHAR wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, link.c_str(), -1, wide, MAX_PATH);
    if (CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                         reinterpret_cast<void**>(&sl)) == S_OK &&
        sl->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&pf)) == S_OK && pf->Load(wide, 0) == S_OK) {
      sl->GetPath(path, MAX_PATH, nullptr, 0);
      sl->GetDescription(description, MAX_PATH);
    }
    if (pf) pf->Release();
    if (sl) sl->Release();
    if (lstrcmpiA(path, target.c_str()) != 0) fail(link + " points at '" + path + "'");
    if (std::strcmp(description, "Lumiscroll Wallpaper Wizard") != 0)
      fail(link + " is described '" + description + "'");
    if (!bad) std::printf("link %s -> %s (%s)\n", link.c_str(), path, description);
  }
  CoUninitialize();
  std::printf("installed: %d of %d files as packed, both category lists%s\n", files, static_cast<int>(manifest.size()),
              bad ? "" : ", both links");
  return bad ? 1 : 0;
}
