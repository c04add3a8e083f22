#pragma once
// The synthesizer's mode-and-state reply: the mode, four state bytes, and a
// marker that is 0xAA once a reply has been received.
#include <cstdint>

struct MODEANDSTATE {
  static constexpr unsigned kSize = 6;
  static constexpr uint8_t kValid = 0xAA;
  uint8_t bytes[kSize] = {};

  uint8_t Mode() const { return bytes[0]; }
  uint8_t State(int i) const { return bytes[i]; }  // i = 1..4
  bool IsValid() const { return bytes[5] == kValid; }
  bool operator==(const MODEANDSTATE&) const = default;
};
