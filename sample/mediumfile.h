// One file of the medium written whole or not at all.
#pragma once
#include <string>

#include "lumiwin.h"
#include "stream.h"
#include "tempfile.h"

// A medium file in the making: written under a temporary name beside it
// (NAME.new) that is made new as the installer makes its own (whatever
// stands there, a link or a file with other names elsewhere, is cleared,
// never written through), and moved over NAME when Commit is called. Until
// then, and after any failure, what was at NAME stays; the temporary file
// is removed when the writer goes unless it was moved.
class MediumFileWriter : public SzddSink {
 public:
  explicit MediumFileWriter(std::string path);
  ~MediumFileWriter() override;
  MediumFileWriter(const MediumFileWriter&) = delete;
  MediumFileWriter& operator=(const MediumFileWriter&) = delete;

  // False with *error set when the temporary file cannot be made.
  bool Open(std::string* error);
  // Every byte, or false (remembered: Close then says why).
  bool Write(const uint8_t* buf, size_t n) override;
  // Closes the temporary file: false with *error set when a write failed.
  bool Close(std::string* error);
  // Moves the closed file over NAME.
  bool Commit(std::string* error);
  void Abandon();

 private:
  std::string path_, temp_;
  CTempFile file_;
  DWORD failed_ = 0;
};

// Writes a whole medium file as MediumFileWriter does. False with *error
// saying why.
bool WriteMediumFile(const std::string& path, const std::string& bytes, std::string* error);
