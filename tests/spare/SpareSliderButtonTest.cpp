#include <gtest/gtest.h>

#include "spare/CHfcCtrlHorizontalFader.h"
#include "spare/CHfcCtrlHorizontalVuMeter.h"
#include "spare/CHfcCtrlOnOffButton.h"
#include "spare/XERTCSlider.h"
#include "tests/hfc/HfcCtrlScene.h"

namespace {

using hfctest::CodedStrip;
using hfctest::CtrlScene;
using hfctest::FrameOf;
using hfctest::LoggingListener;
using hfctest::Log;

struct KnobModeScope {
  int saved = CHfcControl::sm_iGlobalKnobMode;
  explicit KnobModeScope(int mode) { CHfcControl::sm_iGlobalKnobMode = mode; }
  ~KnobModeScope() { CHfcControl::sm_iGlobalKnobMode = saved; }
};

// A slider 20 x 100 at (10, 10) over range lo..hi in the linear drag mode.
struct SliderFixture {
  CtrlScene scene;
  std::unique_ptr<CHfcBmp> strip = CodedStrip(20, 100, 4);
  LoggingListener listener;
  XERTCSlider slider;
  KnobModeScope mode{2};
  SliderFixture(int lo, int hi) {
    tagHfcCtrlKnobParam p{10, 10, 20, 100, strip.get(), nullptr, 0, 0, 4, 0, lo, hi, 1};
    EXPECT_TRUE(slider.Create(&p, 1, 0));
    slider.SetListener(&listener);
    scene.Add(&slider);
  }
};

TEST(XERTCSlider, LinearDragFollowsTheHeight) {
  struct Case {
    int lo, hi, startY, toY, mods;
    int expected;
  };
  const Case cases[] = {
      {0, 127, 60, 35, 0, 96},     // (100 - 25) * 128 / 100
      {0, 127, 60, 35, 1, 96},     // Shift needs a range of at least 128
      {0, 255, 60, 57, 1, -3},     // fine: + 3 from the value at the press
      {0, 127, 60, -40, 0, 127},   // above the control: the maximum
      {0, 127, 60, 200, 0, 0},     // below: the minimum
      {20, 147, 60, 35, 0, 116},   // counted from the minimum: 20 + 96
      {20, 147, 60, 200, 0, 20},
  };
  for (const Case& c : cases) {
    SliderFixture f(c.lo, c.hi);
    f.slider.SetIntValue(50, false);
    f.scene.Press(20, c.startY);
    f.scene.Drag(20, c.toY, c.mods);
    const int expected = c.expected < 0 ? 50 - c.expected : c.expected;
    EXPECT_EQ(f.slider.GetIntValue(), expected) << c.hi << " " << c.toY << " " << c.mods;
    f.scene.Release(20, c.toY);
  }
}

// The slider is created as the knob is, also over an empty range or
// without height; a drag across such a slider keeps its value in range and
// divides by nothing.
TEST(XERTCSlider, IsCreatedAsTheKnobIsAndDegenerateOnesDragSafely) {
  auto strip = CodedStrip(20, 100, 4);
  auto flat = CodedStrip(20, 1, 1);
  struct Case {
    CHfcBmp* skin;
    int frames, height, lo, hi;
    int afterDrag;  // the value a drag from the middle to the top leaves
  } cases[] = {
      {strip.get(), 4, 100, 0, 127, 127},
      {strip.get(), 4, 100, 5, 5, 5},
      {strip.get(), 4, 0, 0, 127, 127},
      {flat.get(), 4, 0, 0, 127, 0},  // no height: the pointer maps to nothing
      {strip.get(), 0, 100, 0, 127, -1},
  };
  KnobModeScope mode{2};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.frames << " frames, height " << c.height << ", " << c.lo << ".." << c.hi);
    tagHfcCtrlKnobParam p{10, 10, 20, c.height, c.skin, nullptr, 0, 0, c.frames, 0, c.lo, c.hi, 1};
    tagHfcCtrlKnobParam q = p;
    CHfcCtrlKnob knob;
    XERTCSlider slider;
    const bool made = knob.Create(&q, 1, 0);
    ASSERT_EQ(slider.Create(&p, 1, 0), made);
    if (!made) continue;
    CtrlScene scene;
    scene.Add(&slider);
    slider.SetIntValue(c.lo, false);
    const int mid = 10 + slider.GetHeight() / 2;
    scene.Press(20, mid);
    scene.Drag(20, 0);
    scene.Release(20, 0);
    EXPECT_EQ(slider.GetIntValue(), c.afterDrag);
  }
}

