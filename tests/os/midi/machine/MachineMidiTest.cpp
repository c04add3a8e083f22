#include <gtest/gtest.h>

#include <string>

#include "os/midi/machine/MachineMidi.h"
#include "tests/support/TempDir.h"

namespace {

// With no JACK server under the name asked for and no sequencer device, the
// machine's system has no endpoints and refuses clients, and each missing
// backend says why in one line.
TEST(MachineMidi, AMissingBackendHasNoEndpointsAndSaysSoInOneLine) {
  vesk::test::ScopedEnv server("JACK_DEFAULT_SERVER", "vesk-no-such-server");
  testing::internal::CaptureStderr();
  auto sys = os::midi::MachineMidi::Open("vesk-test");
  const std::string said = testing::internal::GetCapturedStderr();
  ASSERT_TRUE(sys);
  EXPECT_NE(said.find("MIDI: JACK ports are not available"), std::string::npos) << said;
  size_t lines = 0;
  for (char c : said) lines += c == '\n';
  EXPECT_EQ(lines, 2u - sys->BackendCount()) << said;
  if (sys->BackendCount() == 0) {
    EXPECT_EQ(sys->SourceCount(), 0u);
    EXPECT_EQ(sys->DestinationCount(), 0u);
    std::unique_ptr<os::midi::Client> c;
    EXPECT_EQ(sys->CreateClient("MIDIClient", &c), os::midi::kErrNoService);
  }
}

}  // namespace
