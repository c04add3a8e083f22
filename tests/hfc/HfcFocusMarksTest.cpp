#include "hfc/HfcFocusMarks.h"

#include <gtest/gtest.h>

namespace {

TEST(HfcFocusMarks, RingAlphasGrowTowardsTheOutside) {
  struct Case {
    uint32_t colour;
    int margin;
    std::vector<int> alphas;  // innermost first
  };
  const Case cases[] = {
      {0xFFBDFF00u, 3, {85, 170, 255}},
      {0xFFBDFF00u, 1, {255}},
      {0xFF000000u, 4, {63, 127, 191, 255}},
      {0x80FFFFFFu, 2, {64, 128}},
      {0x00FFFFFFu, 2, {0, 0}},
  };
  for (const Case& c : cases) {
    std::vector<int> got;
    for (int i = 1; i <= c.margin; ++i) got.push_back(HfcFocusRingAlpha(c.colour, i, c.margin));
    EXPECT_EQ(got, c.alphas) << std::hex << c.colour << " margin " << c.margin;
  }
  EXPECT_EQ(HfcFocusRingAlpha(0xFFFFFFFFu, 0, 3), 0);
  EXPECT_EQ(HfcFocusRingAlpha(0xFFFFFFFFu, 1, 0), 0);
}

TEST(HfcFocusMarks, RingsSurroundTheFrameAndMayStayOpenAtTheBottom) {
  const tagHfcRect frame{10, 20, 40, 30};
  auto rings = HfcFocusRings(frame, 2, 0xFF123456u, false);
  ASSERT_EQ(rings.size(), 2u);
  EXPECT_EQ(rings[0].x, 9);
  EXPECT_EQ(rings[0].y, 19);
  EXPECT_EQ(rings[0].width, 32);
  EXPECT_EQ(rings[0].height, 12);
  EXPECT_EQ(rings[0].colour, 0x7F123456u);
  EXPECT_EQ(rings[1].width, 34);
  EXPECT_EQ(rings[1].height, 14);
  EXPECT_EQ(rings[1].colour, 0xFF123456u);
  auto open = HfcFocusRings(frame, 2, 0xFF123456u, true);
  EXPECT_EQ(open[1].height, 12);  // ends at the frame's bottom
  EXPECT_TRUE(HfcFocusRings(frame, 0, 0xFF123456u, false).empty());
}

TEST(HfcFocusMarks, CornerStrokesAreThreePixelsLongInsideTheFrame) {
  auto strokes = HfcFocusCornerStrokes({10, 20, 40, 30});
  ASSERT_EQ(strokes.size(), 8u);
  EXPECT_EQ(strokes[0].to.x, 13);
  EXPECT_EQ(strokes[2].from.x, 39);
  EXPECT_EQ(strokes[2].to.x, 36);
  EXPECT_EQ(strokes[5].from.y, 29);
  EXPECT_EQ(strokes[5].to.y, 26);
  EXPECT_EQ(strokes[7].from.x, 39);
  EXPECT_EQ(strokes[7].from.y, 29);
}

}  // namespace
