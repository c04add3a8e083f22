#include "remote/CTavoArchiverEncoder.h"

#include <bit>
#include <cstring>

#include "remote/CTavoCrc16.h"

namespace {

constexpr int NIL = 0;
// Marks an inner node whose position is only a lower bound: updates stop
// there and the next walk through it carries them on upwards.
constexpr unsigned PERC_FLAG = 0x8000;

}  // namespace

CTavoArchiverEncoder::CTavoArchiverEncoder() = default;

unsigned CTavoArchiverEncoder::readSource(unsigned char* p, unsigned n) {
  unsigned left = srcSize_ - consumed_;
  if (n > left) n = left;
  if (n == 0) return 0;
  std::memcpy(p, src_ + consumed_, n);
  crc_ = CTavoCrc16::Update(crc_, p, n);
  consumed_ += n;
  return n;
}

// ---- bit output -----------------------------------------------------------

// Bits gather in a word and go out as whole bytes. A byte goes out only
// while the coded stream is still shorter than the input read so far;
// otherwise the block counts as incompressible. The input read changes only
// between blocks, so checking bytes a few calls late decides the same.
inline void CTavoArchiverEncoder::putbits(int n, unsigned x) {
  bitbuf_ = (bitbuf_ << n) | x;
  bitcount_ += n;
  if (bitcount_ >= 32) flushbits();
}

void CTavoArchiverEncoder::flushbits() {
  while (bitcount_ >= 8) {
    bitcount_ -= 8;
    if (compsize_ < consumed_) {
      out_[compsize_++] = static_cast<unsigned char>(bitbuf_ >> bitcount_);
    } else {
      unpackable_ = true;
    }
  }
}

// ---- match search ---------------------------------------------------------
//
// Node numbers: 1 .. kDicSize-1 inner nodes, kDicSize .. kDicSize+255 the
// roots (one per first byte), kDicSize .. 2*kDicSize-1 the leaves (text
// positions). Roots and leaves share numbers but never the same fields.
// Children hang in hash chains keyed by (node, byte): a chain starts at its
// bucket's head word and goes on through the nodes' next words; prev_ names
// the word that points at a node, so unlinking needs no search.

inline int CTavoArchiverEncoder::Head(int q, int c) {
  const uint32_t key = (static_cast<uint32_t>(q) << 8) | static_cast<uint32_t>(c);
  return kHeadBase + static_cast<int>((key * 2654435761u) >> (32 - kHashBits));
}

void CTavoArchiverEncoder::init_slide() {
  for (int i = kDicSize; i <= kDicSize + 255; i++) {
    level(i) = 1;
    position(i) = NIL;
  }
  for (int i = kDicSize; i < kDicSize * 2; i++) parent(i) = NIL;
  avail_ = 1;
  for (int i = 1; i < kDicSize - 1; i++) next(i) = static_cast<uint16_t>(i + 1);
  next(kDicSize - 1) = NIL;
  for (int i = kHeadBase; i < kWords; i++) words_[i] = NIL;
}

inline int CTavoArchiverEncoder::child(int q, int c) {
  int r = words_[Head(q, c)];
  parent(NIL) = static_cast<uint16_t>(q);  // sentinel ends the walk
  // Chains are mostly one or two long, and whether the first entry is the
  // one sought is a coin toss: take the first steps without branching.
  r = parent(r) == q ? r : next(r);
  r = parent(r) == q ? r : next(r);
  while (parent(r) != q) r = next(r);
  return r;
}

inline void CTavoArchiverEncoder::makechild(int q, int c, int r) {
  const int h = Head(q, c);
  const int t = words_[h];
  words_[h] = static_cast<uint16_t>(r);
  next(r) = static_cast<uint16_t>(t);
  prev_[t] = NextWord(r);
  prev_[r] = static_cast<uint32_t>(h);
  parent(r) = static_cast<uint16_t>(q);
  childcount_[q]++;
}

// r takes old's place in old's chain.
inline void CTavoArchiverEncoder::relink(int old, int r) {
  const uint32_t w = prev_[old];
  prev_[r] = w;
  words_[w] = static_cast<uint16_t>(r);
  const int t = next(old);
  next(r) = static_cast<uint16_t>(t);
  prev_[t] = NextWord(r);
}

inline void CTavoArchiverEncoder::unlink(int r) {
  const uint32_t w = prev_[r];
  const int t = next(r);
  words_[w] = static_cast<uint16_t>(t);
  prev_[t] = w;
}