TEST(XERTCSlider, AnUnchangedValueCallsNoListener) {
  SliderFixture f(0, 127);
  f.slider.SetIntValue(76, false);  // (100 - 40) * 128 / 100 = 76
  f.scene.Press(20, 50);
  f.listener.log.clear();
  f.slider.SetDirty(false);
  f.scene.Drag(20, 50);
  EXPECT_TRUE(f.listener.log.empty());
  EXPECT_TRUE(f.slider.IsDirty());
}

TEST(CHfcCtrlOnOffButton, AsksTheListenerToToggle) {
  CtrlScene scene;
  auto strip = CodedStrip(30, 12, 2);
  CHfcCtrlOnOffButton button;
  tagHfcCtrlOnOffButtonParam p{40, 40, 0, 0, strip.get(), nullptr, 0, 0};
  EXPECT_FALSE(button.Create(nullptr, 1, 0));
  ASSERT_TRUE(button.Create(&p, 1, 0));
  EXPECT_EQ(button.GetHeight(), 12);
  scene.Add(&button);
  // Without a listener a click changes nothing.
  scene.Press(45, 45);
  scene.Release(45, 45);
  EXPECT_EQ(button.GetIntValue(), 0);
  LoggingListener listener;
  button.SetListener(&listener);
  scene.Press(45, 45);
  EXPECT_EQ(listener.log, (Log{"begin", "value 1", "end"}));
  scene.Present();
  EXPECT_EQ(FrameOf(scene.Pixel(45, 45)), 0);
  button.SetIntValue(5, true);
  EXPECT_EQ(button.GetIntValue(), 1);
  scene.Present();
  EXPECT_EQ(FrameOf(scene.Pixel(45, 45)), 1);
  button.SetIntValue(1, true);
  EXPECT_FALSE(button.IsDirty());
}

TEST(CHfcCtrlHorizontalVuMeter, DecibelsDecayAndPeakHold) {
  CtrlScene scene;
  auto bar = CodedStrip(120, 8, 1);
  CHfcCtrlHorizontalVuMeter meter;
  tagHfcCtrlHorizontalVuMeterParam p = CHfcCtrlHorizontalVuMeter::sm_mInitParam;
  p.bar = bar.get();
  p.width = p.height = 0;
  p.peakHold = 1000;
  ASSERT_TRUE(meter.Create(&p, 1, 0));
  scene.Add(&meter);
  meter.SetFloatValue(1.0f, true);
  EXPECT_FLOAT_EQ(meter.GetFloatValue(), 0.0f);
  meter.SetFloatValue(0.1f, true);  // -20 dB: the meter only rises here
  EXPECT_FLOAT_EQ(meter.GetFloatValue(), 0.0f);
  meter.OnIdle(16);
  EXPECT_FLOAT_EQ(meter.GetFloatValue(), -48.0f);
  meter.OnIdle(16);
  EXPECT_FLOAT_EQ(meter.GetFloatValue(), -60.0f);
  meter.SetFloatValue(0.1f, true);
  EXPECT_NEAR(meter.GetFloatValue(), -20.0f, 1e-4);
  // The 0 dB peak holds for 1000 ms of idle time from when it was reached.
  EXPECT_FLOAT_EQ(meter.GetPeak(), 0.0f);
  for (int i = 0; i < 60; ++i) meter.OnIdle(16);  // 32 + 960 ms
  EXPECT_FLOAT_EQ(meter.GetPeak(), 0.0f);
  meter.OnIdle(16);
  EXPECT_FLOAT_EQ(meter.GetPeak(), -60.0f);
  // Silence is the bottom of the scale, not minus infinity.
  meter.SetFloatValue(0.0f, true);
  EXPECT_FLOAT_EQ(meter.GetFloatValue(), -60.0f);
  // An empty scale is refused instead of dividing by it.
  CHfcCtrlHorizontalVuMeter flat;
  p.maximum = p.minimum;
  EXPECT_FALSE(flat.Create(&p, 2, 0));
}

