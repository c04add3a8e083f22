// The model against the simulated synthesizer on the virtual MIDI bus, in
// simulated time: connecting, notices, modes and sounds, received messages.
#include <gtest/gtest.h>

#include <cstring>
#include <mutex>

#include "model/ISoundSection.h"
#include "model/InitChunks.h"
#include "os/Alert.h"
#include "os/ProgressWindow.h"
#include "remote/IRTMIDISink.h"
#include "remote/RemoteStatus.h"
#include "tests/remote/ModelTestSupport.h"

namespace vesk::test {
namespace {

using namespace Oskend;
using L = Oskend::RemoteSynthLayout;
using Oskend::SSoundIndex;
using Bytes = std::vector<uint8_t>;

class RemoteSynthModelTest : public ::testing::Test, public ModelTest {};

TEST_F(RemoteSynthModelTest, AFreshModelIsDisconnectedInCombinationModeWithAResetImage) {
  EXPECT_FALSE(model->GetConnected());
  EXPECT_FALSE(model->GetAuditionState());
  EXPECT_EQ(model->GetMasterVolume(), 16383u);
  EXPECT_EQ(model->GetMode(), eMode_Combi);
  EXPECT_EQ(model->GetSoundMode(), 0);
  auto image = model->GetRawChunk();
  for (int b = 0; b < 4; ++b)
    for (int n = 0; n < 128; n += 31) EXPECT_EQ(image.GetProg(b, n).GetCommon().GetCategory(), 6);
  EXPECT_EQ(std::memcmp(image.GetCombi(19).data(), Oskend::INITCHUNK_COMBI().data(), L::kCombiSize), 0);

  EXPECT_EQ(model->GetEditBuffer(4), nullptr);
  EXPECT_EQ(model->GetAllSounds(4), nullptr);
  EXPECT_NE(model->GetAllSounds(2), nullptr);
  Oskend::UISTATEDATA ui;
  ui.bytes[0] = 0x77;
  EXPECT_FALSE(model->LoadUIState(7, &ui));
  EXPECT_EQ(ui.bytes[0], 0x77);
  EXPECT_TRUE(model->SaveUIState(2, ui));
  Oskend::UISTATEDATA back;
  EXPECT_TRUE(model->LoadUIState(3, &back));
  EXPECT_EQ(back.bytes[0], 0x77);
  EXPECT_FALSE(model->GetProgramFromStorage(Oskend::eBankID(4), 0));
  EXPECT_EQ(model->GetProgramFromStorage(Oskend::eBankID_B, 130).data(),
            image.GetProg(1, 2).data());
}

TEST_F(RemoteSynthModelTest, SinksHearEachNoticeOnceInTheirOrder) {
  RecordingSynthSink second;
  EXPECT_FALSE(model->AdviseSink(&sink));  // already advised in the fixture
  EXPECT_TRUE(model->AdviseSink(&second));
  EXPECT_FALSE(model->AdviseSink(nullptr));

  model->OnAsyncEvent(CRemoteSynthImpl::kNoticeConnectionState, 0x100);
  model->OnAsyncEvent(CRemoteSynthImpl::kNoticeBankList, 0x2FFFF);
  model->NeedAutomationAPI(3, -1);
  model->OnAsyncEvent(99, 1);
  ASSERT_EQ(sink.notices.size(), 3u);
  EXPECT_EQ(sink.notices[0].what, "conn");
  EXPECT_EQ(sink.notices[0].a, 0);
  EXPECT_EQ(sink.notices[0].b, 1);
  EXPECT_EQ(sink.notices[1].what, "banklist");
  EXPECT_EQ(sink.notices[1].a, 2);
  EXPECT_EQ(sink.notices[1].b, 0xFF);
  EXPECT_EQ(sink.notices[1].c, 0xFF);
  EXPECT_EQ(sink.notices[2].a, 0x3FFFF);
  EXPECT_EQ(second.notices.size(), 3u);

  EXPECT_TRUE(model->UnadviseSink(&second));
  EXPECT_FALSE(model->UnadviseSink(&second));
  model->BeginUtility();
  EXPECT_EQ(second.notices.size(), 3u);
  EXPECT_EQ(sink.notices.back().what, "begin");
}

TEST_F(RemoteSynthModelTest, ASinkThatUnadvisesItselfDuringANoticeLetsTheOthersHearItOnce) {
  struct LeavingSink : RecordingSynthSink {
    Oskend::CRemoteSynthImpl* model = nullptr;
    void OnRemoteSynthConnectionStateChanged(IRemoteSynth* s, bool connected,
                                             bool checked) override {
      RecordingSynthSink::OnRemoteSynthConnectionStateChanged(s, connected, checked);
      model->UnadviseSink(this);
    }
    void OnRemoteSynthMIDIIn(IRemoteSynth* s, const void* bytes, unsigned length) override {
      RecordingSynthSink::OnRemoteSynthMIDIIn(s, bytes, length);
      model->UnadviseMIDISink(this);
    }
  };
  model->UnadviseSink(&sink);
  model->UnadviseMIDISink(&sink);
  LeavingSink first;
  first.model = model.get();
  RecordingSynthSink second, third;
  for (RecordingSynthSink* s : {static_cast<RecordingSynthSink*>(&first), &second, &third}) {
    ASSERT_TRUE(model->AdviseSink(s));
    ASSERT_TRUE(model->AdviseMIDISink(s));
  }
  model->OnAsyncEvent(CRemoteSynthImpl::kNoticeConnectionState, 0x100);
  model->OnAsyncEvent(CRemoteSynthImpl::kNoticeConnectionState, 0x101);
  model->OnAsyncEvent(CRemoteSynthImpl::kNoticeMIDIIn, 0x02007FB0);
  model->OnAsyncEvent(CRemoteSynthImpl::kNoticeMIDIIn, 0x02007FB0);
  EXPECT_EQ(first.Of("conn").size(), 1u);
  EXPECT_EQ(first.Of("midi").size(), 1u);
  for (RecordingSynthSink* s : {&second, &third}) {
    EXPECT_EQ(s->Of("conn").size(), 2u);
    EXPECT_EQ(s->Of("midi").size(), 2u);
  }
}

TEST_F(RemoteSynthModelTest, ConnectingByScanStoresThePortsAndTakesTheGlobalBlock) {
  SimSynthDevice& dev = Connected(TestSynthSettings());
  ASSERT_TRUE(model->GetConnected());
  EXPECT_TRUE(os::HeadlessAlert::Transcript().empty());  // no names stored: no question
  const Bytes memory = dev.Memory();
  EXPECT_EQ(std::memcmp(model->GetRawChunk().data(), memory.data(), CHUNK_GLOBAL::kSize), 0);
  env.loop().RunPending();
  auto conn = sink.Of("conn");
  ASSERT_FALSE(conn.empty());
  EXPECT_EQ(conn.back().a, 1);
  EXPECT_EQ(conn.back().b, 1);
  EXPECT_TRUE(conn.back().onMainThread);
  EXPECT_EQ(model->GetGlobalChannel(), 2);

  // Connected already: only the state is reported.
  const size_t handled = dev.MessagesHandled();
  EXPECT_TRUE(model->Connect(false, false));
  EXPECT_EQ(dev.MessagesHandled(), handled);

  model->Disconnect();
  EXPECT_FALSE(model->GetConnected());
  env.loop().RunPending();
  EXPECT_EQ(sink.Of("conn").back().a, 0);
  EXPECT_EQ(sink.Of("conn").back().b, 0);

  // Now by the stored names, without a question.
  EXPECT_TRUE(model->Connect(false, false));
  EXPECT_TRUE(os::HeadlessAlert::Transcript().empty());

  // The names were saved with the settings: the next model starts with them.
  const std::string in = model->GetSetup()->GetParamS(static_cast<int>(0x8000ac00u)).c_str();
  EXPECT_FALSE(in.empty());
  CRemoteSynthImpl next(nullptr);
  EXPECT_EQ(std::string(next.GetSetup()->GetParamS(static_cast<int>(0x8000ac00u)).c_str()), in);
}

TEST_F(RemoteSynthModelTest, AFailedSynchronisationIsOfferedForRetryAndTheModelStaysConnected) {
  SimSynthSettings s = TestSynthSettings();
  s.dumpRequestStatus = 3;       // every request refused
  os::HeadlessAlert::Script(1);  // retry once
  os::HeadlessAlert::Script(2);  // then give up
  Connected(s, true);
  EXPECT_TRUE(model->GetConnected());
  auto shown = os::HeadlessAlert::Transcript();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].request.explanation.rfind("- If you're using a USB hub", 0), 0u);
  EXPECT_NE(shown[0].request.explanation.find(
                "perform \"Receive \nAll\" in the \"Utility\" menu.\n\nRetry?"),
            std::string::npos);
}

