#include "tests/support/simsynth/SynthReplies.h"

#include <initializer_list>

namespace vesk::test {

namespace {

using S = Oskend::SynthSysEx;

constexpr uint8_t kF0 = 0xF0;
constexpr uint8_t kF7 = 0xF7;

// Every variable byte of a message is a data byte.
constexpr uint8_t D(int v) { return static_cast<uint8_t>(v & 0x7F); }

SynthReplies::Bytes Own(uint8_t ch, std::initializer_list<uint8_t> body) {
  SynthReplies::Bytes m = S::Hdr(ch);
  m.insert(m.end(), body);
  return m;
}

}  // namespace

SynthReplies::Bytes SynthReplies::IdentityReply(uint8_t deviceCh, const uint8_t member[2],
                                                const uint8_t version[4]) {
  return {kF0,           0x7E,          D(deviceCh),  0x06,         0x02,          S::kManufacturer,
          0x0C,          0x01,          D(member[0]), D(member[1]), D(version[0]), D(version[1]),
          D(version[2]), D(version[3]), kF7};
}

SynthReplies::Bytes SynthReplies::ModeAndStateReply(uint8_t ch, uint8_t mode,
                                                    const uint8_t state[4]) {
  return Own(
      ch, {S::kFnModeAndState, D(mode), D(state[0]), D(state[1]), D(state[2]), D(state[3]), kF7});
}

SynthReplies::Bytes SynthReplies::Status(uint8_t ch, uint8_t status) {
  // The byte after the status is not read by the editor; it stays 0.
  return Own(ch, {S::kFnStatus, D(status), 0x00, kF7});
}

SynthReplies::Bytes SynthReplies::SysExFilterReply(uint8_t ch, uint8_t state) {
  return Own(ch, {S::kFnSysExFilter, 0x01, D(state), kF7});
}

}  // namespace vesk::test
