// The model against the simulated synthesizer running as a separate JACK
// client process, through the machine's MIDI system and a real JACK server
// (start a synchronous one, as .ci/run does: "jackd -S -t 200 -d dummy";
// the tests skip without one). These run
// on the real clock, with the model's pauses shortened.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <unistd.h>

#include <memory>
#include <string>
#include <vector>

#include "model/ChunkGlobal.h"
#include "model/ISoundSection.h"
#include "os/Alert.h"
#include "os/Clock.h"
#include "os/MainLoop.h"
#include "os/midi/jack/JackSystem.h"
#include "os/midi/machine/MachineMidi.h"
#include "remote/CRemoteSynthImpl.h"
#include "remote/RemoteStatus.h"
#include "tests/support/jacksynth/JackSynthProcess.h"
#include "tests/support/jacksynth/SynthRecord.h"
#include "tests/support/TempDir.h"
#include "tests/support/simsynth/SimSynth.h"

namespace vesk::test {
namespace {

using Bytes = std::vector<uint8_t>;
constexpr size_t kBody = SimSynth::kCombiEditOffset + 1332;
// Oscillator 1's level, bits 0..6 of byte 638 of a program.
constexpr int kOsc1Volume = 0x107;
constexpr size_t kOsc1VolumeByte = SimSynth::kProgEditOffset + 638;

Bytes Body(const uint8_t* p) { return Bytes(p, p + kBody); }

// Offsets where two images differ, for the failure message.
std::string Differences(const Bytes& a, const Bytes& b) {
  std::string out;
  size_t n = 0;
  for (size_t i = 0; i < std::min(a.size(), b.size()) && n < 8; ++i)
    if (a[i] != b[i]) {
      out += std::to_string(i) + " ";
      ++n;
    }
  return out;
}

// The memory a synthesizer process starts with.
Bytes ExpectedMemory(uint32_t seed, int channel) {
  SimSynth s;
  s.FillPattern(seed);
  s.ShapeAsInstrument();
  s.Memory()[Oskend::CHUNK_GLOBAL::kMIDIChannel] = static_cast<uint8_t>(channel);
  return s.Memory();
}

class JackModelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string why;
    if (!os::midi::JackSystem::Open("vesk-probe", &why))
      GTEST_SKIP() << "JACK tests skipped: " << why << " (start one with: jackd -S -t 200 -d dummy)";
    midi = os::midi::MachineMidi::Open("vesk-editor-test");
    os::midi::System::Install(midi.get());
    os::HeadlessAlert::Reset();
  }
  void TearDown() override {
    if (model) model.reset();
    os::HeadlessAlert::Reset();
  }

  std::unique_ptr<JackSynthProcess> Synth(std::vector<std::string> more = {}) {
    std::vector<std::string> o{"--client", client, "--seed", "11", "--channel", "2",
                               "--memory-out", config.File("memory.bin")};
    o.insert(o.end(), more.begin(), more.end());
    // A synthesizer of the same name that just went may still be listed
    // here; let its ports go first, so the new ones are the ones found.
    EXPECT_TRUE(WaitForPorts(false)) << client << " stayed among the endpoints";
    auto p = std::make_unique<JackSynthProcess>(o);
    EXPECT_TRUE(p->ok()) << "could not start " << JackSynthProcess::Program();
    // The program's ports exist once it says so, but this process hears of
    // them through the server's notices, which a busy machine delivers late:
    // wait until both show in the machine's lists before anyone scans.
    EXPECT_TRUE(WaitForPorts(true)) << client << " never showed among the endpoints";
    return p;
  }

  bool Lists(bool sources) {
    const size_t n = sources ? midi->SourceCount() : midi->DestinationCount();
    for (size_t i = 0; i < n; ++i) {
      const os::midi::EndpointId id = sources ? midi->Source(i) : midi->Destination(i);
      std::string device;
      if (midi->GetProperty(id, os::midi::Property::kDeviceName, &device) == os::midi::kOk && device == client)
        return true;
    }
    return false;
  }

