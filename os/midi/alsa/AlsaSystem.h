#pragma once
// The ports of the ALSA sequencer's other clients: readable ports are
// sources, writable ones destinations (the system client and ports that
// hide themselves are left out). An endpoint's name is the port's name,
// its device name the name of the client that owns it; maker and model
// come from the sound card when the client belongs to one (a USB-MIDI
// instrument is a card). The backend is one sequencer client: each input
// port of a System client is a port of it subscribed to its sources, and
// every output goes straight to its destination from one port. Input and
// the sequencer's announcements of ports that come and go are read on a
// thread of their own; SysEx sends go out in pieces on another, as fast as
// the destination takes them (a card refuses what its buffer cannot hold
// until it drains), and complete once their last byte is on its way.
#include <memory>
#include <string>

#include "os/midi/System.h"

namespace os::midi {

class AlsaSystem : public System {
 public:
  // Null, with the reason in *why, when there is no sequencer device.
  static std::unique_ptr<AlsaSystem> Open(const std::string& clientName, std::string* why);
  ~AlsaSystem() override;  // uninstalls itself; pending sends end with kErrEndpointGone
  AlsaSystem(const AlsaSystem&) = delete;
  AlsaSystem& operator=(const AlsaSystem&) = delete;

  size_t SourceCount() override;
  EndpointId Source(size_t index) override;
  size_t DestinationCount() override;
  EndpointId Destination(size_t index) override;
  Status GetProperty(EndpointId endpoint, Property property, std::string* value) override;
  Status CreateClient(const std::string& name, std::unique_ptr<Client>* client) override;

  struct Core;

 private:
  explicit AlsaSystem(std::shared_ptr<Core> core);
  std::shared_ptr<Core> core_;
};

}  // namespace os::midi
