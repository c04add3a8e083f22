// The plug-in on a main thread of its own, as inside a Linux host, with the
// real clock: a connection that scans silent ports for seconds must not
// hold the host's thread when the host closes the instance.
#include <gtest/gtest.h>

#include <chrono>
#include <deque>
#include <memory>
#include <thread>

#include "os/midi/System.h"
#include "os/midi/VirtualBus.h"
#include "plugin/PlugInEntry.h"
#include "plugin/QuorelVst.h"
#include "tests/plugin/PlugInTestHost.h"
#include "tests/support/TempDir.h"
#include "tests/support/simsynth/SimSynthDevice.h"

namespace vesk::test {
namespace {

using Clock = std::chrono::steady_clock;

TEST(PlugInOwnThread, AnInstanceClosedWhileItsConnectionScansEndsPromptly) {
  TempDir folder;
  ScopedEnv lockDir{"VESK_LOCK_DIR", folder.path()};
  ScopedEnv config{"XDG_CONFIG_HOME", folder.path()};
  ScopedEnv noDisplay{"DISPLAY", ""};
  os::midi::VirtualBus bus;
  os::midi::System::Install(&bus);
  // Instruments that never answer: every probe waits for its time-out.
  std::deque<std::unique_ptr<SimSynthDevice>> silent;
  SimSynthSettings quiet;
  quiet.silent = true;
  for (int i = 0; i < 3; ++i)
    silent.push_back(std::make_unique<SimSynthDevice>(bus, quiet, "Vesk " + std::to_string(i)));

  TestHost host;
  const auto start = Clock::now();
  AEffect* e = host.Instantiate(&VSTPluginMain);
  ASSERT_NE(e, nullptr);
  auto* plugin = static_cast<QuorelVst*>(static_cast<AudioEffect*>(e->object));
  EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(500));
  // The host's queries meanwhile do not wait for the scan.
  for (int i = 0; i < 100 && !plugin->IsConnecting(); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  ASSERT_TRUE(plugin->IsConnecting());
  const auto queried = Clock::now();
  EXPECT_EQ(host.Text(effGetEffectName), "Vesk Plug-In Editor");
  EXPECT_EQ(host.Text(effGetParamName, 0), "APiano Vol(M)   ");
  EXPECT_LT(Clock::now() - queried, std::chrono::milliseconds(100));

  const auto closing = Clock::now();
  EXPECT_EQ(host.Close(), 1);
  EXPECT_LT(Clock::now() - closing, std::chrono::milliseconds(700));
  os::midi::System::Uninstall(&bus);
}

TEST(PlugInOwnThread, AScanningHostsCycleStaysQuickWhileSilentPortsExist) {
  TempDir folder;
  ScopedEnv lockDir{"VESK_LOCK_DIR", folder.path()};
  ScopedEnv config{"XDG_CONFIG_HOME", folder.path()};
  ScopedEnv noDisplay{"DISPLAY", ""};
  os::midi::VirtualBus bus;
  os::midi::System::Install(&bus);
  SimSynthSettings quiet;
  quiet.silent = true;
  SimSynthDevice device(bus, quiet, "Vesk");
  TestHost host;
  for (int round = 0; round < 5; ++round) {
    const auto start = Clock::now();
    ASSERT_NE(host.Instantiate(&VSTPluginMain), nullptr);
    EXPECT_EQ(host.Close(), 1);
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(700)) << round;
  }
  os::midi::System::Uninstall(&bus);
}

}  // namespace
}  // namespace vesk::test