TEST_F(RemoteSynthModelTest, StoredPortsNotFoundAsksWhetherToRescan) {
  SimSynthDevice& first = Connected(TestSynthSettings());
  ASSERT_TRUE(model->GetConnected());
  model->Disconnect();
  first.Unplug();

  // Declined: no scan, no connection.
  os::HeadlessAlert::Script(2);
  EXPECT_FALSE(model->Connect(false, false));
  auto shown = os::HeadlessAlert::Transcript();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].request.explanation, "Vesk Hardware not found.\nRescan all the MIDI devices?");
  EXPECT_EQ(shown[0].request.mainText, "Vesk Plug-In Editor");
  EXPECT_FALSE(model->GetConnected());

  // Two instruments now: the stored name fits neither; the scan finds one.
  AddSynth(TestSynthSettings(), "Vesk A");
  AddSynth(TestSynthSettings(), "Vesk B");
  os::HeadlessAlert::Reset();
  os::HeadlessAlert::Script(1);
  EXPECT_TRUE(model->Connect(true, false));
  EXPECT_EQ(os::HeadlessAlert::Transcript().size(), 1u);
  EXPECT_TRUE(model->GetConnected());
}

TEST_F(RemoteSynthModelTest, ReceiveAllMakesTheImageTheSynthesizersMemory) {
  SimSynthDevice& dev = Connected(TestSynthSettings());
  ASSERT_TRUE(model->GetConnected());
  sink.notices.clear();
  EXPECT_TRUE(model->ExecCommand(kCmdReceiveAll, 0, 0, 0, 0, nullptr));
  EXPECT_EQ(ImageBody(), MemoryBody(dev.Memory()));
  env.loop().RunPending();
  auto lists = sink.Of("banklist");
  ASSERT_GE(lists.size(), 5u);  // four banks and the combinations
  for (const auto& n : lists) EXPECT_TRUE(n.onMainThread);
  EXPECT_EQ(os::HeadlessProgressWindow::Current(), nullptr);
}

