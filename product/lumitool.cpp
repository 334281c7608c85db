#include "lumitool.h"

#include <cstring>
#include <string>
#include <vector>

#include "categories.h"

namespace {
constexpr DWORD kMaxList = 64u << 20;  // bytes: 200,000 categories and more

void Say(char* why, int size, const std::string& text) {
  if (!why || size <= 0) return;
  const size_t n = text.size() < static_cast<size_t>(size - 1) ? text.size() : static_cast<size_t>(size - 1);
  std::memcpy(why, text.data(), n);
  why[n] = 0;
}

bool ReadWhole(const std::string& path, std::vector<uint8_t>& bytes, std::string& why) {
  HANDLE h =
      CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    why = "cannot open it (Windows error " + std::to_string(GetLastError()) + ")";
    return false;
  }
  DWORD high = 0;
  const DWORD size = GetFileSize(h, &high);
  bool ok = high == 0 && size <= kMaxList;
  if (!ok) why = "larger than a category list can be";
  bytes.resize(ok ? size : 0);
  DWORD got = 0;
  if (ok && size > 0 && (!ReadFile(h, bytes.data(), size, &got, nullptr) || got != size)) {
    why = "cannot read it";
    ok = false;
  }
  CloseHandle(h);
  return ok;
}
}  // namespace

extern "C" int WINAPI LumiReadCategoryLists(const char* folder, LumiCategoryItem* items, int max, char* why,
                                            int whySize) {
  int n = 0;
  for (const char* list : {"Photos.dat", "Bkgnds.dat"}) {
    const std::string path = std::string(folder ? folder : "") + list;
    std::vector<uint8_t> bytes;
    std::vector<Category> read;
    std::string problem;
    if (!ReadWhole(path, bytes, problem) || !ReadCategories(bytes.data(), bytes.size(), read, problem)) {
      Say(why, whySize, path + ": " + problem);
      return -1;
    }
    for (const Category& c : read) {
      if (items && n < max) {
        std::memset(&items[n], 0, sizeof items[n]);
        std::strncpy(items[n].folder, c.folder.c_str(), sizeof items[n].folder - 1);
        std::strncpy(items[n].name, c.name.c_str(), sizeof items[n].name - 1);
      }
      ++n;
    }
  }
  return n;
}
