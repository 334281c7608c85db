#include "medium.h"

#include <vector>

#include "afxfile.h"
#include "resource.h"
#include "szdd.h"

namespace {
// Paragraphs on one line each: the read-me page's edit wraps them.
const char kReadme[] =
    "Lumiscroll Wallpaper Wizard - sample distribution medium\r\n\r\n"
    "Lumiscroll adds a slide show to your desktop wallpaper. This medium was made by the project's own tools "
    "to try the setup program: the product files on it are samples, not the product itself.\r\n\r\n"
    "After the installation you will find the program, its help file, the order form and five picture folders "
    "(Bkgnds1, Bkgnds2, WFalls, Sunsets, Nature) in the folder you chose, and shortcuts on your desktop and in "
    "your Programs menu.\r\n";

bool Write(const std::string& path, const std::string& bytes, std::string* error) {
  CFile f;
  if (!f.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::typeBinary)) {
    if (error) *error = "cannot create " + path;
    return false;
  }
  try {
    f.Write(bytes.data(), static_cast<UINT>(bytes.size()));
  } catch (CException* e) {
    e->Delete();
    if (error) *error = "cannot write " + path;
    return false;
  }
  return true;
}
}  // namespace

std::string ExpandedMediumName(const std::string& name) {
  static const char* const kExt[][2] = {
      {".ex_", ".exe"}, {".dl_", ".dll"}, {".do_", ".doc"}, {".jp_", ".jpg"}, {".gi_", ".gif"}};
  for (const auto& e : kExt) {
    if (name.size() > 4 && name.compare(name.size() - 4, 4, e[0]) == 0) return name.substr(0, name.size() - 4) + e[1];
  }
  return name;
}

std::string SampleContents(const std::string& name) {
  if (name == "Readme.txt") return kReadme;
  // A header naming the file, then text and bytes that differ per file.
  std::string s = "Lumiscroll sample file " + name + "\r\n";
  unsigned x = 2166136261u;
  for (char c : name) x = (x ^ static_cast<unsigned char>(c)) * 16777619u;
  size_t blocks = 300 + x % 400;
  for (size_t i = 0; i < blocks; ++i) {
    x = x * 1664525u + 1013904223u;
    if (i % 5 == 0) {
      for (int k = 0; k < 24; ++k) s += static_cast<char>((x >> (k % 24)) & 0xFF);
    } else {
      s += "sample " + name + " block " + std::to_string(i) + "\r\n";
    }
  }
  return s;
}

bool MakeSampleMedium(const std::string& folder, std::string* error) {
  std::vector<UINT> ids;
  for (UINT id = IDS_FILE_FIRST; id <= IDS_FILE_LAST; ++id) ids.push_back(id);
  for (UINT id = IDS_PICTURE_FIRST; id <= IDS_PICTURE_LAST; ++id) ids.push_back(id);
  for (UINT id : ids) {
    CString entry;
    if (!entry.LoadString(id)) {
      if (error) *error = "string " + std::to_string(id) + " is missing from the string table";
      return false;
    }
    std::string name = entry.GetString();
    size_t slash = name.find_last_of('\\');
    if (slash != std::string::npos) name = name.substr(slash + 1);  // pictures lie flat on the medium
    std::string plain = ExpandedMediumName(name);
    std::string data = SampleContents(plain);
    if (plain != name) {
      std::vector<uint8_t> packed = SzddCompress(data, static_cast<uint8_t>(plain.back()));
      data.assign(packed.begin(), packed.end());
    }
    if (!Write(folder + "\\" + name, data, error)) return false;
  }
  return true;
}
