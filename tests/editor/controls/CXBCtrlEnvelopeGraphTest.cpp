#include "editor/controls/CXBCtrlEnvelopeGraph.h"

#include <gtest/gtest.h>
#include <X11/keysym.h>

#include "hfc/HfcModifiers.h"
#include "tests/editor/controls/GraphFixture.h"

namespace {

using graphtest::GraphFixture;
using graphtest::GraphListener;
using Strings = std::vector<std::string>;

const uint8_t kEnabled[6] = {1, 1, 1, 1, 0, 1};

tagXBCtrlEnvelopeGraphParam Param(int width = 140, int height = 65, int count = 6) {
  tagXBCtrlEnvelopeGraphParam p = CXBCtrlEnvelopeGraph::sm_mInitParam;
  p.x = 30;
  p.y = 30;
  p.width = width;
  p.height = height;
  p.count = count;
  p.pointSize = 11;
  p.minimum = 0;
  p.maximum = 198;
  p.lineColor = 0xFF0000FF;
  p.zoneColor = 0x7E0000FF;
  p.pointFillColor = 0xFF000099;
  p.pointFrameColor = 0xFF000000;
  p.keyTimeStepAdjust = 0;
  p.baseline = 1;
  p.enabledPoints = kEnabled;
  return p;
}

class EnvelopeGraph : public GraphFixture {
 protected:
  // The listener outlives the control.
  GraphListener listener{3};
  CXBCtrlEnvelopeGraph graph;

