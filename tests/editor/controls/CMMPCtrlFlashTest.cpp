#include "editor/controls/CMMPCtrlFlash.h"

#include "tests/editor/controls/SkinnedControlFixture.h"

namespace {

using namespace skinnedtest;

class FlashTest : public SkinnedControlTest {
 protected:
  // The MIDI indicator's numbers: 3 frames of 50 ms, the picture cut into
  // `pictureFrames` frames of 10 x 8.
  void Make(int pictureFrames) {
    strip = FrameStrip(10, 8, pictureFrames);
    const int32_t values[] = {0, 1, 2};
    tagMMPCtrlFlashParam p{40, 30, 0, strip->GetHeight() / pictureFrames, strip.get(), 40, 30,
                           editor.back(), 3, 3, 50, values};
    ASSERT_TRUE(flash.Create(&p, 7, 0));
    Add(&flash);
  }
  int Shown() { return FrameOf(Pixel(45, 34)); }

  std::unique_ptr<CHfcBmp> strip;
  CMMPCtrlFlash flash;
};

TEST_F(FlashTest, LightsAtItsValueAndStepsDownEveryFiftyMilliseconds) {
  Make(3);
  EXPECT_EQ(Shown(), 0);
  flash.SetIntValue(3, true);
  // Milliseconds since the value was set -> frame shown; each frame lasts
  // 50 ms, seen within one idle tick (1/60 s).
  struct Case {
    uint64_t at;
    int frame;
  };
  const Case cases[] = {{20, 2}, {45, 2}, {70, 1}, {95, 1}, {120, 0}, {250, 0}};
  uint64_t now = 0;
  for (const Case& c : cases) {
    Idle(c.at - now);
    now = c.at;
    EXPECT_EQ(Shown(), c.frame) << c.at << " ms";
  }
  // Setting it again starts over at the brightest frame.
  flash.SetIntValue(3, true);
  Idle(20);
  EXPECT_EQ(Shown(), 2);
  // Values are kept within 0 .. frame count: 9 lights like 3, -4 like 0.
  flash.SetIntValue(9, true);
  EXPECT_EQ(flash.GetRemainingTime(), 149);
  flash.SetIntValue(-4, true);
  Idle(40);
  EXPECT_EQ(Shown(), 0);
  EXPECT_EQ(flash.GetIntValue(), 0);  // the control's own value never moves
}

TEST_F(FlashTest, DisabledShowsTheFrameAfterTheNormalOnesOrTheLastThePictureHas) {
  // A picture with a fourth frame shows it; the indicator's own picture has
  // three, and frame 3 would lie below it: the last one stands in.
  struct Case {
    int pictureFrames;
    int disabledFrame;
  };
  for (const Case c : {Case{4, 3}, Case{3, 2}}) {
    SCOPED_TRACE(c.pictureFrames);
    if (flash.IsCreated()) flash.Destroy();
    Make(c.pictureFrames);
    flash.Disable(true);
    Idle(20);
    EXPECT_EQ(Shown(), c.disabledFrame);
    // Enabled again it shows where its time stands.
    flash.Enable(true);
    Idle(20);
    EXPECT_EQ(Shown(), 0);
  }
}

TEST_F(FlashTest, CreationChecksAndClicksGoToThePage) {
  auto bmp = FrameStrip(10, 8, 3);
  const int32_t values[] = {0, 1, 2};
  struct Case {
    CHfcBmp* frames;
    CHfcBmp* back;
    int count;
    int time;
  };
  CMMPCtrlFlash bad;
  for (const Case& c : {Case{nullptr, bmp.get(), 3, 50}, Case{bmp.get(), nullptr, 3, 50},
                        Case{bmp.get(), bmp.get(), 0, 50}, Case{bmp.get(), bmp.get(), 3, 0}}) {
    tagMMPCtrlFlashParam p{0, 0, 0, 0, c.frames, 0, 0, c.back, c.count, 3, c.time, values};
    EXPECT_FALSE(bad.Create(&p, 1, 0));
  }
  EXPECT_FALSE(bad.Create(nullptr, 1, 0));
  // Height 0 takes the picture's height / (frames + 1).
  tagMMPCtrlFlashParam p{0, 0, 0, 0, bmp.get(), 0, 0, bmp.get(), 3, 3, 50, values};
  ASSERT_TRUE(bad.Create(&p, 1, 0));
  EXPECT_EQ(bad.GetHeight(), 6);
  EXPECT_EQ(bad.GetMaxIntValue(), 3);

  Make(3);
  Click(42, 31);
  EXPECT_EQ(listener.log, (std::vector<std::string>{"press 2,1"}));
}

}  // namespace
