#pragma once
// What the system ports share about endpoints: their properties and names,
// the test for the synthesizer's own endpoints, listing them as device keys
// and taking the endpoint back out of a key. The throwing helpers throw the
// NRXException family; the ports catch it at their own operations.
#include <memory>
#include <string>
#include <vector>

#include "model/MIDIDevKey.h"
#include "os/midi/Client.h"
#include "os/midi/Types.h"

class CoreMIDIEndpoint {
 public:
  // The manufacturer that the maker's USB-MIDI driver reports.
  static const char* const kMakerFullName;

  static std::string GetPropertyName(os::midi::EndpointId endpoint, os::midi::Property property);
  // "device:endpoint"; on a failure, the part built so far.
  static std::string GetEndPointString(os::midi::EndpointId endpoint);
  static bool IsTargetSynthEndpoint(os::midi::EndpointId endpoint, eDevType& type);
  // Appends the synthesizer's sources (or destinations) in system order.
  static void AppendEnumDevices(std::vector<MIDIDevKey>* list, bool sources);
  // The endpoint a key names (0 when none); throws on a null or short key.
  static os::midi::EndpointId EndpointFromKey(const MIDIDevKey* key);
  // Throws NRXMacOSException for a failed status.
  static void Check(os::midi::Status status, const char* what);
  // A client ("MIDIClient") of the installed MIDI system; throws on failure.
  static std::unique_ptr<os::midi::Client> NewClient();
  static MIDIDevKey MakeKey(eDevType type, const std::string& name, os::midi::EndpointId endpoint);
};
