#include "editor/controls/CXBCtrlHorizontalValueBar.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/editor/controls/FontFixture.h"
#include "tests/editor/controls/SkinnedControlRecords.h"
#include "tests/hfc/HfcControlRig.h"
// The X headers come after the test framework, whose names they would shadow.
#include <X11/X.h>
#include <X11/keysym.h>

namespace {

using Log = std::vector<std::string>;

constexpr int kBarX = 30;
constexpr int kBarY = 40;
constexpr uint32_t kPanel = 0xFFDCDEE2;

std::unique_ptr<CHfcBmp> FlatPicture(int w, int h, uint32_t colour) {
  auto bmp = std::make_unique<CHfcBmp>();
  bmp->Create(w, h);
  uint32_t* px = bmp->LockPixels();
  for (int i = 0; i < w * h; ++i) px[i] = colour;
  bmp->UnlockPixels();
  return bmp;
}

bool Amber(uint32_t p) { return ((p >> 16) & 0xFF) > 0xC0 && (p & 0xFF) < 0x60; }

struct ValueBar : FontFixture {
  vesk::test::TestEnvironment env;
  std::unique_ptr<hfctest::ControlRig> rig;
  std::unique_ptr<CHfcBmp> panel;
  hfctest::ReportLog listener;
  CXBCtrlHorizontalValueBar bar;

  void SetUp() override {
    FontFixture::SetUp();
    rig = std::make_unique<hfctest::ControlRig>(&env);
    panel = FlatPicture(300, 160, kPanel);
  }
  void TearDown() override {
    bar.Destroy();
    rig.reset();
    FontFixture::TearDown();
  }
  void Make(int style, int minimum, int maximum, int origin, int value, bool random = false) {
    ASSERT_TRUE(skintest::CreateFactoryValueBar(&bar, kBarX, kBarY, style, minimum, maximum, origin,
                                                panel.get(), random));
    bar.SetListener(&listener);
    bar.SetFocusOnClick(true);
    rig->Add(&bar);
    bar.SetIntValue(value, true);
    bar.SetPtrValue(const_cast<char*>(std::to_string(value).c_str()), true);
  }
  // Lit columns of the bar's middle row, as bar columns.
  std::vector<int> LitColumns(int width) {
    std::vector<int> lit;
    for (int x = 0; x < width; ++x)
      if (Amber(rig->Pixel(&bar, kBarX + 2 + x, kBarY + 5))) lit.push_back(x);
    return lit;
  }
};

struct FillCase {
  int minimum, maximum, origin, value;
  int start, count;
};

TEST_F(ValueBar, TheBarFillsFromTheOriginTowardsTheValue) {
  const FillCase cases[] = {
      {-99, 99, 0, 0, 31, 1},    // a one-pixel line at the origin
      {0, 127, 0, 0, 0, 0},      // origin at the minimum: nothing
      {5, 5, 5, 5, 0, 0},        // no range: nothing
      {0, 127, 0, 127, 0, 63},   // full
      {0, 127, 0, 1, 0, 1},      // the first step shows
      {-99, 99, 0, -99, 0, 32},  // down to the left end, origin included
      {-99, 99, 0, 99, 31, 32},  // up to the right end
      {-99, 99, 0, 1, 31, 2},
      {-64, 63, 0, -1, 30, 2},
  };
  for (const FillCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.minimum) + ".." + std::to_string(c.maximum) + " at " +
                 std::to_string(c.value));
    Make(96, c.minimum, c.maximum, c.origin, c.value);
    int start = -1;
    int count = -1;
    bar.FilledColumns(c.value, &start, &count);
    EXPECT_EQ(count, c.count);
    if (c.count > 0) { EXPECT_EQ(start, c.start); }
    std::vector<int> expected;
    for (int x = c.start; x < c.start + c.count; ++x) expected.push_back(x);
    EXPECT_EQ(LitColumns(63), expected);
    bar.Destroy();
  }
}

TEST_F(ValueBar, CreationRefusesBarsItCannotMeasure) {
  CHfcBmp empty;
  auto fill = FlatPicture(20, 8, 0xFFFFA21F);
  tagXBCtrlHorizontalValueBarParamEx2 p{};
  p.background = panel.get();
  p.bar = fill.get();
  p.maximum = 10;
  p.displayScale = 1.0f;
  p.pixelScale = 10.0f;
  EXPECT_EQ(bar.CreateEx2(&p, 1, 0), 1);
  bar.Destroy();
  struct Case {
    const char* name;
    void (*spoil)(tagXBCtrlHorizontalValueBarParamEx2*, CHfcBmp*);
  };
  const Case cases[] = {
      {"no background", [](tagXBCtrlHorizontalValueBarParamEx2* q, CHfcBmp*) { q->background = nullptr; }},
      {"no bar", [](tagXBCtrlHorizontalValueBarParamEx2* q, CHfcBmp*) { q->bar = nullptr; }},
      {"a bar without width", [](tagXBCtrlHorizontalValueBarParamEx2* q, CHfcBmp* e) { q->bar = e; }},
      {"a zero pixel scale", [](tagXBCtrlHorizontalValueBarParamEx2* q, CHfcBmp*) { q->pixelScale = 0; }},
      {"a zero display scale", [](tagXBCtrlHorizontalValueBarParamEx2* q, CHfcBmp*) { q->displayScale = 0; }},
      {"maximum below minimum", [](tagXBCtrlHorizontalValueBarParamEx2* q, CHfcBmp*) { q->minimum = 11; }},
  };
  for (const Case& c : cases) {
    tagXBCtrlHorizontalValueBarParamEx2 q = p;
    c.spoil(&q, &empty);
    EXPECT_EQ(bar.CreateEx2(&q, 1, 0), 0) << c.name;
    EXPECT_FALSE(bar.IsCreated()) << c.name;
  }
  EXPECT_EQ(bar.CreateEx2(nullptr, 1, 0), 0);
}

