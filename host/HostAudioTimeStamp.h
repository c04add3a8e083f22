#pragma once
// The time stamp of one render cycle, as the audio output hands it over.
#include <cstdint>

struct HostAudioTimeStamp {
  static constexpr uint32_t kHostTimeValid = 1u << 1;
  uint64_t hostTimeNs = 0;  // os::NowUs time in nanoseconds
  uint32_t flags = 0;
};
