#include <gtest/gtest.h>

#include <atomic>
#include <mutex>

#include "os/Clock.h"
#include "os/Monitor.h"
#include "os/Thread.h"

namespace {

TEST(VirtualClock, TimeMovesOnlyWhenToldOrWhenAllTrackedThreadsWait) {
  os::VirtualClock clock(5'000'000);
  EXPECT_EQ(os::NowUs(), 5'000'000u);
  clock.AdvanceMs(20);
  EXPECT_EQ(os::NowUs(), 5'020'000u);

  // The only tracked thread waits 100 ms: time jumps, no real sleep.
  os::Monitor m;
  std::unique_lock<std::mutex> lock(m.mutex());
  EXPECT_FALSE(m.WaitFor(lock, 100, [] { return false; }));
  EXPECT_EQ(os::NowUs(), 5'120'000u);
}

TEST(VirtualClock, AWorkingThreadHoldsTimeBack) {
  os::VirtualClock clock;
  const uint64_t start = os::NowUs();
  os::Monitor m;
  bool ready = false;
  bool proceed = false;
  os::Thread worker;
  worker.Start([&] {
    std::unique_lock<std::mutex> lock(m.mutex());
    ready = true;
    m.NotifyAll();
    // The worker is running (not waiting) until it is told to go on, so the
    // main thread's wait cannot time out in between.
    m.Wait(lock, [&] { return proceed; });
  });
  {
    std::unique_lock<std::mutex> lock(m.mutex());
    EXPECT_TRUE(m.WaitFor(lock, 1000, [&] { return ready; }));
    proceed = true;
    m.NotifyAll();
  }
  worker.Join();
  EXPECT_LT(os::NowUs() - start, 1'000'000u);
}

TEST(VirtualClock, EarliestDeadlineAmongThreadsWins) {
  os::VirtualClock clock;
  const uint64_t start = os::NowUs();
  std::atomic<uint64_t> wokeAt{0};
  os::Thread t;
  t.Start([&] {
    os::Monitor m;
    std::unique_lock<std::mutex> lock(m.mutex());
    m.WaitFor(lock, 30, [] { return false; });
    wokeAt = os::NowUs();
  });
  os::Monitor m;
  std::unique_lock<std::mutex> lock(m.mutex());
  m.WaitFor(lock, 500, [] { return false; });
  lock.unlock();
  t.Join();
  EXPECT_EQ(wokeAt.load() - start, 30'000u);
  EXPECT_EQ(os::NowUs() - start, 500'000u);
  EXPECT_EQ(clock.Stalls(), 0u);
}

TEST(VirtualClock, JoinLetsTimePassForTheJoinedThread) {
  os::VirtualClock clock;
  const uint64_t start = os::NowUs();
  os::Thread t;
  t.Start([] {
    os::Monitor m;
    std::unique_lock<std::mutex> lock(m.mutex());
    m.WaitFor(lock, 5000, [] { return false; });
  });
  t.Join();
  EXPECT_EQ(os::NowUs() - start, 5'000'000u);
}

TEST(RealClock, MonitorTimesOutOnTheMonotonicClock) {
  os::Monitor m;
  std::unique_lock<std::mutex> lock(m.mutex());
  const uint64_t start = os::NowUs();
  EXPECT_FALSE(m.WaitFor(lock, 20, [] { return false; }));
  EXPECT_GE(os::NowUs() - start, 20'000u);
}

}  // namespace
