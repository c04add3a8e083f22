#pragma once
// Handed to a section's OnReinitialized after a mode change; a null pointer
// means new data without a mode change.
#include <cstdint>

namespace Oskend {

struct SModeChangeInfo {
  std::uint8_t oldMode = 0;
  std::uint8_t newMode = 0;
  std::uint8_t reserved = 0;
};

}  // namespace Oskend
