#include "afxfile.h"

namespace {
int CauseOf(DWORD err) {
  switch (err) {
    case ERROR_FILE_NOT_FOUND:
      return CFileException::fileNotFound;
    case ERROR_PATH_NOT_FOUND:
      return CFileException::badPath;
    case ERROR_ACCESS_DENIED:
      return CFileException::accessDenied;
    case ERROR_SHARING_VIOLATION:
      return CFileException::sharingViolation;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return CFileException::diskFull;
    default:
      return CFileException::genericException;
  }
}
}  // namespace

CFile::~CFile() {
  if (m_hFile != INVALID_HANDLE_VALUE) ::CloseHandle(m_hFile);
}

BOOL CFile::Open(const char* fileName, UINT flags, CFileException* error) {
  if (m_hFile != INVALID_HANDLE_VALUE) Close();
  // What each mode asks of the platform: by modeRead, modeWrite,
  // modeReadWrite; by shareCompat, shareExclusive (nothing shared),
  // shareDenyWrite, shareDenyRead, shareDenyNone.
  static const DWORD kAccess[4] = {GENERIC_READ, GENERIC_WRITE, GENERIC_READ | GENERIC_WRITE, 0};
  static const DWORD kShare[8] = {0, 0, FILE_SHARE_READ, FILE_SHARE_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, 0, 0, 0};
  const DWORD access = kAccess[flags & 3];
  const DWORD share = kShare[(flags & 0x70) >> 4];
  DWORD disposition = OPEN_EXISTING;
  if (flags & modeCreate) disposition = (flags & modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;
  HANDLE h = ::CreateFileA(fileName, access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    if (error) {
      DWORD err = ::GetLastError();
      error->m_cause = CauseOf(err);
      error->m_lOsError = static_cast<LONG>(err);
    }
    return FALSE;
  }
  m_hFile = h;
  return TRUE;
}

void CFile::Write(const void* buffer, UINT count) {
  if (count == 0) return;
  DWORD written = 0;
  if (m_hFile == INVALID_HANDLE_VALUE) throw new CFileException(CFileException::invalidFile);
  if (!::WriteFile(m_hFile, buffer, count, &written, nullptr)) {
    DWORD err = ::GetLastError();
    throw new CFileException(CauseOf(err), static_cast<LONG>(err));
  }
  if (written != count) throw new CFileException(CFileException::diskFull);
}

UINT CFile::Read(void* buffer, UINT count) {
  if (m_hFile == INVALID_HANDLE_VALUE) throw new CFileException(CFileException::invalidFile);
  if (count == 0) return 0;
  DWORD got = 0;
  if (!::ReadFile(m_hFile, buffer, count, &got, nullptr)) {
    DWORD err = ::GetLastError();
    throw new CFileException(err == 23 ? CFileException::hardIO : CauseOf(err), static_cast<LONG>(err));
  }
  return static_cast<UINT>(got);
}

void CFile::Close() {
  if (m_hFile != INVALID_HANDLE_VALUE) {
    HANDLE h = m_hFile;
    m_hFile = INVALID_HANDLE_VALUE;
    if (!::CloseHandle(h)) throw new CFileException(CauseOf(::GetLastError()));
  }
}
