#pragma once
// The synthesizer's replies to the editor, byte by byte, as the simulated
// instrument and the protocol tests send them. The editor only parses these
// (remote/SXMessage.h); the messages it sends are in remote/SynthSysEx.h.
#include <cstdint>

#include "remote/SynthSysEx.h"

namespace vesk::test {

class SynthReplies {
 public:
  using Bytes = Oskend::SynthSysEx::Bytes;

  static Bytes IdentityReply(uint8_t deviceCh, const uint8_t member[2], const uint8_t version[4]);
  static Bytes ModeAndStateReply(uint8_t ch, uint8_t mode, const uint8_t state[4]);
  static Bytes Status(uint8_t ch, uint8_t status);
  static Bytes SysExFilterReply(uint8_t ch, uint8_t state);
};

}  // namespace vesk::test
