// A medium file in the making: written under NAME.new, made new as the
// installer makes its temporary file, and moved over NAME once whole.
#include <utility>

#include "medium.h"
#include "tempfile.h"

namespace {
// Why a write or an open failed, from GetLastError.
std::string Cause(DWORD error) {
  switch (error) {
    case ERROR_DISK_FULL:
      return "the disk is full";
    case ERROR_ACCESS_DENIED:
      return "access is denied";
    case ERROR_PATH_NOT_FOUND:
      return "its folder is missing";
    case ERROR_SHARING_VIOLATION:
      return "another program holds it";
    default:
      return "Windows error " + std::to_string(error);
  }
}
}  // namespace

MediumFileWriter::MediumFileWriter(std::string path) : path_(std::move(path)), temp_(path_ + ".new") {}

MediumFileWriter::~MediumFileWriter() { Abandon(); }

bool MediumFileWriter::Open(std::string* error) {
  handle_ = CreateTempFile(temp_.c_str());
  if (handle_ != INVALID_HANDLE_VALUE) {
    made_ = true;
    return true;
  }
  if (error) *error = "cannot create " + temp_ + ": " + Cause(::GetLastError());
  return false;
}

bool MediumFileWriter::Write(const uint8_t* buf, size_t n) {
  while (failed_ == 0 && n > 0) {
    const DWORD chunk = n > (1u << 20) ? (1u << 20) : static_cast<DWORD>(n);
    DWORD done = 0;
    if (!::WriteFile(handle_, buf, chunk, &done, nullptr)) {
      failed_ = ::GetLastError();
    } else if (done == 0) {
      failed_ = ERROR_DISK_FULL;  // a short write: nowhere left to put the bytes
    }
    buf += done;
    n -= done;
  }
  return failed_ == 0;
}

bool MediumFileWriter::Close(std::string* error) {
  if (handle_ != INVALID_HANDLE_VALUE && !::CloseHandle(handle_) && failed_ == 0) failed_ = ::GetLastError();
  handle_ = INVALID_HANDLE_VALUE;
  if (failed_ == 0) return true;
  if (error) *error = "cannot write " + path_ + ": " + Cause(failed_);
  Abandon();
  return false;
}

bool MediumFileWriter::Commit(std::string* error) {
  if (!made_ || !::MoveFileExA(temp_.c_str(), path_.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    if (error) {
      *error = "cannot write " + path_ + ": cannot replace it (" + Cause(made_ ? ::GetLastError() : 0) + ")";
    }
    Abandon();
    return false;
  }
  made_ = false;
  return true;
}

void MediumFileWriter::Abandon() {
  if (handle_ != INVALID_HANDLE_VALUE) ::CloseHandle(handle_);
  handle_ = INVALID_HANDLE_VALUE;
  if (made_) ::DeleteFileA(temp_.c_str());
  made_ = false;
}

bool WriteMediumFile(const std::string& path, const std::string& bytes, std::string* error) {
  MediumFileWriter file(path);
  if (!file.Open(error)) return false;
  file.Write(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  return file.Close(error) && file.Commit(error);
}
