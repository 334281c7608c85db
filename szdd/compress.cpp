// The SZDD compressor: an optimal parse of LZSS over hash chains, streaming
// through fixed buffers. A literal costs nine bits (eight and its flag), a
// window reference seventeen whatever its distance, so with the longest
// match known at every position (every shorter one is there too, at the
// same place) the cheapest parse of a block is found backwards in one pass.
#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "szdd.h"

namespace {

constexpr int kWindow = 4096;
constexpr int kMinMatch = 3;
constexpr int kMaxMatch = 18;
constexpr int kHashBits = 15;
constexpr int kHash3Bits = 16;
constexpr int kBlock = 1 << 16;                                      // positions parsed at a time
constexpr int kLookahead = kMaxMatch + 2;                            // bytes past a block its matches may read
constexpr int kBuffer = kWindow + kBlock + 2 * kLookahead + kBlock;  // history, block, what is read ahead
constexpr size_t kOutFlush = 1 << 16;
constexpr int kLongMatch = 10;    // inside a match this long,
constexpr int kInsideChain = 64;  // a search looks at so many candidates

struct Match {
  int len = 0;
  int64_t pos = 0;  // absolute position
};

class Encoder {
 public:
  Encoder(SzddSource& in, SzddSink& out, uint64_t size, int maxChain)
      : in_(in), out_(out), end_(kWindow + static_cast<int64_t>(size)), maxChain_(maxChain) {}

  SzddResult Run(uint8_t recorded) {
    // Tables sized to the input, so that a small one costs little to set up.
    const int64_t size = end_ - kWindow;
    block_ = static_cast<int>(std::min<int64_t>(kBlock, size + 1));
    while (hashBits_ < kHashBits && (int64_t{1} << hashBits_) < 2 * size) ++hashBits_;
    bufSize_ = static_cast<int>(std::min<int64_t>(kBuffer, kWindow + size + 2 * kLookahead));
    hash3Bits_ = std::min(kHash3Bits, hashBits_ + 1);
    // One allocation for every table (the 64-bit ones first, so each is
    // aligned): a small input costs one allocation, not seven.
    const size_t heads = size_t{1} << hashBits_, heads3 = size_t{1} << hash3Bits_;
    const size_t costs = static_cast<size_t>(block_) + kMaxMatch + 1;
    const size_t wide = heads + heads3 + kWindow + static_cast<size_t>(block_);
    arena_.reset(
        new (std::nothrow)
            uint8_t[wide * sizeof(int64_t) + costs * sizeof(uint32_t) + static_cast<size_t>(bufSize_ + block_)]);
    if (!arena_) return {SzddStatus::kNoMemory, 0};
    head_ = reinterpret_cast<int64_t*>(arena_.get());
    head3_ = head_ + heads;
    prev_ = head3_ + heads3;
    pos_ = prev_ + kWindow;
    cost_ = reinterpret_cast<uint32_t*>(pos_ + block_);
    buf_ = reinterpret_cast<uint8_t*>(cost_ + costs);
    len_ = buf_ + bufSize_;
    // -1 (no position) in every entry: all bytes 0xFF. (A link in prev_ is
    // only read once its position was inserted, which writes it.)
    std::memset(head_, 0xFF, sizeof(int64_t) << hashBits_);
    std::memset(head3_, 0xFF, sizeof(int64_t) << hash3Bits_);
    // Room for what a small input packs to (nine bits a byte at most, with
    // its flag bytes and the header): one allocation; a large one grows.
    pend_.reserve(static_cast<size_t>(std::min<int64_t>(kOutFlush, size + size / 8)) + kSzddHeaderSize + 24);
    pend_.resize(kSzddHeaderSize);
    SzddWriteHeader(pend_.data(), recorded, static_cast<uint32_t>(end_ - kWindow));
    // The window starts as spaces, which the data may refer to as well.
    std::memset(buf_, ' ', kWindow);
    filled_ = kWindow;
    int64_t cur = kWindow;
    if (!Fill(cur)) return {status_, 0};
    // The positions in the spaces, once the data they run into is at hand.
    // Every one more than 18 bytes before the data starts the same 18
    // spaces: the last of those stands for all, being the nearest.
    for (int64_t i = kWindow - kMaxMatch - 1; i + kMinMatch <= kWindow; ++i) Insert(i);
    inserted_ = kWindow - kMinMatch + 1;  // the rest as the search comes to them
    while (cur < end_) {
      cur = Block(cur);
      if (pend_.size() >= kOutFlush && items_ == 0 && !Drain()) return {SzddStatus::kWriteError, 0};
      if (!Fill(cur)) return {status_, 0};  // at the end: the source must end where its size says
    }
    if (!Drain()) return {SzddStatus::kWriteError, 0};
    return {SzddStatus::kOk, written_};
  }

