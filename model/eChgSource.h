#pragma once
// Where a change comes from. Passed with the extended writes and with the
// real-time MIDI output; the sections treat a value from the synthesizer
// (2) as stored but never sent back.

enum eChgSource : int {
  eChgSource_Editor = 0,      // plain writes from the editor and host automation
  eChgSource_Reported = 1,    // a change whose automatable timbre values the host hears of
  eChgSource_Synth = 2,       // a value received from the synthesizer
  eChgSource_EditorMIDI = 4,  // MIDI from the editor
  eChgSource_SynthMIDI = 5,   // control changes from the synthesizer
  eChgSource_HostMIDI = 6,    // MIDI from the host
};
