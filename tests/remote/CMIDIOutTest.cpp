#include <gtest/gtest.h>

#include "os/Clock.h"
#include "os/Thread.h"
#include "os/midi/VirtualBus.h"
#include "remote/CMIDIOut.h"
#include "remote/CoreMIDIEndpoint.h"
#include "remote/EventQueue.h"
#include "tests/remote/MIDITestSupport.h"
#include "tests/support/TestEnvironment.h"

namespace {

using os::midi::VirtualBus;
using vesk::test::Bytes;
using vesk::test::Hex;

EventQueue::Event Ev(long long time, uint8_t tag) {
  EventQueue::Event e;
  e.time = time;
  e.data[0] = tag;
  e.length = 1;
  return e;
}

TEST(EventQueue, KeepsDueOrderAcrossTheWrap) {
  EventQueue q;
  EXPECT_FALSE(q.commit(0));
  ASSERT_TRUE(q.commit(4));
  EventQueue::Event e;
  ASSERT_TRUE(q.push(Ev(10, 1)) && q.push(Ev(20, 2)));
  ASSERT_TRUE(q.pop(&e) && q.pop(&e));  // read position now in the middle
  EXPECT_FALSE(q.pop(&e));
  ASSERT_TRUE(q.push(Ev(30, 3)));
  ASSERT_TRUE(q.push(Ev(20, 4)));
  ASSERT_TRUE(q.push(Ev(5, 5)));
  ASSERT_TRUE(q.push(Ev(20, 6)));  // same time as 4: after it
  EXPECT_FALSE(q.push(Ev(1, 7)));
  long long t = 0;
  ASSERT_TRUE(q.peeknext(&t));
  EXPECT_EQ(t, 5);
  EXPECT_FALSE(q.pop(&e, 4));  // not due yet
  std::vector<int> order;
  while (q.pop(&e)) order.push_back(e.data[0]);
  EXPECT_EQ(order, (std::vector<int>{5, 4, 6, 3}));
}

class CMIDIOutTest : public ::testing::Test {
 protected:
  CMIDIOutTest() {
    os::midi::System::Install(&bus);
    VirtualBus::DeviceDesc s;
    s.manufacturer = "TAVO";
    s.model = "Vesk";
    s.toDevice.bytesPerSecond = 3125;
    synth = bus.AddDevice(s);
    key = CoreMIDIEndpoint::MakeKey(kDevTypeTarget, "Vesk:SOUND", synth->destination());
  }
  long long NowMs() const { return static_cast<long long>(os::NowUs() / 1000 * 1000); }

