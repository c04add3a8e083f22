#pragma once
// The MIDI ports of the other clients of a JACK server: their output ports
// are sources, their input ports destinations. Clients of this same process
// are not listed: each JackSystem notes its client with JackProcess, so that
// the plug-in's MIDI system and the standalone host's never see each
// other's ports. An endpoint's name is the port's own name, its device name
// the name of the client that owns it, so "device:name" is the port's full
// JACK name; maker and model come from the port properties
// kJackManufacturerKey and kJackModelKey, when a client publishes them
// (read once per port, and again after a property changed). The backend is
// one JACK client: each input port of a System client is a JACK input port
// of it, and each destination written
// to gets one JACK output port, shared by every System client and connected
// while an output port or client that wrote to it lives (then, once what
// was written has gone out, the connection ends). Input and
// output cross the process callback through lock-free rings; input is
// delivered on a thread of its own, SysEx sends are fed and completed on
// another. A late cycle is counted (LateCycles) when a cycle of this
// client's does not start where its last one ended: on an asynchronous
// server, a client that runs late has its missed cycles run back to back,
// and whoever it feeds reads the same port buffer twice. A client that this
// one waits for in each cycle (one whose output it reads, connected before
// this one wrote back to it) makes its cycles late too when it is late; a
// client that only reads from this one is late unnoticed.
#include <memory>
#include <string>

#include "os/midi/System.h"

namespace os::midi {

extern const char* const kJackManufacturerKey;
extern const char* const kJackModelKey;

class JackSystem : public System {
 public:
  // Null, with the reason in *why, when no JACK server is running (none is
  // started).
  static std::unique_ptr<JackSystem> Open(const std::string& clientName, std::string* why);
  ~JackSystem() override;  // uninstalls itself; pending sends end with kErrEndpointGone
  JackSystem(const JackSystem&) = delete;
  JackSystem& operator=(const JackSystem&) = delete;

  // Keeps the JACK library from writing to the standard error.
  static void Silence();

  // The JACK name of this backend's client.
  std::string ClientName() const;

  size_t SourceCount() override;
  EndpointId Source(size_t index) override;
  size_t DestinationCount() override;
  EndpointId Destination(size_t index) override;
  Status GetProperty(EndpointId endpoint, Property property, std::string* value) override;
  Status CreateClient(const std::string& name, std::unique_ptr<Client>* client) override;
  uint64_t LateCycles() override;

  struct Core;

 private:
  explicit JackSystem(std::shared_ptr<Core> core);
  std::shared_ptr<Core> core_;
};

}  // namespace os::midi
