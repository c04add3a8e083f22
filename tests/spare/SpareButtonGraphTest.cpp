#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <vector>

#include "spare/CHfcCtrlBitmapList.h"
#include "spare/CHfcCtrlButton.h"
#include "spare/CHfcCtrlEqGraph.h"
#include "tests/hfc/HfcCtrlScene.h"
#include "tests/spare/SpareRecordingContext.h"

namespace {

using hfctest::CodedStrip;
using hfctest::CtrlScene;
using hfctest::FrameOf;
using hfctest::Log;
using hfctest::LoggingListener;
using sparetest::RecordingContext;

// A 2-value button, 20 x 80 strip with height left to the picture, at (30, 30).
struct ButtonFixture {
  CtrlScene scene;
  std::unique_ptr<CHfcBmp> strip = CodedStrip(20, 20, 4);
  LoggingListener listener;
  CHfcCtrlButton button;
  ButtonFixture() {
    tagHfcCtrlButtonParam p;
    p.x = 30;
    p.y = 30;
    p.button = strip.get();
    p.values = 2;
    EXPECT_TRUE(button.Create(&p, 1, 0));
    button.SetListener(&listener);
    scene.Add(&button);
    scene.Present();
  }
  int Shown() {
    scene.Present();
    return FrameOf(scene.Pixel(40, 40));
  }
};

TEST(CHfcCtrlButton, PressedRowOfTheValueAndAClickReleasedInside) {
  ButtonFixture f;
  EXPECT_EQ(f.button.GetWidth(), 20);
  EXPECT_EQ(f.button.GetHeight(), 20);
  f.button.SetIntValue(1, true);
  EXPECT_EQ(f.Shown(), 2);
  f.scene.Press(40, 40);
  EXPECT_TRUE(f.button.IsPressed());
  EXPECT_EQ(f.Shown(), 3);  // rows 60 to 79
  EXPECT_TRUE(f.listener.log.empty());
  f.scene.Release(40, 40);
  EXPECT_EQ(f.listener.log, (Log{"value 1"}));
  EXPECT_EQ(f.button.GetIntValue(), 1);
  EXPECT_EQ(f.Shown(), 2);
}

TEST(CHfcCtrlButton, DraggingOutDisarmsAndBackInRearms) {
  ButtonFixture f;
  f.scene.Press(40, 40);
  f.scene.Drag(70, 40);
  EXPECT_FALSE(f.button.IsPressed());
  EXPECT_EQ(f.Shown(), 0);
  f.scene.Release(70, 40);
  EXPECT_TRUE(f.listener.log.empty());
  EXPECT_EQ(f.Shown(), 0);
  // Out and back in before the release: the click counts.
  f.scene.Press(40, 40);
  f.scene.Drag(10, 40);
  f.scene.Drag(45, 45);
  EXPECT_EQ(f.Shown(), 1);
  f.scene.Release(45, 45);
  EXPECT_EQ(f.listener.log, (Log{"value 0"}));
}

TEST(CHfcCtrlButton, ValuesAreLimitedToTheCount) {
  auto strip = CodedStrip(20, 10, 6);
  CHfcCtrlButton button;
  tagHfcCtrlButtonParam p;
  p.button = strip.get();
  p.values = 3;
  EXPECT_FALSE(button.Create(nullptr, 1, 0));
  ASSERT_TRUE(button.Create(&p, 1, 0));
  const std::pair<int, int> cases[] = {{-5, 0}, {9, 2}, {1, 1}, {2, 2}};
  for (auto [in, out] : cases) {
    button.SetIntValue(in, false);
    EXPECT_EQ(button.GetIntValue(), out) << in;
  }
  // No values at all would leave no row to show and no value to clamp to.
  CHfcCtrlButton none;
  p.values = 0;
  EXPECT_FALSE(none.Create(&p, 1, 0));
}

TEST(CHfcCtrlButton, DisabledDrawsAtHalfOpacityWithoutTheFocusMark) {
  ButtonFixture f;
  f.button.SetFocus(0);
  ASSERT_TRUE(f.button.IsFocused());
  const uint32_t focus = f.button.GetFocusColor();
  RecordingContext enabled(400, 300);
  f.button.Draw(&enabled);
  EXPECT_FALSE(enabled.Lines(focus).empty());
  for (const auto& b : enabled.alphaBlits) EXPECT_FLOAT_EQ(b.alpha, 1.0f);
  EXPECT_EQ(enabled.Pixel(40, 40), hfctest::FrameColour(0));

  f.button.Disable(false);
  RecordingContext disabled(400, 300);
  f.button.Draw(&disabled);
  EXPECT_TRUE(disabled.Lines(focus).empty());
  ASSERT_FALSE(disabled.alphaBlits.empty());
  EXPECT_FLOAT_EQ(disabled.alphaBlits.back().alpha, 0.5f);
  EXPECT_NEAR(static_cast<int>(disabled.Pixel(40, 40) >> 24), 0x80, 1);
}

TEST(CHfcCtrlBitmapList, ShowsTheItemOfItsClampedValue) {
  CtrlScene scene;
  auto strip = CodedStrip(16, 12, 3);
  CHfcCtrlBitmapList list;
  tagHfcCtrlBitmapListParam p;
  p.x = 50;
  p.y = 50;
  p.items = strip.get();
  p.itemCount = 3;
  ASSERT_TRUE(list.Create(&p, 1, 0));
  EXPECT_EQ(list.GetHeight(), 12);
  scene.Add(&list);
  const std::pair<int, int> cases[] = {{1, 1}, {7, 2}, {-3, 0}};
  for (auto [in, out] : cases) {
    list.SetIntValue(in, true);
    scene.Present();
    EXPECT_EQ(FrameOf(scene.Pixel(55, 55)), out) << in;
  }
  CHfcCtrlBitmapList empty;
  p.itemCount = 0;
  EXPECT_FALSE(empty.Create(&p, 1, 0));
}

// ---- The EQ graph ----

using Band = CHfcCtrlEqGraph::tagEqBandValue;

struct EqListener : LoggingListener {
  std::vector<Band> got;
  void OnHfcCtrlPtrValueChanged(CHfcControl*, void* v) override { got.push_back(*static_cast<Band*>(v)); }
};

// A peaking section as the usual audio-filter recipes design it.
struct Peaking {
  double b0, b1, b2, a1, a2;
  Peaking(double f0, double gainDb, double q, double fs) {
    const double a = std::pow(10.0, gainDb / 40.0);
    const double w0 = 2.0 * M_PI * f0 / fs;
    const double alpha = std::sin(w0) / (2.0 * q);
    const double a0 = 1.0 + alpha / a;
    b0 = (1.0 + alpha * a) / a0;
    b1 = -2.0 * std::cos(w0) / a0;
    b2 = (1.0 - alpha * a) / a0;
    a1 = -2.0 * std::cos(w0) / a0;
    a2 = (1.0 - alpha / a) / a0;
  }
  double ResponseDb(double f, double fs) const {
    const std::complex<double> z1 = std::polar(1.0, -2.0 * M_PI * f / fs);
    const std::complex<double> h = (b0 + b1 * z1 + b2 * z1 * z1) / (1.0 + a1 * z1 + a2 * z1 * z1);
    return 20.0 * std::log10(std::abs(h));
  }
  Band Coefficients(int band) const {
    return {3, band,
            {static_cast<float>(b0), static_cast<float>(b1), static_cast<float>(b2), static_cast<float>(a1),
             static_cast<float>(a2)}};
  }
};

// A 120 x 60 graph at (20, 20) over 16 Hz .. 24 kHz and -18 .. 18 dB.
struct EqFixture {
  CtrlScene scene;
  EqListener listener;
  CHfcCtrlEqGraph graph;
  explicit EqFixture(int bands = 2) {
    tagHfcCtrlEqGraphParam p;
    p.x = 20;
    p.y = 20;
    p.height = 60;
    p.bands = bands;
    EXPECT_TRUE(graph.Create(&p, 1, 0));
    graph.SetListener(&listener);
    scene.Add(&graph);
  }
  void Set(Band v) { graph.SetPtrValue(&v, true); }
};

TEST(CHfcCtrlEqGraph, FlatBandsDrawAStraightLineAtHalfHeightUpToNyquist) {
  EqFixture f;
  RecordingContext dc(400, 300);
  f.graph.Draw(&dc);
  const std::vector<sparetest::Stroke> curve = dc.Lines(0xFF7F7F7F);
  ASSERT_FALSE(curve.empty());
  for (const auto& s : curve) EXPECT_FLOAT_EQ(s.y, 20 + 30.0f);
  // 22050 Hz lies at column 120 x log(22050 / 16) / log(24000 / 16) =
  // 118.6: column 119 reaches it, so the curve ends at column 118.
  EXPECT_FLOAT_EQ(curve.back().x, 20 + 118.0f);
  EXPECT_EQ(curve.size(), 118u);
}

TEST(CHfcCtrlEqGraph, ResponseMatchesADoublePrecisionReference) {
  EqFixture f;
  const Peaking boost(1000.0, 12.0, 1.4, 44100.0);
  const Peaking cut(6000.0, -6.0, 0.7, 44100.0);
  f.Set(boost.Coefficients(0));
  f.Set(cut.Coefficients(1));
  for (double hz : {50.0, 400.0, 1000.0, 2500.0, 6000.0, 15000.0}) {
    const double expected = boost.ResponseDb(hz, 44100.0) + cut.ResponseDb(hz, 44100.0);
    EXPECT_NEAR(f.graph.GetGain(static_cast<float>(hz), false), expected, 0.01) << hz;
  }
  EXPECT_NEAR(f.graph.GetGain(1000.0f, false), 12.0 + cut.ResponseDb(1000.0, 44100.0), 0.01);
  // The shown range clips only when asked.
  const Peaking big(1000.0, 30.0, 1.0, 44100.0);
  f.Set(big.Coefficients(0));
  f.Set({3, 1, {1, 0, 0, 0, 0}});
  EXPECT_NEAR(f.graph.GetGain(1000.0f, false), 30.0, 0.01);
  EXPECT_FLOAT_EQ(f.graph.GetGain(1000.0f, true), 18.0f);
  // A sample rate change moves the same coefficients' peak.
  f.Set({4, 0, {48000.0f}});
  EXPECT_NEAR(f.graph.GetGain(1000.0f * 48000.0f / 44100.0f, false), 30.0, 0.01);
}

TEST(CHfcCtrlEqGraph, ValueRecordsApplyOnlyToValidBands) {
  EqFixture f;
  f.Set({4, -1, {48000.0f}});
  EXPECT_FLOAT_EQ(f.graph.GetSampleRate(), 44100.0f);
  f.Set({0, 2, {500.0f}});
  f.Set({6, 0, {500.0f}});
  EXPECT_FLOAT_EQ(f.graph.GetBand(0).frequency, 1000.0f);
  f.Set({0, 0, {500.0f}});
  f.Set({1, 0, {0.7f}});
  f.Set({2, 0, {-3.0f}});
  f.Set({5, 1, {}});
  EXPECT_FLOAT_EQ(f.graph.GetBand(0).frequency, 500.0f);
  EXPECT_FLOAT_EQ(f.graph.GetBand(0).width, 0.7f);
  EXPECT_FLOAT_EQ(f.graph.GetBand(0).gain, -3.0f);
  EXPECT_EQ(f.graph.GetSelectedBand(), 1);
}

TEST(CHfcCtrlEqGraph, NearestHandleWithTiesToTheLowerIndex) {
  EqFixture f(3);
  f.Set({0, 2, {4000.0f}});
  float x = 0, y = 0;
  ASSERT_TRUE(f.graph.GetBandPosition(0, &x, &y));
  EXPECT_FLOAT_EQ(y, 30.0f);
  // Bands 0 and 1 share a handle: the lower index wins.
  EXPECT_EQ(f.graph.GetPositionBand(x + 2, y + 2), 0);
  float x2 = 0;
  f.graph.GetBandPosition(2, &x2, nullptr);
  EXPECT_EQ(f.graph.GetPositionBand(x2 - 1, y), 2);
  EXPECT_EQ(f.graph.GetPositionBand(x, y + 7), -1);  // farther than 6 pixels
  // An undefined response (0 / 0) lies off the axis like one beyond it.
  EXPECT_FLOAT_EQ(f.graph.GetGainPosition(std::nanf("")), -1.0f);
  EXPECT_FLOAT_EQ(f.graph.GetGainPosition(-INFINITY), -1.0f);
}

TEST(CHfcCtrlEqGraph, DraggingAHandleReportsFrequencyGainAndWidth) {
  EqFixture f;
  float hx = 0, hy = 0;
  f.graph.GetBandPosition(0, &hx, &hy);
  const int px = 20 + static_cast<int>(hx), py = 20 + static_cast<int>(hy);
  f.scene.Press(px + 1, py);
  ASSERT_EQ(f.listener.got.size(), 1u);
  EXPECT_EQ(f.listener.got[0].kind, 0);
  EXPECT_EQ(f.listener.got[0].band, 0);
  EXPECT_NEAR(f.listener.got[0].values[0], f.graph.GetPositionFreq(std::trunc(hx) + 1), 0.01f);
  EXPECT_FLOAT_EQ(f.listener.got[0].values[1], 0.0f);
  // Up 10 pixels: +6 dB; with Shift a tenth of that.
  f.scene.Drag(px + 1, py - 10);
  EXPECT_NEAR(f.listener.got.back().values[1], 6.0f, 1e-4);
  f.scene.Drag(px + 1, py - 20, 1);
  EXPECT_NEAR(f.listener.got.back().values[1], 6.6f, 1e-4);
  // Option: the width, from width x 9.5 + 0.5.
  f.scene.Drag(px + 11, py - 20, 4);
  EXPECT_EQ(f.listener.got.back().kind, 1);
  EXPECT_NEAR(f.listener.got.back().values[0], 0.3f * 9.5f + 0.5f + 1.0f, 1e-4);
  // Far above: the drag gain range holds.
  f.scene.Drag(px + 11, py - 400);
  EXPECT_FLOAT_EQ(f.listener.got.back().values[1], 18.0f);
  f.scene.Release(px + 11, py - 400);
  EXPECT_EQ(f.graph.GetDraggedBand(), -1);
  // Nothing under the press: no report.
  const size_t before = f.listener.got.size();
  f.scene.Press(25, 75);
  f.scene.Drag(30, 70);
  f.scene.Release(30, 70);
  EXPECT_EQ(f.listener.got.size(), before);
}

}  // namespace

