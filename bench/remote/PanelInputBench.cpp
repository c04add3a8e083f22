// What one message from the instrument's panel costs in real time when it
// reaches a connected model in simulated time, as the model tests and the
// fuzzing of the receive path feed it: the simulated synthesizer sends it
// in packets of 16 bytes, and the main loop then runs for 250 ms of
// simulated time (longer when the input opens a receiving window, which
// waits for the rest of a dump until its time-out).
//
// Inputs: all combinations as the panel sends them (30 KB), the same with
// ten bits flipped (a new damage for each run), the ten-byte head of a
// program-bank dump closed at once (its header promises 215 KB), and a
// mode change, after which the model asks for the current sound (one
// exchange of a request and a 1.7 KB answer).
// "real_ms" is the wall time per input, "csw" the voluntary context
// switches of the process per input: threads that hand a lock to each
// other show up there.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <random>
#include <vector>

#include "bench/ContextSwitches.h"
#include "bench/remote/SimulatedLink.h"
#include "os/MainLoop.h"
#include "remote/SynthSysEx.h"

namespace {

using S = Oskend::SynthSysEx;
using Bytes = std::vector<uint8_t>;

enum Input { kGood = 0, kFlipped = 1, kLyingLength = 2, kModeChange = 3 };

using vesk::bench::ContextSwitches;
using vesk::bench::SimulatedLink;
using vesk::bench::Time;

void BM_PanelInputIntoConnectedModel(benchmark::State& state) {
  vesk::test::SimSynthSettings settings;
  settings.splitPackets = true;
  SimulatedLink link(Time::kSimulated, settings);
  Bytes combis, bankHead, modes[2];
  link.synth.With([&](vesk::test::SimSynth& s) {
    combis = s.PanelDump(S::kKindAllCombis, 0, -1);
    const Bytes bank = s.PanelDump(S::kKindProgBank, 0, -1);
    bankHead.assign(bank.begin(), bank.begin() + 9);
    bankHead.push_back(0xF7);
    modes[0] = s.PanelModeChange(2);
    modes[1] = s.PanelModeChange(0);
  });
  if (!link.Connect()) {
    state.SkipWithError("no connection");
    return;
  }
  os::MainLoop& loop = link.loop;
  loop.RunFor(100);
  std::mt19937 rng(7);
  long switches = 0;
  size_t n = 0;
  for (auto _ : state) {
    state.PauseTiming();
    Bytes input = state.range(0) == kLyingLength ? bankHead
                  : state.range(0) == kModeChange ? modes[n++ % 2]
                                                  : combis;
    if (state.range(0) == kFlipped)
      for (int i = 0; i < 10; ++i) input[rng() % input.size()] ^= uint8_t(1u << (rng() % 8));
    state.ResumeTiming();
    const long before = ContextSwitches();
    link.synth.Emit(input);
    loop.RunFor(250);
    switches += ContextSwitches() - before;
  }
  state.counters["csw"] = benchmark::Counter(double(switches), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_PanelInputIntoConnectedModel)
    ->ArgName("input")
    ->Arg(kGood)
    ->Arg(kFlipped)
    ->Arg(kLyingLength)
    ->Arg(kModeChange)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
