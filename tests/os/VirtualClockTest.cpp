#include <gtest/gtest.h>
#include <sys/resource.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <vector>

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

// The calling thread's voluntary switches: each time it went to sleep.
long SleepsOfThisThread() {
  rusage u{};
  getrusage(RUSAGE_THREAD, &u);
  return u.ru_nvcsw;
}

// Threads that wait on monitors of their own sleep on while time passes
// for a thread that waits on another: a thousand steps of the clock wake
// none of them (when every monitor woke every waiter, each step woke each
// of them).
TEST(VirtualClock, TimePassingWakesOnlyTheWaiterWhoseTurnItIs) {
  os::VirtualClock clock;
  os::Monitor started;
  int waiting = 0;
  bool done = false;
  std::vector<std::unique_ptr<os::Monitor>> own;
  std::vector<long> sleeps(4, -1);
  std::vector<std::unique_ptr<os::Thread>> sleepers;
  for (size_t i = 0; i < sleeps.size(); ++i) own.push_back(std::make_unique<os::Monitor>());
  for (size_t i = 0; i < sleeps.size(); ++i) {
    sleepers.push_back(std::make_unique<os::Thread>());
    sleepers.back()->Start([&, i] {
      std::unique_lock<std::mutex> lock(own[i]->mutex());  // the simulation's lock
      const long before = SleepsOfThisThread();
      ++waiting;
      started.NotifyAll();
      own[i]->Wait(lock, [&] { return done; });
      sleeps[i] = SleepsOfThisThread() - before;
    });
  }
  {
    std::unique_lock<std::mutex> lock(started.mutex());
    ASSERT_TRUE(started.WaitFor(lock, 1000, [&] { return waiting == 4; }));
  }
  const uint64_t start = os::NowUs();
  os::Monitor mine;
  for (int step = 0; step < 1000; ++step) {
    std::unique_lock<std::mutex> lock(mine.mutex());
    EXPECT_FALSE(mine.WaitFor(lock, 1, [] { return false; }));
  }
  EXPECT_EQ(os::NowUs() - start, 1'000'000u);
  {
    std::unique_lock<std::mutex> lock(started.mutex());
    done = true;
    for (auto& m : own) m->NotifyAll();
  }
  for (auto& t : sleepers) t->Join();
  for (long n : sleeps) EXPECT_LT(n, 20) << "a thread with nothing to do was woken";
  EXPECT_EQ(clock.Stalls(), 0u);
}

TEST(RealClock, MonitorTimesOutOnTheMonotonicClock) {
  os::Monitor m;
  std::unique_lock<std::mutex> lock(m.mutex());
  const uint64_t start = os::NowUs();
  EXPECT_FALSE(m.WaitFor(lock, 20, [] { return false; }));
  EXPECT_GE(os::NowUs() - start, 20'000u);
}

// The machine's MIDI devices keep the hardware's pace: their monitors wait
// on the real clock and keep a lock of their own, also under a simulation.
TEST(VirtualClock, ARealTimeMonitorWaitsOnTheRealClockWithALockOfItsOwn) {
  os::VirtualClock clock;
  const uint64_t virtualStart = os::NowUs();
  os::Monitor device(os::Monitor::kRealTime);
  os::Monitor simulated;
  os::Monitor::Hold lock(device.mutex());
  // The simulation's monitors can be taken while a device's is held.
  std::unique_lock<std::mutex> other(simulated.mutex(), std::try_to_lock);
  EXPECT_TRUE(other.owns_lock());
  other.unlock();

  const auto realStart = std::chrono::steady_clock::now();
  EXPECT_FALSE(device.WaitFor(lock, 20, [] { return false; }));
  EXPECT_GE(std::chrono::steady_clock::now() - realStart, std::chrono::milliseconds(20));
  EXPECT_EQ(os::NowUs(), virtualStart) << "a device's wait moved the simulated time";
}

}  // namespace
