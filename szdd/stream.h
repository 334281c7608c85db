// Where SZDD bytes come from and go to: one small interface each, so that
// the expander and the compressor run over files, memory, or whatever a
// test or fuzzer passes in. Two adapters: memory spans and file descriptors.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

class SzddSource {
 public:
  virtual ~SzddSource() = default;
  // Reads up to n bytes into buf: the number read, 0 at the end, or -1 when
  // the source cannot be read.
  virtual long Read(uint8_t* buf, size_t n) = 0;
};

class SzddSink {
 public:
  virtual ~SzddSink() = default;
  // Writes all n bytes, or returns false.
  virtual bool Write(const uint8_t* buf, size_t n) = 0;
};

class SzddMemorySource : public SzddSource {
 public:
  SzddMemorySource(const uint8_t* data, size_t size) : p_(data), left_(size) {}
  long Read(uint8_t* buf, size_t n) override;

 private:
  const uint8_t* p_;
  size_t left_;
};

// Appends to a vector, up to limit bytes in all (a write past it fails).
class SzddMemorySink : public SzddSink {
 public:
  explicit SzddMemorySink(std::vector<uint8_t>& out, size_t limit = SIZE_MAX) : out_(out), limit_(limit) {}
  bool Write(const uint8_t* buf, size_t n) override;

 private:
  std::vector<uint8_t>& out_;
  size_t limit_;
};

// A descriptor the caller opened and closes.
class SzddFdSource : public SzddSource {
 public:
  explicit SzddFdSource(int fd) : fd_(fd) {}
  long Read(uint8_t* buf, size_t n) override;

 private:
  int fd_;
};

// Writes through write(2), or through another function of its form (one
// that may write fewer bytes than asked, or fail with errno set).
class SzddFdSink : public SzddSink {
 public:
  using WriteFn = long (*)(int fd, const void* buf, size_t n);
  explicit SzddFdSink(int fd, WriteFn write = nullptr) : fd_(fd), write_(write) {}
  bool Write(const uint8_t* buf, size_t n) override;

 private:
  int fd_;
  WriteFn write_;
};
