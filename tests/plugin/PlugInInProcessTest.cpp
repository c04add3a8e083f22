// The plug-in linked into the test, on the test's main loop and simulated
// clock, with a model that records what the plug-in asks of it.
#include <gtest/gtest.h>

#include "editor/shell/OskendBackgroundLayer.h"

#include <optional>
#include <sstream>
#include <stdexcept>
#include <thread>
#include <string>
#include <vector>

#include "editor/controls/FontManager.h"
#include "editor/controls/ResourceManager.h"
#include "editor/shell/XESynthUtils.h"
#include "os/Clock.h"
#include "os/window/HeadlessWindow.h"
#include "platform/HfcMessageBox.h"
#include "os/midi/System.h"
#include "os/midi/VirtualBus.h"
#include "plugin/CMidiFifo.h"
#include "plugin/PlugInEntry.h"
#include "plugin/QuorelVst.h"
#include "plugin/VelorVstEditor.h"
#include "remote/CRemoteSynthImpl.h"
#include "remote/FTYPE.h"
#include "tests/plugin/PlugInTestHost.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestEnvironment.h"

namespace vesk::test {
namespace {

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
  static RecordingModel* last;
  std::vector<Sent> sent;
  std::vector<Oskend::SSoundIndex> selected;
  int connects = 0;
  bool throwOnConnect = false;
  std::optional<int> mode, soundMode;
  Oskend::SSoundIndex current{0, 0};

