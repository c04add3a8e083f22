#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "hfc/CHfcBmp.h"
#include "hfc/CHfcOffscreenContext.h"

namespace {

// A bitmap filled with one word.
void Fill(CHfcBmp& bmp, uint32_t word) {
  uint32_t* p = bmp.LockPixels();
  for (int i = 0; i < bmp.GetWidth() * bmp.GetHeight(); ++i) p[i] = word;
  bmp.UnlockPixels();
}

void Put(CHfcBmp& bmp, int x, int y, uint32_t word) {
  uint32_t* p = bmp.LockPixels();
  p[y * bmp.GetWidth() + x] = word;
  bmp.UnlockPixels();
}

// Blends one source word onto one destination word through blit.
template <typename Blit>
uint32_t BlendOne(uint32_t dst, uint32_t src, Blit blit) {
  CHfcOffscreenContext dc(1, 1);
  Fill(*dc.GetBmp(), dst);
  CHfcBmp bmp;
  EXPECT_TRUE(bmp.Create(1, 1));
  Fill(bmp, src);
  blit(dc, bmp);
  EXPECT_EQ(bmp.GetLockCount(), 0);
  EXPECT_EQ(dc.GetBmp()->GetLockCount(), 0);
  return dc.GetBmp()->GetPixel(0, 0);
}

struct BlendCase {
  uint32_t src, dst, expected;
};

TEST(CHfcOffscreenContext, OverBlendInFixedPoint) {
  const BlendCase cases[] = {
      {0x80FF0000, 0xFF0000FF, 0xFF81007F},  // half red over blue
      {0x00000000, 0x00000000, 0x01000000},  // two transparent pixels give alpha 1
      {0xFF123456, 0xFF654321, 0xFF123456},  // opaque source replaces
      {0x00FFFFFF, 0xFF102030, 0xFF112131},  // a transparent source still nudges the colour
      {0x40808080, 0x20000000, 0x61212121},
  };
  for (const BlendCase& c : cases) {
    const uint32_t out =
        BlendOne(c.dst, c.src, [](CHfcOffscreenContext& dc, CHfcBmp& src) { dc.CopyBmp(0, 0, 1, 1, &src, 0, 0); });
    EXPECT_EQ(out, c.expected) << std::hex << c.src << " over " << c.dst;
  }
}

TEST(CHfcOffscreenContext, CopyBmpAlphaScalesTheSourceAlpha) {
  struct Case {
    uint32_t src, dst;
    float alpha;
    uint32_t expected;
  };
  const Case cases[] = {
      {0xFFFFFFFF, 0x64646464, 0.0f, 0x65656565},  // byte 100 under 255 becomes 101, alpha rises by 1
      {0xFF000000, 0x64646464, 0.0f, 0x65646464},  // under 0 it stays 100
      {0xFFFF0000, 0xFF0000FF, 1.0f, 0xFFFF0000},
      {0xFFFF0000, 0xFF0000FF, 0.5f, 0xFF800080},
      {0xFFFF0000, 0xFF0000FF, 7.0f, 0xFFFF0000},  // alpha above 1 counts as 1
  };
  for (const Case& c : cases) {
    const uint32_t out = BlendOne(c.dst, c.src, [&c](CHfcOffscreenContext& dc, CHfcBmp& src) {
      dc.CopyBmpAlpha(0, 0, 1, 1, &src, c.alpha, 0, 0);
    });
    EXPECT_EQ(out, c.expected) << c.alpha;
  }
  // A pre-multiplied source weighs its colours by the global alpha alone;
  // colours above their alpha (not truly pre-multiplied) saturate instead of
  // wrapping around.
  struct PremultipliedCase {
    uint32_t src, dst, expected;
  };
  for (const PremultipliedCase& c : {PremultipliedCase{0x80800000, 0xFF0000FF, 0xFF81017F},
                                     PremultipliedCase{0x00FFFFFF, 0xFFFFFFFF, 0xFFFFFFFF}}) {
    const uint32_t out = BlendOne(c.dst, 0, [&c](CHfcOffscreenContext& dc, CHfcBmp& src) {
      src.MakeAlphaPreMultiplied();
      Fill(src, c.src);
      dc.CopyBmpAlpha(0, 0, 1, 1, &src, 1.0f, 0, 0);
    });
    EXPECT_EQ(out, c.expected) << std::hex << c.src;
  }
  // A pre-multiplied destination is left alone.
  CHfcOffscreenContext dc(1, 1);
  Fill(*dc.GetBmp(), 0xFF102030);
  dc.GetBmp()->MakeAlphaPreMultiplied();
  CHfcBmp src;
  ASSERT_TRUE(src.Create(1, 1));
  Fill(src, 0xFFFFFFFF);
  dc.CopyBmpAlpha(0, 0, 1, 1, &src, 1.0f, 0, 0);
  EXPECT_EQ(dc.GetBmp()->GetPixel(0, 0), 0xFF102030u);
}

TEST(CHfcOffscreenContext, MaxAndSubtractBlends) {
  CHfcOffscreenContext dc(2, 1);
  Put(*dc.GetBmp(), 0, 0, 0x40806040);
  Put(*dc.GetBmp(), 1, 0, 0x40806040);
  CHfcBmp src;
  ASSERT_TRUE(src.Create(2, 1));
  Put(src, 0, 0, 0x80407090);
  Put(src, 1, 0, 0x00FFFFFF);
  dc.CopyBmpMax(0, 0, 2, 1, &src, 0, 0);
  EXPECT_EQ(dc.GetBmp()->GetPixel(0, 0), 0x80807090u);
  EXPECT_EQ(dc.GetBmp()->GetPixel(1, 0), 0x40806040u);  // transparent source pixel: untouched

  Put(src, 0, 0, 0x50000000);
  dc.CopyBmpSubUsingAlpha(0, 0, 1, 1, &src, 0, 0);
  EXPECT_EQ(dc.GetBmp()->GetPixel(0, 0), 0x30302040u);
}

TEST(CHfcOffscreenContext, BlitsClipToBothBitmaps) {
  CHfcBmp src;
  ASSERT_TRUE(src.Create(10, 10));
  Fill(src, 0xFFFFFFFF);
  struct Case {
    int dx, dy, w, h, sx, sy;
    int firstColumn, columns, rows;
  };
  const Case cases[] = {
      {2, 0, 10, 1, -5, 0, 7, 5, 1},     // a negative source start moves the destination along
      {-3, 0, 10, 2, 0, 0, 0, 7, 2},     // cut at the destination's left edge
      {15, 0, 10, 1, 0, 0, 15, 5, 1},    // cut at its right edge
      {0, 0, 20, 20, 4, 6, 0, 6, 4},     // cut to the source
      {0, 0, 5, 5, 20, 0, 0, 0, 0},      // source area outside: nothing
      {0, -30, 5, 5, 0, 0, 0, 0, 0},     // destination outside: nothing
  };
  for (const Case& c : cases) {
    CHfcOffscreenContext dc(20, 20);
    dc.CopyBmp(c.dx, c.dy, c.w, c.h, &src, c.sx, c.sy);
    int first = -1, columns = 0, rows = 0;
    for (int y = 0; y < 20; ++y) {
      int inRow = 0;
      for (int x = 0; x < 20; ++x) {
        if (dc.GetBmp()->GetPixel(x, y) != 0) {
          if (first < 0) first = x;
          ++inRow;
        }
      }
      if (inRow > 0) {
        ++rows;
        columns = inRow;
      }
    }
    SCOPED_TRACE(testing::Message() << c.dx << "," << c.dy << " " << c.w << "x" << c.h << " from " << c.sx << "," << c.sy);
    EXPECT_EQ(rows, c.rows);
    EXPECT_EQ(columns, c.columns);
    if (c.rows > 0) {
      EXPECT_EQ(first, c.firstColumn);
    }
  }
}

TEST(CHfcOffscreenContext, MoveRectHandlesOverlapInEveryDirection) {
  for (auto [dx, dy] : {std::pair{2, 1}, {-2, -1}, {3, 0}, {0, -2}}) {
    CHfcOffscreenContext dc(8, 6);
    CHfcBmp* bmp = dc.GetBmp();
    for (int y = 0; y < 6; ++y)
      for (int x = 0; x < 8; ++x) Put(*bmp, x, y, static_cast<uint32_t>(y * 8 + x + 1));
    std::vector<uint32_t> before;
    for (int y = 0; y < 6; ++y)
      for (int x = 0; x < 8; ++x) before.push_back(bmp->GetPixel(x, y));
    tagHfcRect r{1, 1, 6, 5};
    dc.MoveRect(&r, dx, dy);
    for (int y = 0; y < 6; ++y) {
      for (int x = 0; x < 8; ++x) {
        const int ox = x - dx, oy = y - dy;
        const bool moved = ox >= 1 && ox < 6 && oy >= 1 && oy < 5;
        const uint32_t expected = moved ? before[oy * 8 + ox] : before[y * 8 + x];
        ASSERT_EQ(bmp->GetPixel(x, y), expected) << "move " << dx << "," << dy << " at " << x << "," << y;
      }
    }
  }
  // Moving past the edges drops what falls outside.
  CHfcOffscreenContext dc(4, 4);
  Fill(*dc.GetBmp(), 0xFF000001);
  tagHfcRect all{-5, -5, 50, 50};
  dc.MoveRect(&all, -10, 0);
  dc.MoveRect(&all, 3, 3);
  EXPECT_EQ(dc.GetBmp()->GetPixel(3, 3), 0xFF000001u);
}

TEST(CHfcDrawContext, FrameRectCoversTheOutermostPixels) {
  CHfcOffscreenContext dc(12, 12);
  dc.SetPenColor(0xFFFFFFFF);
  dc.FrameRect(0, 0, 10, 10);
  CHfcBmp* bmp = dc.GetBmp();
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(bmp->GetPixel(i, 0), 0xFFFFFFFFu) << i;
    EXPECT_EQ(bmp->GetPixel(i, 9), 0xFFFFFFFFu) << i;
    EXPECT_EQ(bmp->GetPixel(0, i), 0xFFFFFFFFu) << i;
    EXPECT_EQ(bmp->GetPixel(9, i), 0xFFFFFFFFu) << i;
    EXPECT_EQ(bmp->GetPixel(10, i), 0u) << i;
    EXPECT_EQ(bmp->GetPixel(i, 10), 0u) << i;
  }
  for (int y = 1; y < 9; ++y)
    for (int x = 1; x < 9; ++x) EXPECT_EQ(bmp->GetPixel(x, y), 0u) << x << "," << y;
}

