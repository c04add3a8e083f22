#include <gtest/gtest.h>

#include <cstdint>
#include <functional>

#include "os/audio/PeriodPacer.h"

namespace {

// A device thread of 256-frame periods at 25,600 Hz (10 ms a period) into a
// buffer of three periods, run on a clock of its own: `writeUs(i)` says how
// long write i makes the thread wait. Returns the time when the 200th write
// ends and the longest wait the pacer asked for.
struct Fed {
  uint64_t endUs = 0;
  uint64_t longestPauseUs = 0;
};
Fed Feed(const std::function<uint64_t(int)>& writeUs) {
  os::audio::PeriodPacer pacer(256, 768, 25600);
  Fed r;
  uint64_t now = 1'000'000;
  const uint64_t start = now;
  for (int i = 0; i < 200; ++i) {
    const uint64_t begin = now;
    now += writeUs(i);
    const uint64_t pause = pacer.AfterWrite(begin, now);
    if (pause > r.longestPauseUs) r.longestPauseUs = pause;
    now += pause;
  }
  r.endUs = now - start;
  return r;
}

TEST(PeriodPacer, ADeviceThatNeverWaitsIsFedAtItsRateAndOneThatWaitsIsNeverHeldBack) {
  // Never waits (the null device): 200 periods take 200 periods' time, less
  // what it may run ahead: the first period, the buffer and a period more.
  const Fed null = Feed([](int) { return 3; });
  EXPECT_GE(null.endUs, (200 - 5) * 10'000u);
  EXPECT_LE(null.endUs, 200 * 10'000u);
  EXPECT_LE(null.longestPauseUs, 10'000u);

  // Takes its buffer at once, then one period as it plays one.
  const Fed device = Feed([](int i) { return i < 3 ? 3 : 10'000; });
  EXPECT_EQ(device.longestPauseUs, 0u);

  // Its clock a little faster than ours, and the odd write that finds room
  // at once: still never held back.
  const Fed fast = Feed([](int i) { return i % 7 == 3 ? 2 : 9'990; });
  EXPECT_EQ(fast.longestPauseUs, 0u);
}

}  // namespace
