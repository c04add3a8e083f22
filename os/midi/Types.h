#pragma once
// Basic names of the MIDI layer: endpoint ids, status codes and the string
// properties an endpoint carries.
#include <cstdint>

namespace os::midi {

// Names one source or destination for as long as it exists; 0 names none.
using EndpointId = uint32_t;

// 0 is success; every failure is negative.
using Status = int32_t;
constexpr Status kOk = 0;
constexpr Status kErrNoService = -10830;      // no MIDI system is available
constexpr Status kErrBadArgument = -10831;
constexpr Status kErrNoSuchEndpoint = -10832;  // unknown, or unplugged already
constexpr Status kErrNoProperty = -10833;      // the endpoint lacks that property
constexpr Status kErrNoDevice = -10834;        // the endpoint belongs to no device
constexpr Status kErrInvalidPort = -10835;     // the port or its client is gone
constexpr Status kErrEndpointGone = -10836;    // unplugged during a transfer

enum class Property {
  kName,          // the endpoint's own name
  kManufacturer,
  kModel,
  kDeviceName,    // the name of the device that owns the endpoint
  kUniqueId,      // a signed 32-bit number in decimal, never 0, the same after a
                  // restart for the same port of the same device
};

// A SysEx send in progress, for withdrawing it.
using SysexId = uint64_t;

}  // namespace os::midi
