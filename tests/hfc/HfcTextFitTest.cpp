// Texts cut to their boxes with an ellipsis, measured to their last inked
// column, and the probe that hears every boxed text.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hfc/CHfcBmp.h"
#include "hfc/CHfcOffscreenContext.h"
#include "hfc/HfcTextFit.h"

namespace {

// Every glyph advances 5 and inks its first 3 columns: a text's ink ends
// two columns before its advance does.
struct InkFont {
  CHfcBmp bmp;
  tagHfcBmpFontInfo info{};
  InkFont() {
    info.cellHeight = 2;
    info.textHeight = 2;
    EXPECT_TRUE(bmp.Create(5, 2 * 128));
    uint32_t* px = bmp.LockPixels();
    for (int y = 0; y < bmp.GetHeight(); ++y)
      for (int x = 0; x < 5; ++x) px[y * 5 + x] = x < 3 ? 0xFFFFFFFFu : 0;
    bmp.UnlockPixels();
    for (int c = 0; c < 128; ++c) {
      info.width[c] = 5;
      info.advance[c] = 5;
    }
    info.bmp = &bmp;
  }
};

TEST(HfcTextFit, TextsAreMeasuredToTheirInkAndCutWithAnEllipsis) {
  InkFont font;
  EXPECT_EQ(HfcGetBmpTextInkWidth(&font.info, "ab"), 8);
  EXPECT_EQ(HfcGetBmpTextInkWidth(&font.info, ""), 0);
  struct Case {
    const char* text;
    int box;
    const char* shown;
  };
  const Case cases[] = {
      {"ab", 8, "ab"},           // the ink fits, the advance would not
      {"abcd", 18, "abcd"},
      {"abcde", 22, "a..."},
      {"abcdef", 20, "a..."},
      {"a bcde", 25, "a..."},    // no space before the dots
      {"abcdef", 12, ".."},      // room for two dots only
      {"abcdef", 2, ""},
      {"", 0, ""},
  };
  for (const Case& c : cases) {
    const std::string shown = HfcFitBmpText(&font.info, c.text, c.box);
    EXPECT_EQ(shown, c.shown) << c.text << " in " << c.box;
    EXPECT_LE(HfcGetBmpTextInkWidth(&font.info, shown), c.box) << c.text << " in " << c.box;
  }
}

class Listener : public IHfcTextProbe {
 public:
  void OnBoxedText(const tagHfcBoxedText& t) override { heard.push_back(t); }
  std::vector<tagHfcBoxedText> heard;
};

TEST(HfcTextFit, ABoxedTextIsHeardWholeAndDrawnCutInsideItsBox) {
  InkFont font;
  Listener listener;
  HfcSetTextProbe(&listener);
  CHfcOffscreenContext dc(60, 2);
  dc.DrawBmpTextInBox(2, 0, "abcdef", 20, &font.info, 0xFFFFFFFF);
  HfcSetTextProbe(nullptr);
  CHfcOffscreenContext other(60, 2);
  other.DrawBmpTextInBox(2, 0, "unheard", 20, &font.info, 0xFFFFFFFF);

  ASSERT_EQ(listener.heard.size(), 1u);
  EXPECT_EQ(listener.heard[0].text, "abcdef");
  EXPECT_EQ(listener.heard[0].x, 2);
  EXPECT_EQ(listener.heard[0].width, 20);
  EXPECT_EQ(listener.heard[0].font, &font.info);
  // "a..." from x 2: four glyphs of three inked columns, nothing at or past
  // the box's end (x 22).
  std::vector<int> inked;
  for (int x = 0; x < 60; ++x)
    if ((dc.GetBmp()->GetPixel(x, 0) >> 24) > 0x80) inked.push_back(x);
  EXPECT_EQ(inked, (std::vector<int>{2, 3, 4, 7, 8, 9, 12, 13, 14, 17, 18, 19}));
}

}  // namespace
