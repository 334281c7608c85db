#include "tempfile.h"

namespace {
HANDLE CreateNew(const char* path, DWORD share) {
  return ::CreateFileA(path, GENERIC_READ | GENERIC_WRITE, share, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool NameTaken(DWORD error) { return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS; }

// Clears what stands under path without deleting it where it stands: where
// deleting a link deletes the file it points to (Wine's deletion of a host
// link does), a file elsewhere would go. A new, empty file of our own is made
// under a free neighbouring name and moved over path (a move replaces the
// name itself, link or not), and only that file is deleted. A file that
// another program holds open against deletion stays, and the error says so.
bool ClearName(const char* path) {
  HANDLE probe = ::CreateFileA(path, DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (probe != INVALID_HANDLE_VALUE) {
    ::CloseHandle(probe);
  } else if (::GetLastError() == ERROR_SHARING_VIOLATION) {
    return false;  // another installer's file, as a move over it would not always say
  }
  for (int i = 0; i < 100; ++i) {
    CString aside;
    aside.Format("%s.%d", path, i);
    HANDLE h = CreateNew(aside, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
    if (h == INVALID_HANDLE_VALUE) {
      if (NameTaken(::GetLastError())) continue;
      return false;
    }
    ::CloseHandle(h);
    if (!::MoveFileExA(aside, path, MOVEFILE_REPLACE_EXISTING)) {
      const DWORD err = ::GetLastError();
      ::DeleteFileA(aside);
      ::SetLastError(err);
      return false;
    }
    return ::DeleteFileA(path) != 0;
  }
  return false;
}
}  // namespace

HANDLE CreateTempFile(const char* path, bool* inTheWay) {
  bool taken = false;
  HANDLE h = CreateNew(path, FILE_SHARE_READ | FILE_SHARE_WRITE);
  if (h == INVALID_HANDLE_VALUE && NameTaken(::GetLastError())) {
    // The leftover of a run that was cut off, or a link someone put there.
    taken = !ClearName(path);
    if (!taken) {
      h = CreateNew(path, FILE_SHARE_READ | FILE_SHARE_WRITE);
      taken = h == INVALID_HANDLE_VALUE && NameTaken(::GetLastError());
    }
  }
  if (inTheWay) *inTheWay = taken;
  return h;
}

long long FileSizeOf(HANDLE file) {
  DWORD high = 0;
  const DWORD low = ::GetFileSize(file, &high);
  if (low == INVALID_FILE_SIZE && ::GetLastError() != NO_ERROR) return -1;
  return static_cast<long long>(high) << 32 | low;
}

CString TempPathFor(const char* target) {
  const CString path(target);
  int end = path.ReverseFind('\\');
  if (end < 0) end = path.ReverseFind(':');
  return path.Left(end + 1) + kTempFileName;
}

CTempFile::CTempFile(const char* target, const char* tempPath)
    : m_target(target), m_temp(tempPath ? CString(tempPath) : TempPathFor(target)) {}

bool CTempFile::Create(bool* inTheWay) {
  Abandon();
  m_handle = CreateTempFile(m_temp, inTheWay);
  m_made = m_handle != INVALID_HANDLE_VALUE;
  return m_made;
}

HANDLE CTempFile::Detach() {
  const HANDLE handle = m_handle;
  m_handle = INVALID_HANDLE_VALUE;
  return handle;
}

bool CTempFile::Close() {
  const HANDLE handle = Detach();
  return handle == INVALID_HANDLE_VALUE || ::CloseHandle(handle);
}

bool CTempFile::Commit() {
  if (!m_made) {
    ::SetLastError(ERROR_INVALID_HANDLE);
    return false;
  }
  if (Close() && ::MoveFileExA(m_temp, m_target, MOVEFILE_REPLACE_EXISTING)) {
    m_made = false;  // the file is the target's now
    return true;
  }
  const DWORD error = ::GetLastError();
  Abandon();
  ::SetLastError(error);
  return false;
}

void CTempFile::Abandon() {
  Close();
  // Only a file made here goes: the name may stand for a file of another
  // program's (CreateTempFile refused to clear it) or a link.
  if (m_made) ::DeleteFileA(m_temp);
  m_made = false;
}
