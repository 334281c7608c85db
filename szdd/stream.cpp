#include "stream.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

long SzddMemorySource::Read(uint8_t* buf, size_t n) {
  if (n > left_) n = left_;
  if (n) std::memcpy(buf, p_, n);
  p_ += n;
  left_ -= n;
  return static_cast<long>(n);
}

bool SzddMemorySink::Write(const uint8_t* buf, size_t n) {
  if (n > limit_ - out_.size()) return false;
  out_.insert(out_.end(), buf, buf + n);
  return true;
}

long SzddFdSource::Read(uint8_t* buf, size_t n) {
  for (;;) {
    ssize_t got = read(fd_, buf, n);
    if (got >= 0) return static_cast<long>(got);
    if (errno != EINTR) return -1;
  }
}

bool SzddFdSink::Write(const uint8_t* buf, size_t n) {
  while (n > 0) {
    long k = write_ ? write_(fd_, buf, n) : static_cast<long>(write(fd_, buf, n));
    if (k < 0 && errno == EINTR) continue;
    if (k <= 0) return false;
    buf += k;
    n -= static_cast<size_t>(k);
  }
  return true;
}
