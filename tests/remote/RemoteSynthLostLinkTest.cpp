// The model when the synthesizer goes away and comes back, and the order of
// its windows: a progress window is gone before a question is asked, and a
// transfer whose partner vanished ends at once.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "model/ISoundSection.h"
#include "os/Alert.h"
#include "os/ProgressWindow.h"
#include "remote/RemoteStatus.h"
#include "remote/RemoteSynthCommand.h"
#include "tests/remote/ModelTestSupport.h"

namespace vesk::test {
namespace {

using namespace Oskend;

constexpr int kOsc1Volume = 0x107;
using Bytes = std::vector<uint8_t>;

// Answers as the headless alert does and notes, for each alert, whether a
// progress window was still up while it was shown.
class OverProgressAlert : public os::HeadlessAlert {
 public:
  static std::vector<bool>& Over() {
    static std::vector<bool> over;
    return over;
  }
  int Run(const Request& request) override {
    Over().push_back(os::HeadlessProgressWindow::Current() != nullptr);
    return HeadlessAlert::Run(request);
  }
};

class RemoteSynthLostLinkTest : public ::testing::Test, public ModelTest {
 protected:
  RemoteSynthLostLinkTest() {
    OverProgressAlert::Over().clear();
    os::Alert::SetFactory([] { return std::make_unique<OverProgressAlert>(); });
  }
  ~RemoteSynthLostLinkTest() override { os::Alert::SetFactory(nullptr); }

