#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "spare/CHfcCtrlAmtKnob.h"
#include "spare/CHfcCtrlEnvelopeGraph.h"
#include "spare/CHfcCtrlVerticalFader.h"
#include "spare/CHfcCtrlVerticalVuMeter.h"
#include "tests/hfc/HfcCtrlScene.h"
#include "tests/spare/SpareRecordingContext.h"

namespace {

using hfctest::CodedStrip;
using hfctest::CtrlScene;
using hfctest::FrameOf;
using hfctest::Log;
using hfctest::LoggingListener;
using sparetest::RecordingContext;

// ---- Envelope graph ----

using Env = CHfcCtrlEnvelopeGraph::tagEnvelopeValue;

struct EnvListener : LoggingListener {
  std::vector<Env> got;
  void OnHfcCtrlPtrValueChanged(CHfcControl*, void* v) override {
    got.push_back(*static_cast<Env*>(v));
    log.push_back("point");
  }
};

// 3 points, 105 x 55 at (40, 30), handles of 5, levels and times 0..100.
struct EnvFixture {
  CtrlScene scene;
  EnvListener listener;
  CHfcCtrlEnvelopeGraph graph;
  EnvFixture() {
    tagHfcCtrlEnvelopeGraphParam p;
    p.x = 40;
    p.y = 30;
    p.width = 105;
    p.height = 55;
    p.points = 3;
    p.maximum = 100;
    EXPECT_TRUE(graph.Create(&p, 1, 0));
    graph.SetListener(&listener);
    scene.Add(&graph);
    const Env values[] = {{0, 0, 0}, {1, 100, 100}, {2, 50, 50}};
    graph.SetEnvelopeAllValue(values, true);
  }
};

TEST(CHfcCtrlEnvelopeGraph, PointPositionsFromLevelsAndTimes) {
  EnvFixture f;
  const tagHfcPoint expected[] = {{2, 52}, {52, 2}, {77, 27}};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(f.graph.GetPointPosition(i).x, expected[i].x) << i;
    EXPECT_EQ(f.graph.GetPointPosition(i).y, expected[i].y) << i;
  }
  // The polyline runs through them, offset by the creation position.
  RecordingContext dc(400, 300);
  f.graph.Draw(&dc);
  const auto lines = dc.Lines(0xFF000000);
  ASSERT_GE(lines.size(), 2u);
  EXPECT_FLOAT_EQ(lines[0].x, 40 + 52.0f);
  EXPECT_FLOAT_EQ(lines[0].y, 30 + 2.0f);
  EXPECT_FLOAT_EQ(lines[1].x, 40 + 77.0f);
  EXPECT_FLOAT_EQ(lines[1].y, 30 + 27.0f);
  // Values read back; invalid indexes change nothing.
  Env v{};
  EXPECT_TRUE(f.graph.GetEnvelopeValue(&v, 2));
  EXPECT_EQ(v.level, 50);
  EXPECT_FALSE(f.graph.GetEnvelopeValue(&v, 3));
  const Env bad{3, 7, 7};
  f.graph.SetPtrValue(const_cast<Env*>(&bad), true);
  Env all[3] = {{9, 0, 0}, {9, 0, 0}, {9, 0, 0}};
  EXPECT_TRUE(f.graph.GetEnvelopeAllValue(all));
  EXPECT_EQ(all[1].level, 100);
  EXPECT_EQ(all[2].time, 50);
  EXPECT_EQ(all[0].index, 9);  // index fields are left alone
}

