#include <gtest/gtest.h>

#include "hfc/CHfcCtrlKeyboard.h"
#include "hfc/CHfcCtrlWheel.h"
#include "tests/hfc/HfcCtrlScene.h"

namespace {

using hfctest::CodedStrip;
using hfctest::CtrlScene;
using hfctest::FrameOf;
using hfctest::Log;
using hfctest::LoggingListener;

TEST(CHfcCtrlWheel, ASpringWheelReportsItsRestValueWhenLetGo) {
  CtrlScene s;
  auto strip = CodedStrip(20, 60, 101);
  CHfcCtrlWheel wheel;
  LoggingListener listener;
  tagHfcCtrlWheelParam p{50, 40, 0, 0, strip.get(), nullptr, 0, 0, 101, 0, 100, 1, 50, 1};
  ASSERT_TRUE(wheel.Create(&p, 4, 0));
  EXPECT_EQ(wheel.GetHeight(), 60);
  wheel.SetListener(&listener);
  s.Add(&wheel);
  wheel.SetIntValue(50, true);
  s.Present();
  EXPECT_EQ(FrameOf(s.Pixel(60, 70)), 50);
  s.Press(60, 70);
  s.Drag(60, 67);   // 53
  s.Drag(60, 60);   // 60
  s.Drag(60, 0);    // beyond the maximum: 100, accumulator 120
  s.Drag(60, 10);   // 110: nothing new
  s.Drag(60, 30);   // 90
  s.Release(60, 30);
  EXPECT_EQ(listener.log, (Log{"begin", "value 53", "value 60", "value 100", "value 90", "value 50", "end"}));
}

TEST(CHfcCtrlWheel, ShiftStepsOneAndAWheelWithoutSpringStays) {
  CtrlScene s;
  auto strip = CodedStrip(20, 60, 128);
  CHfcCtrlWheel wheel;
  LoggingListener listener;
  tagHfcCtrlWheelParam p{50, 40, 0, 0, strip.get(), nullptr, 0, 0, 128, 0, 1270, 10, 0, 0};
  ASSERT_TRUE(wheel.Create(&p, 4, 1));
  wheel.SetListener(&listener);
  s.Add(&wheel);
  wheel.SetIntValue(635, true);
  s.Present();
  EXPECT_EQ(FrameOf(s.Pixel(60, 70)), 635 * 128 / 1271);
  s.Press(60, 70);
  s.Drag(60, 69);     // 635 is cut to 630, then one step up
  s.Drag(60, 68, 1);  // Shift: one
  s.Release(60, 68, 1);
  EXPECT_EQ(listener.log, (Log{"begin", "value 640", "value 641", "end"}));
}

// Three keys over 30 pixels: key 0 on segments 0 and 1 (light bit 1),
// key 1 on segments 1 and 2 (bit 2), key 2 on segment 3 (bit 1). Pixels
// 9 to 11 of every row are no key.
struct KeyboardScene : CtrlScene {
  static constexpr int kW = 30;
  static constexpr int kH = 10;
  const int32_t segments[4 * 4] = {0, 0, 8, 0, 8, 0, 12, 0, 12, 0, 20, 0, 20, 0, 30, 0};
  const int32_t keys[3 * 4] = {0, 1, 1, 0, 1, 2, 2, 0, 3, -1, 1, 0};
  uint8_t map[kW * kH];
  std::unique_ptr<CHfcBmp> pictures = CodedStrip(kW, kH, 8);
  CHfcCtrlKeyboard keyboard;
  LoggingListener listener;

