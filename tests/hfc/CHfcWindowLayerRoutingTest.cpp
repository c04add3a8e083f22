#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "hfc/CHfcDragFlavor.h"
#include "hfc/CHfcMouse.h"
#include "tests/hfc/HfcFakes.h"
#include "tests/support/TestEnvironment.h"

namespace {

using hfctest::FakeWindow;
using hfctest::Log;
using hfctest::RecordingControl;
using hfctest::RecordingLayer;
using hfctest::ScopedHubs;

// A layer at (100, 50) of a window whose screen origin is not (0, 0), with
// two overlapping controls: a at (10, 10)-(50, 30), b at (40, 20)-(80, 60).
struct Routing : testing::Test {
  vesk::test::TestEnvironment env;
  ScopedHubs hubs;
  Log log;
  FakeWindow window;
  RecordingLayer layer{&log};
  RecordingControl a{"a", &log};
  RecordingControl b{"b", &log};
  CHfcMouse* hub = CHfcMouse::sm_pInstance;

  void SetUp() override {
    ASSERT_TRUE(layer.Create(100, 50, 200, 100, &window));
    layer.Show(false);
    a.Place(10, 10, 40, 20);
    b.Place(40, 20, 40, 40);
    layer.AddControl(&a, false);
    layer.AddControl(&b, false);
  }
  // Screen point of a layer point.
  int Gx(int x) const { return x + 100 + os::HeadlessWindow::kDefaultOriginX; }
  int Gy(int y) const { return y + 50 + os::HeadlessWindow::kDefaultOriginY; }
};

TEST_F(Routing, PressGoesToControlsInTheOrderTheyWereAdded) {
  // Both under the pointer, neither consumes: a, b, then the layer.
  layer.PreMouseLButtonDown(hub, 45, 25, 0);
  EXPECT_EQ(log, (Log{"a ldown 35,15", "b ldown 5,5", "layer ldown 45,25"}));
  log.clear();
  a.consume = true;
  EXPECT_TRUE(layer.PreMouseLButtonDown(hub, 45, 25, 0));
  EXPECT_EQ(log, (Log{"a ldown 35,15"}));
  // Finding by position prefers the control added last.
  EXPECT_EQ(layer.FindControlByPosition(45, 25, true), &b);
}

TEST_F(Routing, HiddenAndDisabledControlsSeeNoPress) {
  a.Hide(false);
  b.Disable(false);
  layer.PreMouseLButtonDown(hub, 45, 25, 0);
  EXPECT_EQ(log, (Log{"layer ldown 45,25"}));
  // A control after Create alone is neither visible nor enabled.
  RecordingControl c{"c", &log};
  c.Create(0, 0, 10, 10, 3);
  EXPECT_FALSE(c.IsVisible());
  EXPECT_FALSE(c.IsEnabled());
}

TEST_F(Routing, EdgePixelsBelongInsideOnlyOnTheLeftAndTop) {
  struct Case {
    int x, y;
    bool hitsA;
  };
  const Case cases[] = {
      {10, 10, true},   // top-left pixel
      {49, 29, true},   // bottom-right pixel inside
      {50, 15, false},  // right edge is outside
      {20, 30, false},  // bottom edge is outside
      {9, 15, false},
  };
  b.Hide(false);
  for (const Case& c : cases) {
    log.clear();
    layer.PreMouseLButtonDown(hub, c.x, c.y, 0);
    EXPECT_EQ(!log.empty() && log[0].rfind("a ", 0) == 0, c.hitsA) << c.x << "," << c.y;
  }
}

TEST_F(Routing, ALayerHoldingTheCaptureGetsEveryEventItselfInLayerCoordinates) {
  hub->SetCapture(&layer, &window);
  EXPECT_TRUE(layer.OnHfcMouseMoveGlobal(hub, Gx(45), Gy(25), 0));
  EXPECT_TRUE(layer.OnHfcMouseLButtonUpGlobal(hub, Gx(12), Gy(12), 0));
  EXPECT_TRUE(layer.OnHfcMouseWheelMovedGlobal(hub, Gx(20), Gy(15), 1, 3, 0));
  EXPECT_EQ(log, (Log{"layer move 45,25", "layer lup 12,12", "layer wheel3 20,15"}));
}

TEST_F(Routing, ACapturingControlGetsMovesAndTheReleaseInItsOwnCoordinates) {
  CHfcMouse::Uninitialize();
  CHfcMouse::Initialize(true);  // the hub that delivers releases itself
  hub = CHfcMouse::sm_pInstance;
  ASSERT_TRUE(a.SetMouseCapture());
  EXPECT_FALSE(a.SetMouseCapture());  // already holds it
  os::MouseEvent e;
  e.kind = os::MouseEvent::Kind::kDrag;
  e.globalX = Gx(300);  // far outside the control: still its event
  e.globalY = Gy(5);
  hub->OnPlatformMouseEvent(e);
  e.kind = os::MouseEvent::Kind::kUp;
  e.button = os::MouseButton::kLeft;
  hub->OnPlatformMouseEvent(e);
  EXPECT_EQ(log, (Log{"a move 290,-5", "a lup 290,-5"}));
  a.ReleaseMouseCapture();
  EXPECT_EQ(hub->GetCapture(), nullptr);
  EXPECT_EQ(a.lostCaptures, 1);
}

TEST_F(Routing, WheelGoesToTheControlUnderThePointerThenTheLayer) {
  layer.PreMouseWheelMoved(hub, 60, 50, 1, -1, 0);
  EXPECT_EQ(log, (Log{"b wheel-1 20,30", "layer wheel-1 60,50"}));
}

// A layer that holds the mouse (a modal veil) over the recording layer:
// no kind of mouse event gets through to the layer under it; without the
// hold each one does.
TEST_F(Routing, ALayerHoldingTheMouseLetsNoEventThroughToTheLayersUnderIt) {
  CHfcWindowLayer veil;
  ASSERT_TRUE(veil.Create(0, 0, 400, 300, &window));
  veil.Show(false);
  struct Event {
    const char* name;
    std::function<bool()> send;  // window coordinates over a's free corner
  };
  const std::vector<Event> events = {
      {"press", [&] { return window.OnHfcMouseLButtonDown(hub, 105, 55, 0); }},
      {"release", [&] { return window.OnHfcMouseLButtonUp(hub, 105, 55, 0); }},
      {"move", [&] { return window.OnHfcMouseMove(hub, 105, 55, 0); }},
      {"wheel", [&] { return window.OnHfcMouseWheelMoved(hub, 105, 55, 1, 1, 0); }},
  };
  for (bool holds : {false, true}) {
    veil.SetHoldsMouse(holds);
    for (const Event& e : events) {
      log.clear();
      const bool taken = e.send();
      EXPECT_EQ(log.empty(), holds) << e.name << (holds ? " with" : " without") << " the hold";
      if (holds) {
        EXPECT_TRUE(taken) << e.name;
      }
    }
  }
  veil.Destroy();
}

TEST_F(Routing, RemovingControls) {
  RecordingControl stranger{"s", &log};
  EXPECT_FALSE(layer.RemoveControl(&stranger, true));
  EXPECT_EQ(layer.GetControls().size(), 2u);
  EXPECT_TRUE(layer.RemoveControl(&a, true));
  EXPECT_EQ(a.GetParentLayer(), nullptr);
  EXPECT_EQ(layer.GetControls(), (std::vector<CHfcControl*>{&b}));
  // Destroying a control takes it out of its layer.
  b.Destroy();
  EXPECT_TRUE(layer.GetControls().empty());
  EXPECT_FALSE(b.IsCreated());
}

// A control that takes itself out of its layer when it hears of a press or
// of a drag leaving it.
class LeavingControl : public RecordingControl {
 public:
  using RecordingControl::RecordingControl;
  bool OnHfcMouseLButtonDown(CHfcMouse* m, int x, int y, int mods) override {
    RecordingControl::OnHfcMouseLButtonDown(m, x, y, mods);
    GetParentLayer()->RemoveControl(this, false);
    return false;
  }
  bool OnHfcDragTrackingLeaveWindow(CHfcDrag* drag) override {
    RecordingControl::OnHfcDragTrackingLeaveWindow(drag);
    GetParentLayer()->RemoveControl(this, false);
    return false;
  }
};

TEST_F(Routing, AControlThatLeavesTheLayerWhileCalledLetsTheOthersHearItOnce) {
  // Three controls under (45, 25): the one that leaves first, then a and b.
  layer.RemoveControl(&a, false);
  layer.RemoveControl(&b, false);
  LeavingControl first{"first", &log};
  first.Place(30, 15, 30, 20);
  for (CHfcControl* c : {static_cast<CHfcControl*>(&first), static_cast<CHfcControl*>(&a),
                         static_cast<CHfcControl*>(&b)})
    ASSERT_TRUE(layer.AddControl(c, false));
  layer.PreMouseLButtonDown(hub, 45, 25, 0);
  EXPECT_EQ(log, (Log{"first ldown 15,10", "a ldown 35,15", "b ldown 5,5", "layer ldown 45,25"}));
  log.clear();
  layer.PreMouseLButtonDown(hub, 45, 25, 0);
  EXPECT_EQ(log, (Log{"a ldown 35,15", "b ldown 5,5", "layer ldown 45,25"}));

  // The same when a drag leaves the window.
  ASSERT_TRUE(layer.AddControl(&first, false));
  layer.RemoveControl(&a, false);
  layer.RemoveControl(&b, false);
  layer.AddControl(&a, false);
  layer.AddControl(&b, false);
  CHfcDragFlavor flavor;
  int action = 0;
  layer.OnHfcDragTrackingInWindowGlobal(nullptr, &flavor, Gx(45), Gy(25), 0, &action);
  log.clear();
  layer.OnHfcDragTrackingLeaveWindowGlobal(nullptr);
  EXPECT_EQ(log, (Log{"first leave", "a leave", "b leave", "layer leave"}));
  EXPECT_EQ(layer.GetControls(), (std::vector<CHfcControl*>{&a, &b}));
}

TEST_F(Routing, DragMovesFromOneControlToTheNextWithinOneStep) {
  CHfcDragFlavor flavor;
  int action = 0;
  // Disabled but visible controls take part in drags.
  a.Disable(false);
  EXPECT_FALSE(layer.OnHfcDragTrackingEnterWindowGlobal(nullptr, &flavor, Gx(20), Gy(15), 0,
                                                        &action));
  EXPECT_EQ(log, (Log{"a enter 10,5", "layer enter 20,15"}));
  log.clear();
  // Into b's part that a does not cover: a leaves, b enters.
  layer.OnHfcDragTrackingInWindowGlobal(nullptr, &flavor, Gx(60), Gy(40), 0, &action);
  EXPECT_EQ(log, (Log{"a leave", "b enter 20,20", "layer in 60,40"}));
  log.clear();
  b.consumeDrag = true;
  b.dragAction = 2;
  EXPECT_TRUE(layer.OnHfcDragTrackingInWindowGlobal(nullptr, &flavor, Gx(61), Gy(41), 0, &action));
  EXPECT_EQ(action, 2);
  EXPECT_EQ(log, (Log{"b in 21,21"}));
  log.clear();
  EXPECT_TRUE(layer.OnHfcDragReceiveGlobal(nullptr, &flavor, Gx(61), Gy(41), 0, &action));
  EXPECT_EQ(log, (Log{"b drop 21,21"}));
  EXPECT_FALSE(b.IsDragInside());
}

TEST_F(Routing, DropThatNoControlTakesTellsTheOthersTheyWereLeft) {
  CHfcDragFlavor flavor;
  int action = 0;
  layer.OnHfcDragTrackingEnterWindowGlobal(nullptr, &flavor, Gx(45), Gy(25), 0, &action);
  layer.OnHfcDragTrackingInWindowGlobal(nullptr, &flavor, Gx(45), Gy(25), 0, &action);
  log.clear();
  EXPECT_FALSE(layer.OnHfcDragReceiveGlobal(nullptr, &flavor, Gx(45), Gy(25), 0, &action));
  EXPECT_EQ(log, (Log{"a drop 35,15", "b drop 5,5", "a leave", "b leave", "layer drop 45,25"}));
  log.clear();
  layer.OnHfcDragTrackingLeaveWindowGlobal(nullptr);
  EXPECT_EQ(log, (Log{"layer leave"}));
}

TEST_F(Routing, LayerRefusesAnEmptyRectangle) {
  RecordingLayer empty{&log};
  EXPECT_FALSE(empty.Create(0, 0, 0, 10, &window));
  EXPECT_FALSE(empty.Create(0, 0, 10, 0, &window));
  EXPECT_FALSE(empty.IsCreated());
  EXPECT_EQ(empty.GetWidth(), 0);
  EXPECT_FALSE(layer.Create(0, 0, 10, 10, &window));  // already created
}

TEST_F(Routing, PlatformEventsOfAHeadlessWindowReachTheControlThroughTheLayer) {
  // The smallest glue a window would be: platform press -> layer's global
  // form, so window origin, layer origin and control origin all apply.
  struct Glue : os::WindowSink {
    CHfcWindowLayer* layer;
    CHfcMouse* hub;
    void OnWindowMouse(const os::MouseEvent& e) override {
      if (e.kind == os::MouseEvent::Kind::kDown)
        layer->PreMouseLButtonDown(hub, e.globalX - os::HeadlessWindow::kDefaultOriginX - 100,
                                   e.globalY - os::HeadlessWindow::kDefaultOriginY - 50, e.mods);
    }
  } glue;
  glue.layer = &layer;
  glue.hub = hub;
  window.platform()->SetSink(&glue);
  window.platform()->InjectClick(os::MouseButton::kLeft, 100 + 12, 50 + 13);
  env.loop().RunPending();
  EXPECT_EQ(log, (Log{"a ldown 2,3", "layer ldown 12,13"}));
}

}  // namespace

