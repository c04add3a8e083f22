#pragma once
// The synthesizer's identity, laid out as bytes 5-13 of its identity reply:
// manufacturer, family code (2 bytes), member code (2 bytes), version
// (4 bytes).
#include <cstdint>

struct DEVICEINQUIRYDATA {
  static constexpr unsigned kSize = 9;
  uint8_t bytes[kSize] = {0x42, 0, 0, 0, 0, 0, 0, 0, 0};

  uint8_t Manufacturer() const { return bytes[0]; }
  const uint8_t* Family() const { return bytes + 1; }
  const uint8_t* Member() const { return bytes + 3; }
  const uint8_t* Version() const { return bytes + 5; }
  bool operator==(const DEVICEINQUIRYDATA&) const = default;
};
