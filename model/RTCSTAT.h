#pragma once
// Knob values of the realtime controls per MIDI channel: 16 channels of
// 8 bytes.
#include <cstdint>

namespace Oskend {

struct RTCSTAT {
  static constexpr int kChannels = 16;
  static constexpr int kKnobs = 8;
  std::uint8_t knobs[kChannels * kKnobs];
};

}  // namespace Oskend