TEST(CHfcCtrlEnvelopeGraph, DraggingAPointReportsLevelAndTime) {
  EnvFixture f;
  f.scene.Press(40 + 52, 30 + 3);
  EXPECT_EQ(f.graph.GetSelectedPoint(), 1);
  EXPECT_EQ(f.listener.log, (Log{"begin", "point"}));
  EXPECT_EQ(f.listener.got.back().level, 100);
  EXPECT_EQ(f.listener.got.back().time, 100);
  // To (27, 27): level 100 - 25 x 100 / 50 = 50, time 25 x 100 / 50 = 50.
  f.scene.Drag(40 + 27, 30 + 27);
  EXPECT_EQ(f.listener.got.back().index, 1);
  EXPECT_EQ(f.listener.got.back().level, 50);
  EXPECT_EQ(f.listener.got.back().time, 50);
  // Above the graph: the maximum level; left of the previous point: time 0.
  f.scene.Drag(40 - 30, 30 - 40);
  EXPECT_EQ(f.listener.got.back().level, 100);
  EXPECT_EQ(f.listener.got.back().time, 0);
  // The control keeps its own values until the listener writes them back.
  EXPECT_EQ(f.graph.GetPointPosition(1).x, 52);
  f.listener.log.clear();
  f.scene.Release(40 - 30, 30 - 40);
  EXPECT_EQ(f.listener.log, (Log{"point", "end"}));
  EXPECT_EQ(f.listener.got.back().level, 100);  // the stored values
  EXPECT_EQ(f.graph.GetSelectedPoint(), CHfcCtrlEnvelopeGraph::kNoPoint);
  // A press away from every handle is not taken.
  f.listener.log.clear();
  f.scene.Press(40 + 30, 30 + 40);
  f.scene.Release(40 + 30, 30 + 40);
  EXPECT_TRUE(f.listener.log.empty());
}

TEST(CHfcCtrlEnvelopeGraph, OverlappingHandlesGiveTheHigherIndex) {
  EnvFixture f;
  const Env same[] = {{0, 0, 0}, {1, 50, 50}, {2, 50, 0}};
  f.graph.SetEnvelopeAllValue(same, true);
  EXPECT_EQ(f.graph.GetPointPosition(1).x, f.graph.GetPointPosition(2).x);
  const tagHfcPoint p = f.graph.GetPointPosition(1);
  EXPECT_EQ(f.graph.GetPointNumberFromPosition(&p), 2);
  f.scene.Press(40 + p.x, 30 + p.y);
  EXPECT_EQ(f.listener.got.back().index, 2);
  f.scene.Release(40 + p.x, 30 + p.y);
}

TEST(CHfcCtrlEnvelopeGraph, CreationRefusesWhatThePositionsWouldDivideBy) {
  struct Case {
    int width, height, points, handle, maximum;
    bool made;
  };
  const Case cases[] = {
      {105, 55, 3, 5, 100, true}, {0, 55, 3, 5, 100, false}, {105, -1, 3, 5, 100, false},
      {105, 55, 1, 5, 100, false}, {105, 55, 3, 5, 0, false}, {105, 5, 3, 5, 100, false},
      {6, 55, 3, 5, 100, false},   {7, 55, 3, 5, 100, true},
  };
  for (const Case& c : cases) {
    CHfcCtrlEnvelopeGraph g;
    tagHfcCtrlEnvelopeGraphParam p;
    p.width = c.width;
    p.height = c.height;
    p.points = c.points;
    p.handleSize = c.handle;
    p.maximum = c.maximum;
    EXPECT_EQ(g.Create(&p, 1, 0), c.made) << c.width << " " << c.height << " " << c.points << " " << c.maximum;
  }
}

// ---- Amount knob ----

constexpr float kRad = 0.017453292f;

struct AmtFixture {
  std::unique_ptr<CHfcBmp> strip = CodedStrip(30, 30, 64);
  CHfcCtrlAmtKnob knob;
  bool made = false;
  AmtFixture(int lo, int hi) {
    tagHfcCtrlAmtKnobParam p{};
    static_cast<tagHfcCtrlKnobParam&>(p) = {10, 10, 0, 0, strip.get(), nullptr, 0, 0, 64, 0, lo, hi, 1};
    p.marginX = 3;
    p.marginY = 4;
    p.rangeColour = 0xFF404040;
    p.amountColour = 0xFF00CFFF;
    made = knob.Create(&p, 1, 0);
    knob.Show(false);
  }
};

