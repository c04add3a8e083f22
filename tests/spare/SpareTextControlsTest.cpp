#include <gtest/gtest.h>

#include <cstring>

#include "spare/CHfcControlEditEngine.h"
#include "spare/CHfcCtrlCharLcd.h"
#include "spare/CHfcCtrlCharStaticText.h"
#include "spare/CHfcCtrlLed.h"
#include "tests/hfc/HfcCtrlScene.h"

namespace {

using hfctest::CodedStrip;
using hfctest::CtrlScene;
using hfctest::FrameOf;
using hfctest::Log;
using hfctest::LoggingListener;

TEST(CHfcCtrlLed, StatesAndPressReports) {
  CtrlScene scene;
  auto states = CodedStrip(10, 20, 3);  // 10 x 60
  LoggingListener listener;
  CHfcCtrlLed led;
  tagHfcCtrlLedParam p;
  p.x = 30;
  p.y = 30;
  p.states = states.get();
  p.stateCount = 3;
  ASSERT_TRUE(led.Create(&p, 1, 0));
  EXPECT_EQ(led.GetWidth(), 10);
  EXPECT_EQ(led.GetHeight(), 20);
  led.SetListener(&listener);
  scene.Add(&led);
  led.SetIntValue(7, true);
  EXPECT_EQ(led.GetIntValue(), 2);
  scene.Present();
  EXPECT_EQ(FrameOf(scene.Pixel(35, 40)), 2);
  led.SetIntValue(1, true);
  scene.Press(35, 40);
  scene.Release(35, 40);
  EXPECT_EQ(listener.log, (Log{"begin", "value 1 pressed", "value 1", "end", "value 1", "end"}));
  EXPECT_EQ(led.GetIntValue(), 1);
  EXPECT_EQ(led.GetParameterWord(9), 3);
  EXPECT_EQ(led.GetParameterWord(10), 0);
  led.SetParameter(9, 5, nullptr, false);
  EXPECT_EQ(led.GetParameterWord(9), 5);
}

TEST(CHfcCtrlCharStaticText, FirstLineTakesTheColumns) {
  CtrlScene scene;
  auto glyphs = CodedStrip(6, 8, 128);
  CHfcCtrlCharStaticText text;
  tagHfcCtrlCharStaticTextParam p;
  p.x = 10;
  p.y = 10;
  p.glyphs = glyphs.get();
  p.glyphWidth = p.glyphHeight = 0;
  p.lines = 2;
  p.columns = 4;
  ASSERT_TRUE(text.Create(&p, 1, 0));
  scene.Add(&text);
  char s[] = "Tempo 1";
  text.SetPtrValue(s, true);
  EXPECT_EQ(std::string(text.GetBuffer().data(), 4), "Temp");
  EXPECT_EQ(text.GetBuffer()[4], '\0');
  scene.Present();
  EXPECT_EQ(FrameOf(scene.Pixel(10 + 6 + 2, 12)), 'e');
  EXPECT_EQ(FrameOf(scene.Pixel(12, 10 + 8 + 2)), 0);
  // Bytes above 127 show the placeholder cell, never a row before the strip.
  char high[] = "\xE9";
  text.SetPtrValue(high, true);
  scene.Present();
  EXPECT_EQ(FrameOf(scene.Pixel(12, 12)), 127);
  p.columns = 0;
  CHfcCtrlCharStaticText bad;
  EXPECT_FALSE(bad.Create(&p, 2, 0));
}

TEST(CHfcControlEditEngine, RecordsOnlyOnceArmed) {
  CHfcControlEditEngine engine(nullptr);
  engine.Begin(3, 4, 0, 9);
  EXPECT_EQ(engine.GetStartValue(), 0);
  engine.End();
  engine.Begin(3, 4, 0, 9);
  EXPECT_EQ(engine.GetStartX(), 3);
  EXPECT_EQ(engine.GetStartY(), 4);
  EXPECT_EQ(engine.GetStartValue(), 9);
  EXPECT_FLOAT_EQ(engine.GetStartFloatValue(), 9.0f);
}

struct LcdFixture {
  CtrlScene scene;
  std::unique_ptr<CHfcBmp> glyphs = CodedStrip(6, 8, 128);
  LoggingListener listener;
  CHfcCtrlCharLcd lcd;
  explicit LcdFixture(int characters = 8) {
    tagHfcCtrlCharLcdParam p;
    p.x = 10;
    p.y = 10;
    p.width = 6 * characters;
    p.height = 0;
    p.glyphs = glyphs.get();
    p.characters = characters;
    EXPECT_TRUE(lcd.Create(&p, 1, 0));
    lcd.SetListener(&listener);
    scene.Add(&lcd);
  }
  // Layer x of the middle of a cell.
  static int Cell(int c) { return 10 + c * 6 + 1; }
};

TEST(CHfcCtrlCharLcd, TextIsCutAndPaddedToTheDisplay) {
  char s[] = "Hello";
  {
    // One scene at a time: each owns the virtual clock.
    LcdFixture four(4);
    four.lcd.SetPtrValue(s, true);
    EXPECT_STREQ(four.lcd.GetText(), "Hell");
  }
  LcdFixture eight(8);
  eight.lcd.SetPtrValue(s, true);
  EXPECT_STREQ(eight.lcd.GetText(), "Hello");
  eight.scene.Present();
  EXPECT_EQ(FrameOf(eight.scene.Pixel(LcdFixture::Cell(1), 12)), 'e');
  EXPECT_NE(FrameOf(eight.scene.Pixel(LcdFixture::Cell(6), 12)), 0);  // empty cells are not drawn
}

TEST(CHfcCtrlCharLcd, ValueDragInSteps) {
  struct Case {
    int mods;
    int expected;
  };
  for (const Case& c : {Case{0, 1384}, Case{1, 1048}}) {
    LcdFixture f;
    f.lcd.SetIntValue(1000, false);
    f.scene.Press(20, 14);
    f.scene.Drag(20, 11, c.mods);
    ASSERT_GE(f.listener.log.size(), 3u);
    EXPECT_EQ(f.listener.log[0], "begin");
    EXPECT_EQ(f.listener.log[1], "value 0 pressed");
    EXPECT_EQ(f.listener.log.back(), "value " + std::to_string(c.expected));
    f.scene.Drag(20, -400);
    EXPECT_EQ(f.listener.log.back(), "value 16383");
    f.scene.Release(20, -400);
    EXPECT_EQ(f.listener.log.back(), "end");
  }
}

TEST(CHfcCtrlCharLcd, DoubleClickEditsAndTypingOverwrites) {
  LcdFixture f(4);
  char s[] = "Abcd";
  f.lcd.SetPtrValue(s, true);
  f.scene.Press(LcdFixture::Cell(1), 12);
  f.scene.Release(LcdFixture::Cell(1), 12);
  EXPECT_FALSE(f.lcd.IsEditing());
  f.scene.Mouse(os::MouseEvent::Kind::kDown, LcdFixture::Cell(1), 12, 0, os::MouseButton::kLeft, 2);
  f.scene.Release(LcdFixture::Cell(1), 12);
  ASSERT_TRUE(f.lcd.IsEditing());
  EXPECT_FALSE(f.lcd.IsSelectionActive());
  EXPECT_EQ(f.lcd.GetCursor(), 1);
  // A typed letter overwrites the cell and moves on.
  f.lcd.OnHfcKeyChar(nullptr, 'X');
  EXPECT_STREQ(f.lcd.GetEditBuf(), "AXcd");
  EXPECT_EQ(f.lcd.GetCursor(), 2);
  // With a selection a typed character only removes the selection.
  f.lcd.SetEditSelect(1, 2);
  int a = -1, b = -1;
  ASSERT_TRUE(f.lcd.GetEditSelect(&a, &b));
  ASSERT_TRUE(f.lcd.GetEditSelect(&a, &b));
  EXPECT_EQ(a, 1);
  EXPECT_EQ(b, 2);
  f.lcd.OnHfcKeyChar(nullptr, 'Q');
  EXPECT_STREQ(f.lcd.GetEditBuf(), "Ad");
  EXPECT_EQ(f.lcd.GetCursor(), 1);
  f.lcd.OnHfcKeyChar(nullptr, 'Z');
  EXPECT_STREQ(f.lcd.GetEditBuf(), "AZ");
  // After the last cell the cursor stands past the range and is not drawn.
  f.lcd.SetEditCursor(3);
  f.lcd.OnHfcKeyChar(nullptr, 'e');
  EXPECT_EQ(f.lcd.GetCursor(), 4);
}

TEST(CHfcCtrlCharLcd, BackspaceAtAndAfterTheRangeStart) {
  LcdFixture f(4);
  char s[] = "Abcd";
  f.lcd.SetPtrValue(s, true);
  f.lcd.EnterEdit(0, -1, false);
  f.lcd.SetEditCursor(0);
  f.lcd.EditBackSpace();
  EXPECT_STREQ(f.lcd.GetEditBuf(), "Abcd");
  f.lcd.SetEditCursor(1);
  f.lcd.EditBackSpace();
  EXPECT_STREQ(f.lcd.GetEditBuf(), "bcd");
  EXPECT_EQ(f.lcd.GetCursor(), 0);
  // Requests beyond the display stay inside the buffers.
  f.lcd.ExitEdit();
  f.lcd.EnterEdit(99, 200, true);
  EXPECT_EQ(f.lcd.GetSelectionEnd(), 3);
  f.lcd.SetEditSelect(40, 50);
  EXPECT_LE(f.lcd.GetSelectionEnd(), 3);
  f.lcd.EditDelete();
  EXPECT_FALSE(f.lcd.IsSelectionActive());
}

TEST(CHfcCtrlCharLcd, CursorBlinksEveryQuarterSecond) {
  LcdFixture f(4);
  f.lcd.EnterEdit(0, -1, false);
  f.lcd.SetEditCursor(0);
  EXPECT_TRUE(f.lcd.IsCursorShown());
  f.lcd.OnIdle(240);
  EXPECT_TRUE(f.lcd.IsCursorShown());
  f.lcd.OnIdle(20);
  EXPECT_FALSE(f.lcd.IsCursorShown());
  f.lcd.OnIdle(250);
  EXPECT_TRUE(f.lcd.IsCursorShown());
}

}  // namespace

namespace {

TEST(CHfcCtrlCharLcd, BytesAboveAsciiShowThePlaceholderShownOrEdited) {
  LcdFixture f;
  char s[] = "A\xE9\xFF";
  f.lcd.SetPtrValue(s, true);
  f.scene.Present();
  EXPECT_EQ(FrameOf(f.scene.Pixel(LcdFixture::Cell(0), 12)), 'A');
  EXPECT_EQ(FrameOf(f.scene.Pixel(LcdFixture::Cell(1), 12)), 127);
  EXPECT_EQ(FrameOf(f.scene.Pixel(LcdFixture::Cell(2), 12)), 127);
  f.lcd.EnterEdit(0, -1, true);
  f.lcd.SetDirty(true);
  f.scene.Present();
  EXPECT_EQ(FrameOf(f.scene.Pixel(LcdFixture::Cell(1), 12)), 127);
  EXPECT_EQ(FrameOf(f.scene.Pixel(LcdFixture::Cell(2), 12)), 127);
}

}  // namespace
