#include "hfc/HfcCoverage.h"

#include <gtest/gtest.h>

#include <map>
#include <utility>

namespace {

using Rows = std::map<int, std::pair<int, std::vector<float>>>;

Rows Fill(const HfcPolygon& polygon, int width = 64, int height = 48) {
  Rows rows;
  HfcFillPolygons({polygon}, width, height,
                  [&](int y, int x0, const std::vector<float>& c) { rows[y] = {x0, c}; });
  return rows;
}

// Upright rectangles take a shorter way through the filler than other
// shapes; a rectangle whose left edge is split in two takes the general way
// and must cover exactly the same.
TEST(HfcCoverage, UprightRectanglesCoverAsTheGeneralFillDoes) {
  struct Case {
    float x0, y0, x1, y1;
  };
  const Case cases[] = {
      {2.0f, 3.0f, 10.0f, 9.0f},   {2.3f, 3.7f, 6.6f, 20.2f}, {10.5f, 0.5f, 14.5f, 47.5f},
      {-3.2f, -1.4f, 5.1f, 4.9f},  {60.2f, 40.3f, 70.0f, 52.0f}, {7.0f, 7.0f, 7.25f, 7.8f},
  };
  for (const Case& c : cases) {
    const HfcPolygon rect{{c.x0, c.y0}, {c.x1, c.y0}, {c.x1, c.y1}, {c.x0, c.y1}};
    const float mid = (c.y0 + c.y1) * 0.5f;
    const HfcPolygon split{{c.x0, c.y0}, {c.x1, c.y0}, {c.x1, c.y1}, {c.x0, c.y1}, {c.x0, mid}};
    const Rows fast = Fill(rect);
    EXPECT_FALSE(fast.empty()) << c.x0 << "," << c.y0;
    EXPECT_EQ(fast, Fill(split)) << c.x0 << "," << c.y0;
  }
}

TEST(HfcCoverage, ShapesOutsideThePictureCoverNothing) {
  EXPECT_TRUE(Fill({{70, 2}, {80, 2}, {80, 9}, {70, 9}}).empty());
  EXPECT_TRUE(Fill({{-9, 2}, {-1, 2}, {-1, 9}, {-9, 9}}).empty());
  EXPECT_TRUE(Fill({{2, 60}, {9, 60}, {9, 70}, {2, 70}}).empty());
}

}  // namespace
