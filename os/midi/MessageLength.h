#pragma once
// Length of the MIDI message a status byte starts, status byte included:
// 0 for what starts no short message (data bytes, F0, F7 and the undefined
// F4, F5, F9, FD).
#include <cstdint>

namespace os::midi {

unsigned MessageLength(uint8_t status);

}  // namespace os::midi
