#pragma once
// The one blocking primitive of the system: a mutex with a condition that
// waits until a predicate holds or a deadline (on os::NowUs) passes. Under a
// VirtualClock every Monitor shares the simulation's lock, so the clock can
// see which tracked threads are able to run, but keeps its own condition:
// NotifyAll wakes this monitor's waiters only, and the clock wakes a waiter
// when its deadline comes. Every wait that can block a tracked thread must
// go through a Monitor (XEvent, os::Thread::Join and the main loop do).
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>

#include "os/Clock.h"

namespace os {

class Monitor {
 public:
  Monitor();
  ~Monitor();
  Monitor(const Monitor&) = delete;
  Monitor& operator=(const Monitor&) = delete;

  std::mutex& mutex() { return *mutex_; }

  // Called with `lock` held on mutex(). Returns true when pred() holds,
  // false when the deadline passed first. Never holds across the wait.
  bool WaitUntil(std::unique_lock<std::mutex>& lock, uint64_t deadlineUs,
                 const std::function<bool()>& pred);
  bool WaitFor(std::unique_lock<std::mutex>& lock, uint64_t ms,
               const std::function<bool()>& pred) {
    return WaitUntil(lock, DeadlineAfterMs(ms), pred);
  }
  void Wait(std::unique_lock<std::mutex>& lock, const std::function<bool()>& pred) {
    WaitUntil(lock, kNoDeadline, pred);
  }
  // Wakes every waiter; call after changing what predicates read.
  void NotifyAll();

 private:
  std::mutex own_mutex_;
  std::mutex* mutex_;
  std::condition_variable cv_;
  bool virtual_;
};

// Marks the calling thread as tracked by the virtual clock for a scope
// (test threads that are not started through os::Thread). No effect without
// a VirtualClock.
class ScopedTrackedThread {
 public:
  ScopedTrackedThread();
  ~ScopedTrackedThread();
  ScopedTrackedThread(const ScopedTrackedThread&) = delete;
  ScopedTrackedThread& operator=(const ScopedTrackedThread&) = delete;

 private:
  bool entered_;
};

}  // namespace os
