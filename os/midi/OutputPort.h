#pragma once
// A port through which a client sends packet lists to a destination.
#include "os/midi/PacketList.h"
#include "os/midi/Types.h"

namespace os::midi {

class OutputPort {
 public:
  virtual ~OutputPort() = default;
  // Queues the packets for the destination in order; returns at once.
  virtual Status Send(EndpointId destination, const PacketList& packets) = 0;
};

}  // namespace os::midi
