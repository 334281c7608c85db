// The SZDD expander: LZSS with a 4096-byte window that starts as spaces and
// is first written at position 4080. The output buffer keeps the last 4096
// bytes made in front of the bytes being made, so a window reference is a
// plain backward copy; input and output stream through fixed buffers, so
// memory stays flat whatever the length.
#include <cstring>
#include <memory>
#include <new>

#include "szdd.h"

namespace {

constexpr size_t kWindow = 4096;
constexpr size_t kInSize = 1 << 18;
constexpr size_t kOutSize = 1 << 18;
constexpr size_t kSlack = 32;      // over-copies land here
constexpr size_t kGroupIn = 17;    // a flag byte and eight two-byte references
constexpr size_t kGroupOut = 144;  // eight references of 18 bytes

struct Buffers {
  uint8_t in[kInSize + kSlack];
  uint8_t out[kWindow + kOutSize + kSlack];
};

class Expander {
 public:
  Expander(SzddSource& in, SzddSink& out, uint32_t length, Buffers& b) : src_(in), sink_(out), length_(length), b_(b) {}

  SzddResult Run() {
    std::memset(b_.out, ' ', kWindow);
    start_ = b_.out + kWindow;
    o_ = start_;
    Rebase();
    for (;;) {
      if (iEnd_ - ip_ < static_cast<ptrdiff_t>(kGroupIn) && !Refill()) return Done(SzddStatus::kReadError);
      if (ip_ == iEnd_) break;
      if (b_.out + sizeof b_.out - kSlack - o_ < static_cast<ptrdiff_t>(kGroupOut) && !Flush()) return Done(status_);
      if (iEnd_ - ip_ >= static_cast<ptrdiff_t>(kGroupIn)) {
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
  void Rebase() { bias_ = kWindow - 16 + written_ - reinterpret_cast<uintptr_t>(start_); }

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
    std::memmove(b_.out, o_ - kWindow, kWindow);
    o_ = start_;
    Rebase();
    return true;
  }

  // One reference at o: returns the end of what it wrote. Locals rather than
  // members, as a byte store may alias a member pointer for the compiler.
  static uint8_t* Match(const uint8_t* p, uint8_t* o, uintptr_t bias) {
    unsigned pos = p[0] | ((p[1] & 0xF0u) << 4);
    unsigned len = (p[1] & 0x0Fu) + 3;
    unsigned r = static_cast<unsigned>((reinterpret_cast<uintptr_t>(o) + bias) & (kWindow - 1));
    unsigned d = ((r - pos - 1) & (kWindow - 1)) + 1;  // 1 to 4096 bytes back
    const uint8_t* from = o - d;
    if (__builtin_expect(d >= 18, 1)) {
      std::memcpy(o, from, 18);
    } else {
      for (unsigned k = 0; k < len; ++k) o[k] = from[k];
    }
    return o + len;
  }

  // Groups of eight items while all their input is at hand and the output
  // has room. A group goes reference by reference, each after the run of
  // literals before it (maybe none), then the literals after the last one:
  // a run goes eight bytes at a time and the bytes copied past it are
  // written over next. The one branch that depends on the data is the
  // loop over a group's references.
  void FastGroups() {
    uint8_t* ip = ip_;
    uint8_t* o = o_;
    const uint8_t* const iLast = iEnd_ - kGroupIn;
    uint8_t* const oLast = b_.out + sizeof b_.out - kSlack - kGroupOut;
    const uintptr_t bias = bias_;
    while (ip <= iLast && o <= oLast) {
      unsigned refs = ~static_cast<unsigned>(*ip++) & 0xFFu;  // a clear flag bit is a reference
      unsigned item = 0;                                      // the items of the group done so far
      while (refs) {
        const unsigned at = static_cast<unsigned>(__builtin_ctz(refs));
        const unsigned run = at - item;
        std::memcpy(o, ip, 8);
        o += run;
        ip += run;
        o = Match(ip, o, bias);
        ip += 2;
        item = at + 1;
        refs &= refs - 1;
      }
      const unsigned run = 8 - item;
      std::memcpy(o, ip, 8);
      o += run;
      ip += run;
    }
    ip_ = ip;
    o_ = o;
  }

  // The last group: the input may end before its eighth item, never inside one.
  bool LastGroup() {
    unsigned ctl = *ip_++;
    for (int item = 0; item < 8 && ip_ < iEnd_; ++item, ctl >>= 1) {
      if (ctl & 1) {
        *o_++ = *ip_++;
      } else {
        if (iEnd_ - ip_ < 2) return false;
        o_ = Match(ip_, o_, bias_);
        ip_ += 2;
      }
    }
    return true;
  }

  SzddSource& src_;
  SzddSink& sink_;
  uint64_t length_;
  Buffers& b_;
  uint8_t* ip_ = nullptr;
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
