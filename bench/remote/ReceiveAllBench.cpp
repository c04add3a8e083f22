// "Receive All" through the model: the global block, four program banks,
// the program edit buffer, the 20 combinations and the combination edit
// buffer requested from the simulated synthesizer and unpacked into the
// model's image, with the sections told.
//
// BM_ReceiveAllInstant: an instant virtual MIDI link on the real clock with
// the model's pauses off; the process CPU time is the model's and the
// link's work for one whole memory.
// BM_ReceiveAllPaced: the protocol's pauses on and a 31,250-baud wire, in
// simulated time, the bytes in whole packets or in packets of 16; "wait_s"
// is what a person would wait, in seconds, "csw" the voluntary context
// switches of the process per Receive All.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "bench/ContextSwitches.h"
#include "bench/remote/SimulatedLink.h"
#include "remote/CRemoteSynthImpl.h"

namespace {

using vesk::bench::ContextSwitches;
using vesk::bench::SimulatedLink;
using vesk::bench::Time;

void BM_ReceiveAllInstant(benchmark::State& state) {
  SimulatedLink link(Time::kReal, {});
  if (!link.Connect(0)) {
    state.SkipWithError("no connection");
    return;
  }
  auto& model = link.model;
  for (auto _ : state) {
    int step = 0;
    if (model->HandleReceiveAll("Receiving...", &step, false) < 0) {
      state.SkipWithError("receive failed");
      break;
    }
    link.loop.RunPending();
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * Oskend::CHUNK_REMOTESYNTH::kSize);
}
BENCHMARK(BM_ReceiveAllInstant)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

void BM_ReceiveAllPaced(benchmark::State& state) {
  vesk::test::SimSynthSettings settings;
  settings.slowWire = true;  // 3,125 bytes a second: a 31,250-baud cable
  // Arg 1: the bytes arrive in packets of 16, as from a USB cable, each a
  // wake-up of the link's receiving thread.
  settings.splitPackets = state.range(0) != 0;
  settings.packetSize = 16;
  SimulatedLink link(Time::kSimulated, settings);
  if (!link.Connect()) {
    state.SkipWithError("no connection");
    return;
  }
  auto& model = link.model;
  os::VirtualClock& clock = *link.clock;
  os::MainLoop& loop = link.loop;
  double waited = 0;
  long switches = 0;
  for (auto _ : state) {
    const uint64_t start = clock.Now();
    const long before = ContextSwitches();
    int step = 0;
    if (model->HandleReceiveAll("Receiving...", &step, false) < 0) {
      state.SkipWithError("receive failed");
      break;
    }
    waited += double(clock.Now() - start) / 1e6;
    switches += ContextSwitches() - before;
    loop.RunPending();
  }
  state.counters["wait_s"] = waited / double(state.iterations());
  state.counters["csw"] = benchmark::Counter(double(switches), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_ReceiveAllPaced)
    ->ArgName("packets16")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->MeasureProcessCPUTime();

}  // namespace
