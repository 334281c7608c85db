// The resources the program carries: its files (the .rc script, its headers,
// bitmaps and icon), linked in from res/, the script read from them once,
// and LoadStringA over its string table.
#include <cstring>
#include <string>
#include <vector>

#include "lumiwin.h"
#include "rcscript.h"

// The program's resource files, linked in from res/ as name, NUL, 4-byte
// length, bytes, NUL; programs without resources link none.
extern const unsigned char lumi_module_resources[] __attribute__((weak));
extern const unsigned long lumi_module_resources_size __attribute__((weak));

// The setup program's own resources (its catalog slot, named as its RCDATA
// resource), linked in the same way into that program alone.
extern const unsigned char lumi_program_resources[] __attribute__((weak));
extern const unsigned long lumi_program_resources_size __attribute__((weak));

namespace {
// The files of one linked-in list.
std::vector<RcSource> FilesOf(const unsigned char* list, const unsigned long* listSize) {
  std::vector<RcSource> out;
  if (listSize == nullptr || list == nullptr) return out;
  const unsigned char* p = list;
  const unsigned char* end = p + *listSize;
  while (p < end && *p) {
    const unsigned char* nameEnd = static_cast<const unsigned char*>(std::memchr(p, 0, static_cast<size_t>(end - p)));
    if (!nameEnd || end - nameEnd < 5) break;
    RcSource f;
    f.name.assign(reinterpret_cast<const char*>(p), static_cast<size_t>(nameEnd - p));
    const unsigned char* q = nameEnd + 1;
    size_t len = q[0] | q[1] << 8 | q[2] << 16 | static_cast<size_t>(q[3]) << 24;
    q += 4;
    if (static_cast<size_t>(end - q) < len + 1) break;
    f.text.assign(reinterpret_cast<const char*>(q), len);
    out.push_back(f);
    p = q + len + 1;
  }
  return out;
}

// The files the program carries, read once from the linked-in list.
const std::vector<RcSource>& ModuleFiles() {
  static const std::vector<RcSource> files = FilesOf(lumi_module_resources, &lumi_module_resources_size);
  return files;
}

const std::vector<RcSource>& ProgramFiles() {
  static const std::vector<RcSource> files = FilesOf(lumi_program_resources, &lumi_program_resources_size);
  return files;
}
}  // namespace

// A resource of the program's own is one of its linked-in files, named as
// the resource is; only named RCDATA resources are served.
HRSRC WINAPI FindResourceA(HMODULE, LPCSTR name, LPCSTR type) {
  if (type != RT_RCDATA || !name || reinterpret_cast<uintptr_t>(name) <= 0xFFFF) return nullptr;
  for (const RcSource& f : ProgramFiles()) {
    if (f.name == name) return reinterpret_cast<HRSRC>(const_cast<RcSource*>(&f));
  }
  return nullptr;
}

HGLOBAL WINAPI LoadResource(HMODULE, HRSRC found) { return found; }

LPVOID WINAPI LockResource(HGLOBAL loaded) {
  return loaded ? const_cast<char*>(reinterpret_cast<RcSource*>(loaded)->text.data()) : nullptr;
}

DWORD WINAPI SizeofResource(HMODULE, HRSRC found) {
  return found ? static_cast<DWORD>(reinterpret_cast<RcSource*>(found)->text.size()) : 0;
}

const std::string* LumiModuleFile(const std::string& name) {
  for (const RcSource& f : ModuleFiles()) {
    if (f.name == name) return &f.text;
  }
  return nullptr;
}

const RcScript& LumiModuleScript() {
  static RcScript script = [] {
    RcScript s;
    std::vector<RcSource> sources;
    // The script itself first; its headers are found by #include.
    for (const RcSource& f : ModuleFiles()) {
      const std::string& nm = f.name;
      bool rc = nm.size() > 3 && nm.compare(nm.size() - 3, 3, ".rc") == 0;
      bool header = nm.size() > 2 && nm.compare(nm.size() - 2, 2, ".h") == 0;
      if (rc) sources.insert(sources.begin(), f);
      if (header) sources.push_back(f);
    }
    if (!sources.empty()) s.Parse(sources);
    return s;
  }();
  return script;
}

int WINAPI LoadStringA(HINSTANCE, UINT id, LPSTR buffer, int cchBufferMax) {
  if (!buffer || cchBufferMax <= 0) return 0;
  const auto& strings = LumiModuleScript().Strings();
  auto it = strings.find(id);
  if (it == strings.end()) {
    buffer[0] = 0;
    return 0;
  }
  size_t n = it->second.size();
  if (n > static_cast<size_t>(cchBufferMax - 1)) n = static_cast<size_t>(cchBufferMax - 1);
  std::memcpy(buffer, it->second.data(), n);
  buffer[n] = 0;
  return static_cast<int>(n);
}
