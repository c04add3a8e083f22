#include <gtest/gtest.h>

#include <vector>

#include "os/Thread.h"
#include "tests/support/TestEnvironment.h"

namespace {

using vesk::test::TestEnvironment;

TEST(MainLoop, PostedWorkRunsOnTheMainThreadInOrder) {
  TestEnvironment env;
  std::vector<int> seen;
  bool onMain = true;
  os::Thread t;
  t.Start([&] {
    for (int i = 0; i < 5; ++i)
      env.loop().Post([&, i] {
        onMain = onMain && env.loop().IsMainThread();
        seen.push_back(i);
      });
  });
  t.Join();
  EXPECT_EQ(env.loop().RunPending(), 5u);
  EXPECT_EQ(seen, (std::vector<int>{0, 1, 2, 3, 4}));
  EXPECT_TRUE(onMain);
}

TEST(MainLoop, TimersFireAtTheirPeriodsOnVirtualTime) {
  TestEnvironment env;
  std::vector<uint64_t> at;
  const uint64_t start = os::NowMs();
  auto id = env.loop().AddTimer(100, 50, [&] { at.push_back(os::NowMs() - start); });
  env.loop().RunFor(260);
  EXPECT_EQ(at, (std::vector<uint64_t>{100, 150, 200, 250}));
  EXPECT_TRUE(env.loop().RemoveTimer(id));
  env.loop().RunFor(100);
  EXPECT_EQ(at.size(), 4u);
}

TEST(MainLoop, IdleTimersWaitForTheUserToStop) {
  TestEnvironment env;
  int fired = 0;
  env.loop().AddTimer(100, 100, [&] { ++fired; }, /*idle=*/true);
  env.loop().RunFor(90);
  env.loop().NoteUserActivity();  // pushed back to 100 ms from now
  env.loop().RunFor(90);
  EXPECT_EQ(fired, 0);
  env.loop().RunFor(20);
  EXPECT_EQ(fired, 1);
}

TEST(MainLoop, RemovePostedWithdrawsOnlyThatTag) {
  TestEnvironment env;
  int a = 0, b = 0;
  int tagA, tagB;
  env.loop().Post([&] { ++a; }, &tagA);
  env.loop().Post([&] { ++b; }, &tagB);
  env.loop().Post([&] { ++a; }, &tagA);
  EXPECT_EQ(env.loop().RemovePosted(&tagA), 2u);
  env.loop().RunPending();
  EXPECT_EQ(a, 0);
  EXPECT_EQ(b, 1);
}

TEST(MainLoop, ModalRunsNestAndQuitFromAnotherThread) {
  TestEnvironment env;
  int outer, inner;
  std::vector<int> order;
  os::Thread t;
  env.loop().Post([&] {
    order.push_back(1);
    env.loop().Post([&] {
      t.Start([&] { env.loop().QuitModal(&inner); });
    });
    env.loop().RunModal(&inner);
    order.push_back(2);
    env.loop().QuitModal(&outer);
  });
  env.loop().RunModal(&outer);
  t.Join();
  EXPECT_EQ(order, (std::vector<int>{1, 2}));
  EXPECT_EQ(env.loop().ModalDepth(), 0);
}

TEST(MainLoop, EndingModalRunsFromADepthLeavesTheOuterOnesRunning) {
  TestEnvironment env;
  int outer, middle, inner;
  std::vector<int> order;
  env.loop().Post([&] {
    env.loop().Post([&] {
      env.loop().Post([&] { env.loop().EndModalsFrom(1); });
      env.loop().RunModal(&inner);
      order.push_back(1);
    });
    env.loop().RunModal(&middle);
    order.push_back(2);
    // The outer run goes on until it is ended itself.
    EXPECT_TRUE(env.loop().IsModalRunning(&outer));
    env.loop().Post([&] { env.loop().QuitModal(&outer); });
  });
  env.loop().RunModal(&outer);
  EXPECT_EQ(order, (std::vector<int>{1, 2}));
  EXPECT_EQ(env.loop().ModalDepth(), 0);
}

TEST(MainLoop, CallAndWaitRunsOnTheMainThread) {
  TestEnvironment env;
  bool ranOnMain = false;
  bool returned = false;
  os::Thread t;
  t.Start([&] {
    env.loop().CallAndWait([&] { ranOnMain = env.loop().IsMainThread(); });
    returned = true;
  });
  EXPECT_TRUE(env.loop().RunUntil([&] { return ranOnMain; }, 1000));
  t.Join();
  EXPECT_TRUE(returned);
}

TEST(MainLoop, RunUntilGivesUpAtItsTimeOut) {
  TestEnvironment env;
  const uint64_t start = os::NowMs();
  EXPECT_FALSE(env.loop().RunUntil([] { return false; }, 3000));
  EXPECT_EQ(os::NowMs() - start, 3000u);
}

}  // namespace
