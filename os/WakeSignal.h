#pragma once
// A wake-up that any thread may give without blocking, taking a lock or
// allocating (the host's audio thread gives it), and that one thread waits
// for. Signals given before the wait wake it once. Under an os::VirtualClock
// the waiter waits in a Monitor, so that simulated time moves while it
// sleeps; a signal then also takes the simulation's lock.
#include <atomic>
#include <memory>

#include <semaphore.h>

namespace os {

class Monitor;

class WakeSignal {
 public:
  WakeSignal();
  ~WakeSignal();
  WakeSignal(const WakeSignal&) = delete;
  WakeSignal& operator=(const WakeSignal&) = delete;

  // Any thread.
  void Signal();
  // The waiting thread: returns once a signal has come since the last
  // return, consuming it.
  void Wait();

 private:
  std::atomic<bool> pending_{false};
  sem_t semaphore_;
  std::unique_ptr<Monitor> simulated_;
};

}  // namespace os
