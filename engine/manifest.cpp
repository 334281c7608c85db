#include "manifest.h"

#include <cctype>
#include <utility>

#include "afxstr.h"
#include "resource.h"
#include "szdd.h"

namespace {
// The extensions a packed name may stand for, each known by its first two
// letters. product/pictures.cmake reads this line to name the pictures it
// draws: keep it one line of three-letter extensions.
const char kPackedExtensions[] = "exe dll doc jpg gif bmp hlp cnt txt ini wav ico png rtf";
}  // namespace

uint8_t RecordedCharacter(const std::string& mediumName) {
  const size_t n = mediumName.size();
  if (n < 5 || mediumName[n - 1] != '_' || mediumName[n - 4] != '.') return 0;
  const auto lower = [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); };
  for (const char* e = kPackedExtensions; *e; e += e[3] ? 4 : 3) {
    if (lower(mediumName[n - 3]) == e[0] && lower(mediumName[n - 2]) == e[1]) return static_cast<uint8_t>(e[2]);
  }
  return 0;
}

std::string InstalledName(const std::string& mediumName) {
  const uint8_t recorded = RecordedCharacter(mediumName);
  return recorded ? SzddExpandedName(mediumName, recorded) : mediumName;
}

bool ReadManifest(std::vector<ManifestEntry>& entries, std::string* error) {
  entries.clear();
  for (UINT id = IDS_FILE_FIRST; id <= IDS_PICTURE_LAST; id = id == IDS_FILE_LAST ? IDS_PICTURE_FIRST : id + 1) {
    CString text;
    if (!text.LoadString(id)) {
      if (error) *error = "string " + std::to_string(id) + " is missing from the string table";
      return false;
    }
    const std::string entry = text.GetString();
    const size_t slash = entry.find_last_of('\\');
    ManifestEntry e{id, slash == std::string::npos ? "" : entry.substr(0, slash),
                    slash == std::string::npos ? entry : entry.substr(slash + 1), ""};
    e.installedName = InstalledName(e.mediumName);
    if (!e.mediumName.empty() && e.mediumName.back() == '_' && e.installedName == e.mediumName) {
      if (error) *error = "string " + std::to_string(id) + ": no installed name is known for " + e.mediumName;
      return false;
    }
    entries.push_back(std::move(e));
  }
  return true;
}
