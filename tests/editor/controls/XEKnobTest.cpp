#include "editor/controls/XEKnob.h"

#include <gtest/gtest.h>

#include <cmath>
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

constexpr uint32_t kPanel = 0xFF808890;
constexpr int kKnobX = 50;
constexpr int kKnobY = 20;
constexpr float kPi = 3.14159265f;

std::unique_ptr<CHfcBmp> FlatPicture(int w, int h, uint32_t colour) {
  auto bmp = std::make_unique<CHfcBmp>();
  bmp->Create(w, h);
  uint32_t* px = bmp->LockPixels();
  for (int i = 0; i < w * h; ++i) px[i] = colour;
  bmp->UnlockPixels();
  return bmp;
}

// The pixel whose centre lies on the meter picture's ring (13.5 pixels
// from the ring's centre) at the angle.
constexpr float kRing = 13.5f;
int RingX(float a) { return static_cast<int>(std::floor(18.0f + kRing * std::cos(a))); }
int RingY(float a) { return static_cast<int>(std::floor(18.0f - kRing * std::sin(a))); }

// Lit, or partly lit at the edge of a narrow sector: warmer than the grey
// of the unlit groove.
bool Lit(uint32_t p) { return static_cast<int>((p >> 16) & 0xFF) > static_cast<int>(p & 0xFF) + 40; }
bool Cyan(uint32_t p) { return ((p >> 16) & 0xFF) < 150 && (p & 0xFF) > 200; }

struct Knob : FontFixture {
  vesk::test::TestEnvironment env;
  std::unique_ptr<hfctest::ControlRig> rig;
  std::unique_ptr<CHfcBmp> panel;
  hfctest::ReportLog listener;
  XEKnob knob;

  void SetUp() override {
    FontFixture::SetUp();
    rig = std::make_unique<hfctest::ControlRig>(&env);
    panel = FlatPicture(300, 160, kPanel);
  }
  void TearDown() override {
    knob.Destroy();
    rig.reset();
    FontFixture::TearDown();
  }
  void Make(int minimum, int maximum, int centre, int value, bool minimumMeter = false) {
    ASSERT_TRUE(skintest::CreateFactoryKnob(&knob, kKnobX, kKnobY, minimum, maximum, centre, 4,
                                            panel.get(), minimumMeter));
    knob.SetListener(&listener);
    rig->Add(&knob);
    knob.SetIntValue(value, true);
    knob.SetPtrValue(const_cast<char*>(std::to_string(value).c_str()), true);
  }
  // The ring's pixel at an angle in degrees (the drawing's convention).
  uint32_t Ring(float degrees) {
    const float a = degrees * kPi / 180.0f;
    return rig->Pixel(&knob, kKnobX + RingX(a), kKnobY + RingY(a));
  }
  // Layer point of a knob point.
  int X(int x) const { return kKnobX + x; }
  int Y(int y) const { return kKnobY + y; }
};

struct ArcCase {
  const char* name;
  int minimum, maximum, centre, value;
  float degrees;
  bool lit;
};

TEST_F(Knob, TheRingIsLitFromTheCentreValueToTheValue) {
  const ArcCase cases[] = {
      {"maximum: the top", 0, 127, 0, 127, 90.0f, true},
      {"maximum: just before the end", 0, 127, 0, 127, -40.0f, true},
      {"maximum: the start", 0, 127, 0, 127, 220.0f, true},
      {"below the end", 0, 127, 0, 120, -40.0f, false},
      {"half: before the value", 0, 127, 0, 64, 135.0f, true},
      {"half: past the value", 0, 127, 0, 64, 45.0f, false},
      {"minimum: one step lit", 0, 127, 0, 0, 228.0f, true},
      {"minimum: nothing further", 0, 127, 0, 0, 200.0f, false},
      {"at the centre: widened to the gap", 0, 127, 64, 64, 88.6f, true},
      {"at the centre: no further", 0, 127, 64, 64, 80.0f, false},
      {"below the centre: up to the centre", -64, 63, 0, -32, 120.0f, true},
      {"below the centre: not past it", -64, 63, 0, -32, 80.0f, false},
      {"centre at the maximum: nothing before", 0, 127, 127, 127, 0.0f, false},
      {"no range: uncut", 5, 5, 5, 5, 90.0f, true},
  };
  for (const ArcCase& c : cases) {
    SCOPED_TRACE(c.name);
    Make(c.minimum, c.maximum, c.centre, c.value);
    EXPECT_EQ(Lit(Ring(c.degrees)), c.lit) << std::hex << Ring(c.degrees);
    knob.Destroy();
  }
}

