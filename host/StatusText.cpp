#include "host/StatusText.h"

#include <cstdint>

#include "host/AudioComponent.h"
#include "os/audio/AudioTypes.h"
#include "os/midi/Types.h"

namespace {

struct StatusRow {
  long code;
  const char* text;
};

const StatusRow kStatuses[] = {
    {kStatusParamErr, "a value was refused"},
    {kStatusMemFullErr, "out of memory"},
    {kStatusCantOpenComponent, "the component could not be opened"},
    {os::audio::kErrUnknownProperty, "the audio device does not know that setting"},
    {os::audio::kErrBadDevice, "the audio device is gone"},
    {os::audio::kErrIllegalOperation, "the audio device does not allow that now"},
    {os::audio::kErrUnsupportedFormat, "the audio device does not support that format"},
    {os::audio::kErrHardware, "the audio hardware failed"},
    {os::midi::kErrNoService, "no MIDI system is available"},
    {os::midi::kErrBadArgument, "a MIDI call was given a wrong value"},
    {os::midi::kErrNoSuchEndpoint, "the MIDI port is gone"},
    {os::midi::kErrNoProperty, "the MIDI port lacks that property"},
    {os::midi::kErrNoDevice, "the MIDI port belongs to no device"},
    {os::midi::kErrInvalidPort, "the MIDI connection is gone"},
    {os::midi::kErrEndpointGone, "the MIDI port was unplugged"},
    {AudioComponent::kErrUninitialized, "the editor component is not started"},
    {AudioComponent::kErrFormatNotSupported, "the editor component does not support that format"},
    {AudioComponent::kErrNoView, "the editor component has no window"},
    {AudioComponent::kErrFailedInitialization, "the editor component could not start"},
};

struct CallRow {
  const char* call;
  const char* text;
};

const CallRow kCalls[] = {
    {"OpenAComponent", "opening Vesk Plug-In Editor"},
    {"AudioUnitInitialize", "starting the editor component"},
    {"AudioUnitUninitialize", "stopping the editor component"},
    {"AudioUnitGetProperty", "setting up the editor component"},
    {"AudioUnitSetProperty", "setting up the editor component"},
    {"AudioUnitCarbonViewCreate", "opening the editor's view"},
    {"AudioDeviceAddIOProc", "connecting to the audio device"},
    {"AudioDeviceStart", "starting the audio device"},
    {"AudioDeviceStop", "stopping the audio device"},
    {"AudioDeviceAddPropertyListener", "watching the audio device"},
    {"AudioDeviceRemovePropertyListener", "releasing the audio device"},
    {"AudioConverterNew", "converting to the audio device's format"},
    {"AudioConverterSetProperty", "routing to the audio device's channels"},
    {"fsiz", "reading the audio device's buffer size"},
    {"stm#", "reading the audio device's streams"},
    {"pft ", "reading the audio device's format"},
    {"CreateStandardAlert", "showing an alert"},
    {"TalvikHostMIDIManager_RebuildDataList", "listing the MIDI controllers"},
};

}  // namespace

std::string StatusText(long code) {
  for (const StatusRow& row : kStatuses)
    if (row.code == code) return row.text;
  return "status " + std::to_string(code);
}

std::string CallText(const std::string& call) {
  for (const CallRow& row : kCalls)
    if (call == row.call) return row.text;
  return call;
}
