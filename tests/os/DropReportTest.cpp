#include <gtest/gtest.h>

#include <string>

#include "os/Clock.h"
#include "os/DropReport.h"

namespace {

// Losses are told in words: the first at once, then at most a line a
// second with how many since the line before, and what is untold when the
// report ends. Nothing lost means nothing said.
TEST(DropReport, TellsTheFirstLossAtOnceThenAtMostALineASecond) {
  os::VirtualClock clock;
  testing::internal::CaptureStderr();
  {
    os::DropReport report("the queue to the synthesizer was full");
    EXPECT_FALSE(report.Tell());
    report.Count();
    EXPECT_TRUE(report.Tell());
    report.Count(4);
    EXPECT_FALSE(report.Tell());  // within the second
    clock.AdvanceMs(999);
    EXPECT_FALSE(report.Tell());
    clock.AdvanceMs(1);
    EXPECT_TRUE(report.Tell());
    EXPECT_FALSE(report.Tell());  // nothing new
    report.Count(2);
    EXPECT_TRUE(report.Tell(true));
    report.Count();
    EXPECT_EQ(report.Total(), 8u);
  }
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "vesk: the queue to the synthesizer was full: 1 message was not sent (1 in all)\n"
            "vesk: the queue to the synthesizer was full: 4 messages were not sent (5 in all)\n"
            "vesk: the queue to the synthesizer was full: 2 messages were not sent (7 in all)\n"
            "vesk: the queue to the synthesizer was full: 1 message was not sent (8 in all)\n");
}

}  // namespace
