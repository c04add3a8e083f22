#include "hfc/CHfcCtrlCharEditText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/hfc/HfcControlRig.h"
// The X headers come after the test framework, whose names they would shadow.
#include <X11/X.h>
#include <X11/keysym.h>

namespace {

using hfctest::CellColour;
using Log = std::vector<std::string>;

// A field at (40, 30) of a layer, 8 columns of 6 x 8 cells.
struct CharEdit : testing::Test {
  vesk::test::TestEnvironment env;
  hfctest::ControlRig rig{&env};
  std::unique_ptr<CHfcBmp> font = hfctest::MakeCodedFont(6, 8);
  hfctest::ReportLog listener;
  CHfcCtrlCharEditText edit;

  void Plain(int value, int step, int minimum = 0, int maximum = 100) {
    tagHfcCtrlCharEditTextParam p{};
    p.x = 40;
    p.y = 30;
    p.font = font.get();
    p.rows = 1;
    p.columns = 8;
    p.minimum = minimum;
    p.maximum = maximum;
    p.step = step;
    ASSERT_TRUE(edit.Create(&p, 7, 0));
    Place(value);
  }
  void Extended(int value, double sensitivity = 1.0, double fine = 0.25) {
    tagHfcCtrlCharEditTextParamEx2 p{};
    p.x = 40;
    p.y = 30;
    p.font = font.get();
    p.rows = 1;
    p.columns = 8;
    p.minimum = -50;
    p.maximum = 50;
    p.selectionColor = 0xFF3F3F7F;
    p.cursorColor = 0xFFFFFFFF;
    p.sensitivity = sensitivity;
    p.fineSensitivity = fine;
    ASSERT_TRUE(edit.CreateEx2(&p, 7, 0));
    Place(value);
  }
  void Place(int value) {
    edit.SetListener(&listener);
    edit.SetIntValue(value, false);
    rig.Add(&edit);
    edit.SetPtrValue(const_cast<char*>("AB"), true);
  }
};

TEST_F(CharEdit, CreationRefusesWhatItCannotDraw) {
  tagHfcCtrlCharEditTextParam p{};
  p.font = font.get();
  p.rows = 1;
  p.columns = 0;
  EXPECT_FALSE(edit.Create(&p, 1, 0));
  p.columns = 1;
  p.rows = 0;
  EXPECT_FALSE(edit.Create(&p, 1, 0));
  p.rows = 1;
  p.font = nullptr;
  EXPECT_FALSE(edit.Create(&p, 1, 0));
  EXPECT_FALSE(edit.Create(nullptr, 1, 0));
  EXPECT_FALSE(edit.IsCreated());
  // The defaults of the size: cells times columns and rows.
  p.font = font.get();
  p.columns = 5;
  p.rows = 2;
  ASSERT_TRUE(edit.Create(&p, 1, 0));
  EXPECT_EQ(edit.GetWidth(), 30);
  EXPECT_EQ(edit.GetHeight(), 16);
}

TEST_F(CharEdit, EveryCellOfTheFieldShowsAGlyphOfTheFont) {
  Plain(0, 1);
  // A byte above 127 shows the placeholder cell, an empty cell glyph 0.
  edit.SetPtrValue(const_cast<char*>("A\xE9"), true);
  EXPECT_EQ(rig.Pixel(&edit, 41, 31), CellColour('A'));
  EXPECT_EQ(rig.Pixel(&edit, 47, 31), CellColour(127));
  EXPECT_EQ(rig.Pixel(&edit, 53, 31), CellColour(0));
}

TEST_F(CharEdit, PlainDragSnapsToTheStepThenMovesAStepAPixel) {
  Plain(25, 10);
  rig.Press(45, 35);
  rig.Drag(45, 34);
  rig.Drag(45, 33);
  rig.Drag(45, 32);
  rig.Release(45, 32);
  EXPECT_EQ(listener.Take(), (Log{"begin", "int 30", "int 40", "int 50", "end", "lost"}));
  // Downwards from 25: the first pixel snaps to the multiple below.
  rig.Press(45, 35);
  rig.Drag(45, 36);
  rig.Drag(45, 37);
  // With Shift one unit a pixel, without snapping.
  rig.Drag(45, 36, 1);
  rig.Release(45, 36);
  EXPECT_EQ(listener.Take(), (Log{"begin", "int 20", "int 10", "int 11", "end", "lost"}));
}

TEST_F(CharEdit, PlainDragIsClampedAndNeverReportsTheSameValueTwice) {
  Plain(95, 10);
  rig.Press(45, 35);
  for (int y = 34; y >= 30; --y) rig.Drag(45, y);
  rig.Release(45, 30);
  EXPECT_EQ(listener.Take(), (Log{"begin", "int 100", "end", "lost"}));
}

TEST_F(CharEdit, ArrowKeysStepTheValueWithinItsRange) {
  Plain(100, 10);
  edit.SetFocus(0);
  rig.Key(XK_Up);  // at the maximum: nothing
  rig.Key(XK_Down);
  rig.Key(XK_Left);
  EXPECT_EQ(listener.Take(), (Log{"int 90", "int 90"}));
  edit.SetIntValue(0, false);
  rig.Key(XK_Right);
  rig.Key(XK_a);  // other keys keep the value
  EXPECT_EQ(listener.Take(), (Log{"int 10"}));
  // While the mouse holds the field, keys do nothing.
  rig.Press(45, 35);
  listener.Take();
  rig.Key(XK_Up);
  EXPECT_EQ(listener.Take(), Log{});
  rig.Release(45, 35);
}

TEST_F(CharEdit, DoubleClickEditsTheWholeTextAndReturnReportsIt) {
  Extended(0);
  EXPECT_EQ(rig.Pixel(&edit, 41, 31), CellColour('A'));
  rig.DoubleClick(45, 35);
  ASSERT_TRUE(edit.IsEditing());
  EXPECT_EQ(edit.GetEngine()->GetSelectionStart(), 0);
  EXPECT_EQ(edit.GetEngine()->GetSelectionEnd(), 2);
  rig.Type("xyz");
  rig.Key(XK_Left, ShiftMask);
  rig.Key(XK_BackSpace);
  EXPECT_STREQ(edit.GetEngine()->GetText(), "xy");
  // While editing the engine draws the typed text.
  EXPECT_EQ(rig.Pixel(&edit, 41, 31), CellColour('x'));
  listener.Take();
  rig.Key(XK_Return);
  EXPECT_EQ(listener.Take(), (Log{"text xy"}));
  EXPECT_FALSE(edit.IsEditing());
  // The shown text changes only when the listener stores it back.
  EXPECT_EQ(rig.Pixel(&edit, 41, 31), CellColour('A'));
  edit.SetPtrValue(const_cast<char*>("xy"), true);
  EXPECT_EQ(rig.Pixel(&edit, 41, 31), CellColour('x'));
}

TEST_F(CharEdit, EscapeAndLosingTheFocusLeaveEditingWithoutReporting) {
  Extended(0);
  rig.DoubleClick(45, 35);
  rig.Type("q");
  rig.Key(XK_Escape);
  EXPECT_FALSE(edit.IsEditing());
  EXPECT_STREQ(static_cast<char*>(edit.GetPtrValue()), "AB");
  rig.DoubleClick(45, 35);
  rig.Type("q");
  rig.window().platform()->InjectFocus(false);
  rig.Run();
  EXPECT_FALSE(edit.IsEditing());
  EXPECT_EQ(listener.Take(), (Log{"lost", "double 5,5", "lost", "double 5,5"}));
  // A field that keeps what was typed when the focus goes.
  rig.window().platform()->InjectFocus(true);
  rig.Run();
  edit.SetLostFocusCancels(false);
  rig.DoubleClick(45, 35);
  rig.Type("r");
  listener.Take();
  rig.window().platform()->InjectFocus(false);
  rig.Run();
  EXPECT_EQ(listener.Take(), (Log{"text r"}));
}

TEST_F(CharEdit, ExtendedDragFollowsTheSensitivityAndShiftTheFineOne) {
  Extended(0, 2.0, 0.25);
  rig.Press(45, 35);
  rig.Drag(45, 33);
  rig.Drag(45, 32);
  rig.Release(45, 32);
  // Two pixels at 2 a pixel, then one more.
  EXPECT_EQ(listener.Take(), (Log{"int 4", "int 6", "lost"}));
  // Fine: a quarter a pixel, whatever the pace of the moves.
  rig.Press(45, 35);
  for (int i = 1; i <= 8; ++i) rig.Drag(45, 35 - i, 1, i % 2 ? 500 : 10);
  rig.Release(45, 27);
  EXPECT_EQ(listener.Take(), (Log{"int 1", "int 2", "lost"}));
}

TEST_F(CharEdit, AStoredTextKeepsOnlyTheColumnsThatFit) {
  Extended(0);
  edit.SetPtrValue(const_cast<char*>("0123456789"), true);
  EXPECT_STREQ(static_cast<char*>(edit.GetPtrValue()), "01234567");
}

TEST_F(CharEdit, TheCursorBlinksOnIdleWhileEditing) {
  Extended(0);
  rig.DoubleClick(45, 35);
  rig.Key(XK_Right);
  ASSERT_FALSE(edit.GetEngine()->HasSelection());
  rig.Idle(&edit, 1);
  // After the first tick the cursor shows on the last column of "B".
  EXPECT_EQ(rig.Pixel(&edit, 40 + 12 - 1, 33), 0xFFFFFFFFu);
  rig.Idle(&edit, 12);
  EXPECT_EQ(rig.Pixel(&edit, 40 + 12 - 1, 33), CellColour('B'));
}

}  // namespace
