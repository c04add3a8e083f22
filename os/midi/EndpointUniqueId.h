#pragma once
// The unique id of an endpoint, made from what stays the same when the
// program or the machine restarts: the backend, the owner's name, the
// port's name and its direction. Stored settings find a port again by it.
#include <cstdint>
#include <string>

namespace os::midi {

class EndpointUniqueId {
 public:
  // Never 0 (0 stands for an id that cannot be read).
  static int32_t Of(const std::string& backend, const std::string& deviceName,
                    const std::string& name, bool source);
  static std::string Text(int32_t id) { return std::to_string(id); }
};

}  // namespace os::midi
