// A medium from the product's own files, as the install would lay them out:
// the string table's manifest says which file goes where and in what form.
#include <cctype>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "manifest.h"
#include "mediumfile.h"
#include "pack.h"
#include "stream.h"
#include "szdd.h"

namespace {

struct Entry {
  std::string mediumName;  // as the manifest spells it: Lumiroll.ex_
  std::string subfolder;   // "" or the picture folder: Bkgnds1
  std::string found;       // the product's file of it, by its own name
};

// The product's folder of a manifest entry: the product's own, or the
// picture folder below it.
std::string FolderOf(const std::string& product, const std::string& subfolder) {
  return subfolder.empty() ? product : product + "\\" + subfolder;
}

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

// Whether path is the product's own file (or picture folder, for folder):
// no link, which may lead out of the product (a picture linked to a secret
// would go out on the medium byte for byte), and nothing that is no file.
// False with *error naming it.
bool OwnFile(const std::string& path, MediumKindOf kindOf, bool folder, std::string* error) {
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  std::string why;
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    if (folder) return true;  // a missing folder: its files are reported missing
    why = "its attributes cannot be read (Windows error " + std::to_string(::GetLastError()) + ")";
  } else if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
    why = "a link, which may lead out of the product: only the product's own files go onto the medium";
  } else if (folder != ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)) {
    why = folder ? "not a folder" : "a folder, not a file";
  } else if (!folder && !(why = kindOf ? kindOf(path) : "").empty()) {
    why += ", not a file";
  }
  if (why.empty()) return true;
  if (error) *error = path + ": " + why;
  return false;
}

// The manifest's entries, each with the product's file of it; false with
// *error naming the first entry without one, or with two.
bool Resolve(const std::string& product, MediumKindOf kindOf, std::vector<Entry>& entries, std::string& report,
             std::string* error) {
  std::vector<ManifestEntry> manifest;
  if (!ReadManifest(manifest, error)) return false;
  for (const ManifestEntry& m : manifest) entries.push_back({m.mediumName, m.subfolder, ""});
  std::set<std::string> folders = {""};
  for (const Entry& e : entries) folders.insert(e.subfolder);
  for (const std::string& sub : folders) {
    const std::string folder = FolderOf(product, sub);
    if (!sub.empty() && !OwnFile(folder, kindOf, true, error)) return false;
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
    const std::string where = FolderOf(product, e.subfolder);
    if (e.found.empty()) {
      if (error) *error = "missing: no file in " + where + " for " + e.mediumName;
      return false;
    }
    if (!OwnFile(where + "\\" + e.found, kindOf, false, error)) return false;
  }
  return true;
}

}  // namespace

bool FindProductFiles(const std::string& product, MediumKindOf kindOf, std::vector<ProductFile>& files,
                      std::string& report, std::string* error) {
  std::vector<Entry> entries;
  if (!Resolve(product, kindOf, entries, report, error)) return false;
  files.clear();
  for (const Entry& e : entries) {
    ProductFile f{e.mediumName, FolderOf(product, e.subfolder) + "\\" + e.found, 0};
    if (e.mediumName.back() == '_' && !SameIgnoringAZCase(e.found, e.mediumName)) {
      // The character the '_' stands for, in the case of the manifest's
      // letter before it, as LZ32 gives it back.
      const unsigned char c = static_cast<unsigned char>(e.found.back());
      const char before = e.mediumName[e.mediumName.size() - 2];
      f.recorded =
          static_cast<uint8_t>(std::isupper(static_cast<unsigned char>(before)) ? std::toupper(c) : std::tolower(c));
    }
    files.push_back(std::move(f));
  }
  return true;
}

namespace {
class HandleSource : public SzddSource {
 public:
  explicit HandleSource(HANDLE h) : h_(h) {}
  long Read(uint8_t* buf, size_t n) override {
    DWORD got = 0;
    const DWORD want = n > (1u << 20) ? (1u << 20) : static_cast<DWORD>(n);
    return ::ReadFile(h_, buf, want, &got, nullptr) ? static_cast<long>(got) : -1;
  }

 private:
  HANDLE h_;
};

// Packs or copies one product file into out, through fixed buffers: "" or
// why it failed.
std::string Transfer(const ProductFile& f, MediumFileWriter& out) {
  HANDLE in = ::CreateFileA(f.path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (in == INVALID_HANDLE_VALUE) return "cannot open it (Windows error " + std::to_string(::GetLastError()) + ")";
  DWORD high = 0;
  const DWORD low = ::GetFileSize(in, &high);
  const uint64_t size = static_cast<uint64_t>(high) << 32 | low;
  HandleSource source(in);
  std::string why;
  if (low == INVALID_FILE_SIZE && ::GetLastError() != NO_ERROR) {
    why = "cannot read its size";
  } else if (f.recorded) {
    const SzddStatus status = SzddCompress(source, out, size, f.recorded).status;
    if (status != SzddStatus::kWriteError) why = SzddCompressFailure(status);  // else the writer says why
    if (status == SzddStatus::kTooLarge) why += " (it has " + std::to_string(size) + ")";
  } else {
    uint8_t buf[65536];
    for (long n; why.empty() && (n = source.Read(buf, sizeof buf)) != 0;) {
      if (n < 0) why = "cannot read it";
      if (n > 0 && !out.Write(buf, static_cast<size_t>(n))) break;
    }
  }
  ::CloseHandle(in);
  return why;
}
}  // namespace

bool WriteProductMedium(const std::string& folder, const std::vector<ProductFile>& files, std::string* error) {
  // Every file whole under its temporary name first, so that a failure (a
  // file that cannot be read, a full disk) leaves the medium as it was.
  std::vector<std::unique_ptr<MediumFileWriter>> made;
  for (const ProductFile& f : files) {
    made.push_back(std::make_unique<MediumFileWriter>(folder + "\\" + f.mediumName));
    MediumFileWriter& out = *made.back();
    if (!out.Open(error)) return false;
    const std::string why = Transfer(f, out);
    if (!why.empty()) {
      if (error) *error = f.path + ": " + why;
      return false;
    }
    if (!out.Close(error)) return false;
  }
  for (auto& out : made) {
    if (!out->Commit(error)) return false;
  }
  return true;
}
