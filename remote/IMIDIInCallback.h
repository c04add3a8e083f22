#pragma once
// Receiver of what an input port reads: single short messages, and whole
// SysEx messages or fragments of a long one (the first fragment begins with
// F0, the last ends with F7). Called on the system's MIDI input thread with
// the port's lock held: it must not call back into the port. The time
// passed is always 0.
class IMIDIIn;

class IMIDIInCallback {
 public:
  virtual ~IMIDIInCallback() = default;
  virtual void OnMIDIShort(IMIDIIn* port, long long time, const void* data, unsigned len) = 0;
  virtual void OnMIDILong(IMIDIIn* port, long long time, const void* data, unsigned len) = 0;
};
