// The editor window's root layer over the real model, connected to the
// simulated synthesizer on an instant virtual MIDI link.
//
// BM_RootIdleNothingToDo: one idle tick of the open editor with no event,
// command or MIDI waiting.
// BM_RootIdleWith64Midi: the tick after 64 messages reached the editor
// (notes, bends and modulation moving the keyboard and the wheels).
// BM_ReceiveAllThroughTheMenu: "Receive All" chosen in the utility menu and
// confirmed, carried out by the model with its pauses off; the process CPU
// time is the whole transfer's.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

#include "bench/PrivateSettingsFolder.h"
#include "editor/controls/FontManager.h"
#include "editor/controls/ResourceManager.h"
#include "editor/shell/IPlugInHost.h"
#include "editor/shell/OskendBackgroundLayer.h"
#include "hfc/CHfcVstEditor.h"
#include "model/ChunkGlobal.h"
#include "os/Alert.h"
#include "os/MainLoop.h"
#include "os/Menu.h"
#include "os/midi/System.h"
#include "os/midi/VirtualBus.h"
#include "remote/CRemoteSynthImpl.h"
#include "tests/support/simsynth/SimSynthDevice.h"

namespace {

using vesk::bench::PrivateSettingsFolder;

class NoPlugIn : public IPlugInHost {
 public:
  std::string GetPlugInProductString() override { return "Vesk Plug-In Editor"; }
  std::string GetPlugInBundleVersion() override { return ""; }
  void SetParameterAutomatedFromInt(int, int, int, int) override {}
  void BeginParameterEdit(int) override {}
  void EndParameterEdit(int) override {}
  void MidiInFromGUI(uint8_t, uint8_t, uint8_t) override {}
};

class Window : public CHfcVstEditor {
 public:
  Window() : CHfcVstEditor(nullptr) {
    m_rcEditor = {0, 0, 800, 600};
    m_bUseIdleTimer = false;
  }
  ~Window() override {
    if (isOpen()) close();
  }
};

struct Rig {
  Rig() {
    PrivateSettingsFolder();
    os::midi::System::Install(&bus);
    synth = std::make_unique<vesk::test::SimSynthDevice>(bus);
    synth->With([](vesk::test::SimSynth& s) {
      s.FillPattern(11);
      s.Memory()[Oskend::CHUNK_GLOBAL::kMIDIChannel] = s.Settings().channel;
    });
    ResourceManager::Initialize();
    FontManager::Initialize();
    model = std::make_unique<Oskend::CRemoteSynthImpl>(nullptr);
    model->SetPacing(0);
    connected = model->Connect(false, false);
    loop.RunPending();
    window.open(nullptr);
    root = std::make_unique<OskendBackgroundLayer>(&plugin, model.get());
    root->SetStepPauseEnabled(false);
    created = root->Create(&window);
    root->Show(false);
    for (int i = 0; i < 3; ++i) {
      loop.RunPending();
      root->Idle(16);
    }
  }
  ~Rig() {
    window.RemoveLayer(root.get(), false);
    root->Destroy();
    root.reset();
    window.close();
    model.reset();
    synth.reset();
    loop.RunPending();
    os::midi::System::Install(nullptr);
    FontManager::Uninitialize();
    ResourceManager::Uninitialize();
  }
  os::MainLoop loop;
  os::midi::VirtualBus bus;
  std::unique_ptr<vesk::test::SimSynthDevice> synth;
  std::unique_ptr<Oskend::CRemoteSynthImpl> model;
  NoPlugIn plugin;
  Window window;
  std::unique_ptr<OskendBackgroundLayer> root;
  bool connected = false;
  bool created = false;
};

void BM_RootIdleNothingToDo(benchmark::State& state) {
  Rig rig;
  if (!rig.connected || !rig.created) {
    state.SkipWithError("no editor");
    return;
  }
  for (auto _ : state) rig.root->Idle(16);
}
BENCHMARK(BM_RootIdleNothingToDo)->Unit(benchmark::kMicrosecond);

void BM_RootIdleWith64Midi(benchmark::State& state) {
  Rig rig;
  if (!rig.connected || !rig.created) {
    state.SkipWithError("no editor");
    return;
  }
  int round = 0;
  for (auto _ : state) {
    ++round;
    for (int i = 0; i < 16; ++i) {
      const uint8_t note = static_cast<uint8_t>(36 + (i + round) % 48);
      rig.root->OnMidiIn(0x90, note, 100);
      rig.root->OnMidiIn(0x80, note, 0);
      rig.root->OnMidiIn(0xE0, 0, static_cast<uint8_t>((i * 8 + round) & 0x7F));
      rig.root->OnMidiIn(0xB0, 1, static_cast<uint8_t>((i * 8) & 0x7F));
    }
    rig.root->Idle(16);
  }
  state.counters["messages"] = 64;
}
BENCHMARK(BM_RootIdleWith64Midi)->Unit(benchmark::kMicrosecond);

void BM_ReceiveAllThroughTheMenu(benchmark::State& state) {
  Rig rig;
  if (!rig.connected || !rig.created) {
    state.SkipWithError("no editor");
    return;
  }
  for (auto _ : state) {
    os::HeadlessAlert::Reset();
    os::HeadlessMenuTracker::Reset();
    os::HeadlessMenuTracker::ScriptCommand(1011);
    os::HeadlessAlert::Script(1);
    rig.root->OnHfcCtrlMouseLButtonDown(
        rig.root->GetControlById(OskendBackgroundLayer::kIdUtility), 0, 0, 0);
    if (os::HeadlessAlert::Transcript().size() != 1) {
      state.SkipWithError("receive failed");
      break;
    }
  }
}
BENCHMARK(BM_ReceiveAllThroughTheMenu)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

}  // namespace
