// Any bytes as the text of the native registry file, in memory: the reader
// must answer without a fault, and what it reads is well formed: names
// upper-cased, one of the three types, a dword of four bytes.
#include <cctype>
#include <cstdlib>
#include <string>

#include "lumistandin.h"
#include "lumiwin.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  for (const char* wanted : {"HKEY_CURRENT_USER\\SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\EXPLORER\\SHELL FOLDERS",
                             "HKEY_CURRENT_USER", "A"}) {
    LumiRegKey key;
    bool found = LumiParseRegistry(text, wanted, key);
    if (!found && !key.values.empty()) std::abort();  // values only from a key that is there
    for (const auto& v : key.values) {
      for (char c : v.first) {
        if (std::toupper(static_cast<unsigned char>(c)) != static_cast<unsigned char>(c)) std::abort();
      }
      if (v.second.type != REG_SZ && v.second.type != REG_BINARY && v.second.type != REG_DWORD) std::abort();
      if (v.second.type == REG_DWORD && v.second.data.size() != 4) std::abort();
    }
  }
  return 0;
}
