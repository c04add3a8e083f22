#include "hfc/CHfcControl.h"

#include <gtest/gtest.h>

#include "platform/HfcTime.h"
#include "tests/hfc/HfcFakes.h"
#include "tests/support/TestEnvironment.h"

namespace {

using hfctest::FakeWindow;
using hfctest::Log;
using hfctest::RecordingControl;
using hfctest::RecordingLayer;
using hfctest::RecordingListener;
using hfctest::ScopedHubs;

class TimedControl : public CHfcControl {
 public:
  void SetLastRatioTime(uint32_t ms) { m_uLastRatioTime = ms; }
};

TEST(CHfcControl, MouseDeltaRatioFollowsTheTimeBetweenCalls) {
  vesk::test::TestEnvironment env;
  struct Case {
    uint64_t gapMs;
    float ratio;
  };
  const Case cases[] = {
      {0, 1.0f},      {100, 1.0f},     {101, 50.0f / 101.0f}, {200, 0.25f},
      {1600, 50.0f / 1600.0f},         {5000, 0.03125f},
  };
  for (const Case& c : cases) {
    TimedControl control;
    control.GetMouseDeltaRatio();
    env.clock().AdvanceMs(c.gapMs);
    EXPECT_FLOAT_EQ(control.GetMouseDeltaRatio(), c.ratio) << c.gapMs;
  }
  // A clock that wrapped (now below the stored time) gives full speed.
  TimedControl wrapped;
  wrapped.SetLastRatioTime(HfcGetSystemTimeMs() + 5000);
  EXPECT_FLOAT_EQ(wrapped.GetMouseDeltaRatio(), 1.0f);
}

TEST(CHfcControl, MouseDeltaIsFineWithShiftAndScaledOtherwise) {
  vesk::test::TestEnvironment env;
  TimedControl control;
  control.GetMouseDeltaRatio();
  env.clock().AdvanceMs(5000);
  EXPECT_FLOAT_EQ(control.GetMouseDelta(10, 1), 1.0f);
  env.clock().AdvanceMs(200);
  EXPECT_FLOAT_EQ(control.GetMouseDelta(8, 2), 2.0f);  // 8 x 50/200
  EXPECT_FLOAT_EQ(control.GetMouseDelta(8, 0), 8.0f);  // no time passed: full speed
}

TEST(CHfcControl, LongPressFiresOnceAtHalfASecond) {
  Log log;
  RecordingListener listener(&log);
  CHfcControl control;
  control.SetListener(&listener);
  control.UpdateMouseDownCounter(300);
  EXPECT_TRUE(log.empty());
  control.UpdateMouseDownCounter(300);
  control.UpdateMouseDownCounter(300);
  EXPECT_EQ(log, (Log{"long press"}));
  EXPECT_EQ(control.GetPressTime(), 600);
}

TEST(CHfcControl, CreateSetsTheFrameAndRefusesANegativeSize) {
  CHfcControl control;
  EXPECT_FALSE(control.Create(0, 0, -1, 5, 1));
  EXPECT_FALSE(control.IsCreated());
  // A 0 x 0 control is a hidden stand-in some pages use.
  EXPECT_TRUE(control.Create(0, 1500, 0, 0, 7));
  EXPECT_TRUE(control.Create(5, 6, 20, 10, 7));
  EXPECT_EQ(control.GetFrame().right, 25);
  EXPECT_EQ(control.GetFrame().bottom, 16);
  EXPECT_EQ(control.GetId(), 7);
  EXPECT_TRUE(control.IsDirty());
  EXPECT_FALSE(control.IsVisible());
  EXPECT_FALSE(control.IsEnabled());
  // Without a layer a move changes the frame but reports false.
  EXPECT_FALSE(control.Move(1, 2, true));
  EXPECT_EQ(control.GetFrame().left, 1);
  EXPECT_EQ(control.GetFrame().right, 21);
}

TEST(CHfcControl, ValuesAreStoredAsGivenAndClippedOnRequest) {
  CHfcControl control;
  control.SetMinIntValue(-5, true);
  control.SetMaxIntValue(5, true);
  control.SetIntValue(99, true);  // the base stores without clamping
  EXPECT_EQ(control.GetIntValue(), 99);
  EXPECT_EQ(control.ClipIntValueRange(99), 5);
  EXPECT_EQ(control.ClipIntValueRange(-9), -5);
  EXPECT_FLOAT_EQ(control.ClipFloatValueRange(1.5f), 1.0f);
  EXPECT_FLOAT_EQ(control.ClipFloatValueRange(-0.5f), 0.0f);
}

struct InLayer : testing::Test {
  vesk::test::TestEnvironment env;
  ScopedHubs hubs;
  Log log;
  FakeWindow window;
  RecordingLayer layer{&log};
  RecordingControl control{"c", &log};
  RecordingListener listener{&log};

