#pragma once
// The plug-in object the host talks to: it owns the model of the connected
// synthesizer, its dispatcher, the three MIDI queues, the worker thread that
// forwards the GUI's MIDI and the editor, and carries MIDI between host,
// editor and synthesizer.
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "editor/shell/IPlugInHost.h"
#include "model/IPlugInHostInfo.h"
#include "platform/IAsyncDispatch.h"
#include "platform/XEvent.h"
#include "platform/XThread.h"
#include "plugin/AudioEffectX.h"
#include "plugin/CAtomicInstance.h"
#include "remote/IRTMIDISink.h"
#include "remote/IRemoteSynthSink.h"

namespace Oskend {
class IRemoteSynth;
}
class CMidiFifo;
namespace os::midi {
class CombinedSystem;
}
class CPlugInMainLoop;
class VelorVstEditor;

class QuorelVst : public IXThreadProc,
                  public AudioEffectX,
                  public Oskend::IRemoteSynthSink,
                  public Oskend::IRTMIDISink,
                  public IAsyncDispatchHandler,
                  public Oskend::IPlugInHostInfo,
                  public IPlugInHost {
 public:
  static constexpr int kNumPrograms = 2;
  static constexpr int kNumParams = 71;
  static constexpr int kFifoSize = 1024;
  static constexpr const char* kEffectName = "Vesk Plug-In Editor";
  static constexpr const char* kStandaloneProductName = "Vesk Editor";
  static constexpr const char* kVendor = "TAVO";
  static constexpr int32_t kVendorVersion = 0x01000300;

  // Makes the model; tests put a stand-in in place of the real one.
  using ModelFactory = Oskend::IRemoteSynth* (*)(AudioEffect* effect);
  static void SetModelFactory(ModelFactory factory);

  explicit QuorelVst(audioMasterCallback callback);
  ~QuorelVst() override;

  bool Initialize();
  void Uninitialize();
  void CheckHost();
  bool IsHostStandalone() override;
  bool IsHostAUWrapper() override;

  // Host calls that must run on the main thread go there first.
  intptr_t dispatcher(int32_t opcode, int32_t index, intptr_t value, void* ptr,
                      float opt) override;

  // Properties.
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
  void resume() override;
  void suspend() override {}
  bool setBypass(bool on) override;

  // Automation, programs and chunks.
  float getParameter(int32_t index) override;
  void setParameter(int32_t index, float value) override;
  void getParameterName(int32_t index, char* text) override;
  void getParameterLabel(int32_t index, char* text) override;
  void getParameterDisplay(int32_t index, char* text) override;
  int32_t getProgram() override;
  void setProgram(int32_t) override {}
  void setProgramName(char*) override {}
  void getProgramName(char* text) override;
  bool getProgramNameIndexed(int32_t category, int32_t index, char* text) override;
  int32_t getChunk(void** data, bool isPreset) override;
  int32_t setChunk(void* data, int32_t size, bool isPreset) override;

  // MIDI.
  int32_t processEvents(VstEvents* events) override;
  void process(float** inputs, float** outputs, int32_t sampleFrames) override;
  void processReplacing(float** inputs, float** outputs, int32_t sampleFrames) override;
  void MidiInFromGUI(uint8_t status, uint8_t data1, uint8_t data2) override;
  // What the editor's root layer asks of the plug-in.
  std::string GetPlugInProductString() override;
  std::string GetPlugInBundleVersion() override;
  void SetParameterAutomatedFromInt(int index, int value, int count, int minimum) override;
  void BeginParameterEdit(int index) override { beginEdit(index); }
  void EndParameterEdit(int index) override { endEdit(index); }
  void OnRTMIDIIn(long long time, const void* bytes, unsigned length) override;
  void SetMIDIOUTtoDAW(bool on) override { midiOutToHost_ = on; }
  void SetAudioOutCh(int channel) override { audioOutCh_ = channel; }

  virtual int GetNumInputs() { return cEffect_.numInputs; }
  virtual int GetNumOutputs() { return cEffect_.numOutputs; }
  virtual bool IsInst() { return instrument_; }
  virtual int GetAudioOutCh() { return audioOutCh_; }

  // The worker thread.
  uint32_t ThreadProc() override;

  void OnAsyncTimer(long) override {}
  void OnAsyncEvent(long id, long param) override;

  // Model notices.
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
  void OnRemoteSynthNeedAutomationAPI(Oskend::IRemoteSynth*, long) override {}

  Oskend::IRemoteSynth* GetModel() const { return model_; }
  VelorVstEditor* GetVstEditor() const;
  CPlugInMainLoop* GetMainLoop() const { return mainLoop_.get(); }
  bool IsConnecting() const { return connecting_; }
  bool IsMIDIOutToHost() const { return midiOutToHost_; }
  // Message length by status byte, as given to the model's real-time output.
  static unsigned MessageLength(uint8_t status);

 public:
  // Test seams: the managers started before anything else, in order.
  struct Manager {
    const char* name;
    bool (*start)();
    void (*stop)();
  };
  static void SetManagersForTest(const Manager* table, int count);
  // Asks a connection in progress to end soon; any thread.
  void AbortConnection();

 private:
  bool StartManagers();
  void StopManagers();
  void DrainFromHost();
  void DrainToHost();
  void ForwardFromGUI();
  void ForwardFromHost();
  void CloseEditorWindow();
  // Runs fn on the main thread once no connection is running there.
  void CallAfterConnection(const std::function<void()>& fn);
  // 0 when the program change is not selected here.
  uint8_t BankForProgramChange();

  std::string presetChunk_;
  std::string bankChunk_;
  bool instrument_ = true;
  bool initialised_ = false;
  std::atomic<bool> bypassed_{false};
  std::atomic<bool> midiOutToHost_{false};
  int audioOutCh_ = 0;
  CAtomicInstance lock_;
  std::unique_ptr<CPlugInMainLoop> mainLoop_;
  // The machine's MIDI system when the plug-in opened it.
  std::unique_ptr<os::midi::CombinedSystem> machineMidi_;
  Oskend::IRemoteSynth* model_ = nullptr;
  IAsyncDispatch* dispatch_ = nullptr;
  uint64_t blockStart_ = 0;
  CMidiFifo* fromHost_ = nullptr;
  CMidiFifo* fromGUI_ = nullptr;
  CMidiFifo* toHost_ = nullptr;
  // Host MIDI on its way from the audio thread to the worker thread, which
  // gives it to the model; and the sound a program change selected.
  CMidiFifo* toSynth_ = nullptr;
  static constexpr uint32_t kSoundPending = 0x10000;
  static constexpr long kEventSelectSound = 2;
  std::atomic<uint32_t> pendingSound_{0};
  // Automation the host sends on its audio thread (parameter index in the
  // first data byte, the value's bits as the time), written by the worker:
  // a write sends to the synthesizer and waits for that.
  CMidiFifo* automation_ = nullptr;
  std::atomic<std::thread::id> audioThread_{};
  void WriteParameter(int32_t index, float value);
  void ForwardAutomation();
  uint8_t bankSelect_[16][2] = {};
  XEvent workerEvent_;
  XThread workerThread_;
  std::atomic<bool> workerRunning_{false};
  bool hostChecked_ = false;
  bool standaloneHost_ = false;
  bool auWrapperHost_ = false;
  // Managers started, in order, so that a failure stops exactly these.
  int managersStarted_ = 0;
  // Event 1 is running (the connection) on the main thread.
  std::atomic<bool> connecting_{false};
  // The host is closing the instance.
  std::atomic<bool> closing_{false};
  // The event list for the host, made once: the audio thread allocates
  // nothing. Laid out as the host's event list with room for a full queue.
  struct HostEventList {
    int32_t numEvents = 0;
    intptr_t reserved = 0;
    VstEvent* events[kFifoSize] = {};
  };
  std::unique_ptr<HostEventList> hostEvents_;
  std::unique_ptr<VstMidiEvent[]> hostMidiEvents_;
  std::function<void()> teardownDone_;
  void RequestTeardown();
  void Teardown();
};
