#pragma once
// The rest of the program reaches the one MIDI manager only through these
// functions. Results: 0 on success, the system status of a caught
// NRXMacOSException, -1 for any other failure or when there is no manager.
// No exception leaves them.
#include "host/HostAudioTimeStamp.h"
#include "host/HostedComponent.h"
#include "host/MIDIEndpointList.h"
#include "os/midi/Client.h"

extern "C" {

int TalvikHostMIDIManager_Initialize(os::midi::Client* client, HostedComponent* unit,
                                     void* midiController);
int TalvikHostMIDIManager_Finalize();
// Sends the queued LED and LCD requests; a failure is returned, never thrown
// into the timer that calls it.
int TalvikHostMIDIManager_Idle();
void TalvikHostMIDIManager_SetSampleRateAndBufferFrameSize(double rate, unsigned int frames);
void TalvikHostMIDIManager_InProcess(const HostAudioTimeStamp* timeStamp);
int TalvikHostMIDIManager_RebuildDataList(const MIDIEndpointList& snapshot);
int TalvikHostMIDIManager_SetSource(int slot, MIDIEndpointRef source, bool enable);
int TalvikHostMIDIManager_SetClockSyncSource(MIDIEndpointRef source);
// Types 0..4; the second family's index has 0x10000 added.
int TalvikHostMIDIManager_GetSourceType(MIDIEndpointRef source, int& type, int& index);
int TalvikHostMIDIManager_HandleBankOpen();
int TalvikHostMIDIManager_HandleBankSaveAs();
int TalvikHostMIDIManager_HandlePresetImport();
int TalvikHostMIDIManager_HandlePresetExport();
int TalvikHostMIDIManager_SetKnobMode(int knobMode);

}  // extern "C"

#include <string>

class TalvikHostMIDIManager;
// What the last call that did not return 0 caught, in words (any thread).
std::string TalvikHostMIDIManager_LastError();
// The instance, for the program's own wiring and for tests; null when none.
TalvikHostMIDIManager* TalvikHostMIDIManager_Instance();
