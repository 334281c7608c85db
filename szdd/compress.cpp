// The SZDD compressor: an optimal parse of LZSS over the exact longest match
// at every position, streaming through fixed buffers. A literal costs nine
// bits (eight and its flag), a window reference seventeen whatever its
// distance, so with the longest match known at every position (every shorter
// one is there too, at the same place) the cheapest parse of a block is found
// backwards in one pass.
//
// The matches come from binary search trees, one per hash of three bytes, of
// the positions in the window ordered by the 18 bytes that start there: the
// newest position is the root and every node is newer than its children, so
// a tree holds the window and nothing older once it is cut at the first node
// out of reach. Inserting a position walks from the root to where it sorts;
// its nearest neighbours in that order lie on the walk, and of all positions
// they share the most bytes with it: the longest match over the whole window
// is found by every insertion, with no bound on the search.
#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "szdd.h"

namespace {

// A reference reaches 1 to 4096 bytes back: (ring position written to -
// position read - 1) mod 4096, plus one. At 4096 it reads the ring position
// about to be written, which still holds the byte from 4096 back: every
// expander reads each byte before it writes the next.
constexpr int kWindow = 4096;
constexpr int kMinMatch = 3;
constexpr int kMaxMatch = 18;
constexpr int kHashBits = 14;
constexpr int kBlock = 1 << 16;            // positions parsed at a time
constexpr int kLookahead = kMaxMatch + 2;  // bytes past a block its matches may read
// History, block, what is read ahead, and room for the fill past the end.
constexpr int kBuffer = kWindow + kBlock + 2 * kLookahead + kBlock + kMaxMatch;
constexpr size_t kOutFlush = 1 << 16;
constexpr int64_t kNone = INT64_MIN / 2;  // no position: out of every window
// The tree links: two a position, for positions up to twice the window back
// (a position 4096 back is in reach while the current one is inserted).
constexpr int kSlots = 2 * kWindow;

struct Match {
  int len = 0;
  int64_t pos = 0;  // absolute position
};

// How many of the kMaxMatch bytes at a and b agree, known to agree up to len.
inline int Common(const uint8_t* a, const uint8_t* b, int len) {
  while (len + 8 <= kMaxMatch) {
    uint64_t x, y;
    std::memcpy(&x, a + len, 8);
    std::memcpy(&y, b + len, 8);
    if (x != y) return len + __builtin_ctzll(x ^ y) / 8;  // little-endian: the first byte is the lowest
    len += 8;
  }
  while (len < kMaxMatch && a[len] == b[len]) ++len;
  return len;
}

class Encoder {
 public:
  Encoder(SzddSource& in, SzddSink& out, uint64_t size)
      : in_(in), out_(out), end_(kWindow + static_cast<int64_t>(size)) {}

