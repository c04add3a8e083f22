#include "remote/CoreMIDIEndpoint.h"

#include "os/midi/System.h"
#include "platform/NRXException.h"

namespace {
constexpr unsigned kEndpointBytes = 4;
}

const char* const CoreMIDIEndpoint::kMakerFullName = "TAVO CORPORATION";

void CoreMIDIEndpoint::Check(os::midi::Status status, const char* what) {
  if (status != os::midi::kOk) throw NRXMacOSException(status, what);
}

std::unique_ptr<os::midi::Client> CoreMIDIEndpoint::NewClient() {
  std::unique_ptr<os::midi::Client> client;
  Check(os::midi::System::Current().CreateClient("MIDIClient", &client), "CreateClient");
  return client;
}

std::string CoreMIDIEndpoint::GetPropertyName(os::midi::EndpointId endpoint,
                                              os::midi::Property property) {
  std::string value;
  Check(os::midi::System::Current().GetProperty(endpoint, property, &value), "GetProperty");
  return value;
}

std::string CoreMIDIEndpoint::GetEndPointString(os::midi::EndpointId endpoint) {
  std::string name;
  try {
    name = GetPropertyName(endpoint, os::midi::Property::kDeviceName);
    name += ":";
    name += GetPropertyName(endpoint, os::midi::Property::kName);
  } catch (const NRXException&) {
  }
  return name;
}

bool CoreMIDIEndpoint::IsTargetSynthEndpoint(os::midi::EndpointId endpoint, eDevType& type) {
  type = kDevTypeUnknown;
  std::string maker, model;
  try {
    maker = GetPropertyName(endpoint, os::midi::Property::kManufacturer);
    model = GetPropertyName(endpoint, os::midi::Property::kModel);
  } catch (const NRXException&) {
    return false;
  }
  const bool target = (maker == kMakerFullName && model == "Vesk") ||
                      (maker == "TAVO" && model.rfind("Vesk", 0) == 0);
  if (target) type = kDevTypeTarget;
  return target;
}

void CoreMIDIEndpoint::AppendEnumDevices(std::vector<MIDIDevKey>* list, bool sources) {
  if (!list) return;
  os::midi::System& sys = os::midi::System::Current();
  const size_t n = sources ? sys.SourceCount() : sys.DestinationCount();
  try {
    for (size_t i = 0; i < n; ++i) {
      const os::midi::EndpointId ep = sources ? sys.Source(i) : sys.Destination(i);
      eDevType type;
      if (ep == 0 || !IsTargetSynthEndpoint(ep, type) || type != kDevTypeTarget) continue;
      list->push_back(MakeKey(type, GetEndPointString(ep), ep));
    }
  } catch (const std::exception&) {
    // The list keeps what was found before.
  }
}

os::midi::EndpointId CoreMIDIEndpoint::EndpointFromKey(const MIDIDevKey* key) {
  if (!key) throw NRXNullException("pdk", "EndpointFromKey");
  if (!(key->inst.size() >= kEndpointBytes))
    throw NRXIfNotException("pdk->inst.size() >= sizeof(MIDIEndpointRef)", "EndpointFromKey");
  const auto& b = key->inst;
  return static_cast<os::midi::EndpointId>(b[0]) | static_cast<os::midi::EndpointId>(b[1]) << 8 |
         static_cast<os::midi::EndpointId>(b[2]) << 16 | static_cast<os::midi::EndpointId>(b[3]) << 24;
}

MIDIDevKey CoreMIDIEndpoint::MakeKey(eDevType type, const std::string& name,
                                     os::midi::EndpointId endpoint) {
  const uint8_t bytes[kEndpointBytes] = {
      static_cast<uint8_t>(endpoint), static_cast<uint8_t>(endpoint >> 8),
      static_cast<uint8_t>(endpoint >> 16), static_cast<uint8_t>(endpoint >> 24)};
  return MIDIDevKey(type, name.c_str(), bytes, kEndpointBytes);
}
