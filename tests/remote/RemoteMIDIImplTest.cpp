#include <gtest/gtest.h>

#include <cstring>

#include "model/XEUtils.h"
#include "os/ProgressWindow.h"
#include "os/Thread.h"
#include "remote/RemoteStatus.h"
#include "remote/SynthSysEx.h"
#include "tests/remote/LinkTestSupport.h"

namespace vesk::test {
namespace {

using Oskend::kRemoteAborted;
using Oskend::kRemoteFailed;
using Oskend::kRemoteTimeout;
using S = Oskend::SynthSysEx;
using Bytes = std::vector<uint8_t>;

Bytes Region(const Bytes& memory, unsigned offset, unsigned size) {
  return Bytes(memory.begin() + offset, memory.begin() + offset + size);
}

SimSynthSettings OnChannel(uint8_t ch) {
  SimSynthSettings s;
  s.channel = ch;
  s.version[0] = 2;
  s.version[1] = 1;
  s.version[2] = 7;
  s.state[0] = 0x05;  // first expansion board present, second option bit
  s.state[3] = 0x01;
  return s;
}

class RemoteMIDIImplTest : public ::testing::Test, public LinkTest {
 protected:
  // A synthesizer with a memory pattern, connected by scanning.
  SimSynthDevice& Connected(SimSynthSettings s = OnChannel(3)) {
    SimSynthDevice& dev = AddSynth(s);
    dev.With([](SimSynth& synth) { synth.FillPattern(7); });
    EXPECT_TRUE(ConnectScan());
    return dev;
  }
  void Set(SimSynthDevice& dev, const std::function<void(SimSynthSettings&)>& fn) {
    dev.With([&](SimSynth& synth) { fn(synth.Settings()); });
  }
};

TEST_F(RemoteMIDIImplTest, ConnectByScanIdentifiesTheSynthesizerAndTakesItsState) {
  SimSynthDevice& dev = AddSynth(OnChannel(3));
  dev.With([](SimSynth& s) { s.Handle(S::SysExFilter(3, 2, 0)); s.SetMode(2); });
  ASSERT_TRUE(ConnectScan());

  MIDIDevKey out, in;
  DEVICEINQUIRYDATA inquiry;
  MODEANDSTATE state;
  EXPECT_TRUE(link->GetConnectionState(&out, &in, &inquiry, &state));
  EXPECT_EQ(out.name, "Vesk:SOUND");
  EXPECT_EQ(in.name, "Vesk:KEYBOARD");
  EXPECT_EQ(out.type, kDevTypeTarget);
  EXPECT_EQ(link->GetGlobalChannel(), 3);
  EXPECT_EQ(link->GetSystemVersion(), 0x020107u);
  EXPECT_EQ(link->GetMode(), eMode_ProgPlay);
  EXPECT_TRUE(state.IsValid());
  EXPECT_EQ(link->HasEXBPelmar(), 2);
  EXPECT_EQ(link->HasEXBZt40(), 1);
  EXPECT_EQ(link->HasEXBFireWire(), 0);
  EXPECT_EQ(link->GetDevType(), kDevTypeTarget);
  EXPECT_EQ(model.Calls("mas").size(), 1u);
  // The editor switches the synthesizer's SysEx filter on and gives the
  // old state back when it leaves.
  dev.With([](SimSynth& s) { EXPECT_EQ(s.FilterState(), 1); });

  link->Disconnect();
  dev.With([](SimSynth& s) { EXPECT_EQ(s.FilterState(), 0); });
  EXPECT_FALSE(link->GetConnectionState(&out, &in, &inquiry, &state));
  EXPECT_EQ(out, MIDIDevKey());
  EXPECT_EQ(in, MIDIDevKey());
  EXPECT_EQ(link->GetGlobalChannel(), 0);
  EXPECT_EQ(link->GetMode(), eMode_Combi);
  EXPECT_EQ(link->GetBnkPgmPair(), 0xFFFF);
  EXPECT_EQ(link->SendModeAndStateReq(), kRemoteFailed);
}

TEST_F(RemoteMIDIImplTest, ConnectByNamesPicksTheNamedSynthesizer) {
  SimSynthDevice& first = AddSynth(OnChannel(1), "Vesk");
  SimSynthDevice& second = AddSynth(OnChannel(2), "Vesk2");

  // The display names number the synthesizers' ports in list order.
  ASSERT_TRUE(link->Connect(&model, true, "USB-MIDI #2"));
  EXPECT_EQ(link->GetGlobalChannel(), 2);
  MIDIDevKey out;
  link->GetConnectionState(&out, nullptr, nullptr, nullptr);
  EXPECT_EQ(XEUtils::GetMIDIPortName(*link->GetMIDIOutKeyDevArray(), out), "USB-MIDI #2");
  EXPECT_EQ(first.MessagesHandled(), 0u);

  ASSERT_TRUE(link->Connect(&model, false, "Vesk:KEYBOARD", "Vesk:SOUND"));
  EXPECT_EQ(link->GetGlobalChannel(), 1);
  EXPECT_GT(first.MessagesHandled(), 0u);

  link->Disconnect();
  const size_t before = second.MessagesHandled() + first.MessagesHandled();
  EXPECT_FALSE(link->Connect(&model, false, "Vesk:KEYBOARD", ""));
  EXPECT_FALSE(link->Connect(&model, false, "Vesk:KEYBOARD", "Vesk3:SOUND"));
  EXPECT_FALSE(link->Connect(&model, false, "USB-MIDI #3"));
  EXPECT_EQ(second.MessagesHandled() + first.MessagesHandled(), before);
}

TEST_F(RemoteMIDIImplTest, ConnectRefusesWhatIsNotAnAnsweringSynthesizer) {
  struct Case {
    const char* name;
    std::string model;
    std::function<void(SimSynthSettings&)> fault;
  };
  const std::vector<Case> cases = {
      {"other instrument", "Piano", [](SimSynthSettings&) {}},
      {"no answer", "Vesk", [](SimSynthSettings& s) { s.silent = true; }},
      {"replies on another channel", "Vesk", [](SimSynthSettings& s) { s.wrongChannel = true; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SimSynthSettings s = OnChannel(0);
    c.fault(s);
    SimSynthDevice& dev = AddSynth(s, "Vesk", c.model);
    const uint64_t start = NowMs();
    EXPECT_FALSE(ConnectScan());
    EXPECT_FALSE(link->GetConnectionState(nullptr, nullptr, nullptr, nullptr));
    // At most the identity check, the filter query and the mode request.
    EXPECT_LE(NowMs() - start, 3200u);
    dev.Unplug();
  }
}

TEST_F(RemoteMIDIImplTest, CancelInTheSearchWindowEndsTheScan) {
  SimSynthSettings silent = OnChannel(0);
  silent.silent = true;
  SimSynthDevice& a = AddSynth(silent, "Vesk");
  SimSynthDevice& b = AddSynth(silent, "Vesk2");
  std::string text;
  At(30, [&] {
    text = os::HeadlessProgressWindow::Current()->text();
    os::HeadlessProgressWindow::Current()->PressCancel();
  });
  const uint64_t start = NowMs();
  EXPECT_FALSE(ConnectScan());
  EXPECT_EQ(text, "Searching...\n\"Vesk:SOUND\" -> \"Vesk:KEYBOARD\"");
  // Cancelled in the first pair's pause: no identity request goes out.
  EXPECT_LT(NowMs() - start, 500u);
  EXPECT_EQ(a.MessagesHandled() + b.MessagesHandled(), 0u);
  EXPECT_EQ(os::HeadlessProgressWindow::Current(), nullptr);
}

TEST_F(RemoteMIDIImplTest, RequestsFailAsTheSynthesizerAnswers) {
  SimSynthDevice& dev = Connected();
  struct Case {
    const char* name;
    std::function<void(SimSynthSettings&)> fault;
    std::function<int()> request;
    int expected;
    uint64_t elapsedMs;  // at least
  };
  auto progReq = [&] { return link->SendProgDumpReq(0, 5); };
  auto write = [&] { return link->SendProgWriteReq(1, 2); };
  const std::vector<Case> cases = {
      {"status 3 on a write", [](auto& s) { s.statusByte = 3; }, write, Oskend::kSynthStatus3, 0},
      {"status 0x28 on a write", [](auto& s) { s.statusByte = 0x28; }, write,
       Oskend::kSynthStatus28, 0},
      {"status 0 instead of a dump", [](auto& s) { s.dumpRequestStatus = 0; }, progReq,
       kRemoteFailed, 0},
      {"status 1 instead of a dump", [](auto& s) { s.dumpRequestStatus = 1; }, progReq,
       Oskend::kSynthStatus1, 0},
      {"truncated dump", [](auto& s) { s.dumpFault = SimSynthSettings::DumpFault::kTruncated; },
       progReq, kRemoteFailed, 0},
      {"oversize dump", [](auto& s) { s.dumpFault = SimSynthSettings::DumpFault::kOversize; },
       progReq, kRemoteFailed, 0},
      {"stray F0 inside the dump", [](auto& s) { s.strayBytes = {0xF0}; }, progReq,
       kRemoteTimeout, 1000},
      {"no answer", [](auto& s) { s.silent = true; }, progReq, kRemoteTimeout, 1000},
      {"answer on another channel", [](auto& s) { s.wrongChannel = true; }, progReq,
       kRemoteTimeout, 1000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Set(dev, [&](SimSynthSettings& s) { s = OnChannel(3); c.fault(s); });
    model.Clear();
    const uint64_t start = NowMs();
    EXPECT_EQ(c.request(), c.expected);
    EXPECT_GE(NowMs() - start, c.elapsedMs);
    EXPECT_LT(NowMs() - start, c.elapsedMs + 200);
    EXPECT_TRUE(model.Calls("prog").empty());
  }
  // The link is still usable after every fault.
  Set(dev, [](SimSynthSettings& s) { s = OnChannel(3); });
  EXPECT_EQ(link->SendProgDumpReq(0, 5), 0);
  ASSERT_EQ(model.Calls("prog").size(), 1u);
}

TEST_F(RemoteMIDIImplTest, DumpsArriveWholeThroughPacketsAndStrayRealTimeBytes) {
  struct Case {
    const char* name;
    std::function<void(SimSynthSettings&)> wire;
  };
  const std::vector<Case> cases = {
      {"plain", [](SimSynthSettings&) {}},
      {"small packets", [](SimSynthSettings& s) { s.splitPackets = true; s.packetSize = 16; }},
      {"clock byte inside", [](SimSynthSettings& s) { s.strayBytes = {0xF8}; s.strayAt = 300; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SimSynthSettings s = OnChannel(3);
    c.wire(s);
    SimSynthDevice& dev = Connected(s);
    const Bytes memory = dev.Memory();
    model.Clear();

    EXPECT_EQ(link->SendCombiDumpReq(0, -1), 0);
    EXPECT_EQ(link->SendCurCombiDumpReq(true), 0);
    EXPECT_EQ(link->SendGlobalDumpReq(), 0);
    auto combis = model.Calls("combi");
    ASSERT_EQ(combis.size(), 1u);
    EXPECT_EQ(combis[0].a, 0);
    EXPECT_EQ(combis[0].b, -1);
    EXPECT_TRUE(combis[0].data == Region(memory, SimSynth::kCombisOffset, S::kAllCombisSize));
    ASSERT_EQ(model.Calls("curcombi").size(), 1u);
    EXPECT_TRUE(model.Calls("curcombi")[0].data ==
                Region(memory, SimSynth::kCombiEditOffset, S::kCombiSize));
    ASSERT_EQ(model.Calls("global").size(), 1u);
    EXPECT_TRUE(model.Calls("global")[0].data == Region(memory, SimSynth::kGlobalOffset, S::kGlobalSize));
    if (!s.strayBytes.empty()) {
      auto shorts = model.Calls("short");
      ASSERT_EQ(shorts.size(), 3u);
      EXPECT_EQ(shorts[0].data, Bytes{0xF8});
      EXPECT_EQ(shorts[0].a, eChgSource_SynthMIDI);
    }
    link->Disconnect();
    dev.Unplug();
  }
}

TEST_F(RemoteMIDIImplTest, AWholeBankInSmallPacketsArrivesWhole) {
  SimSynthSettings s = OnChannel(3);
  s.splitPackets = true;
  s.packetSize = 64;
  SimSynthDevice& dev = Connected(s);
  EXPECT_EQ(link->SendProgDumpReq(1, -1), 0);
  auto bank = model.Calls("prog");
  ASSERT_EQ(bank.size(), 1u);
  EXPECT_EQ(bank[0].a, 1);
  EXPECT_EQ(bank[0].b, -1);
  EXPECT_TRUE(bank[0].data == Region(dev.Memory(), SimSynth::ProgOffset(1, 0), S::kProgBankSize));
}

TEST_F(RemoteMIDIImplTest, SlowWireTakesItsTimeAndEveryBlockKeepsTheSessionAlive) {
  SimSynthSettings s = OnChannel(3);
  s.slowWire = true;
  SimSynthDevice& dev = Connected(s);
  const Bytes memory = dev.Memory();

  uint64_t start = NowMs();
  EXPECT_EQ(link->SendProgDumpReq(2, 9), 0);
  // 12 bytes out and 1696 back at 3,125 bytes per second.
  EXPECT_GE(NowMs() - start, (12 + 1696) * 1000 / 3125);
  ASSERT_EQ(model.Calls("prog").size(), 1u);
  EXPECT_TRUE(model.Calls("prog")[0].data == Region(memory, SimSynth::ProgOffset(2, 9), S::kProgSize));

  // A whole bank takes about 69 s, far beyond the 10 s time-out, which
  // runs from the last activity.
  start = NowMs();
  EXPECT_EQ(link->SendProgDumpReq(3, -1), 0);
  EXPECT_GE(NowMs() - start, 215346u * 1000 / 3125);

  Bytes bank(memory.begin() + SimSynth::ProgOffset(0, 0),
             memory.begin() + SimSynth::ProgOffset(0, 0) + S::kProgBankSize);
  for (auto& b : bank) b ^= 0x5A;
  start = NowMs();
  EXPECT_EQ(link->SendProgDump(0, -1, bank.data(), unsigned(bank.size()), true), 0);
  EXPECT_GE(NowMs() - start, 215346u * 1000 / 3125);
  EXPECT_TRUE(Region(dev.Memory(), SimSynth::ProgOffset(0, 0), S::kProgBankSize) == bank);
  auto log = dev.Log();
  ASSERT_GE(log.size(), 2u);
  EXPECT_EQ(log[log.size() - 2].kind, SimSynthEvent::kDumpReceived);
  EXPECT_EQ(log.back().kind, SimSynthEvent::kBankStore);
}

// The partner is gone: the wait for the rest of its dump ends at once
// instead of running into the time-out.
TEST_F(RemoteMIDIImplTest, UnpluggingDuringADumpFromTheSynthesizerFailsAtOnce) {
  SimSynthSettings s = OnChannel(3);
  s.slowWire = true;
  SimSynthDevice& dev = Connected(s);
  At(3000, [&] { dev.Unplug(); });
  const uint64_t start = NowMs();
  EXPECT_EQ(link->SendProgDumpReq(0, -1), kRemoteFailed);
  EXPECT_LT(NowMs() - start, 3000u + 500u);
  EXPECT_TRUE(model.Calls("prog").empty());
  EXPECT_FALSE(link->PortsPresent());
}

TEST_F(RemoteMIDIImplTest, UnpluggingDuringADumpToTheSynthesizerFailsAtOnce) {
  SimSynthSettings s = OnChannel(3);
  s.slowWire = true;
  SimSynthDevice& dev = Connected(s);
  const Bytes bank(S::kProgBankSize, 0x11);

  // From the main thread, with the progress window's modal loop.
  At(2000, [&] { dev.Unplug(); });
  uint64_t start = NowMs();
  EXPECT_EQ(link->SendProgDump(1, -1, bank.data(), unsigned(bank.size()), false), kRemoteFailed);
  EXPECT_LT(NowMs() - start, 2500u);
  // Nothing more goes out: a send that waits for nothing reports the failure too.
  EXPECT_EQ(link->SendParamChange(3, 0x8123, 1000), kRemoteFailed);

  // From a thread of the caller's, waiting on the session's event.
  SimSynthDevice& other = AddSynth(s, "Vesk2");
  ASSERT_TRUE(ConnectScan());
  other.UnplugAfterReceiving(20000);
  int result = 0;
  os::Thread caller;
  start = NowMs();
  caller.Start([&] { result = link->SendProgDump(2, -1, bank.data(), unsigned(bank.size()), false); });
  caller.Join();
  EXPECT_EQ(result, kRemoteFailed);
  EXPECT_LT(NowMs() - start, 20000u * 1000 / 3125 + 500);
}

TEST_F(RemoteMIDIImplTest, CancelStopsASendWithALoneEndOfExclusive) {
  SimSynthSettings s = OnChannel(3);
  s.slowWire = true;
  SimSynthDevice& dev = Connected(s);
  const Bytes bank(S::kProgBankSize, 0x22);
  dev.Device().SetReceiver(nullptr);  // only record what arrives
  const size_t before = dev.Device().ReceivedBytes().size();

  std::string text;
  At(5000, [&] {
    auto* w = os::HeadlessProgressWindow::Current();
    ASSERT_NE(w, nullptr);
    text = w->text();
    w->PressCancel();
  });
  EXPECT_EQ(link->SendProgDump(0, -1, bank.data(), unsigned(bank.size()), true), kRemoteAborted);
  EXPECT_EQ(text.rfind("Transmitting...\n", 0), 0u) << text;
  EXPECT_NE(text, "Transmitting...\n0 %");
  EXPECT_EQ(os::HeadlessProgressWindow::Current(), nullptr);

  dev.Device().WaitReceivedBytes(before + 1, 1000);
  const Bytes got = dev.Device().ReceivedBytes();
  const Bytes sent(got.begin() + before, got.end());
  ASSERT_GE(sent.size(), 2u);
  EXPECT_LT(sent.size(), 215346u);
  EXPECT_EQ(sent.size() % 1024, 1u);  // whole blocks, then the lone F7
  EXPECT_EQ(sent.back(), 0xF7);
  EXPECT_EQ(std::count(sent.begin(), sent.end(), 0xF7), 1);

  // The abort is over with the window: the next session runs.
  EXPECT_EQ(link->SendParamChange(3, 1, 2), 0);
}

TEST_F(RemoteMIDIImplTest, ModeChangeAcceptsEchoOrStatusAndTimesOutOnSilence) {
  SimSynthDevice& dev = Connected();
  EXPECT_EQ(link->SendModeChange(eMode_ProgPlay), 0);
  EXPECT_EQ(link->GetMode(), eMode_ProgPlay);
  ASSERT_EQ(model.Calls("mode").size(), 1u);

  Set(dev, [](SimSynthSettings& s) { s.modeChangeByStatus = true; });
  EXPECT_EQ(link->SendModeChange(eMode_Combi), 0);
  Set(dev, [](SimSynthSettings& s) { s.statusByte = 4; });
  EXPECT_EQ(link->SendModeChange(eMode_Global), Oskend::kSynthStatus4);

  Set(dev, [](SimSynthSettings& s) { s.silent = true; });
  const uint64_t start = NowMs();
  EXPECT_EQ(link->SendModeChange(eMode_ProgPlay), kRemoteTimeout);
  EXPECT_GE(NowMs() - start, 5000u);
  EXPECT_LT(NowMs() - start, 5200u);
  EXPECT_EQ(link->GetMode(), eMode_ProgPlay);
}

TEST_F(RemoteMIDIImplTest, PanelMessagesReachTheModel) {
  SimSynthDevice& dev = Connected(OnChannel(0));
  dev.Emit(S::ParamChange(0, 3, 0x8123, 1000));
  dev.Emit(S::ParamChange(5, 3, 1, 1));  // another channel: not ours
  dev.Emit(S::MasterVolume(0, 1000));
  dev.Emit({0xB0, 0x20, 0x09});
  dev.Emit({0xC0, 0x05});
  ASSERT_TRUE(env.loop().RunUntil([&] { return !model.Calls("pc").empty(); }, 1000));
  EXPECT_EQ(link->GetBnkPgmPair(), 0x0508);
  dev.Emit(S::ModeChange(0, 2));
  ASSERT_TRUE(env.loop().RunUntil([&] { return !model.Calls("mode").empty(); }, 1000));
  auto params = model.Calls("param");
  ASSERT_EQ(params.size(), 1u);
  EXPECT_EQ(params[0].a, 3);
  EXPECT_EQ(params[0].b, 0x8123);
  EXPECT_EQ(params[0].c, 1000);
  ASSERT_EQ(model.Calls("volume").size(), 1u);
  EXPECT_EQ(model.Calls("volume")[0].a, 1000);
  auto pcs = model.Calls("pc");
  ASSERT_EQ(pcs.size(), 1u);
  EXPECT_EQ(pcs[0].a, 8);  // combination mode: bank select 9 is bank 8
  EXPECT_EQ(pcs[0].b, 5);
  EXPECT_EQ(model.Calls("short").size(), 2u);
  EXPECT_EQ(link->GetMode(), eMode_ProgPlay);
}

TEST_F(RemoteMIDIImplTest, ALargeDumpFromThePanelGetsAReceivingWindow) {
  SimSynthSettings s = OnChannel(3);
  s.slowWire = true;
  SimSynthDevice& dev = Connected(s);
  dev.With([](SimSynth& synth) { synth.FillPattern(3); });

  std::string seen;
  auto look = [&] {
    if (auto* w = os::HeadlessProgressWindow::Current()) seen = w->text();
  };
  // A single program (1.7 KB) opens nothing.
  Bytes dump;
  dev.With([&](SimSynth& synth) { dump = synth.PanelDump(S::kKindProg, 0, 1); });
  dev.Emit(dump);
  At(300, look);
  ASSERT_TRUE(env.loop().RunUntil([&] { return !model.Calls("prog").empty(); }, 2000));
  EXPECT_EQ(seen, "");

  // All combinations (30 KB) do.
  dev.With([&](SimSynth& synth) { dump = synth.PanelDump(S::kKindAllCombis, 0, -1); });
  dev.Emit(dump);
  At(5000, look);
  ASSERT_TRUE(env.loop().RunUntil([&] { return !model.Calls("combi").empty(); }, 20000));
  EXPECT_EQ(seen.rfind("Receiving...\n", 0), 0u) << seen;
  EXPECT_EQ(model.Calls("combi")[0].b, -1);
  EXPECT_EQ(model.Calls("combi")[0].data.size(), S::kAllCombisSize);
}

TEST_F(RemoteMIDIImplTest, ProgramChangeFollowsTheMode) {
  SimSynthDevice& dev = Connected(OnChannel(2));
  link->SetBankMap(static_cast<Oskend::BankMap>(1));
  EXPECT_EQ(link->SendProgramChange(Oskend::eBankID_A, 17), 0);
  EXPECT_EQ(link->GetBnkPgmPair(), 0x1100);
  EXPECT_EQ(link->SendProgramChange(Oskend::eBankID_B, 1), kRemoteFailed);
  ASSERT_EQ(link->SendModeChange(eMode_ProgPlay), 0);
  EXPECT_EQ(link->SendProgramChange(Oskend::eBankID_D, 100), 0);
  EXPECT_EQ(link->GetBnkPgmPair(), 0x6403);
  dev.Device().WaitReceivedBytes(dev.Device().ReceivedBytes().size() + 1, 10);
  ASSERT_TRUE(env.loop().RunUntil(
      [&] {
        for (auto& e : dev.Log())
          if (e.kind == SimSynthEvent::kProgramChange && e.number == 100) return true;
        return false;
      },
      1000));
  dev.With([](SimSynth& s) {
    EXPECT_EQ(s.CurrentBank(), 3);
    EXPECT_EQ(s.CurrentProgram(), 100);
  });
  // Program mode as the synthesizer reports it keeps the same pair.
  ASSERT_EQ(link->SendModeChange(eMode_ProgEdit), 0);
  EXPECT_EQ(link->GetBnkPgmPair(), 0x6403);
  EXPECT_EQ(link->SendProgramChange(Oskend::eBankID_B, 5), 0);
  EXPECT_EQ(link->GetBnkPgmPair(), 0x0501);
  // The combination shown without a dump keeps no pair, and a change made
  // there leaves the combination pair as it was.
  ASSERT_EQ(link->SendModeChange(eMode_CombiNoDump), 0);
  EXPECT_EQ(link->GetBnkPgmPair(), 0);
  EXPECT_EQ(link->SendProgramChange(Oskend::eBankID_A, 3), 0);
  EXPECT_EQ(link->GetBnkPgmPair(), 0);
  ASSERT_EQ(link->SendModeChange(eMode_Combi), 0);
  EXPECT_EQ(link->GetBnkPgmPair(), 0x1100);
}

TEST_F(RemoteMIDIImplTest, SendersRefuseWhatTheyCannotSend) {
  const Bytes data(S::kProgBankSize, 0);
  EXPECT_EQ(link->SendProgDumpReq(0, 0), kRemoteFailed);  // not connected
  EXPECT_EQ(link->SendParamChange(3, 1, 1), kRemoteFailed);
  EXPECT_EQ(link->SendShortMsg(0, "\xF8", 1), kRemoteFailed);

  SimSynthDevice& dev = Connected();
  const size_t handled = dev.MessagesHandled();
  EXPECT_EQ(link->SendCombiDumpReq(-1, 3), 1);
  EXPECT_EQ(link->SendCombiBankStoreReq(1), Oskend::kSynthStatus3);
  EXPECT_EQ(link->SendProgDump(4, -1, data.data(), unsigned(data.size()), false), kRemoteAborted);
  // All four banks need four banks of data.
  EXPECT_EQ(link->SendProgDump(-1, -1, data.data(), unsigned(data.size()), false), kRemoteFailed);
  EXPECT_EQ(link->SendCombiDump(-1, -1, data.data(), 100, false), kRemoteFailed);
  EXPECT_EQ(link->SendSysEXFilter(1, true), kRemoteFailed);
  EXPECT_EQ(dev.MessagesHandled(), handled);
  EXPECT_EQ(link->SendSongDeleteDump(0), 0);
}

// A full output never holds a sender back: a short message that finds the
// output queue full is refused at once, from any sender, counted, and told
// in words on the standard error, a line for the first loss and then at
// most one a second. What was accepted arrives whole and in order.
TEST_F(RemoteMIDIImplTest, AFullOutputRefusesAtOnceAndCountsAndTellsTheLoss) {
  SimSynthDevice& dev = Connected();
  const size_t before = dev.Device().ReceivedBytes().size();
  const uint64_t start = NowMs();
  const long long due = static_cast<long long>(start + 500) * 1000;
  const int room = Oskend::CRemoteMIDIImpl::kOutputQueueEvents;
  Bytes sent;
  for (int i = 0; i < room; ++i) {
    const uint8_t m[3] = {0x91, uint8_t(i & 0x7F), uint8_t(1 + (i >> 7) % 127)};
    ASSERT_EQ(link->SendShortMsg(due, m, 3), 0) << i;
    sent.insert(sent.end(), m, m + 3);
  }
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(link->SendShortMsg(due, "\xF8", 1), Oskend::kRemoteQueueFull);
  EXPECT_EQ(link->SendShortMsg(due, "\xF8", 1), Oskend::kRemoteQueueFull);
  EXPECT_EQ(link->SendProgramChange(Oskend::eBankID_A, 3), Oskend::kRemoteQueueFull);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "vesk: the MIDI output to the synthesizer was full: 1 message was not sent (1 in all)\n");
  EXPECT_EQ(NowMs(), start) << "a sender waited for room";
  EXPECT_EQ(link->DroppedShortMessages(), 3u);

  ASSERT_TRUE(dev.Device().WaitReceivedBytes(before + sent.size(), 10'000));
  const Bytes got = dev.Device().ReceivedBytes();
  EXPECT_EQ(Bytes(got.begin() + static_cast<long>(before), got.end()), sent);
  // The next sender a second after the first line tells what was untold.
  env.loop().RunFor(start + 1000 - NowMs());
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(link->SendShortMsg(static_cast<long long>(NowMs()) * 1000, "\xFE", 1), 0);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "vesk: the MIDI output to the synthesizer was full: 2 messages were not sent (3 in all)\n");
}

TEST_F(RemoteMIDIImplTest, TheModelsProgressWindowSpansSessions) {
  SimSynthDevice& dev = Connected(OnChannel(5));
  const size_t before = dev.Device().ReceivedBytes().size();
  ASSERT_TRUE(link->UIActivate());
  EXPECT_TRUE(link->UIIsActive());
  // Opening it silences the synthesizer.
  ASSERT_TRUE(dev.Device().WaitReceivedBytes(before + 3, 100));
  const Bytes got = dev.Device().ReceivedBytes();
  EXPECT_EQ(Bytes(got.begin() + before, got.end()), (Bytes{0xB5, 0x78, 0x00}));

  ASSERT_TRUE(link->UIConfigure("Receive All", 4, 1, 0));
  EXPECT_EQ(link->SendGlobalDumpReq(), 0);
  EXPECT_TRUE(link->UIIsActive());  // a session does not close the model's window
  link->UIProgress(1, 1, nullptr);
  env.loop().RunPending();
  EXPECT_EQ(os::HeadlessProgressWindow::Current()->text(), "Receive All\n25 %");

  uint64_t start = NowMs();
  EXPECT_EQ(link->UIWait(300), 0);
  EXPECT_GE(NowMs() - start, 300u);

  // Cancel holds until the model closes the window: sessions are refused.
  At(50, [] { os::HeadlessProgressWindow::Current()->PressCancel(); });
  EXPECT_EQ(link->UIWait(1000), kRemoteAborted);
  EXPECT_TRUE(link->UIIsAborted());
  EXPECT_EQ(link->SendModeAndStateReq(), kRemoteAborted);
  link->UIDeactivate();
  EXPECT_FALSE(link->UIIsActive());
  EXPECT_FALSE(link->UIIsAborted());
  EXPECT_EQ(link->SendModeAndStateReq(), 0);
}

}  // namespace
}  // namespace vesk::test