TEST_F(Knob, TheMinimumPictureShowsUncutAtTheMinimum) {
  Make(0, 127, 0, 0, true);
  EXPECT_TRUE(Cyan(Ring(90.75f)));
  knob.SetIntValue(1, true);
  EXPECT_FALSE(Cyan(Ring(90.75f)));
  EXPECT_FALSE(Lit(Ring(90.75f)));
}

TEST_F(Knob, AFastDragMovesOneValueAPixelAndASlowOneAQuarter) {
  Make(0, 127, 0, 20);
  rig->Press(X(18), Y(4));
  for (int i = 1; i <= 10; ++i) rig->Drag(X(18), Y(4 - i), 0, 30);
  rig->Release(X(18), Y(-6));
  // One edit for the listener: begun at the press, ended at the release.
  EXPECT_EQ(listener.Take(), (Log{"begin", "int 21", "int 22", "int 23", "int 24", "int 25", "int 26",
                                  "int 27", "int 28", "int 29", "int 30", "lost", "end"}));
  // 200 ms a move: 50 / 200 of a value a pixel, 2.5 over ten pixels.
  rig->Press(X(18), Y(4));
  for (int i = 1; i <= 10; ++i) rig->Drag(X(18), Y(4 - i), 0, 200);
  rig->Release(X(18), Y(-6));
  // One edit for the listener: begun at the press, ended at the release.
  EXPECT_EQ(listener.Take(), (Log{"begin", "int 21", "int 22", "lost", "end"}));
  // Past 1600 ms a move the step is 50 / 1600; downwards lowers.
  rig->Press(X(18), Y(4));
  for (int i = 1; i <= 32; ++i) rig->Drag(X(18), Y(4 + i), 0, 2000);
  rig->Release(X(18), Y(36));
  EXPECT_EQ(listener.Take(), (Log{"begin", "int 19", "lost", "end"}));
}

TEST_F(Knob, ADragIsClampedToTheRange) {
  Make(0, 127, 0, 125);
  rig->Press(X(18), Y(4));
  for (int i = 1; i <= 5; ++i) rig->Drag(X(18), Y(4 - i));
  rig->Release(X(18), Y(-1));
  EXPECT_EQ(listener.Take(), (Log{"begin", "int 126", "int 127", "lost", "end"}));
  // A press beside the ring and the text is not the knob's.
  EXPECT_FALSE(knob.OnHfcMouseLButtonDown(nullptr, 40, 40, 0));
}

TEST_F(Knob, ArrowKeysStepByTheKeyStepExceptWhileDragging) {
  Make(0, 127, 0, 127);
  knob.SetFocus(0);
  rig->Key(XK_Up);
  rig->Key(XK_Down);
  rig->Key(XK_Left);
  EXPECT_EQ(listener.Take(), (Log{"int 126", "int 126"}));
  rig->Press(X(18), Y(4));
  knob.SetFocus(0);
  listener.Take();
  rig->Key(XK_Down);
  EXPECT_EQ(listener.Take(), Log{});
  rig->Release(X(18), Y(4));
}

TEST_F(Knob, ATypedValueIsReportedWithItsSignGlyphTurnedIntoASign) {
  Make(-64, 63, 0, -5);
  knob.SetPtrValue(const_cast<char*>("\x04" "5"), true);
  rig->DoubleClick(X(18), Y(18));
  ASSERT_TRUE(knob.IsEditing());
  EXPECT_EQ(knob.GetEngine()->GetSelectionEnd(), 2);
  rig->Key(XK_Right);
  listener.Take();
  rig->Key(XK_Return);
  EXPECT_EQ(listener.Take(), (Log{"begin", "text -5", "end"}));
  EXPECT_FALSE(knob.IsEditing());
  // Typing replaces the selected value.
  rig->DoubleClick(X(18), Y(18));
  rig->Type("-12");
  rig->Key(XK_Return);
  EXPECT_EQ(listener.Take(), (Log{"begin", "lost", "end", "double 18,18", "begin", "text -12", "end"}));
}

