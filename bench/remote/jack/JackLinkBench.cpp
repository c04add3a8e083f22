// The editor against the simulated synthesizer running as a separate JACK
// client process, through a real JACK server on the real clock (start a
// synchronous one: "jackd -S -t 200 -d dummy"; the benchmarks skip without
// one).
//
// BM_JackParamRoundTrip: a parameter change sent by the link to the
// instrument, which sends it back as from its panel; the time until the
// link hands it to the model is the round trip ("round_trip_us").
// BM_JackReceiveAll: "Receive All" through the model with the protocol's
// pauses; "wait_s" is what a person would wait, in seconds.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <string>

#include "bench/PrivateSettingsFolder.h"
#include "os/MainLoop.h"
#include "os/midi/jack/JackSystem.h"
#include "os/midi/machine/MachineMidi.h"
#include "remote/CRemoteMIDIImpl.h"
#include "remote/CRemoteSynthImpl.h"
#include "tests/support/jacksynth/JackSynthProcess.h"

namespace {

using Clock = std::chrono::steady_clock;

bool JackRunning() {
  std::string why;
  return os::midi::JackSystem::Open("vesk-bench-probe", &why) != nullptr;
}

using vesk::bench::PrivateSettingsFolder;

std::vector<std::string> SynthOptions(bool echo) {
  return {"--client", "VeskBench" + std::to_string(getpid()), "--channel", "2",
          "--echo-params", echo ? "1" : "0"};
}

// Tells when the parameter change comes back.
class EchoModel : public Oskend::IRemoteMIDICallback {
 public:
  std::mutex m;
  std::condition_variable cv;
  int echoes = 0;
  bool Wait(int count) {
    std::unique_lock<std::mutex> lock(m);
    return cv.wait_for(lock, std::chrono::seconds(2), [&] { return echoes >= count; });
  }
  int OnRcvParamChange(Oskend::IRemoteMIDI*, uint8_t, int, int) override {
    std::lock_guard<std::mutex> g(m);
    ++echoes;
    cv.notify_all();
    return 0;
  }
  int OnRcvShortMsg(Oskend::IRemoteMIDI*, long long, const void*, unsigned, eChgSource) override {
    return 0;
  }
  int OnRcvProgramChange(Oskend::IRemoteMIDI*, Oskend::eBankID, unsigned) override { return 0; }
  int OnRcvModeAndState(Oskend::IRemoteMIDI*, const MODEANDSTATE*) override { return 0; }
  int OnRcvCurProgDump(Oskend::IRemoteMIDI*, const void*, unsigned) override { return 0; }
  int OnRcvProgDump(Oskend::IRemoteMIDI*, Oskend::eBankID, int, const void*, unsigned) override {
    return 0;
  }
  int OnRcvCurCombiDump(Oskend::IRemoteMIDI*, const void*, unsigned) override { return 0; }
  int OnRcvCombiDump(Oskend::IRemoteMIDI*, Oskend::eBankID, int, const void*, unsigned) override {
    return 0;
  }
  int OnRcvCurSongTimbreDump(Oskend::IRemoteMIDI*, const void*, unsigned) override { return 0; }
  int OnRcvSongTimbreDump(Oskend::IRemoteMIDI*, int, const void*, unsigned) override { return 0; }
  int OnRcvSongCtrlDump(Oskend::IRemoteMIDI*, int, const void*, unsigned) override { return 0; }
  int OnRcvSongEventDump(Oskend::IRemoteMIDI*, int, const void*, unsigned) override { return 0; }
  int OnRcvGlobalDump(Oskend::IRemoteMIDI*, const void*, unsigned) override { return 0; }
  int OnRcvDrumkitDump(Oskend::IRemoteMIDI*, int, const void*, unsigned) override { return 0; }
  int OnRcvArpPatternDump(Oskend::IRemoteMIDI*, int, const void*, unsigned) override { return 0; }
  int OnRcvMasterVolumeChange(Oskend::IRemoteMIDI*, unsigned) override { return 0; }
  int OnRcvModeChange(Oskend::IRemoteMIDI*, eMode) override { return 0; }
  int OnRcvDrumkitParamChange(Oskend::IRemoteMIDI*, int, int) override { return 0; }
  int OnRcvArpPatternParamChange(Oskend::IRemoteMIDI*, int, int) override { return 0; }
  void OnRcvTimbreSound(Oskend::IRemoteMIDI*, int, int, int) override {}
  int GetCurTimbreMIDICh(Oskend::IRemoteMIDI*, int, int) override { return 0; }
  int OnRcvPlayStopContinue(Oskend::IRemoteMIDI*, int, bool, bool) override { return 0; }
};

void BM_JackParamRoundTrip(benchmark::State& state) {
  if (!JackRunning()) {
    state.SkipWithError("no JACK server is running");
    return;
  }
  os::MainLoop loop;
  auto midi = os::midi::MachineMidi::Open("vesk-bench");
  os::midi::System::Install(midi.get());
  vesk::test::JackSynthProcess synth(SynthOptions(true));
  EchoModel model;
  auto link = std::make_unique<Oskend::CRemoteMIDIImpl>();
  if (!synth.ok() || !link->Connect(&model, false)) {
    state.SkipWithError("no connection");
    return;
  }
  double total = 0;
  int n = 0;
  for (auto _ : state) {
    const auto start = Clock::now();
    link->SendParamChange(0, 0x10, (n * 7) & 0x7F);
    if (!model.Wait(n + 1)) {
      state.SkipWithError("the change did not come back");
      break;
    }
    total += std::chrono::duration<double, std::micro>(Clock::now() - start).count();
    ++n;
  }
  link.reset();
  state.counters["round_trip_us"] = n ? total / n : 0;
}
BENCHMARK(BM_JackParamRoundTrip)->Unit(benchmark::kMicrosecond)->Iterations(200)->UseRealTime();

void BM_JackReceiveAll(benchmark::State& state) {
  if (!JackRunning()) {
    state.SkipWithError("no JACK server is running");
    return;
  }
  PrivateSettingsFolder();
  os::MainLoop loop;
  auto midi = os::midi::MachineMidi::Open("vesk-bench");
  os::midi::System::Install(midi.get());
  vesk::test::JackSynthProcess synth(SynthOptions(false));
  auto model = std::make_unique<Oskend::CRemoteSynthImpl>(nullptr);
  if (!synth.ok() || !model->Connect(false, false)) {
    state.SkipWithError("no connection");
    return;
  }
  double waited = 0;
  for (auto _ : state) {
    const auto start = Clock::now();
    int step = 0;
    if (model->HandleReceiveAll("Receiving...", &step, false) < 0) {
      state.SkipWithError("receive failed");
      break;
    }
    waited += std::chrono::duration<double>(Clock::now() - start).count();
    loop.RunPending();
  }
  model.reset();
  state.counters["wait_s"] = waited / double(state.iterations());
}
BENCHMARK(BM_JackReceiveAll)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

}  // namespace
