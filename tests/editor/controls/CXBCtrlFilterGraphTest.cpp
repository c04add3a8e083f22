#include "editor/controls/CXBCtrlFilterGraph.h"

#include <gtest/gtest.h>
#include <X11/keysym.h>

#include <cmath>

#include "tests/editor/controls/GraphFixture.h"

namespace {

using graphtest::GraphFixture;
using graphtest::GraphListener;
using Strings = std::vector<std::string>;

// The cutoff a pole coefficient stands for at the graph's 31250 Hz rate.
double CutoffHz(float pole) { return -std::log(static_cast<double>(pole)) * 31250.0 / (2 * M_PI); }

const auto& kTable = CXBCtrlFilterGraph::FilterCoefTBLHighPassWave;

TEST(FilterCoefTable, HoldsEveryStatedValue) {
  struct Row {
    int row;
    int column;
    double value;
  };
  const Row rows[] = {
      {0, 0, 0.998358},   {0, 1, 0.998358},   {99, 0, 0.056332},  {99, 1, 0.178479},
      {87, 0, 0.369728},  {87, 1, 0.369768},  {90, 0, 0.298394},  {90, 1, 0.304656},
      {98, 0, 0.086086},  {98, 1, 0.185572},  {0, 2, -0.0004},    {50, 2, -0.017485},
      {75, 2, -0.126039}, {99, 2, -0.954657},
  };
  for (const Row& r : rows)
    EXPECT_NEAR(kTable[r.row][r.column], r.value, 6e-7) << "row " << r.row << " column " << r.column;
}

TEST(FilterCoefTable, PolesAreTheStatedCutoffs) {
  const struct {
    int row;
    double hz;
    double tolerance;
  } cutoffs[] = {{0, 8.17, 0.005}, {10, 17.2, 0.05},  {50, 341.6, 0.05},  {60, 720.3, 0.05},
                 {80, 3104, 1.0},  {90, 6015, 1.0}, {99, 14306, 1.0}};
  for (const auto& c : cutoffs) EXPECT_NEAR(CutoffHz(kTable[c.row][0]), c.hz, c.tolerance) << c.row;
}

TEST(FilterCoefTable, CutoffGrowsPerRowWithinTheStatedBands) {
  for (int row = 1; row < 100; ++row) {
    const double growth = CutoffHz(kTable[row][0]) / CutoffHz(kTable[row - 1][0]) - 1.0;
    double low = 0.076;
    double high = 0.078;
    if (row > 90) {
      low = 0.071;
      high = 0.17 + 0.005;
    } else if (row > 70) {
      low = 0.065;
      high = 0.076;
    }
    EXPECT_GE(growth, low - 1e-4) << row;
    EXPECT_LE(growth, high + 1e-4) << row;
  }
  EXPECT_NEAR(CutoffHz(kTable[99][0]) / CutoffHz(kTable[98][0]), 1.17, 0.005);
}

TEST(FilterCoefTable, ColumnsKeepTheirShape) {
  for (int row = 0; row < 100; ++row) {
    if (row <= 86)
      EXPECT_EQ(kTable[row][0], kTable[row][1]) << row;
    else
      EXPECT_GT(kTable[row][1], kTable[row][0]) << row;
    EXPECT_LT(kTable[row][2], 0.0f) << row;
    if (row > 0) {
      EXPECT_LT(kTable[row][0], kTable[row - 1][0]) << row;
      EXPECT_LT(kTable[row][1], kTable[row - 1][1]) << row;
      EXPECT_LT(kTable[row][2], kTable[row - 1][2]) << row;
    }
  }
}

tagXBCtrlFilterGraphParam Param(int x, int y, int w, int h) {
  tagXBCtrlFilterGraphParam p = CXBCtrlFilterGraph::sm_mInitParam;
  p.x = x;
  p.y = y;
  p.width = w;
  p.height = h;
  p.pointSize = 9;
  p.maximum = 198;
  p.curveLineColor = 0xFF0000FF;
  p.curveFillColor = 0x400000FF;
  p.pointFillColor = 0xFF999999;
  p.keyTimeStepAdjust = 0;
  return p;
}

class FilterGraph : public GraphFixture {
 protected:
  // The listener outlives the control.
  GraphListener listener{3};
  CXBCtrlFilterGraph graph;

