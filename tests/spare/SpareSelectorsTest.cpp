#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "editor/controls/FontManager.h"
#include "editor/controls/ResourceManager.h"
#include "spare/CHfcCtrlSelectKnob.h"
#include "spare/CHfcCtrlStringDisplay.h"
#include "spare/XEUpdownSelector.h"
#include "tests/hfc/HfcCtrlScene.h"

namespace {

using hfctest::CodedStrip;
using hfctest::CtrlScene;
using hfctest::FrameOf;
using hfctest::Log;
using hfctest::LoggingListener;

struct KnobModeScope {
  int saved = CHfcControl::sm_iGlobalKnobMode;
  explicit KnobModeScope(int mode) { CHfcControl::sm_iGlobalKnobMode = mode; }
  ~KnobModeScope() { CHfcControl::sm_iGlobalKnobMode = saved; }
};

// A selector of 8 positions, 40 x 40 at (20, 20), sweeping 270 degrees
// clockwise from 225 degrees (lower left) to -45 (lower right).
struct SelectFixture {
  CtrlScene scene;
  std::unique_ptr<CHfcBmp> strip = CodedStrip(40, 40, 8);
  LoggingListener listener;
  CHfcCtrlSelectKnob knob;
  explicit SelectFixture(float sweep = -270.0f, int step = 10) {
    tagHfcCtrlSelectKnobParam p{20, 20, 0, 0, strip.get(), nullptr, 0, 0, 8, 0, step, 225.0f, sweep};
    EXPECT_TRUE(knob.Create(&p, 1, 0));
    knob.SetListener(&listener);
    scene.Add(&knob);
  }
  // A control-local point at an angle (degrees, counter-clockwise from the
  // right) 15 pixels from the centre.
  static tagHfcPoint At(float degrees) {
    const float a = degrees * 3.14159265f / 180.0f;
    return {20 + static_cast<int>(std::lround(15 * std::cos(a))), 20 - static_cast<int>(std::lround(15 * std::sin(a)))};
  }
};

TEST(CHfcCtrlSelectKnob, AngleToPositionAcrossTheDeadZone) {
  SelectFixture f;
  struct Case {
    float degrees;
    float position;
  };
  // From 225 clockwise: 90 degrees up is half way; the gap at the bottom
  // (225 to 315 counter-clockwise) splits at 270.
  const Case cases[] = {{225.0f, 0.0f}, {90.0f, 0.5f}, {-45.0f, 1.0f}, {260.0f, 0.0f}, {280.0f, 1.0f}};
  for (const Case& c : cases) {
    const tagHfcPoint p = SelectFixture::At(c.degrees);
    EXPECT_NEAR(f.knob.ValueFromPoint(p.x, p.y), c.position, 0.03) << c.degrees;
  }
  EXPECT_EQ(CHfcCtrlSelectKnob::QuantizeToInt(1.0f, 8, 0), 7);
  EXPECT_EQ(CHfcCtrlSelectKnob::QuantizeToInt(0.0f, 8, 0), 0);
  EXPECT_FLOAT_EQ(CHfcCtrlSelectKnob::RegulateFromInt(7, 8, 0), 1.0f);
}

TEST(CHfcCtrlSelectKnob, AbsoluteDragDoesNotWrapAcrossTheGap) {
  KnobModeScope mode(0);
  SelectFixture f;
  const tagHfcPoint end = SelectFixture::At(-40.0f);
  f.scene.Press(20 + end.x, 20 + end.y);
  EXPECT_EQ(f.listener.log, (Log{"begin", "value 7"}));
  // Across the gap to the start side: the index stays at the last position.
  const tagHfcPoint across = SelectFixture::At(230.0f);
  f.scene.Drag(20 + across.x, 20 + across.y);
  EXPECT_EQ(f.listener.log, (Log{"begin", "value 7"}));
  f.scene.Release(20 + across.x, 20 + across.y);
  EXPECT_EQ(f.listener.log.back(), "end");
}

TEST(CHfcCtrlSelectKnob, LinearStepOfTenPixels) {
  KnobModeScope mode(2);
  SelectFixture f;
  f.knob.SetIntValue(3, false);
  f.scene.Press(40, 40);
  f.scene.Drag(40, 30);
  EXPECT_EQ(f.listener.log, (Log{"value 4"}));
  f.knob.SetIntValue(4, true);
  f.scene.Release(40, 30);
  f.scene.Present();
  EXPECT_EQ(FrameOf(f.scene.Pixel(40, 40)), 4);
}

TEST(CHfcCtrlStringDisplay, TextIsCutToTheBuffer) {
  CtrlScene scene;
  CHfcCtrlStringDisplay display;
  tagHfcCtrlStringDisplayParam p{10, 10, 60, 14, 4, {0, 0}, 0xFF000000, 0};
  ASSERT_TRUE(display.Create(&p, 1, 0));
  display.SetIntValue(12345, true);
  EXPECT_STREQ(display.GetText(), "123");
  display.SetFloatValue(1.5f, true);
  EXPECT_STREQ(display.GetText(), "1.5");
  char text[] = "hello";
  display.SetPtrValue(text, true);
  EXPECT_STREQ(display.GetText(), "hel");
  p.bufferSize = 0;
  CHfcCtrlStringDisplay none;
  EXPECT_FALSE(none.Create(&p, 2, 0));
}

struct UpdownFixture {
  CtrlScene scene;
  std::unique_ptr<CHfcBmp> back = CodedStrip(80, 20, 1);
  LoggingListener listener;
  XEUpdownSelector selector;
  UpdownFixture() {
    FontManager::Initialize();
    // Increment area on the right half's top, decrement below it.
    SXEUpdownSelector r{10, 10, back.get(), 60, 0, 80, 10, 60, 10, 80, 20, {0, 0, 0}, nullptr, 0xFFFFFFFF};
    EXPECT_TRUE(selector.Create(&r, 1, 0));
    for (const char* t : {"Off", "Low", "Mid", "High"}) selector.AddItem(t);
    selector.SetListener(&listener);
    scene.Add(&selector);
  }
  ~UpdownFixture() { FontManager::Uninitialize(); }
};

TEST(XEUpdownSelector, ButtonsStepAndRepeatEvery300ms) {
  UpdownFixture f;
  EXPECT_EQ(f.selector.GetMaxIntValue(), 3);
  f.selector.SetIntValue(3, false);
  f.scene.Press(75, 15);  // increment at the maximum: nothing
  f.selector.OnIdle(300);
  EXPECT_TRUE(f.listener.log.empty());
  f.scene.Release(75, 15);
  f.scene.Press(75, 25);  // decrement: one step at once
  EXPECT_EQ(f.listener.log, (Log{"value 2"}));
  f.selector.OnIdle(299);
  EXPECT_EQ(f.listener.log.size(), 1u);
  f.selector.OnIdle(1);
  f.selector.OnIdle(300);
  f.selector.OnIdle(300);  // at the minimum the repeat stops
  EXPECT_EQ(f.listener.log, (Log{"value 2", "value 1", "value 0"}));
  f.scene.Release(75, 25);
}

TEST(XEUpdownSelector, DragAndOutOfRangeValues) {
  UpdownFixture f;
  f.scene.Press(20, 15);
  f.scene.Drag(20, 5, 1);  // 10 pixels up with Shift: + 10, clamped
  EXPECT_EQ(f.listener.log, (Log{"value 3"}));
  f.scene.Release(20, 5);
  f.selector.SetIntValue(4, true);
  EXPECT_EQ(f.selector.GetIntValue(), -1);
  f.selector.ClearAllItems();
  EXPECT_EQ(f.selector.GetMaxIntValue(), 0);
  EXPECT_EQ(f.selector.GetItemText(0), "");
}

}  // namespace

namespace {

TEST(CHfcCtrlStringDisplay, TextShowsOverItsFillColourOnEveryDraw) {
  CtrlScene scene;
  CHfcCtrlStringDisplay display;
  constexpr uint32_t kFill = 0xFFDCDEE2;
  tagHfcCtrlStringDisplayParam p{10, 10, 60, 14, 8, {0, 0}, kFill, 0};
  ASSERT_TRUE(display.Create(&p, 1, 0));
  scene.Add(&display);
  auto inked = [&] {
    scene.Present();
    int dark = 0, fill = 0;
    for (int y = 10; y < 24; ++y)
      for (int x = 10; x < 70; ++x) {
        const uint32_t px = scene.Pixel(x, y);
        dark += (px & 0xFF) < 0x60;
        fill += px == kFill;
      }
    return std::pair{dark, fill};
  };
  display.SetIntValue(-88, true);
  auto [dark, fill] = inked();
  EXPECT_GT(dark, 10);  // the digits
  EXPECT_GT(fill, 400);  // the fill round them
  char empty[] = "";
  display.SetPtrValue(empty, true);
  std::tie(dark, fill) = inked();
  EXPECT_EQ(dark, 0);
  EXPECT_EQ(fill, 60 * 14);
}

}  // namespace
