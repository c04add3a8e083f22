#pragma once
// The port lists of the settings dialog: the input list, ordered by the
// MIDI manager's index of each source, and the clock list in the system's
// order, both built from one snapshot of the sources. Lookups that answer
// for a popup return the entry's position + 2, and 1 (the " -- " item) when
// nothing matches. Main thread only.
#include "host/MidiEntry.h"

extern MidiEntry* midiEntry;
extern int nMidi;
extern MidiEntry* clockMidiEntry;
extern int nClockMidi;

// Builds both lists; the MIDI manager's source list is brought up to date
// first. Its failures come out as NRX exceptions.
void getMidiEntry();
void releaseMidiEntry();

int getMidiIndexByUniqueID(const MidiEntry* entry);
int getClockMidiIndexByUniqueID(const MidiEntry* entry);
int getMidiIndexByEndpointRef(const MidiEntry* entry);
int getMidiIndexByName(const char* name);
int getClockMidiIndexByName(const char* name);
bool getMidiNamesByUniqueID(const MidiEntry* entry, CFStringRef* portName, CFStringRef* deviceName);
bool getClockMidiNamesByUniqueID(const MidiEntry* entry, CFStringRef* portName,
                                 CFStringRef* deviceName);
// 0-based input position to 0-based clock position; -1 when there is none.
int GetClockSourceIndexByMIDIInIndex(int inputIndex);
int MIDIEntry_QSortCompare(const void* a, const void* b);
// True when the system's sources differ from those seen at the last call.
bool CheckUpdated();
// Whether the sources that came or went at the last change CheckUpdated
// reported were all the synthesizer's own ports: the editor's link tells
// of losing and finding the synthesizer itself.
bool LastChangeOnlySynthesizer();

// The unique ID of a port, stable across runs: from its device's and its
// own name (the MIDI layer offers no ID of its own).
int32_t MidiEntryUniqueID(const std::string& deviceName, const std::string& portName);