  vesk::test::TestEnvironment env;
  VirtualBus bus;
  std::shared_ptr<VirtualBus::Device> synth;
  MIDIDevKey key;
};

TEST_F(CMIDIOutTest, SendsInDueOrderWhenDue) {
  CMIDIOut out;
  ASSERT_TRUE(out.Open(&key, 0, 0, 1024));
  EXPECT_EQ(out.GetDevType(), kDevTypeTarget);
  const long long t0 = NowMs();
  EXPECT_EQ(out.SendShort(t0 + 50'000, "\x90\x3C\x40", 3), 0);
  EXPECT_EQ(out.SendShort(t0, "\xC0\x01", 2), 0);
  EXPECT_EQ(out.SendShort(t0, "\xC0\x02", 2), 0);
  EXPECT_EQ(out.SendShort(t0, "\xC0\x03", 2), 0);
  ASSERT_TRUE(synth->WaitReceivedBytes(9, 1000));
  const auto got = synth->ReceivedPackets();
  ASSERT_EQ(got.size(), 4u);
  EXPECT_EQ(got[0].bytes, Hex("C0 01"));
  EXPECT_EQ(got[1].bytes, Hex("C0 02"));
  EXPECT_EQ(got[2].bytes, Hex("C0 03"));
  EXPECT_EQ(got[3].bytes, Hex("90 3C 40"));
  // Due 50 ms on, plus its 3 bytes on the cable.
  EXPECT_EQ(static_cast<long long>(got[3].timeUs) - t0, 50'000 + 960);
  EXPECT_LT(static_cast<long long>(got[2].timeUs) - t0, 10'000);
  EXPECT_EQ(env.clock().Stalls(), 0u);
}

TEST_F(CMIDIOutTest, FullQueueAndClearingAndClosed) {
  CMIDIOut out;
  EXPECT_EQ(out.SendShort(NowMs(), "\xF8", 1), Oskend::kRemoteFailed);
  EXPECT_FALSE(out.ClearPendings());
  const MIDIDevKey other(kDevTypeUnknown, "x", key.inst.data(), 4);
  EXPECT_FALSE(out.Open(&other, 0, 0, 1024));
  EXPECT_FALSE(out.Open(&key, 0, 0, 0));
  EXPECT_FALSE(out.Open(nullptr, 0, 0, 1024));

  ASSERT_TRUE(out.Open(&key, 0, 0, 1024));
  EXPECT_EQ(out.SendShort(NowMs(), "", 0), Oskend::kRemoteFailed);
  EXPECT_EQ(out.SendShort(NowMs(), "\xF0\x01\x02\x03\xF7", 5), Oskend::kRemoteFailed);
  const long long later = NowMs() + 3'600'000'000ll;
  for (int i = 0; i < 1024; ++i) ASSERT_EQ(out.SendShort(later, "\xF8", 1), 0) << i;
  EXPECT_EQ(out.SendShort(later, "\xF8", 1), Oskend::kRemoteQueueFull);
  EXPECT_TRUE(out.ClearPendings());
  EXPECT_FALSE(synth->WaitReceivedBytes(1, 2 * 3'600'000));
  EXPECT_EQ(out.SendShort(NowMs(), "\xFE", 1), 0);
  ASSERT_TRUE(synth->WaitReceivedBytes(1, 1000));
  EXPECT_EQ(synth->ReceivedBytes(), Hex("FE"));

  out.Close();
  EXPECT_FALSE(out.IsOpen());
  EXPECT_EQ(out.SendShort(NowMs(), "\xF8", 1), Oskend::kRemoteFailed);
  EXPECT_EQ(out.SendLong("\xF0\xF7", 2), Oskend::kRemoteFailed);
}

// A message that finds the queue full is refused at once, without a wait,
// also one due before everything queued; what the queue took leaves whole
// and in order, and then there is room again.
TEST_F(CMIDIOutTest, AFullQueueRefusesAtOnceAndWhatItTookLeavesInOrder) {
  CMIDIOut out;
  ASSERT_TRUE(out.Open(&key, 0, 0, 1024));
  const long long due = NowMs() + 100'000;
  Bytes want;
  const uint64_t t0 = os::NowUs();
  for (int i = 0; i < 1024; ++i) {
    const Bytes m{0xB0, uint8_t(i & 0x7F), uint8_t((i >> 7) & 0x7F)};
    want.insert(want.end(), m.begin(), m.end());
    ASSERT_EQ(out.SendShort(due, m.data(), 3), 0) << i;
  }
  EXPECT_EQ(out.SendShort(due, "\xF8", 1), Oskend::kRemoteQueueFull);
  EXPECT_EQ(out.SendShort(NowMs(), "\xC0\x05", 2), Oskend::kRemoteQueueFull);
  EXPECT_EQ(os::NowUs(), t0) << "a sender waited";

  ASSERT_TRUE(synth->WaitReceivedBytes(want.size(), 60'000));
  EXPECT_FALSE(synth->WaitReceivedBytes(want.size() + 1, 1000));
  EXPECT_EQ(synth->ReceivedBytes(), want);
  EXPECT_EQ(out.SendShort(NowMs(), "\xFE", 1), 0);
  ASSERT_TRUE(synth->WaitReceivedBytes(want.size() + 1, 1000));
}

TEST_F(CMIDIOutTest, CloseSendsWhatIsAlreadyDueAndDropsTheRest) {
  CMIDIOut out;
  ASSERT_TRUE(out.Open(&key, 0, 0, 1024));
  EXPECT_EQ(out.SendShort(NowMs() + 60'000'000, "\xB2\x7A\x00", 3), 0);  // a minute on
  for (uint8_t n = 0; n < 8; ++n) {
    const uint8_t cc[3] = {0xB2, 0x7A, n};
    EXPECT_EQ(out.SendShort(NowMs(), cc, 3), 0);
  }
  out.Close();
  ASSERT_TRUE(synth->WaitReceivedBytes(24, 1000));
  EXPECT_FALSE(synth->WaitReceivedBytes(25, 120'000));
  Bytes want;
  for (uint8_t n = 0; n < 8; ++n) want.insert(want.end(), {0xB2, 0x7A, n});
  EXPECT_EQ(synth->ReceivedBytes(), want);
}

TEST_F(CMIDIOutTest, ShortMessagesWaitForTheSysexOnTheWire) {
  CMIDIOut out;
  ASSERT_TRUE(out.Open(&key, 0, 0, 1024));
  const Bytes msg = vesk::test::SysexOf(3125);
  os::Monitor m;
  bool holding = false;
  int result = -1;
  os::Thread session;
  session.Start([&] {
    CMIDIOut::WireHold wire(out);
    {
      std::unique_lock<std::mutex> lock(m.mutex());
      holding = true;
      m.NotifyAll();
    }
    result = out.SendLong(msg.data(), static_cast<unsigned>(msg.size()));
  });
  {
    std::unique_lock<std::mutex> lock(m.mutex());
    ASSERT_TRUE(m.WaitFor(lock, 1000, [&] { return holding; }));
  }
  const uint64_t t0 = os::NowUs();
  EXPECT_EQ(out.SendShort(NowMs(), "\x90\x3C\x40", 3), 0);
  EXPECT_EQ(os::NowUs(), t0);
  ASSERT_TRUE(synth->WaitReceivedBytes(msg.size() + 3, 5000));
  session.Join();
  EXPECT_EQ(result, 0);
  Bytes want = msg;
  want.insert(want.end(), {0x90, 0x3C, 0x40});
  EXPECT_EQ(synth->ReceivedBytes(), want);
  EXPECT_GE(os::NowUs() - t0, 1'000'000u - 1000u);
  EXPECT_EQ(env.clock().Stalls(), 0u);
}

}  // namespace
