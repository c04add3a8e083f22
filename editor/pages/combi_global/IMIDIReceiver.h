#pragma once
// A page that wants the short MIDI messages the editor receives; the root
// layer hands each one over on the GUI thread.
class IMIDIReceiver {
 public:
  virtual ~IMIDIReceiver() = default;
  virtual void OnMidiIn(unsigned char status, unsigned char data1, unsigned char data2) = 0;
};
