#include "hfc/CHfcCtrlKnob.h"

#include <gtest/gtest.h>

#include "tests/hfc/HfcCtrlScene.h"

namespace {

using hfctest::CodedStrip;
using hfctest::CtrlScene;
using hfctest::FrameOf;
using hfctest::Log;
using hfctest::LoggingListener;

// A 40 x 40 knob at (100, 50) of the layer.
struct KnobScene : CtrlScene {
  std::unique_ptr<CHfcBmp> strip;
  CHfcCtrlKnob knob;
  LoggingListener listener;

  explicit KnobScene(int frames = 128, int minimum = 0, int maximum = 127, int step = 1,
                     int recordWidth = 0) {
    strip = CodedStrip(40, 40, frames);
    tagHfcCtrlKnobParam p{100, 50, recordWidth, 0, strip.get(), nullptr, 0, 0,
                          frames, 0, minimum, maximum, step};
    knob.Create(&p, 1, 0);
    knob.SetListener(&listener);
    Add(&knob);
  }
  ~KnobScene() { CHfcControl::sm_iGlobalKnobMode = 2; }
  int Shown() {
    Present();
    return FrameOf(Pixel(120, 70));
  }
  // The listener answers each report, as a page does.
  void Follow() {
    for (const std::string& e : listener.log)
      if (e.rfind("value ", 0) == 0) knob.SetIntValue(std::stoi(e.substr(6)), true);
  }
};

TEST(CHfcCtrlKnob, FramesFollowTheValue) {
  struct Case {
    int frames, minimum, maximum, offsetMode, value, frame;
  };
  const Case cases[] = {
      {64, 0, 127, 0, 127, 63}, {64, 0, 127, 0, 64, 32},   {64, 0, 127, 0, 0, 0},
      {127, 0, 127, 0, 0, 0},   {127, 0, 127, 0, 1, 0},    {127, 0, 127, 0, 2, 1},
      {127, 0, 127, 0, 127, 126},
      {64, -64, 63, 1, -64, 0}, {64, -64, 63, 1, 63, 63},
      // A one-frame strip and a maximum of 0 divide by nothing.
      {1, 0, 127, 0, 100, 0},   {8, -10, 0, 0, -5, 3},     {8, -10, 0, 0, 0, 7},
  };
  for (const Case& c : cases) {
    KnobScene s(c.frames, c.minimum, c.maximum);
    s.knob.SetOffsetMode(c.offsetMode);
    s.knob.SetIntValue(c.value, true);
    EXPECT_EQ(s.Shown(), c.frame) << c.frames << " frames, value " << c.value;
  }
}

TEST(CHfcCtrlKnob, LinearDragStepsFromAMultipleOfTheStep) {
  struct Case {
    const char* what;
    int dy;
    int mods;
    int reported;
  };
  const Case cases[] = {
      {"one pixel up", -1, 0, 10},
      {"one pixel down", 1, 0, 5},
      {"shift: one per pixel", -3, 1, 10},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    KnobScene s(128, 0, 127, 5);
    s.knob.SetIntValue(7, true);
    s.Press(120, 70, c.mods);
    s.Drag(120, 70 + c.dy, c.mods);
    s.Release(120, 70 + c.dy, c.mods);
    EXPECT_EQ(s.listener.log, (Log{"begin", "value 7", "value " + std::to_string(c.reported), "end"}));
  }
}

TEST(CHfcCtrlKnob, LinearDragBeyondTheMaximumComesBackLate) {
  KnobScene s(128, 0, 127, 1);
  s.knob.SetIntValue(120, true);
  s.Press(120, 70);
  s.Drag(120, 50);  // accumulator 140
  s.Drag(120, 60);  // 130: still above
  s.Drag(120, 65);  // 125
  EXPECT_EQ(s.listener.log, (Log{"begin", "value 120", "value 127", "value 125"}));
  s.Release(120, 65);
}

TEST(CHfcCtrlKnob, CircularDragCoversTheWholeRange) {
  CHfcControl::sm_iGlobalKnobMode = 0;
  struct Case {
    const char* what;
    int x, y;  // control-local
    int value;
  };
  // Range 10 to 20 of a 40 x 40 knob (centre 20, 20).
  const Case cases[] = {
      {"start, lower left", 10, 37, 10},  // about 240 degrees
      {"just right of the top", 21, 0, 15},
      {"lower right, near the end", 39, 20 + 15, 19},
      {"gap next to the end", 24, 39, 20},
      {"gap next to the start", 16, 39, 10},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CHfcControl::sm_iGlobalKnobMode = 0;
    KnobScene s(128, 10, 20);
    s.Press(100 + c.x, 50 + c.y);
    ASSERT_GE(s.listener.log.size(), 2u);
    EXPECT_EQ(s.listener.log[1], "value " + std::to_string(c.value));
    s.Release(100 + c.x, 50 + c.y);
  }
}

TEST(CHfcCtrlKnob, CircularJumpsAcrossTheGapPinTheEnd) {
  KnobScene s(128, 0, 100);
  CHfcControl::sm_iGlobalKnobMode = 0;
  s.Press(100 + 38, 50 + 28);  // close to the end
  s.listener.log.clear();
  s.Drag(100 + 2, 50 + 30);    // across the gap to near the start
  s.Drag(100 + 1, 50 + 26);
  for (const std::string& e : s.listener.log) EXPECT_EQ(e, "value 100");
  s.Release(100 + 1, 50 + 26);
}

TEST(CHfcCtrlKnob, ARecordWidthKeepsThePivotAtTheCentre) {
  struct Case {
    int x, y;  // control-local
    int value;
  };
  // 180 degrees is 21 % of the travel, 0 degrees 79 %.
  const Case cases[] = {{0, 20, 21}, {39, 20, 78}, {20, 39, 0}};
  for (int recordWidth : {0, 40}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::to_string(recordWidth) + " at " + std::to_string(c.x));
      CHfcControl::sm_iGlobalKnobMode = 0;
      KnobScene s(128, 0, 100, 1, recordWidth);
      EXPECT_NEAR(s.knob.ValueFromPoint(20, 0), 0.5f, 1e-5);
      s.Press(100 + c.x, 50 + c.y);
      EXPECT_EQ(s.listener.log[1], "value " + std::to_string(c.value));
      s.Release(100 + c.x, 50 + c.y);
    }
  }
}

