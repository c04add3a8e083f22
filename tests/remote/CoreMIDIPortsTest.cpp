#include <gtest/gtest.h>

#include <mutex>

#include "os/Clock.h"
#include "os/Monitor.h"
#include "os/Thread.h"
#include "os/midi/VirtualBus.h"
#include "remote/CCoreMIDIIn.h"
#include "remote/CoreMIDIEndpoint.h"
#include "remote/CoreMIDIOut.h"
#include "tests/remote/MIDITestSupport.h"
#include "tests/support/TestEnvironment.h"

namespace {

using os::midi::VirtualBus;
using vesk::test::Bytes;
using vesk::test::Hex;
using vesk::test::RecordingCallback;

VirtualBus::DeviceDesc Desc(const char* device, std::optional<std::string> maker,
                            std::optional<std::string> model) {
  VirtualBus::DeviceDesc s;
  s.deviceName = device;
  s.manufacturer = std::move(maker);
  s.model = std::move(model);
  return s;
}

// Runs fn on a tracked thread once `ms` of simulated time have passed.
class After {
 public:
  After(uint64_t ms, std::function<void()> fn) {
    thread_.Start([ms, fn = std::move(fn)] {
      os::Monitor m;
      std::unique_lock<std::mutex> lock(m.mutex());
      m.WaitFor(lock, ms, [] { return false; });
      lock.unlock();
      fn();
    });
  }

 private:
  os::Thread thread_;
};

class CoreMIDIPorts : public ::testing::Test {
 protected:
  CoreMIDIPorts() { os::midi::System::Install(&bus); }
  std::shared_ptr<VirtualBus::Device> AddSynth(uint32_t bytesPerSecond = 0) {
    VirtualBus::DeviceDesc s = Desc("Vesk", "TAVO", "Vesk");
    s.toDevice.bytesPerSecond = bytesPerSecond;
    return bus.AddDevice(s);
  }
  MIDIDevKey OutKey(const VirtualBus::Device& d) {
    return CoreMIDIEndpoint::MakeKey(kDevTypeTarget, "Vesk:SOUND", d.destination());
  }
  MIDIDevKey InKey(const VirtualBus::Device& d) {
    return CoreMIDIEndpoint::MakeKey(kDevTypeTarget, "Vesk:KEYBOARD", d.source());
  }

