#pragma once
// The editor's model of the connected synthesizer: the working image of its
// memory, the link that talks to it, the sink lists, and the operations that
// keep image, hardware and pages in step. Notices found on the link's
// threads travel to the main thread through the model's own dispatcher.
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "model/CBankListImpl.h"
#include "model/CGlobalSectionImpl.h"
#include "model/COskendAutomationSectionImpl.h"
#include "model/CSetupSectionImpl.h"
#include "model/ChunkRemoteSynth.h"
#include "model/IHostProxy.h"
#include "model/IRemoteMIDICallback.h"
#include "model/ISectionHostEvents.h"
#include "model/OskendCCombiPlaySectionImpl.h"
#include "model/OskendCProgEditSectionImpl.h"
#include "model/OskendCProgPlaySectionImpl.h"
#include "model/OskendCRTCSectionImpl.h"
#include "platform/CHfcCriticalSection.h"
#include "platform/CHfcListenerList.h"
#include "platform/IAsyncDispatch.h"
#include "platform/XEvent.h"
#include "remote/CAwayWrites.h"
#include "remote/CImageEdits.h"
#include "remote/IRemoteSynth.h"
#include "remote/RemoteStatus.h"

namespace Oskend {

class CRemoteSynthImpl : public IRemoteSynth,
                         public IHostProxy,
                         public IAsyncDispatchHandler,
                         public IRemoteMIDICallback,
                         public ISectionHostEvents {
 public:
  // The notices the model posts to itself (IAsyncDispatch events): the
  // first three and the last act on the model, the others reach the sinks.
  enum Notice : long {
    kNoticeRcvDuringAudition = 1,  // 16..23 kind (0 mode, 1 sound), 8..15 bank, 0..7 mode/number
    kNoticeArmProgDump = 2,
    kNoticeSelectSound = 3,         // 8..15 bank, 0..7 number
    kNoticeConnectionState = 4,     // bit 8 checked, 0..7 connected
    kNoticeExtCtlState = 5,         // 0..7 flag, 8..15 and 16..23 two bytes
    kNoticeMasterVolume = 6,
    kNoticeMode = 7,
    kNoticeCurSound = 8,            // 8..15 bank, 0..7 number
    kNoticeBankList = 9,            // 16..23 kind, 8..15 bank, 0..7 number (0xFF all)
    kNoticeAuditionState = 10,
    kNoticeMIDIIn = 11,             // bytes in 0..23 (first lowest), length in 24..31
    kNoticeProgOSCMode = 12,
    kNoticeBeginUtility = 13,
    kNoticeEndUtility = 14,
    kNoticeSeqState = 15,
    kNoticeNeedAutomationAPI = 16,  // a in 16..31, b in 0..15
    kNoticeArmCombiDump = 0x100,    // arm the one-shot request of the current combination
    // What arrives on another thread and changes the image, handed to the
    // main thread in the order it came.
    kNoticeControlChange = 0x101,   // status, controller, value, source from the low byte up
    kNoticeRcvParamChange = 0x102,  // 48..55 section, 32..47 id, 0..31 value
    kNoticeRcvModeChange = 0x103,   // mode
    kNoticeRcvProgramChange = 0x104,  // 8..15 bank, 0..7 number
    kNoticeRcvMasterVolume = 0x105,   // volume
  };

  static constexpr unsigned kMaxVolume = 16383;
  static constexpr int kRefused = kRemoteFailed;
  static constexpr int kRTCStateSize = 128;
  static constexpr int kStepCount = 7;  // resume steps of a receive: 0..6
  static constexpr int kTempoId = 0x100;
  static constexpr int kRTCEditState = 0x8029;
  static constexpr int kNameId = static_cast<int>(0xFFFF0000u);
  static constexpr int kWriteKeptId = 0x201;

  explicit CRemoteSynthImpl(AudioEffect* effect);
  ~CRemoteSynthImpl() override;
  CRemoteSynthImpl(const CRemoteSynthImpl&) = delete;
  CRemoteSynthImpl& operator=(const CRemoteSynthImpl&) = delete;

  // IRemoteSynth
  bool AdviseSink(IRemoteSynthSink* sink) override;
  bool UnadviseSink(IRemoteSynthSink* sink) override;
  bool AdviseMIDISink(IRemoteSynthMIDISink* sink) override;
  bool UnadviseMIDISink(IRemoteSynthMIDISink* sink) override;
  bool SetRTMIDISink(IRTMIDISink* sink) override;
  bool Connect(bool standalone, bool recall) override;
  // Any thread: a connection or transfer in progress ends soon and later
  // ones fail at once; for an owner that is shutting down.
  void AbortConnection();
  // Main thread: a connection is being made (Connect, or the reattach of
  // the connection timer), questions and waits included.
  bool IsConnecting() const { return connecting_; }
  // Main thread: while connected, a connection's steps or a transfer run:
  // the image is on its way to or from the synthesizer.
  bool IsExchanging();
  // Main thread: whether LoadStream would take the stream (it is read
  // into a scratch image and nothing else changes).
  bool CanLoadStream(std::istream& in);
  void Disconnect() override;
  bool GetMIDIConnectionState(MIDIDevKey* in, MIDIDevKey* out, DEVICEINQUIRYDATA* inquiry,
                              MODEANDSTATE* state, bool* checked) override;
  int GetGlobalChannel() override;
  SExtCtlState GetExtCtlState() override { return extCtl_; }
  bool GetConnected() override { return connected_; }
  bool GetRecallPending() override { return recallPending_; }
  void SetRecallPending(bool pending) override { recallPending_ = pending; }
  bool LoadUIState(std::uint8_t index, UISTATEDATA* out) override;
  bool SaveUIState(std::uint8_t index, const UISTATEDATA& state) override;
  unsigned GetMasterVolume() override { return masterVolume_; }
  unsigned PutMasterVolume(unsigned volume) override;
  eMode GetMode() override { return static_cast<eMode>(image_.GetMode()); }
  eMode PutMode(eMode mode) override;
  eMode GetVirtualMode() override { return static_cast<eMode>(virtualMode_.load()); }
  int GetSoundMode() override { return soundMode_; }
  int GetProgramMode(eBankID bank, int number) override;
  SSoundIndex GetCurSound(bool flag) override;
  SSoundIndex PutCurSound(const SSoundIndex& sound) override;
  bool BeginAudition(AUDCTX kind) override;
  bool EndAudition(bool keep) override;
  bool GetAuditionState() override { return auditionKind_ != 0; }
  bool MIDIOut(const void* bytes, unsigned length) override;
  bool RTMIDIOut(long long timeUs, const void* bytes, unsigned length, eChgSource source) override;
  bool ExecCommand(int command, int a1, int a2, int a3, int a4, unsigned long* out) override;
  bool LoadStreamFromHost(std::istream& in, bool noRecall, bool onlyWhenChanged) override;
  bool SaveStream(std::ostream& out, FTYPE type, std::uint32_t selector) override;
  bool LoadFile(const char* path, std::uint32_t selector) override;
  bool SaveFile(const char* path, FTYPE type, std::uint32_t selector) override;
  bool SelectFileName(const char* path, std::uint32_t selector) override;
  bool AutoLoadData(const char* path) override;
  void BeginUtility() override;
  void EndUtility(bool flag) override;
  void NeedAutomationAPI(short a, short b) override;
  IBankList* GetAllSounds(int mode) override;
  ISoundSection* GetEditBuffer(int mode) override;
  ISoundSection* GetFakeEditBuffer(int mode) override;
  ISoundSection* GetTempoEditBuffer(int mode) override;
  ISection* GetRealtimeControl() override;
  ISection* GetAutomation() override;
  ISection* GetGlobal() override;
  void* GetDrumKits() override { return nullptr; }
  void* GetExtControls() override { return nullptr; }
  void* GetArpPatterns() override { return nullptr; }
  ISection* GetSetup() override;
  BankMap GetBankMap() override;
  unsigned GetSystemVersion() override;
  const char* GetDrumKitName(int) override { return nullptr; }
  bool IsEnableProgramChangeBank(eMode mode, eBankID bank) override;
  bool IsEnableProgramChangeProgram(eMode, int) override { return true; }
  bool IsEnableProgramChangeProgBank(eMode mode, eBankID bank, int number) override;
  void ClearMultiEmptyStat() override {}
  void SetMultiEmptyStat(int) override {}
  void RenameMultiName(const char*) override {}
  int GetCurTimbreMIDICh(int, int) override;
  void PutCurTimbreSound(int, const SSoundIndex&) override {}
  void PutCurTimbreSound(int, eBankID, int) override {}
  void CopySeqCurTrack2CURRENTSTAT() override {}
  void SetSeqCurTrack(int) override {}
  std::vector<MIDIDevKey>* GetMIDIInKeyDevArray() override;
  std::vector<MIDIDevKey>* GetMIDIOutKeyDevArray() override;
  void SetMIDIOUTtoDAW(bool on) override;
  void SetPrgChgToGUI(bool on) override;
  bool GetSongRunning() override;
  int GetActiveTrack() override { return activeTrack_; }
  void SetActiveTrack(int track) override { activeTrack_ = track; }
  void SetupProgEditBuffer(eBankID bank, int number) override;
  bool GetProgResetStatus() override { return progResetStatus_; }
  void SetProgResetStatus(bool on) override { progResetStatus_ = on; }
  int GetLastTimbre() override { return lastTimbre_; }
  void SetParentWindow(CHfcWindow* window) override;
  void OnAsyncTimer(long id) override;
  void OnAsyncEvent(long event, long a) override;
  void SetAudioOutCh(int channel) override;
  void SetExtCtlState(MIDIClock clock) override;
  void SetBankMap(BankMap map) override;
  void SetGlobalChannel(int channel) override;
  bool Get_NowInitializing() override { return nowInitializing_; }
  void Set_NowInitializing(bool on) override { nowInitializing_ = on; }
  void SetDumpProgramChangeProtect(bool on) override;
  bool LoadStream(std::istream& in, std::uint32_t selector, bool noSend, bool fromHost,
                  CDirtyFlagSet& dirty) override;
  int GetLoadSendFailure() override { return loadSendFailure_; }

  // IRemoteMIDICallback
  int OnRcvShortMsg(IRemoteMIDI* link, long long time, const void* data, unsigned len,
                    eChgSource source) override;
  int OnRcvProgramChange(IRemoteMIDI* link, eBankID bank, unsigned number) override;
  int OnRcvModeAndState(IRemoteMIDI*, const MODEANDSTATE*) override { return 0; }
  int OnRcvCurProgDump(IRemoteMIDI* link, const void* data, unsigned len) override;
  int OnRcvProgDump(IRemoteMIDI* link, eBankID bank, int number, const void* data,
                    unsigned len) override;
  int OnRcvCurCombiDump(IRemoteMIDI* link, const void* data, unsigned len) override;
  int OnRcvCombiDump(IRemoteMIDI* link, eBankID bank, int number, const void* data,
                     unsigned len) override;
  int OnRcvCurSongTimbreDump(IRemoteMIDI*, const void*, unsigned) override { return 0; }
  int OnRcvSongTimbreDump(IRemoteMIDI*, int, const void*, unsigned) override { return 0; }
  int OnRcvSongCtrlDump(IRemoteMIDI*, int, const void*, unsigned) override { return 0; }
  int OnRcvSongEventDump(IRemoteMIDI*, int, const void*, unsigned) override { return 0; }
  int OnRcvGlobalDump(IRemoteMIDI* link, const void* data, unsigned len) override;
  int OnRcvDrumkitDump(IRemoteMIDI*, int, const void*, unsigned) override { return 0; }
  int OnRcvArpPatternDump(IRemoteMIDI*, int, const void*, unsigned) override { return 0; }
  int OnRcvMasterVolumeChange(IRemoteMIDI* link, unsigned volume) override;
  int OnRcvModeChange(IRemoteMIDI* link, eMode mode) override;
  int OnRcvParamChange(IRemoteMIDI* link, std::uint8_t section, int id, int value) override;
  int OnRcvDrumkitParamChange(IRemoteMIDI*, int, int) override { return 0; }
  int OnRcvArpPatternParamChange(IRemoteMIDI*, int, int) override { return 0; }
  void OnRcvTimbreSound(IRemoteMIDI*, int, int, int) override {}
  int GetCurTimbreMIDICh(IRemoteMIDI* link, int a, int b) override;
  int OnRcvPlayStopContinue(IRemoteMIDI* link, int what, bool a, bool b) override;

  // Whole transfers. A receive resumes at *step (0..6) and leaves there the
  // step that failed; a send returns the first failing data step, or the
  // success of the last one.
  int HandleReceiveAll(const char* title, int* step, bool useFilter);
  int HandleSendAll(CHUNK_REMOTESYNTH_CONST image, const char* title, bool write, bool);
  int HandleSendAll_withSoftwareSetup(CHUNK_REMOTESYNTH_CONST image, const char* title, bool write);
  void OnApplyAll();

  // IHostProxy
  IAsyncDispatch* GetDisp() override { return dispatch_.get(); }
  unsigned char GetPMID() override { return pmid_; }
  eMode GetRemoteMode() override { return GetMode(); }
  int GetRemoteVirtualMode() override { return virtualMode_; }
  int GetRemoteSoundMode() override { return soundMode_; }
  int GetRemoteTempo() override;
  IRemoteMIDI* GetRemoteMidi() override { return link_.get(); }
  CHUNK_REMOTESYNTH GetRawChunk() override { return image_; }
  CHUNK_REMOTESYNTH GetRawChunkROM() override { return CHUNK_REMOTESYNTH(rom_.data()); }
  bool GetStandAlone() override { return standalone_; }
  CHUNK_PROG GetProgramBankFromStorage(eBankID bank) override;
  CHUNK_PROG GetProgramFromStorage(eBankID bank, int number) override;
  bool SetProgramToStorage(eBankID bank, int number, CHUNK_PROG_CONST src) override;
  CHUNK_PROG GetProgramFromBuffer(CHUNK_REMOTESYNTH image, eBankID bank, int number) override;
  void LoadProgramFromStorage(CHUNK_PROG dst, CHUNK_PROG_CONST src) override;

  // Percentage of the protocol's pauses actually waited (100 by default);
  // 0 lets benchmarks measure the model without the pacing.
  void SetPacing(unsigned percent) { pacing_ = percent; }

 private:
  enum Sec {
    kSecSetup,
    kSecGlobal,
    kSecRTC,
    kSecAutomation,
    kSecProgPlay,
    kSecProgEdit,
    kSecCombiPlay
  };
  struct ModeChange {
    std::uint8_t oldMode, newMode;
  };

  // Numbered notices for the sinks, delivered on the main thread.
  void Post(long event, long a);
  // Tells the sinks whether the link is up (and whether it was looked at).
  void PostConnectionState();
  void DeliverToSinks(long event, long a);
  // A plain pause of the calling thread, scaled by the pacing.
  void Pause(unsigned ms);
  // A wait that keeps the progress window alive.
  void UIWait(unsigned ms);

  void ApplyProgramChange(int bank, int number);
  // Main thread. Makes a sound of the sound mode the current one on the
  // hardware (by way of the sound mode's own hardware mode when the image's
  // mode is another) and in the image, and tells the sinks.
  void SelectSound(int bank, int number);
  // A mode change that a sound change or an audition makes on its way:
  // what the synthesizer answers to it is not followed (see the source).
  void SendPassingModeChange(eMode mode);
  void SendLocalControl(bool on);
  // What Disconnect sends back to the hardware's Local Control switch, when
  // a connection switched it: Off after switching it on for the standalone
  // host, On after switching it off inside a plug-in host.
  enum class LocalControlRestore { kNothing = 0, kOff = 1, kOn = 2 };
  // Switches Local Control away from `restore` and notes that Disconnect
  // gives `restore` back.
  void SwitchLocalControl(LocalControlRestore restore);
  long long NowUsMs() const;
  // The status of one step of a send; remembers the first failure.
  bool SendStep(int status, int* first);
  int RunSendFrame(CHUNK_REMOTESYNTH_CONST image, const char* title, bool write, bool filtered);
  // RunSendFrame's steps (main thread); each is false when its send failed,
  // which ends the data steps.
  struct SendFrame {
    const std::uint8_t* img;  // the transfer's own copy of the image
    std::string title;
    bool write, filtered;
    int progBank = 0, progNumber = 0, combiBank = 0, combiNumber = 0;
    int status = 0;  // the first failing data step, else the last success
  };
  bool SendGlobalStep(SendFrame& frame);
  bool SendProgBanksStep(SendFrame& frame);
  bool SendCombisStep(SendFrame& frame);
  bool SendCurrentProgStep(SendFrame& frame);
  bool SendCurrentCombiStep(SendFrame& frame);
  // Sends or requests the global block under a progress window of its own.
  int RunGlobalStep(bool send);
  int ConnectSteps(bool standalone, bool recall);
  // Main thread. The connection's steps once the ports are open (also for
  // ports taken up again): the hardware and the image brought into step,
  // Local Control, the recall and the connection timer.
  void CompleteConnection(bool standalone, bool recall);
  // Finds and opens the ports: the stored ones, or (with none stored or the
  // user's OK) every pair; false when none answered.
  bool OpenPorts(bool standalone);
  // A failed connection: the sinks are told; missing stored ports are
  // watched for.
  void FailConnection();
  // The ports' names stored when they differ from the open ones.
  void StorePortNames();
  // Takes the hardware to the image's program, combination and mode, with
  // the global block fetched on the way.
  void SyncHardwareState();
  // Local Control for the editor's use of the hardware, before the recall;
  // true when inside a plug-in host it was switched off.
  bool SetUpLocalControl(bool standalone);
  // The recall of all data: received from the hardware (with the pending
  // host data sent after it) or, when a recall is pending, sent to it;
  // true on success.
  bool RecallAll();
  bool ReceiveAllForConnection();
  // Main thread. Whether the edits made while the synthesizer was away are
  // to be kept over what the recall receives: asked when there are any.
  bool KeepAwayEdits();
  // Main thread. Whether keeping them writes some into the synthesizer's
  // memory.
  bool AwayEditsWrite() const;
  // Main thread. The edits made while the synthesizer was away put back
  // over what was received, told to the sinks and sent; false when a send
  // failed and no retry was wanted.
  bool PutBackAwayEdits(bool send);
  // Main thread. Sends each edited record whole, as the change that made it
  // is sent while connected: written into the synthesizer's memory only
  // where the user asked for that (CAwayWrites), the edit buffers last.
  int SendAwayEdits();
  // What the sends so far left in the synthesizer's edit buffers (where a
  // write went through them; null: what it held) and which banks went
  // whole.
  struct AwaySending {
    const std::uint8_t* current[2] = {nullptr, nullptr};  // performance, program
    bool bankSent[RemoteSynthLayout::kProgBankCount + 1] = {};  // then the performances
  };
  int SendAwayGlobal(const CImageEdits::Record& edit);
  int SendAwayStored(const CImageEdits::Record& edit, AwaySending& sending);
  int SendAwayBank(const CImageEdits::Record& edit, AwaySending& sending);
  int SendAwayEditBuffer(bool combi, const AwaySending& sending);
  // Main thread. The image noted as it stands when the synthesizer goes
  // away (or is missing at the connection), and forgotten.
  void NoteImageWhenAway();
  void ForgetImageWhenAway();
  // Runs one connection attempt; an exception ends it as a failure.
  bool Attempt(const char* where, const std::function<bool()>& steps);
  bool RetryTransfer();
  // A message box with the link's progress window out of the way (one
  // window at a time); the window comes back when the answer is OK (1).
  int AskWithoutProgress(const char* text, int buttonSet, int style);
  // The connection timer's look at the link: a connection whose ports went
  // away is lost (and the sinks told); stored ports that are not connected
  // (lost, or missing when the connection was asked for) are taken up as a
  // connection once they are there.
  void WatchLink();
  void LoseLink();
  bool Reattach();
  void ResetAuditionArea();
  void ReportFailure(const char* title, int status);
  void BindSections();
  // Loads the pending host data into the working image.
  bool LoadPendingHostData();
  // LoadStream's steps (main thread): the stream read into a scratch copy
  // of the image, then the data of each kind taken into the working image,
  // sent first when it may be.
  struct LoadedData {
    std::vector<std::uint8_t> bytes;  // the scratch image
    std::uint32_t selector;
    bool maySend, noSend, store;
  };
  // What became of a stream: refused (nothing changed), taken (and sent
  // when it might be), or taken without the synthesizer, which did not
  // take what it was sent.
  enum class StreamLoad { kRefused, kTaken, kUnsent };
  // LoadStream; keepUnsent: a stream the synthesizer does not take lands
  // in the image all the same.
  StreamLoad LoadStreamKeeping(std::istream& in, std::uint32_t selector, bool noSend, bool fromHost,
                               bool keepUnsent, CDirtyFlagSet& dirty);
  bool ReadIntoScratch(std::istream& in, LoadedData* data, FTYPE* type, CDirtyFlagSet& dirty);
  bool ApplyLoaded(LoadedData& data, FTYPE type);
  bool LoadAll(LoadedData& data);
  bool LoadAllWithSetup(LoadedData& data);
  bool LoadAllProgs(const LoadedData& data);
  bool LoadAllCombis(const LoadedData& data);
  bool LoadProgBank(const LoadedData& data);
  bool LoadOneProg(const LoadedData& data);
  bool LoadOneCombi(const LoadedData& data);
  // For a load not sent: notes whether the sounds it replaced (a bank's
  // when `number` is negative, every bank's when `bank` is too) are to be
  // written into the synthesizer's memory when it is back.
  void NoteWritesNotSent(const LoadedData& data, CImageEdits::Kind kind, int bank, int number,
                         bool write);
  // Whether a load's send went well (result >= 0); a failure is kept for
  // GetLoadSendFailure.
  bool LoadSent(int result);
  // The panel's editor state (the knob function of each kind of sound and
  // the performance's timbre group) lives in the sections, not in the
  // image; the performance record's UI state word carries it through
  // chunks and files (main thread). Keep: into the image, before it is
  // saved or a stream is laid over it. Take: back from the image once a
  // stream was loaded into it.
  void KeepEditorStateInImage();
  void TakeEditorState();
  // Posts the current-sound notice (main thread).
  void PostCurSound();
  // Program (bank x 128 + number) of timbre t of the combination edit
  // buffer, -1 when unknown.
  int TimbreProgram(int t);
  // Gives the program edit section timbre t's tone adjustments; a reset
  // also clears its timbre context.
  void ProgEditFollowTimbre(int t, bool reset);

  // Seams onto the sections (setup settings, re-initialisation, realtime
  // state and received parameters).
  // ExecCommand's kinds of command (main thread): the transfers that report
  // a status, the edits of the program edit buffer's blocks, the insert
  // effects' swap and the initial combination.
  int RunTransferCommand(int command, int a1, int a2, int a3, int a4);
  bool EditProgramBlocks(int command, int a1, int a2, int a3, int a4);
  bool SwapInsertEffects(int a, int b);
  bool InitCombination();
  // Re-sends an edit buffer and tells its sections.
  bool ResendProg();
  bool ResendCombi();
  int SendSelection(int kind, int bank, int number, int flags);
  int RequestSelection(int kind, int bank, int number, int flags);
  void ConfigureSelection(bool combi, int bank, const std::string& word);
  int WriteCurrentSound(int kind, int bank, int number);
  bool CopyEG(int bank, int number, int from, int to);
  bool CopyLFO(int bank, int number, int from, int to);
  bool CopyIFX1(int bank, int number);
  bool CopyMasterEffects(int kind, int bank, int number, int parts);
  bool CopyScale(int source, int key, int target);
  int SetupGetI(int id);
  std::string SetupGetS(int id);
  void SetupPutS(int id, const std::string& text);
  void SetupPersistSave(int id);
  void SecReinit(Sec sec, const ModeChange* change);
  void SecInitSolo(Sec sec);
  void SecUpdateFXType(Sec sec);
  void SecRcvParam(Sec sec, int id, int value);
  void RTCSaveStat(std::uint8_t* state);
  void RTCRestoreStat(const std::uint8_t* state);
  void RTCResetStat();
  void RTCOnRcvMIDICC(int status, int d1, int d2, eChgSource source);
  // A controller for the realtime-control section, from any thread: it is
  // applied on the main thread.
  void RTCControlChange(const std::uint8_t* bytes, eChgSource source);
  // True off the main thread: the call is handed to it instead.
  bool HandOver(long notice, long a);
  void RTCOnRcvMasterVolume(unsigned volume);
  void RTCSetCategory(int category);

  AudioEffect* effect_;
  CSetupSectionImpl setupSection_;
  CGlobalSectionImpl globalSection_;
  OskendCRTCSectionImpl rtcSection_;
  COskendAutomationSectionImpl automationSection_;
  OskendCProgPlaySectionImpl progPlaySection_;
  OskendCProgEditSectionImpl progEditSection_;
  OskendCCombiPlaySectionImpl combiPlaySection_;
  CHfcWindow* parentWindow_ = nullptr;
  std::uint8_t pmid_ = 0;
  std::vector<std::uint8_t> setup_;
  std::vector<std::uint8_t> imageBytes_;
  std::vector<std::uint8_t> rom_;
  CHUNK_REMOTESYNTH image_;
  std::atomic<int> auditionKind_{0};
  // Set while the answer to a passing mode change is awaited.
  std::atomic<bool> passingModeChange_{false};
  CBankListImpl progBanks_, combiBanks_;
  struct AuditionArea {
    std::uint8_t mode = 0xFF, virtualMode = 0xFF, soundMode = 0xFF;
    std::uint8_t bank = 0, number = 0;
    std::vector<std::uint8_t> sound = std::vector<std::uint8_t>(CHUNK_PROG::kSize);
    std::uint8_t rtc[kRTCStateSize] = {};
  } audition_;
  std::unique_ptr<IAsyncDispatch> dispatch_;
  long connectionTimer_ = 0, progDumpTimer_ = 0, combiDumpTimer_ = 0;
  CHfcListenerList<IRemoteSynthSink> sinks_;
  CHfcListenerList<IRemoteSynthMIDISink> midiSinks_;
  std::atomic<IRTMIDISink*> rtSink_{nullptr};
  std::unique_ptr<IRemoteMIDI> link_;
  std::atomic<bool> connected_{false};
  std::atomic<bool> connectionChecked_{false};
  bool standalone_ = false;
  bool autoLoaded_ = false;
  bool recallPending_ = false;
  std::atomic<bool> nowInitializing_{false};
  std::atomic<int> protect_{0};
  std::atomic<std::uint8_t> virtualMode_{0};
  std::atomic<int> soundMode_{0};
  std::atomic<unsigned> masterVolume_{kMaxVolume};
  SExtCtlState extCtl_;
  int recallProgBank_ = -1;
  std::string pendingHostData_;
  int loadSendFailure_ = 0;
  int activeTrack_ = 0;
  bool progResetStatus_ = true;
  int lastTimbreProgram_ = -1;
  int lastTimbre_ = -1;
  LocalControlRestore localControlRestore_ = LocalControlRestore::kNothing;
  // The stored ports are not connected (they went away, or were missing
  // when the connection was asked for): they are taken up when they
  // appear.
  bool awaitingPorts_ = false;
  // The recall flag of the last connection asked for, for ports taken up
  // again.
  bool recall_ = false;
  // The image as it stood when the synthesizer went away, while its ports
  // are awaited; then, for the connection that takes them up, what was
  // edited meanwhile.
  std::vector<std::uint8_t> imageWhenAway_;
  CImageEdits awayEdits_;
  bool keepAwayEdits_ = false;  // the answer about them
  // The stored sounds the user asked meanwhile to have written into the
  // synthesizer's memory: noted by every change of a stored sound that was
  // not sent.
  CAwayWrites awayWrites_;
  bool connecting_ = false;  // a connection is being made (Connect, Reattach)
  unsigned pacing_ = 100;
  // Never signalled: the model's pauses are timed waits on it. One per
  // model, so that it waits on the clock that was current when it was made.
  std::unique_ptr<XEvent> pace_;
};

}  // namespace Oskend
