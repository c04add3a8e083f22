#pragma once
// A counting semaphore. Waits go through the clock-aware monitor, so a
// timed wait runs in simulated time under a virtual clock.
#include <memory>

class CHfcSemaphore {
 public:
  // Policy 0 is first-in first-out, 1 fixed priority; any other number
  // means first-in first-out. Waiters of one process are woken in the
  // order the monitor gives; the policy is kept for callers that ask.
  CHfcSemaphore(long policy, long initialCount);
  ~CHfcSemaphore();
  CHfcSemaphore(const CHfcSemaphore&) = delete;
  CHfcSemaphore& operator=(const CHfcSemaphore&) = delete;

  bool Wait();
  // 0 when signalled within ms milliseconds, -1 on time-out.
  int Wait(unsigned long ms);
  bool Signal();
  long GetPolicy() const { return policy_; }

  static const long sm_aiMacPolicies[2];

 private:
  struct State;
  std::unique_ptr<State> state_;
  long policy_;
};
