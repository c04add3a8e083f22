#pragma once
// How long after a card took the last piece of a SysEx send its last byte
// has left: a card holds up to its buffer's worth, which at worst still
// crosses a MIDI cable. Other destinations have taken everything at once.
#include <cstddef>
#include <cstdint>

namespace os::midi {

class AlsaDrain {
 public:
  static constexpr size_t kCardBufferBytes = 4096;
  static constexpr uint64_t kCableBytesPerSecond = 3125;
  static uint64_t AfterLastPieceUs(size_t sendBytes, bool hardware);
};

}  // namespace os::midi
