#include "editor/controls/CMMPCtrlScrollBar.h"

#include "tests/editor/controls/SkinnedControlFixture.h"

namespace {

using namespace skinnedtest;

constexpr uint32_t kThumb = 0xFF6178C2u;
constexpr uint32_t kTrack = 0xFF07080Fu;

class ScrollBarTest : public SkinnedControlTest {
 protected:
  // A vertical bar at (100, 20) with 12-pixel switches and a track of
  // `track` pixels: 0..max, page `page`.
  void Make(int max, int page, int track = 100, bool vertical = true) {
    switches = FrameStrip(12, 12, 4);
    const int length = track + 24;
    tagMMPCtrlScrollBarParam p{100, 20, vertical ? 12 : length, vertical ? length : 12, 100, 20,
                               editor.back(), switches.get(), vertical, kThumb, 0, kTrack, 0, max,
                               page, 0, 0, 0, 0};
    ASSERT_TRUE(bar.Create(&p, 3, 0));
    Add(&bar);
    listener.setBack = true;
  }
  // Window point at `along` pixels from the bar's start on its axis.
  int Y(int along) const { return 20 + along; }

  std::unique_ptr<CHfcBmp> switches;
  CMMPCtrlScrollBar bar;
};

TEST_F(ScrollBarTest, ThumbLengthFollowsPageOverRangeWithATenPixelMinimum) {
  struct Case {
    int max, page, track;
    int thumb;
  };
  const Case cases[] = {
      {99, 10, 100, 10},   // 9 pixels widened to 10
      {0, 10, 100, 100},   // one value: the whole track
      {9, 10, 100, 52},    // 1000 / 19
      {199, 100, 90, 30},  // 100 * 90 / 299 = 30
      {3, 1, 8, 8},        // the minimum never exceeds the track
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.max);
    if (bar.IsCreated()) bar.Destroy();
    Make(c.max, c.page, c.track);
    EXPECT_EQ(bar.GetThumbLength(), c.thumb);
    EXPECT_EQ(bar.GetTravel(), c.track - c.thumb);
  }
}

TEST_F(ScrollBarTest, DrawsTrackThumbAndSwitchesWhereThePositionSays) {
  Make(99, 10);
  bar.SetIntValue(50, true);
  Idle(20);
  // Position = 50 * 90 / 99 + 12 = 57 in the bar; the thumb is 10 long.
  EXPECT_EQ(bar.ValueToPosition(50), 57);
  EXPECT_EQ(Pixel(105, Y(57)), kThumb);
  EXPECT_EQ(Pixel(105, Y(66)), kThumb);
  EXPECT_EQ(Pixel(105, Y(67)), kTrack);
  EXPECT_EQ(Pixel(105, Y(56)), kTrack);
  EXPECT_EQ(FrameOf(Pixel(105, Y(3))), 0);    // decrement switch
  EXPECT_EQ(FrameOf(Pixel(105, Y(120))), 2);  // increment switch
  // Held, each switch shows its pressed frame.
  Press(105, Y(120));
  Idle(20);
  EXPECT_EQ(FrameOf(Pixel(105, Y(120))), 3);
  Release(105, Y(120));
  Idle(20);
  EXPECT_EQ(FrameOf(Pixel(105, Y(120))), 2);
  // Position and value convert both ways over the travel.
  EXPECT_EQ(bar.PositionToValue(12), 0);
  EXPECT_EQ(bar.PositionToValue(12 + 90), 99);
  EXPECT_EQ(bar.PositionToValue(12 + 45), 49);
  EXPECT_EQ(bar.PositionToValue(500), 99);
}

