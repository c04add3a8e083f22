#pragma once
// One MIDI endpoint: its device type, its display name and the platform's
// endpoint reference as raw bytes. Two keys are equal when all three are.
#include <cstdint>
#include <string>
#include <vector>

enum eDevType : int {
  eDevType_Unknown = 0,  // not an endpoint of the synthesizer
  eDevType_Synth = 1,    // an endpoint of the synthesizer
};

class MIDIDevKey {
 public:
  MIDIDevKey() = default;
  // A null name becomes ""; the bytes are copied only when both the pointer
  // and the length are non-zero.
  MIDIDevKey(eDevType devType, const char* devName, const void* bytes, unsigned len)
      : type(devType), name(devName != nullptr ? devName : "") {
    if (bytes != nullptr && len != 0) {
      const auto* p = static_cast<const std::uint8_t*>(bytes);
      inst.assign(p, p + len);
    }
  }
  MIDIDevKey(const MIDIDevKey&) = default;
  MIDIDevKey& operator=(const MIDIDevKey&) = default;

  bool operator==(const MIDIDevKey& other) const {
    return type == other.type && name == other.name && inst == other.inst;
  }

  eDevType type = eDevType_Unknown;
  std::string name;
  std::vector<std::uint8_t> inst;  // endpoint reference, in memory order
};