TEST(CHfcDrawContext, FillAndClearRectangles) {
  CHfcOffscreenContext dc(6, 6);
  dc.SetBrushColor(0xFF204060);
  tagHfcRect r{1, 2, 4, 5};
  dc.FillRect(&r);
  CHfcBmp* bmp = dc.GetBmp();
  int filled = 0;
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 6; ++x) filled += bmp->GetPixel(x, y) == 0xFF204060u;
  EXPECT_EQ(filled, 9);
  EXPECT_EQ(bmp->GetPixel(0, 2), 0u);
  dc.ClearRect(2, 3, 1, 1);
  EXPECT_EQ(bmp->GetPixel(2, 3), 0u);
  EXPECT_EQ(bmp->GetPixel(1, 3), 0xFF204060u);
  // Half-transparent brush over an opaque pixel.
  dc.SetBrushColor(0x80FFFFFF);
  dc.FillRect(1, 2, 1, 1);
  EXPECT_EQ(bmp->GetPixel(1, 2), 0xFF90A0B0u);
}

TEST(CHfcDrawContext, ArcsRunCounterClockwiseFromTheRight) {
  // The quarter from angle 0 to pi/2 lies above and right of the centre on
  // screen; a positive sweep runs clockwise, into the lower right.
  struct Case {
    float a0, sweepOrEnd;
    bool startSweepForm;
    bool upperRight, lowerRight, upperLeft;
  };
  const Case cases[] = {
      {0.0f, 1.5707964f, false, true, false, false},
      {0.0f, 1.5707964f, true, false, true, false},
      {0.0f, -1.0f, true, true, false, false},  // negative sweep: counter-clockwise
      {1.5707964f, 3.1415927f, false, false, false, true},
  };
  for (const Case& c : cases) {
    CHfcOffscreenContext dc(21, 21);
    dc.SetBrushColor(0xFFFFFFFF);
    if (c.startSweepForm) {
      dc.FillArc(10.0f, 10.0f, 9.0f, c.a0, c.sweepOrEnd);
    } else {
      dc.FillArc(10.0f, 10.0f, 9.0f, c.a0, c.sweepOrEnd, false);
    }
    CHfcBmp* bmp = dc.GetBmp();
    SCOPED_TRACE(testing::Message() << c.a0 << " " << c.sweepOrEnd << (c.startSweepForm ? " sweep" : " end"));
    EXPECT_EQ(bmp->GetPixel(14, 7) != 0, c.upperRight);
    EXPECT_EQ(bmp->GetPixel(14, 14) != 0, c.lowerRight);
    EXPECT_EQ(bmp->GetPixel(6, 6) != 0, c.upperLeft);
  }
  CHfcOffscreenContext dc(21, 21);
  dc.SetBrushColor(0xFFFFFFFF);
  dc.FillCircle(10.0f, 10.0f, 6.0f);
  EXPECT_EQ(dc.GetBmp()->GetPixel(10, 10), 0xFFFFFFFFu);
  EXPECT_EQ(dc.GetBmp()->GetPixel(10, 18), 0u);
  dc.ClearArc(10.0f, 10.0f, 8.0f, 0.0f, 3.1415927f, false);  // upper half
  EXPECT_EQ(dc.GetBmp()->GetPixel(10, 7), 0u);
  EXPECT_EQ(dc.GetBmp()->GetPixel(10, 13), 0xFFFFFFFFu);
}

