// Two virtual buses behind one combined system, as the machine's backends
// are.
#include <gtest/gtest.h>

#include "os/Monitor.h"
#include "os/midi/CombinedSystem.h"
#include "os/midi/VirtualBus.h"
#include "tests/support/TestEnvironment.h"

namespace {

using namespace os::midi;

struct Combined : ::testing::Test {
  vesk::test::TestEnvironment env;
  VirtualBus* first = nullptr;
  VirtualBus* second = nullptr;
  std::unique_ptr<CombinedSystem> sys;

  void SetUp() override {
    std::vector<std::unique_ptr<System>> b;
    b.push_back(std::make_unique<VirtualBus>());
    b.push_back(std::make_unique<VirtualBus>());
    first = static_cast<VirtualBus*>(b[0].get());
    second = static_cast<VirtualBus*>(b[1].get());
    sys = std::make_unique<CombinedSystem>(std::move(b));
  }
};

TEST_F(Combined, ListsEveryBackendsEndpointsAndRoutesToTheOwner) {
  VirtualBus::DeviceDesc a, b;
  a.deviceName = "A";
  b.deviceName = "B";
  b.manufacturer = "TAVO";
  auto da = first->AddDevice(a);
  auto db = second->AddDevice(b);
  ASSERT_EQ(sys->SourceCount(), 2u);
  ASSERT_EQ(sys->DestinationCount(), 2u);
  std::string v;
  EXPECT_EQ(sys->GetProperty(sys->Source(0), Property::kDeviceName, &v), kOk);
  EXPECT_EQ(v, "A");
  EXPECT_EQ(sys->GetProperty(sys->Destination(1), Property::kManufacturer, &v), kOk);
  EXPECT_EQ(v, "TAVO");
  EXPECT_EQ(sys->GetProperty(sys->Source(0), Property::kManufacturer, &v), kErrNoProperty);
  EXPECT_EQ(sys->GetProperty(0x12345, Property::kName, &v), kErrNoSuchEndpoint);
  EXPECT_EQ(sys->Source(2), 0u);

  std::unique_ptr<Client> c;
  ASSERT_EQ(sys->CreateClient("MIDIClient", &c), kOk);
  std::vector<uint8_t> got;
  os::Monitor mon;
  std::unique_ptr<InputPort> in;
  ASSERT_EQ(c->CreateInputPort("in", [&](const PacketList& l) {
    std::unique_lock<std::mutex> lock(mon.mutex());
    for (size_t i = 0; i < l.size(); ++i) got.insert(got.end(), l[i].data, l[i].data + l[i].length);
    mon.NotifyAll();
  }, &in), kOk);
  ASSERT_EQ(in->ConnectSource(sys->Source(1)), kOk);
  db->Emit({0x90, 0x3C, 0x40});
  da->Emit({0x80, 0x3C, 0x00});  // not connected: never arrives
  {
    std::unique_lock<std::mutex> lock(mon.mutex());
    ASSERT_TRUE(mon.WaitFor(lock, 1000, [&] { return got.size() >= 3; }));
  }
  env.loop().RunFor(100);
  EXPECT_EQ(got, (std::vector<uint8_t>{0x90, 0x3C, 0x40}));

  std::unique_ptr<OutputPort> out;
  ASSERT_EQ(c->CreateOutputPort("out", &out), kOk);
  PacketList pl;
  const uint8_t note[3] = {0x90, 1, 2};
  pl.Add(0, note, 3);
  ASSERT_EQ(out->Send(sys->Destination(0), pl), kOk);
  ASSERT_TRUE(da->WaitReceivedBytes(3, 1000));
  EXPECT_TRUE(db->ReceivedBytes().empty());

  // SysEx to the second backend completes; a withdrawn one never does.
  Status status = 1;
  int calls = 0;
  SysexId id = 0;
  const uint8_t sx[4] = {0xF0, 1, 2, 0xF7};
  ASSERT_EQ(c->SendSysex(sys->Destination(1), sx, 4, [&](Status s) {
    std::unique_lock<std::mutex> lock(mon.mutex());
    status = s;
    ++calls;
    mon.NotifyAll();
  }, &id), kOk);
  {
    std::unique_lock<std::mutex> lock(mon.mutex());
    ASSERT_TRUE(mon.WaitFor(lock, 1000, [&] { return calls == 1; }));
  }
  EXPECT_EQ(status, kOk);
  EXPECT_EQ(db->ReceivedBytes().size(), 4u);

  // A port that outlives its client fails.
  c.reset();
  EXPECT_EQ(in->ConnectSource(sys->Source(0)), kErrInvalidPort);
  EXPECT_EQ(out->Send(sys->Destination(0), pl), kErrInvalidPort);
}

TEST_F(Combined, WithoutBackendsThereIsNothingAndNoClient) {
  CombinedSystem none({});
  std::unique_ptr<Client> c;
  EXPECT_EQ(none.SourceCount(), 0u);
  EXPECT_EQ(none.CreateClient("x", &c), kErrNoService);
}

}  // namespace
