#pragma once
// One logical input port whose read procedure learns the source of every
// packet list (the connection's reference). It holds one system port per
// connected source. Disconnecting only silences a connection; the system
// port is ended later by ReleaseDisconnected, because ending a port waits for
// a read in progress, which may itself wait for a lock the caller holds.
// Used from one thread (the caller's locks guard it).
#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "os/midi/Client.h"

class MIDIInputPortSet {
 public:
  using Endpoint = os::midi::EndpointId;
  using Read = std::function<void(const os::midi::PacketList&, Endpoint source)>;

  MIDIInputPortSet(os::midi::Client* client, std::string name, Read read);
  ~MIDIInputPortSet();
  MIDIInputPortSet(const MIDIInputPortSet&) = delete;
  MIDIInputPortSet& operator=(const MIDIInputPortSet&) = delete;

  // Connections are counted: a source connected twice needs two
  // disconnections. Returns the system's status.
  os::midi::Status Connect(Endpoint source);
  os::midi::Status Disconnect(Endpoint source);
  bool IsConnected(Endpoint source) const;
  // Ends the system ports of silenced connections; call with no lock held
  // that a read procedure takes.
  void ReleaseDisconnected();

 private:
  struct Connection {
    int count = 0;
    std::shared_ptr<std::atomic<bool>> live;
    std::unique_ptr<os::midi::InputPort> port;
  };
  os::midi::Client* client_;
  std::string name_;
  std::shared_ptr<Read> read_;
  std::map<Endpoint, Connection> connections_;
  std::vector<std::unique_ptr<os::midi::InputPort>> silenced_;
};
