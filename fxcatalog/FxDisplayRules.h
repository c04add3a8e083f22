#pragma once
// Display rules and value lists shared by the effect type tables (formats in
// the converter language: value lists separated by line feeds, or range rules
// "raw range TAB shown range TAB printf format").

// 0 "Dry", 1..99 "v:100-v", 100 "Wet".
extern const char FXFMT_WETDRY[];
// -100 "-Wet", -99..-1 "v:100+v", then as FXFMT_WETDRY.
extern const char FXFMT_WETDRY_SIGNED[];
// 3999 "MIDI", 4000..30000 shown as 40.00..300.00 BPM.
extern const char FXFMT_TEMPO[];
// The 38 dynamic modulation sources, "Off" to "Tempo".
extern const char FXFMT_MODSOURCE[];
// The ten tempo-synchronised note lengths, (1/32) to (1/1).
extern const char FXFMT_NOTELENGTH[];
// Low cut frequency of the preamp models: "Thru", 21 Hz .. 8.00 kHz.
extern const char FXFMT_LOWCUT[];
// High cut frequency of the preamp models: 53 Hz .. 20.0 kHz, "Thru".
extern const char FXFMT_HIGHCUT[];
// The twelve bass cabinet models.
extern const char FXFMT_BASSCABINET[];
