#pragma once
// What the plug-in editor needs of the plug-in that owns it: the edit
// brackets around a user gesture and MIDI to the host. The plug-in shell
// implements it over the host callback.
#include <cstdint>

// One MIDI event as the host takes it: type 1 (MIDI), byte size 24, delta
// frames, flags and up to four data bytes.
struct tagHfcVstMidiEvent {
  int32_t type = 1;
  int32_t byteSize = 24;
  int32_t deltaFrames = 0;
  int32_t flags = 0;
  uint8_t midiData[4] = {0, 0, 0, 0};
};

// The editor's area as the host reads it: top, left, bottom, right.
struct tagHfcERect {
  int16_t top = 0;
  int16_t left = 0;
  int16_t bottom = 0;
  int16_t right = 0;
};

class IHfcVstEditorHost {
 public:
  virtual ~IHfcVstEditorHost() = default;
  // The user starts or ends changing parameter index; true when the host
  // answered.
  virtual bool beginEdit(int index) = 0;
  virtual bool endEdit(int index) = 0;
  // A list of events for the host; true when the host took it.
  virtual bool sendVstEventsToHost(const tagHfcVstMidiEvent* events, int count) = 0;
};
