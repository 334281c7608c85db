// Any bytes as the native registry file: opening the shell-folder key and
// reading its values, with buffers of several sizes, must answer with a
// result code and never write past the buffer it is given.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include "lumiwin.h"

namespace {
std::string g_file;
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  char tmpl[] = "/tmp/lumifuzz-reg-XXXXXX";
  int fd = mkstemp(tmpl);
  if (fd < 0) std::abort();
  close(fd);
  g_file = tmpl;
  setenv("LUMIROLL_REGISTRY", tmpl, 1);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  {
    std::ofstream out(g_file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  const char* keys[] = {"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", "", "A"};
  for (const char* k : keys) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, k, 0, KEY_READ, &key) != ERROR_SUCCESS) continue;
    for (const char* name : {"Desktop", "Programs", "", "x"}) {
      DWORD type = 0, need = 0;
      if (RegQueryValueExA(key, name, nullptr, &type, nullptr, &need) != ERROR_SUCCESS) continue;
      for (DWORD room : {0u, 1u, 149u, 150u, need}) {
        // A guard zone after the room given shows any write past it.
        std::string buf(room + 16, '\x5A');
        DWORD size = room;
        LONG r = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&buf[0]), &size);
        for (size_t i = room; i < buf.size(); ++i) {
          if (buf[i] != '\x5A') std::abort();
        }
        if (r == ERROR_SUCCESS && size > room) std::abort();
        if (r != ERROR_SUCCESS && r != ERROR_MORE_DATA) std::abort();
      }
    }
    RegCloseKey(key);
  }
  return 0;
}
