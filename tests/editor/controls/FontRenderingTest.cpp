#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "hfc/CHfcBmp.h"
#include "hfc/CHfcOffscreenContext.h"
#include "tests/editor/controls/FontFixture.h"
#include "tests/support/PngTestFile.h"

namespace {

using FontRendering = FontFixture;

// Counts pixels that differ from the panel colour inside a rectangle.
int Inked(CHfcBmp& bmp, int x0, int y0, int x1, int y1, uint32_t panel) {
  int n = 0;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) n += bmp.GetPixel(x, y) != panel;
  return n;
}

// Draws a sample panel in every font with a few shapes and keeps it as
// fonts_sample.png (and a 3x enlargement) in the test's working folder, for
// a person to look at.
TEST_F(FontRendering, SamplePanelReadsWell) {
  constexpr uint32_t kPanel = 0xFF23262B;
  CHfcOffscreenContext dc(440, 250);
  dc.SetBrushColor(kPanel);
  dc.FillRect(0, 0, 440, 250);
  dc.SetBrushColor(0xFF30343B);
  dc.FillRect(8, 8, 424, 234);
  dc.SetPenColor(0xFF5A606B);
  dc.FrameRect(8, 8, 424, 234);

  struct Line {
    const char* font;
    const char* text;
    uint32_t colour;
  };
  const Line lines[] = {
      {FontManager::FontName_ArialB12, "PROGRAM  A.017  Warm Analog Pad", 0xFFFFB347},
      {FontManager::FontName_HelvB11, "Filter Cutoff  Resonance  EG Int", 0xFFE8E8E8},
      {FontManager::FontName_HelvB11_Shadow, "OSC 1  OSC 2  MIXER  FILTER", 0xFFFFFFFF},
      {FontManager::FontName_Geneva10, "Attack 12  Decay 64  Sustain 100  Release 40", 0xFFC8D0DA},
      {FontManager::FontName_Geneva10_for_Label, "Velocity Zone / Key Track", 0xFFE0E0E0},
      {FontManager::FontName_Geneva9, "Cutoff: 127   Reso: 0   +12dB  -3.5 [Hz] 0123456789", 0xFF8FD3FF},
      {FontManager::FontName_Geneva9_for_Controls, "abcdefghijklmnopqrstuvwxyz ABCDEFGHIJKLM", 0xFFFFFFFF},
      {FontManager::FontName_W4H9, "001: INIT PROG  BPM 120.0", 0xFF7CFC8A},
      {FontManager::FontName_Mini5, "C2 C#2 D2 MIDI CH16 WAVE 64", 0xFFB0B0B0},
      {FontManager::FontName_Geneva9, "Bytes above 127: \xC4\xE9 (placeholders)", 0xFFFF8080},
  };
  int y = 16;
  for (const Line& line : lines) {
    tagHfcBmpFontInfo* font = Font(line.font);
    ASSERT_NE(font, nullptr) << line.font;
    ASSERT_NE(font->bmp, nullptr) << line.font;
    dc.DrawBmpTextProportional(16, y, line.text, 400, font, line.colour, false);
    EXPECT_GT(Inked(*dc.GetBmp(), 16, y, 416, y + font->cellHeight, 0xFF30343B), 20) << line.font;
    y += font->cellHeight + 6;
  }
  // A knob-like ring, a meter arc and an envelope line.
  dc.SetPenWidth(2.0f);
  dc.SetPenColor(0xFF5A606B);
  dc.FrameCircle(380, 200, 18);
  dc.SetPenColor(0xFFFFB347);
  dc.FrameArc(380, 200, 18, 3.9880764f, 0.5f, true);
  dc.SetBrushColor(0xFF8FD3FF);
  dc.FillCircle(380, 200, 4);
  dc.SetPenWidth(1.0f);
  dc.SetPenColor(0xFF7CFC8A);
  dc.MoveTo(240, 230);
  dc.LineTo(260, 196);
  dc.LineTo(290, 210);
  dc.LineTo(320, 210);
  dc.LineTo(340, 230);

  CHfcBmp* bmp = dc.GetBmp();
  uint32_t* px = bmp->LockPixels();
  ASSERT_TRUE(vesk::test::WriteArgbPng("fonts_sample.png", px, bmp->GetWidth(), bmp->GetHeight()));
  const int scale = 3;
  std::vector<uint32_t> big(static_cast<size_t>(bmp->GetWidth()) * scale * bmp->GetHeight() * scale);
  for (int yy = 0; yy < bmp->GetHeight() * scale; ++yy)
    for (int xx = 0; xx < bmp->GetWidth() * scale; ++xx)
      big[static_cast<size_t>(yy) * bmp->GetWidth() * scale + xx] = px[(yy / scale) * bmp->GetWidth() + xx / scale];
  bmp->UnlockPixels();
  ASSERT_TRUE(vesk::test::WriteArgbPng("fonts_sample_3x.png", big.data(), bmp->GetWidth() * scale,
                                        bmp->GetHeight() * scale));
}

}  // namespace
