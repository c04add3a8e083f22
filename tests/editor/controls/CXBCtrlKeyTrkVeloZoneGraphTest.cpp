#include <gtest/gtest.h>

#include <cmath>

#include "editor/controls/CXBCtrlKeyTrkGraph.h"
#include "editor/controls/CXBCtrlTG01FilterGraph.h"
#include "editor/controls/CXBCtrlVeloZoneGraph.h"
#include "tests/editor/controls/GraphFixture.h"

namespace {

using graphtest::GraphFixture;

class KeyTrkGraph : public GraphFixture {
 protected:
  CXBCtrlKeyTrkGraph graph;

  void Make(int kind, int id = 0x12000) {
    tagXBCtrlKeyTrkGraphParam p = CXBCtrlKeyTrkGraph::sm_mInitParam;
    p.x = 20;
    p.y = 20;
    p.width = 130;
    p.height = 56;
    p.background = Skin("Image_KeyTrk");
    p.keyStrip = Skin("Image_KeyTrk_Key");
    p.entryCount = 4;
    p.maximum = 255;
    p.kind = kind;
    p.curveColor = 0xFF00FF00;
    ASSERT_TRUE(graph.Create(&p, id, 0));
    Place(graph, nullptr);
  }
  // Keys low, centre, high and the four intensities.
  void Set(int kl, int kc, int kh, int i0, int i1, int i2, int i3, int graphValue = 0) {
    const int keys[4] = {kl, kc, kh, 0};
    const int in[4] = {i0, i1, i2, i3};
    for (int i = 0; i < 4; ++i) {
      tagKeyTrkValue v{i, keys[i], in[i], i == 0 ? graphValue : 0};
      graph.SetKeyTrkValue(&v, true);
    }
  }
  std::string Segment(int i) {
    const tagHfcPoint a = graph.GetA(i);
    const tagHfcPoint b = graph.GetB(i);
    return std::to_string(a.x) + "," + std::to_string(a.y) + "-" + std::to_string(b.x) + "," +
           std::to_string(b.y);
  }
};

TEST_F(KeyTrkGraph, IntensitiesShapeTheSegments) {
  struct Case {
    int i0, i1, i2, i3;
    const char* segments[5];
  };
  const Case cases[] = {
      // Flat at 0 inside; outside flat at the break key's level.
      {0, 0, 0, 0, {"0,0-30,0", "30,0-60,0", "60,0-60,0", "60,0-90,0", "90,0-127,0"}},
      {0, 30, 30, 0, {"0,15-30,15", "30,15-60,0", "60,0-60,0", "60,0-90,15", "90,15-127,15"}},
      {0, 30, -30, 0, {"0,15-30,15", "30,15-60,0", "60,0-60,0", "60,0-90,-15", "90,-15-127,-15"}},
      // Inner 100: a step at the centre key, the outer low side not made.
      {40, 100, 0, 0, {"0,0-0,0", "60,0-60,100", "60,0-60,0", "60,0-90,0", "90,0-127,0"}},
      {0, 0, -100, 50, {"0,0-30,0", "30,0-60,0", "60,0-60,0", "60,0-60,-100", "0,0-0,0"}},
      // A steep inner side is cut where it reaches 99.
      {0, 99, 0, 0, {"0,49-30,49", "30,49-60,0", "60,0-60,0", "60,0-90,0", "90,0-127,0"}},
  };
  Make(0);
  for (const Case& c : cases) {
    Set(30, 60, 90, c.i0, c.i1, c.i2, c.i3);
    for (int s = 0; s < 5; ++s) EXPECT_EQ(Segment(s), c.segments[s]) << c.i1 << " segment " << s;
  }
  Set(0, 127, 127, 0, 99, 0, 0);
  EXPECT_EQ(Segment(1), "67,99-127,0");
}

TEST_F(KeyTrkGraph, TheSteepScaleHasItsOwnDivisors) {
  Make(2);
  const int in[] = {-99, -98, -97, -96, -95, 0, 50};
  const int div[] = {2, 4, 6, 9, 13, 13, 13};
  for (int i = 0; i < 7; ++i) EXPECT_EQ(graph.Divisor(in[i]), div[i]) << in[i];
  CXBCtrlKeyTrkGraph plain;
  EXPECT_EQ(plain.Divisor(-99), 60);
}

TEST_F(KeyTrkGraph, SettersOutsideTheEntriesChangeNothing) {
  Make(0);
  Set(30, 60, 90, 10, 20, 30, 40);
  for (int index : {4, -1}) {
    tagKeyTrkValue v{index, 5, 99, 1};
    graph.SetKeyTrkValue(&v, true);
    tagKeyTrkValue out{};
    EXPECT_FALSE(graph.GetKeyTrkValue(&out, index));
  }
  tagKeyTrkValue out{};
  ASSERT_TRUE(graph.GetKeyTrkValue(&out, 3));
  EXPECT_EQ(out.intensity, 40);
  EXPECT_EQ(out.graphValue, 0);
}

TEST_F(KeyTrkGraph, SomeGraphsShowTheirCurveOnlyWhileSwitchedOn) {
  Make(0, 0x12503);
  Set(30, 60, 90, 0, 0, 0, 0, 0);
  Draw(graph);
  // Veiled: the level-0 line is not drawn.
  const int y0 = 20 + 1 + 99 * 56 / 199;
  EXPECT_NE(Pixel(20 + 1 + 45, y0), 0xFF00FF00u);
  Set(30, 60, 90, 0, 0, 0, 0, 1);
  Draw(graph);
  EXPECT_EQ(Pixel(20 + 1 + 45, y0), 0xFF00FF00u);
}

class VeloZoneGraph : public GraphFixture {
 protected:
  CXBCtrlVeloZoneGraph graph;

