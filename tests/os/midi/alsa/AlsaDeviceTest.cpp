// The ALSA sequencer backend against a stand-in device that is a sequencer
// client of its own, where a sequencer device exists (skipped elsewhere).
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "os/midi/MessageLength.h"
#include "os/midi/alsa/AlsaDevice.h"
#include "os/midi/alsa/AlsaSystem.h"

namespace {

using namespace os::midi;
using Bytes = std::vector<uint8_t>;
using Clock = std::chrono::steady_clock;

struct Inbox {
  std::mutex m;
  std::condition_variable cv;
  Bytes bytes;
  std::vector<Bytes> packets;
  void Add(const uint8_t* d, size_t n) {
    std::lock_guard<std::mutex> g(m);
    bytes.insert(bytes.end(), d, d + n);
    packets.emplace_back(d, d + n);
    cv.notify_all();
  }
  bool WaitFor(const std::function<bool()>& pred, int ms) {
    std::unique_lock<std::mutex> lock(m);
    return cv.wait_for(lock, std::chrono::milliseconds(ms), pred);
  }
};

class AlsaBackend : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string why;
    sys = AlsaSystem::Open("vesk-test", &why);
    if (!sys) GTEST_SKIP() << "ALSA sequencer tests skipped: " << why;
    device = AlsaDevice::Open(name, &why);
    ASSERT_TRUE(device) << why;
    device->SetReceiver([this](const uint8_t* p, size_t n) { atDevice.Add(p, n); });
    const auto end = Clock::now() + std::chrono::seconds(3);
    while (Clock::now() < end && !(source && destination)) {
      std::string v;
      for (size_t i = 0; i < sys->SourceCount(); ++i)
        if (sys->GetProperty(sys->Source(i), Property::kDeviceName, &v) == kOk && v == name)
          source = sys->Source(i);
      for (size_t i = 0; i < sys->DestinationCount(); ++i)
        if (sys->GetProperty(sys->Destination(i), Property::kDeviceName, &v) == kOk && v == name)
          destination = sys->Destination(i);
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    ASSERT_TRUE(source && destination);
    ASSERT_EQ(sys->CreateClient("MIDIClient", &client), kOk);
    ASSERT_EQ(client->CreateInputPort("Input Port", [this](const PacketList& l) {
      for (size_t i = 0; i < l.size(); ++i) atHost.Add(l[i].data, l[i].length);
    }, &in), kOk);
    ASSERT_EQ(in->ConnectSource(source), kOk);
  }

  const std::string name = "VeskAlsaTest" + std::to_string(getpid());
  Inbox atDevice, atHost;
  std::unique_ptr<AlsaSystem> sys;
  std::unique_ptr<AlsaDevice> device;
  EndpointId source = 0, destination = 0;
  std::unique_ptr<Client> client;
  std::unique_ptr<InputPort> in;
};

TEST_F(AlsaBackend, ShortMessagesAndLongSysExCrossBothWaysByteForByte) {
  std::string v;
  EXPECT_EQ(sys->GetProperty(source, Property::kName, &v), kOk);
  EXPECT_EQ(v, "out");
  EXPECT_EQ(sys->GetProperty(source, Property::kModel, &v), kErrNoProperty) << "no card";

  Bytes dump(20000, 0x33);
  dump.front() = 0xF0;
  dump.back() = 0xF7;
  std::mutex dm;
  std::vector<Status> done;
  SysexId id = 0;
  ASSERT_EQ(client->SendSysex(destination, dump.data(), dump.size(), [&](Status s) {
    std::lock_guard<std::mutex> g(dm);
    done.push_back(s);
  }, &id), kOk);
  ASSERT_TRUE(atDevice.WaitFor([&] { return atDevice.bytes.size() >= dump.size(); }, 5000));
  EXPECT_EQ(atDevice.bytes, dump);

  const Bytes note = {0x90, 0x3C, 0x40};
  device->Emit(note);
  device->Emit(dump);
  ASSERT_TRUE(atHost.WaitFor([&] { return atHost.bytes.size() >= 3 + dump.size(); }, 5000));
  EXPECT_EQ(Bytes(atHost.bytes.begin(), atHost.bytes.begin() + 3), note);
  EXPECT_EQ(Bytes(atHost.bytes.begin() + 3, atHost.bytes.end()), dump);
  std::lock_guard<std::mutex> g(dm);
  EXPECT_EQ(done, std::vector<Status>{kOk});
}

TEST_F(AlsaBackend, AFloodAndAnEndlessSysExArriveInWholePiecesAndWhatFollowsStillArrives) {
  Bytes flood;
  for (int i = 0; i < 20000; ++i) {
    const uint8_t m[3] = {0x90, uint8_t(i & 0x7F), 0x40};
    flood.insert(flood.end(), m, m + 3);
  }
  device->Emit(flood);
  Bytes endless(300000, 0x11);
  endless[0] = 0xF0;
  device->Emit(endless);
  const Bytes marker = {0xB0, 0x78, 0x00};
  device->Emit(marker);
  ASSERT_TRUE(atHost.WaitFor(
      [&] { return !atHost.packets.empty() && atHost.packets.back() == marker; }, 10000));
  std::lock_guard<std::mutex> g(atHost.m);
  size_t shorts = 0;
  for (const Bytes& p : atHost.packets) {
    ASSERT_FALSE(p.empty());
    if (p[0] >= 0x80 && p[0] != 0xF0) {
      EXPECT_EQ(p.size(), MessageLength(p[0]));
      ++shorts;
    }
    EXPECT_LE(p.size(), 4096u);
  }
  EXPECT_LE(shorts, 20001u);
}

TEST_F(AlsaBackend, ASendToAPortThatVanishesEndsWithAnErrorAndLaterBytesAreRefused) {
  Bytes huge(8'000'000, 0x22);
  huge.front() = 0xF0;
  huge.back() = 0xF7;
  std::mutex dm;
  std::condition_variable dcv;
  std::vector<Status> done;
  SysexId id = 0;
  ASSERT_EQ(client->SendSysex(destination, huge.data(), huge.size(), [&](Status s) {
    std::lock_guard<std::mutex> g(dm);
    done.push_back(s);
    dcv.notify_all();
  }, &id), kOk);
  ASSERT_TRUE(atDevice.WaitFor([&] { return atDevice.bytes.size() >= 1000; }, 3000));
  device.reset();
  {
    std::unique_lock<std::mutex> lock(dm);
    ASSERT_TRUE(dcv.wait_for(lock, std::chrono::seconds(3), [&] { return !done.empty(); }))
        << "the send must end, not hang";
    EXPECT_EQ(done, std::vector<Status>{kErrEndpointGone});
  }
  const auto end = Clock::now() + std::chrono::seconds(3);
  std::string v;
  while (Clock::now() < end && sys->GetProperty(destination, Property::kName, &v) == kOk)
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  std::unique_ptr<OutputPort> out;
  ASSERT_EQ(client->CreateOutputPort("Output Port", &out), kOk);
  PacketList late;
  const uint8_t note[3] = {0x90, 0x3C, 0x40};
  late.Add(0, note, 3);
  EXPECT_EQ(out->Send(destination, late), kErrNoSuchEndpoint);
  EXPECT_EQ(in->ConnectSource(source), kErrNoSuchEndpoint);
}

}  // namespace
