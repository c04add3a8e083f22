#pragma once
// A port through which a client receives the packet lists of the sources it
// is connected to. Its read procedure runs on the system's input thread;
// once the port is destroyed it is never called again (destroying it waits
// for a call in progress, unless made from inside that call).
#include <functional>

#include "os/midi/PacketList.h"
#include "os/midi/Types.h"

namespace os::midi {

using ReadProc = std::function<void(const PacketList&)>;

class InputPort {
 public:
  virtual ~InputPort() = default;
  virtual Status ConnectSource(EndpointId source) = 0;
};

}  // namespace os::midi
