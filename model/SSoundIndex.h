#pragma once
// One stored sound by bank byte and number byte; 0xFF in either means none.
#include <cstdint>

namespace Oskend {

struct SSoundIndex {
  static constexpr std::uint8_t kNone = 0xFF;

  std::uint8_t bank = kNone;
  std::uint8_t number = kNone;
};

}  // namespace Oskend
