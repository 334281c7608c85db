#include "medium.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "afxfile.h"
#include "catalog.h"
#include "lzcopy.h"
#include "manifest.h"
#include "mediumfile.h"
#include "szdd.h"

extern const unsigned char lumi_sample_files[];
extern const unsigned long lumi_sample_files_size;

namespace {
// Paragraphs on one line each: the read-me page's edit wraps them.
const char kReadme[] =
    "Lumiscroll Wallpaper Wizard - sample distribution medium\r\n\r\n"
    "Lumiscroll adds a slide show to your desktop wallpaper. This medium was made by the project's own tools "
    "to try the setup program: the product files on it are samples, not the product itself.\r\n\r\n"
    "After the installation you will find the program, its help file, the order form and five picture folders "
    "(Bkgnds1, Bkgnds2, WFalls, Sunsets, Nature) in the folder you chose, and shortcuts on your desktop and in "
    "your Programs menu.\r\n";

// The order form: RTF, which the platform's word processors open under a
// .doc name.
const char kOrderForm[] =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}\r\n"
    "\\f0\\fs20{\\b\\fs32 Lumiscroll Wallpaper Wizard - Order Form}\\par\\par\r\n"
    "Tamvik Software\\par\\par\r\n"
    "Name: ______________________________\\par\r\n"
    "Address: ___________________________\\par\r\n"
    "E-mail: ____________________________\\par\\par\r\n"
    "Copies of Lumiscroll: _____ x $19.95 = __________\\par\\par\r\n"
    "Send this form to support@lumiscroll.example.\\par\r\n"
    "}\r\n";

}  // namespace

namespace {
// A file made at build time (a picture, the help), by its name: false when
// there is none.
bool SampleFile(const std::string& name, std::string& bytes) {
  const unsigned char* p = lumi_sample_files;
  const unsigned char* end = p + lumi_sample_files_size;
  while (p < end && *p) {
    const std::string entry(reinterpret_cast<const char*>(p));
    p += entry.size() + 1;
    const unsigned long length =
        p[0] | p[1] << 8 | static_cast<unsigned long>(p[2]) << 16 | static_cast<unsigned long>(p[3]) << 24;
    p += 4;
    if (entry == name) {
      bytes.assign(reinterpret_cast<const char*>(p), length);
      return true;
    }
    p += length + 1;
  }
  return false;
}
}  // namespace

std::string SampleContents(const std::string& name) {
  if (name == "Readme.txt") return kReadme;
  if (name == "Order.doc") return kOrderForm;
  std::string made;
  if (SampleFile(name, made)) return made;
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

bool MediumNames(std::vector<std::string>& names, std::string* error) {
  std::vector<ManifestEntry> manifest;
  if (!ReadManifest(manifest, error)) return false;
  for (const ManifestEntry& e : manifest) names.push_back(e.mediumName);
  return true;
}

namespace {
// Why a file cannot be read, or "" when it can: what stands there is
// looked at before anything opens it (a FIFO would wait for a writer, a
// device may act on an open).
std::string Unreadable(const std::string& path, MediumKindOf kindOf) {
  if (::GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_DIRECTORY) return "a folder, not a file";
  const std::string kind = kindOf ? kindOf(path) : "";
  if (!kind.empty()) return kind + ", not a file";
  HANDLE h = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE)
    return "cannot be opened for reading (Windows error " + std::to_string(::GetLastError()) + ")";
  ::CloseHandle(h);
  return "";
}

}  // namespace

bool SameIgnoringAZCase(const std::string& a, const std::string& b) {
  return CString(a.c_str()).CompareNoCase(b.c_str()) == 0;
}

bool MakeSampleMedium(const std::string& folder, std::string* error) {
  std::vector<ManifestEntry> manifest;
  if (!ReadManifest(manifest, error)) return false;
  for (const ManifestEntry& e : manifest) {
    std::string data = SampleContents(e.installedName);
    if (e.installedName != e.mediumName) {
      std::vector<uint8_t> packed = SzddCompress(data, RecordedCharacter(e.mediumName));
      data.assign(packed.begin(), packed.end());
    }
    if (!WriteMediumFile(folder + "\\" + e.mediumName, data, error)) return false;
  }
  return true;
}

int CheckMedium(const std::string& folder, const std::string& label, const std::string& nullDevice, std::string& report,
                MediumKindOf kindOf) {
  std::vector<ManifestEntry> manifest;
  std::string error;
  if (!ReadManifest(manifest, &error)) {
    report += error + "\n";
    return 1;
  }
  // What the folder holds: names that differ only in case are one name on a
  // CD or a Windows disk, where all but one would be lost.
  std::vector<std::string> entries;
  WIN32_FIND_DATAA found;
  HANDLE listing = ::FindFirstFileA((folder + "\\*").c_str(), &found);
  if (listing != INVALID_HANDLE_VALUE) {
    do {
      entries.push_back(found.cFileName);
    } while (::FindNextFileA(listing, &found));
    ::FindClose(listing);
  }
  int problems = 0;
  for (const ManifestEntry& m : manifest) {
    const std::string& name = m.mediumName;
    std::string path = folder + "\\" + name, line, twins;
    for (const std::string& e : entries) {
      if (SameIgnoringAZCase(e, name)) twins += (twins.empty() ? "" : ", ") + e;
    }
    std::vector<char> src(path.begin(), path.end());
    src.push_back(0);
    char expanded[512] = "";
    if (twins.find(", ") != std::string::npos) {
      line = "the medium holds names that differ only in case (" + twins + "): a CD or a Windows disk keeps one";
    } else if (::GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
      line = "missing";
    } else if (line = Unreadable(path, kindOf); !line.empty()) {
      // what stands there and cannot be read, named
    } else if (path.size() >= OFS_MAXPATHNAME) {
      line = "its path has " + std::to_string(path.size()) + " characters; LZ32 takes at most 127";
    } else if (::GetExpandedNameA(src.data(), expanded) != 1) {
      line = "LZ32 cannot read its expanded name";
    } else {
      const char* cut = std::strrchr(expanded, '\\');
      std::string got = cut ? cut + 1 : expanded, want = m.installedName;
      long r = LzCopyFile(path, nullDevice);
      // A file that is no SZDD file at all (corrupt to the copy) is told by
      // the name it keeps.
      const bool renamed = !SameIgnoringAZCase(got, want);
      if (renamed && (r >= 0 || r == LZERROR_READ)) {
        line = "expands to " + got + ", not " + want;
      } else if (r < 0) {
        line = LzFailureOf(r).phrase;
      } else {
        report += "ok      " + name + " -> " + got + " (" + std::to_string(r) + " bytes)\n";
        continue;
      }
    }
    report += "FAILED  " + name + ": " + line + "\n";
    ++problems;
  }
  report += "medium " + label + ": " +
            (problems ? std::to_string(problems) + " of " + std::to_string(manifest.size()) + " files have a problem"
                      : "all " + std::to_string(manifest.size()) + " files sound") +
            "\n";
  return problems;
}
