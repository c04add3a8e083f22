#pragma once
// What a compressed data file holds, as 12 bytes: the number of
// combinations (byte 2), the program bank mask (byte 5, 0x80 for all), and
// the "all" marks of bytes 6 and 7.
#include <cstdint>

namespace Oskend {

struct FXBFILTERINFO {
  std::uint8_t bytes[12];
};

}  // namespace Oskend
