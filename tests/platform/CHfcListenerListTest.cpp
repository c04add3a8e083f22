// Listeners that change the list while they are being notified.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/CHfcListenerList.h"

namespace {

struct Listener {
  std::string name;
  std::vector<std::string>* log;
  std::function<void()> onNotice = {};
  bool stop = false;

  bool Notice() {
    log->push_back(name);
    // A copy: the call may replace the listener's own reaction.
    if (std::function<void()> f = onNotice) f();
    return stop;
  }
};

class CHfcListenerListTest : public ::testing::Test {
 protected:
  void Notify() {
    list.ForEach([](Listener* l) { l->Notice(); });
  }

  std::vector<std::string> log;
  Listener a{"a", &log}, b{"b", &log}, c{"c", &log}, d{"d", &log};
  CHfcListenerList<Listener> list;
};

TEST_F(CHfcListenerListTest, AListenerThatRemovesItselfLetsTheOthersHearTheNoticeOnce) {
  for (Listener* l : {&a, &b, &c}) list.Add(l);
  a.onNotice = [&] { list.Remove(&a); };
  Notify();
  EXPECT_EQ(log, (std::vector<std::string>{"a", "b", "c"}));
  log.clear();
  Notify();
  EXPECT_EQ(log, (std::vector<std::string>{"b", "c"}));
}

TEST_F(CHfcListenerListTest, RemovedListenersAreNotCalledAgainAndAddedOnesWaitForTheNextNotice) {
  for (Listener* l : {&a, &b, &c}) list.Add(l);
  // a removes c (not yet called) and b (itself later), b is never reached,
  // d joins and c comes back: both only hear the next notice.
  a.onNotice = [&] {
    a.onNotice = nullptr;
    EXPECT_TRUE(list.Remove(&c));
    EXPECT_TRUE(list.Remove(&b));
    EXPECT_TRUE(list.Add(&d));
    EXPECT_TRUE(list.Add(&c));
    EXPECT_FALSE(list.Add(&d));
  };
  Notify();
  EXPECT_EQ(log, (std::vector<std::string>{"a"}));
  EXPECT_EQ(list.Size(), 3u);
  log.clear();
  Notify();
  EXPECT_EQ(log, (std::vector<std::string>{"a", "d", "c"}));
}

TEST_F(CHfcListenerListTest, NestedNoticesSeeTheListAsItIsThen) {
  for (Listener* l : {&a, &b, &c}) list.Add(l);
  // b's notice causes another one, during which b leaves and d joins.
  b.onNotice = [&] {
    b.onNotice = [&] {
      list.Remove(&b);
      list.Add(&d);
    };
    log.push_back("(");
    Notify();
    log.push_back(")");
  };
  Notify();
  EXPECT_EQ(log, (std::vector<std::string>{"a", "b", "(", "a", "b", "c", ")", "c"}));
  log.clear();
  Notify();
  EXPECT_EQ(log, (std::vector<std::string>{"a", "c", "d"}));
}

// A copy taken during a notice, to be walked without the list's lock: the
// listeners there are now, in their order, without the places of those
// that left.
TEST_F(CHfcListenerListTest, ASnapshotDuringANoticeHoldsTheListenersLeftInTheirOrder) {
  for (Listener* l : {&a, &b, &c}) list.Add(l);
  std::vector<Listener*> seen;
  a.onNotice = [&] {
    list.Remove(&b);
    list.Add(&d);
    seen = list.Snapshot();
  };
  Notify();
  EXPECT_EQ(seen, (std::vector<Listener*>{&a, &c, &d}));
  a.onNotice = nullptr;
  list.Remove(&a);
  EXPECT_EQ(list.Snapshot(), (std::vector<Listener*>{&c, &d}));
}

TEST_F(CHfcListenerListTest, ClearDuringANoticeEndsItAndAnEarlyStopSkipsTheRest) {
  for (Listener* l : {&a, &b, &c}) list.Add(l);
  b.stop = true;
  EXPECT_TRUE(list.ForEachUntil([](Listener* l) { return l->Notice(); }));
  EXPECT_EQ(log, (std::vector<std::string>{"a", "b"}));
  log.clear();
  a.onNotice = [&] { list.Clear(); };
  Notify();
  EXPECT_EQ(log, (std::vector<std::string>{"a"}));
  EXPECT_EQ(list.Size(), 0u);
  EXPECT_FALSE(list.Contains(&a));
}

TEST_F(CHfcListenerListTest, AddRefusesNullAndTwiceAppendKeepsEveryEntry) {
  EXPECT_FALSE(list.Add(nullptr));
  EXPECT_FALSE(list.Append(nullptr));
  EXPECT_FALSE(list.Remove(nullptr));
  EXPECT_TRUE(list.Add(&a));
  EXPECT_FALSE(list.Add(&a));
  EXPECT_TRUE(list.Append(&a));
  EXPECT_TRUE(list.Append(&b));
  Notify();
  EXPECT_EQ(log, (std::vector<std::string>{"a", "a", "b"}));
  EXPECT_TRUE(list.Remove(&a));
  log.clear();
  Notify();
  EXPECT_EQ(log, (std::vector<std::string>{"a", "b"}));
  EXPECT_TRUE(list.Remove(&a));
  EXPECT_FALSE(list.Remove(&a));
}

}  // namespace
