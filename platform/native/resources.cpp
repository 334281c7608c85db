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

namespace {
// The files the program carries, read once from the linked-in list.
const std::vector<RcSource>& ModuleFiles() {
  static const std::vector<RcSource> files = [] {
    std::vector<RcSource> out;
    if (&lumi_module_resources_size == nullptr || lumi_module_resources == nullptr) return out;
    const unsigned char* p = lumi_module_resources;
    const unsigned char* end = p + lumi_module_resources_size;
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
  }();
  return files;
}
}  // namespace

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
