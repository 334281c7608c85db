// A medium file in the making: the installer's way of writing a file
// (CTempFile), under NAME.new, as a medium is committed only once all its
// files are whole.
#include <utility>

#include "mediumfile.h"
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

MediumFileWriter::MediumFileWriter(std::string path)
    : path_(std::move(path)), temp_(path_ + ".new"), file_(path_.c_str(), temp_.c_str()) {}

MediumFileWriter::~MediumFileWriter() = default;

bool MediumFileWriter::Open(std::string* error) {
  if (file_.Create()) return true;
  if (error) *error = "cannot create " + temp_ + ": " + Cause(::GetLastError());
  return false;
}

bool MediumFileWriter::Write(const uint8_t* buf, size_t n) {
  while (failed_ == 0 && n > 0) {
    const DWORD chunk = n > (1u << 20) ? (1u << 20) : static_cast<DWORD>(n);
    DWORD done = 0;
    if (!::WriteFile(file_.GetHandle(), buf, chunk, &done, nullptr)) {
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
  if (!file_.Close() && failed_ == 0) failed_ = ::GetLastError();
  if (failed_ == 0) return true;
  if (error) *error = "cannot write " + path_ + ": " + Cause(failed_);
  Abandon();
  return false;
}

bool MediumFileWriter::Commit(std::string* error) {
  if (file_.Commit()) return true;
  if (error) *error = "cannot write " + path_ + ": cannot replace it (" + Cause(::GetLastError()) + ")";
  return false;
}

void MediumFileWriter::Abandon() { file_.Abandon(); }

bool WriteMediumFile(const std::string& path, const std::string& bytes, std::string* error) {
  MediumFileWriter file(path);
  if (!file.Open(error)) return false;
  file.Write(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  return file.Close(error) && file.Commit(error);
}
