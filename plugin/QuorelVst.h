#pragma once
// The plug-in object the host talks to. It starts and stops the whole
// plug-in, connects the model to the synthesizer once the host has the
// instance, answers the host's questions and hands the rest to its parts:
//
//   QuorelVstHost        who the host is (asked once it has the instance)
//   QuorelVstAutomation  the 71 host parameters, the programs and what the
//                        host hears of the editor's edits
//   QuorelVstMidi        MIDI between host, editor and synthesizer, with the
//                        worker thread
//   QuorelVstEditorLink  what the editor asks of the plug-in
//
// Threads. The loop thread (CPlugInMainLoop: the plug-in's own thread in a
// Linux host, the program's main thread where a program lends its loop)
// owns the model and its image, the editor and every timer: only it writes
// the image, and it makes the calls to the host that the plug-in starts by
// itself (automation, edit gestures, display updates, the notice of its
// modal runs). Those reach the host on a thread of the host's own: a loop
// thread of the plug-in's queues them (QuorelVstHostCalls) and the host's
// GUI thread takes them in its next call. The host's threads call the
// dispatcher, the parameter entries and the audio entries; what must run
// on the loop thread is handed to it, and a host's thread waits for the
// loop thread only to take such a call (start-up, shutdown, the editor's
// open and close, the chunks), never for a connection, a transfer or a
// question to end. The audio thread takes no lock, waits for nothing and
// allocates nothing. Each method below says which thread may call it.
#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/IAsyncDispatch.h"
#include "plugin/AudioEffectX.h"
#include "plugin/CAtomicInstance.h"
#include "plugin/QuorelVstAutomation.h"
#include "plugin/QuorelVstEditorLink.h"
#include "plugin/QuorelVstHost.h"
#include "plugin/QuorelVstHostCalls.h"
#include "plugin/QuorelVstMidi.h"
#include "remote/IRemoteSynthSink.h"

namespace Oskend {
class IRemoteSynth;
}
namespace os::midi {
class CombinedSystem;
}
class CPlugInMainLoop;
class VelorVstEditor;

class QuorelVst : public AudioEffectX, public Oskend::IRemoteSynthSink, public IAsyncDispatchHandler {
 public:
  static constexpr int kNumPrograms = 2;
  static constexpr int kNumParams = CParameterMirror::kCount;
  static constexpr int kFifoSize = QuorelVstMidi::kFifoSize;
  static constexpr const char* kEffectName = QuorelVstHost::kEffectName;
  static constexpr const char* kStandaloneProductName = QuorelVstHost::kStandaloneProductName;
  static constexpr const char* kVendor = "TAVO";
  static constexpr int32_t kVendorVersion = 0x01000300;

  // Makes the model; tests put a stand-in in place of the real one.
  using ModelFactory = Oskend::IRemoteSynth* (*)(AudioEffect* effect);
  static void SetModelFactory(ModelFactory factory);
  // Test seams: the managers started before anything else, in order.
  struct Manager {
    const char* name;
    bool (*start)();
    void (*stop)();
  };
  static void SetManagersForTest(const Manager* table, int count);

  // ---- The host's thread that loads the plug-in (the entry).
  explicit QuorelVst(audioMasterCallback callback);
  // The host's thread that closes it: shutdown runs on the loop thread.
  ~QuorelVst() override;

  // ---- Loop thread (the entry hands them there and waits).
  bool Initialize();
  void Uninitialize();

  // ---- Host threads (the dispatcher): calls that must run on the loop
  // thread go there first; the first call starts the connection; the
  // host's GUI thread takes the calls for the host that wait.
  intptr_t dispatcher(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt) override;
  // The host has the instance: the time to ask it who it is.
  void open() override;

  // ---- Host threads: properties.
  bool getEffectName(char* text) override;
  bool getVendorString(char* text) override;
  bool getProductString(char* text) override;
  int32_t getVendorVersion() override { return kVendorVersion; }
  int32_t getPlugCategory() override { return IsInst() ? kPlugCategSynth : kPlugCategEffect; }
  int32_t canDo(char* text) override;
  int32_t keysRequired() override { return 1; }
  bool getInputProperties(int32_t index, VstPinProperties* props) override;
  bool getOutputProperties(int32_t index, VstPinProperties* props) override;
  intptr_t vendorSpecific(int32_t, intptr_t, void*, float) override { return 0; }
  void setSampleRate(float rate) override;
  void resume() override { wantEvents(1); }
  void suspend() override {}
  bool setBypass(bool on) override;

