#include <gtest/gtest.h>

#include <cstring>

#include "hfc/CHfcBmp.h"
#include "hfc/CHfcOffscreenContext.h"

namespace {

struct Ink {
  int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;  // inclusive bounds
  int pixels = 0;
  bool wrongColour = false;
};

// Where the picture differs from the background, and whether every touched
// pixel is a blend of the background and the ink colour's hue.
Ink FindInk(CHfcBmp& bmp, uint32_t background, uint32_t ink) {
  Ink r;
  for (int y = 0; y < bmp.GetHeight(); ++y) {
    for (int x = 0; x < bmp.GetWidth(); ++x) {
      const uint32_t p = bmp.GetPixel(x, y);
      if (p == background) continue;
      ++r.pixels;
      r.left = std::min(r.left, x);
      r.right = std::max(r.right, x);
      r.top = std::min(r.top, y);
      r.bottom = std::max(r.bottom, y);
      // Ink red over white: red stays 255, green and blue fall together.
      if ((ink & 0x00FFFFFF) == 0x00FF0000 &&
          (((p >> 16) & 0xFF) != 0xFF || ((p >> 8) & 0xFF) != (p & 0xFF)))
        r.wrongColour = true;
    }
  }
  return r;
}

void Fill(CHfcBmp& bmp, uint32_t word) {
  uint32_t* p = bmp.LockPixels();
  for (int i = 0; i < bmp.GetWidth() * bmp.GetHeight(); ++i) p[i] = word;
  bmp.UnlockPixels();
}

constexpr uint32_t kWhite = 0xFFFFFFFF;
constexpr uint32_t kRed = 0xFFFF0000;

TEST(DrawContextText, DrawsInBrushColourOnTheBaseline) {
  CHfcOffscreenContext dc(120, 40);
  Fill(*dc.GetBmp(), kWhite);
  dc.SetFont("Helvetica", 20.0f);
  dc.SetBrushColor(kRed);
  dc.DrawText(10.0f, 30.0f, "HHxx", 4);
  const Ink ink = FindInk(*dc.GetBmp(), kWhite, kRed);
  ASSERT_GT(ink.pixels, 50);
  EXPECT_FALSE(ink.wrongColour);
  // Capitals and x stand on the baseline: nothing below it, the tops of
  // the capitals about 0.73 em above it.
  EXPECT_EQ(ink.bottom, 29);
  EXPECT_NEAR(ink.top, 30 - 15, 2);
  EXPECT_NEAR(ink.left, 10 + 2, 2);
  // Some pixel is fully inked, some only partly (anti-aliased edges).
  bool full = false;
  bool partial = false;
  for (int y = ink.top; y <= ink.bottom; ++y)
    for (int x = ink.left; x <= ink.right; ++x) {
      const uint32_t p = dc.GetBmp()->GetPixel(x, y);
      full |= p == kRed;
      partial |= p != kRed && p != kWhite;
    }
  EXPECT_TRUE(full);
  EXPECT_TRUE(partial);
  EXPECT_EQ(dc.GetBmp()->GetLockCount(), 0);
}

TEST(DrawContextText, IsClippedToThePictureAndHonoursLengthSizeAndSpacing) {
  // Starting left of and above the picture and running past its right
  // edge, the text shows exactly the part of an unclipped drawing that
  // falls inside.
  CHfcOffscreenContext small(30, 20);
  CHfcOffscreenContext large(80, 60);
  for (CHfcOffscreenContext* c : {&small, &large}) {
    Fill(*c->GetBmp(), kWhite);
    c->SetFont("Geneva", 16.0f);
    c->SetBrushColor(kRed);
  }
  small.DrawText(-8.0f, 6.0f, "WWWWWWWW", 8);
  large.DrawText(12.0f, 26.0f, "WWWWWWWW", 8);
  int inked = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 30; ++x) {
      ASSERT_EQ(small.GetBmp()->GetPixel(x, y), large.GetBmp()->GetPixel(x + 20, y + 20)) << x << "," << y;
      inked += small.GetBmp()->GetPixel(x, y) != kWhite;
    }
  EXPECT_GT(inked, 20);
  EXPECT_EQ(FindInk(*small.GetBmp(), kWhite, kRed).bottom, 5);

  // Only length characters are drawn; spacing and size widen the text.
  auto width = [](const char* font, float size, float spacing, unsigned long length) {
    CHfcOffscreenContext c(400, 60);
    Fill(*c.GetBmp(), kWhite);
    c.SetFont(font, 10.0f);
    c.SetFontSize(size);
    c.SetFontCharacterSpacing(spacing);
    c.SetBrushColor(kRed);
    c.DrawText(0.0f, 40.0f, "IIIIII", length);
    const Ink ink = FindInk(*c.GetBmp(), kWhite, kRed);
    return ink.pixels == 0 ? 0 : ink.right - ink.left + 1;
  };
  const int six = width("Helvetica", 20.0f, 0.0f, 6);
  EXPECT_LT(width("Helvetica", 20.0f, 0.0f, 3), six);
  EXPECT_EQ(width("Helvetica", 20.0f, 10.0f, 6), six + 50);
  EXPECT_GT(width("Helvetica", 30.0f, 0.0f, 6), six);
  EXPECT_EQ(width("Helvetica", 20.0f, 0.0f, 0), 0);
  // The bold face is heavier than the plain one.
  EXPECT_GT(width("Helvetica-Bold", 20.0f, 0.0f, 1), width("Helvetica", 20.0f, 0.0f, 1));
}

TEST(DrawContextText, NothingWithoutFontPortOrOpaqueBrush) {
  CHfcOffscreenContext dc(40, 20);
  Fill(*dc.GetBmp(), kWhite);
  dc.SetBrushColor(kRed);
  dc.DrawText(2.0f, 15.0f, "A", 1);  // no font selected
  dc.SetFont("Lucida Grande", 12.0f);
  dc.SetBrushColor(0x00FF0000);  // fully transparent
  dc.DrawText(2.0f, 15.0f, "A", 1);
  EXPECT_EQ(FindInk(*dc.GetBmp(), kWhite, kRed).pixels, 0);

  CHfcDrawContext portless(nullptr);
  portless.SetFont("Helvetica", 12.0f);
  portless.DrawText(0.0f, 10.0f, "A", 1);  // must not crash
}

}  // namespace
