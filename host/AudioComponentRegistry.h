#pragma once
// The music devices the program can host, found by type, subtype and
// maker the way the program searches for its editor: every registered
// component whose description matches, in the order of registration.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "host/AudioComponent.h"

struct ComponentDescription {
  uint32_t componentType = 0;
  uint32_t componentSubType = 0;
  uint32_t componentManufacturer = 0;
  uint32_t componentFlags = 0;
  uint32_t componentFlagsMask = 0;
  bool operator==(const ComponentDescription&) const = default;
};

class AudioComponentRegistry {
 public:
  // Makes the open component, or null (the open failed).
  using Factory = std::function<std::unique_ptr<AudioComponent>()>;
  struct Entry {
    std::string name;
    ComponentDescription description;
    Factory open;
  };

  void Register(const std::string& name, const ComponentDescription& description, Factory open);
  void Clear() { entries_.clear(); }
  int Count(const ComponentDescription& search) const;
  // The n-th match (0-based), or null.
  const Entry* Find(const ComponentDescription& search, int n = 0) const;

 private:
  std::vector<Entry> entries_;
};

// The editor's description: music device 'aumu', 'QVS6', 'TAVO'.
ComponentDescription EditorComponentDescription();
