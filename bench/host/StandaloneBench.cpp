// The standalone program: one render cycle of the output graph (component
// render, fade off, conversion to a 16-bit device with a channel map), and
// start-up up to the editor window shown with the real plug-in.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <chrono>
#include <string>
#include <vector>

#include "editor/controls/DrawnForm.h"
#include "host/AudioGraph.h"
#include "host/CalcCPULoad.h"
#include "host/EditorWindow.h"
#include "host/StandaloneApp.h"
#include "host/VstAudioComponent.h"
#include "os/audio/NullAudioSystem.h"
#include "os/midi/VirtualBus.h"
#include "os/window/HeadlessWindow.h"
#include "plugin/PlugInEntry.h"

namespace {

using namespace os::audio;

class SineComponent : public AudioComponent {
 public:
  int32_t SetProperty(uint32_t, uint32_t, uint32_t, const void*, uint32_t) override { return 0; }
  int32_t MIDIEvent(uint32_t, uint32_t, uint32_t, uint32_t) override { return 0; }
  int32_t Initialize() override { return 0; }
  int32_t Uninitialize() override { return 0; }
  int32_t GetMaximumFramesPerSlice(uint32_t* f) override {
    *f = max_;
    return 0;
  }
  int32_t SetMaximumFramesPerSlice(uint32_t f) override {
    max_ = f;
    return 0;
  }
  int32_t SetOutputFormat(const AudioStreamBasicDescription&) override { return 0; }
  int32_t Render(uint32_t* flags, const HostAudioTimeStamp&, uint32_t, uint32_t frames,
                 AudioBufferList* out) override {
    *flags = 0;
    auto* l = static_cast<float*>(out->buffers[0].data);
    auto* r = static_cast<float*>(out->buffers[1].data);
    for (uint32_t i = 0; i < frames; ++i) {
      l[i] = 0.25f * static_cast<float>(i & 63) / 64.0f;
      r[i] = -l[i];
    }
    return 0;
  }
  int32_t OpenView(uint64_t, int* w, int* h) override {
    *w = 100;
    *h = 100;
    return 0;
  }
  void CloseView() override {}
  void IdleView() override {}

 private:
  uint32_t max_ = 1156;
};

void BM_RenderCycleWithConversionAndChannelMap(benchmark::State& state) {
  NullAudioSystem audio;
  AudioSystem::Install(&audio);
  NullAudioSystem::DeviceDesc d;
  d.name = "Bench Out";
  NullAudioSystem::StreamDesc s;
  s.formats = {MakeLinearPCM(44100, 4, 16, false)};
  s.current = s.formats[0];
  d.streams = {s};
  d.bufferFrames = 256;
  const DeviceId id = audio.AddDevice(d);
  getAllDevices();
  AudioComponentRegistry registry;
  registry.Register("Sine", EditorComponentDescription(),
                    []() -> std::unique_ptr<AudioComponent> { return std::make_unique<SineComponent>(); });
  {
    AudioGraph graph;
    graph.setupGraph(registry, EditorComponentDescription());
    bool cancelled = false, done = false;
    const AudioStreamBasicDescription f = s.current;
    graph.graphSetOutputDeviceAndStream(id, false, &f, 256, -1, 2, false, 0, true, cancelled, done);
    graph.startGraph();
    std::vector<uint8_t> bytes(256 * 4 * 2);
    AudioBufferList out;
    out.numberBuffers = 1;
    out.buffers[0] = {4, static_cast<uint32_t>(bytes.size()), bytes.data()};
    for (int i = 0; i < 20; ++i) AudioGraph::Process(id, 0, &out, &graph);  // past the fade
    for (auto _ : state) {
      AudioGraph::Process(id, 0, &out, &graph);
      benchmark::DoNotOptimize(bytes.data());
    }
    state.counters["frames"] = 256;
    graph.stopGraph();
    graph.uninitializeDevice();
  }
  gAudioDeviceList.clear();
  CalcCPULoad_Reset();
  AudioSystem::Uninstall(&audio);
}
BENCHMARK(BM_RenderCycleWithConversionAndChannelMap);

void BM_StartUpToTheEditorWindowShown(benchmark::State& state) {
  char folder[] = "/tmp/vesk-bench-XXXXXX";
  if (!mkdtemp(folder)) {
    state.SkipWithError("no temporary folder");
    return;
  }
  setenv("XDG_CONFIG_HOME", folder, 1);
  setenv("VESK_LOCK_DIR", folder, 1);
  unsetenv("DISPLAY");
  os::MainLoop loop;
  os::midi::VirtualBus bus;
  os::midi::System::Install(&bus);
  NullAudioSystem audio;
  AudioSystem::Install(&audio);
  EditorWindow::SetWindowMaker([](int w, int h, const std::string&) -> std::unique_ptr<os::Window> {
    return os::HeadlessWindow::Create(w, h);
  });
  DrawnForm::SetWindowMaker([](const DrawnForm::WindowPlacement& p) -> std::unique_ptr<os::Window> {
    return os::HeadlessWindow::Create(p.width, p.height);
  });
  AudioComponentRegistry registry;
  registry.Register("Vesk Plug-In Editor", EditorComponentDescription(),
                    []() -> std::unique_ptr<AudioComponent> { return VstAudioComponent::Open(&VSTPluginMain); });
  for (auto _ : state) {
    StandaloneApp app(registry, {});
    const int status = app.Start();
    if (status != 0 || !app.editorWindow().getEditWindow()->IsVisible()) state.SkipWithError("start-up failed");
    state.PauseTiming();
    app.beforeExit();
    state.ResumeTiming();
  }
  EditorWindow::SetWindowMaker(nullptr);
  DrawnForm::SetWindowMaker(nullptr);
  AudioSystem::Uninstall(&audio);
  os::midi::System::Uninstall(&bus);
}
BENCHMARK(BM_StartUpToTheEditorWindowShown)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
