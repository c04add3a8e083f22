#include "model/mathexp.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

struct EvalCase {
  const char* text;
  double v;
  bool ok;
  double result;
};

const EvalCase kCases[] = {
    {"v*10", 5, true, 50},
    {"(v<64)*2", 10, true, 2},
    {"1+2*3", 0, true, 9},
    {"-v", 3, true, -3},
    {"!v", 0, true, 1},
    {"!v", 2, true, 0},
    {"v!=3", 3, true, 0},
    {"v >= 3", 3, true, 1},
    {"v<=2", 3, true, 0},
    {"v=3", 3, true, 1},
    {"v>2", 3, true, 1},
    {"2--v", 1, true, 3},
    {"2*-v", 4, true, -8},
    {"0&5", 0, true, 0},
    {"3&5", 0, true, 1},
    {"3&0", 0, true, 0},
    {"0|0", 0, true, 0},
    {"0|7", 0, true, 1},
    {"2|0", 0, true, 1},
    {"10/4", 0, true, 2.5},
    {"((v+1)*(v-1))", 3, true, 8},
    {"1e3+0.5", 0, true, 1000.5},
    {"\r\n\t v \t", 7, true, 7},
    {"", 1, false, 0},
    {"   ", 1, false, 0},
    {"(v+1", 1, false, 0},
    {"v+1)", 1, false, 0},
    {"v v", 1, false, 0},
    {"--v", 1, false, 0},
    {"abc", 1, false, 0},
    {"v+", 1, false, 0},
    {"2!3", 1, false, 0},
    {"+3", 1, false, 0},
    {"()", 1, false, 0},
    {"\v-3", 1, false, 0},
};

TEST(mathexp, EvaluatesLeftToRightInBothPrecisions) {
  for (const EvalCase& c : kCases) {
    SCOPED_TRACE(std::string("expression: ") + c.text);
    double d = -12345;
    float f = -12345;
    EXPECT_EQ(mathexp::eval(c.text, c.v, &d), c.ok);
    EXPECT_EQ(mathexp::eval(c.text, static_cast<float>(c.v), &f), c.ok);
    if (c.ok) {
      EXPECT_DOUBLE_EQ(d, c.result);
      EXPECT_FLOAT_EQ(f, static_cast<float>(c.result));
    } else {
      EXPECT_EQ(d, -12345);  // left alone on failure
      EXPECT_EQ(f, -12345);
    }
  }
}

TEST(mathexp, NullTextFailsAndDivisionByZeroFollowsIeee) {
  double d = 0;
  EXPECT_FALSE(mathexp::eval(nullptr, 1.0, &d));
  ASSERT_TRUE(mathexp::eval("1/0", 0.0, &d));
  EXPECT_TRUE(std::isinf(d));
}

TEST(mathexp, PrecisionFollowsTheVariant) {
  // 16777217 is not a float; the double evaluation keeps it.
  double d = 0;
  float f = 0;
  ASSERT_TRUE(mathexp::eval("v+1", 16777216.0, &d));
  ASSERT_TRUE(mathexp::eval("v+1", 16777216.0f, &f));
  EXPECT_EQ(d, 16777217.0);
  EXPECT_EQ(f, 16777216.0f);
}

TEST(mathexp, DeepNestingFailsInsteadOfOverflowingTheStack) {
  std::string deep(1000, '(');
  deep += "1";
  deep += std::string(1000, ')');
  double d = 0;
  EXPECT_FALSE(mathexp::eval(deep.c_str(), 0.0, &d));
  EXPECT_TRUE(mathexp::eval("((((((((((1))))))))))", 0.0, &d));
  EXPECT_EQ(d, 1);
}

}  // namespace
