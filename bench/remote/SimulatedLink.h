#pragma once
// What the link benchmarks run on: the simulated synthesizer on a virtual
// MIDI bus, its memory filled with a fixed pattern, and a model connected to
// it, optionally in simulated time. The editor settings go to a folder of
// the benchmark's own. One thread: the benchmark's, which is the main loop's.
#include <memory>

#include "bench/PrivateSettingsFolder.h"
#include "model/ChunkGlobal.h"
#include "os/Clock.h"
#include "os/MainLoop.h"
#include "os/midi/VirtualBus.h"
#include "remote/CRemoteSynthImpl.h"
#include "tests/support/simsynth/SimSynthDevice.h"

namespace vesk::bench {

enum class Time { kReal, kSimulated };

struct SimulatedLink {
  SimulatedLink(Time time, const vesk::test::SimSynthSettings& settings)
      : clock(Start(time)), synth(bus, settings) {
    synth.With([](vesk::test::SimSynth& s) {
      s.FillPattern(11);
      s.Memory()[Oskend::CHUNK_GLOBAL::kMIDIChannel] = s.Settings().channel;
    });
  }
  ~SimulatedLink() { model.reset(); }

  // The model with the protocol's pauses (0: off), connected: false when
  // no connection came about.
  bool Connect(int pacing = -1) {
    model = std::make_unique<Oskend::CRemoteSynthImpl>(nullptr);
    if (pacing >= 0) model->SetPacing(unsigned(pacing));
    return model->Connect(false, false);
  }

  std::unique_ptr<os::VirtualClock> clock;
  os::MainLoop loop;
  os::midi::VirtualBus bus;

 private:
  // The bus is the machine's MIDI system while the link lives.
  struct Installed {
    explicit Installed(os::midi::System* system) : before(os::midi::System::Install(system)) {}
    ~Installed() { os::midi::System::Install(before); }
    os::midi::System* before;
  } installed_{&bus};

 public:
  vesk::test::SimSynthDevice synth;
  std::unique_ptr<Oskend::CRemoteSynthImpl> model;

 private:
  static std::unique_ptr<os::VirtualClock> Start(Time time) {
    PrivateSettingsFolder();
    return time == Time::kSimulated ? std::make_unique<os::VirtualClock>() : nullptr;
  }
};

}  // namespace vesk::bench
