#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <set>

#include "os/Clock.h"
#include "os/Monitor.h"
#include "os/Thread.h"
#include "os/midi/VirtualBus.h"
#include "tests/support/TestEnvironment.h"

namespace {

using os::midi::EndpointId;
using os::midi::PacketList;
using os::midi::Property;
using os::midi::Status;
using os::midi::VirtualBus;
using Bytes = std::vector<uint8_t>;

// Records the packet lists an input port reads and lets the test wait for
// them on the monitor, so simulated time runs while it waits.
struct Reader {
  struct List {
    uint64_t atUs;
    std::vector<uint64_t> stamps;
    std::vector<Bytes> packets;
  };
  os::Monitor monitor;
  std::vector<List> lists;
  size_t bytes = 0;

  os::midi::ReadProc Proc() {
    return [this](const PacketList& l) {
      std::unique_lock<std::mutex> lock(monitor.mutex());
      List got{os::NowUs(), {}, {}};
      for (size_t i = 0; i < l.size(); ++i) {
        got.stamps.push_back(l[i].timeUs);
        got.packets.emplace_back(l[i].data, l[i].data + l[i].length);
        bytes += l[i].length;
      }
      lists.push_back(std::move(got));
      monitor.NotifyAll();
    };
  }
  bool WaitBytes(size_t n, uint64_t ms) {
    std::unique_lock<std::mutex> lock(monitor.mutex());
    return monitor.WaitFor(lock, ms, [&] { return bytes >= n; });
  }
  std::vector<List> Lists() {
    std::unique_lock<std::mutex> lock(monitor.mutex());
    return lists;
  }
};

// Records the end of a SysEx send.
struct Completion {
  os::Monitor monitor;
  bool done = false;
  Status status = 1;
  uint64_t atUs = 0;
  os::midi::SysexDone Fn() {
    return [this](Status s) {
      std::unique_lock<std::mutex> lock(monitor.mutex());
      done = true;
      status = s;
      atUs = os::NowUs();
      monitor.NotifyAll();
    };
  }
  bool Wait(uint64_t ms) {
    std::unique_lock<std::mutex> lock(monitor.mutex());
    return monitor.WaitFor(lock, ms, [&] { return done; });
  }
};

Bytes Sysex(size_t total) {
  Bytes b(total, 0x11);
  b.front() = 0xF0;
  b.back() = 0xF7;
  return b;
}

VirtualBus::DeviceDesc Desc(const char* maker, const char* model) {
  VirtualBus::DeviceDesc s;
  s.manufacturer = maker;
  s.model = model;
  return s;
}

// A bus with one device whose source is connected to a reader.
class VirtualBusTest : public ::testing::Test {
 protected:
  // Plugs in a device with the given wire rate both ways and connects to it.
  std::shared_ptr<VirtualBus::Device> Plug(uint32_t bytesPerSecond,
                                           VirtualBus::DeviceDesc desc = Desc("TAVO", "Vesk")) {
    desc.toHost.bytesPerSecond = bytesPerSecond;
    desc.toDevice.bytesPerSecond = bytesPerSecond;
    auto dev = bus.AddDevice(desc);
    EXPECT_EQ(bus.CreateClient("test", &client), os::midi::kOk);
    EXPECT_EQ(client->CreateInputPort("in", reader.Proc(), &in), os::midi::kOk);
    EXPECT_EQ(client->CreateOutputPort("out", &out), os::midi::kOk);
    EXPECT_EQ(in->ConnectSource(dev->source()), os::midi::kOk);
    return dev;
  }

