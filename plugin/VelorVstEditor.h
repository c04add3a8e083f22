#pragma once
// The plug-in's editor: what the host knows as the effect's editor and, at
// the same time, the framework window the whole GUI lives in. It carries
// MIDI from three threads to the GUI through its own queue, and its idle
// drives every layer. The window holds the front panel (the root layer),
// which builds the edit pages over it. Loop thread, but for MidiIn.
#include <cstdint>
#include <memory>

#include "editor/shell/OskendBackgroundLayer.h"
#include "hfc/CHfcVstEditor.h"
#include "plugin/AEffEditor.h"
#include "remote/IRemoteSynthSink.h"

class AudioEffectX;
class CHfcWindowLayer;
class CMidiFifo;
class QuorelVst;
namespace Oskend {
class IRemoteSynth;
}

class VelorVstEditor : public CHfcVstEditor, public AEffEditor, public Oskend::IRemoteSynthSink {
 public:
  static constexpr int kQueueSize = 1024;
  static constexpr const char* kBaseImage = "Background_Base";

  // ---- Loop thread (the host's editor calls are handed there).
  VelorVstEditor(QuorelVst* effect, Oskend::IRemoteSynth* model);
  ~VelorVstEditor() override;

  virtual bool Initialize();
  virtual void Uninitialize();
  virtual void GetDefaultWindowSize(long* width, long* height);

  // ---- Any thread: queues one message for the GUI; lost when the queue
  // is full (never blocks, so the audio and link threads may call it).
  void MidiIn(uint8_t status, uint8_t data1, uint8_t data2);
  // ---- Loop thread.
  // Tests: what the GUI has been given of the queue, and the ticks run.
  uint64_t MidiDelivered() const { return midiDelivered_; }
  uint64_t IdleTicks() const { return idleTicks_; }
  CMidiFifo* GetMidiQueue() const { return midiQueue_.get(); }

  // The host's editor calls; the window side is the framework's.
  bool getRect(ERect** rect) override { return CHfcVstEditor::getRect(rect); }
  bool open(void* window) override;
  void close() override;
  bool isOpen() override { return CHfcVstEditor::isOpen(); }
  void idle() override { CHfcVstEditor::idle(); }
  void draw(ERect* rect) override;
  void top() override { CHfcVstEditor::top(); }
  void sleep() override { CHfcVstEditor::sleep(); }
  bool mouse(int x, int y) override { return CHfcVstEditor::mouse(x, y); }
  bool key(int k) override { return CHfcVstEditor::key(k); }
  int setKnobMode(int) override { return 0; }

  void UpdateNoFlush(tagHfcRect* rect);

  bool OnCreate() override;
  void OnIdle() override;
  bool OnDestroy() override;

  // Model notices: the pages take them through their own sinks.
  void OnRemoteSynthConnectionStateChanged(Oskend::IRemoteSynth*, bool, bool) override {}
  void OnRemoteSynthExtCtlStateChanged(Oskend::IRemoteSynth*, const Oskend::SExtCtlState&) override {}
  void OnRemoteSynthMasterVolumeChanged(Oskend::IRemoteSynth*, unsigned) override {}
  void OnRemoteSynthModeChanged(Oskend::IRemoteSynth*, int) override {}
  void OnRemoteSynthCurSoundChanged(Oskend::IRemoteSynth*, const Oskend::SSoundIndex&) override {}
  void OnRemoteSynthBankListChanged(Oskend::IRemoteSynth*, eMode, const Oskend::SSoundIndex&) override {}
  void OnRemoteSynthAuditionStateChanged(Oskend::IRemoteSynth*, bool) override {}
  void OnRemoteSynthProgOSCModeChanged(Oskend::IRemoteSynth*, int) override {}
  void OnRemoteSynthBeginUIUtility(Oskend::IRemoteSynth*) override {}
  void OnRemoteSynthEndUIUtility(Oskend::IRemoteSynth*, bool) override {}
  void OnRemoteSynthSeqStateChanged(Oskend::IRemoteSynth*, bool) override {}
  void OnRemoteSynthNeedAutomationAPI(Oskend::IRemoteSynth*, long) override {}

 private:
  // The front panel; the base picture alone when it cannot be made.
  bool CreateRootLayer();
  bool CreateBaseLayer();

  QuorelVst* effect_;
  Oskend::IRemoteSynth* model_;
  CHfcWindowLayer* rootLayer_ = nullptr;
  OskendBackgroundLayer* panel_ = nullptr;
  // The page the last root layer showed, for the view Window > Lock or
  // Unlock build next (GUI thread).
  OskendBackgroundLayer::ShownPage carriedPage_;
  uint32_t lastIdleTime_;
  std::unique_ptr<CMidiFifo> midiQueue_;
  uint64_t midiDelivered_ = 0;
  uint64_t idleTicks_ = 0;
  bool sinkAdvised_ = false;
};
