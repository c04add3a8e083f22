// The plug-in linked into the test, on the test's main loop and simulated
// clock, with a model that records what the plug-in asks of it.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "editor/controls/FontManager.h"
#include "editor/controls/ResourceManager.h"
#include "editor/shell/OskendBackgroundLayer.h"
#include "editor/shell/XESynthUtils.h"
#include "model/ISection.h"
#include "os/window/HeadlessWindow.h"
#include "platform/HfcMessageBox.h"
#include "plugin/CMidiFifo.h"
#include "plugin/CParameter.h"
#include "plugin/VelorVstEditor.h"
#include "remote/FTYPE.h"
#include "tests/plugin/InProcessFixture.h"

namespace vesk::test {
namespace {

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
  // The block is silent: both outputs, over the block's length and no
  // further (the host's buffers held a mark before it).
  for (int ch : {0, 1}) {
    const std::vector<float>& out = host.Output(ch);
    EXPECT_EQ(std::count(out.begin(), out.begin() + 512, 0.0f), 512) << ch;
    EXPECT_EQ(out[512], TestHost::kOutputMark) << ch;
  }
  EXPECT_EQ(QuorelVstMidi::MessageLength(0xC0), 2u);
  EXPECT_EQ(QuorelVstMidi::MessageLength(0xF8), 1u);
  EXPECT_EQ(QuorelVstMidi::MessageLength(0xF0), 0u);
}

// Host MIDI that finds the plug-in's queue full is lost, but counted on the
// audio thread and told once in words; what the queue took reaches the
// model whole and in order.
TEST_F(InProcess, HostMidiThatFindsItsQueueFullIsCountedAndToldOnce) {
  ASSERT_NE(Make(), nullptr);
  testing::internal::CaptureStderr();
  for (int block = 0; block < 17; ++block) {
    Events events;
    for (int i = 0; i < 64; ++i) {
      const int n = block * 64 + i;
      events.push_back({{0x90, uint8_t(n & 0x7F), uint8_t(1 + n / 128)}, i});
    }
    host.Deliver(events);
  }
  Process({});
  ASSERT_EQ(model().sent.size(), 1024u);
  for (int n = 0; n < 1024; ++n) {
    EXPECT_EQ(model().sent[n].bytes[1], n & 0x7F) << n;
    EXPECT_EQ(model().sent[n].bytes[2], 1 + n / 128) << n;
  }
  host.Close();
  const std::string told = testing::internal::GetCapturedStderr();
  const std::string line =
      "vesk: the plug-in's queue of host MIDI to the synthesizer was full: 64 messages were not "
      "sent (64 in all)\n";
  EXPECT_NE(told.find(line), std::string::npos) << told;
  EXPECT_EQ(told.find("host MIDI", told.find(line) + line.size()), std::string::npos) << told;
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
  model().current = Oskend::SSoundIndex{3, 9};
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
  p->Midi().OnRTMIDIIn(0, note, 3);
  Process({});
  EXPECT_TRUE(host.MidiReceived().empty());
  EXPECT_EQ(p->GetVstEditor()->GetMidiQueue()->Count(), 1);

  p->Midi().SetMIDIOUTtoDAW(true);
  p->Midi().OnRTMIDIIn(0, note, 3);
  p->Midi().OnRTMIDIIn(0, clock, 1);
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
  p->Midi().SetMIDIOUTtoDAW(true);
  host.Dispatch(effSetBypass, 0, 1);
  const uint8_t note[3] = {0x90, 1, 1};
  p->Midi().OnRTMIDIIn(0, note, 3);
  p->Midi().MidiInFromGUI(0x90, 2, 2);
  Process({{{0x90, 3, 3}, 0}});
  env.loop().RunFor(50);
  EXPECT_TRUE(model().sent.empty());
  EXPECT_TRUE(host.MidiReceived().empty());
  EXPECT_EQ(p->GetVstEditor()->GetMidiQueue()->Count(), 0);
}

TEST_F(InProcess, GuiMidiGoesOutThroughTheWorkerThread) {
  QuorelVst* p = Make();
  ASSERT_NE(p, nullptr);
  p->Midi().MidiInFromGUI(0xC0, 5, 0);
  ASSERT_TRUE(env.loop().RunUntil([&] { return p->GetVstEditor()->GetMidiQueue()->Count() == 1; },
                                  1000));
  ASSERT_EQ(model().sent.size(), 1u);
  // Not intercepted: a program change from the GUI goes out as it is.
  EXPECT_EQ(model().sent[0].bytes[0], 0xC0);
  EXPECT_EQ(model().sent[0].source, eChgSource_EditorMIDI);
  EXPECT_TRUE(model().selected.empty());
}

// The connection asks the host who it is: it waits for the host's first
// call, which only comes once the entry has returned the instance.
TEST_F(InProcess, TheConnectionRunsFromTheMainLoopOnceTheHostHasTheInstance) {
  ASSERT_NE(host.Enter(&VSTPluginMain), nullptr);
  env.loop().RunFor(100);
  EXPECT_EQ(model().connects, 0);
  host.Dispatch(effOpen);
  EXPECT_EQ(model().connects, 0);
  env.loop().RunFor(10);
  EXPECT_EQ(model().connects, 1);
  // Once only.
  host.Dispatch(effOpen);
  host.Dispatch(effMainsChanged, 0, 1);
  env.loop().RunFor(10);
  EXPECT_EQ(model().connects, 1);
  EXPECT_EQ(host.CallsInsideTheEntry(), 0);
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
    const std::string preset = host.Chunk(1);
    ASSERT_FALSE(preset.empty()) << c.soundMode;
    EXPECT_EQ(preset, saved(c.type)) << c.soundMode;
  }
  EXPECT_EQ(host.Chunk(1), host.Chunk(0));
  model().soundMode = 2;
  EXPECT_LT(host.Chunk(1).size(), host.Chunk(0).size());
}

