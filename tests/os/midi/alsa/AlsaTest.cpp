// The ALSA sequencer backend. The card names are read without a device;
// the rest runs where a sequencer device exists and skips elsewhere.
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "os/midi/alsa/AlsaCardNames.h"
#include "os/midi/alsa/AlsaDrain.h"
#include "os/midi/alsa/AlsaSystem.h"

namespace {

using namespace os::midi;
using Bytes = std::vector<uint8_t>;

TEST(AlsaCardNames, MakerAndModelComeFromTheCardsNames) {
  struct Case {
    const char* shortName;
    const char* longName;
    std::optional<std::string> maker;
    std::optional<std::string> model;
  } cases[] = {
      {"Vesk", "TAVO CORPORATION Vesk at usb-0000:00:14.0-2, high speed", "TAVO CORPORATION",
       "Vesk"},
      {"Vesk", "Vesk at usb-0000:00:14.0-2, full speed", std::nullopt, "Vesk"},
      {"UM-ONE", "Roland UM-ONE at usb-0000:00:1d.0-1.2, full speed", "Roland", "UM-ONE"},
      {"Dummy", "Dummy 1", std::nullopt, "Dummy"},
      {"", "anything", std::nullopt, std::nullopt},
  };
  for (const Case& c : cases) {
    const AlsaCardNames n = AlsaCardNames::From(c.shortName, c.longName);
    EXPECT_EQ(n.manufacturer, c.maker) << c.longName;
    EXPECT_EQ(n.model, c.model) << c.longName;
  }
}

TEST(AlsaDrain, ACardsLastBytesAreWaitedForAtCableSpeed) {
  struct Case {
    size_t bytes;
    bool hardware;
    uint64_t us;
  } cases[] = {
      {6, true, 1920},          // an identity request: 6 bytes at 3,125 bytes a second
      {4096, true, 1'310'720},  // a full card buffer
      {215346, true, 1'310'720},  // no more than the buffer holds
      {215346, false, 0},       // a program takes everything at once
  };
  for (const Case& c : cases)
    EXPECT_EQ(AlsaDrain::AfterLastPieceUs(c.bytes, c.hardware), c.us) << c.bytes << " " << c.hardware;
}

// Through the kernel's "Midi Through" port (snd-seq-dummy), which sends
// back what it is sent.
TEST(AlsaSequencer, BytesSentToTheThroughPortComeBackWhole) {
  std::string why;
  auto sys = AlsaSystem::Open("vesk-test", &why);
  if (!sys) GTEST_SKIP() << "ALSA sequencer tests skipped: " << why;
  EndpointId src = 0, dst = 0;
  std::string v;
  for (size_t i = 0; i < sys->SourceCount(); ++i)
    if (sys->GetProperty(sys->Source(i), Property::kDeviceName, &v) == kOk && v == "Midi Through")
      src = sys->Source(i);
  for (size_t i = 0; i < sys->DestinationCount(); ++i)
    if (sys->GetProperty(sys->Destination(i), Property::kDeviceName, &v) == kOk && v == "Midi Through")
      dst = sys->Destination(i);
  if (!src || !dst) GTEST_SKIP() << "no Midi Through port (load snd-seq-dummy)";
  EXPECT_EQ(sys->GetProperty(src, Property::kName, &v), kOk);

  std::mutex m;
  std::condition_variable cv;
  Bytes got;
  std::unique_ptr<Client> c;
  ASSERT_EQ(sys->CreateClient("MIDIClient", &c), kOk);
  std::unique_ptr<InputPort> in;
  ASSERT_EQ(c->CreateInputPort("Input Port", [&](const PacketList& l) {
    std::lock_guard<std::mutex> g(m);
    for (size_t i = 0; i < l.size(); ++i) got.insert(got.end(), l[i].data, l[i].data + l[i].length);
    cv.notify_all();
  }, &in), kOk);
  ASSERT_EQ(in->ConnectSource(src), kOk);

  Bytes sysex(5000, 0x22);
  sysex.front() = 0xF0;
  sysex.back() = 0xF7;
  std::mutex dm;
  std::vector<Status> done;
  SysexId id = 0;
  ASSERT_EQ(c->SendSysex(dst, sysex.data(), sysex.size(), [&](Status s) {
    std::lock_guard<std::mutex> g(dm);
    done.push_back(s);
  }, &id), kOk);
  std::unique_lock<std::mutex> lock(m);
  ASSERT_TRUE(cv.wait_for(lock, std::chrono::seconds(5), [&] { return got.size() >= sysex.size(); }));
  EXPECT_EQ(got, sysex);
}

}  // namespace
