#include "remote/CTavoArchiverDecoder.h"

#include <cstring>

#include "remote/CTavoCrc16.h"

CTavoArchiverDecoder::CTavoArchiverDecoder(const unsigned char* coded, unsigned int compressedSize,
                                           unsigned int originalSize, unsigned short crc,
                                           unsigned char* dst)
    : in_(coded), inLeft_(compressedSize), originalSize_(originalSize), crc_(crc), dst_(dst) {
  std::memset(window_, 0, sizeof window_);
  std::memset(c_len_, 0, sizeof c_len_);
  std::memset(pt_len_, 0, sizeof pt_len_);
  std::memset(left_, 0, sizeof left_);
  std::memset(right_, 0, sizeof right_);
}

// bitbuf_ holds the next 16 bits of the stream, first bit at the top;
// subbitbuf_ the rest of the current byte (its low bitcount_ bits).
// Bytes past the end of the stream read as zero.
void CTavoArchiverDecoder::fillbuf(int n) {
  bitbuf_ = (bitbuf_ << n) & 0xFFFF;
  while (n > bitcount_) {
    n -= bitcount_;
    bitbuf_ |= (subbitbuf_ << n) & 0xFFFF;
    if (inLeft_ != 0) {
      inLeft_--;
      subbitbuf_ = *in_++;
    } else {
      subbitbuf_ = 0;
    }
    bitcount_ = 8;
  }
  bitcount_ -= n;
  bitbuf_ |= subbitbuf_ >> bitcount_;
  subbitbuf_ &= (1u << bitcount_) - 1;
}

unsigned CTavoArchiverDecoder::getbits(int n) {
  unsigned x = bitbuf_ >> (16 - n);
  fillbuf(n);
  return x;
}

// Builds a lookup table of tablebits bits, with binary trees in left_/right_
// for the longer codes. The lengths must form a complete prefix code.
bool CTavoArchiverDecoder::make_table(int nchar, const uint8_t* bitlen, int tablebits,
                                      uint16_t* table) {
  unsigned count[17] = {};
  unsigned weight[17];
  unsigned start[18];
  for (int i = 0; i < nchar; i++) {
    if (bitlen[i] > 16) return false;
    count[bitlen[i]]++;
  }
  start[1] = 0;
  for (int i = 1; i <= 16; i++) start[i + 1] = start[i] + (count[i] << (16 - i));
  if (start[17] != (1u << 16)) return false;

  const int jutbits = 16 - tablebits;
  int i = 1;
  for (; i <= tablebits; i++) {
    start[i] >>= jutbits;
    weight[i] = 1u << (tablebits - i);
  }
  for (; i <= 16; i++) weight[i] = 1u << (16 - i);

  unsigned k = start[tablebits + 1] >> jutbits;
  for (unsigned e = 1u << tablebits; k < e; k++) table[k] = 0;

  unsigned avail = static_cast<unsigned>(nchar);
  const unsigned mask = 1u << (15 - tablebits);
  for (int ch = 0; ch < nchar; ch++) {
    const int len = bitlen[ch];
    if (len == 0) continue;
    const unsigned nextcode = start[len] + weight[len];
    if (len <= tablebits) {
      for (unsigned j = start[len]; j < nextcode; j++) table[j] = static_cast<uint16_t>(ch);
    } else {
      unsigned code = start[len];
      uint16_t* p = &table[code >> jutbits];
      for (int j = len - tablebits; j != 0; j--) {
        if (*p == 0) {
          if (avail >= 2 * kNC - 1) return false;
          right_[avail] = left_[avail] = 0;
          *p = static_cast<uint16_t>(avail++);
        }
        p = (code & mask) ? &right_[*p] : &left_[*p];
        code <<= 1;
      }
      *p = static_cast<uint16_t>(ch);
    }
    start[len] = nextcode;
  }
  return true;
}

bool CTavoArchiverDecoder::read_pt_len(int nn, int nbit, int i_special) {
  const int n = static_cast<int>(getbits(nbit));
  if (n == 0) {
    const unsigned c = getbits(nbit);
    if (c >= static_cast<unsigned>(nn)) return false;
    for (int i = 0; i < nn; i++) pt_len_[i] = 0;
    for (int i = 0; i < 256; i++) pt_table_[i] = static_cast<uint16_t>(c);
    return true;
  }
  if (n > nn) return false;
  int i = 0;
  while (i < n) {
    unsigned c = bitbuf_ >> 13;
    if (c == 7) {
      unsigned mask = 1u << 12;
      while (mask & bitbuf_) {
        mask >>= 1;
        c++;
      }
      if (c > 16) return false;
    }
    fillbuf(c < 7 ? 3 : static_cast<int>(c) - 3);
    pt_len_[i++] = static_cast<uint8_t>(c);
    if (i == i_special) {
      int zeros = static_cast<int>(getbits(2));
      if (i + zeros > nn) return false;
      while (--zeros >= 0) pt_len_[i++] = 0;
    }
  }
  while (i < nn) pt_len_[i++] = 0;
  return make_table(nn, pt_len_, 8, pt_table_);
}