 private:
  uint8_t At(int64_t p) const { return buf_[static_cast<size_t>(p - base_)]; }
  const uint8_t* Ptr(int64_t p) const { return &buf_[static_cast<size_t>(p - base_)]; }

  // Keeps the window before cur, then reads until a block and its lookahead
  // are at hand or the data ends; false on a read error or a source whose
  // length is not its size.
  bool Fill(int64_t cur) {
    int64_t keep = std::max<int64_t>(base_, cur - kWindow);
    if (keep > base_ && cur < end_) {  // at the end no window is needed
      std::memmove(buf_, Ptr(keep), static_cast<size_t>(filled_ - keep));
      base_ = keep;
    }
    while (filled_ < end_ && filled_ - cur < kBlock + 2 * kLookahead) {
      size_t room = static_cast<size_t>(std::min<int64_t>(bufSize_ - (filled_ - base_), end_ - filled_));
      long n = in_.Read(&buf_[static_cast<size_t>(filled_ - base_)], room);
      if (n <= 0) {
        status_ = n < 0 ? SzddStatus::kReadError : SzddStatus::kSizeChanged;
        return false;
      }
      filled_ += n;
    }
    if (filled_ == end_) {  // one byte more would be a source longer than its size
      uint8_t extra;
      long n = in_.Read(&extra, 1);
      if (n != 0) {
        status_ = n < 0 ? SzddStatus::kReadError : SzddStatus::kSizeChanged;
        return false;
      }
    }
    return true;
  }

  // Chains link positions of the same four bytes; a table of three-byte
  // sequences keeps the latest of each, for the shortest matches. (Near the
  // end, where fewer bytes are left, the bytes past it count as 0.)
  unsigned Hash4(int64_t i) const {
    const uint8_t* p = Ptr(i);
    uint32_t v = static_cast<uint32_t>(p[0]) << 16 | static_cast<uint32_t>(p[1]) << 8 | p[2];
    v = v << 8 | (i + 4 <= end_ ? p[3] : 0u);
    return (v * 2654435761u) >> (32 - hashBits_);
  }
  unsigned Hash3(int64_t i) const {
    const uint8_t* p = Ptr(i);
    uint32_t v = static_cast<uint32_t>(p[0]) << 16 | static_cast<uint32_t>(p[1]) << 8 | p[2];
    return (v * 2654435761u) >> (32 - hash3Bits_);
  }

  void Insert(int64_t i) {
    unsigned h = Hash4(i);
    prev_[static_cast<size_t>(i & (kWindow - 1))] = head_[h];
    head_[h] = i;
    head3_[Hash3(i)] = i;
  }

  // The match at i from cand, as long as it goes (cand may be i itself: none).
  Match Extend(int64_t i, int64_t cand) const {
    const int limit = static_cast<int>(std::min<int64_t>(kMaxMatch, end_ - i));
    Match m{0, cand};
    if (cand >= i) return m;
    const uint8_t *c = Ptr(cand), *cur = Ptr(i);
    while (m.len < limit && c[m.len] == cur[m.len]) ++m.len;
    return m;
  }

  // The longest match at i, searching chain candidates, or best if none is longer.
  Match Find(int64_t i, int chain, Match best) {
    while (inserted_ < i && inserted_ + kMinMatch <= end_) Insert(inserted_++);
    if (i + kMinMatch > end_) return best;
    const int limit = static_cast<int>(std::min<int64_t>(kMaxMatch, end_ - i));
    const uint8_t* cur = Ptr(i);
    int64_t three = head3_[Hash3(i)];
    if (best.len < kMinMatch && three >= 0 && three < i && i - three <= kWindow) {
      Match m = Extend(i, three);
      if (m.len >= kMinMatch) best = m;
    }
    int64_t cand = head_[Hash4(i)];
    while (best.len < limit && cand >= 0 && i - cand <= kWindow && chain-- > 0) {
      const uint8_t* c = Ptr(cand);
      if (c[best.len] == cur[best.len]) {
        int len = 0;
        while (len < limit && c[len] == cur[len]) ++len;  // may run into cur: the expander copies forward
        if (len > best.len) {
          best.len = len;
          best.pos = cand;
        }
      }
      int64_t next = prev_[static_cast<size_t>(cand & (kWindow - 1))];
      if (next >= cand) break;  // an entry from an older lap of the ring
      cand = next;
    }
    return best;
  }