TEST_F(RemoteSynthModelTest, TransmitAllPutsTheImageIntoTheSynthesizer) {
  SimSynthDevice& dev = Connected(TestSynthSettings());
  ASSERT_TRUE(model->GetConnected());
  SimSynth other(TestSynthSettings());
  Pattern(other, 99);
  uint8_t* img = model->GetRawChunk().data();
  std::memcpy(img, other.Memory().data(), SimSynth::kCombiEditOffset + L::kCombiSize);
  const Bytes before = ImageBody();

  EXPECT_TRUE(model->ExecCommand(kCmdTransmitAll, 0, 0, 0, 0, nullptr));
  Bytes memory = MemoryBody(dev.Memory());
  // The hardware's own byte is sent as the hardware reported it.
  EXPECT_EQ(memory[1733], 0x5A);
  memory[1733] = before[1733];
  EXPECT_EQ(memory, before);
  // The sender's image is left as it was.
  EXPECT_EQ(ImageBody(), before);
}

// Called on the MIDI input thread: the test reads what it got under the lock.
class RecordingRTSink : public Oskend::IRTMIDISink {
 public:
  bool onMainThread = false;
  void OnRTMIDIIn(long long, const void* bytes, unsigned length) override {
    const auto* p = static_cast<const uint8_t*>(bytes);
    std::lock_guard<std::mutex> g(lock_);
    got_.emplace_back(p, p + length);
    onMainThread |= std::this_thread::get_id() == main_;
  }
  void SetMIDIOUTtoDAW(bool) override {}
  void SetAudioOutCh(int) override {}
  std::vector<Bytes> Got() {
    std::lock_guard<std::mutex> g(lock_);
    return got_;
  }

 private:
  std::mutex lock_;
  std::vector<Bytes> got_;
  std::thread::id main_ = std::this_thread::get_id();
};

TEST_F(RemoteSynthModelTest, ShortMessagesGoToTheRealTimeSinkAtOnceAndToMIDISinksOnTheMainThread) {
  RecordingRTSink rt;
  EXPECT_TRUE(model->SetRTMIDISink(&rt));
  SimSynthDevice& dev = Connected(TestSynthSettings());
  ASSERT_TRUE(model->GetConnected());
  sink.notices.clear();
  dev.Emit({0x92, 60, 100});
  dev.Emit({0xFE});  // one byte: real-time sink only
  EXPECT_TRUE(env.loop().RunUntil([&] { return rt.Got().size() >= 2; }, 1000));
  env.loop().RunPending();
  const std::vector<Bytes> got = rt.Got();
  EXPECT_FALSE(rt.onMainThread);
  ASSERT_EQ(got.size(), 2u);
  EXPECT_EQ(got[0], (Bytes{0x92, 60, 100}));
  auto midi = sink.Of("midi");
  ASSERT_EQ(midi.size(), 1u);
  EXPECT_EQ(midi[0].a, 3);
  EXPECT_EQ(midi[0].b, 0x92);
  EXPECT_EQ(midi[0].c, (60 << 8) | 100);
  EXPECT_TRUE(midi[0].onMainThread);
  model->SetRTMIDISink(nullptr);
}

