// The one way a file is written: into a temporary file made new beside it,
// then moved over the file's name once whole. Moving replaces whatever stands
// at that name (a link, a file with other names elsewhere) instead of writing
// into it, and a failure at any step removes the temporary file and leaves
// what was at the name as it was.
#pragma once
#include "afxstr.h"
#include "lumiwin.h"

// Makes path a new, empty file of this process's own. Whatever stands under
// the name first (the leftover of a run that was cut off, a link) is removed,
// and the file is created so that it cannot be an existing one. The handle
// (read and write, sharing both, not deletion) keeps other programs from
// removing or renaming the file until it is closed: a second installer
// cannot take it over meanwhile. INVALID_HANDLE_VALUE when the name cannot
// be cleared or the file made; GetLastError() then says why
// (ERROR_SHARING_VIOLATION: another program holds the file open), and
// *inTheWay, when given, whether something stood under the name (which the
// platform may not describe: Wine gives no attributes for a host's FIFO).
HANDLE CreateTempFile(const char* path, bool* inTheWay = nullptr);

// The size of an open file as its handle sees it, or -1: after a copy into
// the temporary file by name, whether the bytes landed in this very file.
long long FileSizeOf(HANDLE file);

// The name a file is written under in its folder until it is whole: no name
// of the install manifest, and no longer than its names.
inline constexpr char kTempFileName[] = "~Lumi.tmp";

// The temporary file for target: kTempFileName in target's folder (text
// only).
CString TempPathFor(const char* target);

// A file in the making under its temporary name. Create makes the temporary
// file new (CreateTempFile) and holds it open; Commit moves it over the
// target. Until then, and after any failure, what stands at the target stays;
// the temporary file is deleted when the object goes unless it was moved.
class CTempFile {
 public:
  // The temporary name is TempPathFor(target) unless one is given (a writer
  // that commits several files at the end needs one a file).
  explicit CTempFile(const char* target, const char* tempPath = nullptr);
  ~CTempFile() { Abandon(); }
  CTempFile(const CTempFile&) = delete;
  CTempFile& operator=(const CTempFile&) = delete;

  const CString& GetTarget() const { return m_target; }
  const CString& GetTempPath() const { return m_temp; }
  // The open temporary file, or INVALID_HANDLE_VALUE.
  HANDLE GetHandle() const { return m_handle; }

  // As CreateTempFile: false with GetLastError() and *inTheWay saying why.
  bool Create(bool* inTheWay = nullptr);
  // Hands the open handle to the caller, who closes it; the file stays ours.
  HANDLE Detach();
  // Closes the handle, keeping the file: false with GetLastError() set when
  // closing failed (a write the system had deferred).
  bool Close();
  // Closes the handle and moves the file over the target. False (the
  // temporary file deleted, GetLastError() that of the failed step) when
  // nothing was made, closing failed or the move was refused.
  bool Commit();
  // Closes the handle and deletes the temporary file if it was made here.
  void Abandon();

 private:
  CString m_target;
  CString m_temp;
  HANDLE m_handle = INVALID_HANDLE_VALUE;
  bool m_made = false;
};