  void Make(int id = 0x12000) {
    tagXBCtrlVeloZoneGraphParam p = CXBCtrlVeloZoneGraph::sm_mInitParam;
    p.x = 20;
    p.y = 20;
    p.width = 50;
    p.height = 175;
    p.background = Skin("Image_VeloZone");
    p.entryCount = 4;
    p.maximum = 127;
    p.lineColor = 0xFF0000FF;
    ASSERT_TRUE(graph.Create(&p, id, 0));
    Place(graph, nullptr);
  }
  void Lane(int i, int on, int bottom, int fade = 0, int curve = 0, int mode = 0) {
    tagVeloZoneValue v{};
    v.index = i;
    v.on = on;
    v.bottom = bottom;
    v.fadeWidth = fade;
    v.fadeCurve = curve;
    v.scaleTop = 127;
    v.scaleBottom = 0;
    v.mode = mode;
    graph.SetVeloZoneValue(&v, true);
  }
  int LaneColours() {
    int n = 0;
    for (int y = 20; y < 195; ++y)
      for (int x = 20; x < 70; ++x)
        for (uint32_t c : CXBCtrlVeloZoneGraph::kGradient) n += c != 0xFF000000u && Pixel(x, y) == c;
    return n;
  }
};

TEST_F(VeloZoneGraph, CreateLaysOutFourLanes) {
  Make();
  EXPECT_EQ(graph.GetPitch(), 10);
  EXPECT_EQ(graph.GetFieldHeight(), 169);
  EXPECT_EQ(graph.GetLane(0).columnWidth, 8);
  EXPECT_EQ(graph.GetLane(3).fadeCurve, 2);
  EXPECT_EQ(graph.GetLane(0).scaleTop, 127);
  struct Case {
    int v, y;
  };
  const Case cases[] = {{127, 6}, {0, 168}, {-5, 168}, {200, 6}, {64, 87}};
  for (const Case& c : cases) EXPECT_EQ(graph.VerticalScaler(c.v), c.y) << c.v;
}

TEST_F(VeloZoneGraph, CreateRefusesAnEmptyVelocityRange) {
  tagXBCtrlVeloZoneGraphParam p = CXBCtrlVeloZoneGraph::sm_mInitParam;
  CXBCtrlVeloZoneGraph g;
  p.minimum = 10;
  p.maximum = 9;
  EXPECT_FALSE(g.Create(&p, 1, 0));
  p.maximum = 10;
  EXPECT_TRUE(g.Create(&p, 1, 0));
  EXPECT_FALSE(g.Create(nullptr, 1, 0));
  p.width = 0;
  CXBCtrlVeloZoneGraph h;
  EXPECT_FALSE(h.Create(&p, 1, 0));
}

TEST_F(VeloZoneGraph, ALaneAboveTheRunningBoundaryCollapses) {
  Make();
  Lane(0, 1, 64);
  Lane(1, 1, 100);
  Lane(2, 1, 10);
  graph.CalculateClientRect();
  const int y0 = graph.VerticalScaler(64) + 1;
  EXPECT_EQ(graph.GetLane(0).top, graph.VerticalScaler(127));
  EXPECT_EQ(graph.GetLane(0).bottomY, y0);
  EXPECT_EQ(graph.GetLane(1).top, 169);
  EXPECT_EQ(graph.GetLane(1).bottomY, 169);
  EXPECT_EQ(graph.GetLane(2).top, y0);
  EXPECT_EQ(graph.GetLane(2).bottomY, graph.VerticalScaler(10) + 1);
}

TEST_F(VeloZoneGraph, TheGreyedGraphShowsOnlyItsBackground) {
  Make(0x12601);
  Lane(0, 1, 64, 0, 0, 0);
  Lane(1, 1, 1);
  Draw(graph);
  EXPECT_EQ(LaneColours(), 0);
  Lane(0, 1, 64, 0, 0, 1);
  Draw(graph);
  EXPECT_GT(LaneColours(), 0);
}

TEST_F(VeloZoneGraph, LaneSwitchesFollowTheGraphSwitch) {
  Make();
  graph.DisableClient(2);
  EXPECT_EQ(graph.GetLane(2).enabled, 0);
  graph.EnableGraph(false);
  EXPECT_EQ(graph.GetLane(0).enabled, 0);
  graph.EnableClient(2);
  EXPECT_EQ(graph.GetLane(2).enabled, 0);
  graph.EnableGraph(true);
  EXPECT_EQ(graph.GetLane(0).enabled, 1);
  EXPECT_EQ(graph.GetLane(2).enabled, 1);
  graph.EnableSegment(7, false);  // ignored
}

TEST(TG01FilterGraph, CoefficientFormsAgree) {
  double a1, p1, a2, p2;
  CXBCtrlTG01FilterGraph::ControlCoef(50, 33, &a1, &p1);
  CXBCtrlTG01FilterGraph::GenMMFCoef(50 * 0.010101010101, 33 * 0.010101010101, &a2, &p2);
  EXPECT_NEAR(a1, a2, 1e-12);
  EXPECT_NEAR(p1, p2, 1e-12);
  double b0, b1, b2;
  CXBCtrlTG01FilterGraph::GetBXCoef(3, 0.5, &b0, &b1, &b2);
  EXPECT_DOUBLE_EQ(b1, 0.25 - 2);
  CXBCtrlTG01FilterGraph::GetBXCoef(7, 0.5, &b0, &b1, &b2);
  EXPECT_EQ(b0 + b1 + b2, 0.0);
}

class TG01Graph : public GraphFixture {};

TEST_F(TG01Graph, OpenLowPassLiesAtSixTenthsOfTheHeight) {
  CXBCtrlTG01FilterGraph graph;
  tagXBCtrlFilterGraphParam p = CXBCtrlFilterGraph::sm_mInitParam;
  p.x = 20;
  p.y = 20;
  p.width = 62;
  p.height = 39;
  p.pointSize = 9;
  p.maximum = 198;
  p.curveLineColor = 0xFF0000FF;
  p.curveFillColor = 0x100000FF;
  ASSERT_TRUE(graph.Create(&p, 1, 0));
  Place(graph, nullptr);
  tagFilterValue v{0, 99, 198};  // resonance 0, cutoff 99
  graph.SetFilterValue(&v, true);
  Draw(graph);
  EXPECT_EQ(graph.ConvertCutoffValue(99), 99);
  const tagHfcRect& r = graph.GetFrame();
  int top = -1;
  for (int y = r.top; y < r.bottom && top < 0; ++y)
    if ((Pixel(r.left + 20, y) & 0xFFFFFF) == 0x0000FF) top = y - r.top;
  EXPECT_GE(top, 22);
  EXPECT_LE(top, 24);
}

}  // namespace
