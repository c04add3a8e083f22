#pragma once
// The one blocking primitive of the system: a mutex with a condition that
// waits until a predicate holds or a deadline (on os::NowUs) passes. Under a
// VirtualClock every Monitor shares the simulation's lock, so the clock can
// see which tracked threads are able to run, but keeps its own condition:
// NotifyAll wakes this monitor's waiters only, and the clock wakes a waiter
// when its deadline comes. Every wait that can block a tracked thread must
// go through a Monitor (XEvent, os::Thread::Join and the main loop do).
// A Monitor of kRealTime keeps its own lock and waits on the real clock
// also under a VirtualClock: it serves the threads of the machine's MIDI
// devices (ALSA, JACK), which run at the pace of the hardware and the
// server, never at the simulation's.
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>

#include "os/Clock.h"

namespace os {

class Monitor {
 public:
  enum Clocking { kFollowClock, kRealTime };

  explicit Monitor(Clocking clocking = kFollowClock);
  ~Monitor();
  Monitor(const Monitor&) = delete;
  Monitor& operator=(const Monitor&) = delete;

  // Holds the monitor's lock for a scope; a wait gives it up for its
  // length and takes it back before it returns.
  using Hold = std::unique_lock<std::mutex>;
  std::mutex& mutex() { return *mutex_; }

  // Called with `lock` held on mutex(). Returns true when pred() holds,
  // false when the deadline (in Now()'s microseconds) passed first. Never
  // holds across the wait.
  bool WaitUntil(std::unique_lock<std::mutex>& lock, uint64_t deadlineUs,
                 const std::function<bool()>& pred);
  bool WaitFor(std::unique_lock<std::mutex>& lock, uint64_t ms, const std::function<bool()>& pred);
  void Wait(std::unique_lock<std::mutex>& lock, const std::function<bool()>& pred) {
    WaitUntil(lock, kNoDeadline, pred);
  }
  // Wakes every waiter; call after changing what predicates read.
  void NotifyAll();
  // The clock its deadlines are read on: os::NowUs, or for kRealTime the
  // machine's steady clock.
  uint64_t Now() const;

 private:
  std::mutex own_mutex_;
  std::mutex* mutex_;
  std::condition_variable cv_;
  bool virtual_;
  bool realTime_;
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
