#pragma once
// Whole messages out of the bytes the simulated synthesizer receives, as
// its MIDI input would: real-time bytes stand apart, a lone F7 or any other
// status ends a system-exclusive message (only one closed by its F7 is
// handed on). Owned by one thread.
#include <cstdint>
#include <vector>

namespace vesk::test {

class SimSynthAssembler {
 public:
  using Messages = std::vector<std::vector<uint8_t>>;
  // Appends to `out` every message `b` completes.
  void Take(uint8_t b, Messages& out);
  void Take(const std::vector<uint8_t>& bytes, Messages& out) {
    for (uint8_t b : bytes) Take(b, out);
  }

 private:
  std::vector<uint8_t> sysex_;
  bool inSysex_ = false;
  std::vector<uint8_t> short_;
};

}  // namespace vesk::test
