#include "host/AudioComponentRegistry.h"

#include "os/audio/AudioTypes.h"

namespace {
bool Matches(const ComponentDescription& search, const ComponentDescription& d) {
  // Zero fields of the search match anything, as the system's search does.
  return (!search.componentType || search.componentType == d.componentType) &&
         (!search.componentSubType || search.componentSubType == d.componentSubType) &&
         (!search.componentManufacturer || search.componentManufacturer == d.componentManufacturer) &&
         (d.componentFlags & search.componentFlagsMask) ==
             (search.componentFlags & search.componentFlagsMask);
}
}  // namespace

void AudioComponentRegistry::Register(const std::string& name, const ComponentDescription& d,
                                      Factory open) {
  entries_.push_back({name, d, std::move(open)});
}

int AudioComponentRegistry::Count(const ComponentDescription& search) const {
  int n = 0;
  for (const Entry& e : entries_)
    if (Matches(search, e.description)) ++n;
  return n;
}

const AudioComponentRegistry::Entry* AudioComponentRegistry::Find(const ComponentDescription& search,
                                                                   int n) const {
  for (const Entry& e : entries_)
    if (Matches(search, e.description) && n-- == 0) return &e;
  return nullptr;
}

ComponentDescription EditorComponentDescription() {
  using os::audio::FourCC;
  return {FourCC("aumu"), FourCC("QVS6"), FourCC("TAVO"), 0, 0};
}
