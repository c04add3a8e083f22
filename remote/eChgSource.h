#pragma once
// Where a change comes from: 0 a plain write from the editor or host
// automation, 2 a value received from the synthesizer, 4 MIDI from the
// editor, 5 short MIDI from the synthesizer's input, 6 MIDI from the host.
enum eChgSource : int {
  eChgSource_Editor = 0,
  eChgSource_Synth = 2,
  eChgSource_EditorMIDI = 4,
  eChgSource_SynthMIDI = 5,
  eChgSource_HostMIDI = 6,
};