  SzddResult Run(uint8_t recorded) {
    // Tables sized to the input, so that a small one costs little to set up.
    const int64_t size = end_ - kWindow;
    block_ = static_cast<int>(std::min<int64_t>(kBlock, size + 1));
    while (hashBits_ < kHashBits && (int64_t{1} << hashBits_) < 2 * size) ++hashBits_;
    bufSize_ = static_cast<int>(std::min<int64_t>(kBuffer, kWindow + size + 2 * kLookahead + kMaxMatch));
    // One allocation for every table, the 64-bit ones first so that each is
    // aligned.
    const size_t heads = size_t{1} << hashBits_;
    const size_t costs = static_cast<size_t>(block_) + kMaxMatch + 1;
    const size_t wide = heads + 2 * kSlots + static_cast<size_t>(block_);
    arena_.reset(
        new (std::nothrow)
            uint8_t[wide * sizeof(int64_t) + costs * sizeof(uint32_t) + static_cast<size_t>(bufSize_ + block_)]);
    if (!arena_) return {SzddStatus::kNoMemory, 0};
    head_ = reinterpret_cast<int64_t*>(arena_.get());
    son_ = head_ + heads;
    pos_ = son_ + 2 * kSlots;
    cost_ = reinterpret_cast<uint32_t*>(pos_ + block_);
    buf_ = reinterpret_cast<uint8_t*>(cost_ + costs);
    len_ = buf_ + bufSize_;
    // Every tree empty. (A position's links are written when it is
    // inserted, before any walk reads them.)
    std::fill(head_, head_ + heads, kNone);
    // The output of a block at most, past what is flushed: one allocation.
    pend_.reserve(static_cast<size_t>(std::min<int64_t>(kOutFlush, size + size / 8)) + kSzddHeaderSize + 24 +
                  (size > static_cast<int64_t>(kOutFlush) ? static_cast<size_t>(kBlock + kMaxMatch) * 9 / 8 + 2 : 0));
    pend_.resize(kSzddHeaderSize);
    SzddWriteHeader(pend_.data(), recorded, static_cast<uint32_t>(size));
    // The window starts as spaces, which the data may refer to as well.
    std::memset(buf_, ' ', kWindow);
    filled_ = kWindow;
    int64_t cur = kWindow;
    if (!Fill(cur)) return {status_, 0};
    // The positions in the spaces, once the data they run into is at hand.
    // Every one 18 or more bytes before the data starts the same 18 spaces:
    // the last of those stands for all, being the nearest.
    next_ = kWindow - kMaxMatch;
    while (cur < end_) {
      cur = Block(cur);
      if (pend_.size() >= kOutFlush && !Drain()) return {SzddStatus::kWriteError, 0};
      if (!Fill(cur)) return {status_, 0};  // at the end: the source must end where its size says
    }
    if (!Drain(true)) return {SzddStatus::kWriteError, 0};
    return {SzddStatus::kOk, written_};
  }