  // Parses the positions from cur to the block's end at least and writes
  // their items; returns where the next block starts.
  int64_t Block(int64_t cur) {
    const int64_t stop = std::min<int64_t>(end_, cur + block_);
    const int n = static_cast<int>(stop - cur);
    for (int k = 0; k < n; ++k) {
      // Inside a match, the same place one byte on matches at least one
      // byte less, often as long again: the search starts from there, and
      // inside a long match a short search finds what a longer one would,
      // mostly (once the longest length is reached, none can find longer).
      Match m;
      if (k > 0 && len_[k - 1] > kMinMatch) m = Extend(cur + k, pos_[k - 1] + 1);
      if (m.len < kMinMatch) m = Match{};
      m = Find(cur + k, m.len >= kLongMatch ? kInsideChain : maxChain_, m);
      len_[k] = static_cast<uint8_t>(m.len >= kMinMatch ? m.len : 0);
      pos_[k] = m.pos;
    }
    // cost_[k]: bits from cur + k to the end of the block; past it, nothing.
    std::fill(cost_ + n, cost_ + n + kMaxMatch + 1, 0u);
    for (int k = n - 1; k >= 0; --k) {
      uint32_t best = 9 + cost_[k + 1];
      for (int l = kMinMatch; l <= len_[k]; ++l) best = std::min(best, 17 + cost_[k + l]);
      cost_[k] = best;
    }
    int k = 0;
    while (k < n) {
      int take = 0;  // the longest reference on a cheapest parse, else a literal
      for (int l = len_[k]; l >= kMinMatch && !take; --l) {
        if (17 + cost_[k + l] == cost_[k]) take = l;
      }
      if (take) {
        Reference(pos_[k], take);
        k += take;
      } else {
        Literal(At(cur + k));
        ++k;
      }
    }
    return cur + k;
  }

  void Begin() {
    if (items_ == 0) {
      ctlAt_ = pend_.size();
      pend_.push_back(0);
    }
  }
  void Done() { items_ = (items_ + 1) & 7; }

  void Literal(uint8_t c) {
    Begin();
    pend_[ctlAt_] |= static_cast<uint8_t>(1u << items_);
    pend_.push_back(c);
    Done();
  }

  void Reference(int64_t from, int len) {
    Begin();
    // Ring positions: data byte k (absolute position kWindow + k) is written
    // at (4080 + k) mod 4096; an initial space at j < kWindow stands at
    // (4080 + j - kWindow) mod 4096 as well.
    unsigned ringPos = static_cast<unsigned>((from - 16) & (kWindow - 1));
    pend_.push_back(static_cast<uint8_t>(ringPos & 0xFF));
    pend_.push_back(static_cast<uint8_t>(((ringPos >> 4) & 0xF0) | static_cast<unsigned>(len - kMinMatch)));
    Done();
  }

  bool Drain() {
    if (!out_.Write(pend_.data(), pend_.size())) return false;
    written_ += pend_.size();
    pend_.clear();
    return true;
  }

  SzddSource& in_;
  SzddSink& out_;
  const int64_t end_;  // absolute end: the data starts at kWindow
  const int maxChain_;
  std::unique_ptr<uint8_t[]> arena_;  // holds the tables below
  int64_t* head_ = nullptr;
  int64_t* head3_ = nullptr;
  int64_t* prev_ = nullptr;
  int64_t* pos_ = nullptr;  // where each position's longest match is
  uint32_t* cost_ = nullptr;
  uint8_t* buf_ = nullptr;
  uint8_t* len_ = nullptr;
  std::vector<uint8_t> pend_;  // items not yet handed to the sink
  int64_t base_ = 0, filled_ = 0, inserted_ = 0;
  int block_ = kBlock, bufSize_ = kBuffer, hashBits_ = 8, hash3Bits_ = 8;
  size_t ctlAt_ = 0;
  int items_ = 0;
  uint64_t written_ = 0;
  SzddStatus status_ = SzddStatus::kReadError;
};

}  // namespace

SzddResult SzddCompress(SzddSource& in, SzddSink& out, uint64_t size, uint8_t recorded, int maxChain) {
  if (size > 0xFFFFFFFFull) return {SzddStatus::kTooLarge, 0};
  return Encoder(in, out, size, maxChain).Run(recorded);
}

std::vector<uint8_t> SzddCompress(const uint8_t* data, size_t size, uint8_t recorded, int maxChain) {
  std::vector<uint8_t> packed;
  packed.reserve(size + size / 8 + kSzddHeaderSize + 2);
  SzddMemorySource in(data, size);
  SzddMemorySink out(packed);
  SzddCompress(in, out, size, recorded, maxChain);
  return packed;
}
