#pragma once
// The plug-in object the host talks to: it owns the model of the connected
// synthesizer, its dispatcher, the three MIDI queues, the worker thread that
// forwards the GUI's MIDI and the editor, and carries MIDI between host,
// editor and synthesizer.
#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "editor/shell/IPlugInHost.h"
#include "model/IPlugInHostInfo.h"
#include "os/DropReport.h"
#include "os/WakeSignal.h"
#include "platform/IAsyncDispatch.h"
#include "platform/XThread.h"
#include "plugin/AudioEffectX.h"
#include "plugin/CAtomicInstance.h"
#include "plugin/CParameterMirror.h"
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
  // The host has the instance: the time to ask it who it is.
  void open() override;
  // The product string as far as known without asking the host.
  std::string KnownProductString() const;

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

  // Automation, programs and chunks. The parameter and program calls come
  // on any of the host's threads and never wait.
  float getParameter(int32_t index) override;
  void setParameter(int32_t index, float value) override;
  void getParameterName(int32_t index, char* text) override;
  void getParameterLabel(int32_t index, char* text) override;
  void getParameterDisplay(int32_t index, char* text) override;
  int32_t getProgram() override { return program_.load(std::memory_order_acquire); }
  void setProgram(int32_t program) override { program_.store(program, std::memory_order_release); }
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
  void BeginParameterEdit(int index) override;
  void EndParameterEdit(int index) override;
  void OnRTMIDIIn(long long time, const void* bytes, unsigned length) override;
  void SetMIDIOUTtoDAW(bool on) override { midiOutToHost_ = on; }
  void SetAudioOutCh(int channel) override { audioOutCh_ = channel; }

  virtual int GetNumInputs() { return cEffect_.numInputs; }
  virtual int GetNumOutputs() { return cEffect_.numOutputs; }
  virtual bool IsInst() { return instrument_; }
  virtual int GetAudioOutCh() { return audioOutCh_; }

  // The worker thread.
  uint32_t ThreadProc() override;

  void OnAsyncTimer(long id) override;
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
  // Main thread: the host's parameter settings are all in the image.
  bool HostParametersApplied() const { return !parameters_.HasPending(); }
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
  void ForwardHostParameters();
  void CloseEditorWindow();
  // Runs fn on the main thread once no connection and no modal run is in
  // progress there; the host's thread waits for it.
  void CallAfterConnection(const std::function<void()>& fn);
  // Main thread: writes what the host set into the image, in order, once
  // the connection has laid the image out and nothing runs modally; then
  // publishes the values for the host.
  void ApplyHostParameters();
  // Main thread: the editor's message boxes are titled after the host.
  void PublishProductName();
  // Writes the waiting settings, oldest first, and tells which.
  int WriteHostParameters(CParameterMirror::Setting* taken);
  void PublishForHost();
  void WriteParameter(int32_t index, float value);
  // Main thread: the bank a program change on the global channel selects.
  uint8_t BankForProgramChange(uint8_t msb, uint8_t lsb);

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
  // The audio thread's own.
  uint64_t blockStart_ = 0;
  CMidiFifo* fromHost_ = nullptr;
  CMidiFifo* fromGUI_ = nullptr;
  CMidiFifo* toHost_ = nullptr;
  // Host MIDI on its way from the audio thread to the worker thread, which
  // gives it to the model.
  CMidiFifo* toSynth_ = nullptr;
  // Host MIDI that found fromHost_ or toSynth_ full: counted on the audio
  // thread, told by the worker thread.
  os::DropReport hostMidiLost_{"the plug-in's queue of host MIDI to the synthesizer was full"};
  // A program change on the global channel, from the audio thread to the
  // main thread, which selects the sound: a flag, the bank-select bytes
  // and the program number.
  static constexpr uint32_t kSoundPending = 0x1000000;
  static constexpr long kEventSelectSound = 2;
  static constexpr long kEventApplyParameters = 3;
  std::atomic<uint32_t> pendingSound_{0};
  // What the audio thread needs of the model, published by the main thread.
  std::atomic<float> midiRate_{44100.0f};
  std::atomic<int> globalChannel_{0};
  // The host parameters and the program number.
  CParameterMirror parameters_;
  std::atomic<int32_t> program_{0};
  std::atomic<bool> parametersPosted_{false};
  long publishTimer_ = 0;
  // Main thread: the connection has laid the image out (or is not coming).
  bool connectionDone_ = false;
  // Main thread: knob gestures the editor has begun, per parameter.
  std::array<int, CParameterMirror::kCount> gestures_{};
  // The last bank select on the global channel (MSB, LSB). Written by the
  // audio thread and by the mode notices.
  std::array<std::atomic<uint8_t>, 2> bankSelect_{};
  os::WakeSignal workerWake_;
  XThread workerThread_;
  std::atomic<bool> workerRunning_{false};
  std::atomic<bool> hostChecked_{false};
  std::atomic<bool> standaloneHost_{false};
  std::atomic<bool> auWrapperHost_{false};
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
  // Main thread: shutdown may run only when nothing of the instance is
  // in use further up the stack.
  bool MayTearDown() const;
  // Main thread: neither the connection nor a modal run is in progress.
  bool OutsideConnectionAndModals() const;
  void Teardown();
};