TEST(CHfcDrawContext, LinesJoinAtTheCurrentPoint) {
  CHfcOffscreenContext dc(10, 10);
  dc.SetPenColor(0xFF00FF00);
  dc.MoveTo(1, 2);
  dc.LineTo(8, 2);
  dc.LineTo(8, 7);
  CHfcBmp* bmp = dc.GetBmp();
  // Ends are butt: the end pixels are half covered.
  for (int x = 2; x <= 7; ++x) EXPECT_EQ(bmp->GetPixel(x, 2), 0xFF00FF00u) << x;
  for (int y = 3; y <= 6; ++y) EXPECT_EQ(bmp->GetPixel(8, y), 0xFF00FF00u) << y;
  EXPECT_EQ(bmp->GetPixel(1, 2), 0x8000FF00u);
  EXPECT_EQ(bmp->GetPixel(8, 7), 0x8000FF00u);
  EXPECT_EQ(bmp->GetPixel(1, 3), 0u);
  EXPECT_EQ(bmp->GetPixel(0, 2), 0u);
}

// A fixed-cell font whose cell c is filled with the word c + 1.
CHfcBmp* MakeCellFont(CHfcBmp& font, int cellWidth, int cellHeight) {
  EXPECT_TRUE(font.Create(cellWidth, cellHeight * 128));
  uint32_t* p = font.LockPixels();
  for (int c = 0; c < 128; ++c)
    for (int i = 0; i < cellWidth * cellHeight; ++i) p[c * cellWidth * cellHeight + i] = 0xFF000000u | (c + 1);
  font.UnlockPixels();
  return &font;
}