bool CTavoArchiverDecoder::read_c_len() {
  const int n = static_cast<int>(getbits(kCBit));
  if (n == 0) {
    const unsigned c = getbits(kCBit);
    if (c >= static_cast<unsigned>(kNC)) return false;
    for (int i = 0; i < kNC; i++) c_len_[i] = 0;
    for (int i = 0; i < 4096; i++) c_table_[i] = static_cast<uint16_t>(c);
    return true;
  }
  if (n > kNC) return false;
  int i = 0;
  while (i < n) {
    unsigned c = pt_table_[bitbuf_ >> 8];
    if (c >= static_cast<unsigned>(kNT)) {
      unsigned mask = 1u << 7;
      do {
        if (mask == 0) return false;
        c = (bitbuf_ & mask) ? right_[c] : left_[c];
        mask >>= 1;
      } while (c >= static_cast<unsigned>(kNT));
    }
    fillbuf(pt_len_[c]);
    if (c <= 2) {
      int zeros;
      if (c == 0) {
        zeros = 1;
      } else if (c == 1) {
        zeros = static_cast<int>(getbits(4)) + 3;
      } else {
        zeros = static_cast<int>(getbits(kCBit)) + 20;
      }
      if (i + zeros > kNC) return false;
      while (--zeros >= 0) c_len_[i++] = 0;
    } else {
      c_len_[i++] = static_cast<uint8_t>(c - 2);
    }
  }
  while (i < kNC) c_len_[i++] = 0;
  return make_table(kNC, c_len_, 12, c_table_);
}

bool CTavoArchiverDecoder::decode_c(unsigned& c) {
  if (blocksize_ == 0) {
    blocksize_ = getbits(16);
    if (blocksize_ == 0) return false;  // a coder never sends an empty block
    if (!read_pt_len(kNT, kTBit, 3) || !read_c_len() || !read_pt_len(kNP, kPBit, -1)) return false;
  }
  blocksize_--;
  unsigned j = c_table_[bitbuf_ >> 4];
  if (j >= static_cast<unsigned>(kNC)) {
    unsigned mask = 1u << 3;
    do {
      if (mask == 0) return false;
      j = (bitbuf_ & mask) ? right_[j] : left_[j];
      mask >>= 1;
    } while (j >= static_cast<unsigned>(kNC));
  }
  fillbuf(c_len_[j]);
  c = j;
  return true;
}

unsigned CTavoArchiverDecoder::decode_p() {
  unsigned j = pt_table_[bitbuf_ >> 8];
  if (j >= static_cast<unsigned>(kNP)) {
    unsigned mask = 1u << 7;
    // make_table accepted only complete codes, so the walk ends at a leaf
    // within the eight further bits.
    do {
      j = (bitbuf_ & mask) ? right_[j] : left_[j];
      mask >>= 1;
    } while (j >= static_cast<unsigned>(kNP) && mask != 0);
    if (j >= static_cast<unsigned>(kNP)) j = 0;
  }
  fillbuf(pt_len_[j]);
  if (j != 0) j = (1u << (j - 1)) + getbits(static_cast<int>(j) - 1);
  return j;
}

bool CTavoArchiverDecoder::decompm(unsigned count) {
  constexpr unsigned kMask = kDicSize - 1;
  unsigned r = 0;
  while (copyLeft_ > 0) {
    copyLeft_--;
    window_[r] = window_[copyFrom_];
    copyFrom_ = (copyFrom_ + 1) & kMask;
    if (++r == count) return true;
  }
  for (;;) {
    unsigned c;
    if (!decode_c(c)) return false;
    if (c <= 255) {
      window_[r] = static_cast<unsigned char>(c);
      if (++r == count) return true;
    } else {
      copyLeft_ = static_cast<int>(c) - (256 - kThreshold);
      copyFrom_ = (r - decode_p() - 1) & kMask;
      while (copyLeft_ > 0) {
        copyLeft_--;
        window_[r] = window_[copyFrom_];
        copyFrom_ = (copyFrom_ + 1) & kMask;
        if (++r == count) return true;
      }
    }
  }
}

void CTavoArchiverDecoder::crfmcpy(unsigned n) {
  std::memcpy(dst_ + dstPos_, window_, n);
  runningCrc_ = CTavoCrc16::Update(runningCrc_, window_, n);
  dstPos_ += n;
}

bool CTavoArchiverDecoder::extract() {
  bitbuf_ = 0;
  subbitbuf_ = 0;
  bitcount_ = 0;
  fillbuf(16);
  unsigned remaining = originalSize_;
  while (remaining != 0) {
    const unsigned n = remaining > kDicSize ? kDicSize : remaining;
    if (!decompm(n)) return false;
    crfmcpy(n);
    remaining -= n;
  }
  // A coder ends on the last token of its last block and pads with zero
  // bits; anything else means the stream was damaged.
  if (blocksize_ != 0 || copyLeft_ != 0 || bitbuf_ != 0 || subbitbuf_ != 0) return false;
  return runningCrc_ == crc_;
}