  // Lets the connection timer (2 s, idle) look at the link once more.
  void Tick() { env.loop().RunFor(2100); }
  int ParamChangesAt(SimSynthDevice& dev) {
    int n = 0;
    for (const auto& e : dev.Log())
      if (e.kind == SimSynthEvent::kParamChange && e.id == kOsc1Volume) ++n;
    return n;
  }
};

TEST_F(RemoteSynthLostLinkTest, ALostSynthesizerIsReportedAndTakenUpAgainByItsPortNames) {
  SimSynthDevice& first = Connected(TestSynthSettings());
  ASSERT_TRUE(model->GetConnected());
  MIDIDevKey firstIn, firstOut;
  model->GetMIDIConnectionState(&firstIn, &firstOut, nullptr, nullptr, nullptr);
  Tick();
  ISection* edit = model->GetEditBuffer(3);
  ASSERT_NE(edit, nullptr);

  first.Unplug();
  Tick();
  EXPECT_FALSE(model->GetConnected());
  EXPECT_FALSE(model->GetMIDIConnectionState(nullptr, nullptr, nullptr, nullptr, nullptr));
  auto conn = sink.Of("conn");
  ASSERT_FALSE(conn.empty());
  EXPECT_EQ(conn.back().a, 0) << "the pages hear that the link is down";
  EXPECT_EQ(conn.back().b, 1);
  // Edits while it is away change the image and send nothing.
  edit->PutParamI(kOsc1Volume, 33);
  EXPECT_EQ(edit->GetParamI(kOsc1Volume), 33);

  // Another synthesizer that is not the one of the stored names is no
  // reason to connect.
  AddSynth(TestSynthSettings(), "Other Vesk");
  Tick();
  EXPECT_FALSE(model->GetConnected());

  // The same instrument comes back: new ports under the old names.
  SimSynthDevice& back = AddSynth(TestSynthSettings());
  Tick();
  ASSERT_TRUE(model->GetConnected());
  env.loop().RunPending();
  EXPECT_EQ(sink.Of("conn").back().a, 1);
  MIDIDevKey in, out;
  ASSERT_TRUE(model->GetMIDIConnectionState(&in, &out, nullptr, nullptr, nullptr));
  EXPECT_EQ(in.name, firstIn.name);
  EXPECT_EQ(out.name, firstOut.name);
  EXPECT_NE(in.inst, firstIn.inst) << "the ports that came back are new ones";
  EXPECT_EQ(ParamChangesAt(back), 0) << "the edit made while it was away was sent";
  edit->PutParamI(kOsc1Volume, 77);
  ASSERT_TRUE(env.loop().RunUntil([&] { return ParamChangesAt(back) == 1; }, 1000));
  EXPECT_EQ(back.Log().back().value, 77);
  // Nobody was asked anything on the way.
  EXPECT_TRUE(os::HeadlessAlert::Transcript().empty());

  // A disconnect asked for is not undone.
  model->Disconnect();
  Tick();
  Tick();
  EXPECT_FALSE(model->GetConnected());
}

// The instrument restarted while it was away: it sits in combination mode
// on its first sound, with its own memory. Taken up again, it gets the
// editor's combination and mode, and the editor shows what it holds.
TEST_F(RemoteSynthLostLinkTest, ASynthesizerThatRestartedIsBroughtBackIntoStep) {
  SimSynthDevice& first = Ready();
  model->PutMode(eMode_Combi);
  env.loop().RunFor(500);
  model->PutCurSound({0, 5});
  env.loop().RunFor(500);
  ProgramMode();
  ISection* edit = model->GetEditBuffer(3);
  ASSERT_NE(edit, nullptr);
  edit->PutParamI(kOsc1Volume, 33);
  ASSERT_TRUE(env.loop().RunUntil([&] { return ParamChangesAt(first) == 1; }, 1000));

  first.Unplug();
  Tick();
  ASSERT_FALSE(model->GetConnected());
  SimSynthDevice& back = AddSynth(TestSynthSettings());
  back.With([](SimSynth& s) {
    Pattern(s, 77);
    s.Memory()[1730] |= 1;  // Local Control on, as the instrument starts
  });
  Tick();
  ASSERT_TRUE(model->GetConnected());
  env.loop().RunFor(500);

  std::vector<std::string> steps;
  for (const SimSynthEvent& e : back.Log()) {
    if (e.kind == SimSynthEvent::kModeChange) steps.push_back("mode " + std::to_string(e.mode));
    if (e.kind == SimSynthEvent::kProgramChange)
      steps.push_back("sound " + std::to_string(e.bank) + ":" + std::to_string(e.number));
  }
  // (The program before them goes only when the link can send it in the
  // mode the instrument is in.)
  ASSERT_GE(steps.size(), 3u);
  EXPECT_EQ(std::vector<std::string>(steps.end() - 3, steps.end()),
            (std::vector<std::string>{"mode 0", "sound 0:5", "mode 3"}));
  uint8_t mode = 0;
  back.With([&](SimSynth& s) { mode = s.Mode(); });
  EXPECT_EQ(mode, eMode_ProgEdit);
  EXPECT_EQ(model->GetMode(), eMode_ProgEdit);
  EXPECT_EQ(ImageBody(), MemoryBody(back.Memory())) << "the image is not the instrument's memory";
  const Bytes got = back.Device().ReceivedBytes();
  bool localOff = false;
  for (size_t i = 0; i + 2 < got.size(); ++i)
    localOff |= got[i] == 0xB2 && got[i + 1] == 122 && got[i + 2] == 0;
  EXPECT_TRUE(localOff) << "Local Control was left on inside a plug-in host";
  EXPECT_TRUE(os::HeadlessAlert::Transcript().empty());
}

// The stored ports were missing when the connection was asked for, and the
// rescan question was declined or found nothing: the synthesizer switched on
// afterwards is connected as the connection would have done it.
class StoredPortsMissingAtStart : public RemoteSynthLostLinkTest,
                                  public ::testing::WithParamInterface<int> {};

TEST_P(StoredPortsMissingAtStart, TheSynthesizerSwitchedOnLaterIsConnectedAndSynchronised) {
  SimSynthDevice& former = Connected(TestSynthSettings());
  ASSERT_TRUE(model->GetConnected());
  model->Disconnect();
  former.Unplug();

  os::HeadlessAlert::Script(GetParam());
  EXPECT_FALSE(model->Connect(false, true));
  Tick();
  Tick();
  EXPECT_FALSE(model->GetConnected());

  SimSynthDevice& synth = AddSynth(TestSynthSettings());
  synth.With([](SimSynth& s) { Pattern(s, 21); });
  Tick();
  ASSERT_TRUE(model->GetConnected());
  env.loop().RunPending();
  EXPECT_EQ(sink.Of("conn").back().a, 1);
  EXPECT_EQ(ImageBody(), MemoryBody(synth.Memory())) << "the connection did not synchronise";
  const auto asked = os::HeadlessAlert::Transcript();
  ASSERT_EQ(asked.size(), 1u) << "only the start-up question";
  EXPECT_EQ(asked[0].request.explanation, "Vesk Hardware not found.\nRescan all the MIDI devices?");

  ISection* edit = model->GetEditBuffer(3);
  ASSERT_NE(edit, nullptr);
  edit->PutParamI(kOsc1Volume, 77);
  ASSERT_TRUE(env.loop().RunUntil([&] { return ParamChangesAt(synth) == 1; }, 1000));
  EXPECT_EQ(synth.Log().back().value, 77);
}

INSTANTIATE_TEST_SUITE_P(RescanQuestion, StoredPortsMissingAtStart, ::testing::Values(1, 2),
                         [](const ::testing::TestParamInfo<int>& info) {
                           return std::string(info.param == 1 ? "AnsweredOK" : "AnsweredCancel");
                         });

TEST_F(RemoteSynthLostLinkTest, ASynthesizerLostDuringReceiveAllEndsItAtOnceWithoutItsWindow) {
  SimSynthDevice& dev = Connected(TestSynthSettings());
  ASSERT_TRUE(model->GetConnected());
  uint64_t lostAt = 0;
  At(300, [&] {
    lostAt = NowMs();
    dev.Unplug();
  });
  unsigned long status = 0;
  EXPECT_FALSE(model->ExecCommand(kCmdReceiveAll, 0, 0, 0, 0, &status));
  ASSERT_NE(lostAt, 0u) << "the transfer ended before the synthesizer went";
  // Well before any time-out of the transfer's requests.
  EXPECT_LT(NowMs() - lostAt, 500u);
  EXPECT_EQ(static_cast<int>(status), kRemoteFailed);
  EXPECT_EQ(os::HeadlessProgressWindow::Current(), nullptr);
  EXPECT_TRUE(os::HeadlessAlert::Transcript().empty());
  Tick();
  EXPECT_FALSE(model->GetConnected());
}

// Every question the connection asks comes after its progress window is
// gone, not on top of it.
TEST_F(RemoteSynthLostLinkTest, QuestionsDuringAConnectionAreAskedWithoutTheSearchWindow) {
  // The stored ports are gone: the rescan question, answered OK.
  SimSynthDevice& first = Connected(TestSynthSettings());
  ASSERT_TRUE(model->GetConnected());
  model->Disconnect();
  first.Unplug();
  SimSynthSettings refusing = TestSynthSettings();
  refusing.dumpRequestStatus = 3;
  AddSynth(refusing, "Vesk B");
  os::HeadlessAlert::Script(1);  // rescan
  // The synchronisation then fails: the retry question, declined.
  os::HeadlessAlert::Script(2);
  EXPECT_TRUE(model->Connect(false, true));
  const auto shown = os::HeadlessAlert::Transcript();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].request.explanation, "Vesk Hardware not found.\nRescan all the MIDI devices?");
  EXPECT_EQ(shown[1].request.explanation.rfind("- If you're using a USB hub", 0), 0u);
  EXPECT_EQ(OverProgressAlert::Over(), (std::vector<bool>{false, false}));
  EXPECT_EQ(os::HeadlessProgressWindow::Current(), nullptr);
}

}  // namespace
}  // namespace vesk::test