TEST_F(Knob, EscapeFocusLossAndAPressBesideTheTextDropTheTypedText) {
  Make(0, 127, 0, 64);
  rig->DoubleClick(X(18), Y(18));
  rig->Type("9");
  rig->Key(XK_Escape);
  EXPECT_FALSE(knob.IsEditing());
  rig->DoubleClick(X(18), Y(18));
  rig->Type("9");
  rig->window().platform()->InjectFocus(false);
  rig->Run();
  EXPECT_FALSE(knob.IsEditing());
  rig->window().platform()->InjectFocus(true);
  rig->Run();
  rig->DoubleClick(X(18), Y(18));
  rig->Type("9");
  rig->Click(X(2), Y(2));  // on the ring, outside the text
  EXPECT_FALSE(knob.IsEditing());
  for (const std::string& entry : listener.Take()) EXPECT_EQ(entry.rfind("text", 0), std::string::npos) << entry;
}

TEST_F(Knob, TheTextFollowsTheDisplaySettingsOfThePage) {
  Make(0, 127, 0, 64);
  knob.SetDispInfo(10, 16, 3);
  knob.SetPtrValue(const_cast<char*>("12345"), true);
  EXPECT_STREQ(static_cast<char*>(knob.GetPtrValue()), "123");
  // Dark text pixels appear in the middle below the ring's centre.
  int dark = 0;
  for (int y = Y(15); y < Y(26); ++y)
    for (int x = X(8); x < X(30); ++x) dark += (rig->Pixel(&knob, x, y) & 0xFF) < 0x40;
  EXPECT_GT(dark, 10);
}

// A plain knob: whole steps a number of pixels apart and a mask painted
// over the unlit ring.
TEST_F(Knob, APlainKnobDragsByPixelsPerStepAndMasksTheUnlitRing) {
  auto meter = FlatPicture(36, 36, 0xFFFFA21F);
  tagMMPCtrlKnobParam p{};
  p.x = kKnobX;
  p.y = kKnobY;
  p.minimum = 0;
  p.maximum = 127;
  p.centre = 127;
  p.pixelsPerStep = 4;
  p.ringX = p.ringY = p.ringRadius = 18.0f;
  p.startAngle = 3.9880764f;
  p.endAngle = -0.8203046f;
  p.gap = 0.05f;
  p.maskColor = 0xFF000000;
  p.meter = meter.get();
  p.body = nullptr;
  CMMPCtrlKnob plain;
  EXPECT_FALSE(plain.Create(&p, 1, 0));  // no body
  auto body = FlatPicture(36, 36, 0x00000000);
  p.body = body.get();
  ASSERT_TRUE(plain.Create(&p, 1, 0));
  plain.SetListener(&listener);
  rig->Add(&plain);
  plain.SetIntValue(127, true);
  // At the maximum with the centre there: lit next to the end only.
  auto at = [&](float degrees) {
    const float a = degrees * kPi / 180.0f;
    return rig->Pixel(&plain, kKnobX + RingX(a), kKnobY + RingY(a));
  };
  EXPECT_TRUE(Lit(at(-45.5f)));
  EXPECT_EQ(at(90.0f), 0xFF000000u);
  rig->Press(kKnobX + 18, kKnobY + 18);
  rig->Drag(kKnobX + 18, kKnobY + 30);  // 12 pixels down: a value a pixel
  rig->Drag(kKnobX + 18, kKnobY + 28, 1);  // fine: a quarter a pixel
  rig->Drag(kKnobX + 18, kKnobY + 26, 1);
  rig->Release(kKnobX + 18, kKnobY + 26);
  EXPECT_EQ(listener.Take(), (Log{"begin", "int 115", "int 116", "lost", "end"}));
  plain.Destroy();
  // A knob made without pixels per step moves by single values instead of
  // dividing by zero.
  p.pixelsPerStep = 0;
  ASSERT_TRUE(plain.Create(&p, 1, 0));
  rig->Add(&plain);
  plain.SetIntValue(10, false);
  rig->Press(kKnobX + 18, kKnobY + 18);
  rig->Drag(kKnobX + 18, kKnobY + 16);
  rig->Release(kKnobX + 18, kKnobY + 16);
  EXPECT_EQ(listener.Take(), (Log{"begin", "int 12", "lost", "end"}));
  plain.Destroy();
}

}  // namespace