  vesk::test::TestEnvironment env;
  VirtualBus bus;
};

TEST_F(CoreMIDIPorts, ListsOnlyTheSynthesizersEndpoints) {
  auto full = bus.AddDevice(Desc("Vesk A", CoreMIDIEndpoint::kMakerFullName, "Vesk"));
  auto later = bus.AddDevice(Desc("Vesk B", "TAVO", "Vesk-2"));
  bus.AddDevice(Desc("Other", "TAVO", "MyVesk"));
  bus.AddDevice(Desc("NoModel", "TAVO", std::nullopt));
  bus.AddDevice(Desc("NoMaker", std::nullopt, "Vesk"));
  bus.AddDevice(Desc("Elsewhere", "ACME", "Vesk"));
  bus.AddDevice(Desc("Near", CoreMIDIEndpoint::kMakerFullName, "Vesk-2"));
  VirtualBus::DeviceDesc orphan = Desc("", "TAVO", "Vesk");
  orphan.hasDevice = false;
  auto lone = bus.AddDevice(orphan);

  const MIDIDevKey kept(kDevTypeUnknown, "kept", nullptr, 0);
  std::vector<MIDIDevKey> outs{kept};
  MIDIOutCreate()->AppendEnumDevices(&outs);
  const std::vector<MIDIDevKey> wantOut{
      kept,
      CoreMIDIEndpoint::MakeKey(kDevTypeTarget, "Vesk A:SOUND", full->destination()),
      CoreMIDIEndpoint::MakeKey(kDevTypeTarget, "Vesk B:SOUND", later->destination()),
      CoreMIDIEndpoint::MakeKey(kDevTypeTarget, "", lone->destination())};
  EXPECT_EQ(outs, wantOut);

  std::vector<MIDIDevKey> ins;
  MIDIInCreate()->AppendEnumDevices(&ins);
  ASSERT_EQ(ins.size(), 3u);
  EXPECT_EQ(ins[0].name, "Vesk A:KEYBOARD");
  const uint32_t src = full->source();
  EXPECT_EQ(ins[0].inst, (Bytes{uint8_t(src), uint8_t(src >> 8), uint8_t(src >> 16),
                                uint8_t(src >> 24)}));

  eDevType type = kDevTypeTarget;
  EXPECT_FALSE(CoreMIDIEndpoint::IsTargetSynthEndpoint(0xDEAD, type));
  EXPECT_EQ(type, kDevTypeUnknown);
}

TEST_F(CoreMIDIPorts, OpeningFailsCleanlyOnBadKeys) {
  auto synth = AddSynth();
  CoreMIDIOut out;
  CCoreMIDIIn in;
  RecordingCallback rec;
  const MIDIDevKey shortKey(kDevTypeTarget, "x", "\x01\x02", 2);
  const MIDIDevKey zero = CoreMIDIEndpoint::MakeKey(kDevTypeTarget, "x", 0);
  const MIDIDevKey gone = CoreMIDIEndpoint::MakeKey(kDevTypeTarget, "x", 0xDEAD);
  for (const MIDIDevKey* key : {static_cast<const MIDIDevKey*>(nullptr), &shortKey, &zero}) {
    EXPECT_FALSE(out.Open(key, 0, 0));
    EXPECT_FALSE(out.IsOpen());
    EXPECT_FALSE(in.Open(key, &rec, 0, 0));
    EXPECT_FALSE(in.IsOpen());
  }
  EXPECT_FALSE(in.Open(&gone, &rec, 0, 0));

  const MIDIDevKey outKey = OutKey(*synth), inKey = InKey(*synth);
  EXPECT_TRUE(out.Open(&outKey, 0, 0));
  EXPECT_TRUE(in.Open(&inKey, &rec, 0, 0));
  EXPECT_TRUE(out.Open(&outKey, 0, 0));  // reopening closes first
  EXPECT_TRUE(out.IsOpen() && in.IsOpen());
  out.Close();
  in.Close();
  EXPECT_FALSE(out.IsOpen() || in.IsOpen());
  EXPECT_FALSE(out.SendShort("\x90\x3C\x40", 3));

  // Without a MIDI system nothing opens.
  os::midi::System::Install(nullptr);
  EXPECT_FALSE(out.Open(&outKey, 0, 0));
  EXPECT_FALSE(in.Open(&inKey, &rec, 0, 0));
}

TEST_F(CoreMIDIPorts, MessagesTravelBothWays) {
  VirtualBus::DeviceDesc s = Desc("Vesk", "TAVO", "Vesk");
  s.toHost.groupMessages = true;
  s.toHost.maxPacketBytes = 16;
  auto synth = bus.AddDevice(s);
  CoreMIDIOut out;
  CCoreMIDIIn in;
  RecordingCallback rec;
  const MIDIDevKey outKey = OutKey(*synth), inKey = InKey(*synth);
  ASSERT_TRUE(out.Open(&outKey, 0, 0));
  ASSERT_TRUE(in.Open(&inKey, &rec, 0, 0));

  EXPECT_TRUE(out.SendShort("\xB0\x78\x00", 3));
  EXPECT_FALSE(out.SendShort("", 0));
  ASSERT_TRUE(synth->WaitReceivedBytes(3, 1000));
  EXPECT_EQ(synth->ReceivedBytes(), Hex("B0 78 00"));
  const Bytes sysex = Hex("F0 42 30 00 01 0C 4E 02 00 F7");
  EXPECT_TRUE(out.SendLong(sysex.data(), sysex.size(), 1000));
  EXPECT_EQ(synth->ReceivedBytes(), Hex("B0 78 00 F0 42 30 00 01 0C 4E 02 00 F7"));

  synth->Emit(Hex("C0 05 F0 7E 7F 06 02 42 01 02 03 04 05 06 07 08 09 F7 90 3C 40"));
  ASSERT_TRUE(rec.WaitCalls(3, 1000));
  EXPECT_EQ(rec.Texts(), (std::vector<std::string>{
                             "S C0 05", "L F0 7E 7F 06 02 42 01 02 03 04 05 06 07 08 09 F7",
                             "S 90 3C 40"}));
  EXPECT_EQ(rec.Calls()[0].port, &in);

  in.Close();
  synth->Emit(Hex("C0 06"));
  EXPECT_FALSE(rec.WaitCalls(4, 1000));
}

TEST_F(CoreMIDIPorts, SysexSendTakesItsWireTime) {
  auto synth = AddSynth(3125);
  CoreMIDIOut out;
  const MIDIDevKey key = OutKey(*synth);
  ASSERT_TRUE(out.Open(&key, 0, 0));
  const Bytes msg = vesk::test::SysexOf(3125);
  const uint64_t t0 = os::NowUs();
  EXPECT_TRUE(out.SendLong(msg.data(), msg.size(), IMIDIOut::kInfinite));
  EXPECT_EQ(os::NowUs() - t0, 1'000'000u);
  EXPECT_EQ(synth->ReceivedBytes(), msg);
}

TEST_F(CoreMIDIPorts, SysexSendFailsInsteadOfHanging) {
  const Bytes msg = vesk::test::SysexOf(3125);
  CoreMIDIOut out;

  // Unplugged in the middle of the send.
  auto synth = AddSynth(3125);
  MIDIDevKey key = OutKey(*synth);
  ASSERT_TRUE(out.Open(&key, 0, 0));
  uint64_t t0 = os::NowUs();
  {
    After unplug(300, [&] { synth->Unplug(); });
    EXPECT_FALSE(out.SendLong(msg.data(), msg.size(), IMIDIOut::kInfinite));
    EXPECT_EQ(os::NowUs() - t0, 300'000u);
  }
  // Gone before the send: fails at once.
  t0 = os::NowUs();
  EXPECT_FALSE(out.SendLong(msg.data(), msg.size(), IMIDIOut::kInfinite));
  EXPECT_EQ(os::NowUs(), t0);

  // A time-out withdraws the rest of the message.
  synth = AddSynth(3125);
  key = OutKey(*synth);
  ASSERT_TRUE(out.Open(&key, 0, 0));
  t0 = os::NowUs();
  EXPECT_FALSE(out.SendLong(msg.data(), msg.size(), 100));
  EXPECT_EQ(os::NowUs() - t0, 100'000u);
  EXPECT_FALSE(synth->WaitReceivedBytes(msg.size(), 5000));
  EXPECT_LT(synth->ReceivedBytes().size(), 1000u);

  // A wire far slower than any cable: the unlimited wait still ends.
  synth = AddSynth(10);
  key = OutKey(*synth);
  ASSERT_TRUE(out.Open(&key, 0, 0));
  const Bytes small = vesk::test::SysexOf(1000);
  t0 = os::NowUs();
  EXPECT_FALSE(out.SendLong(small.data(), small.size(), IMIDIOut::kInfinite));
  EXPECT_EQ(os::NowUs() - t0, CoreMIDIOut::SendLongWaitMs(IMIDIOut::kInfinite, 1000) * 1000ull);
  EXPECT_EQ(CoreMIDIOut::SendLongWaitMs(IMIDIOut::kInfinite, 1000), 2640u);
  EXPECT_EQ(env.clock().Stalls(), 0u);
}

}  // namespace