TEST_F(ValueBar, AClickSetsTheValueUnderThePointerAndADragMovesIt) {
  Make(96, 0, 127, 0, 0);
  // 128 values over 63 pixels: column 31 is value 62.
  rig->Press(kBarX + 2 + 31, kBarY + 5);
  EXPECT_EQ(listener.Take(), (Log{"begin", "int 62"}));
  // Moves faster than 101 ms apart: 128 / 63 values a pixel.
  rig->Drag(kBarX + 2 + 36, kBarY + 5, 0, 10);
  // Shift: a tenth of a value a pixel.
  rig->Drag(kBarX + 2 + 46, kBarY + 5, 1, 10);
  rig->Release(kBarX + 2 + 46, kBarY + 5);
  EXPECT_EQ(listener.Take(), (Log{"int 72", "int 73", "lost", "end"}));
  // Past the end: clamped and reported once.
  rig->Press(kBarX + 2 + 60, kBarY + 5);
  rig->Drag(kBarX + 2 + 80, kBarY + 5, 0, 10);
  rig->Drag(kBarX + 2 + 90, kBarY + 5, 0, 10);
  rig->Release(kBarX + 2 + 90, kBarY + 5);
  EXPECT_EQ(listener.Take(), (Log{"begin", "int 121", "int 127", "lost", "end"}));
}

TEST_F(ValueBar, ABarWithoutRangeReportsItsMinimumOnAnyClick) {
  Make(96, 0, 10, 0, 3);
  // The page narrows the range to one value; the value is set afterwards.
  bar.SetMinIntValue(5, false);
  bar.SetMaxIntValue(5, false);
  rig->Click(kBarX + 2 + 50, kBarY + 5);
  rig->Click(kBarX + 2 + 1, kBarY + 5);
  EXPECT_EQ(listener.Take(), (Log{"begin", "int 5", "lost", "end", "begin", "int 5", "lost", "end"}));
}

TEST_F(ValueBar, TheDisplayDragsVerticallyAndTheArrowKeysStep) {
  Make(96, 0, 127, 0, 100);
  rig->Press(kBarX + 75, kBarY + 6);
  rig->Drag(kBarX + 75, kBarY + 3, 0, 10);  // 3 pixels up: 3 values
  rig->Drag(kBarX + 75, kBarY + 2, 1, 10);  // fine: a tenth
  rig->Release(kBarX + 75, kBarY + 2);
  EXPECT_EQ(listener.Take(), (Log{"begin", "int 103", "lost", "end"}));
  bar.SetIntValue(127, true);
  rig->Key(XK_Up);  // at the end: nothing
  rig->Key(XK_Down);
  EXPECT_EQ(listener.Take(), (Log{"int 126"}));
}

TEST_F(ValueBar, ADoubleClickOnTheDisplayEditsTheNumber) {
  Make(96, -64, 63, 0, 12);
  bar.SetEditable(false);
  rig->DoubleClick(kBarX + 75, kBarY + 6);
  EXPECT_FALSE(bar.IsEditing());
  EXPECT_EQ(listener.Take(), (Log{"begin", "lost", "end", "double 75,6"}));
  bar.SetEditable(true);
  rig->DoubleClick(kBarX + 75, kBarY + 6);
  ASSERT_TRUE(bar.IsEditing());
  EXPECT_EQ(bar.GetEngine()->GetSelectionEnd(), 2);
  rig->Type("-7");
  listener.Take();
  rig->Key(XK_Return);
  EXPECT_EQ(listener.Take(), (Log{"begin", "text -7", "end"}));
  EXPECT_FALSE(bar.IsEditing());
  // Escape and a click on the bar drop the typed text.
  rig->DoubleClick(kBarX + 75, kBarY + 6);
  rig->Type("5");
  rig->Key(XK_Escape);
  rig->DoubleClick(kBarX + 75, kBarY + 6);
  rig->Type("5");
  rig->Click(kBarX + 2 + 31, kBarY + 5);
  EXPECT_FALSE(bar.IsEditing());
  for (const std::string& entry : listener.Take()) EXPECT_EQ(entry.rfind("text", 0), std::string::npos) << entry;
}

TEST_F(ValueBar, RandomAtTheMinimumDrawsTheRandomPicture) {
  Make(96, 0, 127, 0, 0, true);
  const uint32_t p = rig->Pixel(&bar, kBarX + 2 + 1, kBarY + 5);
  EXPECT_GT(p & 0xFF, 0xC0u);  // the random picture's blue
  bar.SetIntValue(1, true);
  EXPECT_LE(rig->Pixel(&bar, kBarX + 2 + 1, kBarY + 5) & 0xFF, 0x60u);
}

TEST_F(ValueBar, AFullBarStaysInsideItsControl) {
  // The thin style's bar is placed lower than its back is tall.
  Make(39, 0, 127, 0, 127);
  EXPECT_EQ(bar.GetHeight(), 4);
  EXPECT_TRUE(Amber(rig->Pixel(&bar, kBarX + 10, kBarY + 3)));
  EXPECT_EQ(rig->Pixel(&bar, kBarX + 10, kBarY + 4), 0u);
}

}  // namespace
