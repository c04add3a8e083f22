#pragma once
// One MIDI port as the settings dialog lists it, the audio output attaches
// it and the settings file stores it. The stored form is a 44-byte record
// (little-endian, 32-bit fields); its three name fields were pointers and
// are stored as 0, so a stored entry is found again by its unique ID.
#include <array>
#include <cstddef>
#include <cstdint>

#include "host/HostString.h"
#include "host/MIDIEndpointList.h"

struct MidiEntry {
  static constexpr size_t kRecordSize = 44;
  using Record = std::array<uint8_t, kRecordSize>;

  const char* displayName = nullptr;  // owned by the list that made the entry
  CFStringRef portName = nullptr;     // not owned
  CFStringRef deviceName = nullptr;   // not owned; null when unknown
  uint8_t enable = 0;
  int32_t portKind = 0;  // -1: no clock port
  int32_t deviceKey = 0;
  int32_t entryClass = 0;
  int32_t uniqueID = 0;
  MIDIEndpointRef endpoint = 0;
  uint32_t reservedA = 0;
  uint32_t reservedB = 0;

  Record Serialize() const;
  // The names come back null.
  static MidiEntry Parse(const uint8_t* record);
  // An all-zero record means no port.
  static bool IsNoPort(const uint8_t* record);
};