  bool RTMIDIOut(long long time, const void* bytes, unsigned length, eChgSource source) override {
    const auto* b = static_cast<const uint8_t*>(bytes);
    sent.push_back({time, {b[0], b[1], b[2]}, length, source, std::this_thread::get_id()});
    return true;
  }
  Oskend::SSoundIndex PutCurSound(const Oskend::SSoundIndex& s) override {
    selected.push_back(s);
    return s;
  }
  Oskend::SSoundIndex GetCurSound(bool) override { return current; }
  eMode GetMode() override { return mode ? static_cast<eMode>(*mode) : CRemoteSynthImpl::GetMode(); }
  int GetSoundMode() override { return soundMode ? *soundMode : CRemoteSynthImpl::GetSoundMode(); }
  bool Connect(bool standalone, bool recall) override {
    ++connects;
    if (throwOnConnect) throw std::runtime_error("no");
    return CRemoteSynthImpl::Connect(standalone, recall);
  }
};
RecordingModel* RecordingModel::last = nullptr;

Oskend::IRemoteSynth* MakeRecording(AudioEffect* effect) {
  RecordingModel::last = new RecordingModel(effect);
  return RecordingModel::last;
}
Oskend::IRemoteSynth* MakeNone(AudioEffect*) { return nullptr; }

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

TEST_F(InProcess, TheEditorTitlesItsMessageBoxesWithThePlugInsName) {
  XESynthUtils::mProductName.clear();
  ASSERT_NE(Make(), nullptr);
  EXPECT_EQ(XESynthUtils::mProductName, "Vesk Plug-In Editor");
}

TEST_F(InProcess, HostMidiReachesTheSynthesizerWithItsTimestampsAndTheEditorShowsIt) {
  QuorelVst* p = Make();
  ASSERT_NE(p, nullptr);
  host.Dispatch(effSetSampleRate, 0, 0, nullptr, 48000.0f);
  env.clock().Advance(1234567);
  const uint64_t blockStart = WholeMsUs();
  Process({{{0x90, 60, 100}, 0}, {{0x91, 62, 90}, 256}, {{0xE0, 0, 64}, 100}});
  ASSERT_EQ(model().sent.size(), 3u);
  EXPECT_EQ(model().sent[0].time, static_cast<long long>(blockStart));
  EXPECT_EQ(model().sent[1].time, static_cast<long long>(blockStart) + 5333);
  EXPECT_EQ(model().sent[1].bytes, (std::vector<uint8_t>{0x91, 62, 90}));
  EXPECT_EQ(model().sent[1].length, 3u);
  EXPECT_EQ(model().sent[1].source, eChgSource_HostMIDI);
  // The model's output is not called on the audio thread (here the test's).
  EXPECT_NE(model().sent[1].thread, std::this_thread::get_id());
  EXPECT_EQ(p->GetVstEditor()->GetMidiQueue()->Count(), 3);
  // The block is silent.
  EXPECT_EQ(QuorelVst::MessageLength(0xC0), 2u);
  EXPECT_EQ(QuorelVst::MessageLength(0xF8), 1u);
  EXPECT_EQ(QuorelVst::MessageLength(0xF0), 0u);
}

TEST_F(InProcess, TransportMessagesEndTheBlockAndASongPositionDropsOnlyItself) {
  ASSERT_NE(Make(), nullptr);
  Process({{{0x90, 1, 1}, 0}, {{0xF2, 5, 6}, 1}, {{0x90, 2, 1}, 2}, {{0x90, 3, 1}, 3}});
  ASSERT_EQ(model().sent.size(), 1u);
  Process({{{0x90, 4, 1}, 0}, {{0xFA, 0, 0}, 1}, {{0x90, 5, 1}, 2}});
  ASSERT_EQ(model().sent.size(), 4u);
  EXPECT_EQ(model().sent[1].bytes[1], 2);
  EXPECT_EQ(model().sent[2].bytes[1], 3);
  EXPECT_EQ(model().sent[3].bytes[1], 4);
  Process({});
  ASSERT_EQ(model().sent.size(), 5u);
  EXPECT_EQ(model().sent[4].bytes[1], 5);
}

TEST_F(InProcess, BankSelectAndProgramChangeOnTheGlobalChannelSelectTheSound) {
  struct Case {
    int mode;
    uint8_t msb, lsb, expectedBank;
  };
  // As the synthesizer reads a bank select: program modes take the LSB as
  // the program bank (MSB 0); combination modes count LSB with 8 skipped.
  const Case cases[] = {{2, 0, 2, 2}, {3, 0, 3, 3}, {2, 1, 2, 0}, {0, 0, 2, 2},
                        {0, 0, 9, 8}, {4, 0, 2, 0}};
  for (const Case& c : cases) {
    ASSERT_NE(Make(), nullptr);
    model().mode = c.mode;
    // Each of the three ends its block's draining; the note waits.
    Process({{{0xB0, 0, c.msb}, 0}, {{0x90, 7, 7}, 1}});
    Process({{{0xB0, 32, c.lsb}, 0}});
    Process({{{0xC0, 5, 0}, 0}});
    ASSERT_EQ(model().selected.size(), 1u) << c.mode;
    EXPECT_EQ(model().selected[0].bank, c.expectedBank) << c.mode << " " << int(c.lsb);
    EXPECT_EQ(model().selected[0].number, 5);
    // Neither the bank select nor the program change is forwarded.
    for (const Sent& s : model().sent) EXPECT_EQ(s.bytes[0], 0x90);
    host.Close();
  }
}

TEST_F(InProcess, AProgramChangeWithoutBankSelectKeepsTheCurrentBank) {
  ASSERT_NE(Make(), nullptr);
  model().current = {3, 9};
  Process({{{0xC0, 7, 0}, 0}});
  ASSERT_EQ(model().selected.size(), 1u);
  EXPECT_EQ(model().selected[0].bank, 3);
  // Another channel is not the global one: forwarded as it is.
  Process({{{0xC5, 7, 0}, 0}});
  ASSERT_EQ(model().sent.size(), 1u);
  EXPECT_EQ(model().sent[0].length, 2u);
}

TEST_F(InProcess, SynthesizerMidiReachesTheHostOnlyWhileMidiOutputToTheHostIsOn) {
  QuorelVst* p = Make();
  ASSERT_NE(p, nullptr);
  const uint8_t note[3] = {0x92, 64, 33};
  const uint8_t clock[1] = {0xF8};
  p->OnRTMIDIIn(0, note, 3);
  Process({});
  EXPECT_TRUE(host.MidiReceived().empty());
  EXPECT_EQ(p->GetVstEditor()->GetMidiQueue()->Count(), 1);

  p->SetMIDIOUTtoDAW(true);
  p->OnRTMIDIIn(0, note, 3);
  p->OnRTMIDIIn(0, clock, 1);
  Process({});
  const auto got = host.MidiReceived();
  ASSERT_EQ(got.size(), 1u);
  EXPECT_EQ(got[0].bytes[0], 0x92);
  EXPECT_EQ(got[0].bytes[2], 33);
  EXPECT_EQ(got[0].deltaFrames, 0);
  EXPECT_EQ(got[0].flags, kVstMidiEventIsRealtime);
  EXPECT_EQ(p->GetVstEditor()->GetMidiQueue()->Count(), 3);
}

TEST_F(InProcess, WhileBypassedHostGuiAndSynthesizerMidiAreDropped) {
  QuorelVst* p = Make();
  ASSERT_NE(p, nullptr);
  p->SetMIDIOUTtoDAW(true);
  host.Dispatch(effSetBypass, 0, 1);
  const uint8_t note[3] = {0x90, 1, 1};
  p->OnRTMIDIIn(0, note, 3);
  p->MidiInFromGUI(0x90, 2, 2);
  Process({{{0x90, 3, 3}, 0}});
  env.loop().RunFor(50);
  EXPECT_TRUE(model().sent.empty());
  EXPECT_TRUE(host.MidiReceived().empty());
  EXPECT_EQ(p->GetVstEditor()->GetMidiQueue()->Count(), 0);
}

TEST_F(InProcess, GuiMidiGoesOutThroughTheWorkerThread) {
  QuorelVst* p = Make();
  ASSERT_NE(p, nullptr);
  p->MidiInFromGUI(0xC0, 5, 0);
  ASSERT_TRUE(env.loop().RunUntil([&] { return p->GetVstEditor()->GetMidiQueue()->Count() == 1; },
                                  1000));
  ASSERT_EQ(model().sent.size(), 1u);
  // Not intercepted: a program change from the GUI goes out as it is.
  EXPECT_EQ(model().sent[0].bytes[0], 0xC0);
  EXPECT_EQ(model().sent[0].source, eChgSource_EditorMIDI);
  EXPECT_TRUE(model().selected.empty());
}

TEST_F(InProcess, TheConnectionRunsFromTheMainLoopOnceTheHostHasTheInstance) {
  ASSERT_NE(Make(), nullptr);
  EXPECT_EQ(model().connects, 0);
  env.loop().RunFor(10);
  EXPECT_EQ(model().connects, 1);
}

TEST_F(InProcess, AnExceptionFromTheConnectionLeavesThePlugInRunning) {
  ASSERT_NE(Make(), nullptr);
  model().throwOnConnect = true;
  testing::internal::CaptureStdout();
  env.loop().RunFor(10);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "Exception at RemoteSynth::Connection()\n");
  EXPECT_EQ(host.Text(effGetEffectName), "Vesk Plug-In Editor");
}