TEST(CHfcCtrlHorizontalFader, PressesReportAndTheListenerSets) {
  CtrlScene scene;
  auto thumb = CodedStrip(23, 10, 1);
  CHfcCtrlHorizontalFader fader;
  LoggingListener listener;
  tagHfcCtrlHorizontalFaderParam p = CHfcCtrlHorizontalFader::sm_mInitParam;
  p.x = 10;
  p.y = 10;
  p.thumb = thumb.get();
  p.background = nullptr;
  p.initialValue = 24;
  ASSERT_TRUE(fader.Create(&p, 1, 0));
  fader.SetListener(&listener);
  scene.Add(&fader);
  EXPECT_EQ(fader.GetIntValue(), 24);
  EXPECT_EQ(fader.GetThumbPosition(), 24 * (78 + 1 - 23) / 49);
  const int thumbLeft = 10 + fader.GetThumbPosition();
  // On the thumb: the value stays.
  scene.Press(thumbLeft + 3, 12);
  EXPECT_EQ(listener.log, (Log{"begin", "value 24"}));
  scene.Release(thumbLeft + 3, 12);
  listener.log.clear();
  // Left of the track: a negative value, clamped to the minimum.
  scene.Press(10, 12);
  EXPECT_EQ(listener.log, (Log{"begin", "value 0"}));
  scene.Release(10, 12);
  // Command with a listener that gives no default: a normal press.
  listener.log.clear();
  scene.Press(thumbLeft + 3, 12, 2);
  EXPECT_EQ(listener.log, (Log{"begin", "value 24"}));
  scene.Release(thumbLeft + 3, 12);
  listener.giveDefault = true;
  listener.defaultValue = 7;
  listener.log.clear();
  scene.Press(thumbLeft + 3, 12, 2);
  EXPECT_EQ(listener.log, (Log{"begin", "end"}));
  EXPECT_EQ(fader.GetIntValue(), 7);
  // Degenerate tracks are refused instead of dividing by zero.
  CHfcCtrlHorizontalFader bad;
  p.trackLength = p.thumbWidth;
  EXPECT_FALSE(bad.Create(&p, 2, 0));
}

TEST(CHfcCtrlHorizontalFader, JumpsCountFromTheMinimumAndEmptyRangesAreRefused) {
  CtrlScene scene;
  auto thumb = CodedStrip(23, 10, 1);
  LoggingListener listener;
  CHfcCtrlHorizontalFader fader;
  tagHfcCtrlHorizontalFaderParam p = CHfcCtrlHorizontalFader::sm_mInitParam;
  p.x = 10;
  p.y = 10;
  p.thumb = thumb.get();
  p.background = nullptr;
  p.minimum = 100;
  p.maximum = 148;
  p.initialValue = 148;
  ASSERT_TRUE(fader.Create(&p, 1, 0));
  fader.SetListener(&listener);
  scene.Add(&fader);
  // The thumb's centre under the track's start is the minimum, not 0.
  scene.Press(10 + 11, 12);
  EXPECT_EQ(listener.log, (Log{"begin", "value 100"}));
  scene.Release(10 + 11, 12);
  listener.log.clear();
  scene.Press(10 + 11 + 55 / 2, 12);  // half way along the travel
  EXPECT_EQ(listener.log, (Log{"begin", "value 123"}));  // 100 + 48 x 27 / 55
  scene.Release(10 + 11 + 55 / 2, 12);
  struct Case {
    int lo, hi, extraWidth;
  };
  for (const Case& c : {Case{5, 5, 100}, Case{0, 48, 0}}) {
    CHfcCtrlHorizontalFader bad;
    p.minimum = c.lo;
    p.maximum = c.hi;
    p.extraWidth = c.extraWidth;
    EXPECT_FALSE(bad.Create(&p, 2, 0)) << c.lo << " " << c.hi << " " << c.extraWidth;
  }
}

}  // namespace

namespace {

TEST(CHfcCtrlHorizontalVuMeter, CreationRefusesAnEmptyFrame) {
  auto bar = CodedStrip(120, 8, 1);
  auto empty = std::make_unique<CHfcBmp>();
  struct Case {
    CHfcBmp* bmp;
    int width, height;
    bool made;
  };
  const Case cases[] = {{bar.get(), 0, 0, true}, {empty.get(), 0, 0, false}, {bar.get(), 0, -4, false},
                        {empty.get(), 30, 6, true}};
  for (const Case& c : cases) {
    CHfcCtrlHorizontalVuMeter meter;
    tagHfcCtrlHorizontalVuMeterParam p = CHfcCtrlHorizontalVuMeter::sm_mInitParam;
    p.bar = c.bmp;
    p.width = c.width;
    p.height = c.height;
    EXPECT_EQ(meter.Create(&p, 1, 0), c.made) << c.width << " " << c.height;
  }
}

}  // namespace
