#include "os/midi/EndpointUniqueId.h"

namespace os::midi {

int32_t EndpointUniqueId::Of(const std::string& backend, const std::string& deviceName,
                             const std::string& name, bool source) {
  // FNV-1a over the parts, each closed by a byte no name holds.
  uint32_t h = 2166136261u;
  auto mix = [&](const std::string& s) {
    for (unsigned char c : s) h = (h ^ c) * 16777619u;
    h = (h ^ 0u) * 16777619u;
  };
  mix(backend);
  mix(deviceName);
  mix(name);
  mix(source ? "source" : "destination");
  const auto id = static_cast<int32_t>(h);
  return id != 0 ? id : 1;
}

}  // namespace os::midi