inline void CTavoArchiverEncoder::split(int old) {
  const int nw = avail_;
  // Both new children's chain heads are far apart: ask for them first.
  __builtin_prefetch(&words_[Head(nw, text_[matchpos_ + matchlen_])]);
  __builtin_prefetch(&words_[Head(nw, text_[pos_ + matchlen_])]);
  avail_ = next(nw);
  childcount_[nw] = 0;
  relink(old, nw);
  parent(nw) = parent(old);
  level(nw) = static_cast<uint8_t>(matchlen_);
  position(nw) = static_cast<uint16_t>(pos_);
  makechild(nw, text_[matchpos_ + matchlen_], old);
  makechild(nw, text_[pos_ + matchlen_], pos_);
}

inline void CTavoArchiverEncoder::insert_node() {
  int q, r, t;
  if (matchlen_ >= 4) {
    // The previous match, one byte shorter, starts right after the previous
    // match position: climb from that leaf instead of searching from a root.
    matchlen_--;
    r = (matchpos_ + 1) | kDicSize;
    while ((q = parent(r)) == NIL) r = next(r);
    while (level(q) >= matchlen_) {
      r = q;
      q = parent(q);
    }
    t = q;
    while (position(t) & PERC_FLAG) {
      position(t) = static_cast<uint16_t>(pos_);
      t = parent(t);
    }
    if (t < kDicSize) position(t) = static_cast<uint16_t>(pos_ | PERC_FLAG);
  } else {
    q = text_[pos_] + kDicSize;
    int c = text_[pos_ + 1];
    if ((r = child(q, c)) == NIL) {
      makechild(q, c, pos_);
      matchlen_ = 1;
      return;
    }
    matchlen_ = 2;
  }
  for (;;) {
    int j;
    if (r >= kDicSize) {
      j = kMaxMatch;
      matchpos_ = r;
    } else {
      j = level(r);
      matchpos_ = position(r) & ~PERC_FLAG;
    }
    if (matchpos_ >= pos_) matchpos_ -= kDicSize;
    const unsigned char* t1 = &text_[pos_ + matchlen_];
    const unsigned char* t2 = &text_[matchpos_ + matchlen_];
    while (matchlen_ < j) {
      if (*t1 != *t2) {
        split(r);
        return;
      }
      matchlen_++;
      t1++;
      t2++;
    }
    if (matchlen_ >= kMaxMatch) break;
    position(r) = static_cast<uint16_t>(pos_);
    q = r;
    if ((r = child(q, *t1)) == NIL) {
      makechild(q, *t1, pos_);
      return;
    }
    matchlen_++;
  }
  // A full-length match: the new leaf takes the old leaf's place, and the
  // old one points at its successor so the climb above can follow it.
  relink(r, pos_);
  parent(pos_) = static_cast<uint16_t>(q);
  parent(r) = NIL;
  next(r) = static_cast<uint16_t>(pos_);
}

inline void CTavoArchiverEncoder::delete_node() {
  if (parent(pos_) == NIL) return;
  unlink(pos_);
  const int r = parent(pos_);
  parent(pos_) = NIL;
  if (r >= kDicSize || --childcount_[r] > 1) return;
  // r is left with one child: carry its position up, then put the child in
  // r's place and free r.
  int t = position(r) & ~PERC_FLAG;
  if (t >= pos_) t -= kDicSize;
  int s = t;
  int q = parent(r);
  unsigned u;
  while ((u = position(q)) & PERC_FLAG) {
    u &= ~PERC_FLAG;
    if (static_cast<int>(u) >= pos_) u -= kDicSize;
    if (static_cast<int>(u) > s) s = static_cast<int>(u);
    position(q) = static_cast<uint16_t>(s | kDicSize);
    q = parent(q);
  }
  if (q < kDicSize) {
    if (static_cast<int>(u) >= pos_) u -= kDicSize;
    if (static_cast<int>(u) > s) s = static_cast<int>(u);
    position(q) = static_cast<uint16_t>(s | kDicSize | PERC_FLAG);
  }
  s = child(r, text_[t + level(r)]);
  unlink(s);
  relink(r, s);
  parent(s) = parent(r);
  parent(r) = NIL;
  next(r) = static_cast<uint16_t>(avail_);
  avail_ = r;
}

