#include "os/midi/MessageLength.h"

namespace os::midi {

unsigned MessageLength(uint8_t status) {
  switch (status & 0xF0) {
    case 0x80: case 0x90: case 0xA0: case 0xB0: case 0xE0: return 3;
    case 0xC0: case 0xD0: return 2;
    case 0xF0: break;
    default: return 0;
  }
  switch (status) {
    case 0xF2: return 3;
    case 0xF1: case 0xF3: return 2;
    case 0xF6: case 0xF8: case 0xFA: case 0xFB: case 0xFC: case 0xFE: case 0xFF: return 1;
    default: return 0;
  }
}

}  // namespace os::midi
