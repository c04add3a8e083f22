#pragma once
// The frame of the link tests: simulated time and main loop, a virtual MIDI
// bus installed as the machine's, simulated synthesizers plugged into it,
// the link under test and a model that records what the link tells it.
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "os/midi/VirtualBus.h"
#include "remote/CRemoteMIDIImpl.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/simsynth/SimSynthDevice.h"

namespace vesk::test {

// What the model was told, in order.
class RecordingModel : public Oskend::IRemoteMIDICallback {
 public:
  struct Call {
    std::string what;  // "short", "pc", "mas", "curprog", "prog", "curcombi", "combi",
                       // "global", "volume", "mode", "param"
    int a = 0, b = 0, c = 0;
    std::vector<uint8_t> data;
  };
  std::vector<Call> Calls();
  std::vector<Call> Calls(const std::string& what);
  void Clear();

  int OnRcvShortMsg(Oskend::IRemoteMIDI*, long long, const void* data, unsigned len,
                    eChgSource source) override;
  int OnRcvProgramChange(Oskend::IRemoteMIDI*, Oskend::eBankID bank, unsigned program) override;
  int OnRcvModeAndState(Oskend::IRemoteMIDI*, const MODEANDSTATE* state) override;
  int OnRcvCurProgDump(Oskend::IRemoteMIDI*, const void* data, unsigned len) override;
  int OnRcvProgDump(Oskend::IRemoteMIDI*, Oskend::eBankID bank, int program, const void* data,
                    unsigned len) override;
  int OnRcvCurCombiDump(Oskend::IRemoteMIDI*, const void* data, unsigned len) override;
  int OnRcvCombiDump(Oskend::IRemoteMIDI*, Oskend::eBankID bank, int number, const void* data,
                     unsigned len) override;
  int OnRcvCurSongTimbreDump(Oskend::IRemoteMIDI*, const void*, unsigned) override { return 0; }
  int OnRcvSongTimbreDump(Oskend::IRemoteMIDI*, int, const void*, unsigned) override { return 0; }
  int OnRcvSongCtrlDump(Oskend::IRemoteMIDI*, int, const void*, unsigned) override { return 0; }
  int OnRcvSongEventDump(Oskend::IRemoteMIDI*, int, const void*, unsigned) override { return 0; }
  int OnRcvGlobalDump(Oskend::IRemoteMIDI*, const void* data, unsigned len) override;
  int OnRcvDrumkitDump(Oskend::IRemoteMIDI*, int, const void*, unsigned) override { return 0; }
  int OnRcvArpPatternDump(Oskend::IRemoteMIDI*, int, const void*, unsigned) override { return 0; }
  int OnRcvMasterVolumeChange(Oskend::IRemoteMIDI*, unsigned volume) override;
  int OnRcvModeChange(Oskend::IRemoteMIDI*, eMode mode) override;
  int OnRcvParamChange(Oskend::IRemoteMIDI*, uint8_t section, int id, int value) override;
  int OnRcvDrumkitParamChange(Oskend::IRemoteMIDI*, int, int) override { return 0; }
  int OnRcvArpPatternParamChange(Oskend::IRemoteMIDI*, int, int) override { return 0; }
  void OnRcvTimbreSound(Oskend::IRemoteMIDI*, int, int, int) override {}
  int GetCurTimbreMIDICh(Oskend::IRemoteMIDI* link, int, int) override { return 0; }
  int OnRcvPlayStopContinue(Oskend::IRemoteMIDI*, int, bool, bool) override { return 0; }

 private:
  int Record(Call c);
  std::mutex mutex_;
  std::vector<Call> calls_;
};

class LinkTest {
 public:
  LinkTest();
  ~LinkTest();

  // Plugs in one more simulated synthesizer.
  SimSynthDevice& AddSynth(SimSynthSettings settings = {}, const std::string& name = "Vesk",
                           const std::string& model = "Vesk");
  // Connects by scanning; the first synthesizer added is the one expected.
  bool ConnectScan();
  uint64_t NowMs() const;
  // Runs fn on the main loop once `ms` of simulated time have passed.
  void At(uint64_t ms, std::function<void()> fn);

  TestEnvironment env;
  os::midi::VirtualBus bus;
  std::deque<std::unique_ptr<SimSynthDevice>> synths;
  RecordingModel model;
  std::unique_ptr<Oskend::CRemoteMIDIImpl> link;
};

}  // namespace vesk::test
