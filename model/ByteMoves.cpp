#include "model/ByteMoves.h"

#include <array>
#include <cstring>

namespace Oskend {

void ApplyByteMoves(std::uint8_t* dst, const std::uint8_t* src, std::span<const ByteMove> moves) {
  if (dst == nullptr || src == nullptr) return;
  // Read every source byte before the first write, so that blocks which
  // share bytes convert as if the source were a separate copy.
  std::array<std::uint8_t, 256> in{};
  std::size_t extent = 0;
  for (const ByteMove& m : moves) {
    if (m.src != ByteMove::kZero && static_cast<std::size_t>(m.src) + 1 > extent)
      extent = m.src + 1;
  }
  std::memcpy(in.data(), src, extent < in.size() ? extent : in.size());
  for (const ByteMove& m : moves) {
    std::uint8_t v = 0;
    if (m.src != ByteMove::kZero && static_cast<std::size_t>(m.src) < in.size()) v = in[m.src];
    if (m.level && static_cast<std::int8_t>(v) < 0) v = 0;
    dst[m.dst] = v;
  }
}

}  // namespace Oskend