TEST(CHfcDrawContext, FixedCellTextStopsAtZeroUnlessLengthIsExplicit) {
  CHfcBmp font;
  MakeCellFont(font, 2, 3);
  const char text[] = {'A', 0, 'B', static_cast<char>(0xE9)};
  {
    CHfcOffscreenContext dc(12, 3);
    dc.DrawBmpText(0, 0, text, 4, &font, 0, 0);
    EXPECT_EQ(dc.GetBmp()->GetPixel(0, 0), 0xFF000000u | ('A' + 1));
    EXPECT_EQ(dc.GetBmp()->GetPixel(2, 0), 0u);
  }
  {
    CHfcOffscreenContext dc(12, 3);
    tagHfcCharTextParam param{&font, 2, 3};
    dc.CharTextOut(&param, 0, 0, text, 4);
    EXPECT_EQ(dc.GetBmp()->GetPixel(0, 0), 0xFF000000u | ('A' + 1));
    EXPECT_EQ(dc.GetBmp()->GetPixel(2, 0), 0xFF000001u);  // the zero byte's cell
    EXPECT_EQ(dc.GetBmp()->GetPixel(4, 2), 0xFF000000u | ('B' + 1));
    // A byte above 127 shows the placeholder cell.
    EXPECT_EQ(dc.GetBmp()->GetPixel(6, 1), 0xFF000000u | (kHfcBmpFontPlaceholderCode + 1));
  }
}

