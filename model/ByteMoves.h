#pragma once
// Byte-by-byte conversions between record layouts (envelopes, LFOs), written
// as tables: destination byte <- source byte, a zero, or a level byte whose
// negative values become 0.
#include <cstdint>
#include <span>

namespace Oskend {

struct ByteMove {
  static constexpr std::int16_t kZero = -1;  // source: store a zero byte

  std::uint8_t dst;
  std::int16_t src;    // source offset, or kZero
  bool level = false;  // signed level: a negative source value stores 0
};

// Applies every move; destination bytes that no move names stay as they are.
// Source and destination may overlap.
void ApplyByteMoves(std::uint8_t* dst, const std::uint8_t* src, std::span<const ByteMove> moves);

}  // namespace Oskend