TEST_F(InProcess, APresetChunkOutsideTheSoundModesStillHoldsTheState) {
  AEffect* e = host.Instantiate(&VSTPluginMain);
  ASSERT_NE(e, nullptr);
  auto chunk = [&](int index) {
    void* data = nullptr;
    const intptr_t size = host.Dispatch(effGetChunk, index, 0, &data);
    return data && size > 0 ? std::string(static_cast<const char*>(data), size) : std::string();
  };
  auto saved = [&](Oskend::FTYPE type) {
    std::ostringstream out(std::ios::binary);
    EXPECT_TRUE(model().SaveStream(out, type, 0));
    return std::move(out).str();
  };
  // A sound mode's preset is its edit buffer; outside them, the whole state.
  const struct {
    int soundMode;
    Oskend::FTYPE type;
  } cases[] = {{0, Oskend::FTYPE::Combi}, {2, Oskend::FTYPE::Prog},
               {6, Oskend::FTYPE::Bank},  {255, Oskend::FTYPE::Bank}};
  for (const auto& c : cases) {
    model().soundMode = c.soundMode;
    const std::string preset = chunk(1);
    ASSERT_FALSE(preset.empty()) << c.soundMode;
    EXPECT_EQ(preset, saved(c.type)) << c.soundMode;
  }
  EXPECT_EQ(chunk(1), chunk(0));
  model().soundMode = 2;
  EXPECT_LT(chunk(1).size(), chunk(0).size());
}

