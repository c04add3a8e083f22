#pragma once
// The model's side of the link: what the synthesizer sends, decoded. Called
// on the system MIDI thread with the input's lock held. The int a dump or
// parameter handler returns becomes the result of the session that waited
// for that message.
#include <cstdint>

#include "model/MODEANDSTATE.h"
#include "model/eBankID.h"
#include "model/eChgSource.h"
#include "model/eMode.h"

namespace Oskend {

class IRemoteMIDI;

class IRemoteMIDICallback {
 public:
  virtual ~IRemoteMIDICallback() = default;
  virtual int OnRcvShortMsg(IRemoteMIDI* link, long long time, const void* data, unsigned len,
                            eChgSource source) = 0;
  virtual int OnRcvProgramChange(IRemoteMIDI* link, eBankID bank, unsigned program) = 0;
  virtual int OnRcvModeAndState(IRemoteMIDI* link, const MODEANDSTATE* state) = 0;
  virtual int OnRcvCurProgDump(IRemoteMIDI* link, const void* data, unsigned len) = 0;
  virtual int OnRcvProgDump(IRemoteMIDI* link, eBankID bank, int program, const void* data,
                            unsigned len) = 0;
  virtual int OnRcvCurCombiDump(IRemoteMIDI* link, const void* data, unsigned len) = 0;
  virtual int OnRcvCombiDump(IRemoteMIDI* link, eBankID bank, int number, const void* data,
                             unsigned len) = 0;
  virtual int OnRcvCurSongTimbreDump(IRemoteMIDI* link, const void* data, unsigned len) = 0;
  virtual int OnRcvSongTimbreDump(IRemoteMIDI* link, int number, const void* data, unsigned len) = 0;
  virtual int OnRcvSongCtrlDump(IRemoteMIDI* link, int number, const void* data, unsigned len) = 0;
  virtual int OnRcvSongEventDump(IRemoteMIDI* link, int number, const void* data, unsigned len) = 0;
  virtual int OnRcvGlobalDump(IRemoteMIDI* link, const void* data, unsigned len) = 0;
  virtual int OnRcvDrumkitDump(IRemoteMIDI* link, int number, const void* data, unsigned len) = 0;
  virtual int OnRcvArpPatternDump(IRemoteMIDI* link, int number, const void* data, unsigned len) = 0;
  virtual int OnRcvMasterVolumeChange(IRemoteMIDI* link, unsigned volume) = 0;
  virtual int OnRcvModeChange(IRemoteMIDI* link, eMode mode) = 0;
  virtual int OnRcvParamChange(IRemoteMIDI* link, uint8_t section, int id, int value) = 0;
  virtual int OnRcvDrumkitParamChange(IRemoteMIDI* link, int id, int value) = 0;
  virtual int OnRcvArpPatternParamChange(IRemoteMIDI* link, int id, int value) = 0;
  virtual void OnRcvTimbreSound(IRemoteMIDI* link, int timbre, int bank, int program) = 0;
  virtual int GetCurTimbreMIDICh(IRemoteMIDI* link, int a, int b) = 0;
  virtual int OnRcvPlayStopContinue(IRemoteMIDI* link, int what, bool a, bool b) = 0;
};

}  // namespace Oskend