  // ---- Any thread, the audio thread too: the parameters never wait.
  float getParameter(int32_t index) override { return automation_.Get(index); }
  void setParameter(int32_t index, float value) override;
  // ---- Host threads other than the audio thread.
  void getParameterName(int32_t index, char* text) override { automation_.Name(index, text); }
  void getParameterLabel(int32_t index, char* text) override { automation_.Label(index, text); }
  void getParameterDisplay(int32_t index, char* text) override { automation_.Display(index, text); }
  int32_t getProgram() override { return automation_.GetProgram(); }
  void setProgram(int32_t program) override { automation_.SetProgram(program); }
  void setProgramName(char*) override {}
  void getProgramName(char* text) override;
  bool getProgramNameIndexed(int32_t category, int32_t index, char* text) override;
  // ---- Loop thread (the dispatcher hands them there; the loop takes them
  // inside its modal runs too). While the image is on its way to or from
  // the synthesizer, a chunk set waits for the exchange to end and the
  // host gets back the last chunk it got or set and had taken. A chunk
  // refused changes nothing; a chunk got is always taken back.
  int32_t getChunk(void** data, bool isPreset) override;
  int32_t setChunk(void* data, int32_t size, bool isPreset) override;

  // ---- Audio thread.
  int32_t processEvents(VstEvents* events) override { return midi_.ProcessEvents(events); }
  void process(float**, float**, int32_t) override { midi_.BeginBlock(); }
  void processReplacing(float**, float** outputs, int32_t sampleFrames) override {
    midi_.ProcessReplacing(outputs, sampleFrames);
  }

  // ---- Loop thread: the dispatcher's events and timers, the model's
  // notices.
  void OnAsyncTimer(long id) override;
  void OnAsyncEvent(long id, long param) override;
  void OnRemoteSynthConnectionStateChanged(Oskend::IRemoteSynth*, bool, bool) override {}
  void OnRemoteSynthExtCtlStateChanged(Oskend::IRemoteSynth*, const Oskend::SExtCtlState&) override {}
  void OnRemoteSynthMasterVolumeChanged(Oskend::IRemoteSynth*, unsigned) override {}
  void OnRemoteSynthModeChanged(Oskend::IRemoteSynth*, int mode) override;
  void OnRemoteSynthCurSoundChanged(Oskend::IRemoteSynth*, const Oskend::SSoundIndex&) override;
  void OnRemoteSynthBankListChanged(Oskend::IRemoteSynth*, eMode, const Oskend::SSoundIndex&) override;
  void OnRemoteSynthAuditionStateChanged(Oskend::IRemoteSynth*, bool) override {}
  void OnRemoteSynthProgOSCModeChanged(Oskend::IRemoteSynth*, int) override;
  void OnRemoteSynthBeginUIUtility(Oskend::IRemoteSynth*) override {}
  void OnRemoteSynthEndUIUtility(Oskend::IRemoteSynth*, bool) override {}
  void OnRemoteSynthSeqStateChanged(Oskend::IRemoteSynth*, bool) override {}
  void OnRemoteSynthNeedAutomationAPI(Oskend::IRemoteSynth*, long what) override;

  // ---- Any thread but the audio thread: who the host is (asked once).
  void CheckHost() { host_.CheckHost(); }
  bool IsHostStandalone() { return host_.IsHostStandalone(); }
  bool IsHostAUWrapper() { return host_.IsHostAUWrapper(); }

  // ---- Any thread.
  virtual int GetNumInputs() { return cEffect_.numInputs; }
  virtual int GetNumOutputs() { return cEffect_.numOutputs; }
  virtual bool IsInst() { return instrument_; }
  virtual int GetAudioOutCh() { return midi_.GetAudioOutCh(); }
  // The product string as far as known without asking the host.
  std::string KnownProductString() const { return host_.KnownProductString(); }
  Oskend::IRemoteSynth* GetModel() const { return model_; }
  VelorVstEditor* GetVstEditor() const;
  CPlugInMainLoop* GetMainLoop() const { return mainLoop_.get(); }
  bool IsConnecting() const { return connecting_; }
  // Asks a connection in progress to end soon.
  void AbortConnection();
  QuorelVstHost& Host() { return host_; }
  QuorelVstMidi& Midi() { return midi_; }
  QuorelVstAutomation& Automation() { return automation_; }
  QuorelVstEditorLink& EditorLink() { return editorLink_; }
  // Any thread: the calls for the host that wait for one of its threads.
  QuorelVstHostCalls& HostCalls() { return hostCalls_; }
  // Loop thread: the host's parameter settings are all in the image.
  bool HostParametersApplied() const { return !automation_.HasPending(); }