TEST_F(InProcess, ModeChangesResetTheBankSelectAndUpdateTheHostsDisplay) {
  QuorelVst* p = Make();
  ASSERT_NE(p, nullptr);
  model().mode = 2;
  model().current = Oskend::SSoundIndex{1, 0};
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

bool StartT() { return g_managerLog.push_back("start t"), true; }
void StopThrowing() {
  g_managerLog.push_back("stop t");
  throw std::runtime_error("stuck");
}

// A step of shutdown that throws keeps none of the steps after it from
// running, and says which failed.
TEST_F(InProcess, AShutdownStepThatThrowsLeavesTheOthersToRun) {
  const QuorelVst::Manager managers[] = {{"a", StartA, StopA}, {"t", StartT, StopThrowing}, {"b", StartB, StopB}};
  QuorelVst::SetManagersForTest(managers, 3);
  g_managerLog.clear();
  ASSERT_NE(Make(), nullptr);
  env.loop().RunFor(10);
  bool modelDeleted = false;
  model().onDelete = [&] { modelDeleted = true; };
  model().throwOnDisconnect = true;
  testing::internal::CaptureStderr();
  EXPECT_EQ(host.Close(), 1);
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_TRUE(modelDeleted);
  EXPECT_EQ(g_managerLog, (std::vector<std::string>{"start a", "start t", "start b", "stop b", "stop t", "stop a"}));
  EXPECT_NE(said.find("(disconnect): the link is gone"), std::string::npos) << said;
  EXPECT_NE(said.find("(t): stuck"), std::string::npos) << said;
}

TEST_F(InProcess, ClosingWithTheEditorOpenClosesTheWindowBeforeTheRestGoes) {
  QuorelVst* p = Make();
  ASSERT_NE(p, nullptr);
  // No display: the window has no system window of its own.
  ASSERT_EQ(host.Dispatch(effEditOpen, 0, 0, nullptr), 1);
  VelorVstEditor* editor = p->GetVstEditor();
  ASSERT_TRUE(editor->isOpen());
  p->Midi().OnRTMIDIIn(0, "\x90\x01\x02", 3);
  env.loop().RunFor(300);
  EXPECT_GT(editor->IdleTicks(), 5u);
  EXPECT_EQ(editor->MidiDelivered(), 1u);
  // What the window held when the model went: its pages point into it.
  bool openAtModelDeletion = true;
  int layersAtModelDeletion = -1;
  model().onDelete = [&] {
    openAtModelDeletion = editor->isOpen();
    layersAtModelDeletion = editor->GetLayerCount();
  };
  // A host that closes the instance without closing the editor.
  EXPECT_EQ(host.Close(), 1);
  EXPECT_FALSE(openAtModelDeletion);
  EXPECT_EQ(layersAtModelDeletion, 0);
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

// The host's threads never wait for the main thread: a setting reads back
// at once, and the image (the main thread's) takes it when the main loop
// runs.
TEST_F(InProcess, SetParameterNeverWaitsAndTheMainThreadWritesTheImage) {
  AEffect* e = host.Instantiate(&VSTPluginMain);
  ASSERT_NE(e, nullptr);
  env.loop().RunFor(10);  // the connection has laid the image out
  Oskend::ISection* automation = model().GetAutomation();
  SParamDesc row{};
  ASSERT_TRUE(automation->GetParamDescByIndex(0, &row));
  const int before = automation->GetParamI(row.id);
  ASSERT_NE(before, 37);
  float readBack = -1.0f;
  // The audio thread, while the main thread runs no loop: a call that
  // waited for the main thread would never return and join would hang.
  std::thread audio([&] {
    host.Process({});
    e->setParameter(e, 0, 37.0f / 127.0f);
    readBack = e->getParameter(e, 0);
  });
  audio.join();
  EXPECT_EQ(readBack, 37.0f / 127.0f);
  EXPECT_EQ(automation->GetParamI(row.id), before);
  env.loop().RunFor(5);
  EXPECT_EQ(automation->GetParamI(row.id), 37);
  EXPECT_EQ(e->getParameter(e, 0), 37.0f / 127.0f);
}

// A host that restores its automation values as soon as it has the
// instance: the connection, which lays the image out, must not undo them.
TEST_F(InProcess, ParametersSetRightAfterOpenReadBackEqualAfterTheConnection) {
  AEffect* e = host.Instantiate(&VSTPluginMain);
  ASSERT_NE(e, nullptr);
  host.Dispatch(effOpen);
  ASSERT_EQ(model().connects, 0);
  Oskend::ISection* automation = model().GetAutomation();
  std::vector<float> expected(71);
  std::vector<int> steps(71);
  for (int i = 0; i < 71; ++i) {
    SParamDesc row{};
    ASSERT_TRUE(automation->GetParamDescByIndex(static_cast<unsigned>(i), &row));
    const int n = row.max + 1 - row.min;
    // Away from the image's initial values: one step above the bottom.
    const float value = (1.5f / static_cast<float>(n - 1));
    e->setParameter(e, i, value);
    steps[i] = CParameter::QuantizeToInt(value, n, row.min);
    expected[i] = CParameter::RegulateFromInt(steps[i], n, row.min);
    EXPECT_EQ(e->getParameter(e, i), expected[i]) << i;
  }
  // A display asked before the image has it already shows the value.
  EXPECT_EQ(host.Text(effGetParamDisplay, 12), "-98");
  env.loop().RunFor(100);
  ASSERT_EQ(model().connects, 1);
  for (int i = 0; i < 71; ++i) {
    SParamDesc row{};
    automation->GetParamDescByIndex(static_cast<unsigned>(i), &row);
    EXPECT_EQ(automation->GetParamI(row.id), steps[i]) << i;
    EXPECT_EQ(e->getParameter(e, i), expected[i]) << i;
  }
  EXPECT_EQ(host.Text(effGetParamDisplay, 12), "-98");
  EXPECT_EQ(host.Text(effGetParamDisplay, 0), "1");
}

// A setting of the host's is written into the image once: a later change
// of the image (an edit in the editor, a value from the instrument) stands
// through every publish that follows.
TEST_F(InProcess, AnAppliedSettingIsNotWrittenAgainOverLaterChanges) {
  AEffect* e = host.Instantiate(&VSTPluginMain);
  ASSERT_NE(e, nullptr);
  env.loop().RunFor(10);
  Oskend::ISection* automation = model().GetAutomation();
  SParamDesc row{};
  ASSERT_TRUE(automation->GetParamDescByIndex(0, &row));
  e->setParameter(e, 0, 37.0f / 127.0f);
  env.loop().RunFor(5);
  ASSERT_EQ(automation->GetParamI(row.id), 37);
  automation->PutParamI(row.id, 50);
  // Ten ticks of the publish timer.
  env.loop().RunFor(500);
  EXPECT_EQ(automation->GetParamI(row.id), 50);
  EXPECT_EQ(e->getParameter(e, 0), 50.0f / 127.0f);
}

// Whatever effect the master effects hold, every parameter shows a value
// or a name, never the format that makes one (the "No Effect" rows have a
// range of one value).
TEST_F(InProcess, NoParameterShowsAFormatAsItsText) {
  ASSERT_NE(Make(), nullptr);
  env.loop().RunFor(10);
  Oskend::ISoundSection* combi = model().GetEditBuffer(0);
  // "No Effect" last.
  for (int type : {1, 2, 3, 4, 0}) {
    for (int pid : {0x1800, 0x1801}) {
      Oskend::ISection* s = nullptr;
      ASSERT_TRUE(combi->FindSectionByPID(pid, &s));
      s->PutParamI(pid, type);
    }
    env.loop().RunFor(100);
    for (int index = 0; index < 71; ++index) {
      const std::string text = host.Text(effGetParamDisplay, index);
      EXPECT_FALSE(text.empty()) << type << " " << index;
      EXPECT_EQ(text.find('%'), std::string::npos) << type << " " << index << " " << text;
    }
  }
  // No effect: its parameters show their one value.
  EXPECT_EQ(host.Text(effGetParamDisplay, 61), "0");
}

// Settings and chunks keep the order the host made them in.
TEST_F(InProcess, AChunkReplacesEarlierSettingsAndLaterSettingsGoOverIt) {
  AEffect* e = host.Instantiate(&VSTPluginMain);
  ASSERT_NE(e, nullptr);
  env.loop().RunFor(10);
  e->setParameter(e, 0, 90.0f / 127.0f);
  env.loop().RunFor(5);
  const std::string chunk = host.Chunk(0);
  ASSERT_FALSE(chunk.empty());
  const auto size = static_cast<intptr_t>(chunk.size());
  // Set before the chunk arrives, not yet in the image: the chunk wins.
  e->setParameter(e, 0, 10.0f / 127.0f);
  e->setParameter(e, 1, 20.0f / 127.0f);
  ASSERT_EQ(host.Dispatch(effSetChunk, 0, size, const_cast<char*>(chunk.data())), 1);
  EXPECT_EQ(e->getParameter(e, 0), 90.0f / 127.0f);
  // After it: the setting stands.
  e->setParameter(e, 1, 30.0f / 127.0f);
  env.loop().RunFor(100);
  EXPECT_EQ(e->getParameter(e, 0), 90.0f / 127.0f);
  EXPECT_EQ(e->getParameter(e, 1), 30.0f / 127.0f);
}

TEST_F(InProcess, ProgramsSetAndGetAgreeWithinTheDeclaredTwo) {
  AEffect* e = host.Instantiate(&VSTPluginMain);
  ASSERT_NE(e, nullptr);
  env.loop().RunFor(10);
  ASSERT_EQ(e->numPrograms, 2);
  EXPECT_EQ(host.Dispatch(effGetProgram), 0);
  // A number outside 0..1 changes nothing.
  const std::pair<intptr_t, intptr_t> cases[] = {{1, 1}, {0, 0}, {1, 1}, {2, 1}, {-1, 1}, {127, 1}};
  for (const auto& [set, read] : cases) {
    host.Dispatch(effSetProgram, 0, set);
    EXPECT_EQ(host.Dispatch(effGetProgram), read) << set;
  }
  // Another sound on the synthesizer is no program of the host's.
  model().current = Oskend::SSoundIndex{2, 77};
  model().soundMode = 2;
  EXPECT_EQ(host.Dispatch(effGetProgram), 1);
  EXPECT_EQ(host.Text(effGetProgramName), "Not available");
}

TEST_F(InProcess, ChunksThatAreNotAWholeChunkOfThisPlugInAreRefusedAndChangeNothing) {
  AEffect* e = host.Instantiate(&VSTPluginMain);
  ASSERT_NE(e, nullptr);
  env.loop().RunFor(10);
  e->setParameter(e, 0, 55.0f / 127.0f);
  env.loop().RunFor(5);
  const std::string bank = host.Chunk(0);
  ASSERT_GT(bank.size(), 100u);
  // A data file of another kind: one program bank.
  std::ostringstream programBank(std::ios::binary);
  ASSERT_TRUE(model().SaveStream(programBank, Oskend::FTYPE::ProgBank, 0));
  struct Case {
    const char* what;
    std::string bytes;
  };
  const Case cases[] = {{"empty", ""},
                        {"three bytes", "abc"},
                        {"header only", bank.substr(0, 32)},
                        {"truncated", bank.substr(0, bank.size() / 2)},
                        {"a program bank", programBank.str()},
                        {"text", std::string(400, 'x')}};
  for (const Case& c : cases) {
    for (int preset : {0, 1}) {
      std::string bytes = c.bytes;
      EXPECT_EQ(host.Dispatch(effSetChunk, preset, static_cast<intptr_t>(bytes.size()), bytes.data()), 0)
          << c.what << " " << preset;
      EXPECT_EQ(host.Chunk(0), bank) << c.what << " " << preset;
      EXPECT_EQ(e->getParameter(e, 0), 55.0f / 127.0f) << c.what;
      EXPECT_FALSE(model().GetRecallPending()) << c.what;
    }
  }
  // The whole chunk is taken.
  std::string whole = bank;
  EXPECT_EQ(host.Dispatch(effSetChunk, 0, static_cast<intptr_t>(whole.size()), whole.data()), 1);
}

// Inside the entry the host cannot yet tell which plug-in calls: it is
// asked who it is when it opens the instance, or when that is first
// needed.
TEST_F(InProcess, TheHostIsAskedWhoItIsOnlyOnceItHasTheInstance) {
  host.productString = "Vesk Plug-In EditorHost";
  for (bool opens : {true, false}) {
    host.ClearCalls();
    ASSERT_NE(host.Enter(&VSTPluginMain), nullptr);
    for (const TestHost::Call& c : host.Calls()) EXPECT_EQ(c.opcode, audioMasterVersion) << opens;
    if (opens) host.Dispatch(effOpen);
    EXPECT_EQ(host.Text(effGetProductString), "Vesk Editor") << opens;
    host.Text(effGetProductString);
    int asked = 0;
    for (const TestHost::Call& c : host.Calls()) asked += c.opcode == audioMasterGetProductString;
    EXPECT_EQ(asked, 1) << opens;
    host.Close();
  }
}

TEST_F(InProcess, ChunksCarryTheAutomatedValues) {
  AEffect* e = host.Instantiate(&VSTPluginMain);
  ASSERT_NE(e, nullptr);
  e->setParameter(e, 0, 37.0f / 127.0f);
  const float volume = e->getParameter(e, 0);
  std::string chunk = host.Chunk(0);
  ASSERT_FALSE(chunk.empty());
  const auto size = static_cast<intptr_t>(chunk.size());
  host.Close();
  e = host.Instantiate(&VSTPluginMain);
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(host.Dispatch(effSetChunk, 0, size, chunk.data()), 1);
  EXPECT_EQ(e->getParameter(e, 0), volume);
}

// Window -> Lock and Unlock rebuild the standalone program's view: the new
// front panel shows the page the user was on, main tab and sub-tab, as long
// as the synthesizer is still in that mode; otherwise the mode's first page.
// An editor that another host closes and opens again opens as a new one
// does, on its mode's first page.
TEST_F(InProcess, OnlyARebuiltStandaloneEditorShowsThePageTheUserWasOn) {
  struct Case {
    const char* what;
    int mode, page, subPage;
    int modeAtReopen;
    bool kept;  // in the standalone program
  } cases[] = {
      {"program Filter, F1 Mod", 3, 3, 1, 3, true},
      {"program AMS/KTrk, Key Track", 3, 6, 2, 3, true},
      {"performance MFX, second tab", 0, 2, 1, 0, true},
      {"performance Timbres, fourth tab", 0, 1, 3, 0, true},
      {"the synthesizer changed mode meanwhile", 3, 3, 1, 0, false},
  };
  RealEditPages pages;
  using Shown = OskendBackgroundLayer::ShownPage;
  auto same = [](const Shown& a, const Shown& b) {
    return a.mode == b.mode && a.page == b.page && a.subPage == b.subPage;
  };
  for (const char* product : {"Vesk Plug-In EditorHost", "A Host"}) {
    SCOPED_TRACE(product);
    if (host.effect) host.Close();
    host.productString = product;
    const bool standalone = std::string(product) == "Vesk Plug-In EditorHost";
    QuorelVst* p = Make();
    ASSERT_NE(p, nullptr);
    auto root = [&] { return dynamic_cast<OskendBackgroundLayer*>(p->GetVstEditor()->GetLayerByIndex(0)); };
    auto open = [&](int mode) {
      model().mode = mode;
      EXPECT_EQ(host.Dispatch(effEditOpen, 0, 0, nullptr), 1);
      env.loop().RunPending();
      p->GetVstEditor()->OnIdle();
      return root() ? root()->GetShownPage() : Shown{};
    };
    // What a new editor shows in each mode.
    Shown first[4];
    for (int mode : {3, 0}) {
      first[mode] = open(mode);
      host.Dispatch(effEditClose);
    }
    for (const Case& c : cases) {
      SCOPED_TRACE(c.what);
      open(c.mode);
      ASSERT_NE(root(), nullptr);
      root()->SelectEditTabPage(c.mode, c.page, c.subPage);
      const Shown before = root()->GetShownPage();
      ASSERT_EQ(before.page, c.page);
      ASSERT_FALSE(same(before, first[c.modeAtReopen]));
      host.Dispatch(effEditClose);
      const Shown shown = open(c.modeAtReopen);
      ASSERT_NE(root(), nullptr);
      const Shown expected = standalone && c.kept ? before : first[c.modeAtReopen];
      EXPECT_EQ(shown.mode, expected.mode);
      EXPECT_EQ(shown.page, expected.page);
      EXPECT_EQ(shown.subPage, expected.subPage);
      host.Dispatch(effEditClose);
    }
  }
}

}  // namespace
}  // namespace vesk::test
