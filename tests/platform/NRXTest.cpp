#include <gtest/gtest.h>

#include <atomic>
#include <string>

#include "os/Thread.h"
#include "platform/CHfcCriticalSection.h"
#include "platform/CHfcMutex.h"
#include "platform/NRXException.h"
#include "platform/NRXMutex.h"
#include "platform/XEvent.h"

namespace {

TEST(NRXException, MessagesAndDetails) {
  struct Case {
    NRXException e;
    const char* message;
    const char* detail;
  };
  const Case cases[] = {
      {NRXException(), "NRXException", ""},
      {NRXException(nullptr, nullptr), "", ""},
      {NRXNullException("port", nullptr), "port is NULL", ""},
      {NRXIfNotException("n > 0", "open"), "(n > 0) is not", "open"},
      {NRXMacOSException(-50, nullptr), "MacOS Error ID=-50", ""},
  };
  for (const Case& c : cases) {
    EXPECT_STREQ(c.e.what(), c.message);
    std::string d = "x";
    c.e.getErrorMessage(d);
    EXPECT_EQ(d, c.detail);
  }
  try {
    throw NRXMacOSException(-50, "midi");
  } catch (const NRXException& e) {
    EXPECT_STREQ(e.what(), "MacOS Error ID=-50");
    EXPECT_EQ(dynamic_cast<const NRXMacOSException&>(e).code(), -50);
  }
}

TEST(NRXMutex, KindsAndScopedLocks) {
  NRXMutex unknown(7);  // acts as a normal mutex
  EXPECT_EQ(unknown.kind(), 7);
  EXPECT_TRUE(unknown.Trylock());
  EXPECT_FALSE(unknown.Trylock());
  EXPECT_EQ(unknown.Unlock(), 0);

  NRXMutex recursive(2);
  {
    NRXStMutexLock a(recursive);
    NRXStMutexLock b(recursive);
    EXPECT_TRUE(a.IsLocked() && b.IsLocked());
  }

  NRXMutex errorChecking(1);
  EXPECT_TRUE(errorChecking.Lock());
  EXPECT_FALSE(errorChecking.Lock());  // EDEADLK
  errorChecking.Unlock();

  NRXMutex held(0);
  os::Thread holder;
  XEvent locked, release;
  locked.Create();
  release.Create();
  holder.Start([&] {
    held.Lock();
    locked.Set();
    release.Wait(XEvent::kInfinite);
    held.Unlock();
  });
  ASSERT_TRUE(locked.Wait(5000));
  {
    NRXStMutexLock tryOnly(held, true);
    EXPECT_FALSE(tryOnly.IsLocked());
    NRXStMutexTrylock t(held);
    EXPECT_FALSE(t.IsLocked());
  }
  release.Set();
  holder.Join();
  {
    NRXStMutexTrylock t(held);
    EXPECT_TRUE(t.IsLocked());
  }
  EXPECT_TRUE(held.Trylock());  // the scoped try-lock released it
  held.Unlock();
}

TEST(NRXMutex, ScopedUnlockLetsOthersIn) {
  NRXMutex m(2);
  NRXStMutexLock outer(m);
  std::atomic<bool> got{false};
  {
    NRXStMutexUnlock open(m);
    os::Thread t;
    t.Start([&] {
      NRXStMutexLock l(m);
      got = l.IsLocked();
    });
    t.Join();
  }
  EXPECT_TRUE(got);
}

TEST(CHfcCriticalSection, RecursiveAndTryLockAcrossThreads) {
  CHfcCriticalSection cs;
  EXPECT_EQ(cs.Lock(), 0);
  EXPECT_TRUE(cs.TryLock());  // same thread
  std::atomic<bool> other{true};
  os::Thread t;
  t.Start([&] { other = cs.TryLock(); });
  t.Join();
  EXPECT_FALSE(other);
  cs.Unlock();
  cs.Unlock();

  CHfcMutex m;
  EXPECT_FALSE(m.Lock());
  ASSERT_TRUE(m.Create());
  EXPECT_TRUE(m.Lock());
  EXPECT_TRUE(m.Lock());
  EXPECT_TRUE(m.Unlock());
  EXPECT_TRUE(m.Unlock());
  EXPECT_TRUE(m.Destroy());
  EXPECT_FALSE(m.Destroy());
}

}  // namespace