TEST(CHfcCtrlAmtKnob, ArcsSpanThreeHundredDegreesFromLowerLeft) {
  AmtFixture f(0, 100);
  ASSERT_TRUE(f.made);
  EXPECT_EQ(f.knob.GetWidth(), 30 + 6);
  EXPECT_EQ(f.knob.GetHeight(), 30 + 8);
  CHfcCtrlAmtKnob::tagAmtValue a{3, 75};
  f.knob.SetPtrValue(&a, true);
  struct Case {
    int amountStart, amountEnd;
    float start, sweep;  // degrees
  };
  const Case cases[] = {{50, 75, 90.0f, 75.0f}, {75, 50, 15.0f, -75.0f}};
  for (const Case& c : cases) {
    CHfcCtrlAmtKnob::tagAmtValue s{1, c.amountStart}, e{3, c.amountEnd};
    f.knob.SetPtrValue(&s, true);
    f.knob.SetPtrValue(&e, true);
    RecordingContext dc(200, 200);
    f.knob.Draw(&dc);
    ASSERT_EQ(dc.arcs.size(), 2u);
    // The range arc: the whole travel, 240 to -60 degrees.
    EXPECT_NEAR(dc.arcs[0].start, 240.0f * kRad, 1e-5);
    EXPECT_NEAR(dc.arcs[0].sweep, 300.0f * kRad, 1e-5);
    EXPECT_EQ(dc.arcs[0].colour, 0xFF404040u);
    EXPECT_NEAR(dc.arcs[1].start, c.start * kRad, 1e-5);
    EXPECT_NEAR(dc.arcs[1].sweep, c.sweep * kRad, 1e-5);
    EXPECT_EQ(dc.arcs[1].colour, 0xFF00CFFFu);
    EXPECT_FLOAT_EQ(dc.arcs[1].penWidth, 6.0f);
    EXPECT_FLOAT_EQ(dc.arcs[1].r, 15.0f);
    EXPECT_FLOAT_EQ(dc.arcs[1].cx, (10 + 46 - 1) * 0.5f);
  }
  // Which 4 is nothing and asks for no redraw.
  f.knob.SetDirty(false);
  CHfcCtrlAmtKnob::tagAmtValue four{4, 10};
  f.knob.SetPtrValue(&four, true);
  EXPECT_FALSE(f.knob.IsDirty());
  CHfcCtrlAmtKnob::tagAmtValue same{3, 50};
  f.knob.SetPtrValue(&same, true);
  EXPECT_FALSE(f.knob.IsDirty());
}

TEST(CHfcCtrlAmtKnob, FrameOfTheValueFromTheMinimum) {
  struct Case {
    int lo, hi, value, frame;
  };
  const Case cases[] = {{0, 127, 127, 63}, {0, 127, 0, 0}, {0, 127, 64, 32}, {20, 147, 20, 0}, {20, 147, 147, 63}};
  for (const Case& c : cases) {
    AmtFixture f(c.lo, c.hi);
    ASSERT_TRUE(f.made);
    f.knob.SetIntValue(c.value, false);
    EXPECT_EQ(f.knob.AmtFrameIndex(), c.frame) << c.lo << " " << c.value;
    EXPECT_FLOAT_EQ(f.knob.ValueAngle(c.lo), 240.0f);
    EXPECT_EQ(f.knob.GetArcValue(0), c.lo);
    EXPECT_EQ(f.knob.GetArcValue(1), (c.lo + c.hi) / 2);
  }
  for (auto [lo, hi] : {std::pair{5, 5}, std::pair{10, 0}}) {
    AmtFixture f(lo, hi);
    EXPECT_FALSE(f.made) << lo << " " << hi;
  }
}

TEST(CHfcCtrlAmtKnob, ShowsTheFrameOverTheArcs) {
  CtrlScene scene;
  AmtFixture f(0, 127);
  ASSERT_TRUE(f.made);
  f.knob.SetIntValue(127, true);
  scene.Add(&f.knob);
  scene.Present();
  EXPECT_EQ(FrameOf(scene.Pixel(10 + 3 + 15, 10 + 4 + 15)), 63);
}

// ---- Vertical meter ----

struct MeterFixture {
  CtrlScene scene;
  std::unique_ptr<CHfcBmp> bar = CodedStrip(100, 8, 1);
  CHfcCtrlVerticalVuMeter meter;
  explicit MeterFixture(int hold = 0) {
    tagHfcCtrlVerticalVuMeterParam p;
    p.x = 20;
    p.y = 40;
    p.width = p.height = 0;
    p.bar = bar.get();
    p.peakHold = hold;
    EXPECT_TRUE(meter.Create(&p, 1, 0));
    scene.Add(&meter);
  }
  int LitColumns() {
    scene.Present();
    int lit = 0;
    while (lit < 100 && FrameOf(scene.Pixel(20 + lit, 44)) == 0) ++lit;
    return lit;
  }
};

