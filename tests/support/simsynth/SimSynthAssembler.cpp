#include "tests/support/simsynth/SimSynthAssembler.h"

#include "os/midi/MessageLength.h"

namespace vesk::test {

void SimSynthAssembler::Take(uint8_t b, Messages& out) {
  if (b >= 0xF8) return;
  if (b == 0xF0) {
    sysex_.assign(1, b);
    inSysex_ = true;
    return;
  }
  if (inSysex_) {
    if (b < 0x80 || b == 0xF7) sysex_.push_back(b);
    if (b < 0x80) return;
    inSysex_ = false;
    if (b == 0xF7 && sysex_.size() >= 2) out.push_back(sysex_);
    sysex_.clear();
    if (b == 0xF7) return;
  }
  if (b >= 0x80)
    short_.assign(1, b);
  else if (!short_.empty())
    short_.push_back(b);
  if (!short_.empty() && short_.size() >= os::midi::MessageLength(short_[0])) {
    if (os::midi::MessageLength(short_[0]) > 0) out.push_back(short_);
    short_.clear();
  }
}

}  // namespace vesk::test