TEST_F(InProcess, ModeChangesResetTheBankSelectAndUpdateTheHostsDisplay) {
  QuorelVst* p = Make();
  ASSERT_NE(p, nullptr);
  model().mode = 2;
  model().current = {1, 0};
  Process({{{0xB0, 0, 0}, 0}});
  Process({{{0xB0, 32, 3}, 0}});
  const int before = host.UpdateDisplayCount();
  p->OnRemoteSynthModeChanged(&model(), 2);
  EXPECT_EQ(host.UpdateDisplayCount(), before + 1);
  Process({{{0xC0, 4, 0}, 0}});
  ASSERT_EQ(model().selected.size(), 1u);
  EXPECT_EQ(model().selected[0].bank, 1);
}

TEST_F(InProcess, WithoutAModelThePlugInRefusesToLoadAndLeavesNothingRunning) {
  QuorelVst::SetModelFactory(&MakeNone);
  EXPECT_EQ(Make(), nullptr);
  EXPECT_EQ(ResourceManager::GetInstance(), nullptr);
  EXPECT_EQ(FontManager::mInstance, nullptr);
  QuorelVst::SetModelFactory(&MakeRecording);
  EXPECT_NE(Make(), nullptr);
}

std::vector<std::string> g_managerLog;
bool StartA() { return g_managerLog.push_back("start a"), true; }
bool StartB() { return g_managerLog.push_back("start b"), true; }
bool StartC() { return g_managerLog.push_back("start c"), false; }
void StopA() { g_managerLog.push_back("stop a"); }
void StopB() { g_managerLog.push_back("stop b"); }
void StopC() { g_managerLog.push_back("stop c"); }

TEST_F(InProcess, ManagersThatStartedAreStoppedInReverseWhenALaterOneFails) {
  const QuorelVst::Manager failing[] = {{"a", StartA, StopA}, {"b", StartB, StopB}, {"c", StartC, StopC}};
  QuorelVst::SetManagersForTest(failing, 3);
  g_managerLog.clear();
  EXPECT_EQ(Make(), nullptr);
  EXPECT_EQ(g_managerLog,
            (std::vector<std::string>{"start a", "start b", "start c", "stop b", "stop a"}));

  const QuorelVst::Manager working[] = {{"a", StartA, StopA}, {"b", StartB, StopB}};
  QuorelVst::SetManagersForTest(working, 2);
  g_managerLog.clear();
  ASSERT_NE(Make(), nullptr);
  host.Close();
  EXPECT_EQ(g_managerLog, (std::vector<std::string>{"start a", "start b", "stop b", "stop a"}));
}

TEST_F(InProcess, ClosingWithTheEditorOpenClosesTheWindowBeforeTheRestGoes) {
  QuorelVst* p = Make();
  ASSERT_NE(p, nullptr);
  // No display: the window has no system window of its own.
  ASSERT_EQ(host.Dispatch(effEditOpen, 0, 0, nullptr), 1);
  ASSERT_TRUE(p->GetVstEditor()->isOpen());
  p->OnRTMIDIIn(0, "\x90\x01\x02", 3);
  env.loop().RunFor(300);
  EXPECT_GT(p->GetVstEditor()->IdleTicks(), 5u);
  EXPECT_EQ(p->GetVstEditor()->MidiDelivered(), 1u);
  // A host that closes the instance without closing the editor.
  EXPECT_EQ(host.Close(), 1);
  env.loop().RunFor(100);
}