  void Make(tagXBCtrlFilterGraphParam p, int level, int time) {
    ASSERT_TRUE(graph.Create(&p, 7, 0));
    Place(graph, &listener);
    tagFilterValue v{0, level, time};
    graph.SetFilterValue(&v, true);
  }
  // The handle's centre in layer coordinates.
  int HandleX() { return graph.GetParam().x + graph.GetPoint(0).x; }
  int HandleY() { return graph.GetParam().y + graph.GetPoint(0).y; }
  // The topmost painted row of a layer column inside the control.
  int TopPainted(int x) {
    const tagHfcRect& r = graph.GetFrame();
    for (int y = r.top; y < r.bottom; ++y)
      if (Pixel(x, y) >> 24) return y - r.top;
    return -1;
  }
};

TEST_F(FilterGraph, ResonanceLevelChoosesTheCoefficients) {
  struct Case {
    int level;
    int column;  // of the pole coefficient
    bool zero;   // the zero coefficient used
    double gain;
  };
  const Case cases[] = {
      {0, 0, false, 0.0}, {98, 0, false, 0.0}, {99, 1, true, 0.0}, {132, 1, true, 33 * 3.9 / 99},
      {198, 1, true, 3.8999999999999995},
  };
  Make(Param(20, 20, 120, 60), 99, 180);
  for (const Case& c : cases) {
    tagFilterValue v{0, c.level, 180};
    graph.SetFilterValue(&v, true);
    Draw(graph);
    const int row = graph.GetLastCurveRow();
    ASSERT_EQ(row, CXBCtrlFilterGraph::sm_aiConvertCutoffRealWave[90]) << c.level;
    EXPECT_EQ(graph.GetLastPoleCoef(), kTable[row][c.column]) << c.level;
    EXPECT_EQ(graph.GetLastZeroCoef(), c.zero ? kTable[row][2] : 0.0f) << c.level;
    EXPECT_DOUBLE_EQ(graph.GetLastResonanceGain(), c.gain) << c.level;
  }
}

TEST_F(FilterGraph, WidthChoosesTheTableAndThePlot) {
  struct Case {
    int width;
    int row;        // for cutoff 100
    int plotLow;    // where 0 dB lies below the control's top
    int plotHigh;
  };
  const Case cases[] = {
      {100, CXBCtrlFilterGraph::sm_aiConvertCutoffRealWave[50], 18, 21},
      {62, CXBCtrlFilterGraph::sm_aiConvertCutoffRoutingJumpWave[50], 18, 21},
      {40, CXBCtrlFilterGraph::sm_aiConvertCutoffRoutingJumpWave[50], 14, 17},
  };
  for (const Case& c : cases) {
    CXBCtrlFilterGraph g;
    tagXBCtrlFilterGraphParam p = Param(20, 20, c.width, 39);
    ASSERT_TRUE(g.Create(&p, 1, 0));
    g.Show(false);
    layer.AddControl(&g, false);
    tagFilterValue v{0, 0, 100};
    g.SetFilterValue(&v, false);
    g.Update(true, false);
    EXPECT_EQ(g.GetLastCurveRow(), c.row) << c.width;
    // Far below the cutoff the pole-only response is flat at 0 dB.
    tagFilterValue high{0, 0, 198};
    g.SetFilterValue(&high, false);
    g.Update(true, false);
    const tagHfcRect& r = g.GetFrame();
    int top = -1;
    for (int y = r.top; y < r.bottom && top < 0; ++y)
      if (Pixel(r.left + 30, y) >> 24) top = y - r.top;
    EXPECT_GE(top, c.plotLow) << c.width;
    EXPECT_LE(top, c.plotHigh) << c.width;
    layer.RemoveControl(&g, false);
  }
}

TEST_F(FilterGraph, CutoffOutsideTheTablesIsClampedBeforeLookUp) {
  tagXBCtrlFilterGraphParam p = Param(20, 20, 120, 60);
  p.maximum = 255;
  Make(p, 0, 255);
  Draw(graph);
  EXPECT_EQ(graph.GetHalfCutoff(0), 127);
  EXPECT_EQ(graph.GetLastCurveRow(), CXBCtrlFilterGraph::sm_aiConvertCutoffRealWave[99]);
  tagFilterValue low{0, 0, -30};
  graph.SetFilterValue(&low, true);
  Draw(graph);
  EXPECT_EQ(graph.GetLastCurveRow(), CXBCtrlFilterGraph::sm_aiConvertCutoffRealWave[0]);
  EXPECT_EQ(graph.ConvertCutoffValue(1000), CXBCtrlFilterGraph::sm_aiConvertCutoffRealWave[99]);
}

TEST_F(FilterGraph, TypeAboveThreeDrawsNoCurveButTheHandle) {
  Make(Param(20, 20, 120, 60), 99, 100);
  graph.SetFilterType(4, true);
  Draw(graph);
  EXPECT_EQ(graph.GetLastCurveRow(), -1);
  EXPECT_EQ(Pixel(HandleX(), HandleY()), 0xFF999999u);
  EXPECT_EQ(TopPainted(graph.GetFrame().left + 40), -1);
}

TEST_F(FilterGraph, SecondRecordIsSetButNotRead) {
  Make(Param(20, 20, 120, 60), 99, 100);
  tagFilterValue second{1, 3, 50};
  graph.SetFilterValue(&second, true);
  tagFilterValue out{};
  EXPECT_FALSE(graph.GetFilterValue(&out, 1));
  ASSERT_TRUE(graph.GetFilterValue(&out, 0));
  EXPECT_EQ(out.time, 100);
  Draw(graph);
  EXPECT_EQ(graph.GetHalfCutoff(1), 25);
  tagFilterValue third{2, 3, 50};
  graph.SetFilterValue(&third, true);  // ignored
  EXPECT_FALSE(graph.GetFilterValue(&out, 2));
}

TEST_F(FilterGraph, RefusesGeometryThatWouldDivideByZero) {
  struct Case {
    int width, height, pointSize, maximum;
    bool ok;
  };
  const Case cases[] = {
      {120, 60, 9, 198, true}, {9, 60, 9, 198, false}, {5, 60, 9, 198, false}, {120, 9, 9, 198, false},
      {120, 60, 9, 0, false},  {0, 60, 9, 198, false}, {120, 0, 9, 198, false},
  };
  for (const Case& c : cases) {
    CXBCtrlFilterGraph g;
    tagXBCtrlFilterGraphParam p = Param(0, 0, c.width, c.height);
    p.pointSize = c.pointSize;
    p.maximum = c.maximum;
    EXPECT_EQ(g.Create(&p, 1, 0), c.ok) << c.width << "x" << c.height;
    EXPECT_EQ(g.IsCreated(), c.ok);
  }
  CXBCtrlFilterGraph g;
  EXPECT_FALSE(g.Create(nullptr, 1, 0));
}

TEST_F(FilterGraph, PressAndReleaseWithoutMovingReportsTheUnchangedValues) {
  Make(Param(20, 20, 120, 60), 120, 100);
  Press(HandleX() - 2, HandleY() - 2);
  Release(HandleX() - 2, HandleY() - 2);
  EXPECT_EQ(listener.log, (Strings{"begin", "value 0,120,100", "value 0,120,100", "end", "lost"}));
  EXPECT_EQ(graph.GetActivePoint(), -2);
  EXPECT_EQ(graph.GetKeyPoint(), 0);
}

// The same gesture as the envelope graph's: Command asks for the default
// value whatever other keys are held with it, and the answer is taken.
TEST_F(FilterGraph, APressWithCommandAsksForTheDefaultValue) {
  Make(Param(20, 20, 120, 60), 99, 100);
  listener.answerDefault = true;
  listener.defaultValue = 42;
  for (const graphtest::DefaultGestureCase& c : graphtest::kDefaultGestureCases) {
    listener.defaultRequests = 0;
    graph.SetIntValue(7, false);
    Press(HandleX() - 2, HandleY() - 2, c.mods);
    Release(HandleX() - 2, HandleY() - 2);
    EXPECT_EQ(listener.defaultRequests, c.asked) << "modifiers " << c.mods;
    EXPECT_EQ(graph.GetIntValue(), c.asked ? 42 : 7) << "modifiers " << c.mods;
  }
}

TEST_F(FilterGraph, DragMovesTheCutoffAndStopsAtTheEnds) {
  Make(Param(20, 20, 120, 60), 99, 100);
  const int x = HandleX() - 2;
  const int y = HandleY() - 2;
  Press(x, y);
  Drag(x, y);
  // R / (w - s) = 199 / 111 control units a pixel.
  Drag(x + 10, y);
  Drag(x + 400, y);
  Release(x + 400, y);
  const Strings values = listener.Values();
  // The grab, the first step (the pair stored at the press is not a level,
  // so it differs), 10 pixels right, then past the end.
  ASSERT_GE(values.size(), 5u);
  EXPECT_EQ(values[0], "0,99,100");
  EXPECT_EQ(values[1], "0,99,100");
  EXPECT_EQ(values[2], "0,99,118");
  EXPECT_EQ(values[3], "0,99,198");
  EXPECT_EQ(values.back(), "0,99,198");
}

TEST_F(FilterGraph, PressAwayFromTheHandleStartsNothingAndReadOnlyIgnoresPresses) {
  Make(Param(20, 20, 120, 60), 99, 100);
  Press(HandleX() + 30, HandleY());
  Release(HandleX() + 30, HandleY());
  EXPECT_TRUE(listener.Values().empty());
  graph.SetReadOnly(true);
  Press(HandleX() - 2, HandleY() - 2);
  Release(HandleX() - 2, HandleY() - 2);
  EXPECT_TRUE(listener.log.empty());
}

TEST_F(FilterGraph, ArrowKeysMoveTheKeyPoint) {
  Make(Param(20, 20, 120, 60), 99, 100);
  graph.SetFocusOnClick(true);
  Press(HandleX() - 2, HandleY() - 2);
  Release(HandleX() - 2, HandleY() - 2);
  listener.log.clear();
  // The page would set the value back; here it stays 99, 100.
  for (uint32_t key : {XK_Right, XK_Left, XK_Up, XK_Down, XK_a}) {
    window.platform()->InjectKey(os::KeyEvent::Kind::kDown, key);
    env.loop().RunPending();
  }
  EXPECT_EQ(listener.Values(), (Strings{"0,99,102", "0,99,98", "0,100,100", "0,98,100"}));
}

}  // namespace
