#pragma once
// The frame of the model tests: simulated time and main loop, a virtual MIDI
// bus with simulated synthesizers, the model under test and a sink that
// records what the model tells the pages (and on which thread).
#include <deque>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "os/midi/VirtualBus.h"
#include "remote/CRemoteSynthImpl.h"
#include "remote/IRemoteSynthMIDISink.h"
#include "remote/IRemoteSynthSink.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/simsynth/SimSynthDevice.h"

namespace vesk::test {

class RecordingSynthSink : public Oskend::IRemoteSynthSink, public Oskend::IRemoteSynthMIDISink {
 public:
  struct Notice {
    std::string what;  // "conn", "ext", "volume", "mode", "cursound", "banklist", "audition",
                       // "osc", "begin", "end", "seq", "automation", "midi"
    long a = 0, b = 0, c = 0;
    bool onMainThread = true;
  };
  std::vector<Notice> notices;
  std::vector<Notice> Of(const std::string& what) const;

  void OnRemoteSynthConnectionStateChanged(Oskend::IRemoteSynth*, bool connected,
                                           bool checked) override;
  void OnRemoteSynthExtCtlStateChanged(Oskend::IRemoteSynth*,
                                       const Oskend::SExtCtlState& s) override;
  void OnRemoteSynthMasterVolumeChanged(Oskend::IRemoteSynth*, unsigned volume) override;
  void OnRemoteSynthModeChanged(Oskend::IRemoteSynth*, int mode) override;
  void OnRemoteSynthCurSoundChanged(Oskend::IRemoteSynth*, const Oskend::SSoundIndex& s) override;
  void OnRemoteSynthBankListChanged(Oskend::IRemoteSynth*, eMode kind,
                                    const Oskend::SSoundIndex& s) override;
  void OnRemoteSynthAuditionStateChanged(Oskend::IRemoteSynth*, bool on) override;
  void OnRemoteSynthProgOSCModeChanged(Oskend::IRemoteSynth*, int mode) override;
  void OnRemoteSynthBeginUIUtility(Oskend::IRemoteSynth*) override;
  void OnRemoteSynthEndUIUtility(Oskend::IRemoteSynth*, bool flag) override;
  void OnRemoteSynthSeqStateChanged(Oskend::IRemoteSynth*, bool running) override;
  void OnRemoteSynthNeedAutomationAPI(Oskend::IRemoteSynth*, long what) override;
  void OnRemoteSynthMIDIIn(Oskend::IRemoteSynth*, const void* bytes, unsigned length) override;

 private:
  void Add(Notice n);
  std::thread::id main_ = std::this_thread::get_id();
};

class ModelTest {
 public:
  ModelTest();
  ~ModelTest();

  SimSynthDevice& AddSynth(SimSynthSettings settings = {}, const std::string& name = "Vesk");
  // A synthesizer with a memory pattern, and the model connected to it.
  SimSynthDevice& Connected(SimSynthSettings settings = {}, bool recall = false);
  // Connected with recall, so that the image is the instrument's memory.
  SimSynthDevice& Ready();
  // Program mode as the instrument reports it.
  void ProgramMode();
  uint64_t NowMs() const;
  // Runs fn on the main loop once `ms` of simulated time have passed.
  void At(uint64_t ms, std::function<void()> fn);
  uint8_t* Image() { return model->GetRawChunk().data(); }
  // The image bytes from the global block to the end of the edit buffers.
  std::vector<uint8_t> ImageBody();
  static std::vector<uint8_t> MemoryBody(const std::vector<uint8_t>& memory);

  // The editor settings live in a folder of the test's own.
  TempDir config;
  ScopedEnv configHome{"XDG_CONFIG_HOME", config.path()};
  TestEnvironment env;
  os::midi::VirtualBus bus;
  std::deque<std::unique_ptr<SimSynthDevice>> synths;
  std::unique_ptr<Oskend::CRemoteSynthImpl> model;
  RecordingSynthSink sink;
};

// A copy of `size` bytes at `offset`.
std::vector<uint8_t> Region(const uint8_t* p, size_t offset, size_t size);

// Fills the instrument's memory with a pattern whose global block holds the
// instrument's own channel.
void Pattern(SimSynth& synth, uint32_t seed);

// A synthesizer on channel 2 whose mode-and-state reply carries 0x5A in byte 3.
SimSynthSettings TestSynthSettings();

}  // namespace vesk::test