  // Any thread: false on a loop thread of the plug-in's own, whose calls
  // for the host wait for a thread of the host's, and once the host has
  // begun to close the instance.
  bool CallsHostDirectly() const override;

 protected:
  // A loop thread of the plug-in's own queues the call; once the host has
  // begun to close the instance nothing reaches it.
  intptr_t RouteHostCall(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt) override;

 private:
  static constexpr long kEventConnect = 1;
  static constexpr long kEventApplyParameters = 3;

  // Loop thread: start-up and shutdown, step by step.
  bool StartManagers();
  void StopManagers();
  void DeclareToHost();
  void OpenMachineMidi();
  void CloseMachineMidi();
  void CloseEditorWindow();
  void Connect();
  // Host threads: the connection starts with the host's first call.
  void StartConnectionOnce();
  // Host threads: runs the call on the loop thread, which takes it between
  // two of its events (inside a modal run too).
  intptr_t LoopCall(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt);
  // Loop thread: the host's settings go into the image once the connection
  // has laid it out and nothing runs modally; then the values are
  // published for the host.
  void ApplyHostParameters();
  void PublishForHost();
  // The host reads every parameter again.
  void UpdateHostDisplay();
  // Host threads but the audio thread, at the end of each dispatcher call:
  // the calls for the host that wait go to it if this is the call they
  // wait for.
  void HandHostCallsOver(int32_t opcode);
  // The delivering host thread: one call for the host.
  void SendToHost(const QuorelVstHostCalls::Call& call);
  // Any thread: the host closes the instance. Nothing more reaches the
  // host; the connection, transfers and modal runs end as cancelled.
  void BeginClosing();
  void EndWhatRuns();

  // Loop thread: the host's chunks.
  struct HostChunk {
    bool isPreset;
    std::string bytes;
  };
  // The image is on its way to or from the synthesizer.
  bool ImageInExchange() const;
  bool ModelConnecting() const;
  // Loads a chunk into the model; whether it took it. hostKnows: the host
  // loaded it just now (and reads the parameters again by itself).
  bool LoadHostChunk(const HostChunk& chunk, bool hostKnows);
  // Chunks that waited for an exchange to end, and a program or
  // performance that landed before the synthesizer was connected, go in
  // once they may.
  void ApplyWaitingChunks();
  // Loop thread: the editor's message boxes are titled after the host.
  void PublishProductName();
  // Loop thread: shutdown may run only when nothing of the instance is in
  // use further up the stack.
  bool MayTearDown() const;
  // Loop thread: neither the connection nor a modal run is in progress.
  bool OutsideConnectionAndModals() const;
  void Teardown();
  // Worker thread.
  void ForwardHostParameters();

  std::string presetChunk_;
  std::string bankChunk_;
  // Loop thread: chunks set during an exchange with the synthesizer, in
  // the order set; a program or performance to load again once connected.
  std::deque<HostChunk> waitingChunks_;
  std::optional<HostChunk> chunkAfterConnection_;
  bool applyingChunk_ = false;
  bool instrument_ = true;
  bool initialised_ = false;
  CAtomicInstance lock_;
  std::unique_ptr<CPlugInMainLoop> mainLoop_;
  QuorelVstHost host_{*this};
  QuorelVstAutomation automation_{*this};
  QuorelVstMidi midi_{*this};
  QuorelVstEditorLink editorLink_{*this};
  // The machine's MIDI system when the plug-in opened it.
  std::unique_ptr<os::midi::CombinedSystem> machineMidi_;
  Oskend::IRemoteSynth* model_ = nullptr;
  IAsyncDispatch* dispatch_ = nullptr;
  long publishTimer_ = 0;
  // Managers started, in order, so that a failure stops exactly these.
  int managersStarted_ = 0;
  // Host threads: the connection has been posted.
  std::atomic<bool> connectionPosted_{false};
  // Loop thread: the connection has laid the image out (or is not coming).
  bool connectionDone_ = false;
  // The connection runs on the loop thread.
  std::atomic<bool> connecting_{false};
  // The host is closing the instance.
  std::atomic<bool> closing_{false};
  // Host threads: the editor is open as the host sees it, and when the
  // host last called effEditIdle (microseconds).
  std::atomic<bool> hostEditorOpen_{false};
  std::atomic<uint64_t> lastEditIdleUs_{0};
  QuorelVstHostCalls hostCalls_{[this](const QuorelVstHostCalls::Call& call) { SendToHost(call); }};
};
