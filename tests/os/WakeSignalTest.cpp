#include "os/WakeSignal.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "os/Thread.h"
#include "tests/support/TestEnvironment.h"

namespace {

using vesk::test::TestEnvironment;

// On simulated time a waiter that has nothing to do lets time pass: the
// wakes it had can be counted exactly.
TEST(WakeSignal, SignalsBeforeAWaitWakeItOnceAndANewSignalWakesItAgain) {
  TestEnvironment env;
  os::WakeSignal wake;
  std::atomic<int> wakes{0};
  std::atomic<bool> stop{false};
  for (int i = 0; i < 3; ++i) wake.Signal();
  os::Thread waiter;
  waiter.Start([&] {
    while (!stop) {
      wake.Wait();
      ++wakes;
    }
  });
  env.loop().RunFor(100);
  EXPECT_EQ(wakes, 1);
  // From a thread the clock does not track, as the host's audio thread.
  std::thread([&] { wake.Signal(); }).join();
  env.loop().RunFor(100);
  EXPECT_EQ(wakes, 2);
  stop = true;
  wake.Signal();
  waiter.Join();
  EXPECT_EQ(wakes, 3);
}

// On the real clock: every wait that a signal answers returns, however the
// signals and waits interleave.
TEST(WakeSignal, AWaiterOnTheRealClockSeesEverySignalThatFollowsItsWork) {
  os::WakeSignal wake;
  std::atomic<int> produced{0};
  std::atomic<bool> stop{false};
  int consumed = 0;
  std::thread waiter([&] {
    while (true) {
      wake.Wait();
      const bool last = stop;
      consumed = produced.load();
      if (last) return;
    }
  });
  for (int i = 1; i <= 20000; ++i) {
    produced = i;
    wake.Signal();
  }
  stop = true;
  wake.Signal();
  waiter.join();
  EXPECT_EQ(consumed, 20000);
}

}  // namespace
