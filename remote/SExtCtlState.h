#pragma once
// External-control (MIDI clock) state as the model reports it: a flag byte
// and two value bytes.
#include <cstdint>

namespace Oskend {

struct SExtCtlState {
  std::uint8_t flag = 0;
  std::uint8_t value1 = 0;
  std::uint8_t value2 = 0;
};

}  // namespace Oskend