  KeyboardScene() {
    for (int y = 0; y < kH; ++y)
      for (int x = 0; x < kW; ++x)
        map[y * kW + x] = x < 9 ? 0 : x < 12 ? 255 : x < 20 ? 1 : 2;
    tagHfcCtrlKeyboardParam p{};
    p.x = 60;
    p.y = 100;
    p.keysBmp = pictures.get();
    p.keyCount = 3;
    p.segmentCount = 4;
    p.segments = segments;
    p.keys = keys;
    p.hitMap = map;
    p.lowestNote = 36;
    keyboard.Create(&p, 9, 0);
    keyboard.SetListener(&listener);
    Add(&keyboard);
    Present();
  }
  // Lighting state each segment shows on screen.
  std::vector<int> Shown() {
    Present();
    return {FrameOf(Pixel(64, 105)), FrameOf(Pixel(70, 105)), FrameOf(Pixel(75, 105)),
            FrameOf(Pixel(85, 105))};
  }
};

TEST(CHfcCtrlKeyboard, SlidingSoundsTheNewNoteBeforeReleasingTheOld) {
  KeyboardScene s;
  s.Press(60 + 2, 105);
  s.Drag(60 + 14, 105);
  s.Release(60 + 14, 105);
  EXPECT_EQ(s.listener.log, (Log{"begin", "value 36 pressed", "value 37 pressed", "value 36",
                                 "value 37", "end"}));
}

TEST(CHfcCtrlKeyboard, APressOnNoKeyReportsNothingUntilAKeyIsReached) {
  KeyboardScene s;
  s.Press(60 + 10, 105);
  EXPECT_TRUE(s.listener.log.empty());
  s.Drag(60 + 25, 105);
  s.Drag(60 + 25, 100 + 40);  // off the keyboard
  s.Release(60 + 25, 100 + 40);
  EXPECT_EQ(s.listener.log, (Log{"value 38 pressed", "value 38", "end"}));
  EXPECT_EQ(s.keyboard.GetNoteByPosition(10, 5), -1);
  EXPECT_EQ(s.keyboard.GetNoteByPosition(25, 5), 2);
  EXPECT_EQ(s.keyboard.GetNoteByPosition(-1, 5), -1);
}

TEST(CHfcCtrlKeyboard, LitKeysShareSegmentsAndRepaintOnlyTheirSpan) {
  KeyboardScene s;
  EXPECT_EQ(s.Shown(), (std::vector<int>{0, 0, 0, 0}));
  s.keyboard.SetIntValue(37 | 0x80000000, true);
  s.keyboard.SetIntValue(36 | 0x80000000, true);
  EXPECT_EQ(s.Shown(), (std::vector<int>{1, 3, 2, 0}));
  s.window.drawn.clear();
  s.keyboard.SetIntValue(37, true);  // the shared segment stays lit for key 0
  EXPECT_EQ(s.Shown(), (std::vector<int>{1, 1, 0, 0}));
  ASSERT_EQ(s.window.drawn.size(), 1u);
  EXPECT_EQ(s.window.drawn[0].left, CtrlScene::kLayerX + 60 + 8);
  EXPECT_EQ(s.window.drawn[0].right, CtrlScene::kLayerX + 60 + 20);
  // Notes off the keyboard change nothing.
  s.window.drawn.clear();
  s.keyboard.SetIntValue(35 | 0x80000000, true);
  s.keyboard.SetIntValue(39 | 0x80000000, true);
  EXPECT_EQ(s.Shown(), (std::vector<int>{1, 1, 0, 0}));
  EXPECT_TRUE(s.window.drawn.empty());
  // An update of everything repaints every segment.
  s.keyboard.Update(true, false);
  s.window.FlushUpdateRect();
  ASSERT_EQ(s.window.drawn.size(), 1u);
  EXPECT_EQ(s.window.drawn[0].right - s.window.drawn[0].left, 30);
}

TEST(CHfcCtrlKeyboard, CreationNeedsARecordAndPictures) {
  CHfcCtrlKeyboard keyboard;
  EXPECT_FALSE(keyboard.Create(nullptr, 1, 0));
  tagHfcCtrlKeyboardParam p{};
  EXPECT_FALSE(keyboard.Create(&p, 1, 0));
  EXPECT_FALSE(keyboard.IsCreated());
}

}  // namespace
