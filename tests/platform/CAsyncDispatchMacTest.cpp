#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

#include "os/Thread.h"
#include "platform/IAsyncDispatch.h"
#include "tests/support/TestEnvironment.h"

namespace {

using vesk::test::TestEnvironment;

struct Recorder : IAsyncDispatchHandler {
  std::vector<std::pair<long, long>> events;
  std::vector<std::pair<long, uint64_t>> timers;
  std::function<void(long, long)> onEvent;
  void OnAsyncTimer(long id) override { timers.emplace_back(id, os::NowMs()); }
  void OnAsyncEvent(long a, long b) override {
    events.emplace_back(a, b);
    if (onEvent) onEvent(a, b);
  }
};

TEST(AsyncDispatch, NotificationsFromAnotherThreadArriveOnTheMainThreadInOrder) {
  TestEnvironment env;
  std::unique_ptr<IAsyncDispatch> d(AsyncDispatchCreate());
  Recorder r;
  bool allOnMain = true;
  r.onEvent = [&](long, long) { allOnMain = allOnMain && env.loop().IsMainThread(); };
  os::Thread t;
  t.Start([&] {
    for (long i = 0; i < 3; ++i) d->NotifyEvent(&r, i, 10 * i, false);
  });
  t.Join();
  EXPECT_TRUE(r.events.empty());
  // The first loop event flushes all three; the other two find nothing.
  env.loop().RunPending();
  EXPECT_EQ(r.events, (std::vector<std::pair<long, long>>{{0, 0}, {1, 10}, {2, 20}}));
  EXPECT_TRUE(allOnMain);
}

TEST(AsyncDispatch, OnTheMainThreadPlainRunsAtOnceAndForcedLater) {
  TestEnvironment env;
  std::unique_ptr<IAsyncDispatch> d(AsyncDispatchCreate());
  Recorder r;
  d->NotifyEvent(&r, 1, 0, true);
  EXPECT_TRUE(r.events.empty());
  d->NotifyEvent(&r, 2, 0, false);  // overtakes the forced one
  ASSERT_EQ(r.events.size(), 1u);
  EXPECT_EQ(r.events[0].first, 2);
  env.loop().RunPending();
  ASSERT_EQ(r.events.size(), 2u);
  EXPECT_EQ(r.events[1].first, 1);
}

TEST(AsyncDispatch, PostingFromInsideAHandler) {
  TestEnvironment env;
  std::unique_ptr<IAsyncDispatch> d(AsyncDispatchCreate());
  Recorder r;
  std::vector<long> order;
  r.onEvent = [&](long a, long) {
    order.push_back(a);
    if (a == 1) {
      d->NotifyEvent(&r, 3, 0, true);   // same flush, after this call
      d->NotifyEvent(&r, 2, 0, false);  // nested, at once
    }
  };
  d->NotifyEvent(&r, 1, 0, true);
  env.loop().RunPending();
  EXPECT_EQ(order, (std::vector<long>{1, 2, 3}));
}

TEST(AsyncDispatch, TimerIdsAndLimits) {
  TestEnvironment env;
  std::unique_ptr<IAsyncDispatch> d(AsyncDispatchCreate());
  Recorder r;
  long id = -1;
  ASSERT_TRUE(d->CreateTimer(&r, &id));
  EXPECT_EQ(id, 128);
  ASSERT_TRUE(d->CreateTimer(&r, &id));
  EXPECT_EQ(id, 129);
  EXPECT_TRUE(d->DestroyTimer(128));
  ASSERT_TRUE(d->CreateTimer(&r, &id));
  EXPECT_EQ(id, 128);
  for (int i = 2; i < 1024; ++i) ASSERT_TRUE(d->CreateTimer(&r, &id));
  EXPECT_EQ(id, 1151);
  long untouched = 77;
  EXPECT_FALSE(d->CreateTimer(&r, &untouched));  // the 1025th
  EXPECT_EQ(untouched, 77);
  EXPECT_FALSE(d->SetTimerPeriod(5000, 10));
  EXPECT_FALSE(d->DestroyTimer(5000));
}

TEST(AsyncDispatch, TimersFireAtTheirPeriodAndStop) {
  TestEnvironment env;
  std::unique_ptr<IAsyncDispatch> d(AsyncDispatchCreate());
  Recorder r;
  long id;
  ASSERT_TRUE(d->CreateTimer(&r, &id));
  env.loop().RunFor(500);
  EXPECT_TRUE(r.timers.empty());  // reserved, not running
  const uint64_t start = os::NowMs();
  ASSERT_TRUE(d->SetTimerPeriod(id, 100));
  env.loop().RunFor(350);
  ASSERT_EQ(r.timers.size(), 3u);
  EXPECT_EQ(r.timers[0].second - start, 100u);
  EXPECT_EQ(r.timers[2].second - start, 300u);
  EXPECT_TRUE(d->SetTimerPeriod(id, -5));
  env.loop().RunFor(500);
  EXPECT_EQ(r.timers.size(), 3u);
  EXPECT_TRUE(d->SetTimerPeriod(id, 100));
  EXPECT_TRUE(d->SetTimerPeriod(id, 0));
  env.loop().RunFor(500);
  EXPECT_EQ(r.timers.size(), 3u);
}

TEST(AsyncDispatch, NothingReachesADestroyedDispatcherOrAPurgedHandler) {
  TestEnvironment env;
  Recorder r;
  {
    std::unique_ptr<IAsyncDispatch> d(AsyncDispatchCreate());
    long id;
    d->CreateTimer(&r, &id);
    d->SetTimerPeriod(id, 10);
    d->NotifyEvent(&r, 1, 1, true);
  }
  env.loop().RunFor(100);
  EXPECT_TRUE(r.events.empty());
  EXPECT_TRUE(r.timers.empty());

  std::unique_ptr<IAsyncDispatch> d(AsyncDispatchCreate());
  Recorder gone, stays;
  long id;
  d->CreateTimer(&gone, &id);
  d->SetTimerPeriod(id, 10);
  d->NotifyEvent(&gone, 1, 1, true);
  d->NotifyEvent(&stays, 2, 2, true);
  d->PurgeHandler(&gone);
  env.loop().RunFor(100);
  EXPECT_TRUE(gone.events.empty());
  EXPECT_TRUE(gone.timers.empty());
  EXPECT_EQ(stays.events.size(), 1u);
}

TEST(AsyncDispatch, AHandlerMayDeleteItsDispatcher) {
  TestEnvironment env;
  IAsyncDispatch* d = AsyncDispatchCreate();
  Recorder r;
  r.onEvent = [&](long a, long) {
    if (a == 1) {
      delete d;
      d = nullptr;
    }
  };
  d->NotifyEvent(&r, 1, 0, true);
  d->NotifyEvent(&r, 2, 0, true);
  env.loop().RunPending();
  EXPECT_EQ(r.events.size(), 1u);
  EXPECT_EQ(d, nullptr);
}

}  // namespace