namespace {

struct StubbornLayer : hfctest::RecordingLayer {
  using RecordingLayer::RecordingLayer;
  bool refuse = true;
  bool OnDestroy() override { return !refuse; }
};

TEST(CHfcWindowLayer, ShowHideAndDestroy) {
  vesk::test::TestEnvironment env;
  ScopedHubs hubs;
  Log log;
  FakeWindow window;
  StubbornLayer layer(&log);
  RecordingControl c{"c", &log};
  EXPECT_FALSE(layer.Show(true));  // not created
  ASSERT_TRUE(layer.Create(5, 6, 20, 10, &window));
  c.Place(0, 0, 5, 5);
  layer.AddControl(&c, false);
  EXPECT_TRUE(layer.Show(true));
  EXPECT_TRUE(layer.Hide(false));
  ASSERT_EQ(window.drawn.size(), 2u);
  EXPECT_EQ(window.drawn[0].rect.right, 25);
  EXPECT_TRUE(window.drawn[0].now);
  EXPECT_FALSE(window.drawn[1].now);
  CHfcMouse::sm_pInstance->SetCapture(&layer, &window);
  // The hook may refuse; the capture is released before it is asked.
  EXPECT_FALSE(layer.Destroy());
  EXPECT_EQ(CHfcMouse::sm_pInstance->GetCapture(), nullptr);
  EXPECT_TRUE(layer.IsCreated());
  layer.refuse = false;
  EXPECT_TRUE(layer.Destroy());
  EXPECT_FALSE(layer.IsCreated());
  EXPECT_EQ(c.GetParentLayer(), nullptr);
  EXPECT_TRUE(layer.GetControls().empty());
}

}  // namespace
