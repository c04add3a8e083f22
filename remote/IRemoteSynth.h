#pragma once
// The editor's model of the connected synthesizer: what the plug-in, the
// editor and the pages call. Main thread, except RTMIDIOut (also the
// plug-in's worker thread). RTMIDIOut never waits (a message the full
// output cannot take is refused and counted), but it updates the sections,
// which allocates: the host's audio thread hands its MIDI over instead of
// calling it.
#include <cstdint>
#include <iosfwd>
#include <vector>

#include "model/DEVICEINQUIRYDATA.h"
#include "model/IHostProxy.h"
#include "model/IRemoteMIDI.h"
#include "model/MIDIDevKey.h"
#include "model/MODEANDSTATE.h"
#include "model/SSoundIndex.h"
#include "model/eBankID.h"
#include "model/eChgSource.h"
#include "model/eMode.h"
#include "remote/RemoteSynthCommand.h"
#include "remote/SExtCtlState.h"
#include "remote/UISTATEDATA.h"

class AudioEffect;
class CHfcWindow;
class CDirtyFlagSet;

namespace Oskend {

class IBankList;
class ISection;
class ISoundSection;
class IRemoteSynthSink;
class IRemoteSynthMIDISink;
class IRTMIDISink;
enum class FTYPE : std::int32_t;

// Kind of audition: 0 none; 1, 2 (parameters) and 3 (riffs) save the
// current sound.
using AUDCTX = int;

class IRemoteSynth {
 public:
  virtual ~IRemoteSynth() = default;

