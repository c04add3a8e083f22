#include "editor/controls/ZubZoneSlopeBar.h"

#include <gtest/gtest.h>

#include "tests/editor/controls/GraphFixture.h"

namespace {

using graphtest::GraphFixture;
using graphtest::GraphListener;
using Strings = std::vector<std::string>;

constexpr uint32_t kInside = 0xFF003983;
constexpr uint32_t kOutside = 0xFFDB0330;

class ZoneSlopeBar : public GraphFixture {
 protected:
  // The listener outlives the control.
  GraphListener listener{2};
  ZubZoneSlopeBar bar;

  tagKvxCtrlZoneSlopeBarParam Param(int minimum = 0, int maximum = 127) {
    tagKvxCtrlZoneSlopeBarParam p{};
    p.x = 20;
    p.y = 40;
    p.background = Skin("ZoneSlopeBarBack");
    p.zone = Skin("ZoneBar");
    p.slope = Skin("SlopeBar");
    p.insideColor = kInside;
    p.outsideColor = kOutside;
    p.minimum = minimum;
    p.maximum = maximum;
    p.dragScale = 10.0f;
    return p;
  }
  void Make(int minimum = 0, int maximum = 127) {
    tagKvxCtrlZoneSlopeBarParam p = Param(minimum, maximum);
    ASSERT_TRUE(bar.Create(&p, 5, 0));
    Place(bar, &listener);
  }
  void Zone(int zmin, int zmax, int smin, int smax) {
    bar.SetParameter(ZubZoneSlopeBar::kIdZoneMin, zmin, true);
    bar.SetParameter(ZubZoneSlopeBar::kIdZoneMax, zmax, true);
    bar.SetParameter(ZubZoneSlopeBar::kIdSlopeMin, smin, true);
    bar.SetParameter(ZubZoneSlopeBar::kIdSlopeMax, smax, true);
  }
};

TEST_F(ZoneSlopeBar, PointerPlaceGivesTheValueUnderIt) {
  Make();
  EXPECT_EQ(bar.GetParam().barWidth, 128);
  struct Case {
    int x;
    int value;
  };
  const Case cases[] = {{64, 64}, {0, 0}, {-1, 0}, {-40, 0}, {127, 127}, {128, 127}, {500, 127}, {1, 1}};
  for (const Case& c : cases) EXPECT_EQ(bar.GetValueOnTheBar(c.x), c.value) << c.x;
}

TEST_F(ZoneSlopeBar, CreateRefusesWhatItCannotMeasure) {
  ZubZoneSlopeBar b;
  EXPECT_FALSE(b.Create(nullptr, 1, 0));
  EXPECT_FALSE(b.IsCreated());
  tagKvxCtrlZoneSlopeBarParam p = Param();
  p.zone = nullptr;  // no bar size to take
  EXPECT_FALSE(b.Create(&p, 1, 0));
  p = Param(10, 5);
  EXPECT_FALSE(b.Create(&p, 1, 0));
  p = Param();
  ASSERT_TRUE(b.Create(&p, 1, 0));
  EXPECT_EQ(b.GetWidth(), 128);
  EXPECT_EQ(b.GetHeight(), 14);
  EXPECT_EQ(b.GetZoneMin(), 0);
  EXPECT_EQ(b.GetSlopeMax(), 127);
}

TEST_F(ZoneSlopeBar, SettersClampAndIgnoreWhatIsOutside) {
  Make();
  Zone(-5, 300, 10, 20);
  EXPECT_EQ(bar.GetZoneMin(), 0);
  EXPECT_EQ(bar.GetZoneMax(), 127);
  bar.SetParameter(ZubZoneSlopeBar::kIdNeedleOn, 128, true);
  bar.SetParameter(ZubZoneSlopeBar::kIdNeedleOn, 7, true);
  bar.SetParameter(ZubZoneSlopeBar::kIdNeedleOff, 8, true);
  bar.SetParameter(7, 3, true);
  EXPECT_EQ(bar.GetNeedle(7), 1);
  EXPECT_EQ(bar.GetNeedle(8), -1);
  EXPECT_EQ(bar.GetNeedle(128), 0);
  tagZoneSlopeBarValue clear{ZubZoneSlopeBar::kIdClearNeedles, 0};
  bar.SetPtrValue(&clear, true);
  EXPECT_EQ(bar.GetNeedle(7), 0);
  EXPECT_EQ(bar.GetNeedle(8), 0);
}

TEST_F(ZoneSlopeBar, PressPicksTheHandleNearestInItsOrder) {
  struct Case {
    int zmin, zmax, smin, smax, px;
    const char* report;
  };
  const Case cases[] = {
      {30, 90, 50, 70, 90, "1,90"},   {30, 90, 50, 70, 31, "0,31"},  {30, 90, 50, 70, 71, "3,71"},
      {30, 90, 50, 70, 48, "2,48"},   {30, 90, 50, 70, 100, "1,100"}, {30, 90, 50, 70, 12, "0,12"},
      {30, 90, 50, 70, 61, "1,61"},   {30, 90, 50, 70, 59, "0,59"},  {60, 60, 60, 60, 60, "1,60"},
      {60, 62, 60, 62, 60, "1,60"},
  };
  Make();
  for (const Case& c : cases) {
    Zone(c.zmin, c.zmax, c.smin, c.smax);
    listener.log.clear();
    Press(20 + c.px, 45);
    Release(20 + c.px, 45);
    EXPECT_EQ(listener.Values(), Strings{c.report}) << c.px;
  }
}

// A drag reports the value under way, past the ends too; the parameter
// keeps its own range.
TEST_F(ZoneSlopeBar, DraggedValuesRunPastTheEnds) {
  Make();
  Zone(30, 90, 50, 70);
  Press(20 + 90, 45);
  // The first step starts the drag clock and barely moves.
  Drag(20 + 91, 45);
  Drag(20 + 101, 45);
  Drag(20 + 400, 45);
  Drag(20 + 300, 45);
  Drag(-10, 45);
  Release(-10, 45);
  const Strings values = listener.Values();
  ASSERT_GE(values.size(), 4u);
  EXPECT_EQ(values[0], "1,90");
  EXPECT_EQ(values[1], "1,100");
  EXPECT_EQ(values[2], "1,399");
  EXPECT_EQ(values.back(), "1,-30");
  EXPECT_EQ(bar.GetHeldHandle(), 0);
}

TEST_F(ZoneSlopeBar, NeedlesAreColouredByTheirValueAgainstTheZone) {
  // 128 values from 10: the needle of value 45 sits 35 pixels in.
  Make(10, 137);
  Zone(40, 60, 40, 60);
  bar.SetParameter(ZubZoneSlopeBar::kIdNeedleOn, 45, true);
  bar.SetParameter(ZubZoneSlopeBar::kIdNeedleOn, 100, true);
  bar.SetParameter(ZubZoneSlopeBar::kIdNeedleOff, 110, true);
  Draw(bar);
  EXPECT_EQ(Pixel(20 + 35, 45), kInside);
  EXPECT_EQ(Pixel(20 + 90, 45), kOutside);
  EXPECT_NE(Pixel(20 + 100, 45), kOutside);
}

TEST_F(ZoneSlopeBar, AZoneTurnedInsideOutIsNotDrawn) {
  Make();
  CHfcBmp* back = Skin("ZoneSlopeBarBack");
  Zone(80, 20, 80, 20);
  Draw(bar);
  for (int x : {10, 50, 100}) EXPECT_EQ(Pixel(20 + x, 45), back->GetPixel(x, 5)) << x;
  Zone(20, 80, 90, 10);
  Draw(bar);
  EXPECT_NE(Pixel(20 + 50, 45), back->GetPixel(50, 5));
}

TEST_F(ZoneSlopeBar, DoubleClickOnTheBarGoesToTheListener) {
  struct DoubleClicks : GraphListener {
    DoubleClicks() : GraphListener(2) {}
    int count = 0;
    bool OnHfcCtrlMouseLButtonDoubleClick(CHfcControl*, int, int, int) override {
      ++count;
      return true;
    }
  } doubles;
  Make();
  bar.SetListener(&doubles);
  Press(20 + 50, 45);
  Release(20 + 50, 45);
  Mouse(os::MouseEvent::Kind::kDown, 20 + 50, 45, 0, 2);
  Release(20 + 50, 45);
  EXPECT_EQ(doubles.count, 1);
  // The single press moved the nearer zone end; the double click reported
  // nothing more.
  EXPECT_EQ(doubles.Values(), Strings{"0,50"});
  bar.SetListener(&listener);
}

TEST_F(ZoneSlopeBar, DisabledBarShowsOnlyItsBackground) {
  Make();
  bar.Disable(true);
  Draw(bar);
  EXPECT_EQ(Pixel(20 + 50, 45), Skin("ZoneSlopeBarBack")->GetPixel(50, 5));
  Press(20 + 50, 45);
  Release(20 + 50, 45);
  EXPECT_TRUE(listener.log.empty());
}

}  // namespace
