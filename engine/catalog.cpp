// The medium's catalog: its slot's layout, and the check of a medium
// against it.
#include "catalog.h"

#include <cstring>

#include "lumiwin.h"
#include "messages.h"
#include "tempfile.h"

namespace {
constexpr char kMagic[] = "LUMICAT";  // 7 bytes, then the state
constexpr size_t kHeader = 16;

void Put32(std::string& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out += static_cast<char>(v >> (8 * i) & 0xFF);
}
uint32_t Get32(const uint8_t* p) {
  return p[0] | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
         static_cast<uint32_t>(p[3]) << 24;
}

std::string Slot(char state, const std::vector<CatalogEntry>& entries) {
  std::string out(kMagic, 7);
  out += state;
  Put32(out, static_cast<uint32_t>(kCatalogSlot));
  Put32(out, static_cast<uint32_t>(entries.size()));
  for (const CatalogEntry& e : entries) {
    if (e.name.empty() || e.name.size() > 255) return "";
    out += static_cast<char>(e.name.size());
    out += e.name;
    Put32(out, e.size);
    out.append(reinterpret_cast<const char*>(e.digest), Sha256::kSize);
  }
  if (state == '1') {
    uint8_t digest[Sha256::kSize];
    Sha256Of(out.data(), out.size(), digest);
    out.append(reinterpret_cast<const char*>(digest), Sha256::kSize);
  }
  if (out.size() > kCatalogSlot) return "";
  out.resize(kCatalogSlot, '\0');
  return out;
}

CatalogState Damaged(std::string* why, const char* what) {
  if (why) *why = what;
  return CatalogState::kDamaged;
}
}  // namespace

std::string CatalogSlot(const std::vector<CatalogEntry>& entries) { return Slot('1', entries); }

std::string EmptyCatalogSlot() { return Slot('0', {}); }

CatalogState ReadCatalog(const uint8_t* slot, size_t size, std::vector<CatalogEntry>& entries, std::string* why) {
  entries.clear();
  if (!slot || size < kHeader || std::memcmp(slot, kMagic, 7) != 0) return Damaged(why, "no catalog slot");
  if (Get32(slot + 8) != size || size != kCatalogSlot) return Damaged(why, "the slot is cut or of another size");
  if (slot[7] == '0') return CatalogState::kEmpty;
  if (slot[7] != '1') return Damaged(why, "the slot's state is unknown");
  const uint32_t count = Get32(slot + 12);
  size_t at = kHeader;
  // Each record takes at least 1 + 1 + 4 + 32 bytes: a count past what the
  // slot holds is refused before anything is read for it.
  if (count > (size - kHeader - Sha256::kSize) / (6 + Sha256::kSize)) return Damaged(why, "a count past the slot");
  for (uint32_t i = 0; i < count; ++i) {
    const size_t length = slot[at];
    if (length == 0 || size - at < 1 + length + 4 + Sha256::kSize + Sha256::kSize) {
      entries.clear();
      return Damaged(why, "a record past the slot");
    }
    CatalogEntry e;
    e.name.assign(reinterpret_cast<const char*>(slot + at + 1), length);
    e.size = Get32(slot + at + 1 + length);
    std::memcpy(e.digest, slot + at + 1 + length + 4, Sha256::kSize);
    entries.push_back(e);
    at += 1 + length + 4 + Sha256::kSize;
  }
  uint8_t digest[Sha256::kSize];
  Sha256Of(slot, at, digest);
  if (std::memcmp(digest, slot + at, Sha256::kSize) != 0) {
    entries.clear();
    return Damaged(why, "its digest differs");
  }
  for (size_t i = at + Sha256::kSize; i < size; ++i) {
    if (slot[i] != 0) {
      entries.clear();
      return Damaged(why, "bytes after its end");
    }
  }
  return CatalogState::kSound;
}

bool MeasureFile(const char* path, CatalogEntry& entry) {
  HANDLE h = ::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  const long long size = FileSizeOf(h);
  bool ok = size >= 0 && size <= 0xFFFFFFFFLL;
  Sha256 sha;
  std::vector<uint8_t> buffer(65536);
  long long total = 0;
  while (ok) {
    DWORD got = 0;
    if (!::ReadFile(h, buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr)) ok = false;
    if (!ok || got == 0) break;
    sha.Update(buffer.data(), got);
    total += got;
  }
  ::CloseHandle(h);
  // The bytes read are the file: one that changed its length meanwhile is
  // measured as read, and then differs from what the catalog says.
  if (!ok || total > 0xFFFFFFFFLL) return false;
  entry.size = static_cast<uint32_t>(total);
  sha.Final(entry.digest);
  return true;
}

int CheckMediumAgainst(const char* folder, const std::vector<std::string>& names,
                       const std::vector<CatalogEntry>& entries, const char* program, CString& message) {
  CString dir(folder);
  if (!dir.IsEmpty() && dir[dir.GetLength() - 1] != '\\') dir += '\\';
  // The catalog names each manifest file once, and nothing else.
  std::vector<const CatalogEntry*> of(names.size(), nullptr);
  bool fits = entries.size() == names.size();
  for (const CatalogEntry& e : entries) {
    size_t i = 0;
    while (i < names.size() && (of[i] || names[i] != e.name)) ++i;
    if (i == names.size()) fits = false;
    if (fits) of[i] = &e;
  }
  if (!fits) {
    message = CString(kMsgSetupDamaged) + program;
    return 0;
  }
  for (size_t i = 0; i < names.size(); ++i) {
    const CString path = dir + names[i].c_str();
    CatalogEntry now;
    if (!MeasureFile(path, now) || now.size != of[i]->size ||
        std::memcmp(now.digest, of[i]->digest, Sha256::kSize) != 0) {
      message = CString(kMsgFileCorrupt) + path;
      return 0;
    }
  }
  return 1;
}

CatalogState ReadOwnCatalog(std::vector<CatalogEntry>& entries, std::string* why) {
  entries.clear();
  HRSRC found = ::FindResourceA(nullptr, kCatalogResource, RT_RCDATA);
  if (!found) return CatalogState::kEmpty;
  HGLOBAL loaded = ::LoadResource(nullptr, found);
  const void* bytes = loaded ? ::LockResource(loaded) : nullptr;
  if (!bytes) return Damaged(why, "its catalog cannot be loaded");
  return ReadCatalog(static_cast<const uint8_t*>(bytes), ::SizeofResource(nullptr, found), entries, why);
}
