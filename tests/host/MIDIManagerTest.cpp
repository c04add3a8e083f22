#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <thread>

#include "os/Clock.h"
#include "tests/host/HostMIDIFixture.h"

namespace vesk::test {
namespace {

using Bytes = std::vector<uint8_t>;
using Event = FakeComponent::Event;

os::midi::PacketList ListOf(uint64_t timeUs, const Bytes& bytes) {
  os::midi::PacketList l;
  l.Add(timeUs, bytes.data(), bytes.size());
  return l;
}

class MIDIManagerTest : public HostMIDIFixture {};

TEST_F(MIDIManagerTest, ConstructionOffersTheHandshakeAndTheHostCallbacks) {
  Make();
  ASSERT_TRUE(component.handshakeSeen);
  EXPECT_EQ(component.seen.host, static_cast<ITALVIKHOST_talvikvstinterface1*>(manager.get()));
  EXPECT_EQ(component.seen.component, nullptr);
  EXPECT_EQ(component.seen.version, 0x10005u);
  EXPECT_EQ(manager->ComponentInterface(), &component);
  EXPECT_EQ(component.host, static_cast<ITALVIKHOST_talvikvstinterface1*>(manager.get()));

  ASSERT_NE(component.callbacks.beatAndTempo, nullptr);
  EXPECT_EQ(component.callbacks.musicalTimeLocation, nullptr);
  EXPECT_EQ(component.callbacks.transportState, nullptr);
  double beat = -1, tempo = 0;
  EXPECT_EQ(component.callbacks.beatAndTempo(component.callbacks.userData, &beat, &tempo), 0);
  EXPECT_EQ(beat, 0.0);
  EXPECT_EQ(tempo, 120.0);  // before any clock
}

TEST_F(MIDIManagerTest, AComponentWithoutTheHandshakeLeavesTheHostWithoutItsTable) {
  component.acceptHandshake = false;
  Make();
  EXPECT_EQ(manager->ComponentInterface(), nullptr);
  manager->HandleBankOpen();
  manager->SetKnobMode(2);
  EXPECT_TRUE(component.Calls().empty());
}

TEST_F(MIDIManagerTest, ARefusedHostCallbackPropertyFailsConstruction) {
  component.hostCallbacksStatus = -10877;
  try {
    Make();
    ADD_FAILURE();
  } catch (const NRXMacOSException& e) {
    EXPECT_EQ(e.code(), -10877);
  }
}

TEST_F(MIDIManagerTest, SampleOffsetsFallInsideTheRenderBuffer) {
  auto& m = Make();
  m.SetSampleRateAndBufferFrameSize(48000.0, 256);
  const uint64_t render = 5'000'000'000ull;
  EXPECT_EQ(m.CalcMIDISampleOffset(render + 1'000'000), 0u);  // no render yet
  HostAudioTimeStamp ts{render, 0};
  m.InProcess(&ts);  // without a valid host time: ignored
  EXPECT_EQ(m.CalcMIDISampleOffset(render + 1'000'000), 0u);
  ts.flags = HostAudioTimeStamp::kHostTimeValid;
  m.InProcess(&ts);
  m.InProcess(nullptr);
  struct Case {
    int64_t afterNs;
    uint32_t offset;
  };
  for (const Case& c : {Case{0, 0}, Case{1'000'000, 48}, Case{10'000, 0}, Case{11'000, 1},
                        Case{-1'000'000, 0}, Case{5'300'000, 254}, Case{6'000'000, 255},
                        Case{60'000'000'000, 255}})
    EXPECT_EQ(m.CalcMIDISampleOffset(render + c.afterNs), c.offset) << c.afterNs;
}

TEST_F(MIDIManagerTest, ChannelMessagesReachTheComponentWithoutRunningStatusOrSysEx) {
  auto& m = Make();
  auto keys = AddGeneric();
  Rebuild();
  ASSERT_EQ(TypeOf(keys->source()), std::make_pair(4, 1));
  m.SetSampleRateAndBufferFrameSize(48000.0, 256);
  HostAudioTimeStamp ts{os::NowUs() * 1000, HostAudioTimeStamp::kHostTimeValid};
  m.InProcess(&ts);
  const uint64_t t = os::NowUs();
  struct Case {
    const char* name;
    Bytes bytes;
    std::vector<Event> want;
  };
  const Case cases[] = {
      {"note on", {0x90, 0x40, 0x7F}, {{0x90, 0x40, 0x7F, 48}}},
      {"no running status", {0x90, 0x40, 0x7F, 0x41, 0x7F}, {{0x90, 0x40, 0x7F, 48}}},
      {"data bytes alone", {0x40, 0x7F}, {}},
      {"program change and clock", {0xC3, 0x05, 0xF8, 0xB0, 0x07, 0x64},
       {{0xC3, 0x05, 0xB0, 48}, {0xB0, 0x07, 0x64, 48}}},
      {"only clocks", {0xF8, 0xF8}, {}},
      {"controller SysEx", {0xF0, 0x42, 0x40, 0x6E, 0x00, 0x04, 0x01, 0x02, 0xF7, 0xE0, 0x00, 0x40},
       {{0xE0, 0x00, 0x40, 48}}},
      {"lone end of SysEx", {0xF7, 0xFE}, {{0xFE, 0, 0, 48}}},
      {"cut at the end", {0xB0, 0x01}, {{0xB0, 0x01, 0, 48}}},
  };
  for (const Case& c : cases) {
    component.Clear();
    const os::midi::PacketList l = ListOf(t + 1000, c.bytes);
    m.HandleMIDIPackets(&l, keys->source());
    EXPECT_EQ(component.Events(), c.want) << c.name;
  }
}

TEST_F(MIDIManagerTest, InputFromAConnectedPortIsPlayedAndLongPacketsAreKeptWhole) {
  auto& m = Make();
  auto keys = AddGeneric();
  auto other = AddGeneric("OTHER");
  Rebuild();
  m.SetSource(0, keys->source(), false);
  Bytes notes;
  for (int i = 0; i < 100; ++i) notes.insert(notes.end(), {0x90, static_cast<uint8_t>(i), 0x40});
  keys->EmitList({notes});  // 300 bytes in one packet
  other->Emit(Bytes{0x90, 0x01, 0x01});  // not connected
  ASSERT_TRUE(component.WaitEvents(100));
  const auto events = component.Events();
  ASSERT_EQ(events.size(), 100u);
  for (int i = 0; i < 100; ++i) EXPECT_EQ(events[i].data1, static_cast<uint32_t>(i));
  EXPECT_EQ(m.RingLength(), 0u);  // drained: nothing was waiting for assembly

  m.SetSource(0, 0, false);
  keys->Emit(Bytes{0x90, 0x02, 0x02});
  EXPECT_FALSE(component.WaitEvents(101, 50));
}

TEST_F(MIDIManagerTest, ClockToTempo) {
  auto& m = Make();
  m.SetSampleRateAndBufferFrameSize(44100.0, 512);
  const uint64_t t0 = 7'000'000'000ull;
  auto clocks = [&](int n, uint64_t from, uint64_t every) {
    for (int i = 0; i < n; ++i) m.MIDIClockSync_HandleMIDIPackets(ListOf(from + i * every, {0xF8}));
  };
  clocks(1, t0, 0);
  EXPECT_EQ(m.Tempo(), 120.0);  // the first clock measures nothing
  ASSERT_EQ(component.Events().size(), 1u);
  EXPECT_EQ(component.Events()[0], (Event{0xF8, 0, 0, 0}));

  // Clocks sharing a time stamp say nothing either (and divide by nothing).
  os::midi::PacketList same;
  same.Add(t0, Bytes{0xF8, 0xF8}.data(), 2);
  same.Add(t0, Bytes{0xF8}.data(), 1);
  m.MIDIClockSync_HandleMIDIPackets(same);
  EXPECT_EQ(m.Tempo(), 120.0);
  EXPECT_EQ(component.Events().size(), 4u);

  clocks(100, t0 + 20'833, 20'833);  // the 100-entry ring is full
  EXPECT_EQ(m.Tempo(), 120.0);
  clocks(200, t0 + 101 * 20'833, 10'417);  // 24 per beat at 240 bpm
  EXPECT_EQ(m.Tempo(), 240.0);

  clocks(120, t0 + 100'000'000, 1);  // absurdly fast: clamped
  EXPECT_EQ(m.Tempo(), TalvikHostMIDIManager::kMaxTempo);
  clocks(120, t0 + 200'000'000, 60'000'000);  // absurdly slow
  EXPECT_EQ(m.Tempo(), TalvikHostMIDIManager::kMinTempo);
  double beat = 1, tempo = 0;
  TalvikHostMIDIManager::MIDIClockSync_HostCallbacks_GetBeatAndTempoProc(manager.get(), &beat,
                                                                       &tempo);
  EXPECT_EQ(beat, 0.0);
  EXPECT_EQ(tempo, TalvikHostMIDIManager::kMinTempo);
}

TEST_F(MIDIManagerTest, TheClockSourcePortFeedsTheTempoAndCanBeChanged) {
  auto& m = Make();
  auto clockDev = AddGeneric("CLOCK");
  auto other = AddGeneric("OTHER");
  Rebuild();
  m.SetClockSyncSource(clockDev->source());
  m.SetClockSyncSource(clockDev->source());  // unchanged: nothing happens
  for (int i = 0; i < 3; ++i) {
    clockDev->Emit(Bytes{0xF8});
    ASSERT_TRUE(component.WaitEvents(i + 1));
    env.clock().Advance(10'417);
  }
  EXPECT_GT(m.Tempo(), 120.0);
  m.SetClockSyncSource(other->source());
  clockDev->Emit(Bytes{0xF8});
  other->Emit(Bytes{0xF8});
  ASSERT_TRUE(component.WaitEvents(4));
  EXPECT_FALSE(component.WaitEvents(5, 20));
  m.SetClockSyncSource(0);
  other->Emit(Bytes{0xF8});
  EXPECT_FALSE(component.WaitEvents(5, 20));
}

TEST_F(MIDIManagerTest, SlotsCheckTheirNumberAndIgnoreARepeat) {
  auto& m = Make();
  auto keys = AddGeneric();
  Rebuild();
  EXPECT_NE(FailureOf([&] { m.SetSource(3, keys->source(), true); })
                .find("0 <= inSlotIndex && inSlotIndex < TalvikHostMIDIManager_MIDIReveiveSlotCount"),
            std::string::npos);
  EXPECT_NE(FailureOf([&] { m.SetSource(-1, 0, false); }), "");
  int type = 9, index = 9;
  EXPECT_NE(FailureOf([&] { m.GetSourceType(0x7777, type, index); }).find("sourceData"),
            std::string::npos);
  EXPECT_EQ(type, 9);
  m.SetSource(1, keys->source(), true);
  m.SetSource(1, keys->source(), true);
  keys->Emit(Bytes{0x80, 0x40, 0x00});
  ASSERT_TRUE(component.WaitEvents(1));
  EXPECT_FALSE(component.WaitEvents(2, 20));  // connected once, played once
  EXPECT_TRUE(component.Calls().empty());     // a generic source attaches no controller
}

}  // namespace
}  // namespace vesk::test
