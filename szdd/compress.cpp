#include "szdd.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int kWindow = 4096;
constexpr int kMinMatch = 3;
constexpr int kMaxMatch = 18;
constexpr int kHashBits = 15;

struct Match {
  int len = 0;
  int64_t pos = 0;  // position in the extended buffer
};

// Greedy parse with one step of lazy evaluation over hash chains. The buffer
// starts with kWindow spaces, the window's initial contents, so runs of
// spaces at the start are matched as the expander will see them.
class Encoder {
 public:
  Encoder(const uint8_t* data, size_t size, int maxChain) : maxChain_(maxChain) {
    buf_.assign(kWindow, ' ');
    buf_.insert(buf_.end(), data, data + size);
    end_ = static_cast<int64_t>(buf_.size());
    head_.assign(1 << kHashBits, -1);
    prev_.assign(kWindow, -1);
  }

  void Run(std::vector<uint8_t>& out) {
    // The spaces before the data can be matched as well.
    for (int64_t i = 0; i + kMinMatch <= kWindow; ++i) Insert(i);
    inserted_ = kWindow - kMinMatch + 1;
    int64_t i = kWindow;
    Match pending;
    bool havePending = false;
    while (i < end_) {
      Match m = havePending ? pending : Find(i);
      havePending = false;
      if (m.len >= kMinMatch && i + 1 < end_ && m.len < kMaxMatch) {
        Match next = Find(i + 1);
        if (next.len > m.len) {
          Literal(out, buf_[static_cast<size_t>(i)]);
          ++i;
          pending = next;
          havePending = true;
          continue;
        }
      }
      if (m.len >= kMinMatch) {
        Reference(out, m);
        i += m.len;
      } else {
        Literal(out, buf_[static_cast<size_t>(i)]);
        ++i;
      }
    }
  }

 private:
  unsigned Hash(int64_t i) const {
    const uint8_t* p = &buf_[static_cast<size_t>(i)];
    uint32_t v = static_cast<uint32_t>(p[0]) << 16 | static_cast<uint32_t>(p[1]) << 8 | p[2];
    return (v * 2654435761u) >> (32 - kHashBits);
  }

  void Insert(int64_t i) {
    unsigned h = Hash(i);
    prev_[static_cast<size_t>(i & (kWindow - 1))] = head_[h];
    head_[h] = i;
  }

  Match Find(int64_t i) {
    while (inserted_ < i && inserted_ + kMinMatch <= end_) Insert(inserted_++);
    Match best;
    if (i + kMinMatch > end_) return best;
    const int limit = static_cast<int>(std::min<int64_t>(kMaxMatch, end_ - i));
    const uint8_t* cur = &buf_[static_cast<size_t>(i)];
    int64_t cand = head_[Hash(i)];
    int chain = maxChain_;
    while (cand >= 0 && i - cand <= kWindow && chain-- > 0) {
      const uint8_t* c = &buf_[static_cast<size_t>(cand)];
      if (c[best.len < limit ? best.len : 0] == cur[best.len < limit ? best.len : 0]) {
        int len = 0;
        while (len < limit && c[len] == cur[len]) ++len;  // may run into cur: the expander copies forward
        if (len > best.len) {
          best.len = len;
          best.pos = cand;
          if (len == limit) break;
        }
      }
      int64_t next = prev_[static_cast<size_t>(cand & (kWindow - 1))];
      if (next >= cand) break;  // an entry from an older lap of the ring
      cand = next;
    }
    return best;
  }

  void Begin(std::vector<uint8_t>& out) {
    if (items_ == 0) {
      ctlAt_ = out.size();
      out.push_back(0);
    }
  }
  void Done() { items_ = (items_ + 1) & 7; }

  void Literal(std::vector<uint8_t>& out, uint8_t c) {
    Begin(out);
    out[ctlAt_] |= static_cast<uint8_t>(1u << items_);
    out.push_back(c);
    Done();
  }

  void Reference(std::vector<uint8_t>& out, const Match& m) {
    Begin(out);
    // Ring positions: output byte k (buffer index kWindow + k) is written at
    // (4080 + k) mod 4096; an initial space at index j < kWindow stands at
    // (4080 + j - kWindow) mod 4096 as well.
    unsigned ringPos = static_cast<unsigned>((kWindow - 16 + (m.pos - kWindow)) & (kWindow - 1));
    out.push_back(static_cast<uint8_t>(ringPos & 0xFF));
    out.push_back(static_cast<uint8_t>(((ringPos >> 4) & 0xF0) | static_cast<unsigned>(m.len - kMinMatch)));
    Done();
  }

  std::vector<uint8_t> buf_;
  int64_t end_;
  std::vector<int64_t> head_, prev_;
  int64_t inserted_ = 0;
  int maxChain_;
  size_t ctlAt_ = 0;
  int items_ = 0;
};

}  // namespace

std::vector<uint8_t> SzddCompress(const uint8_t* data, size_t size, uint8_t recorded, int maxChain) {
  std::vector<uint8_t> out(kSzddHeaderSize);
  SzddWriteHeader(out.data(), recorded, static_cast<uint32_t>(size));
  out.reserve(out.size() + size / 2 + 64);
  Encoder(data, size, maxChain).Run(out);
  return out;
}
