// A medium from the product's own files, as the install would lay them out:
// the string table's manifest says which file goes where and in what form.
#include <cctype>
#include <set>
#include <string>
#include <vector>

#include "afxfile.h"
#include "medium.h"
#include "resource.h"
#include "szdd.h"

namespace {

constexpr UINT kMaxProductFile = 256u << 20;  // bytes: far past any file of the product

struct Entry {
  std::string mediumName;  // as the manifest spells it: Lumiroll.ex_
  std::string subfolder;   // "" or the picture folder: Bkgnds1
  std::string found;       // the product's file of it, by its own name
};

// The names in a folder, or none when it cannot be listed.
std::vector<std::string> Listing(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA data;
  HANDLE h = ::FindFirstFileA((folder + "\\*").c_str(), &data);
  if (h == INVALID_HANDLE_VALUE) return names;
  do {
    const std::string name = data.cFileName;
    if (name != "." && name != "..") names.push_back(name);
  } while (::FindNextFileA(h, &data));
  ::FindClose(h);
  return names;
}

// Whether the product's file named installed goes onto the medium as
// mediumName: the same name for a plain entry, the name the compressor gives
// it for a compressed one (case aside, as Windows matches names).
bool Becomes(const std::string& installed, const std::string& mediumName) {
  if (mediumName.empty() || mediumName.back() != '_') return SameIgnoringAZCase(installed, mediumName);
  std::string packed;
  uint8_t recorded = 0;
  return SzddCompressedName(installed, packed, recorded) && SameIgnoringAZCase(packed, mediumName);
}

bool ReadWhole(const std::string& path, std::string& bytes, std::string& why) {
  CFile f;
  CFileException e;
  if (!f.Open(path.c_str(), CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary, &e)) {
    why = "cannot open it (Windows error " + std::to_string(e.m_lOsError) + ")";
    return false;
  }
  try {
    char buf[65536];
    for (UINT n; (n = f.Read(buf, sizeof buf)) > 0;) {
      if (bytes.size() + n > kMaxProductFile) {
        why = "larger than " + std::to_string(kMaxProductFile >> 20) + " MB";
        return false;
      }
      bytes.append(buf, n);
    }
  } catch (CFileException* x) {
    x->Delete();
    why = "cannot read it";
    return false;
  }
  return true;
}

// The manifest's entries, each with the product's file of it; false with
// *error naming the first entry without one, or with two.
bool Resolve(const std::string& product, std::vector<Entry>& entries, std::string& report, std::string* error) {
  for (UINT id = IDS_FILE_FIRST; id <= IDS_PICTURE_LAST; ++id) {
    if (id == IDS_FILE_LAST + 1) id = IDS_PICTURE_FIRST;
    CString text;
    if (!text.LoadString(id)) {
      if (error) *error = "string " + std::to_string(id) + " is missing from the string table";
      return false;
    }
    const std::string entry = text.GetString();
    const size_t slash = entry.find_last_of('\\');
    entries.push_back({slash == std::string::npos ? entry : entry.substr(slash + 1),
                       slash == std::string::npos ? "" : entry.substr(0, slash), ""});
  }
  std::set<std::string> folders = {""};
  for (const Entry& e : entries) folders.insert(e.subfolder);
  for (const std::string& sub : folders) {
    const std::string folder = sub.empty() ? product : product + "\\" + sub;
    for (const std::string& name : Listing(folder)) {
      int uses = 0;
      for (Entry& e : entries) {
        if (e.subfolder != sub || !Becomes(name, e.mediumName)) continue;
        if (!e.found.empty()) {
          if (error) *error = folder + " holds two files for " + e.mediumName + ": " + e.found + " and " + name;
          return false;
        }
        e.found = name;
        ++uses;
      }
      bool pictureFolder = false;
      for (const std::string& f : folders)
        pictureFolder = pictureFolder || (sub.empty() && !f.empty() && SameIgnoringAZCase(f, name));
      if (uses == 0 && !pictureFolder) {
        report += "left out: " + folder + "\\" + name + " (the manifest does not name it)\n";
      }
    }
  }
  for (const Entry& e : entries) {
    if (e.found.empty()) {
      const std::string where = e.subfolder.empty() ? product : product + "\\" + e.subfolder;
      if (error) *error = "missing: no file in " + where + " for " + e.mediumName;
      return false;
    }
  }
  return true;
}

}  // namespace

bool PackProduct(const std::string& product, MediumFiles& files, std::string& report, std::string* error) {
  std::vector<Entry> entries;
  if (!Resolve(product, entries, report, error)) return false;
  files.clear();
  for (const Entry& e : entries) {
    const std::string path = (e.subfolder.empty() ? product : product + "\\" + e.subfolder) + "\\" + e.found;
    std::string bytes, why;
    if (!ReadWhole(path, bytes, why)) {
      if (error) *error = path + ": " + why;
      return false;
    }
    if (e.mediumName.back() == '_' && !SameIgnoringAZCase(e.found, e.mediumName)) {
      // The character the '_' stands for, in the case of the manifest's
      // letter before it, as LZ32 gives it back.
      const unsigned char c = static_cast<unsigned char>(e.found.back());
      const char before = e.mediumName[e.mediumName.size() - 2];
      const int recorded = std::isupper(static_cast<unsigned char>(before)) ? std::toupper(c) : std::tolower(c);
      std::vector<uint8_t> packed = SzddCompress(bytes, static_cast<uint8_t>(recorded));
      bytes.assign(packed.begin(), packed.end());
    }
    files.emplace_back(e.mediumName, std::move(bytes));
  }
  return true;
}

bool WriteMedium(const std::string& folder, const MediumFiles& files, std::string* error) {
  for (const auto& f : files) {
    if (!WriteMediumFile(folder + "\\" + f.first, f.second, error)) return false;
  }
  return true;
}
