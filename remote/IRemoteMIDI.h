#pragma once
// The system-exclusive transport to the synthesizer, as far as the sections
// use it: the global channel and single parameter changes.
#include <cstdint>

namespace Oskend {

class IRemoteMIDI {
 public:
  virtual ~IRemoteMIDI() = default;
  virtual int GetGlobalChannel() = 0;
  virtual void SetGlobalChannel(int channel) = 0;
  // Sends the 18-byte parameter change for the low 16 bits of id; a
  // send-only session. 0 or a status code (busy, not connected...).
  virtual int SendParamChange(std::uint8_t section, int id, int value) = 0;
};

}  // namespace Oskend