  void SetUp() override {
    tagXBCtrlEnvelopeGraphParam p = Param();
    ASSERT_TRUE(graph.Create(&p, 3, 0));
    Place(graph, &listener);
  }
  void Set(int i, int level, int time) {
    tagEnvelopeValue v{i, level, time};
    graph.SetEnvelopeValue(&v, true);
  }
  // The layer point the pointer must be at to lie on point i's place (the
  // graph compares its own rectangle's coordinates with the places).
  int PointerX(int i) { return graph.GetFrame().left + graph.GetPoint(i).x; }
  int PointerY(int i) { return graph.GetFrame().top + graph.GetPoint(i).y; }
  // Point i's centre as drawn.
  int DrawnX(int i) { return graph.GetParam().x + graph.GetPoint(i).x; }
  int DrawnY(int i) { return graph.GetParam().y + graph.GetPoint(i).y; }
};

TEST_F(EnvelopeGraph, TimesAndLevelsPlacePointsOnSegments) {
  EXPECT_EQ(graph.GetSegmentWidth(), 25);
  struct Case {
    int time;
    int dx;
    int level;
    int y;
  };
  const Case cases[] = {
      {198, 25, 198, 5}, {99, 12, 99, 32}, {0, 0, 0, 59}, {8, 1, 1, 59}, {197, 24, 197, 6},
  };
  for (const Case& c : cases) {
    Set(1, 0, 0);
    Set(2, c.level, c.time);
    EXPECT_EQ(graph.GetPoint(0).x, 5);
    EXPECT_EQ(graph.GetPoint(2).x - graph.GetPoint(1).x, c.dx) << c.time;
    EXPECT_EQ(graph.GetPoint(2).y, c.y) << c.level;
  }
}

TEST_F(EnvelopeGraph, CreateRefusesRecordsItCannotDraw) {
  struct Case {
    int width, height, count, maximum;
    bool ok;
  };
  const Case cases[] = {
      {140, 65, 6, 198, true},  {140, 65, 1, 198, false}, {0, 65, 6, 198, false},
      {11, 65, 6, 198, false},  {15, 65, 6, 198, false},  {16, 65, 6, 198, true},
      {140, 11, 6, 198, false}, {140, 0, 6, 198, false},  {140, 65, 6, 0, false},
  };
  for (const Case& c : cases) {
    CXBCtrlEnvelopeGraph g;
    tagXBCtrlEnvelopeGraphParam p = Param(c.width, c.height, c.count);
    p.maximum = c.maximum;
    EXPECT_EQ(g.Create(&p, 1, 0), c.ok) << c.width << "x" << c.height << " count " << c.count;
    EXPECT_EQ(g.IsCreated(), c.ok);
  }
  CXBCtrlEnvelopeGraph g;
  EXPECT_FALSE(g.Create(nullptr, 1, 0));
}

TEST_F(EnvelopeGraph, ValueAccessOutsideThePointsChangesNothing) {
  Set(2, 50, 60);
  tagEnvelopeValue v{6, 1, 1};
  graph.SetEnvelopeValue(&v, true);
  v.index = -1;
  graph.SetEnvelopeValue(&v, true);
  tagEnvelopeValue out{};
  EXPECT_FALSE(graph.GetEnvelopeValue(&out, 6));
  EXPECT_FALSE(graph.GetEnvelopeValue(&out, -1));
  ASSERT_TRUE(graph.GetEnvelopeValue(&out, 2));
  EXPECT_EQ(out.level, 50);
  EXPECT_EQ(out.time, 60);
  CXBCtrlEnvelopeGraph fresh;
  EXPECT_FALSE(fresh.GetEnvelopeAllValue(&out));
}

TEST_F(EnvelopeGraph, APointWithoutAHandleCannotBeGrabbedAndShowsAsADot) {
  for (int i = 0; i < 6; ++i) Set(i, 100, 198);
  Draw(graph);
  // Point 4: a 5 x 5 dot in the fill colour, nothing around it.
  EXPECT_EQ(Pixel(DrawnX(4), DrawnY(4)), 0xFF000099u);
  EXPECT_EQ(Pixel(DrawnX(4) + 2, DrawnY(4) + 2), 0xFF000099u);
  EXPECT_NE(Pixel(DrawnX(4) + 4, DrawnY(4) + 4), 0xFF000099u);
  // Point 3 has a framed handle.
  EXPECT_EQ(Pixel(DrawnX(3) - 5, DrawnY(3) - 5), 0xFF000000u);
  Press(PointerX(4), PointerY(4));
  Release(PointerX(4), PointerY(4));
  EXPECT_TRUE(listener.Values().empty());
}

TEST_F(EnvelopeGraph, OverlappingHandlesGiveTheHigherPoint) {
  for (int i = 0; i < 6; ++i) Set(i, 100, 0);
  Press(PointerX(0), PointerY(0));
  Release(PointerX(0), PointerY(0));
  EXPECT_EQ(listener.log, (Strings{"begin", "value 5,100,0", "value 5,100,0", "end"}));
}

TEST_F(EnvelopeGraph, DraggingStopsAtTheEndsAndFineModeMovesLess) {
  for (int i = 0; i < 6; ++i) Set(i, 99, 99);
  const int x = PointerX(2);
  const int y = PointerY(2);
  Press(x, y);
  Drag(x, y);
  Drag(x, y - 10);
  Drag(x, y - 100);
  Release(x, y - 100);
  Strings values = listener.Values();
  ASSERT_GE(values.size(), 3u);
  // 10 pixels are 10 * 199 / 54 levels.
  EXPECT_EQ(values[values.size() - 3], "2,136,99");
  EXPECT_EQ(values.back(), "2,198,99");

  listener.log.clear();
  Press(x, y);
  Drag(x, y, 1);
  Drag(x, y - 20, 1);
  Drag(x + 10, y - 20, 1);
  Release(x + 10, y - 20);
  values = listener.Values();
  ASSERT_FALSE(values.empty());
  // Half a tenth of a unit a pixel: ten pixels right are one step of
  // time, twenty up one step of level.
  EXPECT_EQ(values.back(), "2,100,100");
}

// Command asks for the default value whatever other keys are held with it.
TEST_F(EnvelopeGraph, APressWithCommandAsksForTheDefaultValue) {
  for (int i = 0; i < 6; ++i) Set(i, 99, 99);
  listener.answerDefault = true;
  for (const graphtest::DefaultGestureCase& c : graphtest::kDefaultGestureCases) {
    listener.defaultRequests = 0;
    Press(PointerX(2), PointerY(2), c.mods);
    Release(PointerX(2), PointerY(2));
    EXPECT_EQ(listener.defaultRequests, c.asked) << "modifiers " << c.mods;
  }
}

TEST_F(EnvelopeGraph, ReadOnlyIgnoresTheMouseButDrawsItsValues) {
  graph.SetReadOnly(true);
  Set(1, 198, 198);
  Press(PointerX(1), PointerY(1));
  Drag(PointerX(1), PointerY(1) + 20);
  Release(PointerX(1), PointerY(1) + 20);
  EXPECT_TRUE(listener.log.empty());
  Draw(graph);
  EXPECT_EQ(Pixel(DrawnX(1), DrawnY(1)), 0xFF000099u);
}

TEST_F(EnvelopeGraph, ArrowKeysMoveTheActivePointByItsTimeStep) {
  Set(3, 50, 50);
  graph.SetFocusOnClick(true);
  graph.SetActivePoint(3, true);
  listener.log.clear();
  for (uint32_t key : {XK_Right, XK_Down, XK_x}) {
    window.platform()->InjectKey(os::KeyEvent::Kind::kDown, key);
    env.loop().RunPending();
  }
  EXPECT_EQ(listener.Values(), (Strings{"3,50,52", "3,49,50"}));
  // Without a key point the arrows do nothing.
  graph.SetActivePoint(-1, false);
  listener.log.clear();
  EXPECT_FALSE(graph.OnKeyDown(29, 39, 0));
  EXPECT_TRUE(listener.Values().empty());
}

}  // namespace