// A proportional font: every glyph a solid white block of its width.
struct TestFont {
  CHfcBmp bmp;
  tagHfcBmpFontInfo info{};
  TestFont() {
    info.cellHeight = 4;
    info.textHeight = 4;
    EXPECT_TRUE(bmp.Create(6, 4 * 128));
    Fill(bmp, 0xFFFFFFFF);
    for (int c = 0; c < 128; ++c) {
      info.width[c] = 3;
      info.advance[c] = 5;
    }
    info.bmp = &bmp;
  }
  // Columns of row 0 that were drawn.
  static std::vector<int> Inked(CHfcBmp& target) {
    std::vector<int> xs;
    for (int x = 0; x < target.GetWidth(); ++x)
      if (target.GetPixel(x, 0) != 0) xs.push_back(x);
    return xs;
  }
};

TEST(CHfcDrawContext, ProportionalTextTintsAndAdvances) {
  TestFont font;
  CHfcOffscreenContext dc(100, 4);
  dc.DrawBmpTextProportional(2, 0, "ab", 100, &font.info, 0xFFFF8000, false);
  EXPECT_EQ(TestFont::Inked(*dc.GetBmp()), (std::vector<int>{2, 3, 4, 7, 8, 9}));
  EXPECT_EQ(dc.GetBmp()->GetPixel(2, 0), 0xFFFE7F00u);
  EXPECT_EQ(HfcGetBmpTextWidth(&font.info, "ab"), 10);
  EXPECT_EQ(HfcGetBmpTextWidth(&font.info, "\xC4\xE9"), 10);  // placeholders
  EXPECT_EQ(HfcGetBmpTextWidth(nullptr, "x"), 0);
  EXPECT_EQ(HfcGetBmpTextWidth(&font.info, ""), 0);
}

TEST(CHfcDrawContext, ProportionalTextTabsAndWidthLimit) {
  struct Case {
    int x;
    const char* text;
    int maxWidth;
    bool tabs;
    std::vector<int> inked;
  };
  const std::vector<Case> cases = {
      {40, "\ra", 100, true, {80, 81, 82}},  // a return at x = 40 moves 40 on
      {41, "\ra", 100, true, {80, 81, 82}},  // at 41 it moves 39
      {41, "\ra", 100, false, {41, 42, 43}},
      {0, "abc", 7, false, {0, 1, 2, 5, 6}},  // the last glyph is cut to what is left
      {0, "abc", 5, false, {0, 1, 2}},
  };
  for (const Case& c : cases) {
    TestFont font;
    CHfcOffscreenContext dc(100, 4);
    dc.DrawBmpTextProportional(c.x, 0, c.text, c.maxWidth, &font.info, 0xFFFFFFFF, c.tabs);
    EXPECT_EQ(TestFont::Inked(*dc.GetBmp()), c.inked) << c.x << " " << c.maxWidth;
  }
}