TEST_F(RemoteSynthModelTest, LocalControlIsSwitchedOffInsideAHostAndRestoredAtDisconnect) {
  SimSynthDevice& real = AddSynth(TestSynthSettings());
  real.With([](SimSynth& s) {
    Pattern(s, 3);
    s.Memory()[1730] |= 1;  // the instrument's Local Control is on
  });
  ASSERT_TRUE(model->Connect(false, false));
  auto hasCC122 = [&](uint8_t value) {
    const Bytes got = real.Device().ReceivedBytes();
    for (size_t i = 0; i + 2 < got.size(); ++i)
      if (got[i] == 0xB2 && got[i + 1] == 122 && got[i + 2] == value) return true;
    return false;
  };
  EXPECT_TRUE(real.Device().WaitReceivedBytes(1, 1000));
  env.loop().RunFor(100);
  EXPECT_TRUE(hasCC122(0));
  EXPECT_FALSE(hasCC122(127));
  model->Disconnect();
  env.loop().RunFor(100);
  EXPECT_TRUE(hasCC122(127));
}

TEST_F(RemoteSynthModelTest, ProgramModeFromThePanelLoadsTheActiveTimbresProgram) {
  SimSynthDevice& dev = Connected(TestSynthSettings(), true);
  ASSERT_TRUE(model->GetConnected());
  // Timbre 1's program is bank B, program 4.
  ISection* timbre = nullptr;
  ASSERT_TRUE(model->GetEditBuffer(0)->FindSectionByPID(0x200, &timbre));
  timbre->PutParamIEx(0x200, 128 + 4, 0x1 | 0x8000, eChgSource_Editor);
  ASSERT_EQ(timbre->GetParamI(0x200), 132);
  dev.With([](SimSynth& s) { s.ClearLog(); });
  Bytes msg;
  dev.With([&](SimSynth& s) { msg = s.PanelModeChange(3); });
  const size_t modeNotices = sink.Of("mode").size();
  dev.Emit(msg);
  // The mode notice comes last, after the receiving thread has set the image.
  EXPECT_TRUE(env.loop().RunUntil([&] { return sink.Of("mode").size() > modeNotices; }, 1000));
  EXPECT_EQ(model->GetSoundMode(), 2);
  const uint8_t* img = model->GetRawChunk().data();
  EXPECT_EQ(model->GetRawChunk().GetCurProg().GetBank(), 1);
  EXPECT_EQ(model->GetRawChunk().GetCurProg().GetNumber(), 4);
  // The current program is asked for 100 ms later, from the main thread.
  env.loop().RunFor(300);
  const Bytes memory = dev.Memory();
  EXPECT_EQ(std::memcmp(img + L::kProgEditBuffer, memory.data() + SimSynth::kProgEditOffset, L::kProgSize), 0);
  EXPECT_EQ(model->GetVirtualMode(), eMode_ProgEdit);
  env.loop().RunPending();
  EXPECT_EQ(sink.Of("mode").back().a, 3);
}

// While the connection brings the instrument into step it follows the
// instrument's mode changes; while a whole transfer switches the
// instrument's mode itself, the answers are not the user's and are not
// followed. Both run with the program-change protection on.
TEST_F(RemoteSynthModelTest, ModeChangesAreFollowedWhileConnectingButNotDuringATransfer) {
  Connected(TestSynthSettings(), true);
  ASSERT_TRUE(model->GetConnected());
  env.loop().RunPending();
  struct Case {
    bool connecting;
    int modeAfter;
  } cases[] = {{true, eMode_ProgEdit}, {false, eMode_Combi}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.connecting ? "connecting" : "transfer");
    ASSERT_EQ(model->GetMode(), eMode_Combi);
    const size_t modeNotices = sink.Of("mode").size();
    model->SetDumpProgramChangeProtect(true);
    model->Set_NowInitializing(c.connecting);
    model->OnRcvModeChange(model->GetRemoteMidi(), eMode_ProgEdit);  // on the main thread: at once
    model->Set_NowInitializing(false);
    model->SetDumpProgramChangeProtect(false);
    env.loop().RunPending();
    EXPECT_EQ(model->GetMode(), c.modeAfter);
    EXPECT_EQ(sink.Of("mode").size(), modeNotices + (c.connecting ? 1 : 0));
    model->OnRcvModeChange(model->GetRemoteMidi(), eMode_Combi);
    env.loop().RunFor(300);
  }
}

TEST_F(RemoteSynthModelTest, AProgramChangeDuringAnAuditionEndsItAndSelectsTheSound) {
  SimSynthDevice& dev = Connected(TestSynthSettings(), true);
  ASSERT_TRUE(model->GetConnected());
  env.loop().RunPending();
  ASSERT_TRUE(model->BeginAudition(2));
  std::vector<Bytes> msgs;
  dev.With([&](SimSynth& s) { msgs = s.PanelProgramChange(0, 11); });
  for (const Bytes& m : msgs) dev.Emit(m);
  EXPECT_TRUE(env.loop().RunUntil([&] { return !model->GetAuditionState(); }, 1000));
  env.loop().RunFor(500);
  EXPECT_EQ(model->GetCurSound(true).number, 11);
}

}  // namespace
}  // namespace vesk::test
