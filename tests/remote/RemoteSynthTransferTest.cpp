// Whole transfers of the model against the simulated synthesizer: failures
// in the middle, resuming, cancelling, unplugging, and the recall of data
// at connection.
#include <gtest/gtest.h>

#include <cstring>

#include "os/Alert.h"
#include "os/ProgressWindow.h"
#include "remote/RemoteStatus.h"
#include "tests/remote/ModelTestSupport.h"

namespace vesk::test {
namespace {

using namespace Oskend;
using L = Oskend::RemoteSynthLayout;
using Bytes = std::vector<uint8_t>;

Bytes Region(const Bytes& b, size_t offset, size_t size) {
  return Bytes(b.begin() + offset, b.begin() + offset + size);
}

constexpr size_t kBank = L::kProgBankSize;

class RemoteSynthTransferTest : public ::testing::Test, public ModelTest {
 protected:
  void SetSynth(SimSynthDevice& dev, const std::function<void(SimSynthSettings&)>& fn) {
    dev.With([&](SimSynth& s) { fn(s.Settings()); });
  }
  // Makes the instrument go silent once it has handled `count` more messages.
  void SilentAfter(SimSynthDevice& dev, size_t count) {
    const size_t target = dev.MessagesHandled() + count;
    auto done = std::make_shared<bool>(false);
    env.loop().AddTimer(1, 1, [this, &dev, target, done] {
      if (*done || dev.MessagesHandled() < target) return;
      *done = true;
      SetSynth(dev, [](auto& s) { s.silent = true; });
    });
  }
};

TEST_F(RemoteSynthTransferTest, ATimeOutInBankCEndsTheReceiveAndAResumeStartsThere) {
  SimSynthDevice& dev = Connected(TestSynthSettings());
  ASSERT_TRUE(model->GetConnected());
  // The progress window's all-sound-off, the global block, banks A and B
  // are answered; bank C meets silence.
  SilentAfter(dev, 4);
  int step = 0;
  EXPECT_EQ(model->HandleReceiveAll("Receiving...", &step, false), kRemoteTimeout);
  EXPECT_EQ(step, 2);
  Bytes memory = dev.Memory();
  Bytes image = ImageBody();
  EXPECT_EQ(Region(image, L::kProgBanks, 2 * kBank), Region(memory, L::kProgBanks, 2 * kBank));
  EXPECT_NE(Region(image, L::kProgBanks + 2 * kBank, kBank), Region(memory, L::kProgBanks + 2 * kBank, kBank));
  EXPECT_EQ(os::HeadlessProgressWindow::Current(), nullptr);

  // The instrument answers again; bank A changes meanwhile on its side, and
  // the resume does not ask for it again.
  SimSynthDevice* d = &dev;
  env.loop().RunPending();
  d->With([](SimSynth& s) {
    s.Settings().silent = false;
    s.Memory()[L::kProgBanks] ^= 0xFF;
  });
  EXPECT_GE(model->HandleReceiveAll("Receiving...", &step, false), 0);
  EXPECT_EQ(step, 0);
  memory = MemoryBody(dev.Memory());
  image = ImageBody();
  EXPECT_NE(image[L::kProgBanks], memory[L::kProgBanks]);
  const size_t from = L::kProgBanks + 2 * kBank;
  EXPECT_EQ(Region(image, from, image.size() - from), Region(memory, from, memory.size() - from));
}

TEST_F(RemoteSynthTransferTest, ResumeStepsAndFilterChooseWhatIsRequested) {
  SimSynthDevice& dev = Connected(TestSynthSettings());
  ASSERT_TRUE(model->GetConnected());
  const Bytes before = ImageBody();
  int step = 5;  // the combinations and the current combination only
  EXPECT_GE(model->HandleReceiveAll("x", &step, false), 0);
  const Bytes memory = dev.Memory();
  const Bytes image = ImageBody();
  EXPECT_EQ(Region(image, L::kProgBanks, 4 * kBank), Region(before, L::kProgBanks, 4 * kBank));
  EXPECT_EQ(Region(image, L::kCombis, L::kCombisSize), Region(memory, L::kCombis, L::kCombisSize));

  // Filter on, programs off: no bank and no current program.
  ISection* setup = model->GetSetup();
  setup->PutParamI(static_cast<int>(0x80008100u), 0);  // Filter.AllSw
  setup->PutParamI(static_cast<int>(0x80008200u), 0);  // Filter.ProgSw
  dev.With([](SimSynth& s) {
    s.FillPattern(5);
    s.Memory()[1728] = s.Settings().channel;
  });
  step = 0;
  EXPECT_GE(model->HandleReceiveAll("x", &step, true), 0);
  const Bytes after = ImageBody();
  const Bytes memory2 = dev.Memory();
  EXPECT_EQ(Region(after, L::kProgBanks, 4 * kBank), Region(image, L::kProgBanks, 4 * kBank));
  EXPECT_EQ(Region(after, L::kCombis, L::kCombisSize), Region(memory2, L::kCombis, L::kCombisSize));
}

TEST_F(RemoteSynthTransferTest, CancellingTheProgressWindowEndsTheReceive) {
  SimSynthSettings s = TestSynthSettings();
  s.slowWire = true;
  Connected(s);
  ASSERT_TRUE(model->GetConnected());
  std::string caption;
  At(5000, [&] {
    auto* w = os::HeadlessProgressWindow::Current();
    ASSERT_NE(w, nullptr);
    caption = w->text();
    w->PressCancel();
  });
  int step = 0;
  EXPECT_EQ(model->HandleReceiveAll("Receiving...", &step, false), kRemoteAborted);
  EXPECT_EQ(step, 0);  // bank A was in transfer
  EXPECT_EQ(caption.rfind("PROGRAM A Receiving...", 0), 0u) << caption;
  EXPECT_EQ(os::HeadlessProgressWindow::Current(), nullptr);
}

TEST_F(RemoteSynthTransferTest, UnpluggingDuringTheReceiveFailsItAtOnce) {
  SimSynthSettings s = TestSynthSettings();
  s.slowWire = true;
  SimSynthDevice& dev = Connected(s);
  ASSERT_TRUE(model->GetConnected());
  const uint64_t start = NowMs();
  At(3000, [&] { dev.Unplug(); });
  int step = 0;
  const int r = model->HandleReceiveAll("Receiving...", &step, false);
  EXPECT_EQ(r, kRemoteFailed) << std::hex << r;
  EXPECT_LT(NowMs() - start, 3000u + 500u);
  EXPECT_EQ(step, 0);
  EXPECT_FALSE(model->ExecCommand(kCmdReceiveAll, 0, 0, 0, 0, nullptr));
}

TEST_F(RemoteSynthTransferTest, SendingAllLeavesTheCallersImageAndReportsTheFirstFailure) {
  SimSynthDevice& dev = Connected(TestSynthSettings());
  ASSERT_TRUE(model->GetConnected());
  SimSynth source(TestSynthSettings());
  Pattern(source, 42);
  const Bytes image = source.Memory();
  EXPECT_GE(model->HandleSendAll(CHUNK_REMOTESYNTH_CONST(image.data()), "T", false, false), 0);
  EXPECT_EQ(Bytes(image), source.Memory());  // untouched, byte 1733 included
  const Bytes memory = dev.Memory();
  EXPECT_EQ(memory[1733], 0x5A);
  EXPECT_EQ(Region(memory, L::kProgBanks, 4 * kBank), Region(image, L::kProgBanks, 4 * kBank));

  // Write-protected: the first data step fails and its status is returned,
  // while the closing mode change still runs.
  SetSynth(dev, [](auto& st) { st.statusByte = 2; });
  dev.With([](SimSynth& s) { s.ClearLog(); });
  EXPECT_EQ(model->HandleSendAll(CHUNK_REMOTESYNTH_CONST(image.data()), "T", false, false),
            kSynthStatus2);
  auto log = dev.Log();
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.back().kind, SimSynthEvent::kModeChange);
  EXPECT_FALSE(model->ExecCommand(kCmdTransmitAll, 0, 0, 0, 0, nullptr));
}

// The dumps of program banks the instrument took in and refused, by bank.
std::vector<int> BankDumps(const std::vector<SimSynthEvent>& log, SimSynthEvent::Kind kind) {
  std::vector<int> banks;
  for (const SimSynthEvent& e : log)
    if (e.kind == kind && e.dumpKind == 0x0F) banks.push_back(e.bank);
  return banks;
}

constexpr size_t kBankOnWire = 215346;

// A cycle that the MIDI system runs late in the middle of bank C hands a
// packet of it over twice: the instrument refuses the bank, or, when the
// next packet is lost as well, takes it with wrong bytes. Either way the
// bank goes once more and arrives whole.
TEST_F(RemoteSynthTransferTest, ABankALateCycleSpoiledOnItsWayGoesAgainAndArrivesWhole) {
  SimSynthDevice& dev = Connected(TestSynthSettings());
  ASSERT_TRUE(model->GetConnected());
  for (const bool losesNext : {false, true}) {
    SCOPED_TRACE(losesNext ? "a packet doubled, the next lost" : "a packet doubled");
    SimSynth source(TestSynthSettings());
    Pattern(source, losesNext ? 43 : 42);
    const Bytes image = source.Memory();
    dev.With([](SimSynth& s) { s.ClearLog(); });
    // Past the global block and banks A and B.
    dev.RunLateAfterReceiving(2 * kBankOnWire + 100'000, losesNext);
    EXPECT_GE(model->HandleSendAll(CHUNK_REMOTESYNTH_CONST(image.data()), "T", false, false), 0);
    EXPECT_EQ(Region(dev.Memory(), L::kProgBanks, 4 * kBank), Region(image, L::kProgBanks, 4 * kBank));
    const auto log = dev.Log();
    EXPECT_EQ(BankDumps(log, SimSynthEvent::kDumpRefused).size(), losesNext ? 0u : 1u);
    EXPECT_EQ(BankDumps(log, SimSynthEvent::kDumpReceived),
              losesNext ? std::vector<int>({0, 1, 2, 2, 3}) : std::vector<int>({0, 1, 2, 3}));
  }
}

// The same on the way back: bank B arrives with a block twice, the editor
// refuses it and asks for it again.
TEST_F(RemoteSynthTransferTest, ABankALateCycleDoubledOnItsWayBackIsAskedForAgain) {
  SimSynthDevice& dev = Connected(TestSynthSettings());
  ASSERT_TRUE(model->GetConnected());
  dev.With([](SimSynth& s) { Pattern(s, 9); });
  // Past the global block and bank A.
  dev.RunLateAfterSending(kBankOnWire + 100'000);
  int step = 0;
  EXPECT_GE(model->HandleReceiveAll("Receiving...", &step, false), 0);
  const Bytes memory = MemoryBody(dev.Memory());
  const Bytes image = ImageBody();
  EXPECT_EQ(Region(image, L::kProgBanks, 4 * kBank), Region(memory, L::kProgBanks, 4 * kBank));
}

TEST_F(RemoteSynthTransferTest, AFailedRecallStaysPendingAndIsReportedAndRetried) {
  SimSynthSettings s = TestSynthSettings();
  s.statusByte = 2;  // write-protected: every dump to it fails
  model->SetRecallPending(true);
  SimSynthDevice& dev = Connected(s, true);
  ASSERT_TRUE(model->GetConnected());
  EXPECT_TRUE(model->GetRecallPending());
  auto shown = os::HeadlessAlert::Transcript();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].request.explanation, "Transmitting... Error!\nWrite Protected.");

  // The synthesizer's other refusals read as those of the menu commands.
  const std::pair<uint8_t, const char*> refusals[] = {
      {1, "Transmitting... Error\nThe synthesizer refused the request (its status 0x01)."},
      {3, "Transmitting... Error\nThe synthesizer refused the request (its status 0x03)."},
      {4, "Transmitting... Error!\nMode is Wrong"},
  };
  for (auto [status, text] : refusals) {
    model->Disconnect();
    os::HeadlessAlert::Reset();
    SetSynth(dev, [status = status](auto& st) { st.statusByte = status; });
    EXPECT_TRUE(model->Connect(false, true));
    EXPECT_TRUE(model->GetRecallPending());
    shown = os::HeadlessAlert::Transcript();
    ASSERT_EQ(shown.size(), 1u) << int(status);
    EXPECT_EQ(shown[0].request.explanation, text);
  }

  model->Disconnect();
  SetSynth(dev, [](auto& st) { st.statusByte = 0; });
  EXPECT_TRUE(model->Connect(false, true));
  EXPECT_FALSE(model->GetRecallPending());
  // The image reached the instrument (its global block carries the
  // hardware's own byte 1733).
  Bytes memory = dev.Memory();
  Bytes image = ImageBody();
  memory[1733] = image[1733];
  EXPECT_EQ(Region(memory, L::kProgBanks, 4 * kBank), Region(image, L::kProgBanks, 4 * kBank));
}

TEST_F(RemoteSynthTransferTest, ConnectingWithRecallReceivesEverything) {
  SimSynthDevice& dev = Connected(TestSynthSettings(), true);
  ASSERT_TRUE(model->GetConnected());
  EXPECT_EQ(ImageBody(), MemoryBody(dev.Memory()));
}

}  // namespace
}  // namespace vesk::test
