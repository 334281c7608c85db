// The sample distribution medium: the files of the install manifest
// (manifest.h), named as the program's string table names them, with
// sample contents; compressed (SZDD, last character recorded) where the
// name ends in '_'.
#pragma once
#include <string>
#include <utility>
#include <vector>

#include "lumiwin.h"
#include "stream.h"
#include "tempfile.h"

// What stands at a Windows path when it is no plain file or folder ("a
// FIFO", "a device", "a socket"), as the host can tell; "" otherwise.
using MediumKindOf = std::string (*)(const std::string& path);

// The names of the manifest's files on the medium, where pictures lie flat;
// false with *error set when the manifest cannot be read.
bool MediumNames(std::vector<std::string>& names, std::string* error);

// Writes the medium into folder (a Windows path); false with *error set
// when a file cannot be written.
bool MakeSampleMedium(const std::string& folder, std::string* error);
// The sample contents of the file that expands to that name.
std::string SampleContents(const std::string& expandedName);

// Checks the medium in folder (a Windows path) as the installer will use it:
// every manifest file present, expanding through LZ32 (into nullDevice,
// with the installer's checks) to the length it declares and under the name
// the manifest implies. One line a file, then a summary naming label, into
// report; the number of files with a problem. kindOf (may be null) names
// what stands where a file should.
int CheckMedium(const std::string& folder, const std::string& label, const std::string& nullDevice, std::string& report,
                MediumKindOf kindOf = nullptr);

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
bool SameIgnoringAZCase(const std::string& a, const std::string& b);

// The medium's files from the product as installed in productFolder (a
// Windows path): the six files and the picture folders under their
// installed names, found without regard to case. The string table's manifest
// drives it: each entry whose medium name ends in '_' is to be packed with
// the character its installed name ends in, the others copied. A missing or
// ambiguous file, a link (it may lead out of the product) and anything that
// is no file fail naming it; files the manifest does not name are left out,
// one line each in report. Nothing is read or written. False with *error set.
struct ProductFile {
  std::string mediumName;  // Lumiroll.ex_
  std::string path;        // the product's file of it
  uint8_t recorded;        // the character packing records; 0: copied as it is
};
bool FindProductFiles(const std::string& productFolder, MediumKindOf kindOf, std::vector<ProductFile>& files,
                      std::string& report, std::string* error);
// Packs or copies the files into folder (a Windows path), one at a time
// through fixed buffers, each under its temporary name; once all are whole
// each is moved over its name. A failure names the file and leaves the
// medium's files as they were.
bool WriteProductMedium(const std::string& folder, const std::vector<ProductFile>& files, std::string* error);

// The catalog of the medium in folder (a Windows path): each manifest
// file's name, size and SHA-256 as read now. False with *error set when a
// file cannot be read.
struct CatalogEntry;
bool MeasureMedium(const std::string& folder, std::vector<CatalogEntry>& entries, std::string* error);
// Fills the catalog slot of the setup program at program (a Windows path;
// a PE file's LUMICATALOG resource, or the one slot a native program
// carries) with entries; the program is written anew and moved over its
// name. False with *error naming the program and why.
bool SealProgram(const std::string& program, const std::vector<CatalogEntry>& entries, std::string* error);
// The bytes of the catalog slot of the program at program, read by this
// program itself (the file's bytes, the PE reader); false with why.
using MediumSlotOf = bool (*)(const std::string& program, std::string& slot, std::string& why);
bool ReadProgramSlot(const std::string& program, std::string& slot, std::string& why);
// Checks the medium in folder against the catalog of the setup.exe beside
// it, read through slotOf; one line into report ("catalog: all N files as
// released", or what differs). 1 when it differs or cannot be read; 0 when
// it matches or there is no catalog to check.
int CheckCatalog(const std::string& folder, MediumSlotOf slotOf, std::string& report);

// The mkmedium program: "mkmedium DIR" makes the medium, "mkmedium --check
// DIR" checks one, "mkmedium --from PRODUCT DIR" makes it from the product,
// "mkmedium --seal DIR PROGRAM" fills PROGRAM's catalog slot from DIR.
// folderOf turns the argument into the Windows path of a folder (making it
// when make is set), or says why it cannot; kindOf names what is no file;
// nullDevice is where a check expands to.
using MediumFolderOf = bool (*)(const char* arg, bool make, std::string& folder, std::string& why);
struct MediumHost {
  MediumFolderOf folderOf;
  MediumKindOf kindOf;
  const char* nullDevice;
  MediumSlotOf slotOf;                     // how --check reads setup.exe's catalog
  std::string (*pathOf)(const char* arg);  // a file argument's Windows path
};
int MkmediumMain(int argc, char** argv, const MediumHost& host);
