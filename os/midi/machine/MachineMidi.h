#pragma once
// The MIDI system of the machine: the endpoints of every backend that is
// available when it is opened (the ALSA sequencer, then a JACK server),
// combined into one System. A backend that is not available has no
// endpoints; each says so in one line on the standard error.
#include <memory>
#include <string>

#include "os/midi/CombinedSystem.h"

namespace os::midi {

class MachineMidi {
 public:
  // clientName names this program to the backends.
  static std::unique_ptr<CombinedSystem> Open(const std::string& clientName);
};

}  // namespace os::midi