  void SetUp() override {
    ASSERT_TRUE(layer.Create(30, 40, 200, 100, &window));
    control.Place(10, 20, 30, 15);
    control.SetListener(&listener);
    layer.AddControl(&control, false);
    window.drawn.clear();
  }
};

TEST_F(InLayer, UpdateDrawsWhenDirtyAndCopiesTheAreaInWindowCoordinates) {
  control.Update(false, true);
  control.Update(false, true);  // clean now: nothing
  ASSERT_EQ(window.drawn.size(), 1u);
  EXPECT_EQ(window.drawn[0].rect.left, 40);
  EXPECT_EQ(window.drawn[0].rect.top, 60);
  EXPECT_EQ(window.drawn[0].rect.right, 70);
  EXPECT_EQ(window.drawn[0].rect.bottom, 75);
  EXPECT_TRUE(window.drawn[0].now);
  // A negative margin is stored as 0, so the frame stays the area.
  control.SetFocusMergin(-3);
  EXPECT_EQ(control.GetFocusMergin(), 0);
  control.Update(true, false);
  EXPECT_EQ(window.drawn[1].rect.left, 40);
  EXPECT_FALSE(window.drawn[1].now);
  control.SetFocusMergin(2);
  control.Update(true, false);
  EXPECT_EQ(window.drawn[2].rect.left, 38);
  EXPECT_EQ(window.drawn[2].rect.bottom, 77);
  // Hidden after being shown: erased once.
  control.Hide(false);
  control.Update(false, false);
  control.Update(false, false);
  EXPECT_EQ(log, (Log{"c draw", "c draw", "c draw", "c erase"}));
}

TEST_F(InLayer, GlobalPointsBecomeControlPointsAndBack) {
  tagHfcPoint p{os::HeadlessWindow::kDefaultOriginX + 30 + 10 + 4,
                os::HeadlessWindow::kDefaultOriginY + 40 + 20 + 5};
  control.GlobalToLocal(&p);
  EXPECT_EQ(p.x, 4);
  EXPECT_EQ(p.y, 5);
  control.LocalToGlobal(&p);
  EXPECT_EQ(p.x, os::HeadlessWindow::kDefaultOriginX + 44);
  EXPECT_TRUE(control.OnHfcKeyIsPointInside(nullptr, os::HeadlessWindow::kDefaultOriginX + 40,
                                            os::HeadlessWindow::kDefaultOriginY + 60));
  EXPECT_FALSE(control.OnHfcKeyIsPointInside(nullptr, os::HeadlessWindow::kDefaultOriginX + 70,
                                             os::HeadlessWindow::kDefaultOriginY + 60));
  // Disabled controls ignore the global press forms; moves still count.
  control.Disable(false);
  EXPECT_FALSE(control.OnHfcMouseLButtonDownGlobal(nullptr, 0, 0, 0));
  control.OnHfcMouseMoveGlobal(nullptr, os::HeadlessWindow::kDefaultOriginX + 41,
                               os::HeadlessWindow::kDefaultOriginY + 61, 0);
  EXPECT_EQ(log, (Log{"c move 1,1"}));
}

TEST_F(InLayer, KeyFocusMovesBetweenControlsAndKeysReachTheListenerFirst) {
  RecordingControl other{"o", &log};
  other.Place(100, 20, 10, 10);
  other.SetListener(&listener);
  layer.AddControl(&other, false);
  control.SetFocus(3);
  env.loop().RunPending();
  EXPECT_TRUE(control.IsFocused());
  EXPECT_EQ(control.GetFocusIndex(), 3);
  CHfcKeyFocus* focus = window.GetKeyFocus();
  os::KeyEvent key;
  key.chr = 'x';
  key.mods = 2;
  focus->OnPlatformKey(key);
  other.SetFocus(0);
  EXPECT_FALSE(control.IsFocused());
  EXPECT_EQ(control.GetFocusIndex(), -1);
  other.SetFocus(-1);  // the same as ReleaseFocus
  EXPECT_FALSE(other.IsFocused());
  EXPECT_EQ(log, (Log{"listener set focus", "listener down 120 0 2", "listener char 120",
                      "listener lost focus", "listener set focus", "listener lost focus"}));
}

TEST_F(InLayer, DestroyReleasesFocusCaptureAndLayer) {
  control.SetFocus(0);
  ASSERT_TRUE(control.SetKeyFocus());
  EXPECT_FALSE(control.SetKeyFocus());
  EXPECT_EQ(CHfcKey::sm_pInstance->GetFocus(), static_cast<CHfcKeyListener*>(&control));
  ASSERT_TRUE(control.SetMouseCapture());
  control.Destroy();
  EXPECT_EQ(CHfcMouse::sm_pInstance->GetCapture(), nullptr);
  EXPECT_EQ(control.lostCaptures, 1);
  EXPECT_EQ(CHfcKey::sm_pInstance->GetFocus(), nullptr);
  EXPECT_EQ(window.GetKeyFocus()->GetFocusedListener(), nullptr);
  EXPECT_TRUE(layer.GetControls().empty());
  EXPECT_FALSE(control.Move(0, 0, true));
}

TEST_F(InLayer, PressCursorIsSetOnlyForAnId) {
  control.SetMouseCursorForMouseDown();
  EXPECT_EQ(window.platform()->Cursor(), os::CursorId::kArrow);
  control.SetPressCursorId(static_cast<int>(os::CursorId::kClosedHand));
  control.SetMouseCursorForMouseDown();
  EXPECT_EQ(window.platform()->Cursor(), os::CursorId::kClosedHand);
  CHfcMouse::SetCursorById(0);
}

}  // namespace
