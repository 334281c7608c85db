#include "tempfile.h"

HANDLE CreateTempFile(const char* path) {
  if (!::DeleteFileA(path)) {
    const DWORD err = ::GetLastError();
    // In use, a folder, a read-only file: not ours to take (the error stays).
    if (err != ERROR_FILE_NOT_FOUND && err != ERROR_PATH_NOT_FOUND) return INVALID_HANDLE_VALUE;
  }
  return ::CreateFileA(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, CREATE_NEW,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

long long FileSizeOf(HANDLE file) {
  DWORD high = 0;
  const DWORD low = ::GetFileSize(file, &high);
  if (low == INVALID_FILE_SIZE && ::GetLastError() != NO_ERROR) return -1;
  return static_cast<long long>(high) << 32 | low;
}
