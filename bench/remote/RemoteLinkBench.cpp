// A whole program bank (215,346 bytes on the wire) requested by the link
// and answered by the simulated synthesizer over an instant virtual MIDI
// link, on the real clock: the cost of sessions, packet parsing, receive
// decoding and handing the bank to the model.
#include <benchmark/benchmark.h>

#include <memory>

#include "os/MainLoop.h"
#include "os/midi/VirtualBus.h"
#include "remote/CRemoteMIDIImpl.h"
#include "remote/SynthSysEx.h"
#include "tests/support/simsynth/SimSynthDevice.h"

namespace {

using S = Oskend::SynthSysEx;

// Counts the banks that arrive; everything else is dropped.
class CountingModel : public Oskend::IRemoteMIDICallback {
 public:
  int banks = 0;
  int OnRcvShortMsg(Oskend::IRemoteMIDI*, long long, const void*, unsigned, eChgSource) override {
    return 0;
  }
  int OnRcvProgramChange(Oskend::IRemoteMIDI*, Oskend::eBankID, unsigned) override { return 0; }
  int OnRcvModeAndState(Oskend::IRemoteMIDI*, const MODEANDSTATE*) override { return 0; }
  int OnRcvCurProgDump(Oskend::IRemoteMIDI*, const void*, unsigned) override { return 0; }
  int OnRcvProgDump(Oskend::IRemoteMIDI*, Oskend::eBankID, int program, const void*,
                    unsigned len) override {
    banks += program < 0 && len == S::kProgBankSize;
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
  int OnRcvParamChange(Oskend::IRemoteMIDI*, uint8_t, int, int) override { return 0; }
  int OnRcvDrumkitParamChange(Oskend::IRemoteMIDI*, int, int) override { return 0; }
  int OnRcvArpPatternParamChange(Oskend::IRemoteMIDI*, int, int) override { return 0; }
  void OnRcvTimbreSound(Oskend::IRemoteMIDI*, int, int, int) override {}
  int GetCurTimbreMIDICh(Oskend::IRemoteMIDI*, int, int) override { return 0; }
  int OnRcvPlayStopContinue(Oskend::IRemoteMIDI*, int, bool, bool) override { return 0; }
};

void BM_ProgramBankDumpRequest(benchmark::State& state) {
  os::MainLoop loop;
  os::midi::VirtualBus bus;
  os::midi::System::Install(&bus);
  vesk::test::SimSynthDevice synth(bus);
  synth.With([](vesk::test::SimSynth& s) { s.FillPattern(11); });
  CountingModel model;
  auto link = std::make_unique<Oskend::CRemoteMIDIImpl>();
  if (!link->Connect(&model, false)) {
    state.SkipWithError("no connection");
    return;
  }
  const unsigned wire = S::DumpWireSize(false, S::kProgBankSize);
  for (auto _ : state) {
    if (link->SendProgDumpReq(1, -1) != 0) {
      state.SkipWithError("request failed");
      break;
    }
  }
  link.reset();
  state.SetBytesProcessed(int64_t(state.iterations()) * wire);
  state.counters["banks"] = model.banks;
  // CPU time of the whole process (every thread) per byte on the wire.
  state.counters["cpu_ns_per_byte"] = benchmark::Counter(
      double(state.iterations()) * wire, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_ProgramBankDumpRequest)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

}  // namespace
