// The names of SZDD files: what LZ32 makes of a compressed file's name, the
// name it looks for when a file is missing, and the medium's name for a
// file. Paths go by characters of the code page that isLead describes, so a
// trail byte is never taken for a separator or a letter.
#include <cctype>

#include "szdd.h"

namespace {
bool SingleByte(unsigned char) { return false; }
}  // namespace

size_t SzddFilePartOffset(const std::string& path, bool (*isLead)(unsigned char)) {
  if (!isLead) isLead = SingleByte;
  size_t off = 0;
  for (size_t i = 0; i < path.size(); ++i) {
    if (isLead(static_cast<unsigned char>(path[i])) && i + 1 < path.size()) {
      ++i;
    } else if (path[i] == '\\' || path[i] == '/' || path[i] == ':') {
      off = i + 1;
    }
  }
  return off;
}

std::string SzddExpandedName(const std::string& path, uint8_t recorded, bool (*isLead)(unsigned char)) {
  if (!isLead) isLead = SingleByte;
  // By characters through the file part: whether it has a '.', whether its
  // last character is a '_' of its own, and the case of the last letter
  // before that.
  bool dot = false, underscore = false, upper = false;
  for (size_t i = SzddFilePartOffset(path, isLead); i < path.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(path[i]);
    underscore = false;
    if (isLead(c) && i + 1 < path.size()) {
      ++i;
      continue;
    }
    dot = dot || c == '.';
    if (i + 1 == path.size()) {
      underscore = c == '_';
    } else if (c < 0x80 && std::isalpha(c)) {
      upper = std::isupper(c) != 0;
    }
  }
  if (!dot || !underscore) return path;
  std::string out = path;
  if (recorded == 0) {
    out.pop_back();
  } else {
    out.back() =
        static_cast<char>(recorded < 0x80 ? (upper ? std::toupper(recorded) : std::tolower(recorded)) : recorded);
  }
  return out;
}

std::string SzddCompressedForm(const std::string& path, bool (*isLead)(unsigned char)) {
  const size_t file = SzddFilePartOffset(path, isLead);
  const size_t dot = path.find_last_of('.');
  if (dot == std::string::npos || dot < file) return path + "._";
  if (path.size() - dot - 1 >= 3) {
    std::string s = path;
    s.back() = '_';
    return s;
  }
  return path + "_";
}

bool SzddCompressedName(const std::string& fileName, std::string& compressed, uint8_t& recorded,
                        bool (*isLead)(unsigned char)) {
  if (fileName.empty() || fileName.back() == '_') return false;
  compressed = SzddCompressedForm(fileName, isLead);
  // An extension's last character gave way to the '_': the header records it.
  recorded = compressed.size() == fileName.size() ? static_cast<uint8_t>(fileName.back()) : 0;
  return true;
}