inline void CTavoArchiverEncoder::get_next_match() {
  remainder_--;
  if (++pos_ == kDicSize * 2) {
    std::memmove(&text_[0], &text_[kDicSize], kDicSize + kMaxMatch);
    remainder_ += static_cast<int>(readSource(&text_[kDicSize + kMaxMatch], kDicSize));
    pos_ = kDicSize;
  }
  // The next call unlinks the following leaf: start loading its neighbours
  // now, so that the waits overlap with this position's walk.
  if (pos_ + 1 < kDicSize * 2) {
    const int p = pos_ + 1;
    __builtin_prefetch(&words_[prev_[p]]);
    __builtin_prefetch(&prev_[next(p)]);
    __builtin_prefetch(&position(parent(p)));
  }
  delete_node();
  insert_node();
}

// ---- Huffman stage --------------------------------------------------------

// The code lengths of the literal/length table are sent as codes of the
// small table: 0-2 for runs of zero lengths (with extra bits for longer
// runs), k + 2 for a length k. Counting and writing walk them alike.
template <class Emit>
void CTavoArchiverEncoder::for_each_c_len_code(int n, Emit emit) const {
  int i = 0;
  while (i < n) {
    int k = c_len_[i++];
    if (k == 0) {
      int count = 1;
      while (i < n && c_len_[i] == 0) {
        i++;
        count++;
      }
      if (count <= 2) {
        for (k = 0; k < count; k++) emit(0, 0, 0u);
      } else if (count <= 18) {
        emit(1, 4, static_cast<unsigned>(count - 3));
      } else if (count == 19) {
        emit(0, 0, 0u);
        emit(1, 4, 15u);
      } else {
        emit(2, kCBit, static_cast<unsigned>(count - 20));
      }
    } else {
      emit(k + 2, 0, 0u);
    }
  }
}

int CTavoArchiverEncoder::used_c_len_count() const {
  int n = kNC;
  while (n > 0 && c_len_[n - 1] == 0) n--;
  return n;
}

void CTavoArchiverEncoder::count_t_freq() {
  for (int i = 0; i < kNT; i++) t_freq_[i] = 0;
  for_each_c_len_code(used_c_len_count(), [this](int code, int, unsigned) { t_freq_[code]++; });
}

void CTavoArchiverEncoder::write_pt_len(int n, int nbit, int i_special) {
  while (n > 0 && pt_len_[n - 1] == 0) n--;
  putbits(nbit, static_cast<unsigned>(n));
  int i = 0;
  while (i < n) {
    int k = pt_len_[i++];
    if (k <= 6) {
      putbits(3, static_cast<unsigned>(k));
    } else {
      putbits(k - 3, (1u << (k - 3)) - 2);
    }
    if (i == i_special) {
      while (i < 6 && pt_len_[i] == 0) i++;
      putbits(2, static_cast<unsigned>(i - 3) & 3);
    }
  }
}

void CTavoArchiverEncoder::write_c_len() {
  const int n = used_c_len_count();
  putbits(kCBit, static_cast<unsigned>(n));
  for_each_c_len_code(n, [this](int code, int extraBits, unsigned extra) {
    putbits(pt_len_[code], pt_code_[code]);
    if (extraBits != 0) putbits(extraBits, extra);
  });
}

inline void CTavoArchiverEncoder::encode_c(int c) { putbits(c_len_[c], c_code_[c]); }

inline void CTavoArchiverEncoder::encode_p(unsigned p) {
  const int c = std::bit_width(p);
  putbits(pt_len_[c], pt_code_[c]);
  if (c > 1) putbits(c - 1, p & (0xFFFFu >> (17 - c)));
}

