#include "os/midi/alsa/AlsaCardNames.h"

namespace os::midi {

AlsaCardNames AlsaCardNames::From(const std::string& shortName, const std::string& longName) {
  AlsaCardNames out;
  if (shortName.empty()) return out;
  out.model = shortName;
  const std::string tail = " " + shortName + " at ";
  const size_t at = longName.find(tail);
  if (at != std::string::npos && at > 0) out.manufacturer = longName.substr(0, at);
  return out;
}

}  // namespace os::midi