TEST(CHfcCtrlVerticalVuMeter, DecibelLevelsLightTheirColumns) {
  struct Case {
    float amplitude;
    int pixels;
  };
  const Case cases[] = {{0.5f, 89}, {1.0f, 100}, {0.001f, 0}, {0.0f, 0}};
  for (const Case& c : cases) {
    MeterFixture m;
    m.meter.SetFloatValue(c.amplitude, true);
    EXPECT_EQ(m.LitColumns(), c.pixels) << c.amplitude;
  }
  MeterFixture f;
  f.meter.SetFloatValue(0.5f, true);
  EXPECT_NEAR(f.meter.GetFloatValue(), -6.0206f, 1e-3);
  // A lower level leaves it; 16 ms of idle at 3000 units a second lower
  // it by 48.
  f.meter.SetFloatValue(0.1f, true);
  EXPECT_NEAR(f.meter.GetFloatValue(), -6.0206f, 1e-3);
  f.meter.OnIdle(16);
  EXPECT_NEAR(f.meter.GetFloatValue(), -54.0206f, 1e-3);
  f.meter.OnIdle(16);
  EXPECT_FLOAT_EQ(f.meter.GetFloatValue(), -60.0f);
  // No hold time: no peak marker.
  EXPECT_EQ(f.LitColumns(), 0);
  EXPECT_EQ(FrameOf(f.scene.Pixel(20 + 88, 44)), -1);
}

TEST(CHfcCtrlVerticalVuMeter, PeakMarkerStaysForTheHoldTime) {
  MeterFixture f(100);
  f.meter.SetFloatValue(0.5f, true);
  f.meter.OnIdle(50);
  f.scene.Present();
  EXPECT_EQ(FrameOf(f.scene.Pixel(20 + 88, 44)), 0);  // the marker column
  EXPECT_EQ(FrameOf(f.scene.Pixel(20 + 87, 44)), -1);
  f.meter.OnIdle(50);
  EXPECT_EQ(f.meter.GetPeakHoldLeft(), 0);
  f.scene.Present();
  EXPECT_EQ(FrameOf(f.scene.Pixel(20 + 88, 44)), -1);
  // Presses never change the level.
  LoggingListener listener;
  f.meter.SetListener(&listener);
  f.scene.Press(25, 44);
  f.scene.Release(25, 44);
  EXPECT_EQ(listener.log, (Log{"begin", "end"}));
}

TEST(CHfcCtrlVerticalVuMeter, CreationRefusesEmptyScalesAndFrames) {
  auto bar = CodedStrip(100, 8, 1);
  auto empty = std::make_unique<CHfcBmp>();
  struct Case {
    float lo, hi;
    CHfcBmp* bmp;
    bool made;
  };
  const Case cases[] = {{-60, 0, bar.get(), true}, {-60, -60, bar.get(), false}, {0, -60, bar.get(), false},
                        {-60, 0, nullptr, false},  {-60, 0, empty.get(), false}};
  for (const Case& c : cases) {
    CHfcCtrlVerticalVuMeter m;
    tagHfcCtrlVerticalVuMeterParam p;
    p.width = p.height = 0;
    p.bar = c.bmp;
    p.minimum = c.lo;
    p.maximum = c.hi;
    EXPECT_EQ(m.Create(&p, 1, 0), c.made) << c.lo << " " << c.hi;
  }
}

// ---- Vertical fader ----

// A 20 x 130 fader at (100, 20): thumb 20 x 10, track top 10, track 109,
// so the thumb travels T = 99 pixels.
struct FaderFixture {
  CtrlScene scene;
  std::unique_ptr<CHfcBmp> thumb = CodedStrip(20, 10, 1);
  LoggingListener listener;
  CHfcCtrlVerticalFader fader;
  FaderFixture(int lo, int hi) {
    tagHfcCtrlVerticalFaderParam p;
    p.x = 100;
    p.y = 20;
    p.width = 30;
    p.height = 130;
    p.thumb = thumb.get();
    p.thumbX = 5;
    p.trackTop = 10;
    p.trackLength = 109;
    p.minimum = lo;
    p.maximum = hi;
    EXPECT_TRUE(fader.Create(&p, 1, 0));
    fader.SetListener(&listener);
    scene.Add(&fader);
  }
  int ThumbTop() const { return 20 + 10 + fader.GetThumbOffset(); }
};

