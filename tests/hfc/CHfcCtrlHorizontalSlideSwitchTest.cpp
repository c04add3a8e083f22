#include "hfc/CHfcCtrlHorizontalSlideSwitch.h"

#include <gtest/gtest.h>

#include "tests/hfc/HfcCtrlScene.h"

namespace {

using hfctest::CodedStrip;
using hfctest::CtrlScene;
using hfctest::FrameOf;
using hfctest::Log;
using hfctest::LoggingListener;

struct SlideScene : CtrlScene {
  std::unique_ptr<CHfcBmp> strip;
  LoggingListener listener;
};

TEST(CHfcCtrlHorizontalSlideSwitch, CreationTakesItsSizeFromTheStripAndRefusesWhatItCannotDraw) {
  SlideScene s;
  s.strip = CodedStrip(90, 10, 3);
  CHfcCtrlHorizontalSlideSwitch slide;
  tagHfcCtrlHorizontalSlideSwitchParam p{30, 40, 0, 0, s.strip.get(), nullptr, 0, 0, 3, 0};
  ASSERT_TRUE(slide.Create(&p, 5, 9));
  EXPECT_EQ(slide.GetWidth(), 90);
  EXPECT_EQ(slide.GetHeight(), 10);
  EXPECT_EQ(slide.GetMinIntValue(), 0);
  EXPECT_EQ(slide.GetMaxIntValue(), 2);
  EXPECT_EQ(slide.GetGroupId(), 9);
  EXPECT_TRUE(slide.IsEnabled());
  slide.SetIntValue(7, false);
  EXPECT_EQ(slide.GetIntValue(), 2);
  slide.SetIntValue(-3, false);
  EXPECT_EQ(slide.GetIntValue(), 0);

  CHfcCtrlHorizontalSlideSwitch refused;
  EXPECT_FALSE(refused.Create(nullptr, 1, 0));
  tagHfcCtrlHorizontalSlideSwitchParam noStrip{0, 0, 0, 0, nullptr, nullptr, 0, 0, 3, 0};
  EXPECT_FALSE(refused.Create(&noStrip, 1, 0));
  tagHfcCtrlHorizontalSlideSwitchParam noPositions{0, 0, 0, 0, s.strip.get(), nullptr, 0, 0, 0, 0};
  EXPECT_FALSE(refused.Create(&noPositions, 1, 0));
}

TEST(CHfcCtrlHorizontalSlideSwitch, TheLeftmostSegmentIsTheHighestPosition) {
  SlideScene s;
  s.strip = CodedStrip(90, 10, 3);
  CHfcCtrlHorizontalSlideSwitch three;
  tagHfcCtrlHorizontalSlideSwitchParam p{0, 0, 0, 0, s.strip.get(), nullptr, 0, 0, 3, 0};
  ASSERT_TRUE(three.Create(&p, 5, 0));
  const std::pair<int, int> cases[] = {{0, 2}, {29, 2}, {30, 1}, {59, 1}, {60, 0}, {89, 0}, {95, 0}, {-20, 2}};
  for (const auto& [x, position] : cases) EXPECT_EQ(three.PositionAt(x), position) << x;

  // Four positions over three pixels: segments of one pixel.
  CHfcCtrlHorizontalSlideSwitch narrow;
  tagHfcCtrlHorizontalSlideSwitchParam q{0, 0, 3, 2, s.strip.get(), nullptr, 0, 0, 4, 0};
  ASSERT_TRUE(narrow.Create(&q, 6, 0));
  EXPECT_EQ(narrow.PositionAt(0), 3);
  EXPECT_EQ(narrow.PositionAt(2), 1);
}

TEST(CHfcCtrlHorizontalSlideSwitch, DraggingReportsEachNewPositionAndTheListenerSetsIt) {
  SlideScene s;
  s.strip = CodedStrip(90, 10, 3);
  CHfcCtrlHorizontalSlideSwitch slide;
  tagHfcCtrlHorizontalSlideSwitchParam p{30, 40, 0, 0, s.strip.get(), nullptr, 0, 0, 3, 0};
  ASSERT_TRUE(slide.Create(&p, 5, 0));
  slide.SetListener(&s.listener);
  s.Add(&slide);
  s.Press(30 + 75, 45);  // position 0 = the value: nothing reported
  s.Drag(30 + 40, 45);
  s.Drag(30 + 41, 45);  // still 1, not set yet: reported again
  slide.SetIntValue(1, true);
  s.Drag(30 + 42, 45);  // 1 = the value now
  s.Drag(0, 45);        // left of the control
  slide.SetIntValue(2, true);
  s.Release(0, 45);
  EXPECT_EQ(s.listener.log, (Log{"begin", "value 1", "value 1", "value 2", "end"}));
  s.Present();
  EXPECT_EQ(FrameOf(s.Pixel(60, 45)), 2);
}

TEST(CHfcCtrlHorizontalSlideSwitch, ADisabledSwitchRefusesThePressAndDrawsFaded) {
  SlideScene s;
  s.strip = CodedStrip(90, 10, 3);
  CHfcCtrlHorizontalSlideSwitch slide;
  tagHfcCtrlHorizontalSlideSwitchParam p{30, 40, 0, 0, s.strip.get(), nullptr, 0, 0, 3, 0};
  ASSERT_TRUE(slide.Create(&p, 5, 0));
  slide.SetListener(&s.listener);
  s.Add(&slide);
  slide.Disable(true);
  EXPECT_FALSE(slide.OnHfcMouseLButtonDown(nullptr, 10, 5, 0));
  EXPECT_TRUE(s.listener.log.empty());
  s.Present();
  EXPECT_EQ(FrameOf(s.Pixel(60, 45)), -1);  // blended with the layer
}

}  // namespace