namespace {

TEST(CHfcCtrlEqGraph, CreationRefusesEmptyAxes) {
  struct Case {
    int bands, width, height;
    float lowFreq, highFreq, lowGain, highGain;
    bool made;
  };
  const Case cases[] = {
      {4, 120, 61, 16, 24000, -18, 18, true},  {0, 120, 61, 16, 24000, -18, 18, false},
      {4, 0, 61, 16, 24000, -18, 18, false},   {4, 120, 0, 16, 24000, -18, 18, false},
      {4, 120, 61, 0, 24000, -18, 18, false},  {4, 120, 61, 100, 100, -18, 18, false},
      {4, 120, 61, 16, 24000, 6, 6, false},
  };
  for (const Case& c : cases) {
    CHfcCtrlEqGraph g;
    tagHfcCtrlEqGraphParam p;
    p.bands = c.bands;
    p.width = c.width;
    p.height = c.height;
    p.shownLowFreq = c.lowFreq;
    p.shownHighFreq = c.highFreq;
    p.shownLowGain = c.lowGain;
    p.shownHighGain = c.highGain;
    EXPECT_EQ(g.Create(&p, 1, 0), c.made) << c.bands << " " << c.width << " " << c.lowFreq << " " << c.lowGain;
  }
}

}  // namespace