  virtual bool AdviseSink(IRemoteSynthSink* sink) = 0;
  virtual bool UnadviseSink(IRemoteSynthSink* sink) = 0;
  virtual bool AdviseMIDISink(IRemoteSynthMIDISink* sink) = 0;
  virtual bool UnadviseMIDISink(IRemoteSynthMIDISink* sink) = 0;
  virtual bool SetRTMIDISink(IRTMIDISink* sink) = 0;
  virtual bool Connect(bool standalone, bool recall) = 0;
  virtual void Disconnect() = 0;
  virtual bool GetMIDIConnectionState(MIDIDevKey* in, MIDIDevKey* out, DEVICEINQUIRYDATA* inquiry,
                                      MODEANDSTATE* state, bool* checked) = 0;
  virtual int GetGlobalChannel() = 0;
  virtual SExtCtlState GetExtCtlState() = 0;
  virtual bool GetConnected() = 0;
  virtual bool GetRecallPending() = 0;
  virtual void SetRecallPending(bool pending) = 0;
  virtual bool LoadUIState(std::uint8_t index, UISTATEDATA* out) = 0;
  virtual bool SaveUIState(std::uint8_t index, const UISTATEDATA& state) = 0;
  virtual unsigned GetMasterVolume() = 0;
  virtual unsigned PutMasterVolume(unsigned volume) = 0;
  virtual eMode GetMode() = 0;
  virtual eMode PutMode(eMode mode) = 0;
  virtual eMode GetVirtualMode() = 0;
  virtual int GetSoundMode() = 0;
  virtual int GetProgramMode(eBankID bank, int number) = 0;
  virtual SSoundIndex GetCurSound(bool flag) = 0;
  virtual SSoundIndex PutCurSound(const SSoundIndex& sound) = 0;
  virtual bool BeginAudition(AUDCTX kind) = 0;
  virtual bool EndAudition(bool keep) = 0;
  virtual bool GetAuditionState() = 0;
  virtual bool MIDIOut(const void* bytes, unsigned length) = 0;
  virtual bool RTMIDIOut(long long timeUs, const void* bytes, unsigned length,
                         eChgSource source) = 0;
  virtual bool ExecCommand(int command, int a1, int a2, int a3, int a4, unsigned long* out) = 0;
  virtual bool LoadStreamFromHost(std::istream& in, bool noRecall, bool onlyWhenChanged) = 0;
  virtual bool SaveStream(std::ostream& out, FTYPE type, std::uint32_t selector) = 0;
  virtual bool LoadFile(const char* path, std::uint32_t selector) = 0;
  virtual bool SaveFile(const char* path, FTYPE type, std::uint32_t selector) = 0;
  virtual bool SelectFileName(const char* path, std::uint32_t selector) = 0;
  virtual bool AutoLoadData(const char* path) = 0;
  virtual void BeginUtility() = 0;
  virtual void EndUtility(bool flag) = 0;
  virtual void NeedAutomationAPI(short a, short b) = 0;
  virtual IBankList* GetAllSounds(int mode) = 0;
  virtual ISoundSection* GetEditBuffer(int mode) = 0;
  virtual ISoundSection* GetFakeEditBuffer(int mode) = 0;
  virtual ISoundSection* GetTempoEditBuffer(int mode) = 0;
  virtual ISection* GetRealtimeControl() = 0;
  virtual ISection* GetAutomation() = 0;
  virtual ISection* GetGlobal() = 0;
  virtual void* GetDrumKits() = 0;
  virtual void* GetExtControls() = 0;
  virtual void* GetArpPatterns() = 0;
  virtual ISection* GetSetup() = 0;
  virtual BankMap GetBankMap() = 0;
  virtual unsigned GetSystemVersion() = 0;
  virtual const char* GetDrumKitName(int number) = 0;
  virtual bool IsEnableProgramChangeBank(eMode mode, eBankID bank) = 0;
  virtual bool IsEnableProgramChangeProgram(eMode mode, int number) = 0;
  virtual bool IsEnableProgramChangeProgBank(eMode mode, eBankID bank, int number) = 0;
  virtual void ClearMultiEmptyStat() = 0;
  virtual void SetMultiEmptyStat(int) = 0;
  virtual void RenameMultiName(const char*) = 0;
  virtual int GetCurTimbreMIDICh(int a, int b) = 0;
  virtual void PutCurTimbreSound(int timbre, const SSoundIndex& sound) = 0;
  virtual void PutCurTimbreSound(int timbre, eBankID bank, int number) = 0;
  virtual void CopySeqCurTrack2CURRENTSTAT() = 0;
  virtual void SetSeqCurTrack(int track) = 0;
  virtual std::vector<MIDIDevKey>* GetMIDIInKeyDevArray() = 0;
  virtual std::vector<MIDIDevKey>* GetMIDIOutKeyDevArray() = 0;
  virtual void SetMIDIOUTtoDAW(bool on) = 0;
  virtual void SetPrgChgToGUI(bool on) = 0;
  virtual bool GetSongRunning() = 0;
  virtual int GetActiveTrack() = 0;
  virtual void SetActiveTrack(int track) = 0;
  virtual void SetupProgEditBuffer(eBankID bank, int number) = 0;
  virtual bool GetProgResetStatus() = 0;
  virtual void SetProgResetStatus(bool on) = 0;
  virtual int GetLastTimbre() = 0;
  virtual void SetParentWindow(CHfcWindow* window) = 0;
  virtual void OnAsyncTimer(long id) = 0;
  virtual void OnAsyncEvent(long event, long a) = 0;
  virtual void SetAudioOutCh(int channel) = 0;
  virtual void SetExtCtlState(MIDIClock clock) = 0;
  virtual void SetBankMap(BankMap map) = 0;
  virtual void SetGlobalChannel(int channel) = 0;
  virtual bool Get_NowInitializing() = 0;
  virtual void Set_NowInitializing(bool on) = 0;
  virtual void SetDumpProgramChangeProtect(bool on) = 0;
  virtual bool LoadStream(std::istream& in, std::uint32_t selector, bool noSend, bool fromHost,
                          CDirtyFlagSet& dirty) = 0;
  // Main thread. Why the last stream or file load failed on its way to the
  // synthesizer: the link's result (RemoteStatus.h), or 0 when it did not
  // fail there.
  virtual int GetLoadSendFailure() = 0;
};

// The model for one plug-in instance; the caller deletes it. Main thread.
IRemoteSynth* RemoteSynthCreate(AudioEffect* effect);

}  // namespace Oskend
