// The journeys' JACK server. A journey judges the programs by what crosses
// it, so it must carry every byte once, also when a client is late for a
// cycle, as clients on a loaded machine are.
#include <gtest/gtest.h>
#include <unistd.h>

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "os/midi/jack/JackDevice.h"
#include "tests/journeys/JourneyStage.h"
#include "tests/support/XvfbServer.h"
#include "tests/support/simsynth/SimSynth.h"

namespace vesk::journey {
namespace {

using Bytes = std::vector<uint8_t>;

std::unique_ptr<os::midi::JackDevice> OpenDevice(const std::string& client) {
  os::midi::JackDevice::Desc d;
  d.clientName = client;
  std::string why;
  return os::midi::JackDevice::Open(d, &why);
}

TEST(JourneyJackServer, AClientLateForSomeCyclesStillGetsEveryByteOnce) {
  const std::string jackd = vesk::test::FindOnPath("jackd"), connect = vesk::test::FindOnPath("jack_connect");
  if (jackd.empty() || connect.empty()) GTEST_SKIP() << "needs jackd and jack_connect (package jackd2)";
  TempDir files;
  const std::string name = "journey-late-" + std::to_string(getpid());
  const std::map<std::string, std::string> env{{"JACK_DEFAULT_SERVER", name}, {"JACK_NO_AUDIO_RESERVATION", "1"}};
  JourneyProcess server({JourneyStage::JackServerArgv(jackd, name), env, files.File("jackd.out"),
                         files.File("jackd.err")});
  vesk::test::ScopedEnv ours("JACK_DEFAULT_SERVER", name);
  std::mutex m;
  Bytes got;  // outlives the reader's thread
  std::unique_ptr<os::midi::JackDevice> writer, reader;
  ASSERT_TRUE(WaitUntil([&] { return (writer = OpenDevice("Writer")) != nullptr; }, 10000))
      << "the JACK server did not start";
  reader = OpenDevice("Reader");
  ASSERT_TRUE(reader);
  reader->SetReceiver([&](const uint8_t* d, size_t n) {
    std::lock_guard<std::mutex> g(m);
    got.insert(got.end(), d, d + n);
  });
  JourneyProcess link({{connect, writer->SourceKey(), reader->DestinationKey()}, env, files.File("connect.out"),
                       files.File("connect.err")});
  ASSERT_TRUE(WaitUntil([&] { return reader->Writers() == 1; }, 5000)) << "jack_connect did not connect";

  // A program bank as the instrument sends it: some 30 KB cross each cycle,
  // and the reader's first cycle with them lasts as long as ten.
  vesk::test::SimSynth synth;
  synth.FillPattern(7);
  const Bytes dump = synth.PanelDump(0x0F, 1, -1);
  reader->LateAtNextInput(50);
  writer->Emit(dump);
  auto received = [&] {
    std::lock_guard<std::mutex> g(m);
    return got.size();
  };
  WaitUntil([&] { return received() >= dump.size(); }, 5000);
  std::lock_guard<std::mutex> g(m);
  ASSERT_EQ(got.size(), dump.size()) << "bytes were lost or repeated";
  size_t first = 0;
  while (first < dump.size() && got[first] == dump[first]) ++first;
  EXPECT_EQ(first, dump.size()) << "the bytes from here on differ";
}

}  // namespace
}  // namespace vesk::journey
