#include <gtest/gtest.h>

#include <cmath>

#include "spare/CHfcCtrlMTap.h"
#include "spare/CHfcCtrlScrollBar.h"
#include "tests/hfc/HfcCtrlScene.h"

namespace {

using hfctest::CodedStrip;
using hfctest::CtrlScene;
using hfctest::FrameOf;
using hfctest::Log;
using hfctest::LoggingListener;

// Records the tap changes and applies them, as a page would.
struct TapListener : LoggingListener {
  CHfcCtrlMTap* tap = nullptr;
  std::vector<tagHfcCtrlMTapChange> changes;
  void OnHfcCtrlPtrValueChanged(CHfcControl*, void* p) override {
    changes.push_back(*static_cast<tagHfcCtrlMTapChange*>(p));
    tap->SetPtrValue(p, true);
  }
};

struct TapFixture {
  CtrlScene scene;
  TapListener listener;
  CHfcCtrlMTap tap;
  explicit TapFixture(int taps) {
    tagHfcCtrlMTapParam p = CHfcCtrlMTap::sm_mInitParam;
    p.x = 10;
    p.y = 10;
    p.taps = taps;
    EXPECT_TRUE(tap.Create(&p, 1, 0));
    listener.tap = &tap;
    tap.SetListener(&listener);
    scene.Add(&tap);
  }
};

TEST(CHfcCtrlMTap, GeometryOfPanAndTime) {
  TapFixture f(1);
  struct Case {
    float x, y, pan, time;
  };
  const Case cases[] = {
      {50.0f, 47.0f - 27.5f, 0.5f, 0.5f},  // straight up, half way out
      {50.0f - 45.0f, 47.0f, 0.0f, 1.0f},  // left end on the centre line
      {95.0f, 60.0f, 1.0f, 1.0f},          // below the centre line: the right end
      {50.0f, 47.0f - 5.0f, 0.5f, 0.0f},   // inside the inner radius
  };
  for (const Case& c : cases) {
    float pan, time;
    f.tap.GetPanAndDelayTime(c.x, c.y, &pan, &time);
    EXPECT_NEAR(pan, c.pan, 1e-3) << c.x << "," << c.y;
    EXPECT_NEAR(time, c.time, 1e-3) << c.x << "," << c.y;
  }
  float x, y;
  ASSERT_TRUE(f.tap.GetTapPosition(0, &x, &y));
  EXPECT_NEAR(x, 50.0f, 1e-3);
  EXPECT_NEAR(y, 47.0f - 27.5f, 1e-3);
  EXPECT_EQ(f.tap.GetPositionTap(x + 1, y), 0);
  EXPECT_EQ(f.tap.GetPositionTap(x + 4, y), -1);  // farther than the point size
}

TEST(CHfcCtrlMTap, PressGrabsTheNearestTapLowestIndexOnTies) {
  TapFixture f(2);
  tagHfcCtrlMTapChange place{2, 1, 0.5f, 0.5f};
  f.tap.SetPtrValue(&place, true);  // both taps at the same point
  float x, y;
  f.tap.GetTapPosition(0, &x, &y);
  f.scene.Press(10 + static_cast<int>(std::lround(x)), 10 + static_cast<int>(std::lround(y)));
  ASSERT_EQ(f.listener.changes.size(), 1u);
  EXPECT_EQ(f.listener.changes[0].tap, 0);
  EXPECT_EQ(f.listener.changes[0].operation, 2);
  f.scene.Release(10 + static_cast<int>(x), 10 + static_cast<int>(y));
  // Far from every tap: nothing reported, nothing dragged.
  f.listener.changes.clear();
  f.scene.Press(12, 12);
  f.scene.Drag(30, 30);
  EXPECT_TRUE(f.listener.changes.empty());
  f.scene.Release(30, 30);
}

TEST(CHfcCtrlMTap, ShiftDragMovesATenth) {
  TapFixture f(1);
  f.scene.Press(60, 10 + 20);  // the tap sits at (50, 19.5) in the control
  ASSERT_EQ(f.listener.changes.size(), 1u);
  f.scene.Drag(70, 30, 1);  // 10 pixels right with Shift: one pixel
  ASSERT_EQ(f.listener.changes.size(), 2u);
  float pan, time;
  f.tap.GetPanAndDelayTime(51.0f, 20.0f, &pan, &time);
  EXPECT_NEAR(f.listener.changes[1].first, pan, 1e-5);
  EXPECT_NEAR(f.listener.changes[1].second, time, 1e-5);
  f.scene.Release(70, 30);
}

TEST(CHfcCtrlMTap, SetPtrValueOutsideTheTapsChangesNothingButRedraws) {
  TapFixture f(2);
  tagHfcCtrlMTapChange bad{1, 2, 0.9f, 0.0f};
  f.tap.SetDirty(false);
  f.tap.SetPtrValue(&bad, true);
  EXPECT_TRUE(f.tap.IsDirty());
  EXPECT_FLOAT_EQ(f.tap.GetTapTime(1), 0.5f);
  tagHfcCtrlMTapChange highlight{3, 1, 0, 0};
  f.tap.SetPtrValue(&highlight, false);
  EXPECT_EQ(f.tap.GetHighlightedTap(), 1);
  tagHfcCtrlMTapChange unknown{4, 1, 0.1f, 0.1f};
  f.tap.SetPtrValue(&unknown, false);
  EXPECT_FLOAT_EQ(f.tap.GetTapPan(1), 0.5f);
}

// A vertical bar at (10, 10), 12 wide, 120 high: buttons of 12 x 10, a
// track of 100.
struct ScrollFixture {
  CtrlScene scene;
  std::unique_ptr<CHfcBmp> buttons = CodedStrip(12, 10, 8);
  LoggingListener listener;
  CHfcCtrlScrollBar bar;
  explicit ScrollFixture(int minimum = 0, int maximum = 100, int view = 10) {
    tagHfcCtrlScrollBarParam p = CHfcCtrlScrollBar::sm_mInitParam;
    p.x = 10;
    p.y = 10;
    p.width = 12;
    p.height = 120;
    p.buttons = buttons.get();
    p.minimum = minimum;
    p.maximum = maximum;
    p.viewSize = view;
    EXPECT_TRUE(bar.Create(&p, 1, 0));
    bar.SetListener(&listener);
    scene.Add(&bar);
  }
};

TEST(CHfcCtrlScrollBar, ThumbGeometry) {
  ScrollFixture f;
  EXPECT_EQ(f.bar.GetThumbLength(), 9);
  EXPECT_EQ(f.bar.GetThumbTravel(), 91);
  f.bar.SetIntValue(50, true);
  EXPECT_EQ(f.bar.GetThumbPosition(), 45);
  f.bar.SetViewSize(1, true);
  EXPECT_EQ(f.bar.GetThumbLength(), 8);  // never below 8 pixels
  // Parts under the pointer.
  EXPECT_EQ(f.bar.GetPartCode(5, 5), CHfcCtrlScrollBar::kDecrement);
  EXPECT_EQ(f.bar.GetPartCode(5, 115), CHfcCtrlScrollBar::kIncrement);
  EXPECT_EQ(f.bar.GetPartCode(5, 20), CHfcCtrlScrollBar::kPageBefore);
  EXPECT_EQ(f.bar.GetPartCode(5, 100), CHfcCtrlScrollBar::kPageAfter);
  EXPECT_EQ(f.bar.GetPartCode(5, 10 + f.bar.GetThumbPosition() + 2), CHfcCtrlScrollBar::kThumb);
  EXPECT_EQ(f.bar.GetPartCode(20, 50), CHfcCtrlScrollBar::kNone);
}

TEST(CHfcCtrlScrollBar, HeldButtonRepeatsAndStopsAtTheLimit) {
  ScrollFixture f;
  f.bar.SetIntValue(98, false);
  f.scene.Press(15, 125);  // increment button
  EXPECT_EQ(f.listener.log, (Log{"value 99"}));
  f.bar.SetIntValue(99, false);
  f.bar.OnIdle(400);
  EXPECT_EQ(f.listener.log.size(), 1u);
  f.bar.OnIdle(101);  // past 500 ms: one more step
  EXPECT_EQ(f.listener.log, (Log{"value 99", "value 100"}));
  f.bar.SetIntValue(100, false);
  f.bar.OnIdle(17);
  EXPECT_EQ(f.listener.log.size(), 2u);  // at the maximum nothing is sent
  f.scene.Release(15, 125);
  EXPECT_EQ(f.bar.GetPressedPart(), CHfcCtrlScrollBar::kNone);
}

TEST(CHfcCtrlScrollBar, ThumbDragBeyondTheEndReportsTheMaximum) {
  ScrollFixture f;
  f.scene.Press(15, 10 + 10 + 2);  // on the thumb at 0
  f.scene.Drag(15, 300);
  ASSERT_FALSE(f.listener.log.empty());
  EXPECT_EQ(f.listener.log.back(), "value 100");
  f.scene.Release(15, 300);
}

TEST(CHfcCtrlScrollBar, EmptyRangeRefusesPressesAndShowsDisabledButtons) {
  ScrollFixture f(5, 5);
  f.scene.Press(15, 15);
  EXPECT_TRUE(f.listener.log.empty());
  f.scene.Present();
  EXPECT_EQ(FrameOf(f.scene.Pixel(15, 15)), 2);
  EXPECT_EQ(FrameOf(f.scene.Pixel(15, 125)), 6);
}

}  // namespace