  vesk::test::TestEnvironment env;
  VirtualBus bus;
  Reader reader;
  std::unique_ptr<os::midi::Client> client;
  std::unique_ptr<os::midi::InputPort> in;
  std::unique_ptr<os::midi::OutputPort> out;
};

TEST_F(VirtualBusTest, ListsEndpointsWithTheirPropertiesUntilUnplugged) {
  auto a = bus.AddDevice(Desc("TAVO", "Vesk"));
  VirtualBus::DeviceDesc bare;
  bare.hasDevice = false;
  bare.sourceName = "OUT";
  auto b = bus.AddDevice(bare);

  ASSERT_EQ(bus.SourceCount(), 2u);
  ASSERT_EQ(bus.DestinationCount(), 2u);
  EXPECT_EQ(bus.Source(0), a->source());
  EXPECT_EQ(bus.Destination(1), b->destination());
  EXPECT_EQ(bus.Source(2), 0u);
  const std::set<EndpointId> ids{a->source(), a->destination(), b->source(), b->destination()};
  EXPECT_EQ(ids.size(), 4u);
  EXPECT_EQ(ids.count(0), 0u);

  std::string v;
  EXPECT_EQ(bus.GetProperty(a->source(), Property::kName, &v), os::midi::kOk);
  EXPECT_EQ(v, "KEYBOARD");
  EXPECT_EQ(bus.GetProperty(a->destination(), Property::kName, &v), os::midi::kOk);
  EXPECT_EQ(v, "SOUND");
  EXPECT_EQ(bus.GetProperty(a->destination(), Property::kDeviceName, &v), os::midi::kOk);
  EXPECT_EQ(v, "Vesk");
  EXPECT_EQ(bus.GetProperty(a->source(), Property::kModel, &v), os::midi::kOk);
  EXPECT_EQ(v, "Vesk");
  EXPECT_EQ(bus.GetProperty(b->source(), Property::kModel, &v), os::midi::kErrNoProperty);
  EXPECT_EQ(bus.GetProperty(b->source(), Property::kDeviceName, &v), os::midi::kErrNoDevice);
  EXPECT_EQ(bus.GetProperty(12345, Property::kName, &v), os::midi::kErrNoSuchEndpoint);

  a->Unplug();
  EXPECT_FALSE(a->plugged());
  ASSERT_EQ(bus.SourceCount(), 1u);
  EXPECT_EQ(bus.Source(0), b->source());
  EXPECT_EQ(bus.GetProperty(a->source(), Property::kName, &v), os::midi::kErrNoSuchEndpoint);

  ASSERT_EQ(bus.CreateClient("c", &client), os::midi::kOk);
  ASSERT_EQ(client->CreateInputPort("in", reader.Proc(), &in), os::midi::kOk);
  EXPECT_EQ(in->ConnectSource(a->source()), os::midi::kErrNoSuchEndpoint);
}

TEST_F(VirtualBusTest, ACableRateMovesThreeThousandBytesPerVirtualSecond) {
  auto dev = Plug(3125);

  // Device -> host: 256-byte packets, each 320 us a byte.
  const uint64_t t0 = os::NowUs();
  dev->Emit(Sysex(3125));
  ASSERT_TRUE(reader.WaitBytes(3125, 5000));
  auto lists = reader.Lists();
  ASSERT_EQ(lists.size(), 13u);
  EXPECT_EQ(lists.front().atUs - t0, 256u * 320u);
  EXPECT_EQ(lists.front().stamps[0] - t0, 256u * 320u);
  EXPECT_EQ(lists.back().atUs - t0, 1'000'000u);

  // Host -> device: the SysEx send completes when its last byte is there.
  Completion done;
  os::midi::SysexId id;
  const Bytes msg = Sysex(3125);
  const uint64_t t1 = os::NowUs();
  ASSERT_EQ(client->SendSysex(dev->destination(), msg.data(), msg.size(), done.Fn(), &id),
            os::midi::kOk);
  ASSERT_TRUE(done.Wait(5000));
  EXPECT_EQ(done.status, os::midi::kOk);
  EXPECT_EQ(done.atUs - t1, 1'000'000u);
  EXPECT_EQ(dev->ReceivedBytes(), msg);
  EXPECT_EQ(env.clock().Stalls(), 0u);
}

TEST_F(VirtualBusTest, LatencyDelaysArrivalAndAnInstantWireTakesNoTime) {
  VirtualBus::DeviceDesc desc = Desc("TAVO", "Vesk");
  desc.toDevice.latencyUs = 5000;
  desc.toHost.groupMessages = true;
  desc.toHost.maxPacketBytes = 4;
  desc.toHost.packetsPerList = 2;
  auto dev = Plug(0, desc);

  const uint64_t t0 = os::NowUs();
  PacketList note;
  const uint8_t on[] = {0x90, 0x3C, 0x40};
  note.Add(0, on, 3);
  ASSERT_EQ(out->Send(dev->destination(), note), os::midi::kOk);
  ASSERT_TRUE(dev->WaitReceivedBytes(3, 1000));
  const auto got = dev->ReceivedPackets();
  ASSERT_EQ(got.size(), 1u);
  EXPECT_EQ(got[0].timeUs - t0, 5000u);
  EXPECT_EQ(got[0].bytes, Bytes(on, on + 3));

  // Instant wire: grouped packets of 4 bytes, two packets per list.
  const uint64_t t1 = os::NowUs();
  dev->Emit(Bytes{0x90, 0x3C, 0x40, 0xF0, 1, 2, 3, 0xF7, 0xC0, 0x05});
  ASSERT_TRUE(reader.WaitBytes(10, 1000));
  const auto lists = reader.Lists();
  ASSERT_EQ(lists.size(), 2u);
  EXPECT_EQ(lists[0].packets, (std::vector<Bytes>{{0x90, 0x3C, 0x40, 0xF0}, {1, 2, 3, 0xF7}}));
  EXPECT_EQ(lists[1].packets, (std::vector<Bytes>{{0xC0, 0x05}}));
  EXPECT_EQ(lists[1].atUs, t1);
}

TEST_F(VirtualBusTest, UnpluggingMidTransferFailsTheSendAndDropsWhatIsInFlight) {
  auto dev = Plug(3125);

  const uint64_t t0 = os::NowUs();
  Completion done;
  os::midi::SysexId id;
  const Bytes msg = Sysex(3125);
  ASSERT_EQ(client->SendSysex(dev->destination(), msg.data(), msg.size(), done.Fn(), &id),
            os::midi::kOk);
  dev->Emit(Sysex(3125));
  os::Thread unplugger;
  unplugger.Start([&] {
    os::Monitor m;
    std::unique_lock<std::mutex> lock(m.mutex());
    m.WaitFor(lock, 300, [] { return false; });
    lock.unlock();
    dev->Unplug();
  });
  ASSERT_TRUE(done.Wait(10'000));
  EXPECT_EQ(done.status, os::midi::kErrEndpointGone);
  EXPECT_EQ(done.atUs - t0, 300'000u);
  unplugger.Join();
  EXPECT_LT(dev->ReceivedBytes().size(), msg.size());

  const size_t before = reader.Lists().size();
  EXPECT_FALSE(reader.WaitBytes(3125, 2000));
  EXPECT_EQ(reader.Lists().size(), before);
  // Sending to it now fails at once.
  EXPECT_EQ(client->SendSysex(dev->destination(), msg.data(), msg.size(), done.Fn(), &id),
            os::midi::kErrNoSuchEndpoint);
}

TEST_F(VirtualBusTest, WithdrawnSendsAndClosedPortsHearNothingMore) {
  VirtualBus::DeviceDesc desc = Desc("TAVO", "Vesk");
  desc.toHost.latencyUs = 10'000;
  auto dev = Plug(3125, desc);

  std::atomic<int> calls{0};
  os::midi::SysexId id;
  const Bytes msg = Sysex(3125);
  ASSERT_EQ(client->SendSysex(dev->destination(), msg.data(), msg.size(),
                                [&](Status) { ++calls; }, &id),
            os::midi::kOk);
  ASSERT_TRUE(dev->WaitReceivedBytes(512, 1000));
  client->CancelSysex(id);
  const size_t got = dev->ReceivedBytes().size();
  EXPECT_FALSE(dev->WaitReceivedBytes(msg.size(), 2000));
  EXPECT_LE(dev->ReceivedBytes().size(), got + 256);
  EXPECT_EQ(calls.load(), 0);

  // A port closed before its data arrives reads nothing.
  dev->Emit(Bytes{0x90, 0x3C, 0x40});
  in.reset();
  EXPECT_FALSE(reader.WaitBytes(3, 100));

  // Ending the client withdraws its sends.
  ASSERT_EQ(client->SendSysex(dev->destination(), msg.data(), msg.size(),
                                [&](Status) { ++calls; }, &id),
            os::midi::kOk);
  out.reset();
  client.reset();
  EXPECT_FALSE(dev->WaitReceivedBytes(got + 2 * msg.size(), 3000));
  EXPECT_EQ(calls.load(), 0);
}

// The device answers from its receiver, as a simulated synthesizer does.
void AnswerFromTheReceiver() {
  VirtualBus bus;
  auto dev = bus.AddDevice(Desc("TAVO", "Vesk"));
  dev->SetReceiver([&](const VirtualBus::Received& r) {
    Bytes answer = r.bytes;
    answer[1] += 1;
    dev->Emit(answer);
  });
  Reader reader;
  std::unique_ptr<os::midi::Client> client;
  std::unique_ptr<os::midi::InputPort> in;
  std::unique_ptr<os::midi::OutputPort> out;
  ASSERT_EQ(bus.CreateClient("c", &client), os::midi::kOk);
  ASSERT_EQ(client->CreateInputPort("in", reader.Proc(), &in), os::midi::kOk);
  ASSERT_EQ(client->CreateOutputPort("out", &out), os::midi::kOk);
  ASSERT_EQ(in->ConnectSource(dev->source()), os::midi::kOk);
  PacketList list;
  const uint8_t note[] = {0x90, 0x3C, 0x40};
  list.Add(0, note, 3);
  ASSERT_EQ(out->Send(dev->destination(), list), os::midi::kOk);
  ASSERT_TRUE(reader.WaitBytes(3, 10'000));
  EXPECT_EQ(reader.Lists()[0].packets, (std::vector<Bytes>{{0x90, 0x3D, 0x40}}));
  dev->SetReceiver(nullptr);
}

TEST(VirtualBusDevice, AnswersFromItsReceiverOnTheVirtualClock) {
  vesk::test::TestEnvironment env;
  AnswerFromTheReceiver();
}

// Without a virtual clock the bus runs on the real one.
TEST(VirtualBusDevice, AnswersFromItsReceiverOnTheRealClock) { AnswerFromTheReceiver(); }

}  // namespace
