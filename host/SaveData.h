#pragma once
// The standalone program's settings record as its preferences file holds
// it: 9,464 bytes, little-endian, written by an explicit serializer. Older
// files are shorter (version 1: 9,444 bytes, version 2: 9,460 bytes). The
// tag is not checked, and the version field decides which later fields are
// read, as far as the length holds them. Reading never trusts the file: a
// name without its terminating NUL refuses the file as a whole; a knob
// mode, auto-stop switch or limit or starting channel out of its range
// takes its default, and the rest of the file is read.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "host/MidiEntry.h"
#include "os/audio/AudioTypes.h"

struct SaveData {
  static constexpr size_t kSize = 9464;
  static constexpr size_t kVersion1Size = 9444;
  static constexpr size_t kVersion2Size = 9460;
  static constexpr size_t kTextField = 1024;
  static constexpr uint32_t kTag = 0x546C764B;        // 'TlvK', as written
  static constexpr uint32_t kVersion1Tag = 0x546C766B;  // 'Tlvk', as version 1 files begin
  static constexpr int kCurrentVersion = 3;
  static constexpr int kInputs = 3;
  static constexpr int kClock = 3;  // index of the clock source in the port arrays
  static constexpr int kMaxKnobMode = 2;
  static constexpr int kMinAutoStopLimit = 1;
  static constexpr int kMaxAutoStopLimit = 100;
  static constexpr int kMaxStartingChannel = 254;

  uint32_t tag = kTag;
  std::string outputDeviceName;
  os::audio::AudioStreamBasicDescription streamFormat;
  std::string portName[4];    // inputs 1..3, then the clock source
  std::string deviceName[4];
  MidiEntry::Record entry[4]{};
  uint32_t bufferFrameSize = 0;
  int32_t startingChannel = 0;
  int32_t version = kCurrentVersion;
  bool useAutoStop = false;
  int32_t autoStopLimit = 100;
  int32_t knobMode = 2;
  uint32_t clockSourceId = 0;

  // Always kSize bytes; texts longer than 1,023 bytes are cut.
  std::vector<uint8_t> Serialize() const;

  // Reads `length` bytes. On failure returns false with the reason, a
  // sentence for the person (a file shorter than version 1's, a name
  // without its end), and leaves `out` at its defaults.
  static bool Parse(const uint8_t* data, size_t length, SaveData* out, std::string* reason);
};
