// A caught failure leaves one line saying where and what.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "os/ErrorReport.h"

namespace {

template <typename Throw>
std::string ReportOf(Throw toss) {
  testing::internal::CaptureStderr();
  try {
    toss();
  } catch (...) {
    os::ReportCaughtException("Test::Place");
  }
  return testing::internal::GetCapturedStderr();
}

TEST(ErrorReport, OneLineWithThePlaceAndTheException) {
  EXPECT_EQ(ReportOf([] { throw std::runtime_error("disk on fire"); }),
            "vesk: Test::Place: disk on fire\n");
  EXPECT_EQ(ReportOf([] { throw 42; }), "vesk: Test::Place: unknown error\n");
  EXPECT_EQ(os::CurrentExceptionText(), "no exception");
}

}  // namespace
