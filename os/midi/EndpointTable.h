#pragma once
// Endpoint ids of a backend that knows its endpoints by name: a name keeps
// its id while it stays listed, and a name that comes back after it was
// gone gets a new id, so an id never names two different ports. Not
// thread-safe; the backend keeps it under its lock.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "os/midi/Types.h"

namespace os::midi {

class EndpointTable {
 public:
  struct Entry {
    EndpointId id = 0;
    std::string key;  // the backend's full name of the port
    bool source = false;
    std::string name;         // the port's own name
    std::string deviceName;   // its owner's name
    std::optional<std::string> manufacturer;  // empty: no such property
    std::optional<std::string> model;
  };

  explicit EndpointTable(EndpointId first) : next_(first) {}

  // Replaces the listing with `now`, in order; ids of the entries whose key
  // and direction were listed before are kept. Returns the ids that are
  // gone.
  std::vector<EndpointId> Update(std::vector<Entry> now);

  size_t Count(bool source) const;
  EndpointId At(bool source, size_t index) const;  // 0 when out of range
  const Entry* Find(EndpointId id) const;
  const Entry* FindKey(const std::string& key, bool source) const;
  // One property of a listed endpoint; `system` names the backend in the
  // endpoint's unique id.
  Status Describe(EndpointId id, Property property, const char* system, std::string* value) const;

 private:
  std::vector<Entry> entries_;
  EndpointId next_;
};

}  // namespace os::midi
