// The install run and the category list files.
#include <algorithm>
#include <cstring>

#include "afxfile.h"
#include "catalog.h"
#include "installer.h"
#include "manifest.h"
#include "messages.h"
#include "pages.h"
#include "tempfile.h"
#include "wizsheet.h"

namespace {
const char kProgramFile[] = "Lumiroll.exe";
const char kShortcutTitle[] = "Lumiscroll Wallpaper Wizard";

// Checks the medium beside the program against the catalog the program
// carries, before anything is made: 1 when it has none (a development
// build) or every file is as catalogued; 0 with the last message set.
int CheckMedium(CInstaller& inst, const std::vector<ManifestEntry>& manifest) {
  std::vector<CatalogEntry> catalog;
  std::string why;
  const CatalogState state = ReadOwnCatalog(catalog, &why);
  if (state == CatalogState::kEmpty) return 1;
  if (state == CatalogState::kDamaged) {
    inst.SetLastMessage(CString(kMsgSetupDamaged) + GetModulePath());
    return 0;
  }
  std::vector<std::string> names;
  names.reserve(manifest.size());
  for (const ManifestEntry& e : manifest) names.push_back(e.mediumName);
  CString message;
  if (CheckMediumAgainst(GetModuleDir(), names, catalog, GetModulePath(), message)) return 1;
  inst.SetLastMessage(message);
  return 0;
}
}  // namespace

// Written as every installed file is (CTempFile), so that a link or a file
// with other names standing there is replaced, never written into, and a
// failure keeps what was there.
int CWizardSheet::WriteCategoryFile(const char* path, int count, const CategoryRecord* records) {
  CTempFile temp(path);
  if (!temp.Create()) return 0;
  uint8_t header[kCategoryHeaderSize];
  FillCategoryHeader(header, count);
  bool written = true;
  {
    CFile file(temp.Detach());
    try {
      file.Write(header, sizeof header);
      for (int i = 0; i < count; ++i) file.Write(&records[i], sizeof(CategoryRecord));
      file.Close();
    } catch (CException* e) {
      e->Delete();
      written = false;
    }
  }
  return written && temp.Commit() ? 1 : 0;
}

int CWizardSheet::RunInstall() {
  CInstaller& inst = m_installer;
  const CString folder = m_pPageFolder->m_strFolder;

  // Refuse, before anything is made, a folder for which a picture folder or
  // a category folder would not fit its 259-character field, or a path
  // handed to LZ32 would pass its 127 characters: the longest is the folder,
  // a backslash, a picture folder, a backslash and the longest of the file
  // names and the temporary name (an expanded name is never longer than its
  // file's name on the medium).
  std::vector<ManifestEntry> manifest;
  std::string error;
  if (!ReadManifest(manifest, &error)) {
    inst.SetLastMessage(error.c_str());
    return 0;
  }
  const int tempName = static_cast<int>(std::strlen(CInstaller::kTempName));
  int longest = 1 + tempName;  // below the folder, for LZ32
  bool fits = true;
  for (const ManifestEntry& e : manifest) {
    const int name = 1 + static_cast<int>(e.mediumName.size());
    if (e.subfolder.empty()) {
      longest = std::max(longest, name);
      continue;
    }
    const int subfolder = 1 + static_cast<int>(e.subfolder.size());
    fits = fits && folder.GetLength() + subfolder <= CInstaller::kMaxFolder;
    longest = std::max({longest, subfolder + name, subfolder + 1 + tempName});
  }
  if (!fits || folder.GetLength() + longest > CInstaller::kMaxLzPath) {
    inst.SetLastMessage(kMsgInstallFolderTooLong + folder);
    return 0;
  }

  if (!CheckMedium(inst, manifest)) return 0;
  int result = inst.SetInstallDir(folder);
  for (const ManifestEntry& e : manifest) {
    if (!result) break;
    if (e.subfolder.empty()) {
      result = inst.ExpandFile(e.mediumName.c_str());
      continue;
    }
    CString destination = folder + "\\" + e.subfolder.c_str();
    result = inst.SetInstallDir(destination);
    // A picture folder that stands as a link (another user's, say) would
    // take the pictures elsewhere: nothing is written through it, nor into
    // a folder that cannot be told from one.
    const DWORD attributes = result ? ::GetFileAttributesA(destination) : 0;
    if (attributes == INVALID_FILE_ATTRIBUTES) {
      inst.SetLastMessage(kMsgCannotAccess + destination);
      result = 0;
    } else if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
      inst.SetLastMessage(kMsgFolderIsLink + destination);
      result = 0;
    }
    if (result) result = inst.ExpandFile(e.mediumName.c_str());
  }

  // The category list files are written whatever happened before. When one
  // cannot be written the product would lack its categories: the shortcuts
  // of a run that went well so far are still made, then the run fails and
  // says which files, after the shortcuts' message when none was made.
  CString failedLists;
  for (const CategoryList& list : kCategoryLists) {
    CategoryRecord records[kCategoriesPerList];
    FillCategoryRecords(list, folder, inst.GetWindowsDir(), records);
    const CString path = inst.JoinPath(folder, list.file);
    if (!WriteCategoryFile(path, kCategoriesPerList, records)) {
      failedLists += (failedLists.IsEmpty() ? "" : "\n") + (kMsgCannotWriteList + path);
    }
  }

  if (result) {
    result = inst.SetInstallDir(folder);
    CString message;
    if (inst.CreateShortcuts(kProgramFile, kShortcutTitle) <= 0) message = kMsgNoShortcuts;
    message += failedLists;
    if (!message.IsEmpty()) {
      result = 0;
      inst.SetLastMessage(message);
    }
  }
  return result;
}
