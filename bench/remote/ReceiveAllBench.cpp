// "Receive All" through the model: the global block, four program banks,
// the program edit buffer, the 20 combinations and the combination edit
// buffer requested from the simulated synthesizer and unpacked into the
// model's image, with the sections told.
//
// BM_ReceiveAllInstant: an instant virtual MIDI link on the real clock with
// the model's pauses off; the process CPU time is the model's and the
// link's work for one whole memory.
// BM_ReceiveAllPaced: the protocol's pauses on and a 31,250-baud wire, in
// simulated time; "wait_s" is what a person would wait, in seconds.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "bench/PrivateSettingsFolder.h"
#include "os/Clock.h"
#include "os/MainLoop.h"
#include "os/midi/VirtualBus.h"
#include "remote/CRemoteSynthImpl.h"
#include "tests/support/simsynth/SimSynthDevice.h"

namespace {

using vesk::bench::PrivateSettingsFolder;

void Prepare(vesk::test::SimSynthDevice& synth) {
  synth.With([](vesk::test::SimSynth& s) {
    s.FillPattern(11);
    s.Memory()[Oskend::CHUNK_GLOBAL::kMIDIChannel] = s.Settings().channel;
  });
}

void BM_ReceiveAllInstant(benchmark::State& state) {
  PrivateSettingsFolder();
  os::MainLoop loop;
  os::midi::VirtualBus bus;
  os::midi::System::Install(&bus);
  vesk::test::SimSynthDevice synth(bus);
  Prepare(synth);
  auto model = std::make_unique<Oskend::CRemoteSynthImpl>(nullptr);
  model->SetPacing(0);
  if (!model->Connect(false, false)) {
    state.SkipWithError("no connection");
    return;
  }
  for (auto _ : state) {
    int step = 0;
    if (model->HandleReceiveAll("Receiving...", &step, false) < 0) {
      state.SkipWithError("receive failed");
      break;
    }
    loop.RunPending();
  }
  model.reset();
  state.SetBytesProcessed(int64_t(state.iterations()) * Oskend::CHUNK_REMOTESYNTH::kSize);
}
BENCHMARK(BM_ReceiveAllInstant)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

void BM_ReceiveAllPaced(benchmark::State& state) {
  PrivateSettingsFolder();
  os::VirtualClock clock;
  os::MainLoop loop;
  os::midi::VirtualBus bus;
  os::midi::System::Install(&bus);
  vesk::test::SimSynthSettings settings;
  settings.slowWire = true;  // 3,125 bytes a second: a 31,250-baud cable
  vesk::test::SimSynthDevice synth(bus, settings);
  Prepare(synth);
  auto model = std::make_unique<Oskend::CRemoteSynthImpl>(nullptr);
  if (!model->Connect(false, false)) {
    state.SkipWithError("no connection");
    return;
  }
  double waited = 0;
  for (auto _ : state) {
    const uint64_t start = clock.Now();
    int step = 0;
    if (model->HandleReceiveAll("Receiving...", &step, false) < 0) {
      state.SkipWithError("receive failed");
      break;
    }
    waited += double(clock.Now() - start) / 1e6;
    loop.RunPending();
  }
  model.reset();
  state.counters["wait_s"] = waited / double(state.iterations());
}
BENCHMARK(BM_ReceiveAllPaced)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->MeasureProcessCPUTime();

}  // namespace