TEST(CHfcCtrlVerticalFader, ThumbOffsetsOfValues) {
  FaderFixture f(0, 127);
  const std::pair<int, int> cases[] = {{0, 99}, {127, 0}, {64, 49}, {500, 0}, {-4, 99}};
  for (auto [value, offset] : cases) {
    f.fader.SetIntValue(value, true);
    EXPECT_EQ(f.fader.GetThumbOffset(), offset) << value;
  }
  f.fader.SetIntValue(64, true);
  f.scene.Present();
  EXPECT_EQ(FrameOf(f.scene.Pixel(110, f.ThumbTop() + 5)), 0);
  EXPECT_EQ(FrameOf(f.scene.Pixel(110, f.ThumbTop() - 2)), -1);
}

TEST(CHfcCtrlVerticalFader, GrabDragAndFineSteps) {
  struct Case {
    int mods, dy;
    int reported;
  };
  const Case cases[] = {{0, -1, 1128}, {1, -1, 1016}, {0, 400, 0}};
  for (const Case& c : cases) {
    FaderFixture f(0, 16383);
    f.fader.SetIntValue(1000, true);
    const int y = f.ThumbTop() + 4;
    f.scene.Press(110, y);
    EXPECT_EQ(f.listener.log, (Log{"begin", "value 1000"}));  // a grab keeps the value
    f.scene.Drag(110, y + c.dy, c.mods);
    EXPECT_EQ(f.listener.log.back(), "value " + std::to_string(c.reported)) << c.mods << " " << c.dy;
    EXPECT_EQ(f.fader.GetIntValue(), 1000);  // the listener sets it
    f.scene.Release(110, y + c.dy);
    EXPECT_EQ(f.listener.log.back(), "end");
    EXPECT_FALSE(f.fader.IsDragging());
  }
}

TEST(CHfcCtrlVerticalFader, JumpsFromTheMinimumAndIgnoresPressesBesideTheColumn) {
  FaderFixture f(100, 227);
  // Beside the thumb column: nothing reported, no drag, yet the release
  // still ends the edit.
  f.scene.Press(102, 80);
  f.scene.Drag(102, 60);
  EXPECT_TRUE(f.listener.log.empty());
  f.scene.Release(102, 60);
  EXPECT_EQ(f.listener.log, (Log{"end"}));
  f.listener.log.clear();
  // The thumb's centre under the pointer at the top of the travel is the
  // maximum, at the bottom the minimum.
  f.scene.Press(110, 20 + 10 + 5);
  EXPECT_EQ(f.listener.log, (Log{"begin", "value 227"}));
  f.scene.Release(110, 20 + 10 + 5);
  f.listener.log.clear();
  f.fader.SetIntValue(227, true);
  f.scene.Press(110, 20 + 10 + 99 + 5);
  EXPECT_EQ(f.listener.log, (Log{"begin", "value 100"}));
  f.scene.Release(110, 20 + 10 + 99 + 5);
}

TEST(CHfcCtrlVerticalFader, CreationRefusesEmptyRangesTracksAndFrames) {
  auto thumb = CodedStrip(20, 10, 1);
  struct Case {
    int lo, hi, width, trackLength;
    bool made;
  };
  const Case cases[] = {{0, 127, 30, 109, true}, {5, 5, 30, 109, false}, {0, 127, 0, 109, false},
                        {0, 127, 30, 10, false}, {0, 127, 30, 11, true}};
  for (const Case& c : cases) {
    CHfcCtrlVerticalFader fader;
    tagHfcCtrlVerticalFaderParam p;
    p.width = c.width;
    p.height = 130;
    p.thumb = thumb.get();
    p.trackLength = c.trackLength;
    p.minimum = c.lo;
    p.maximum = c.hi;
    EXPECT_EQ(fader.Create(&p, 1, 0), c.made) << c.lo << " " << c.hi << " " << c.width << " " << c.trackLength;
  }
}

}  // namespace
