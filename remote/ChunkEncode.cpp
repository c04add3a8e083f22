#include "remote/ChunkEncode.h"

#include <algorithm>
#include <cstring>

namespace {

// One full group: the top bits gathered into the leading byte, the seven
// bytes with bit 7 cleared after it.
inline void EncodeGroup7(const uint8_t* s, uint8_t* d) {
  uint64_t x = 0;
  std::memcpy(&x, s, 7);
  const uint64_t low = x & 0x7F7F7F7F7F7F7F7Full;
  // Gathers bit 7 of byte j into bit j: the shifted copies of each top bit
  // land in distinct bits of the product's high byte.
  d[0] = static_cast<uint8_t>(((x & 0x0080808080808080ull) * 0x0002040810204081ull) >> 56);
  std::memcpy(d + 1, &low, 7);
}

inline unsigned EncodeGroup(const uint8_t* s, unsigned k, uint8_t* d) {
  uint8_t msb = 0;
  for (unsigned j = 0; j < k; ++j) {
    msb |= static_cast<uint8_t>((s[j] >> 7) << j);
    d[1 + j] = s[j] & 0x7F;
  }
  d[0] = msb;
  return k + 1;
}

}  // namespace

void ChunkEncode::Reset(const void* src, unsigned len) {
  src_ = static_cast<const uint8_t*>(src);
  len_ = src_ ? len : 0;
  pos_ = 0;
  groupPos_ = groupLen_ = 0;
}

unsigned ChunkEncode::Read(void* dst, unsigned n) {
  auto* d = static_cast<uint8_t*>(dst);
  unsigned done = 0;
  while (done < n) {
    if (groupPos_ < groupLen_) {
      const unsigned k = std::min(groupLen_ - groupPos_, n - done);
      std::memcpy(d + done, group_ + groupPos_, k);
      groupPos_ += k;
      done += k;
      continue;
    }
    const unsigned left = len_ - pos_;
    if (left == 0) break;
    const unsigned room = n - done;
    if (room >= 8 && left >= 7) {
      // Whole groups go straight to the destination.
      const unsigned groups = std::min(room / 8, left / 7);
      for (unsigned g = 0; g < groups; ++g) EncodeGroup7(src_ + pos_ + 7 * g, d + done + 8 * g);
      pos_ += 7 * groups;
      done += 8 * groups;
      continue;
    }
    const unsigned k = std::min(7u, left);
    groupLen_ = EncodeGroup(src_ + pos_, k, group_);
    groupPos_ = 0;
    pos_ += k;
  }
  return done;
}

unsigned ChunkEncode::Encode(const void* src, unsigned len, void* dst) {
  const auto* s = static_cast<const uint8_t*>(src);
  auto* d = static_cast<uint8_t*>(dst);
  const unsigned groups = len / 7;
  for (unsigned g = 0; g < groups; ++g) EncodeGroup7(s + 7 * g, d + 8 * g);
  unsigned out = 8 * groups;
  if (len % 7) out += EncodeGroup(s + 7 * groups, len % 7, d + out);
  return out;
}
