#pragma once
// Receives the short MIDI messages of the synthesizer on the main thread.

namespace Oskend {

class IRemoteSynth;

class IRemoteSynthMIDISink {
 public:
  virtual ~IRemoteSynthMIDISink() = default;
  virtual void OnRemoteSynthMIDIIn(IRemoteSynth* synth, const void* bytes, unsigned length) = 0;
};

}  // namespace Oskend
