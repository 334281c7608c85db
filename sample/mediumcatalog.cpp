// The medium's catalog for the tools: measured from a medium, sealed into a
// setup program's slot, and a medium checked against the catalog of the
// setup program beside it.
#include <cstring>

#include "catalog.h"
#include "medium.h"
#include "mediumcatalog.h"
#include "mediumfile.h"
#include "peresource.h"

namespace {
constexpr uint16_t kRcData = 10;
constexpr size_t kMaxProgram = 64u << 20;  // setup.exe is some 300 KB

// The whole file at path (a Windows path), read through the platform.
bool ReadWhole(const std::string& path, std::string& bytes, std::string& why) {
  HANDLE h = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                           nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    why = "cannot be opened for reading (Windows error " + std::to_string(::GetLastError()) + ")";
    return false;
  }
  bytes.clear();
  char buffer[65536];
  DWORD got = 0;
  bool ok = true;
  while ((ok = ::ReadFile(h, buffer, sizeof buffer, &got, nullptr) != 0) && got > 0 && bytes.size() <= kMaxProgram) {
    bytes.append(buffer, got);
  }
  ::CloseHandle(h);
  if (!ok) why = "cannot be read";
  if (ok && bytes.size() > kMaxProgram) why = "is larger than any setup program (64 MB)";
  return ok && bytes.size() <= kMaxProgram;
}

// Where the slot lies in a program's bytes: a PE file's LUMICATALOG
// resource; in any other program (the native one) the one place that
// begins as a slot does.
bool FindSlot(const std::string& bytes, size_t* offset, std::string& why) {
  const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
  size_t size = 0;
  if (bytes.compare(0, 2, "MZ") == 0) {
    if (!FindPeResource(data, bytes.size(), kRcData, kCatalogResource, offset, &size, &why)) return false;
    if (size != kCatalogSlot) {
      why = "its catalog resource has " + std::to_string(size) + " bytes, not a slot's " + std::to_string(kCatalogSlot);
      return false;
    }
    return true;
  }
  const std::string head = EmptyCatalogSlot().substr(0, 7), sizeField = EmptyCatalogSlot().substr(8, 4);
  size_t found = std::string::npos, count = 0;
  for (size_t at = bytes.find(head); at != std::string::npos; at = bytes.find(head, at + 1)) {
    if (bytes.size() - at >= kCatalogSlot && (bytes[at + 7] == '0' || bytes[at + 7] == '1') &&
        bytes.compare(at + 8, 4, sizeField) == 0) {
      found = at;
      ++count;
    }
  }
  if (count != 1) {
    why = count ? "it holds more than one catalog slot" : "it holds no catalog slot";
    return false;
  }
  *offset = found;
  return true;
}
}  // namespace

bool MeasureMedium(const std::string& folder, std::vector<CatalogEntry>& entries, std::string* error) {
  std::vector<std::string> names;
  if (!MediumNames(names, error)) return false;
  entries.clear();
  for (const std::string& name : names) {
    CatalogEntry e;
    e.name = name;
    if (!MeasureFile((folder + "\\" + name).c_str(), e)) {
      if (error) *error = folder + "\\" + name + ": cannot be read";
      return false;
    }
    entries.push_back(e);
  }
  return true;
}

bool SealProgram(const std::string& program, const std::vector<CatalogEntry>& entries, std::string* error) {
  std::string bytes, why;
  size_t offset = 0;
  const std::string slot = CatalogSlot(entries);
  if (slot.empty()) why = "the catalog does not fit its slot";
  if (!why.empty() || !ReadWhole(program, bytes, why) || !FindSlot(bytes, &offset, why)) {
    if (error) *error = program + ": " + why;
    return false;
  }
  bytes.replace(offset, kCatalogSlot, slot);
  // Written anew and moved over the program's name, as every medium file.
  return WriteMediumFile(program, bytes, error);
}

bool ReadProgramSlot(const std::string& program, std::string& slot, std::string& why) {
  std::string bytes;
  size_t offset = 0;
  if (!ReadWhole(program, bytes, why) || !FindSlot(bytes, &offset, why)) return false;
  slot = bytes.substr(offset, kCatalogSlot);
  return true;
}

int CheckCatalog(const std::string& folder, MediumSlotOf slotOf, std::string& report) {
  const std::string program = folder + "\\setup.exe";
  if (::GetFileAttributesA(program.c_str()) == INVALID_FILE_ATTRIBUTES) {
    report += "catalog: no setup.exe beside the medium\n";
    return 0;
  }
  std::string slot, why;
  std::vector<CatalogEntry> entries;
  CatalogState state = CatalogState::kDamaged;
  if (slotOf(program, slot, why)) {
    state = ReadCatalog(reinterpret_cast<const uint8_t*>(slot.data()), slot.size(), entries, &why);
  }
  if (state == CatalogState::kEmpty) {
    report += "catalog: setup.exe carries none (a development build)\n";
    return 0;
  }
  std::vector<std::string> names;
  CString message;
  if (state == CatalogState::kDamaged) {
    report += "catalog: FAILED  setup.exe: " + why + "\n";
    return 1;
  }
  if (!MediumNames(names, &why) || !CheckMediumAgainst(folder.c_str(), names, entries, program.c_str(), message)) {
    report += "catalog: FAILED  " + (message.IsEmpty() ? why : std::string(message.GetString())) + "\n";
    return 1;
  }
  report += "catalog: all " + std::to_string(names.size()) + " files as released\n";
  return 0;
}
