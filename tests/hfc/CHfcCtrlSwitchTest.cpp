#include "hfc/CHfcCtrlSwitch.h"

#include <gtest/gtest.h>

#include <cstring>

#include "hfc/CHfcCtrlSlideSwitch.h"
#include "hfc/CHfcCtrlTextSwitch.h"
#include "hfc/CHfcMouse.h"
#include "tests/hfc/HfcCtrlScene.h"

namespace {

using hfctest::CodedStrip;
using hfctest::CtrlScene;
using hfctest::FrameOf;
using hfctest::Log;
using hfctest::LoggingListener;

struct SwitchScene : CtrlScene {
  std::unique_ptr<CHfcBmp> strip;
  LoggingListener listener;
  // Frame shown at the middle of a 20 x 10 control at (30, 40).
  int Shown() {
    Present();
    return FrameOf(Pixel(40, 45));
  }
};

TEST(CHfcCtrlSwitch, AClickReportsPressAndReleaseAndShowsThePressedFrame) {
  SwitchScene s;
  s.strip = CodedStrip(20, 10, 4);
  CHfcCtrlSwitch sw;
  tagHfcCtrlSwitchParam p{30, 40, 0, 0, s.strip.get(), nullptr, 0, 0, 2};
  ASSERT_TRUE(sw.Create(&p, 3, 0));
  EXPECT_EQ(sw.GetNumFrames(), 4);
  EXPECT_EQ(sw.GetHeight(), 10);
  sw.SetListener(&s.listener);
  s.Add(&sw);
  sw.SetIntValue(1, true);
  EXPECT_EQ(s.Shown(), 2);
  s.Press(35, 45);
  EXPECT_EQ(s.Shown(), 3);  // value 1 held
  EXPECT_EQ(CHfcMouse::sm_pInstance->GetCapture(), static_cast<CHfcMouseListener*>(&sw));
  s.Release(35, 45);
  EXPECT_EQ(s.Shown(), 2);
  EXPECT_EQ(s.listener.log, (Log{"begin", "value 1 pressed", "value 1", "end"}));
  EXPECT_EQ(sw.GetIntValue(), 1);  // the switch never sets itself
}

TEST(CHfcCtrlSwitch, SetIntValueShowsStatesAndThePressedLook) {
  struct Case {
    int value;
    int frame;
  };
  const Case steps[] = {{-1, 1}, {1, 2}, {0, 0}, {5, 2}, {-7, 1}};
  SwitchScene s;
  s.strip = CodedStrip(20, 10, 4);
  CHfcCtrlSwitch sw;
  tagHfcCtrlSwitchParam p{30, 40, 0, 0, s.strip.get(), nullptr, 0, 0, 2};
  ASSERT_TRUE(sw.Create(&p, 3, 0));
  s.Add(&sw);
  for (const Case& c : steps) {
    sw.SetIntValue(c.value, true);
    EXPECT_EQ(s.Shown(), c.frame) << c.value;
  }
}

TEST(CHfcCtrlSwitch, CreationRefusesBadRecordsAndExCountsTheDisabledFrame) {
  auto strip = CodedStrip(20, 10, 4);
  CHfcCtrlSwitch sw;
  tagHfcCtrlSwitchParam bad{0, 0, 0, 0, strip.get(), nullptr, 0, 0, 0};
  EXPECT_FALSE(sw.Create(nullptr, 1, 0));
  EXPECT_FALSE(sw.Create(&bad, 1, 0));
  bad.states = 1;
  bad.skin = nullptr;
  EXPECT_FALSE(sw.Create(&bad, 1, 0));
  EXPECT_FALSE(sw.IsCreated());

  SwitchScene s;
  s.strip = CodedStrip(20, 10, 4);
  tagHfcCtrlSwitchParamEx ex;
  static_cast<tagHfcCtrlSwitchParam&>(ex) = {30, 40, 0, 0, s.strip.get(), nullptr, 0, 0, 3};
  ex.oneFramePerState = 1;
  ex.disabledFrame = 1;
  ASSERT_TRUE(sw.CreateEx(&ex, 1, 0));
  EXPECT_EQ(sw.GetNumFrames(), 4);
  sw.SetListener(&s.listener);
  s.Add(&sw);
  sw.SetIntValue(2, true);
  EXPECT_EQ(s.Shown(), 2);
  sw.Disable(true);
  const uint32_t full = s.Pixel(40, 45);
  EXPECT_EQ(s.Shown(), 3);
  EXPECT_EQ(s.Pixel(40, 45) >> 24, 0xFFu) << std::hex << full;
  // A disabled switch ignores a click.
  s.Press(35, 45);
  s.Release(35, 45);
  EXPECT_TRUE(s.listener.log.empty());
}

TEST(CHfcCtrlSwitch, AListenerThatTakesThePressGetsNothingElse) {
  SwitchScene s;
  s.strip = CodedStrip(20, 10, 4);
  CHfcCtrlSwitch sw;
  tagHfcCtrlSwitchParam p{30, 40, 0, 0, s.strip.get(), nullptr, 0, 0, 2};
  ASSERT_TRUE(sw.Create(&p, 3, 0));
  sw.SetListener(&s.listener);
  s.Add(&sw);
  s.listener.takePress = true;
  s.Press(35, 45);
  EXPECT_EQ(CHfcMouse::sm_pInstance->GetCapture(), nullptr);
  s.Release(35, 45);
  EXPECT_TRUE(s.listener.log.empty());
}

TEST(CHfcCtrlSwitch, SpaceOnAFocusedSwitchReportsAPressOnce) {
  SwitchScene s;
  s.strip = CodedStrip(20, 10, 4);
  CHfcCtrlSwitch sw;
  tagHfcCtrlSwitchParam p{30, 40, 0, 0, s.strip.get(), nullptr, 0, 0, 2};
  ASSERT_TRUE(sw.Create(&p, 3, 0));
  sw.SetListener(&s.listener);
  s.Add(&sw);
  sw.SetIntValue(1, false);
  sw.SetFocus(0);
  s.Key(' ');
  EXPECT_EQ(s.listener.log, (Log{"value 1 pressed"}));
  // While the switch is being clicked, space says nothing.
  s.Press(35, 45);
  s.listener.log.clear();
  s.Key(' ');
  EXPECT_TRUE(s.listener.log.empty());
  s.Release(35, 45);
}

TEST(CHfcCtrlSlideSwitch, TheStateFollowsThirtyPixelZones) {
  SwitchScene s;
  s.strip = CodedStrip(12, 30, 3);  // three states of 30-pixel frames
  CHfcCtrlSlideSwitch slide;
  tagHfcCtrlSlideSwitchParam p{30, 40, 0, 0, s.strip.get(), nullptr, 0, 0, 3, 0};
  ASSERT_TRUE(slide.Create(&p, 5, 0));
  slide.SetListener(&s.listener);
  s.Add(&slide);
  struct Case {
    int y;  // control-local
    int state;
  };
  const Case cases[] = {{0, 2}, {9, 2}, {10, 1}, {19, 1}, {20, 0}, {29, 0}, {-40, 2}, {200, 0}};
  for (const Case& c : cases) EXPECT_EQ(slide.StateAt(c.y), c.state) << c.y;
  // Dragging: the listener sets each reported state back.
  s.Press(35, 40 + 25);  // state 0 = the value: nothing reported
  s.Drag(35, 40 + 12);
  slide.SetIntValue(1, true);
  s.Drag(35, 40 - 30);  // above the control
  slide.SetIntValue(2, true);
  s.Drag(35, 40 + 300);  // below it
  s.Release(35, 40 + 300);
  EXPECT_EQ(s.listener.log, (Log{"begin", "value 1", "value 2", "value 0", "end"}));
  s.Present();
  EXPECT_EQ(FrameOf(s.Pixel(35, 50)), 2);
}

TEST(CHfcCtrlTextSwitch, TextIsCentredButNeverStartsLeftOfTheControl) {
  SwitchScene s;
  s.strip = CodedStrip(20, 10, 2);
  // A font of 4-pixel white blocks.
  CHfcBmp glyphs;
  glyphs.Create(4, 8 * 128);
  {
    CHfcOffscreenContext g(&glyphs);
    g.SetBrushColor(0xFFFFFFFF);
    g.FillRect(0, 0, 4, 8 * 128);
  }
  tagHfcBmpFontInfo font{};
  font.bmp = &glyphs;
  for (int c = 0; c < 128; ++c) font.width[c] = font.advance[c] = 4;
  font.cellHeight = 8;
  font.textHeight = 8;
  struct Case {
    const char* text;
    int firstInkX;  // control-local
  };
  const Case cases[] = {{"ab", 6}, {"abcdefgh", 0}, {"\xE9\xE9", 6}};
  for (const Case& c : cases) {
    CHfcCtrlTextSwitch sw;
    tagHfcCtrlTextSwitchParam p{};
    static_cast<tagHfcCtrlSwitchParam&>(p) = {30, 40, 20, 10, s.strip.get(), nullptr, 0, 0, 1};
    p.font = &font;
    p.text = c.text;
    p.textColor = 0xFFFF0000;
    p.hAlign = 1;
    p.vAlign = 1;
    ASSERT_TRUE(sw.Create(&p, 9, 0));
    EXPECT_STREQ(static_cast<const char*>(sw.GetPtrValue()), c.text);
    sw.SetPtrValue(nullptr, true);
    EXPECT_STREQ(sw.GetText(), c.text);
    s.Add(&sw);
    s.Present();
    for (int x = 0; x < 20; ++x) {
      const bool ink = FrameOf(s.Pixel(30 + x, 45)) < 0;
      EXPECT_EQ(ink, x >= c.firstInkX && x < c.firstInkX + 4 * static_cast<int>(strlen(c.text)))
          << c.text << " x " << x;
    }
    s.layer.RemoveControl(&sw, false);
  }
}

}  // namespace
