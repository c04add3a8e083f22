// The buffer-size slider's positions and buffer sizes.
#include "host/BufferFrameSize.h"

#include <gtest/gtest.h>

namespace vesk::test {
namespace {

TEST(BufferFrameSize, TopPositionsAndMappingsBothWays) {
  struct Case {
    int min, max, top;
    std::vector<std::pair<int, int>> positionToFrames;
  };
  const Case cases[] = {
      {32, 8192, 128, {{0, 32}, {1, 64}, {2, 128}, {4, 256}, {8, 512}, {16, 1024}, {127, 8128}, {128, 8192}}},
      {64, 4096, 63, {{0, 64}, {1, 128}, {62, 4032}, {63, 4096}}},
      {15, 2000, 32, {{0, 15}, {1, 64}, {31, 1984}, {32, 2000}}},
      {0, 0, 0, {{0, 0}}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(BufferFrameSize_GetSliderMaxValue(c.min, c.max), c.top) << c.min << ".." << c.max;
    for (auto [position, frames] : c.positionToFrames) {
      EXPECT_EQ(BufferFrameSize_SliderValueToBufferSize(c.min, c.max, position), frames)
          << c.min << ".." << c.max << " position " << position;
      EXPECT_EQ(BufferFrameSize_BufferSizeToSliderValue(c.min, c.max, frames), position)
          << c.min << ".." << c.max << " frames " << frames;
    }
  }
}

TEST(BufferFrameSize, SizesBetweenStepsRoundUpAndEndsClamp) {
  EXPECT_EQ(BufferFrameSize_BufferSizeToSliderValue(32, 8192, 100), 2);
  EXPECT_EQ(BufferFrameSize_SliderValueToBufferSize(32, 8192, 2), 128);
  EXPECT_EQ(BufferFrameSize_BufferSizeToSliderValue(32, 8192, 20), 0);
  EXPECT_EQ(BufferFrameSize_BufferSizeToSliderValue(32, 8192, 8150), 128);
  EXPECT_EQ(BufferFrameSize_BufferSizeToSliderValue(0, 0, 512), 0);
}

}  // namespace
}  // namespace vesk::test