void CTavoArchiverEncoder::send_block() {
  int root = tree_.makeTree(kNC, c_freq_, c_len_, c_code_);
  unsigned size = c_freq_[root];
  putbits(16, size);
  if (root >= kNC) {
    count_t_freq();
    root = tree_.makeTree(kNT, t_freq_, pt_len_, pt_code_);
    if (root >= kNT) {
      write_pt_len(kNT, kTBit, 3);
    } else {
      putbits(kTBit, 0);
      putbits(kTBit, static_cast<unsigned>(root));
    }
    write_c_len();
  } else {
    putbits(kTBit, 0);
    putbits(kTBit, 0);
    putbits(kCBit, 0);
    putbits(kCBit, static_cast<unsigned>(root));
  }
  root = tree_.makeTree(kNP, p_freq_, pt_len_, pt_code_);
  if (root >= kNP) {
    write_pt_len(kNP, kPBit, -1);
  } else {
    putbits(kPBit, 0);
    putbits(kPBit, static_cast<unsigned>(root));
  }
  unsigned pos = 0;
  unsigned flags = 0;
  for (unsigned i = 0; i < size; i++) {
    if (i % 8 == 0) {
      flags = buf_[pos++];
    } else {
      flags <<= 1;
    }
    if (flags & 0x80) {
      encode_c(buf_[pos++] + 256);
      unsigned k = static_cast<unsigned>(buf_[pos++]) << 8;
      k += buf_[pos++];
      encode_p(k);
    } else {
      encode_c(buf_[pos++]);
    }
    if (unpackable_) return;
  }
  flushbits();
  for (int i = 0; i < kNC; i++) c_freq_[i] = 0;
  for (int i = 0; i < kNP; i++) p_freq_[i] = 0;
}

// Tokens: a flag byte ahead of every eight (high bit first, set for a
// match), a literal as its byte, a match as its symbol's low byte and the
// distance value high byte first.
inline void CTavoArchiverEncoder::output(unsigned c, unsigned p) {
  if ((output_mask_ >>= 1) == 0) {
    output_mask_ = 0x80;
    if (output_pos_ >= kBufSize - 3 * 8) {
      send_block();
      if (unpackable_) return;
      output_pos_ = 0;
    }
    cpos_ = output_pos_++;
    buf_[cpos_] = 0;
  }
  buf_[output_pos_++] = static_cast<unsigned char>(c);
  c_freq_[c]++;
  if (c >= 256) {
    buf_[cpos_] = static_cast<unsigned char>(buf_[cpos_] | output_mask_);
    buf_[output_pos_++] = static_cast<unsigned char>(p >> 8);
    buf_[output_pos_++] = static_cast<unsigned char>(p);
    p_freq_[std::bit_width(p)]++;
  }
}

// ---- driver ---------------------------------------------------------------

bool CTavoArchiverEncoder::encode(const unsigned char* src, unsigned size, unsigned char* out,
                                  unsigned& codedSize, uint16_t& crc) {
  src_ = src;
  srcSize_ = size;
  consumed_ = 0;
  compsize_ = 0;
  crc_ = 0;
  unpackable_ = false;
  out_ = out;
  bitbuf_ = 0;
  bitcount_ = 0;

  // Bytes past the end of the input take part in the search (their matches
  // are cut to the input's end); zeroing them keeps the output repeatable.
  std::memset(text_, 0, sizeof text_);
  std::memset(childcount_, 0, sizeof childcount_);
  std::memset(words_, 0, sizeof words_);
  std::memset(prev_, 0, sizeof prev_);
  std::memset(c_freq_, 0, sizeof c_freq_);
  std::memset(p_freq_, 0, sizeof p_freq_);
  std::memset(t_freq_, 0, sizeof t_freq_);
  init_slide();
  buf_[0] = 0;
  output_pos_ = 0;
  output_mask_ = 0;
  cpos_ = 0;

  remainder_ = static_cast<int>(readSource(&text_[kDicSize], kDicSize + kMaxMatch));
  matchlen_ = 0;
  matchpos_ = 0;
  pos_ = kDicSize;
  insert_node();
  if (matchlen_ > remainder_) matchlen_ = remainder_;
  while (remainder_ > 0 && !unpackable_) {
    int lastmatchlen = matchlen_;
    int lastmatchpos = matchpos_;
    get_next_match();
    if (matchlen_ > remainder_) matchlen_ = remainder_;
    if (matchlen_ > lastmatchlen || lastmatchlen < kThreshold) {
      output(text_[pos_ - 1], 0);
    } else {
      output(static_cast<unsigned>(lastmatchlen + (256 - kThreshold)),
             static_cast<unsigned>(pos_ - lastmatchpos - 2) & (kDicSize - 1));
      while (--lastmatchlen > 0) get_next_match();
      if (matchlen_ > remainder_) matchlen_ = remainder_;
    }
  }
  if (!unpackable_) {
    send_block();
    putbits(7, 0);  // pads the last partial byte
    flushbits();
  }
  // A stream as long as its input would be taken for a stored body.
  if (unpackable_ || compsize_ >= size) return false;
  codedSize = compsize_;
  crc = crc_;
  return true;
}
