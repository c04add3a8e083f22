#include <gtest/gtest.h>

#include "os/Clock.h"
#include "platform/HfcTime.h"

namespace {

TEST(HfcGetSystemTimeMs, DifferencesStayRightAcrossTheWrap) {
  // Start 5 ms before the 32-bit millisecond counter wraps.
  os::VirtualClock clock((0x1'0000'0000ull - 5) * 1000);
  const uint32_t before = HfcGetSystemTimeMs();
  EXPECT_EQ(before, 0xFFFFFFFBu);
  clock.AdvanceMs(12);
  const uint32_t after = HfcGetSystemTimeMs();
  EXPECT_LT(after, before);  // wrapped
  EXPECT_EQ(static_cast<uint32_t>(after - before), 12u);
}

TEST(HfcGetSystemTimeMs, FollowsTheMonotonicClock) {
  os::VirtualClock clock(123'456'789);
  EXPECT_EQ(HfcGetSystemTimeMs(), 123'456u);
}

}  // namespace
