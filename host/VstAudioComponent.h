#pragma once
// The editor plug-in hosted as the program's music device through its
// VST 2 entry: the plug-in is told the host product "Vesk Plug-In
// EditorHost" so that it knows the standalone host; rendering is
// processReplacing, MIDI reaches it through processEvents with its sample
// offsets, its editor opens in a window of the program's, and the knob mode
// of the handshake goes to its setKnobMode. The plug-in's modal runs (a
// question of its own, its menus) hold off the program's windows as the
// program's own runs do, from the notice the plug-in sends. The plug-in
// hands that notice over only inside a call of the program's: the program's
// questions ask for it before they show, and a run stood for is followed
// by calls until its end comes.
#include <atomic>
#include <memory>
#include <string>

#include "host/AudioComponent.h"
#include "host/TalvikComponentInterface.h"
#include "os/MainLoop.h"
#include "os/window/Window.h"
#include "plugin/Vst2Abi.h"

class VstAudioComponent : public AudioComponent, private TalvikComponentInterface {
 public:
  using EntryProc = AEffect* (*)(audioMasterCallback);
  static constexpr const char* kHostProduct = "Vesk Plug-In EditorHost";
  static constexpr int kMaxEvents = 512;

  // Instantiates the plug-in; null when it gives no instance. `library`
  // (a dlopen handle, may be null) is closed after the instance.
  static std::unique_ptr<VstAudioComponent> Open(EntryProc entry, void* library = nullptr);
  // Loads a shared object and opens it; null with the reason on failure.
  static std::unique_ptr<VstAudioComponent> OpenSharedObject(const std::string& path,
                                                             std::string* error);
  ~VstAudioComponent() override;

  int32_t SetProperty(uint32_t id, uint32_t scope, uint32_t element, const void* data,
                      uint32_t size) override;
  int32_t MIDIEvent(uint32_t status, uint32_t data1, uint32_t data2,
                    uint32_t offsetSampleFrame) override;
  int32_t Initialize() override;
  int32_t Uninitialize() override;
  int32_t GetMaximumFramesPerSlice(uint32_t* frames) override;
  int32_t SetMaximumFramesPerSlice(uint32_t frames) override;
  int32_t SetOutputFormat(const os::audio::AudioStreamBasicDescription& format) override;
  int32_t Render(uint32_t* actionFlags, const HostAudioTimeStamp& time, uint32_t bus,
                 uint32_t frames, os::audio::AudioBufferList* output) override;
  int32_t OpenView(uint64_t parent, int* width, int* height) override;
  void CloseView() override;
  void IdleView() override;
  bool GetInfo(std::string* name, std::string* version) override;

  AEffect* effect() const { return effect_; }

 private:
  VstAudioComponent() = default;
  static intptr_t Callback(AEffect* effect, int32_t opcode, int32_t index, intptr_t value, void* ptr,
                           float opt);
  // Any thread of the plug-in's: the component that hosts `effect`, also
  // while Open has not noted it yet.
  static VstAudioComponent* HostOf(AEffect* effect);
  intptr_t Dispatch(int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr,
                    float opt = 0);
  // Main thread: the program's windows follow the plug-in's modal state.
  void MirrorPlugInModalState(const os::Window::ModalState& state);
  // Main thread: the plug-in hands its notices over only inside a call of
  // the program's; this is such a call. The program's questions ask for it
  // before they show (os::Window::AskModalSources).
  void TakeInNotices();
  // Main thread: while a run of the plug-in's is mirrored, calls the
  // plug-in on a timer of the main loop, so that the notice that ends the
  // run is handed over.
  void CallWhileMirroring();

  // The handshake table: the plug-in has no controller support of its
  // own, so only the knob mode reaches it.
  void QueryControllerChannel(unsigned char*) override {}
  void ControllerAttached(int, Endpoint) override {}
  void ControllerDetached(Endpoint) override {}
  void ControllerMessage3(Endpoint, int, int) override {}
  void ControllerMessage4(Endpoint, int, int) override {}
  void ControllerMessage5(Endpoint, int, int, int) override {}
  void ControllerMessage7(Endpoint, bool, int) override {}
  void ControllerMessage8(Endpoint, int, bool) override {}
  void ControllerMessage11(Endpoint, int, int) override {}
  void ControllerMessage6(Endpoint, bool, int) override {}
  void BankOpen() override {}
  void BankSaveAs() override {}
  void PresetImport() override {}
  void PresetExport() override {}
  void SetKnobMode(int knobMode) override;

  // The component whose instance is being made (Open, main thread).
  static inline std::atomic<VstAudioComponent*> opening_{nullptr};
  AEffect* effect_ = nullptr;
  void* library_ = nullptr;
  bool initialized_ = false;
  bool viewOpen_ = false;
  // A run of the program's standing for the plug-in's runs, and one more
  // for its questions, while it has any.
  std::unique_ptr<os::Window::ModalInput> plugInRun_;
  std::unique_ptr<os::Window::ModalInput> plugInQuestion_;
  os::MainLoop::TimerId mirrorCallTimer_ = 0;  // 0: none
  int modalSource_ = 0;                       // 0: none
  uint32_t maxFrames_ = 1156;
  double sampleRate_ = 44100;

  // MIDI from the MIDI thread, taken by the next render.
  std::atomic_flag eventLock_ = ATOMIC_FLAG_INIT;
  VstMidiEvent pending_[kMaxEvents];
  int pendingCount_ = 0;
  VstMidiEvent rendering_[kMaxEvents];
  struct EventBlock {
    int32_t numEvents;
    intptr_t reserved;
    VstEvent* events[kMaxEvents];
  } block_{};
};
