#include <gtest/gtest.h>

#include <mutex>

#include "os/Sync.h"
#include "os/Thread.h"

namespace {

TEST(Lock, KindsAndTheHoldsOfTheThread) {
  os::Lock plain;
  os::Lock recursive(os::Lock::kRecursive);
  EXPECT_EQ(os::Lock::HeldByThisThread(), 0);
  {
    std::lock_guard<os::Lock> a(plain);
    EXPECT_FALSE(plain.try_lock());
    std::lock_guard<os::Lock> b(recursive);
    EXPECT_TRUE(recursive.try_lock());
    EXPECT_EQ(os::Lock::HeldByThisThread(), 1);  // the plain one
    recursive.unlock();
  }
  EXPECT_EQ(os::Lock::HeldByThisThread(), 0);
}

// Ready before any code runs (it compiles only so), so that a table at
// namespace scope may be filled by other files' start-up code.
constinit os::Lock g_startUpLock;

TEST(Lock, APlainLockAtNamespaceScopeIsReadyAtStartUp) {
  {
    std::lock_guard<os::Lock> g(g_startUpLock);
    EXPECT_FALSE(g_startUpLock.try_lock());
    EXPECT_EQ(os::Lock::HeldByThisThread(), 1);
  }
  EXPECT_EQ(os::Lock::HeldByThisThread(), 0);
}

// The rule of os/Sync.h, checked where every wait begins: a Monitor wait,
// a thread join or a WakeSignal wait that starts with a lock held stops the
// program and names the wait; the same waits with no lock held run.
TEST(LockDeathTest, AWaitThatBeginsWithALockHeldStopsTheProgram) {
#ifdef NDEBUG
  // Without assertions nothing is checked, and the waits below never end.
  GTEST_SKIP() << "the check is in builds with assertions";
#endif
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  struct Case {
    const char* name;
    void (*wait)();
    const char* said;
  };
  const Case cases[] = {
      {"monitor",
       [] {
         os::Monitor m;
         std::unique_lock<std::mutex> lock(m.mutex());
         m.WaitFor(lock, 1, [] { return false; });
       },
       "os::Monitor begins a wait while its thread holds 1 os::Lock"},
      {"join",
       [] {
         os::Monitor m;
         bool go = false;
         os::Thread t;
         t.Start([&] {
           std::unique_lock<std::mutex> lock(m.mutex());
           m.Wait(lock, [&] { return go; });
         });
         t.Join();
       },
       "os::Monitor begins a wait"},
      {"wake signal",
       [] {
         os::WakeSignal s;
         s.Wait();
       },
       "os::WakeSignal begins a wait"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    os::Lock held;
    EXPECT_DEATH(
        {
          std::lock_guard<os::Lock> g(held);
          c.wait();
        },
        c.said);
  }
  // Without the lock the monitor's wait runs to its time-out.
  os::Monitor m;
  std::unique_lock<std::mutex> lock(m.mutex());
  EXPECT_FALSE(m.WaitFor(lock, 1, [] { return false; }));
}

}  // namespace
