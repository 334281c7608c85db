// Native stand-in for the per-user registry, read only, from a REGEDIT4
// text file: [HKEY_CURRENT_USER\...] sections and "Name"="value" lines with
// \\ and \" escapes (dword:XXXXXXXX values are read as numbers, hex:41,42
// values as bytes without a NUL).
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <map>
#include <sstream>
#include <string>

#include "lumistandin.h"
#include "lumiwin.h"

namespace {

constexpr long kMaxRegistryFile = 16L << 20;

std::string Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

// Reads a quoted text starting at s[i] == '"'; false if it is not closed.
bool Quoted(const std::string& s, size_t& i, std::string& out) {
  out.clear();
  for (++i; i < s.size(); ++i) {
    if (s[i] == '\\' && i + 1 < s.size()) {
      out += s[++i];
    } else if (s[i] == '"') {
      ++i;
      return true;
    } else {
      out += s[i];
    }
  }
  return false;
}

}  // namespace

bool LumiParseRegistry(const std::string& text, const std::string& wanted, LumiRegKey& key) {
  std::istringstream in(text);
  std::string line;
  if (!std::getline(in, line) || line.compare(0, 8, "REGEDIT4") != 0) return false;  // not a registry file
  bool found = false, inKey = false;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == ';') continue;
    if (line[0] == '[') {
      size_t end = line.find(']');
      inKey = end != std::string::npos && Upper(line.substr(1, end - 1)) == wanted;
      found = found || inKey;
      continue;
    }
    if (!inKey || line[0] != '"') continue;
    size_t i = 0;
    std::string name, text;
    if (!Quoted(line, i, name) || i >= line.size() || line[i] != '=') continue;
    ++i;
    if (i < line.size() && line[i] == '"') {
      if (Quoted(line, i, text)) key.values[Upper(name)] = {REG_SZ, text};
    } else if (line.compare(i, 4, "hex:") == 0) {  // bytes as they are, no NUL added
      std::string bytes;
      const char* p = line.c_str() + i + 4;
      for (char* end = nullptr;; p = end + 1) {
        unsigned long v = std::strtoul(p, &end, 16);
        if (end == p || v > 0xFF) break;
        bytes += static_cast<char>(v);
        if (*end != ',') break;
      }
      key.values[Upper(name)] = {REG_BINARY, bytes};
    } else if (line.compare(i, 6, "dword:") == 0) {
      char* end = nullptr;
      unsigned long v = std::strtoul(line.c_str() + i + 6, &end, 16);
      std::string bytes(4, '\0');
      for (int k = 0; k < 4; ++k) bytes[static_cast<size_t>(k)] = static_cast<char>((v >> (8 * k)) & 0xFF);
      key.values[Upper(name)] = {REG_DWORD, bytes};
    }
  }
  return found;
}

int LumiLoadRegistry(std::string& text, std::string& problem) {
  const std::string file = LumiRegistryFile();
  text.clear();
  problem.clear();
  // Opened without waiting, so that a FIFO or a device is refused, not read.
  int fd = open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    if (errno == ENOENT || errno == ENOTDIR) return 0;
    problem = "cannot read the registry file " + file + ": " + std::strerror(errno);
    return -1;
  }
  const std::string tooLarge =
      "the registry file " + file + " is larger than " + std::to_string(kMaxRegistryFile >> 20) + " MB";
  struct stat st;
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    problem = "the registry file " + file + " is not a regular file";
  } else if (st.st_size > kMaxRegistryFile) {
    problem = tooLarge;
  } else {
    char buf[1 << 16];
    ssize_t n;
    while ((n = read(fd, buf, sizeof buf)) > 0 && text.size() <= static_cast<size_t>(kMaxRegistryFile)) {
      text.append(buf, static_cast<size_t>(n));
    }
    if (n < 0) {
      problem = "cannot read the registry file " + file + ": " + std::strerror(errno);
    } else if (text.size() > static_cast<size_t>(kMaxRegistryFile)) {  // it grew while being read
      problem = tooLarge;
    }
  }
  close(fd);
  if (!problem.empty()) text.clear();
  return problem.empty() ? 1 : -1;
}

LONG WINAPI RegOpenKeyExA(HKEY root, LPCSTR subKey, DWORD, REGSAM, PHKEY result) {
  if (!result) return ERROR_INVALID_PARAMETER;
  *result = nullptr;
  if (root != HKEY_CURRENT_USER) return ERROR_FILE_NOT_FOUND;  // only the per-user hive is served
  std::string path = "HKEY_CURRENT_USER";
  if (subKey && *subKey) path += std::string("\\") + subKey;
  std::string text, problem;
  int loaded = LumiLoadRegistry(text, problem);
  if (loaded < 0) return ERROR_ACCESS_DENIED;
  auto* key = new LumiRegKey;
  if (loaded == 0 || !LumiParseRegistry(text, Upper(path), *key)) {
    delete key;
    return ERROR_FILE_NOT_FOUND;
  }
  *result = key;
  return ERROR_SUCCESS;
}

LONG WINAPI RegQueryValueExA(HKEY key, LPCSTR name, LPDWORD, LPDWORD type, LPBYTE data, LPDWORD size) {
  if (!key || key == HKEY_CURRENT_USER) return ERROR_INVALID_HANDLE;
  auto it = key->values.find(Upper(name ? name : ""));
  if (it == key->values.end()) return ERROR_FILE_NOT_FOUND;
  const LumiRegKey::Value& v = it->second;
  DWORD need = static_cast<DWORD>(v.data.size() + (v.type == REG_SZ ? 1 : 0));
  if (type) *type = v.type;
  if (!data) {
    if (size) *size = need;
    return ERROR_SUCCESS;
  }
  if (!size) return ERROR_INVALID_PARAMETER;
  if (*size < need) {
    *size = need;
    return ERROR_MORE_DATA;
  }
  std::memcpy(data, v.data.data(), v.data.size());
  if (v.type == REG_SZ) data[v.data.size()] = 0;
  *size = need;
  return ERROR_SUCCESS;
}

LONG WINAPI RegCloseKey(HKEY key) {
  if (!key || key == HKEY_CURRENT_USER) return ERROR_INVALID_HANDLE;
  delete key;
  return ERROR_SUCCESS;
}
