#include "plugin/CParameter.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(CParameter, HostValuesMapOntoTheRowsSteps) {
  struct Case {
    float f;
    int n, base, expected;
  };
  const Case cases[] = {
      {0.5f, 128, 0, 63},     // trunc(64 - 1/256)
      {0.0f, 128, 0, 0},      {1.0f, 128, 0, 127},  {-5.0f, 128, 0, 0},
      {9.0f, 128, 0, 127},    {0.0f, 199, -99, -99}, {1.0f, 199, -99, 99},
      {0.5f, 199, -99, 0},    {NAN, 128, 0, 0},     {1e30f, 128, 0, 127},
      {0.3f, 1, 5, 5},        // a row of one step
  };
  for (const Case& c : cases)
    EXPECT_EQ(CParameter::QuantizeToInt(c.f, c.n, c.base), c.expected) << c.f << " " << c.n;
  EXPECT_FLOAT_EQ(CParameter::RegulateFromInt(63, 128, 0), 63.0f / 127.0f);
}

TEST(CParameter, EveryStepSurvivesTheRoundTrip) {
  for (int n : {2, 3, 100, 128, 199, 256, 1000})
    for (int v = -99; v < -99 + n; ++v)
      ASSERT_EQ(CParameter::QuantizeToInt(CParameter::RegulateFromInt(v, n, -99), n, -99), v)
          << n << " " << v;
}

TEST(CParameter, ARowWhoseMinimumEqualsItsMaximumReportsZero) {
  const float f = CParameter::RegulateFromInt(5, 1, 5);
  EXPECT_FALSE(std::isnan(f));
  EXPECT_EQ(f, 0.0f);
  EXPECT_EQ(CParameter::Regulate(3.0f, 2.0f, 2.0f), 0.0f);
}
