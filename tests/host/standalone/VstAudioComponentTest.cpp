// The plug-in behind the component interface, here a recording stand-in
// reached through the same VST 2 entry.
#include "host/VstAudioComponent.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "editor/controls/DrawnAlert.h"
#include "host/TalvikHostHandshake.h"
#include "os/window/HeadlessWindow.h"
#include "plugin/CPlugInModalNotice.h"
#include "tests/editor/controls/DrawnFormFixture.h"
#include "tests/support/TestEnvironment.h"

namespace vesk::test {
namespace {

struct Recorded {
  std::vector<int32_t> opcodes;
  std::vector<std::pair<int32_t, intptr_t>> values;
  std::vector<VstMidiEvent> events;
  std::string hostProduct;
  audioMasterCallback host = nullptr;
  int processed = 0;
  int32_t lastFrames = 0;
  // Notices of modal runs the stand-in made on its own thread: handed to
  // the host inside its next call, as the plug-in on a loop of its own
  // hands them over.
  std::vector<intptr_t> notices;
};
Recorded gRec;
AEffect gEffect;

intptr_t Dispatcher(AEffect*, int32_t opcode, int32_t, intptr_t value, void* ptr, float) {
  gRec.opcodes.push_back(opcode);
  gRec.values.emplace_back(opcode, value);
  if (opcode != effClose && opcode != effProcessEvents) {
    for (intptr_t notice : std::exchange(gRec.notices, {}))
      gRec.host(&gEffect, audioMasterVendorSpecific, CPlugInModalNotice::kIndex, notice, nullptr, 0);
  }
  if (opcode == effProcessEvents) {
    auto* list = static_cast<VstEvents*>(ptr);
    for (int i = 0; i < list->numEvents; ++i)
      gRec.events.push_back(*reinterpret_cast<VstMidiEvent*>(list->events[i]));
  }
  if (opcode == effEditGetRect) {
    static ERect rect{0, 0, 240, 400};
    *static_cast<ERect**>(ptr) = &rect;
    return 1;
  }
  if (opcode == effEditOpen) return 1;
  // In the standalone program the product string is the program's name;
  // the effect name is the plug-in's own.
  if (opcode == effGetProductString) std::strcpy(static_cast<char*>(ptr), "Stand-in Host");
  if (opcode == effGetEffectName) std::strcpy(static_cast<char*>(ptr), "Stand-in Plug-In");
  if (opcode == effGetVendorVersion) return 0x01000300;
  return 0;
}
void Replacing(AEffect*, float**, float** outputs, int32_t frames) {
  ++gRec.processed;
  gRec.lastFrames = frames;
  for (int32_t i = 0; i < frames; ++i) outputs[0][i] = outputs[1][i] = 0.0f;
}
AEffect* Entry(audioMasterCallback host) {
  char product[65] = {};
  host(nullptr, audioMasterGetProductString, 0, 0, product, 0);
  gRec.hostProduct = product;
  gRec.host = host;
  if (host(nullptr, audioMasterVersion, 0, 0, nullptr, 0) == 0) return nullptr;
  std::memset(&gEffect, 0, sizeof gEffect);
  gEffect.magic = kEffectMagic;
  gEffect.dispatcher = &Dispatcher;
  gEffect.processReplacing = &Replacing;
  gEffect.flags = effFlagsHasEditor | effFlagsCanReplacing | effFlagsIsSynth;
  gEffect.numOutputs = 2;
  return &gEffect;
}
AEffect* NoInstance(audioMasterCallback) { return nullptr; }

class VstComponent : public testing::Test {
 protected:
  void SetUp() override { gRec = Recorded(); }
};

TEST_F(VstComponent, ThePlugInLearnsItsHostAndIsStartedAroundRendering) {
  auto c = VstAudioComponent::Open(&Entry);
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(gRec.hostProduct, "Vesk Plug-In EditorHost");
  EXPECT_EQ(VstAudioComponent::Open(&NoInstance), nullptr);

  float left[64], right[64];
  os::audio::AudioBufferList list;
  list.numberBuffers = 2;
  list.buffers[0] = {1, sizeof left, left};
  list.buffers[1] = {1, sizeof right, right};
  uint32_t flags = 99;
  EXPECT_NE(c->Render(&flags, {}, 0, 64, &list), 0);  // not initialized
  EXPECT_EQ(flags, 0u);
  EXPECT_EQ(c->SetMaximumFramesPerSlice(64), 0);
  EXPECT_EQ(c->SetOutputFormat(os::audio::MakeLinearPCM(48000, 2, 32, true, false)), 0);
  EXPECT_NE(c->SetOutputFormat(os::audio::MakeLinearPCM(48000, 2, 16, false)), 0);
  gRec.opcodes.clear();
  EXPECT_EQ(c->Initialize(), 0);
  EXPECT_EQ(gRec.opcodes, (std::vector<int32_t>{effSetSampleRate, effSetBlockSize, effMainsChanged, effStartProcess}));

  // MIDI is handed over with its offsets before the block is processed.
  c->MIDIEvent(0x90, 60, 100, 0);
  c->MIDIEvent(0x80, 60, 0, 40);
  c->MIDIEvent(0xB0, 7, 1, 500);  // beyond the block: its last frame
  flags = 99;
  EXPECT_EQ(c->Render(&flags, {}, 0, 64, &list), 0);
  EXPECT_EQ(flags, 0u);
  ASSERT_EQ(gRec.events.size(), 3u);
  EXPECT_EQ(gRec.events[0].midiData[0], 0x90);
  EXPECT_EQ(gRec.events[1].deltaFrames, 40);
  EXPECT_EQ(gRec.events[2].deltaFrames, 63);
  EXPECT_EQ(gRec.processed, 1);
  EXPECT_EQ(gRec.lastFrames, 64);
  EXPECT_NE(c->Render(&flags, {}, 0, 65, &list), 0);  // more than the slice
  c->Render(&flags, {}, 0, 64, &list);
  EXPECT_EQ(gRec.events.size(), 3u);  // each event once

  gRec.opcodes.clear();
  EXPECT_EQ(c->Uninitialize(), 0);
  EXPECT_EQ(gRec.opcodes, (std::vector<int32_t>{effStopProcess, effMainsChanged}));
}

TEST_F(VstComponent, TheHandshakeTableCarriesTheKnobModeAndTheViewOpensInTheGivenWindow) {
  auto c = VstAudioComponent::Open(&Entry);
  ASSERT_NE(c, nullptr);
  TalvikHostHandshake record;
  record.host = reinterpret_cast<ITALVIKHOST_talvikvstinterface1*>(&record);  // never called
  TalvikHostHandshake* pointer = &record;
  ASSERT_EQ(c->SetProperty(TalvikHostHandshake::kProperty, 0, 0, &pointer, sizeof pointer), 0);
  ASSERT_NE(record.component, nullptr);
  record.component->SetKnobMode(1);
  EXPECT_EQ(gRec.values.back(), (std::pair<int32_t, intptr_t>{effSetEditKnobMode, 1}));
  EXPECT_EQ(c->SetProperty(12345, 0, 0, nullptr, 0), HostedComponent::kErrInvalidProperty);

  int w = 0, h = 0;
  gRec.values.clear();
  ASSERT_EQ(c->OpenView(0x4242, &w, &h), 0);
  EXPECT_EQ(w, 400);
  EXPECT_EQ(h, 240);
  bool opened = false;
  for (auto [op, value] : gRec.values) opened |= op == effEditOpen;
  EXPECT_TRUE(opened);
  std::string name, version;
  ASSERT_TRUE(c->GetInfo(&name, &version));
  EXPECT_EQ(name, "Stand-in Plug-In");
  EXPECT_EQ(version, "1.0.3");
  c.reset();
  // Closing closes the view first, then the instance.
  ASSERT_GE(gRec.opcodes.size(), 2u);
  EXPECT_EQ(gRec.opcodes[gRec.opcodes.size() - 2], effEditClose);
  EXPECT_EQ(gRec.opcodes.back(), effClose);
}

// A plug-in on a loop of its own tells the program of its modal runs from
// its thread: the program's windows are held off as by a run of its own, a
// question counts as one (the program's questions wait for it), and the
// plug-in going ends whatever it left open.
TEST_F(VstComponent, ThePlugInsModalRunsHoldOffTheProgramsWindows) {
  TestEnvironment env;
  auto c = VstAudioComponent::Open(&Entry);
  ASSERT_NE(c, nullptr);
  auto window = os::HeadlessWindow::Create(10, 10);
  auto tell = [](int runs, int questions) {
    intptr_t answer = -1;
    std::thread pluginThread([&] {
      answer = gRec.host(&gEffect, audioMasterVendorSpecific, CPlugInModalNotice::kIndex,
                         CPlugInModalNotice::Encode({runs, questions}), nullptr, 0);
    });
    pluginThread.join();
    return answer;
  };
  EXPECT_EQ(gRec.host(&gEffect, audioMasterVendorSpecific, 0x12345678, 1, nullptr, 0), 0);
  EXPECT_EQ(tell(2, 1), 1);
  env.loop().RunPending();
  EXPECT_FALSE(window->TakesInput());
  EXPECT_EQ(os::Window::CurrentModalState().questions, 1);
  EXPECT_EQ(tell(1, 0), 1);  // the question answered, its menu still open
  env.loop().RunPending();
  EXPECT_FALSE(window->TakesInput());
  EXPECT_EQ(os::Window::CurrentModalState().runs, 1);
  EXPECT_EQ(os::Window::CurrentModalState().questions, 0);
  EXPECT_EQ(tell(0, 0), 1);
  env.loop().RunPending();
  EXPECT_TRUE(window->TakesInput());
  EXPECT_EQ(os::Window::CurrentModalState().runs, 0);

  tell(3, 2);
  env.loop().RunPending();
  EXPECT_FALSE(window->TakesInput());
  tell(0, 0);  // still on its way when the plug-in goes
  c.reset();
  env.loop().RunPending();
  EXPECT_TRUE(window->TakesInput());
  EXPECT_EQ(os::Window::CurrentModalState().runs, 0);
}

// The plug-in hands the notice that ends a run over only inside a call of
// the program's. The program may make none meanwhile (its alert at
// start-up, before it idles the view): the run still ends in the program,
// with the view open or not, and the calls stop once nothing is mirrored.
TEST_F(VstComponent, ARunThePlugInEndsWhileTheProgramCallsItForNothingElseEndsInTheProgram) {
  TestEnvironment env;
  auto c = VstAudioComponent::Open(&Entry);
  ASSERT_NE(c, nullptr);
  auto window = os::HeadlessWindow::Create(10, 10);
  for (const bool viewOpen : {false, true}) {
    SCOPED_TRACE(viewOpen ? "view open" : "no view");
    int w = 0, h = 0;
    if (viewOpen) {
      ASSERT_EQ(c->OpenView(0x4242, &w, &h), 0);
    }
    gRec.notices.push_back(CPlugInModalNotice::Encode({1, 1}));
    std::string name, version;
    c->GetInfo(&name, &version);  // a call of the program's brings the run
    env.loop().RunPending();
    ASSERT_FALSE(window->TakesInput());
    gRec.notices.push_back(CPlugInModalNotice::Encode({0, 0}));
    env.loop().RunFor(100);
    EXPECT_TRUE(window->TakesInput()) << "the program still holds its windows off for a run the plug-in ended";
    EXPECT_EQ(os::Window::CurrentModalState().runs, 0);
    gRec.opcodes.clear();
    env.loop().RunFor(100);
    EXPECT_TRUE(gRec.opcodes.empty()) << "the program kept calling the plug-in with no run mirrored";
  }
}

// The plug-in's question is up, its notice still waiting inside the
// plug-in (the program has not called it since): a question of the
// program's asks for the notice first and waits for the plug-in's answer
// instead of showing over it; answered, the program's question shows and
// takes Return.
class VstComponentQuestions : public DrawnFormFixture {
 protected:
  void SetUp() override {
    DrawnFormFixture::SetUp();
    gRec = Recorded();
  }
};

TEST_F(VstComponentQuestions, TheProgramsQuestionWaitsForThePlugInsQuestionItHasNotHeardOfYet) {
  auto c = VstAudioComponent::Open(&Entry);
  ASSERT_NE(c, nullptr);
  gRec.notices.push_back(CPlugInModalNotice::Encode({1, 1}));
  size_t windowsWhileThePlugInAsks = 99;
  Later([&] {
    windowsWhileThePlugInAsks = made.size();
    gRec.notices.push_back(CPlugInModalNotice::Encode({0, 0}));  // answered
  });
  // (Looked for on a timer: the program's calls for the notice run on the
  // loop's timers too.)
  bool answered = false;
  const auto answer = env.loop().AddTimer(10, 10, [&] {
    if (made.empty() || answered) return;
    answered = true;
    Last()->InjectKey(os::KeyEvent::Kind::kDown, XK_Return);
  });
  DrawnAlert alert;
  os::Alert::Request r;
  r.mainText = "The settings file could not be read. Default settings are used.";
  EXPECT_EQ(alert.Run(r), 1);
  env.loop().RemoveTimer(answer);
  EXPECT_EQ(windowsWhileThePlugInAsks, 0u) << "the program's question showed over the plug-in's";
  EXPECT_EQ(made.size(), 1u);
  EXPECT_EQ(os::Window::CurrentModalState().runs, 0);
}

// The plug-in's loop starts in its constructor and may tell of a modal run
// (its start-up question) before the entry has returned the instance: the
// program's windows are held off all the same.
AEffect* EntryTellingARunAtOnce(audioMasterCallback host) {
  AEffect* e = Entry(host);
  std::thread loop([&] {
    EXPECT_EQ(host(e, audioMasterVendorSpecific, CPlugInModalNotice::kIndex, CPlugInModalNotice::Encode({1, 1}),
                   nullptr, 0),
              1);
  });
  loop.join();
  return e;
}

TEST_F(VstComponent, AModalRunToldBeforeTheInstanceIsReturnedHoldsOffTheProgramsWindows) {
  TestEnvironment env;
  auto window = os::HeadlessWindow::Create(10, 10);
  auto c = VstAudioComponent::Open(&EntryTellingARunAtOnce);
  ASSERT_NE(c, nullptr);
  env.loop().RunPending();
  EXPECT_FALSE(window->TakesInput());
  EXPECT_EQ(os::Window::CurrentModalState().questions, 1);
  c.reset();
  env.loop().RunPending();
  EXPECT_TRUE(window->TakesInput());
}

}  // namespace
}  // namespace vesk::test
