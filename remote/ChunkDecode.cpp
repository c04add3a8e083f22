#include "remote/ChunkDecode.h"

#include <cstring>

namespace {

inline void DecodeGroup(const uint8_t* s, unsigned count, uint8_t* d) {
  const uint8_t msb = s[0];
  for (unsigned i = 1; i < count; ++i)
    d[i - 1] = static_cast<uint8_t>(s[i] | (((msb >> (i - 1)) & 1u) << 7));
}

}  // namespace

void ChunkDecode::Clear() {
  out_.clear();
  count_ = 0;
}

void ChunkDecode::Flush() {
  if (count_ >= 2) {
    const size_t at = out_.size();
    out_.resize(at + count_ - 1);
    DecodeGroup(group_, count_, out_.data() + at);
  }
  count_ = 0;
}

void ChunkDecode::Write(const void* data, unsigned len, bool final) {
  const auto* s = static_cast<const uint8_t*>(data);
  if (!s) len = 0;
  unsigned i = 0;
  // Complete the group left over from the previous fragment.
  while (count_ > 0 && i < len) {
    group_[count_++] = s[i++];
    if (count_ == 8) Flush();
  }
  // Whole groups straight into the output.
  const unsigned groups = (len - i) / 8;
  if (groups) {
    const size_t at = out_.size();
    out_.resize(at + 7 * size_t(groups));
    uint8_t* d = out_.data() + at;
    for (unsigned g = 0; g < groups; ++g) DecodeGroup(s + i + 8 * g, 8, d + 7 * g);
    i += 8 * groups;
  }
  while (i < len) group_[count_++] = s[i++];
  if (final) Flush();
}

unsigned ChunkDecode::Decode(const void* src, unsigned len, void* dst) {
  const auto* s = static_cast<const uint8_t*>(src);
  auto* d = static_cast<uint8_t*>(dst);
  const unsigned groups = len / 8;
  for (unsigned g = 0; g < groups; ++g) DecodeGroup(s + 8 * g, 8, d + 7 * g);
  unsigned out = 7 * groups;
  const unsigned rest = len % 8;
  if (rest >= 2) {
    DecodeGroup(s + 8 * groups, rest, d + out);
    out += rest - 1;
  }
  return out;
}
