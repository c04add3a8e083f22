#pragma once
// Time for the whole process. Normally the monotonic system clock; while a
// VirtualClock is installed (tests), a simulated clock that moves only when
// told to or when every tracked thread is waiting for time to pass.
#include <cstdint>

namespace os {

constexpr uint64_t kNoDeadline = UINT64_MAX;

// Microseconds on a monotonic clock; the origin is arbitrary.
uint64_t NowUs();
inline uint64_t NowMs() { return NowUs() / 1000; }

// Deadline helper that cannot overflow.
inline uint64_t DeadlineAfterMs(uint64_t ms) {
  const uint64_t now = NowUs();
  if (ms >= (kNoDeadline - now) / 1000) return kNoDeadline;
  return now + ms * 1000;
}

// Simulated time. Install exactly one at a time, from the thread that will
// act as the main thread; that thread becomes a tracked thread. Threads
// started through os::Thread (and so XThread) are tracked too. Whenever every
// tracked thread is blocked in an os::Monitor wait and none of them can go on,
// time jumps to the earliest deadline among those waits, so protocol pauses
// and time-outs cost no real time and runs are repeatable.
class VirtualClock {
 public:
  explicit VirtualClock(uint64_t startUs = 1'000'000'000ull);
  ~VirtualClock();
  VirtualClock(const VirtualClock&) = delete;
  VirtualClock& operator=(const VirtualClock&) = delete;

  static bool Active();
  uint64_t Now() const;
  // Moves time forward and wakes every waiter whose deadline has passed.
  void Advance(uint64_t us);
  void AdvanceMs(uint64_t ms) { Advance(ms * 1000); }
  // Number of times the clock found every tracked thread waiting with
  // nothing due (a simulated deadlock). Tests may assert it stays 0.
  uint64_t Stalls() const;
};

}  // namespace os
