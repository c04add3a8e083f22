#pragma once
// The MIDI services of the machine: the sources and destinations present
// now, their properties, and clients. One backend is installed for the
// process; without one, Current() is an empty system that has no endpoints
// and refuses clients.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "os/midi/Client.h"
#include "os/midi/Types.h"

namespace os::midi {

class System {
 public:
  virtual ~System() = default;

  virtual size_t SourceCount() = 0;
  virtual EndpointId Source(size_t index) = 0;  // 0 when out of range
  virtual size_t DestinationCount() = 0;
  virtual EndpointId Destination(size_t index) = 0;
  virtual Status GetProperty(EndpointId endpoint, Property property, std::string* value) = 0;
  virtual Status CreateClient(const std::string& name, std::unique_ptr<Client>* client) = 0;
  // Any thread; never waits. How many times so far the system has noticed
  // that it ran a cycle late. What crossed it about then may have arrived
  // twice or not at all (a JACK server that runs a late client's missed
  // cycles back to back hands the same port buffer over twice), so an
  // exchange that failed while the count went up is worth one more try.
  // The count only grows; 0 for systems that have no cycles.
  virtual uint64_t LateCycles() { return 0; }

  static System& Current();
  // Installs a backend (null: none); returns the one installed before. The
  // backend must stay alive while installed.
  static System* Install(System* system);
  // Uninstalls `system` when it is the one installed.
  static void Uninstall(System* system);
};

}  // namespace os::midi
