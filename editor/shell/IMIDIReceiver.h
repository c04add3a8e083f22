#pragma once
// Something on screen that follows MIDI reaching the editor (the root
// layer, and the pages that light keys or meters).
#include <cstdint>

class IMIDIReceiver {
 public:
  virtual ~IMIDIReceiver() = default;
  virtual void OnMidiIn(uint8_t status, uint8_t data1, uint8_t data2) = 0;
};
