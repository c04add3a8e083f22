#include <gtest/gtest.h>

#include <atomic>

#include "os/Clock.h"
#include "platform/XEvent.h"
#include "platform/XMutex.h"
#include "platform/XThread.h"
#include "tests/support/TestEnvironment.h"

namespace {

using vesk::test::TestEnvironment;

TEST(XEvent, AutoResetSemantics) {
  TestEnvironment env;
  XEvent e;
  EXPECT_FALSE(e.Wait(0));  // not created
  ASSERT_TRUE(e.Create());
  e.Reset();
  e.Set();
  e.Set();  // two sets wake one wait
  EXPECT_TRUE(e.Wait(0));
  EXPECT_FALSE(e.Wait(0));
  e.Set();
  EXPECT_TRUE(e.Wait(XEvent::kInfinite));  // set before: returns at once
  EXPECT_FALSE(e.Wait(0));
  e.Set();
  ASSERT_TRUE(e.Create());  // recreated: the pending set is kept as state of the flag only
  e.Reset();
  EXPECT_FALSE(e.Wait(0));
}

TEST(XEvent, UnsetEventIsATimedSleepOnTheMonotonicClock) {
  TestEnvironment env;
  XEvent e;
  e.Create();
  const uint64_t start = os::NowMs();
  EXPECT_FALSE(e.Wait(50));
  EXPECT_EQ(os::NowMs() - start, 50u);
  EXPECT_FALSE(e.Wait(0));  // still clear
}

TEST(XEvent, InfiniteWaitReturnsOnlyAfterASet) {
  TestEnvironment env;
  XEvent e;
  e.Create();
  os::Thread setter;
  std::atomic<bool> set{false};
  setter.Start([&] {
    XEvent sleep;
    sleep.Create();
    sleep.Wait(2000);  // simulated: the main thread's wait lets time move
    set = true;
    e.Set();
  });
  const uint64_t start = os::NowMs();
  EXPECT_TRUE(e.Wait(XEvent::kInfinite));
  EXPECT_TRUE(set.load());
  EXPECT_EQ(os::NowMs() - start, 2000u);
  setter.Join();
}

TEST(XEvent, RealClockTimeOut) {
  XEvent e;
  e.Create();
  const uint64_t start = os::NowUs();
  EXPECT_FALSE(e.Wait(10));
  EXPECT_GE(os::NowUs() - start, 10'000u);
}

struct Worker : IXThreadProc {
  XEvent wake;
  std::atomic<bool> running{true};
  std::atomic<int> passes{0};
  uint32_t result = 0;
  uint32_t ThreadProc() override {
    while (running) {
      if (wake.Wait(XEvent::kInfinite) && running) ++passes;
    }
    return result;
  }
};

TEST(XThread, RunJoinsThePreviousThreadFirst) {
  TestEnvironment env;
  Worker w;
  w.wake.Create();
  w.wake.Reset();
  XThread t;
  ASSERT_TRUE(t.Run(&w));
  EXPECT_TRUE(t.HasThread());
  w.wake.Set();
  // Stopping is the owner's business: clear the flag, wake, join.
  EXPECT_TRUE(env.loop().RunUntil([&] { return w.passes == 1; }, 1000));
  w.running = false;
  w.result = 42;
  w.wake.Set();
  EXPECT_EQ(t.Join(), 42u);
  EXPECT_FALSE(t.HasThread());

  // A finished but unjoined thread is joined by the next Run.
  struct Quick : IXThreadProc {
    std::atomic<int> runs{0};
    uint32_t ThreadProc() override { return ++runs; }
  } q;
  ASSERT_TRUE(t.Run(&q));
  ASSERT_TRUE(t.Run(&q));
  EXPECT_EQ(t.Join(), 2u);
}

TEST(XMutex, RecursiveAfterCreate) {
  XMutex m;
  EXPECT_FALSE(m.Lock());  // not created
  ASSERT_TRUE(m.Create());
  EXPECT_TRUE(m.Lock());
  EXPECT_TRUE(m.Lock());
  EXPECT_TRUE(m.Unlock());
  EXPECT_TRUE(m.Unlock());
}

}  // namespace
