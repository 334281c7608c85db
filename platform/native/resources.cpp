// Native stand-in for LoadStringA over the script the program carries.
#include <cstring>

#include "lumiwin.h"
#include "rcscript.h"

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