TEST(CHfcCtrlKnob, RelativeModeCountsTheTurn) {
  KnobScene s(128, 0, 127);
  CHfcControl::sm_iGlobalKnobMode = 1;
  s.knob.SetIntValue(20, true);
  s.Press(120, 50);  // top
  s.Drag(140, 70);   // a quarter turn clockwise: 90 of 300 degrees
  s.Release(140, 70);
  EXPECT_EQ(s.listener.log, (Log{"begin", "value 58", "end"}));
}

TEST(CHfcCtrlKnob, OptionSwapsTheModeAndCommandAppliesTheDefault) {
  struct Case {
    int global, mods, dragMode;
  };
  const Case cases[] = {{2, 4, 0}, {0, 4, 2}, {1, 4, 2}, {1, 0, 1}, {2, 0, 2}};
  for (const Case& c : cases) {
    KnobScene s;
    CHfcControl::sm_iGlobalKnobMode = c.global;
    s.Press(120, 70, c.mods);
    EXPECT_EQ(s.knob.GetDragMode(), c.dragMode) << c.global << " " << c.mods;
    s.Release(120, 70);
  }
  CHfcControl::sm_iGlobalKnobMode = 2;
  KnobScene s;
  s.listener.giveDefault = true;
  s.listener.defaultValue = 64;
  s.Press(120, 70, 2);
  EXPECT_EQ(s.knob.GetIntValue(), 64);
  EXPECT_EQ(s.listener.log, (Log{"begin", "value 64"}));
  s.Release(120, 70);
  EXPECT_EQ(s.Shown(), 64);
}

TEST(CHfcCtrlKnob, CreationNeedsASkinAndFrames) {
  CHfcCtrlKnob knob;
  auto strip = CodedStrip(10, 10, 2);
  tagHfcCtrlKnobParam p{0, 0, 0, 0, nullptr, nullptr, 0, 0, 2, 0, 0, 1, 1};
  EXPECT_FALSE(knob.Create(nullptr, 1, 0));
  EXPECT_FALSE(knob.Create(&p, 1, 0));
  p.skin = strip.get();
  p.frames = 0;
  EXPECT_FALSE(knob.Create(&p, 1, 0));
  p.frames = 2;
  ASSERT_TRUE(knob.Create(&p, 1, 0));
  EXPECT_EQ(knob.GetHeight(), 10);
}

}  // namespace
