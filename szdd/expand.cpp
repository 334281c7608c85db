// The SZDD expander: LZSS with a 4096-byte window that starts as spaces and
// is first written at position 4080. The output buffer keeps the last 4096
// bytes made in front of the bytes being made, so a window reference is a
// plain backward copy; input and output stream through fixed buffers, so
// memory stays flat whatever the length.
#include <cstring>
#include <memory>
#include <new>

#include "groups.h"
#include "szdd.h"

namespace {

constexpr size_t kInSize = 1 << 18;
constexpr size_t kOutSize = 1 << 18;

struct Buffers {
  uint8_t in[kInSize + kSzddSlack];
  uint8_t out[kSzddWindow + kOutSize + kSzddSlack];
};

class Expander {
 public:
  Expander(SzddSource& in, SzddSink& out, uint32_t length, Buffers& b) : src_(in), sink_(out), length_(length), b_(b) {}

  SzddResult Run() {
    std::memset(b_.out, ' ', kSzddWindow);
    start_ = b_.out + kSzddWindow;
    o_ = start_;
    Rebase();
    for (;;) {
      if (iEnd_ - ip_ < static_cast<ptrdiff_t>(kSzddGroupIn) && !Refill()) return Done(SzddStatus::kReadError);
      if (ip_ == iEnd_) break;
      if (b_.out + sizeof b_.out - kSzddSlack - o_ < static_cast<ptrdiff_t>(kSzddGroupOut) && !Flush()) {
        return Done(status_);
      }
      if (iEnd_ - ip_ >= static_cast<ptrdiff_t>(kSzddGroupIn)) {
        FastGroups();
      } else if (!LastGroup()) {
        return Done(SzddStatus::kCorrupt);
      }
    }
    if (!Flush(false)) return Done(status_);
    return Done(written_ == length_ ? SzddStatus::kOk : SzddStatus::kCorrupt);
  }

 private:
  SzddResult Done(SzddStatus s) { return {s, written_}; }

  // Where the next byte goes in the ring: (4080 + bytes made) mod 4096.
  void Rebase() { bias_ = kSzddWindow - 16 + written_ - reinterpret_cast<uintptr_t>(start_); }

  // Moves unread input to the front and fills the rest; false on a read error.
  bool Refill() {
    if (eof_) return true;
    size_t left = static_cast<size_t>(iEnd_ - ip_);
    if (left) std::memmove(b_.in, ip_, left);
    ip_ = b_.in;
    iEnd_ = b_.in + left;
    while (!eof_ && iEnd_ < b_.in + kInSize) {
      long n = src_.Read(iEnd_, static_cast<size_t>(b_.in + kInSize - iEnd_));
      if (n < 0) return false;
      if (n == 0) eof_ = true;
      iEnd_ += n;
    }
    return true;
  }

  // Hands what was made to the sink and, unless this is the end, keeps the
  // last 4096 bytes as the window. More than the header declares is
  // corrupt, and is not written.
  bool Flush(bool more = true) {
    size_t n = static_cast<size_t>(o_ - start_);
    if (n == 0) return true;
    if (written_ + n > length_) {
      status_ = SzddStatus::kCorrupt;
      return false;
    }
    if (!sink_.Write(start_, n)) {
      status_ = SzddStatus::kWriteError;
      return false;
    }
    written_ += n;
    if (!more) return true;
    std::memmove(b_.out, o_ - kSzddWindow, kSzddWindow);
    o_ = start_;
    Rebase();
    return true;
  }

  // Whole groups while all their input is at hand and the output has room.
  void FastGroups() {
    SzddCursor at{ip_, o_};
    SzddDecodeGroups(at, iEnd_ - kSzddGroupIn, b_.out + sizeof b_.out - kSzddSlack - kSzddGroupOut, bias_);
    ip_ = at.in;
    o_ = at.out;
  }

  // The last group: the input may end before its eighth item, never inside one.
  bool LastGroup() {
    unsigned ctl = *ip_++;
    for (int item = 0; item < 8 && ip_ < iEnd_; ++item, ctl >>= 1) {
      if (ctl & 1) {
        *o_++ = *ip_++;
      } else {
        if (iEnd_ - ip_ < 2) return false;
        o_ = SzddMatch(ip_, o_, bias_);
        ip_ += 2;
      }
    }
    return true;
  }

  SzddSource& src_;
  SzddSink& sink_;
  uint64_t length_;
  Buffers& b_;
  const uint8_t* ip_ = nullptr;
  uint8_t* iEnd_ = nullptr;
  uint8_t* start_ = nullptr;
  uint8_t* o_ = nullptr;
  uintptr_t bias_ = 0;
  bool eof_ = false;
  uint64_t written_ = 0;
  SzddStatus status_ = SzddStatus::kCorrupt;
};

}  // namespace

SzddResult SzddExpand(SzddSource& in, SzddSink& out, uint32_t length) {
  // One set of buffers a thread, made once: a process expanding many small
  // files (or a fuzzer) does not pay for them each time.
  static thread_local std::unique_ptr<Buffers> buffers;
  if (!buffers) buffers.reset(new (std::nothrow) Buffers());
  if (!buffers) return {SzddStatus::kNoMemory, 0};
  return Expander(in, out, length, *buffers).Run();
}
