#pragma once
// Names one MIDI endpoint: its kind, its display name ("device:endpoint")
// and the platform's endpoint reference as raw bytes. Stored port names in
// the setup are compared against keys made from these.
#include <cstdint>
#include <string>
#include <vector>

enum eDevType : int {
  kDevTypeUnknown = 0,  // unknown, or not the synthesizer
  kDevTypeTarget = 1,   // an endpoint of the target synthesizer
};

class MIDIDevKey {
 public:
  MIDIDevKey() = default;
  MIDIDevKey(eDevType t, const char* n, const void* bytes, unsigned len)
      : type(t), name(n ? n : "") {
    if (bytes && len) {
      const auto* b = static_cast<const uint8_t*>(bytes);
      inst.assign(b, b + len);
    }
  }
  MIDIDevKey(const MIDIDevKey& other) = default;
  MIDIDevKey& operator=(const MIDIDevKey& other) = default;

  bool operator==(const MIDIDevKey& o) const {
    return type == o.type && name == o.name && inst == o.inst;
  }
  bool operator!=(const MIDIDevKey& o) const { return !(*this == o); }

  eDevType type = kDevTypeUnknown;
  std::string name;
  std::vector<uint8_t> inst;
};
