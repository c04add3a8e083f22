#pragma once
// The plug-in linked into a test, on the test's main loop and simulated
// clock, with a model that records what the plug-in asks of it.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <stdexcept>
#include <thread>
#include <vector>

#include "editor/pages/combi_global/CombiGlobalRegistration.h"
#include "editor/pages/program/ProgramMainPages.h"
#include "editor/shell/RootMainPages.h"
#include "os/Clock.h"
#include "os/midi/System.h"
#include "os/midi/VirtualBus.h"
#include "plugin/PlugInEntry.h"
#include "plugin/QuorelVst.h"
#include "remote/CRemoteSynthImpl.h"
#include "tests/plugin/PlugInTestHost.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestEnvironment.h"

namespace vesk::test {

struct Sent {
  long long time;
  std::vector<uint8_t> bytes;
  unsigned length;
  eChgSource source;
  std::thread::id thread;
};

class RecordingModel : public Oskend::CRemoteSynthImpl {
 public:
  using CRemoteSynthImpl::CRemoteSynthImpl;
  ~RecordingModel() override {
    if (onDelete) onDelete();
  }
  static RecordingModel* last;
  // The real output instead of the record (a test with an instrument).
  bool passMidi = false;
  std::vector<Sent> sent;
  std::vector<Oskend::SSoundIndex> selected;
  int connects = 0;
  bool throwOnConnect = false;
  bool throwOnDisconnect = false;
  std::optional<int> mode, soundMode;
  std::optional<Oskend::SSoundIndex> current;
  std::function<void()> onDelete;

  bool RTMIDIOut(long long time, const void* bytes, unsigned length, eChgSource source) override {
    if (passMidi) return CRemoteSynthImpl::RTMIDIOut(time, bytes, length, source);
    const auto* b = static_cast<const uint8_t*>(bytes);
    sent.push_back({time, {b[0], b[1], b[2]}, length, source, std::this_thread::get_id()});
    return true;
  }
  Oskend::SSoundIndex PutCurSound(const Oskend::SSoundIndex& s) override {
    selected.push_back(s);
    return s;
  }
  Oskend::SSoundIndex GetCurSound(bool edit) override {
    return current ? *current : CRemoteSynthImpl::GetCurSound(edit);
  }
  eMode GetMode() override { return mode ? static_cast<eMode>(*mode) : CRemoteSynthImpl::GetMode(); }
  int GetSoundMode() override { return soundMode ? *soundMode : CRemoteSynthImpl::GetSoundMode(); }
  void Disconnect() override {
    if (throwOnDisconnect) throw std::runtime_error("the link is gone");
    CRemoteSynthImpl::Disconnect();
  }
  bool Connect(bool standalone, bool recall) override {
    ++connects;
    if (throwOnConnect) throw std::runtime_error("no");
    return CRemoteSynthImpl::Connect(standalone, recall);
  }
};

Oskend::IRemoteSynth* MakeRecording(AudioEffect* effect);
Oskend::IRemoteSynth* MakeNone(AudioEffect*);

// The editor's strips hold the real edit pages, as in the shared object,
// for the life of the object (the others hold stand-ins).
struct RealEditPages {
  RealEditPages() {
    RegisterProgramMainPages();
    RegisterCombiGlobalMainPages();
  }
  ~RealEditPages() {
    for (eMainStrip s : {eMainStrip::kPerformance, eMainStrip::kProgram, eMainStrip::kGlobal})
      SetMainPagesFactory(s, nullptr);
  }
};

using Events = std::vector<std::pair<std::vector<uint8_t>, int32_t>>;

class InProcess : public testing::Test {
 protected:
  TempDir folder;
  ScopedEnv lockDir{"VESK_LOCK_DIR", folder.path()};
  ScopedEnv config{"XDG_CONFIG_HOME", folder.path()};
  ScopedEnv noDisplay{"DISPLAY", ""};
  TestEnvironment env;
  os::midi::VirtualBus bus;
  TestHost host;

  void SetUp() override {
    os::midi::System::Install(&bus);
    QuorelVst::SetModelFactory(&MakeRecording);
  }
  void TearDown() override {
    if (host.effect) host.Close();
    QuorelVst::SetModelFactory(nullptr);
    QuorelVst::SetManagersForTest(nullptr, 0);
    os::midi::System::Uninstall(&bus);
  }
  QuorelVst* Make() {
    AEffect* e = host.Instantiate(&VSTPluginMain);
    return e ? static_cast<QuorelVst*>(static_cast<AudioEffect*>(e->object)) : nullptr;
  }
  RecordingModel& model() { return *RecordingModel::last; }
  // One block, then what the worker thread and the main loop do with it.
  void Process(const Events& events) {
    host.Process(events);
    env.loop().RunFor(5);
  }
  static uint64_t WholeMsUs() { return (os::NowUs() / 1000) * 1000; }
};

}  // namespace vesk::test