  // Until both of the synthesizer's ports are listed (shown) or neither.
  bool WaitForPorts(bool shown) {
    for (int i = 0; i < 500; ++i) {
      if (shown ? Lists(true) && Lists(false) : !Lists(true) && !Lists(false)) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
  }

  void NewModel() {
    model.reset();
    model = std::make_unique<Oskend::CRemoteSynthImpl>(nullptr);
    model->SetPacing(0);
  }

  std::pair<std::string, std::string> Keys() {
    MIDIDevKey in, out;
    model->GetMIDIConnectionState(&in, &out, nullptr, nullptr, nullptr);
    return {in.name, out.name};
  }

  Bytes Image() { return Body(model->GetRawChunk().data()); }

  // An edit of the program being edited, as a page makes it.
  void EditOsc1Volume(int value) {
    Oskend::ISection* edit = model->GetEditBuffer(3);
    ASSERT_NE(edit, nullptr);
    edit->PutParamI(kOsc1Volume, value);
    ASSERT_EQ(model->GetRawChunk().data()[kOsc1VolumeByte] & 0x7F, value);
  }
  // What the synthesizer process kept, once it has ended.
  int StoredOsc1Volume() {
    const std::string memory = ReadWholeFile(config.File("memory.bin"));
    if (memory.size() != SimSynth::kImageSize) return -1;
    return static_cast<uint8_t>(memory[kOsc1VolumeByte]) & 0x7F;
  }

  TempDir config;
  ScopedEnv configHome{"XDG_CONFIG_HOME", config.path()};
  os::MainLoop loop;
  std::unique_ptr<os::midi::CombinedSystem> midi;
  std::unique_ptr<Oskend::CRemoteSynthImpl> model;
  const std::string client = "VeskSynth" + std::to_string(getpid());
};

TEST_F(JackModelTest, ConnectsByScanThenByTheStoredNamesAfterBothRestart) {
  auto synth = Synth();
  NewModel();
  ASSERT_TRUE(model->Connect(false, false));
  const auto keys = Keys();
  EXPECT_EQ(keys.first, client + ":out");
  EXPECT_EQ(keys.second, client + ":in");
  model->Disconnect();
  model.reset();

  // A new synthesizer process under the same name, a new model reading the
  // stored names: found without a scan and without asking anyone.
  synth.reset();
  synth = Synth();
  NewModel();
  ASSERT_TRUE(model->Connect(false, false));
  EXPECT_EQ(Keys(), keys);
  EXPECT_TRUE(os::HeadlessAlert::Transcript().empty());
  loop.RunPending();
}

TEST_F(JackModelTest, ReceiveAllAndTransmitAllMoveTheWholeMemoryByteForByte) {
  auto synth = Synth();
  NewModel();
  ASSERT_TRUE(model->Connect(false, false));
  int step = 0;
  ASSERT_GE(model->HandleReceiveAll("Receiving...", &step, false), 0);
  loop.RunPending();
  const Bytes expected = ExpectedMemory(11, 2);
  Bytes image = Image();
  // Byte 1733 of the global block is the instrument's own.
  EXPECT_EQ(Bytes(image.begin() + 1736, image.end()), Bytes(expected.begin() + 1736, expected.begin() + kBody));
  EXPECT_EQ(Bytes(image.begin(), image.begin() + 1733), Bytes(expected.begin(), expected.begin() + 1733));

  SimSynth other;
  other.FillPattern(77);
  other.Memory()[Oskend::CHUNK_GLOBAL::kMIDIChannel] = 2;
  const Bytes sent = other.Memory();
  ASSERT_GE(model->HandleSendAll(Oskend::CHUNK_REMOTESYNTH_CONST(sent.data()), "T", false, false), 0);
  loop.RunPending();
  model.reset();  // gives the instrument's settings back before it goes
  ASSERT_TRUE(synth->Stop());
  const std::string memory = ReadWholeFile(config.File("memory.bin"));
  ASSERT_EQ(memory.size(), size_t(SimSynth::kImageSize));
  const Bytes got(memory.begin(), memory.end());
  EXPECT_EQ(Bytes(got.begin() + 1736, got.begin() + kBody), Bytes(sent.begin() + 1736, sent.begin() + kBody));
}

TEST_F(JackModelTest, ASynthesizerKilledMidTransferFailsTheTransferAndLeavesTheImage) {
  // It dies in the middle of program bank B.
  constexpr size_t kBankB = 1736 + 188416;
  auto synth = Synth({"--kill-after-sending", "300000"});
  NewModel();
  ASSERT_TRUE(model->Connect(false, false));
  const Bytes pre = Image();
  int step = 0;
  const int r = model->HandleReceiveAll("Receiving...", &step, false);
  EXPECT_TRUE(r == Oskend::kRemoteTimeout || r == Oskend::kRemoteFailed) << std::hex << r;
  EXPECT_TRUE(synth->WaitKilled(2000));
  const Bytes after = Image();
  const Bytes expected = ExpectedMemory(11, 2);
  // Bank A arrived whole; nothing of the half-received bank B reached the
  // image, nor anything after it.
  EXPECT_TRUE(Bytes(after.begin() + 1736, after.begin() + kBankB) ==
              Bytes(expected.begin() + 1736, expected.begin() + kBankB));
  EXPECT_TRUE(Bytes(after.begin() + kBankB, after.end()) == Bytes(pre.begin() + kBankB, pre.end()))
      << Differences(Bytes(after.begin() + kBankB, after.end()), Bytes(pre.begin() + kBankB, pre.end()));
  loop.RunPending();
  model->Disconnect();
  synth.reset();

  // Transmitting to one that dies while it receives.
  synth = Synth({"--kill-after-receiving", "300000"});
  ASSERT_TRUE(model->Connect(false, false));
  const Bytes before = Image();
  const int s = model->HandleSendAll(Oskend::CHUNK_REMOTESYNTH_CONST(model->GetRawChunk().data()), "T",
                                     false, false);
  EXPECT_LT(s, 0) << std::hex << s;
  EXPECT_TRUE(synth->WaitKilled(2000));
  EXPECT_TRUE(Image() == before) << Differences(Image(), before);
  loop.RunPending();
}

// An edit travels to the instrument's memory in another process: a model
// that starts afresh and receives everything finds it there.
TEST_F(JackModelTest, AnEditArrivesInTheInstrumentsMemory) {
  auto synth = Synth();
  NewModel();
  ASSERT_TRUE(model->Connect(false, false));
  const int before = model->GetRawChunk().data()[kOsc1VolumeByte] & 0x7F;
  const int value = before == 41 ? 42 : 41;
  EditOsc1Volume(value);
  loop.RunPending();
  model->Disconnect();

  NewModel();
  ASSERT_TRUE(model->Connect(false, false));
  int step = 0;
  ASSERT_GE(model->HandleReceiveAll("Receiving...", &step, false), 0);
  EXPECT_EQ(model->GetRawChunk().data()[kOsc1VolumeByte] & 0x7F, value);
  model.reset();
  ASSERT_TRUE(synth->Stop());
  EXPECT_EQ(StoredOsc1Volume(), value);
}

// Short messages on their whole way to another JACK client: the editor's
// "All Sound Off" (two controller messages for each of the 16 channels,
// then a note-off for each of the 128 notes, all at one instant), then
// bursts that each fill most of the timed output queue, all due at one
// later instant, more than one JACK cycle carries. Every message arrives,
// in order.
TEST_F(JackModelTest, EveryShortMessageOfABurstArrivesInOrder) {
  const std::string log = config.File("short.bin");
  auto synth = Synth({"--short-out", log});
  NewModel();
  ASSERT_TRUE(model->Connect(false, false));

  Bytes want;
  auto send = [&](long long timeUs, std::initializer_list<uint8_t> msg) {
    const Bytes m(msg);
    want.insert(want.end(), m.begin(), m.end());
    return model->RTMIDIOut(timeUs, m.data(), static_cast<unsigned>(m.size()), eChgSource_Editor);
  };
  const auto now = [] { return static_cast<long long>(os::NowUs() / 1000 * 1000); };
  // Before the first message the log holds only the program changes of
  // connecting.
  auto received = [&] { return vesk::test::SynthRecord::ShortBytes(vesk::test::SynthRecord::Read(log)); };
  auto arrived = [&] {
    const Bytes got = received();
    return got.size() >= want.size() && got.size() < want.size() + 32 &&
           Bytes(got.end() - static_cast<long>(want.size()), got.end()) == want;
  };
  auto waitForAll = [&] {
    for (int i = 0; i < 1000 && !arrived(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return arrived();
  };
  for (uint8_t ch = 0; ch < 16; ++ch) {
    ASSERT_TRUE(send(now(), {uint8_t(0xB0 | ch), 0x78, 0x00}));
    ASSERT_TRUE(send(now(), {uint8_t(0xB0 | ch), 0x7B, 0x00}));
  }
  for (uint8_t k = 0; k < 128; ++k) ASSERT_TRUE(send(now(), {0x80, k, 0x00}));
  ASSERT_TRUE(waitForAll()) << received().size() << " bytes arrived of " << want.size();
  constexpr int kBurst = 800;
  for (int burst = 0; burst < 4; ++burst) {
    const long long later = now() + 300'000;
    for (int i = 0; i < kBurst; ++i)
      ASSERT_TRUE(send(later, {uint8_t(0x90 | (i % 3)), uint8_t(i & 0x7F), uint8_t(burst * 8 + (i >> 7) + 1)}))
          << burst << " " << i;
    EXPECT_TRUE(waitForAll()) << "burst " << burst << ": " << received().size() << " bytes arrived of "
                              << want.size();
  }
  model.reset();
  EXPECT_TRUE(synth->Stop());
}

// What the synthesizer's process tells of itself while it runs: its record
// of the editor's messages, with each edit decoded to its parameter and
// value, and its memory written on request, without ending.
TEST_F(JackModelTest, TheSynthesizerRecordsEachEditAndWritesItsMemoryOnRequest) {
  const std::string log = config.File("record.txt");
  auto synth = Synth({"--short-out", log});
  NewModel();
  ASSERT_TRUE(model->Connect(false, false));
  for (const int value : {23, 101}) {
    EditOsc1Volume(value);
    auto recorded = [&] {
      for (const auto& l : vesk::test::SynthRecord::Read(log))
        if (l.what == "param" && l.id == kOsc1Volume && l.value == value) return true;
      return false;
    };
    EXPECT_TRUE(loop.RunUntil(recorded, 5000)) << "no record of the edit to " << value;
    ASSERT_TRUE(synth->WriteMemory(config.File("memory.bin"), 5000));
    EXPECT_EQ(StoredOsc1Volume(), value);
  }
  // The connection asked for the instrument's memory, dump by dump.
  const auto requests = vesk::test::SynthRecord::Only(vesk::test::SynthRecord::Read(log), "request");
  EXPECT_FALSE(requests.empty());
  model.reset();
  EXPECT_TRUE(synth->Stop());
}

// The synthesizer's process ends and starts again: the link notices, waits,
// and takes up the new process's ports by their names, so that an edit made
// afterwards arrives without a restart of the editor.
TEST_F(JackModelTest, AfterTheSynthesizerRestartsAnEditArrives) {
  auto synth = Synth();
  NewModel();
  ASSERT_TRUE(model->Connect(false, false));
  ASSERT_TRUE(synth->Stop());
  EXPECT_TRUE(loop.RunUntil([&] { return !model->GetConnected(); }, 10000))
      << "the lost synthesizer was not noticed";

  synth = Synth();
  ASSERT_TRUE(loop.RunUntil([&] { return model->GetConnected(); }, 15000))
      << "the synthesizer that came back was not taken up";
  EXPECT_EQ(Keys(), std::make_pair(client + ":out", client + ":in"));
  // A value neither the new process holds nor the editor shows: only the
  // edit can put it there.
  const int held = ExpectedMemory(11, 2)[kOsc1VolumeByte] & 0x7F;
  const int shown = model->GetRawChunk().data()[kOsc1VolumeByte] & 0x7F;
  int value = 41;
  while (value == held || value == shown) ++value;
  EditOsc1Volume(value);
  loop.RunFor(200);
  model.reset();
  ASSERT_TRUE(synth->Stop());
  EXPECT_EQ(StoredOsc1Volume(), value);
  EXPECT_TRUE(os::HeadlessAlert::Transcript().empty());
}

}  // namespace
}  // namespace vesk::test
