// Work handed to the main thread as task numbers.
#include "host/IdleTaskQueue.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace vesk::test {
namespace {

TEST(IdleTaskQueue, ATaskWaitingIsNotQueuedTwiceAndZeroEndsTheTick) {
  IdleTaskQueue q;
  q.Demand(6);
  q.Demand(6);
  q.Demand(6);
  EXPECT_EQ(q.Pending(), (std::deque<int>{6}));
  std::vector<int> ran;
  q.RunTick([&](int id) { ran.push_back(id); });
  EXPECT_EQ(ran, (std::vector<int>{6}));

  q.Demand(0);
  q.Demand(8);
  ran.clear();
  q.RunTick([&](int id) { ran.push_back(id); });
  EXPECT_TRUE(ran.empty());
  q.RunTick([&](int id) { ran.push_back(id); });
  EXPECT_EQ(ran, (std::vector<int>{8}));
}

TEST(IdleTaskQueue, AnAlertShownIsNotAskedForAgainButOtherTasksAreAndRunInTheSameTick) {
  IdleTaskQueue q;
  std::vector<int> ran;
  q.Demand(2);
  q.Demand(6);
  q.RunTick([&](int id) {
    ran.push_back(id);
    EXPECT_EQ(q.Doing(), id);
    if (id == 2) q.Demand(2);  // dropped: its alert is on screen
    if (id == 6 && ran.size() == 2) {
      q.Demand(6);  // queued again
      q.Demand(3);
    }
  });
  EXPECT_EQ(ran, (std::vector<int>{2, 6, 6, 3}));
  EXPECT_EQ(q.Doing(), 0);
}

TEST(IdleTaskQueue, AFailingTaskEndsTheTickAndRestoresTheTaskInProgress) {
  IdleTaskQueue q;
  q.Demand(7);
  q.Demand(9);
  EXPECT_THROW(q.RunTick([](int id) {
    if (id == 7) throw std::runtime_error("failed");
  }),
               std::runtime_error);
  EXPECT_EQ(q.Doing(), 0);
  EXPECT_EQ(q.Pending(), (std::deque<int>{9}));
}

}  // namespace
}  // namespace vesk::test
