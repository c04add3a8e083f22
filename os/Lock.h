#pragma once
// A lock around shared state, held for the few steps that read or change
// it and never across a wait (the rule of os/Sync.h). Plain or recursive
// (a thread that holds a recursive lock may take it again). It is
// BasicLockable, so std::lock_guard and std::unique_lock hold it for a
// scope. Any thread but the host's audio thread, which takes no lock.
#include <pthread.h>

namespace os {

class Lock {
 public:
  enum Kind { kPlain, kRecursive };

  // A plain lock is ready before any code runs, so a lock at namespace
  // scope may guard a table that other files' start-up code fills.
  constexpr Lock() noexcept = default;
  explicit Lock(Kind kind);
  ~Lock();
  Lock(const Lock&) = delete;
  Lock& operator=(const Lock&) = delete;

  void lock();
  bool try_lock();
  void unlock();

  // How many plain os::Lock the calling thread holds; a wait that begins
  // with one is a fault. Recursive locks are not counted: they are the
  // framework's (CHfcCriticalSection, CHfcMutex, XMutex), which the GUI
  // thread holds around whole handlers as guards against re-entry (the
  // root layer's GUI-mode lock, a source's list of sinks while they are
  // told), and such a handler may wait for the synthesizer.
  static int HeldByThisThread();

 private:
  pthread_mutex_t mutex_ = PTHREAD_MUTEX_INITIALIZER;
  bool counted_ = true;
};

// Called by every wait as it is about to block: with assertions on (tests),
// a wait that begins while the thread holds a plain os::Lock stops the
// program with `what` named.
void CheckNoLockHeldAcrossWait(const char* what);

}  // namespace os