TEST_F(ScrollBarTest, AHeldSwitchRepeatsAfter500ThenEvery30Milliseconds) {
  Make(99, 10);
  Press(105, Y(120));
  EXPECT_EQ(listener.values, (std::vector<int>{1}));
  Idle(480);
  EXPECT_EQ(listener.values.size(), 1u);
  Idle(40);  // 520 ms held
  EXPECT_EQ(listener.values.size(), 2u);
  Idle(300);  // 820 ms held: 1 + 1 + 320 / 30 changes
  EXPECT_NEAR(static_cast<int>(listener.values.size()), 12, 1);
  EXPECT_EQ(listener.values.back(), static_cast<int>(listener.values.size()));
  // Moving off the switch does not stop it.
  const size_t before = listener.values.size();
  Drag(105, Y(40));
  Idle(100);
  EXPECT_GT(listener.values.size(), before + 2);
  // Releasing ends the press.
  Release(105, Y(40));
  const size_t released = listener.values.size();
  Idle(600);
  EXPECT_EQ(listener.values.size(), released);
  EXPECT_EQ(bar.GetPressMode(), CMMPCtrlScrollBar::kNone);
}

TEST_F(ScrollBarTest, PageAreasStepByThePageAndStopWhenThePointerLeavesThem) {
  Make(99, 10);
  // Below the thumb (at 12..21): a page down at once.
  Press(105, Y(100));
  EXPECT_EQ(listener.values, (std::vector<int>{10}));
  // The pointer moves above the thumb: no more page repeats.
  Drag(105, Y(13));
  Idle(700);
  EXPECT_EQ(listener.values, (std::vector<int>{10}));
  Release(105, Y(13));
  // Held below the thumb, pages repeat until the thumb reaches the pointer.
  listener.values.clear();
  Press(105, Y(110));
  Idle(2000);
  ASSERT_FALSE(listener.values.empty());
  EXPECT_EQ(listener.values.back(), 99);
  Release(105, Y(110));
  // Above the thumb pages go back.
  listener.values.clear();
  Press(105, Y(14));
  EXPECT_EQ(listener.values, (std::vector<int>{89}));
  Release(105, Y(14));
}

TEST_F(ScrollBarTest, TheThumbFollowsThePointerAndNeverRepeats) {
  Make(99, 10);
  Press(105, Y(15));  // on the thumb at 12..21
  EXPECT_TRUE(listener.values.empty());
  Drag(105, Y(15 + 45));
  EXPECT_EQ(listener.values, (std::vector<int>{49}));
  Drag(105, Y(15 + 200));  // far past the end
  EXPECT_EQ(listener.values.back(), 99);
  Drag(105, Y(15 + 45));  // back: the thumb moves with the pointer again
  EXPECT_EQ(listener.values.back(), 49);
  const size_t n = listener.values.size();
  Idle(800);
  EXPECT_EQ(listener.values.size(), n);
  Release(105, Y(60));
}

TEST_F(ScrollBarTest, AnUnscrollableOrDisabledBarIgnoresTheMouseAndDimsItsThumb) {
  Make(0, 10);
  Press(105, Y(120));
  Release(105, Y(120));
  Press(105, Y(50));
  Release(105, Y(50));
  EXPECT_TRUE(listener.values.empty());
  Idle(20);
  // Half the thumb's alpha over the page colour.
  const uint32_t p = Pixel(105, Y(50));
  EXPECT_NE(p, kThumb);
  EXPECT_NE(p, kPageColor);
  bar.SetMaxIntValue(99, true);
  bar.Disable(true);
  Press(105, Y(120));
  Release(105, Y(120));
  EXPECT_TRUE(listener.values.empty());
}

TEST_F(ScrollBarTest, HorizontalBarsRunAlongX) {
  Make(99, 10, 100, false);
  EXPECT_EQ(bar.GetThumbLength(), 10);
  Press(100 + 120, 25);  // increment switch at the right end
  EXPECT_EQ(listener.values, (std::vector<int>{1}));
  Release(100 + 120, 25);
  Idle(20);
  EXPECT_EQ(Pixel(100 + bar.ValueToPosition(1), 25), kThumb);
  EXPECT_EQ(FrameOf(Pixel(100 + 3, 25)), 0);
}

}  // namespace