TEST_F(InProcess, WithoutADisplayAQuestionTakesItsDefaultAndSaysSoInOneLine) {
  ASSERT_NE(Make(), nullptr);
  testing::internal::CaptureStderr();
  const long answer = HfcMessageBox("Vesk Hardware not found.\nRescan all the MIDI devices?",
                                    "Vesk Plug-In Editor", 1, 5);
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_EQ(answer, 1);
  ASSERT_FALSE(said.empty());
  EXPECT_EQ(said.find('\n'), said.size() - 1) << said;
  EXPECT_NE(said.find("Rescan all the MIDI devices?"), std::string::npos);
  EXPECT_NE(said.find("OK"), std::string::npos);
}

TEST_F(InProcess, TheEditorShowsItsPictureBeforeTheFirstIdleTick) {
  QuorelVst* p = Make();
  ASSERT_NE(p, nullptr);
  ASSERT_EQ(host.Dispatch(effEditOpen, 0, 0, nullptr), 1);
  auto* window = dynamic_cast<os::HeadlessWindow*>(p->GetVstEditor()->GetPlatformWindow());
  ASSERT_NE(window, nullptr);
  env.loop().RunPending();
  EXPECT_GE(window->PresentCount(), 1);
  EXPECT_EQ(p->GetVstEditor()->IdleTicks(), 0u);
  // The front panel at the bottom, the pages of its three strips over it.
  const int layers = p->GetVstEditor()->GetLayerCount();
  EXPECT_NE(dynamic_cast<OskendBackgroundLayer*>(p->GetVstEditor()->GetLayerByIndex(0)), nullptr);
  EXPECT_EQ(layers, 1 + 3 + 9 + 4);
  // A host that opens again without closing: still one window.
  ASSERT_EQ(host.Dispatch(effEditOpen, 0, 0, nullptr), 1);
  EXPECT_EQ(p->GetVstEditor()->GetLayerCount(), layers);
  // Closed by the host before the instance: the window goes, the editor stays.
  host.Dispatch(effEditClose);
  EXPECT_FALSE(p->GetVstEditor()->isOpen());
  ASSERT_EQ(host.Dispatch(effEditOpen, 0, 0, nullptr), 1);
  host.Dispatch(effEditClose);
}

TEST_F(InProcess, AutomationOnTheAudioThreadIsWrittenByTheWorker) {
  AEffect* e = host.Instantiate(&VSTPluginMain);
  ASSERT_NE(e, nullptr);
  // The host's audio thread is the one that processes (here the test's).
  Process({});
  // The worker writes it on its own thread, sooner or later on a busy
  // machine; only the written value is checked.
  e->setParameter(e, 0, 37.0f / 127.0f);
  for (int i = 0; i < 2000 && e->getParameter(e, 0) != 37.0f / 127.0f; ++i) {
    env.loop().RunFor(1);
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  EXPECT_EQ(e->getParameter(e, 0), 37.0f / 127.0f);
}

TEST_F(InProcess, ChunksCarryTheAutomatedValues) {
  AEffect* e = host.Instantiate(&VSTPluginMain);
  ASSERT_NE(e, nullptr);
  e->setParameter(e, 0, 37.0f / 127.0f);
  const float volume = e->getParameter(e, 0);
  void* data = nullptr;
  const intptr_t size = host.Dispatch(effGetChunk, 0, 0, &data);
  ASSERT_GT(size, 0);
  std::string chunk(static_cast<const char*>(data), static_cast<size_t>(size));
  host.Close();
  e = host.Instantiate(&VSTPluginMain);
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(host.Dispatch(effSetChunk, 0, size, chunk.data()), 1);
  EXPECT_EQ(e->getParameter(e, 0), volume);
}

}  // namespace
}  // namespace vesk::test