 private:
  uint8_t At(int64_t p) const { return buf_[static_cast<size_t>(p - base_)]; }
  const uint8_t* Ptr(int64_t p) const { return &buf_[static_cast<size_t>(p - base_)]; }
  int64_t* Links(int64_t p) { return &son_[2 * static_cast<size_t>(p & (kSlots - 1))]; }

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
      size_t room = static_cast<size_t>(std::min<int64_t>(bufSize_ - kMaxMatch - (filled_ - base_), end_ - filled_));
      long n = in_.Read(&buf_[static_cast<size_t>(filled_ - base_)], room);
      if (n <= 0) {
        status_ = n < 0 ? SzddStatus::kReadError : SzddStatus::kSizeChanged;
        return false;
      }
      filled_ += n;
    }
    if (filled_ == end_) {
      // Past the end, the same fill whenever it is read, so that the trees
      // order the last positions alike every time (what a match reads of it
      // is cut off).
      std::memset(&buf_[static_cast<size_t>(end_ - base_)], 0, kMaxMatch);
      uint8_t extra;  // one byte more would be a source longer than its size
      long n = in_.Read(&extra, 1);
      if (n != 0) {
        status_ = n < 0 ? SzddStatus::kReadError : SzddStatus::kSizeChanged;
        return false;
      }
    }
    return true;
  }

  unsigned Hash3(int64_t i) const {
    const uint8_t* p = Ptr(i);
    uint32_t v = static_cast<uint32_t>(p[0]) << 16 | static_cast<uint32_t>(p[1]) << 8 | p[2];
    return (v * 2654435761u) >> (32 - hashBits_);
  }

  // Inserts position i into its tree as the new root and returns the
  // longest match there: the nodes less than i go to its left, the greater
  // to its right, and a node equal to it in all 18 bytes gives way to it.
  // Each walk from the root passes the nodes nearest i in order, so the
  // longest match is met on the way.
  Match Insert(int64_t i) {
    const unsigned h = Hash3(i);
    int64_t node = head_[h];
    head_[h] = i;
    int64_t* less = Links(i);  // where the next node less than i hangs
    int64_t* greater = less + 1;
    int lessLen = 0, greaterLen = 0;  // what the nodes between them share with i
    const uint8_t* key = Ptr(i);
    Match best;
    while (i - node <= kWindow) {
      const uint8_t* c = Ptr(node);
      const int len = Common(c, key, std::min(lessLen, greaterLen));
      int64_t* kids = Links(node);
      if (len > best.len) best = Match{len, node};
      if (len == kMaxMatch) {
        *less = kids[0];
        *greater = kids[1];
        return best;
      }
      if (c[len] < key[len]) {
        *less = node;
        less = &kids[1];
        node = kids[1];
        lessLen = len;
      } else {
        *greater = node;
        greater = &kids[0];
        node = kids[0];
        greaterLen = len;
      }
    }
    *less = *greater = kNone;
    return best;
  }

  // The longest match at i (past the end of the data, nothing matches).
  Match Find(int64_t i) {
    if (i + kMinMatch > end_) return Match{};
    Match m = Insert(i);
    m.len = static_cast<int>(std::min<int64_t>(m.len, end_ - i));
    return m;
  }

  // Parses the positions from cur to the block's end at least and writes
  // their items; returns where the next block starts.
  int64_t Block(int64_t cur) {
    while (next_ < cur) Find(next_++);  // what the last reference passed over, and the spaces
    const int64_t stop = std::min<int64_t>(end_, cur + block_);
    const int n = static_cast<int>(stop - cur);
    for (int k = 0; k < n; ++k) {
      const Match m = Find(cur + k);
      len_[k] = static_cast<uint8_t>(m.len >= kMinMatch ? m.len : 0);
      pos_[k] = m.pos;
    }
    next_ = stop;
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

  // Hands the finished groups to the sink (all, at the end), keeping the
  // one whose flag byte is still being written; so the pending bytes never
  // grow past what one block adds to a flush's worth.
  bool Drain(bool all = false) {
    const size_t n = all || items_ == 0 ? pend_.size() : ctlAt_;
    if (!out_.Write(pend_.data(), n)) return false;
    written_ += n;
    pend_.erase(pend_.begin(), pend_.begin() + static_cast<ptrdiff_t>(n));
    ctlAt_ -= std::min(ctlAt_, n);
    return true;
  }

  SzddSource& in_;
  SzddSink& out_;
  const int64_t end_;                 // absolute end: the data starts at kWindow
  std::unique_ptr<uint8_t[]> arena_;  // holds the tables below
  int64_t* head_ = nullptr;           // the root of each tree
  int64_t* son_ = nullptr;            // each position's less and greater subtrees
  int64_t* pos_ = nullptr;            // where each position's longest match is
  uint32_t* cost_ = nullptr;
  uint8_t* buf_ = nullptr;
  uint8_t* len_ = nullptr;
  std::vector<uint8_t> pend_;  // items not yet handed to the sink
  int64_t base_ = 0, filled_ = 0, next_ = 0;
  int block_ = kBlock, bufSize_ = kBuffer, hashBits_ = 8;
  size_t ctlAt_ = 0;
  int items_ = 0;
  uint64_t written_ = 0;
  SzddStatus status_ = SzddStatus::kReadError;
};

}  // namespace

SzddResult SzddCompress(SzddSource& in, SzddSink& out, uint64_t size, uint8_t recorded) {
  if (size > 0xFFFFFFFFull) return {SzddStatus::kTooLarge, 0};
  return Encoder(in, out, size).Run(recorded);
}

std::string SzddCompressFailure(SzddStatus status) {
  switch (status) {
    case SzddStatus::kOk:
      return "";
    case SzddStatus::kReadError:
      return "cannot read it";
    case SzddStatus::kSizeChanged:
      return "it changed while it was read";
    case SzddStatus::kNoMemory:
      return "out of memory";
    case SzddStatus::kTooLarge:
      return "too large to pack: the format holds at most 4294967295 bytes";
    default:
      return "cannot write it";
  }
}

std::vector<uint8_t> SzddCompress(const uint8_t* data, size_t size, uint8_t recorded) {
  std::vector<uint8_t> packed;
  packed.reserve(size + size / 8 + kSzddHeaderSize + 2);
  SzddMemorySource in(data, size);
  SzddMemorySink out(packed);
  SzddCompress(in, out, size, recorded);
  return packed;
}