namespace {

TEST(CHfcCtrlScrollBar, ARangeNotStartingAtZeroMapsOntoTheWholeTrack) {
  ScrollFixture f(100, 200);
  EXPECT_EQ(f.bar.GetIntValue(), 100);
  EXPECT_EQ(f.bar.GetThumbPosition(), 0);
  f.bar.SetIntValue(150, true);
  EXPECT_EQ(f.bar.GetThumbPosition(), 45);  // as 50 of 0..100
  f.bar.SetIntValue(200, true);
  EXPECT_EQ(f.bar.GetThumbPosition(), f.bar.GetThumbTravel());
  // Dragging the thumb from the top back to the start reports the minimum.
  f.scene.Press(15, 20 + f.bar.GetThumbPosition() + 2);
  f.scene.Drag(15, -200);
  ASSERT_FALSE(f.listener.log.empty());
  EXPECT_EQ(f.listener.log.back(), "value 100");
  f.scene.Release(15, -200);
}

}  // namespace

namespace {

TEST(CHfcCtrlScrollBar, ATrackShorterThanTheThumbKeepsTheThumbOnIt) {
  CtrlScene scene;
  auto buttons = CodedStrip(12, 10, 8);
  LoggingListener listener;
  CHfcCtrlScrollBar bar;
  tagHfcCtrlScrollBarParam p = CHfcCtrlScrollBar::sm_mInitParam;
  p.x = 10;
  p.y = 10;
  p.width = 12;
  p.height = 25;  // a track of 5
  p.buttons = buttons.get();
  ASSERT_TRUE(bar.Create(&p, 1, 0));
  bar.SetListener(&listener);
  scene.Add(&bar);
  bar.SetIntValue(100, true);
  EXPECT_EQ(bar.GetThumbTravel(), 0);
  EXPECT_EQ(bar.GetThumbPosition(), 0);
  // The first button keeps its own picture down to its last row.
  scene.Present();
  EXPECT_EQ(FrameOf(scene.Pixel(15, 18)), 0);
  scene.Press(15, 22);  // on the thumb
  scene.Drag(15, 40);
  ASSERT_FALSE(listener.log.empty());
  EXPECT_EQ(listener.log.back(), "value 0");
  scene.Release(15, 40);
}

}  // namespace
