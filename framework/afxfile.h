// CFile and the framework's exceptions, as far as the setup uses them.
#pragma once
#include "afxstr.h"

class CException {
 public:
  virtual ~CException() = default;
  // Disposes of an exception thrown by pointer.
  void Delete() { delete this; }
};

class CFileException : public CException {
 public:
  enum {
    none = 0,
    genericException,
    fileNotFound,
    badPath,
    tooManyOpenFiles,
    accessDenied,
    invalidFile,
    removeCurrentDir,
    directoryFull,
    badSeek,
    hardIO,
    sharingViolation,
    lockViolation,
    diskFull,
    endOfFile
  };
  explicit CFileException(int cause = none, LONG osError = 0) : m_cause(cause), m_lOsError(osError) {}
  int m_cause;
  LONG m_lOsError;
};

class CFile {
 public:
  enum OpenFlags : UINT {
    modeRead = 0x0000,
    modeWrite = 0x0001,
    modeReadWrite = 0x0002,
    shareCompat = 0x0000,
    shareExclusive = 0x0010,
    shareDenyWrite = 0x0020,
    shareDenyRead = 0x0030,
    shareDenyNone = 0x0040,
    modeCreate = 0x1000,
    modeNoTruncate = 0x2000,
    typeText = 0x4000,
    typeBinary = 0x8000,
  };

  CFile() = default;
  // Takes over a file the caller opened; the CFile closes it.
  explicit CFile(HANDLE file) : m_hFile(file) {}
  virtual ~CFile();
  CFile(const CFile&) = delete;
  CFile& operator=(const CFile&) = delete;

  // FALSE when the file cannot be opened (then *error, if given, says why).
  virtual BOOL Open(const char* fileName, UINT openFlags, CFileException* error = nullptr);
  // Writes all count bytes or throws a CFileException* (a short write is a full disk).
  virtual void Write(const void* buffer, UINT count);
  // Reads up to count bytes; the number read, 0 at the end of the file.
  // Throws a CFileException* when the file cannot be read.
  virtual UINT Read(void* buffer, UINT count);
  virtual void Close();

 private:
  HANDLE m_hFile = INVALID_HANDLE_VALUE;
};