TEST(CHfcDrawContext, FontsWithoutAUsablePictureDrawNothing) {
  TestFont font;
  CHfcOffscreenContext dc(40, 4);
  tagHfcBmpFontInfo noPicture = font.info;
  noPicture.bmp = nullptr;
  dc.DrawBmpTextProportional(0, 0, "ab", 40, &noPicture, 0xFFFFFFFF, false);
  tagHfcBmpFontInfo tooShort = font.info;
  tooShort.cellHeight = 5;  // 128 cells of 5 rows do not fit 512 rows
  dc.DrawBmpTextProportional(0, 0, "ab", 40, &tooShort, 0xFFFFFFFF, false);
  tagHfcBmpFontInfo noCells = font.info;
  noCells.cellHeight = 0;
  dc.DrawBmpTextProportional(0, 0, "ab", 40, &noCells, 0xFFFFFFFF, false);
  dc.DrawBmpTextProportional(0, 0, "ab", 40, nullptr, 0xFFFFFFFF, false);
  EXPECT_TRUE(TestFont::Inked(*dc.GetBmp()).empty());

  CHfcBmp tiny;
  ASSERT_TRUE(tiny.Create(3, 100));  // fewer than 128 rows: cells of height 0
  dc.DrawBmpText(0, 0, "ab", 2, &tiny, 0, 0);
  EXPECT_TRUE(TestFont::Inked(*dc.GetBmp()).empty());
}

TEST(CHfcDrawContext, ContextsWithoutAPictureDrawNothing) {
  CHfcOffscreenContext refused(0, 10);
  EXPECT_EQ(refused.GetBmp(), nullptr);
  EXPECT_FALSE(refused.Resize(5, 5));
  refused.FillRect(0, 0, 5, 5);
  refused.LineTo(4, 4);
  CHfcBmp src;
  ASSERT_TRUE(src.Create(2, 2));
  refused.CopyBmp(0, 0, 2, 2, &src, 0, 0);

  CHfcOffscreenContext dc(4, 4);
  EXPECT_FALSE(dc.Resize(0, 4));
  EXPECT_TRUE(dc.Resize(6, 3));
  EXPECT_EQ(dc.GetBmp()->GetWidth(), 6);
}

TEST(CHfcDrawContext, CopyToContextBlendsIntoAPortContext) {
  CHfcOffscreenContext layer(3, 2);
  layer.SetBrushColor(0xFF336699);
  layer.FillRect(0, 0, 3, 2);
  CHfcBmp view;
  ASSERT_TRUE(view.Create(5, 5));
  CHfcDrawContext port(&view);
  layer.CopyToContext(&port, 1, 1, 3, 2, 0, 0);
  EXPECT_EQ(view.GetPixel(1, 1), 0xFF336699u);
  EXPECT_EQ(view.GetPixel(3, 2), 0xFF336699u);
  EXPECT_EQ(view.GetPixel(4, 2), 0u);
  EXPECT_EQ(view.GetPixel(0, 0), 0u);
  // The port context's own blit: half alpha, clipped at the port.
  port.CopyBmpAlpha(-1, 0, 3, 2, layer.GetBmp(), 0.5f, 0, 0);
  EXPECT_EQ(view.GetPixel(0, 0), 0x80336699u);
  EXPECT_EQ(view.GetPixel(1, 1), 0xFF336699u);
}

}  // namespace
