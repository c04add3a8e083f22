#include <gtest/gtest.h>

#include <algorithm>

#include "hfc/CHfcBmp.h"
#include "hfc/CHfcDrag.h"
#include "hfc/CHfcDragFlavor.h"
#include "hfc/CHfcOffscreenContext.h"
#include "hfc/CHfcWindow.h"
#include "hfc/CHfcWindowLayer.h"
#include "platform/HfcGuiHooks.h"
#include "tests/hfc/HfcFakes.h"
#include "tests/support/TestEnvironment.h"

namespace {

using hfctest::FakeWindow;
using hfctest::HeadlessHfcWindow;
using hfctest::Log;
using hfctest::RecordingControl;
using hfctest::RecordingLayer;
using hfctest::ScopedHubs;

bool operator==(const tagHfcRect& a, const tagHfcRect& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// Records what the window composes instead of composing.
class UpdateWindow : public HeadlessHfcWindow {
 public:
  UpdateWindow() : HeadlessHfcWindow(400, 300) {}
  void OnUpdate(CHfcDrawContext*, tagHfcRect* rect) override { updates.push_back(*rect); }
  std::vector<tagHfcRect> updates;
};

TEST(WindowUpdateRects, ListMethodMergesContainedRectanglesOnly) {
  struct Step {
    tagHfcRect add;
    std::vector<tagHfcRect> after;
  };
  const Step steps[] = {
      {{10, 10, 20, 20}, {{10, 10, 20, 20}}},
      {{0, 0, 50, 50}, {{0, 0, 50, 50}}},                      // swallows the first
      {{12, 12, 15, 15}, {{0, 0, 50, 50}}},                    // inside: nothing added
      {{40, 40, 60, 60}, {{0, 0, 50, 50}, {40, 40, 60, 60}}},  // overlap: appended
      {{100, 0, 110, 10}, {{0, 0, 50, 50}, {40, 40, 60, 60}, {100, 0, 110, 10}}},
      // Holds the second and the third: only the first of them is replaced.
      {{30, 0, 120, 70}, {{0, 0, 50, 50}, {30, 0, 120, 70}, {100, 0, 110, 10}}},
  };
  vesk::test::TestEnvironment env;
  UpdateWindow window;
  window.SetUpdateMethod(1);
  for (const Step& s : steps) {
    window.AddUpdateRect(&s.add);
    ASSERT_EQ(window.GetUpdateRects().size(), s.after.size());
    for (size_t i = 0; i < s.after.size(); ++i) EXPECT_TRUE(window.GetUpdateRects()[i] == s.after[i]);
  }
  // The flush draws each entry clipped to the client area and empties the
  // list.
  window.FlushUpdateRect();
  ASSERT_EQ(window.updates.size(), 3u);
  EXPECT_TRUE(window.updates[1] == (tagHfcRect{30, 0, 120, 70}));
  EXPECT_TRUE(window.GetUpdateRects().empty());
}

TEST(WindowUpdateRects, UnionMethodDrawsTheUnionOnceAndForgetsIt) {
  vesk::test::TestEnvironment env;
  UpdateWindow window;
  window.FlushUpdateRect();
  EXPECT_TRUE(window.updates.empty());
  const tagHfcRect a{10, 20, 30, 40};
  const tagHfcRect b{50, 5, 60, 25};
  window.AddUpdateRect(&a);
  window.AddUpdateRect(&b);
  window.FlushUpdateRect();
  ASSERT_EQ(window.updates.size(), 1u);
  EXPECT_TRUE(window.updates[0] == (tagHfcRect{10, 5, 60, 40}));
  EXPECT_TRUE(window.GetUnionUpdateRect() == (tagHfcRect{0, 0, 0, 0}));
  window.FlushUpdateRect();
  EXPECT_EQ(window.updates.size(), 1u);
  // Only 0 and 1 are methods.
  window.SetUpdateMethod(2);
  window.SetUpdateMethod(-1);
  EXPECT_EQ(window.GetUpdateMethod(), 0);
}

TEST(WindowUpdateRects, ViewModeDrawsOnTheExposeOnly) {
  vesk::test::TestEnvironment env;
  UpdateWindow window;
  window.SetViewMode(true);
  tagHfcRect r{5, 5, 15, 15};
  window.Update(&r);
  EXPECT_TRUE(window.updates.empty());
  env.loop().RunPending();
  ASSERT_EQ(window.updates.size(), 1u);
  EXPECT_TRUE(window.updates[0] == r);
}

TEST(WindowLayers, ResizeAndMoveRedrawWhatTheLayerCoveredBeforeAndAfter) {
  struct Case {
    const char* what;
    bool resize;
    int a, b;
    bool redraw;
    tagHfcRect drawn;
    bool now;
  };
  // The layer sits at (100, 50), 200 x 100.
  const Case cases[] = {
      {"grow down, shrink across", true, 150, 120, true, {100, 50, 300, 170}, true},
      {"shrink both", true, 20, 10, true, {100, 50, 300, 150}, true},
      {"move right", false, 130, 60, false, {100, 50, 330, 160}, false},
      {"move left up at once", false, 0, 0, true, {0, 0, 300, 150}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FakeWindow window;
    CHfcWindowLayer layer;
    ASSERT_TRUE(layer.Create(100, 50, 200, 100, &window));
    layer.Show(false);
    window.drawn.clear();
    if (c.resize) {
      ASSERT_TRUE(layer.Resize(c.a, c.b, c.redraw));
      EXPECT_EQ(layer.GetWidth(), c.a);
      EXPECT_TRUE(layer.GetRect() == (tagHfcRect{100, 50, 100 + c.a, 50 + c.b}));
    } else {
      layer.Move(c.a, c.b, c.redraw);
      EXPECT_TRUE(layer.GetRect() == (tagHfcRect{c.a, c.b, c.a + 200, c.b + 100}));
    }
    ASSERT_EQ(window.drawn.size(), 1u);
    EXPECT_TRUE(window.drawn[0].rect == c.drawn);
    EXPECT_EQ(window.drawn[0].now, c.now);
  }
  // A hidden layer moves without a redraw; a layer never created neither
  // resizes nor moves.
  FakeWindow window;
  CHfcWindowLayer hidden;
  ASSERT_TRUE(hidden.Create(0, 0, 10, 10, &window));
  window.drawn.clear();
  hidden.Move(5, 5, true);
  EXPECT_TRUE(window.drawn.empty());
  CHfcWindowLayer never;
  EXPECT_FALSE(never.Resize(10, 10, true));
  never.Move(5, 5, true);
  EXPECT_TRUE(never.GetRect() == (tagHfcRect{0, 0, 0, 0}));
}

TEST(WindowLayers, StackOperations) {
  FakeWindow window;
  CHfcWindowLayer a, b, c, outsider;
  ASSERT_TRUE(a.Create(0, 0, 10, 10, &window));
  ASSERT_TRUE(b.Create(0, 0, 10, 10, &window));
  ASSERT_TRUE(c.Create(0, 0, 10, 10, &window));
  ASSERT_TRUE(outsider.Create(0, 0, 10, 10, nullptr));
  auto order = [&] {
    std::vector<CHfcWindowLayer*> v;
    for (int i = 0; i < window.GetLayerCount(); ++i) v.push_back(window.GetLayerByIndex(i));
    return v;
  };
  EXPECT_EQ(order(), (std::vector<CHfcWindowLayer*>{&a, &b, &c}));
  EXPECT_FALSE(window.AddLayer(&b, false));
  EXPECT_EQ(window.GetLayerCount(), 3);
  EXPECT_TRUE(window.OrderLayer(&a, 0, false));
  EXPECT_EQ(order(), (std::vector<CHfcWindowLayer*>{&b, &c, &a}));
  EXPECT_TRUE(window.OrderLayer(&a, 1, false));
  EXPECT_EQ(order(), (std::vector<CHfcWindowLayer*>{&a, &b, &c}));
  EXPECT_TRUE(window.OrderLayer(&b, 7, false));
  EXPECT_EQ(order(), (std::vector<CHfcWindowLayer*>{&a, &b, &c}));
  EXPECT_FALSE(window.OrderLayer(&outsider, 0, false));
  EXPECT_FALSE(window.ReplaceLayer(&b, &outsider, false));
  EXPECT_EQ(order(), (std::vector<CHfcWindowLayer*>{&a, &outsider, &c}));
  EXPECT_EQ(b.GetParentWindow(), nullptr);
  EXPECT_EQ(outsider.GetIndex(), 1);
  EXPECT_FALSE(window.RemoveLayer(&b, false));
  EXPECT_TRUE(window.RemoveLayer(&outsider, false));
  EXPECT_EQ(window.GetLayerByIndex(2), nullptr);
  EXPECT_EQ(window.GetLayerByIndex(-1), nullptr);
  window.RemoveAllLayers(false);
  EXPECT_EQ(window.GetLayerCount(), 0);
  EXPECT_EQ(a.GetIndex(), -1);
}

TEST(WindowLayers, NeitherTheWindowNorALayerLeavesTheOtherAPointerToItsCorpse) {
  vesk::test::TestEnvironment env;
  auto window = std::make_unique<HeadlessHfcWindow>(100, 100);
  auto early = std::make_unique<CHfcWindowLayer>();
  CHfcWindowLayer late;
  ASSERT_TRUE(early->Create(0, 0, 50, 50, window.get()));
  ASSERT_TRUE(late.Create(0, 0, 50, 50, window.get()));
  early->Show(false);
  early.reset();
  EXPECT_EQ(window->GetLayerCount(), 1);
  window->Update(nullptr);  // composes only the living layer
  window.reset();
  EXPECT_EQ(late.GetParentWindow(), nullptr);
  EXPECT_TRUE(late.Destroy());
}

// Two overlapping layers in a headless window whose screen origin is not
// (0, 0): bottom (0, 0)-(200, 150) with a control at (110, 60)-(150, 90),
// top (100, 50)-(300, 250) with a control at its own (10, 10)-(50, 40).
// Window point (120, 70) lies on both controls.
struct WholeWindow : testing::Test {
  vesk::test::TestEnvironment env;
  ScopedHubs hubs;
  Log log;
  HeadlessHfcWindow window{400, 300};
  RecordingLayer bottom{&log};
  RecordingLayer top{&log};
  RecordingControl low{"low", &log};
  RecordingControl high{"high", &log};

  void SetUp() override {
    ASSERT_TRUE(bottom.Create(0, 0, 200, 150, &window));
    ASSERT_TRUE(top.Create(100, 50, 200, 200, &window));
    bottom.Show(false);
    top.Show(false);
    low.Place(110, 60, 40, 30);
    high.Place(10, 10, 40, 30);
    bottom.AddControl(&low, false);
    top.AddControl(&high, false);
    window.platform()->InjectFocus(true);
    env.loop().RunPending();
  }
  void Click(int x, int y) {
    log.clear();
    window.platform()->InjectClick(os::MouseButton::kLeft, x, y);
    env.loop().RunPending();
  }
};

TEST_F(WholeWindow, PressesGoFromTheTopLayerDown) {
  // (120, 70) lies in both layers and on the top control.
  Click(120, 70);
  // The lower layer is asked with its own coordinates; the top layer's
  // handler consumes the release, so the lower one never sees it.
  EXPECT_EQ(log, (Log{"high ldown 10,10", "layer ldown 20,20", "low ldown 10,10",
                      "layer ldown 120,70", "high lup 10,10", "layer lup 20,20"}));
  // Edge pixels: x = 100 is the top layer's left column, x = 99 is not.
  Click(99, 60);
  EXPECT_EQ(log.front(), "layer ldown 99,60");
  Click(100, 60);
  EXPECT_EQ(log.front(), "layer ldown 0,10");
  Click(300, 60);  // right edge of the top layer: outside both
  EXPECT_TRUE(log.empty());
}

TEST_F(WholeWindow, ALayerThatLeavesTheWindowWhilePressedLetsTheOthersHearItOnce) {
  struct LeavingLayer : RecordingLayer {
    using RecordingLayer::RecordingLayer;
    CHfcWindow* from = nullptr;
    bool OnHfcMouseLButtonDown(CHfcMouse* m, int x, int y, int mods) override {
      RecordingLayer::OnHfcMouseLButtonDown(m, x, y, mods);
      from->RemoveLayer(this, false);
      return false;
    }
  };
  LeavingLayer leaving{&log};
  leaving.from = &window;
  ASSERT_TRUE(leaving.Create(115, 65, 100, 100, &window));
  leaving.Show(false);
  Click(120, 70);
  // The release is not handed on: the stack changed under the press, so
  // what now lies under the pointer did not get the press it would end.
  EXPECT_EQ(log, (Log{"layer ldown 5,5", "high ldown 10,10", "layer ldown 20,20", "low ldown 10,10",
                      "layer ldown 120,70"}));
  EXPECT_EQ(window.GetLayerIndex(&leaving), -1);
  Click(120, 70);
  EXPECT_EQ(log.front(), "high ldown 10,10");
}

// A press that opens a layer (a dialog over the window): the double click
// and the releases of that click do not reach the new layer, which the user
// never pressed; a fresh click does.
TEST_F(WholeWindow, TheRestOfAClickThatOpenedALayerStaysOutOfIt) {
  struct OpeningLayer : RecordingLayer {
    using RecordingLayer::RecordingLayer;
    CHfcWindowLayer* dialog = nullptr;
    bool OnHfcMouseLButtonDown(CHfcMouse* m, int x, int y, int mods) override {
      RecordingLayer::OnHfcMouseLButtonDown(m, x, y, mods);
      dialog->Create(0, 0, 400, 300, GetParentWindow());
      dialog->Show(false);
      return true;
    }
  };
  struct Dialog : RecordingLayer {
    using RecordingLayer::RecordingLayer;
    Log* log = nullptr;
    bool OnHfcMouseLButtonDown(CHfcMouse* m, int x, int y, int mods) override {
      RecordingLayer::OnHfcMouseLButtonDown(m, x, y, mods);
      return true;
    }
    bool OnHfcMouseLButtonDoubleClick(CHfcMouse*, int, int, int) override {
      log->push_back("dialog ldouble");
      return true;
    }
  };
  Dialog dialog{&log};
  dialog.log = &log;
  OpeningLayer opener{&log};
  opener.dialog = &dialog;
  ASSERT_TRUE(opener.Create(300, 200, 50, 50, &window));
  opener.Show(false);
  log.clear();
  window.platform()->InjectClick(os::MouseButton::kLeft, 310, 210, 0, 1);
  window.platform()->InjectClick(os::MouseButton::kLeft, 310, 210, 0, 2);
  env.loop().RunPending();
  EXPECT_EQ(log, (Log{"layer ldown 10,10"}));
  Click(310, 210);
  EXPECT_EQ(log, (Log{"layer ldown 310,210", "layer lup 310,210"}));
}

TEST_F(WholeWindow, ACaptureHolderGetsEverythingInItsOwnCoordinates) {
  high.SetMouseCapture();
  log.clear();
  os::MouseEvent e;
  e.kind = os::MouseEvent::Kind::kDrag;
  e.x = 5;
  e.y = 7;
  window.platform()->InjectMouse(e);
  e.kind = os::MouseEvent::Kind::kUp;
  e.button = os::MouseButton::kLeft;
  window.platform()->InjectMouse(e);
  env.loop().RunPending();
  EXPECT_EQ(log, (Log{"high move -105,-53", "high lup -105,-53"}));
}

TEST_F(WholeWindow, APressIntoAnInactiveWindowOnlyActivatesIt) {
  window.platform()->InjectFocus(false);
  high.SetMouseCapture();
  Click(120, 70);
  EXPECT_EQ(high.lostCaptures, 1);
  // The release still reaches the layers.
  EXPECT_EQ(log, (Log{"high lup 10,10", "layer lup 20,20"}));
}

TEST_F(WholeWindow, ADoubleClickNeedsAFirstClickSeenSinceTheLastDeactivation) {
  window.platform()->InjectFocus(false);
  window.platform()->InjectFocus(true);
  env.loop().RunPending();
  log.clear();
  window.platform()->InjectClick(os::MouseButton::kLeft, 120, 70, 0, 2);
  window.platform()->InjectClick(os::MouseButton::kLeft, 120, 70, 0, 2);
  env.loop().RunPending();
  EXPECT_EQ(std::count(log.begin(), log.end(), "high ldown 10,10"), 1);
  EXPECT_EQ(std::count(log.begin(), log.end(), "high ldouble 10,10"), 1);
}

TEST_F(WholeWindow, DragsGoFromTheBottomLayerUp) {
  ASSERT_TRUE(CHfcDrag::Initialize());
  std::vector<os::DragItem> items(2);
  items[0].type = 0x54455854;  // 'TEXT'
  items[0].data = {'a', 'b'};
  items[1].type = CHfcDragFlavor::kFileType;
  items[1].path = "/tmp/x.VSKpr";
  log.clear();
  EXPECT_EQ(window.platform()->InjectDrag(os::DragEvent::Kind::kEnter, 120, 70, 0, items), 0);
  EXPECT_EQ(log, (Log{"low enter 10,10", "layer enter 120,70", "high enter 10,10",
                      "layer enter 20,20"}));
  high.consumeDrag = true;
  high.dragAction = 2;
  log.clear();
  EXPECT_EQ(window.platform()->InjectDrag(os::DragEvent::Kind::kDrop, 120, 70, 0, items), 2);
  EXPECT_EQ(window.platform()->Cursor(), os::CursorId::kCopyArrow);
  EXPECT_EQ(log.back(), "high drop 10,10");
  CHfcDrag::Uninitialize();
  // Without the drag hub the window takes no drags.
  log.clear();
  EXPECT_EQ(window.platform()->InjectDrag(os::DragEvent::Kind::kEnter, 120, 70, 0, items), 0);
  EXPECT_TRUE(log.empty());
}

TEST(WindowCoordinates, LocalToGlobalAddsTheScreenOriginThroughEveryLevel) {
  vesk::test::TestEnvironment env;
  HeadlessHfcWindow window(400, 300);
  const int ox = os::HeadlessWindow::kDefaultOriginX;
  const int oy = os::HeadlessWindow::kDefaultOriginY;
  CHfcWindowLayer layer;
  ASSERT_TRUE(layer.Create(30, 40, 100, 100, &window));
  Log unused;
  RecordingControl control{"c", &unused};
  control.Create(5, 6, 10, 10, 1);
  layer.AddControl(&control, false);
  tagHfcPoint p{1, 2};
  ASSERT_TRUE(control.LocalToGlobal(&p));
  EXPECT_EQ(p.x, 1 + 5 + 30 + ox);
  EXPECT_EQ(p.y, 2 + 6 + 40 + oy);
  ASSERT_TRUE(control.GlobalToLocal(&p));
  EXPECT_EQ(p.x, 1);
  EXPECT_EQ(p.y, 2);
  // The platform services reach the same conversion, the platform window
  // and the capture once the framework runs, and fall back without it.
  tagHfcPoint q{10, 20};
  HfcWindowLocalToGlobal(&window, &q);
  EXPECT_EQ(q.x, 10);
  {
    ScopedHubs hubs;
    HfcWindowLocalToGlobal(&window, &q);
    EXPECT_EQ(q.x, 10 + ox);
    EXPECT_EQ(q.y, 20 + oy);
    EXPECT_EQ(HfcWindowSystemWindow(&window), window.platform());
    control.Show(false);
    control.Enable(false);
    ASSERT_TRUE(control.SetMouseCapture());
    HfcReleaseMouseCapture();
    EXPECT_EQ(CHfcMouse::sm_pInstance->GetCapture(), nullptr);
  }
  EXPECT_EQ(HfcWindowSystemWindow(&window), &window);
}

TEST(WindowTimer, ASecondSetTimerKeepsTheFirstPeriod) {
  vesk::test::TestEnvironment env;
  struct TimedWindow : HeadlessHfcWindow {
    TimedWindow() : HeadlessHfcWindow(10, 10) {}
    bool OnTimer() override {
      ++ticks;
      return true;
    }
    int ticks = 0;
  } window;
  EXPECT_TRUE(window.SetTimer(100));
  EXPECT_TRUE(window.SetTimer(10));
  env.loop().RunPending();
  EXPECT_EQ(window.ticks, 1);  // first at once
  env.loop().RunFor(1000);
  EXPECT_EQ(window.ticks, 11);
  window.KillTimer();
  env.loop().RunFor(1000);
  EXPECT_EQ(window.ticks, 11);
}

TEST(WindowKeys, KeysNoFocusTakesReachTheKeyHubTranslated) {
  vesk::test::TestEnvironment env;
  ScopedHubs hubs;
  HeadlessHfcWindow window(50, 50);
  struct Listener : CHfcKeyListener {
    bool OnHfcKeyChar(CHfcKey*, int chr, int) override {
      chars.push_back(chr);
      return true;
    }
    std::vector<int> chars;
  } listener;
  CHfcKey::sm_pInstance->SetFocus(&listener, window.platform());
  window.platform()->InjectKey(os::KeyEvent::Kind::kDown, 0xFFFF);  // forward delete
  window.platform()->InjectKey(os::KeyEvent::Kind::kRepeat, 0xFF51);  // left arrow
  window.platform()->InjectKey(os::KeyEvent::Kind::kUp, 0xFF51);
  window.platform()->InjectKey(os::KeyEvent::Kind::kDown, 'a');
  env.loop().RunPending();
  EXPECT_EQ(listener.chars, (std::vector<int>{46, 37, 'a'}));
  CHfcKey::sm_pInstance->ReleaseFocus();
}

TEST(WindowKeys, RawCharactersBecomeTheFrameworkKeyCodes) {
  const int cases[][2] = {{127, 46}, {28, 37}, {29, 39}, {30, 38}, {31, 40}, {27, 27}, {65, 65},
                          {0xE9, -23}};
  for (const auto& c : cases) EXPECT_EQ(CHfcWindow::TranslateKeyChar(c[0]), c[1]) << c[0];
}

TEST(ControlDrawing, DrawClearsTheFrameAndFocusRingsGrowTowardsTheOutside) {
  CHfcOffscreenContext dc(40, 40);
  dc.SetBrushColor(0xFF808080);
  dc.FillRect(0, 0, 40, 40);
  Log unused;
  RecordingControl c{"c", &unused};
  c.Create(10, 10, 20, 20, 1);
  c.CHfcControl::Draw(&dc);  // hidden: nothing
  EXPECT_EQ(dc.GetBmp()->GetPixel(15, 15), 0xFF808080u);
  c.Show(false);
  c.CHfcControl::Draw(&dc);
  EXPECT_EQ(dc.GetBmp()->GetPixel(15, 15), 0u);
  EXPECT_EQ(dc.GetBmp()->GetPixel(9, 9), 0xFF808080u);

  CHfcOffscreenContext rings(40, 40);
  c.SetFocusColor(0xFF00FF00);
  c.SetFocusMergin(3);
  c.DrawFocus(&rings);
  // Inner ring 1 pixel outside the frame, outer ring 3 pixels outside.
  EXPECT_EQ(rings.GetBmp()->GetPixel(9, 20) >> 24, 85u);
  EXPECT_EQ(rings.GetBmp()->GetPixel(7, 20) >> 24, 255u);
  EXPECT_EQ(rings.GetBmp()->GetPixel(7, 20) & 0xFFFFFF, 0x00FF00u);
  EXPECT_EQ(rings.GetBmp()->GetPixel(15, 15), 0u);
  CHfcOffscreenContext marks(40, 40);
  c.SetFocusMergin(0);
  c.DrawFocus(&marks);
  EXPECT_NE(marks.GetBmp()->GetPixel(10, 10), 0u);  // corner stroke
  EXPECT_EQ(marks.GetBmp()->GetPixel(20, 10), 0u);  // middle of the top edge
}

}  // namespace
