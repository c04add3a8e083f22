#include "host/TalvikHostMIDIManagerC.h"

#include <memory>
#include <mutex>
#include <string>

#include "host/FailureReporter.h"
#include "host/TalvikHostMIDIManager.h"
#include "os/Lock.h"
#include "platform/NRXException.h"

namespace {

// A plain pointer: nothing destroys the manager at the process's end but
// Finalize, so that one left for an audio device that would not stop
// outlives every cycle.
TalvikHostMIDIManager* g_manager = nullptr;

// What the last failed call caught, for the caller that tells the user.
os::Lock g_errorLock;
std::string g_lastError;

void SetLastError(const std::string& text) {
  std::lock_guard lock(g_errorLock);
  g_lastError = text;
}

// Keeps the caught exception's words and turns it into the result.
int Caught() {
  SetLastError(FailureReporter::CurrentReason());
  try {
    throw;
  } catch (const NRXMacOSException& e) {
    return static_cast<int>(e.code());
  } catch (...) {
    return -1;
  }
}

template <typename Fn>
int Guarded(Fn fn) {
  if (!g_manager) {
    SetLastError("The MIDI manager is not running.");
    return -1;
  }
  try {
    fn(*g_manager);
    return 0;
  } catch (...) {
    return Caught();
  }
}

}  // namespace

TalvikHostMIDIManager* TalvikHostMIDIManager_Instance() { return g_manager; }

std::string TalvikHostMIDIManager_LastError() {
  std::lock_guard lock(g_errorLock);
  return g_lastError;
}

extern "C" {

int TalvikHostMIDIManager_Initialize(os::midi::Client* client, HostedComponent* unit,
                                     void* midiController) {
  if (g_manager) return 0;
  try {
    g_manager = std::make_unique<TalvikHostMIDIManager>(client, unit, midiController).release();
    return 0;
  } catch (...) {
    return Caught();
  }
}

int TalvikHostMIDIManager_Finalize() {
  if (!g_manager) return 0;
  std::unique_ptr<TalvikHostMIDIManager> m(g_manager);
  g_manager = nullptr;
  try {
    m.reset();
    return 0;
  } catch (...) {
    return Caught();
  }
}

int TalvikHostMIDIManager_Idle() {
  return Guarded([](TalvikHostMIDIManager& m) { m.Idle(); });
}

void TalvikHostMIDIManager_SetSampleRateAndBufferFrameSize(double rate, unsigned int frames) {
  if (g_manager) g_manager->SetSampleRateAndBufferFrameSize(rate, frames);
}

void TalvikHostMIDIManager_InProcess(const HostAudioTimeStamp* timeStamp) {
  if (g_manager) g_manager->InProcess(timeStamp);
}

int TalvikHostMIDIManager_RebuildDataList(const MIDIEndpointList& snapshot) {
  return Guarded([&](TalvikHostMIDIManager& m) { m.RebuildDataList(snapshot); });
}

int TalvikHostMIDIManager_SetSource(int slot, MIDIEndpointRef source, bool enable) {
  return Guarded([&](TalvikHostMIDIManager& m) { m.SetSource(slot, source, enable); });
}

int TalvikHostMIDIManager_SetClockSyncSource(MIDIEndpointRef source) {
  return Guarded([&](TalvikHostMIDIManager& m) { m.SetClockSyncSource(source); });
}

int TalvikHostMIDIManager_GetSourceType(MIDIEndpointRef source, int& type, int& index) {
  return Guarded([&](TalvikHostMIDIManager& m) {
    int t = 0, i = 0;
    m.GetSourceType(source, t, i);
    type = t;
    index = i;
  });
}

int TalvikHostMIDIManager_HandleBankOpen() {
  return Guarded([](TalvikHostMIDIManager& m) { m.HandleBankOpen(); });
}

int TalvikHostMIDIManager_HandleBankSaveAs() {
  return Guarded([](TalvikHostMIDIManager& m) { m.HandleBankSaveAs(); });
}

int TalvikHostMIDIManager_HandlePresetImport() {
  return Guarded([](TalvikHostMIDIManager& m) { m.HandlePresetImport(); });
}

int TalvikHostMIDIManager_HandlePresetExport() {
  return Guarded([](TalvikHostMIDIManager& m) { m.HandlePresetExport(); });
}

int TalvikHostMIDIManager_SetKnobMode(int knobMode) {
  return Guarded([&](TalvikHostMIDIManager& m) { m.SetKnobMode(knobMode); });
}

}  // extern "C"
