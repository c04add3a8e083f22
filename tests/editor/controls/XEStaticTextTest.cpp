#include "editor/controls/XEStaticText.h"

#include <utility>

#include "editor/controls/XEStaticBmp.h"
#include "editor/controls/XESoundSelector.h"
#include "tests/editor/controls/SkinnedControlFixture.h"

namespace {

using namespace skinnedtest;

class LabelTest : public SkinnedControlTest {
 protected:
  tagHfcBmpFontInfo* Font(const char* name) { return FontManager::mInstance->GetBmpFontInfo(name); }
  // Columns [first, last] that hold ink (clearly darker than the page) in
  // the rows of a box; first is -1 without ink.
  std::pair<int, int> InkColumns(int left, int top, int right, int bottom) {
    int first = -1, last = -1;
    for (int x = left; x < right; ++x)
      for (int y = top; y < bottom; ++y)
        if (((Pixel(x, y) >> 8) & 0xFF) < 0xA0) {
          if (first < 0) first = x;
          last = x;
          break;
        }
    return {first, last};
  }
  int Darkest(int left, int top, int right, int bottom) {
    int darkest = 255;
    for (int x = left; x < right; ++x)
      for (int y = top; y < bottom; ++y) darkest = std::min<int>(darkest, (Pixel(x, y) >> 8) & 0xFF);
    return darkest;
  }
};

TEST_F(LabelTest, AlignmentPlacesTheTextInItsBox) {
  XEStaticText right, wide;
  SXEStaticText r{100, 20, 120, 0, editor.back(), 100, 20, Font("FontHelvB11"), "LEVEL", 0xFF000000u,
                  2, 4, 1, 0};
  ASSERT_TRUE(right.Create(&r, 1, 0));
  EXPECT_EQ(right.GetHeight(), Font("FontHelvB11")->cellHeight);
  Add(&right);
  Idle(20);
  // Right-aligned with x offset 4: the text ends 4 pixels before the edge.
  const auto ink = InkColumns(100, 20, 260, 20 + right.GetHeight());
  EXPECT_LE(ink.second, 220 - 4 - 1);
  EXPECT_GE(ink.second, 220 - 4 - 3);
  // A text wider than its box starts at 0 and is cut at the box's width.
  SXEStaticText w{100, 60, 40, 0, editor.back(), 100, 60, Font("FontHelvB11"),
                  "FILTER ENVELOPE INTENSITY", 0xFF000000u, 1, 0, 0, 0};
  ASSERT_TRUE(wide.Create(&w, 2, 0));
  Add(&wide);
  Idle(20);
  const auto cut = InkColumns(90, 60, 200, 60 + wide.GetHeight());
  EXPECT_LE(cut.first, 101);
  EXPECT_GE(cut.first, 100);
  EXPECT_LT(cut.second, 140);
  // New text replaces the old one and is drawn at the next idle.
  char text[] = "LFO";
  right.SetPtrValue(text, false);
  right.SetPtrValue(nullptr, false);  // ignored
  EXPECT_EQ(right.GetText(), "LFO");
}

TEST_F(LabelTest, ADisabledLabelFadesItsTextToHalfAlpha) {
  XEStaticText label;
  SXEStaticText p{20, 20, 80, 0, editor.back(), 20, 20, Font("FontArialB12"), "WWW", 0xFF000000u, 0,
                  0, 0, 0};
  ASSERT_TRUE(label.Create(&p, 1, 0));
  Add(&label);
  label.Enable(true);
  Idle(20);
  EXPECT_LT(Darkest(20, 20, 100, 20 + label.GetHeight()), 0x20);
  label.Disable(true);
  Idle(20);
  // Black at alpha 0x7F over the page's 0xDE green: 0xDE * 128 / 255.
  EXPECT_NEAR(Darkest(20, 20, 100, 20 + label.GetHeight()), 0xDE * 128 / 255, 3);
  EXPECT_EQ(XEScaleAlpha(0xFF000000u, 0.5f), 0x7F000000u);
}

TEST_F(LabelTest, ACentredLabelRepaintsNoBackgroundBelowItsBox) {
  // The label's background is a colour of its own, so what it repaints shows.
  auto back = Flat(kWidth, kHeight, 0xFF8090A0u);
  XEStaticText label;
  SXEStaticText p{50, 100, 80, 16, back.get(), 50, 100, Font("FontGeneva9"), "CUTOFF", 0xFF000000u,
                  1, 0, 1, 2};
  ASSERT_TRUE(label.Create(&p, 1, 0));
  Add(&label);
  Idle(20);
  EXPECT_EQ(Pixel(52, 115), 0xFF8090A0u);
  for (int y = 116; y < 135; ++y) EXPECT_EQ(Pixel(52, y), kPageColor) << y;
  // The page hears a click on a label and decides whether it counts.
  label.Enable(false);
  Click(60, 105);
  EXPECT_EQ(listener.log, (std::vector<std::string>{"press 10,5"}));
}

TEST_F(LabelTest, StaticPictureShowsItsPieceAndDimsWhenDisabled) {
  auto pic = FrameStrip(20, 10, 3);
  XEStaticBmp bmp;
  SXEStaticBmp p{30, 30, 20, 10, pic.get(), 0, 10};
  ASSERT_TRUE(bmp.Create(&p, 1, 0));
  Add(&bmp);
  Idle(20);
  EXPECT_EQ(FrameOf(Pixel(35, 35)), 1);
  bmp.Disable(true);
  Idle(20);
  EXPECT_EQ(FrameOf(Pixel(35, 35)), -1);  // whitened
  EXPECT_FALSE(XEStaticBmp().Create(nullptr, 1, 0));
}

class SelectorTest : public LabelTest {
 protected:
  // A selector at (40, y), laid out `width` wide (0: its picture's width).
  void Make(XESoundSelector& s, int y, bool strip, int width = 0) {
    if (!frame) frame = Flat(139, 13, 0xFFF4F5E8u);
    SXESoundSelector p{3, 40, y, frame.get(), editor.back(), 40, y, nullptr, 4, strip, 0xFF000000u};
    ASSERT_TRUE(s.Create(&p, 1, 0));
    // Before it is on a layer: the frame takes the size, nothing redraws.
    if (width) s.Resize(width, s.GetHeight(), false);
    Add(&s);
  }
  // The pixels of one selector's row band, shifted to its own origin.
  std::vector<uint32_t> Band(int y) {
    std::vector<uint32_t> v;
    for (int yy = y; yy < y + 13; ++yy)
      for (int x = 40; x < 40 + 139; ++x) v.push_back(Pixel(x, yy));
    return v;
  }
  std::unique_ptr<CHfcBmp> frame;
};

TEST_F(SelectorTest, TheStripPrefixFlagShowsTheNameAfterTheNumberAtEveryRedraw) {
  XESoundSelector stripped, plain;
  Make(stripped, 40, true);
  Make(plain, 80, false);
  EXPECT_EQ(stripped.GetWidth(), 139);
  struct Case {
    const char* text;
    const char* shown;
  };
  const Case cases[] = {
      {"A012: Warm Pad", "Warm Pad"},
      {"12: Bank: Name", "Bank: Name"},  // only the first prefix goes
      {"No Number", "No Number"},
      {"A012:", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    stripped.SetPtrValue(const_cast<char*>(c.text), true);
    plain.SetPtrValue(const_cast<char*>(c.shown), true);
    for (int redraw = 0; redraw < 3; ++redraw) {
      stripped.SetDirty(true);
      Idle(20);
      EXPECT_EQ(stripped.GetText(), c.text);
      EXPECT_EQ(stripped.GetShownText(), c.shown);
      EXPECT_EQ(Band(40), Band(80));
    }
  }
}

// Laid out wider or narrower than its frame picture, a field draws the
// picture's ends at its own ends, the picture's middle between them, and
// nothing past its own end.
TEST_F(SelectorTest, AFieldOfAnotherWidthThanItsPictureKeepsThePicturesEnds) {
  constexpr uint32_t kEdge = 0xFF202020u;
  constexpr uint32_t kFill = 0xFFF4F5E8u;
  frame = Flat(20, 13, kFill);
  uint32_t* px = frame->LockPixels();
  for (int y = 0; y < 13; ++y) px[y * 20] = px[y * 20 + 19] = kEdge;
  frame->UnlockPixels();
  XESoundSelector wide, narrow;
  Make(wide, 40, false, 60);
  Make(narrow, 80, false, 12);
  Idle(20);
  for (const auto& [y, width] : {std::pair{46, 60}, std::pair{86, 12}}) {
    for (int x = 40; x < 40 + width; ++x)
      EXPECT_EQ(Pixel(x, y), x == 40 || x == 40 + width - 1 ? kEdge : kFill) << width << " wide, column " << x - 40;
    for (int x = 40 + width; x < 40 + 20; ++x)
      EXPECT_TRUE(Pixel(x, y) != kEdge && Pixel(x, y) != kFill) << width << " wide, column " << x - 40 << " past it";
  }
}

TEST_F(SelectorTest, ValuesOutsideTheRangeAreStoredAsNone) {
  XESoundSelector s;
  Make(s, 40, false);
  s.SetMinIntValue(0, false);
  s.SetMaxIntValue(127, false);
  struct Case {
    int value, stored;
  };
  for (const Case c : {Case{0, 0}, Case{127, 127}, Case{128, -1}, Case{-2, -1}}) {
    s.SetIntValue(c.value, false);
    EXPECT_EQ(s.GetIntValue(), c.stored) << c.value;
  }
  // A click the page takes stops there; otherwise the selector keeps it.
  listener.consumePress = true;
  Click(50, 45);
  EXPECT_EQ(listener.log.size(), 1u);
  EXPECT_EQ(s.GetPressTime(), 0);
  listener.consumePress = false;
  Click(50, 45);
  EXPECT_NE(s.GetPressTime(), 0);
}

}  // namespace
