#pragma once
// The one receiver of the synthesizer's real-time MIDI, called on the system
// MIDI thread as the bytes arrive.

namespace Oskend {

class IRTMIDISink {
 public:
  virtual ~IRTMIDISink() = default;
  virtual void OnRTMIDIIn(long long time, const void* bytes, unsigned length) = 0;
  virtual void SetMIDIOUTtoDAW(bool on) = 0;
  virtual void SetAudioOutCh(int channel) = 0;
};

}  // namespace Oskend
