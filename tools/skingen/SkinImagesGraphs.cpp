#include <cstdint>
#include <vector>

#include "hfc/CHfcDrawContext.h"
#include "tools/skingen/SkinImageRecipe.h"
#include "tools/skingen/SkinPaint.h"

// The graphs' pictures: pale LCD screens in a dark bezel, on which the
// graphs draw their curves in blue, small point labels, the key strip and
// velocity scale, the effect-routing pieces and the zone and slope bar.
namespace {

using namespace skin;

constexpr uint32_t kLcd = 0xFFE3EBE6;
constexpr uint32_t kLcdGrid = 0xFFC8D3CD;
constexpr uint32_t kLcdAxis = 0xFF9DAAA3;
constexpr uint32_t kBezel = 0xFF2B2D33;

// 3 x 5 pixel glyphs, one row of three bits per line, top row first.
struct Glyph {
  char c;
  uint8_t rows[5];
};
constexpr Glyph kGlyphs[] = {
    {'A', {2, 5, 7, 5, 5}}, {'B', {6, 5, 6, 5, 6}}, {'C', {3, 4, 4, 4, 3}}, {'D', {6, 5, 5, 5, 6}},
    {'E', {7, 4, 6, 4, 7}}, {'F', {7, 4, 6, 4, 4}}, {'I', {7, 2, 2, 2, 7}}, {'L', {4, 4, 4, 4, 7}},
    {'M', {5, 7, 7, 5, 5}}, {'O', {2, 5, 5, 5, 2}}, {'P', {6, 5, 6, 4, 4}}, {'R', {6, 5, 6, 5, 5}},
    {'S', {3, 4, 2, 1, 6}}, {'T', {7, 2, 2, 2, 2}}, {'U', {5, 5, 5, 5, 7}}, {'X', {5, 5, 2, 5, 5}},
    {'0', {2, 5, 5, 5, 2}}, {'1', {2, 6, 2, 2, 7}}, {'2', {6, 1, 2, 4, 7}}, {'3', {6, 1, 2, 1, 6}},
    {'4', {5, 5, 7, 1, 1}}, {'5', {7, 4, 6, 1, 6}}, {'6', {3, 4, 6, 5, 2}}, {'7', {7, 1, 2, 2, 2}},
    {'8', {2, 5, 2, 5, 2}}, {'9', {2, 5, 3, 1, 6}}, {'/', {1, 1, 2, 4, 4}}, {'-', {0, 0, 7, 0, 0}},
};

// Pixel text, 4 pixels a character.
void PixelText(CHfcDrawContext& dc, int x, int y, const char* text, uint32_t colour) {
  dc.SetBrushColor(colour);
  for (; *text; ++text, x += 4) {
    for (const Glyph& g : kGlyphs) {
      if (g.c != *text) continue;
      for (int r = 0; r < 5; ++r)
        for (int b = 0; b < 3; ++b)
          if (g.rows[r] & (4 >> b)) dc.FillRect(x + b, y + r, 1, 1);
    }
  }
}

// An LCD screen with a grid; `middle` draws the zero line of a bipolar
// graph.
void Screen(CHfcDrawContext& dc, int top, int w, int h, bool middle) {
  Fill(dc, 0, top, w, h, kBezel);
  Fill(dc, 1, top + 1, w - 2, h - 2, 0xFF101114);
  Fill(dc, 2, top + 2, w - 4, h - 4, kLcd);
  for (int x = 2 + 14; x < w - 2; x += 14) Fill(dc, x, top + 3, 1, h - 6, kLcdGrid);
  for (int y = top + 2 + 10; y < top + h - 2; y += 10) Fill(dc, 3, y, w - 6, 1, kLcdGrid);
  if (middle) Fill(dc, 3, top + h / 2, w - 6, 1, kLcdAxis);
}

void PaintGraphLarge(CHfcDrawContext& dc, int, int top, int w, int h) { Screen(dc, top, w, h, true); }
void PaintGraphUnsigned(CHfcDrawContext& dc, int, int top, int w, int h) { Screen(dc, top, w, h, false); }

// The small filter graph's frame: a bezel with a see-through screen, laid
// over the page's picture.
void PaintGraphSmall(CHfcDrawContext& dc, int, int top, int w, int h) {
  Fill(dc, 0, top, w, h, kBezel);
  Fill(dc, 1, top + 1, w - 2, h - 2, 0xFF101114);
  Fill(dc, 2, top + 2, w - 4, h - 4, 0xC0E3EBE6);
  for (int x = 2 + 12; x < w - 2; x += 12) Fill(dc, x, top + 3, 1, h - 6, 0x60A0ACA6);
}

// Labels of the six envelope points, drawn inside the handles.
void PaintPointNamesEg(CHfcDrawContext& dc, int, int top, int, int h) {
  const char* names = "SADBUR";
  for (int i = 0; i < 6; ++i) {
    const char text[2] = {names[i], 0};
    PixelText(dc, 0, top + i * (h / 6), text, 0xFFFFFFFF);
  }
}

void PaintPointNameFilter(CHfcDrawContext& dc, int, int top, int, int) {
  PixelText(dc, 0, top, "C", 0xFFFFFFFF);
}

// Key-tracking screen: levels from +99 at the top to -99 at the bottom.
void PaintKeyTrk(CHfcDrawContext& dc, int, int top, int w, int h) {
  Fill(dc, 0, top, w, h, 0xFF101114);
  Fill(dc, 1, top + 1, w - 2, h - 2, kLcd);
  for (int y = top + 1 + h / 4; y < top + h - 1; y += h / 4) Fill(dc, 1, y, w - 2, 1, kLcdGrid);
  Fill(dc, 1, top + h / 2, w - 2, 1, kLcdAxis);
}

// One octave of keys per 12 keys of the graph, one pixel a key.
void PaintKeyTrkKeys(CHfcDrawContext& dc, int, int top, int w, int h) {
  Fill(dc, 0, top, w, h, 0xFF101114);
  Fill(dc, 1, top, w - 2, h - 1, 0xFFF4F4F2);
  static const bool black[12] = {false, true, false, true, false, false, true, false, true, false, true, false};
  for (int k = 0; k < 128 && 1 + k < w - 1; ++k) {
    if (black[k % 12]) Fill(dc, 1 + k, top, 1, h * 3 / 5, 0xFF202226);
    if (k % 12 == 0) Fill(dc, 1 + k, top, 1, h - 1, 0xFF8A8E96);
  }
}

// Velocity scale: a screen with marks every 16 velocities.
void PaintVeloZone(CHfcDrawContext& dc, int, int top, int w, int h) {
  Fill(dc, 0, top, w, h, kBezel);
  Fill(dc, 1, top + 1, w - 2, h - 2, 0xFF101114);
  Fill(dc, 2, top + 2, w - 4, h - 4, kLcd);
  const int field = h - 6;
  for (int v = 0; v <= 128; v += 16) {
    const int y = top + 6 + (field - 6) - v * (field - 6) / 128;
    Fill(dc, 2, y, 4, 1, kLcdAxis);
  }
}

// The sound sources under the routing graph: one tab per source column.
void PaintFxSources(CHfcDrawContext& dc, int, int top, int w, int h, int count) {
  for (int s = 0; s < count; ++s) {
    const int x = 7 + 19 * s - 7;
    if (x + 15 > w) break;
    Fill(dc, x, top, 15, h, 0xFF3A3E46);
    Fill(dc, x + 1, top + 1, 13, h - 2, 0xFF555A63);
    char text[3] = {0, 0, 0};
    const int n = s + 1;
    if (n >= 10) {
      text[0] = static_cast<char>('0' + n / 10);
      text[1] = static_cast<char>('0' + n % 10);
    } else {
      text[0] = static_cast<char>('0' + n);
    }
    PixelText(dc, x + (n >= 10 ? 4 : 6), top + (h - 5) / 2, text, 0xFFF3F3F3);
  }
}
void PaintFxSrc(CHfcDrawContext& dc, int f, int top, int w, int h) { PaintFxSources(dc, f, top, w, h, 16); }
void PaintFxSrcProg(CHfcDrawContext& dc, int, int top, int w, int h) {
  Fill(dc, 0, top, w, h, 0xFF3A3E46);
  Fill(dc, 1, top + 1, w - 2, h - 2, 0xFF555A63);
  PixelText(dc, 3, top + (h - 5) / 2, "PROG", 0xFFF3F3F3);
}

// Arrows of the routing lines, four rows of 4 pixels: a right arrow whose
// line runs on its third line, a left arrow on its fourth, an unused row and
// a junction dot centred on the second line of its row.
void PaintArrows(CHfcDrawContext& dc, int top, int w, uint32_t colour) {
  dc.SetBrushColor(colour);
  dc.FillRect(0, top + 2, w - 2, 1);
  dc.FillRect(w - 3, top, 1, 4);
  dc.FillRect(w - 2, top + 1, 1, 3);
  dc.FillRect(w - 1, top + 2, 1, 1);
  dc.FillRect(2, top + 4 + 3, w - 2, 1);
  dc.FillRect(2, top + 4 + 1, 1, 3);
  dc.FillRect(1, top + 4 + 2, 1, 2);
  dc.FillRect(0, top + 4 + 3, 1, 1);
  dc.FillRect(w / 2 - 2, top + 12, 3, 3);
}
void PaintArrowB(CHfcDrawContext& dc, int, int top, int w, int) { PaintArrows(dc, top, w, 0xFFF3F3F3); }
void PaintArrowE(CHfcDrawContext& dc, int, int top, int w, int) { PaintArrows(dc, top, w, 0xFFAAAAAA); }

// Output buses: eight chips, one a row.
void PaintFxBus(CHfcDrawContext& dc, int, int top, int w, int h) {
  const char* names[8] = {"LR", "1", "2", "3", "4", "12", "34", "OFF"};
  const int rh = h / 8;
  for (int i = 0; i < 8; ++i) {
    Fill(dc, 0, top + i * rh, w, rh - 1, i == 7 ? 0xFF6A6E76 : 0xFF2F5D9A);
    PixelText(dc, 2, top + i * rh + (rh - 6) / 2, names[i], 0xFFF3F3F3);
  }
}

// Zone and slope bar: a recessed track, the zone in blue and the slope
// shading over it.
void PaintZoneBack(CHfcDrawContext& dc, int, int top, int w, int h) {
  Fill(dc, 0, top, w, h, 0xFF9096A0);
  Fill(dc, 0, top + 1, w, h - 2, 0xFFF1F2F4);
  for (int x = 0; x < w; x += 16) Fill(dc, x, top + h - 3, 1, 2, 0xFF6A6E76);
}
void PaintZoneBar(CHfcDrawContext& dc, int, int top, int w, int h) {
  VGradient(dc, 0, top, w, h, 0xFF6D95D8, 0xFF2A4F92);
}
void PaintSlopeBar(CHfcDrawContext& dc, int, int top, int w, int h) {
  for (int x = 0; x < w; ++x)
    if ((x / 2) % 2 == 0) Fill(dc, x, top, 1, h, 0x80FFFFFF);
}

}  // namespace

const SkinImageGroup kGraphSkins{[] {
  return std::vector<tagSkinImageRecipe>{
      {"Container_Graph_Large", 150, 75, 1, PaintGraphLarge},
      {"Container_Graph_Unsigned_Large", 150, 79, 1, PaintGraphUnsigned},
      {"Container_Graph_Small", 68, 45, 1, PaintGraphSmall},
      {"PointNameFilterAmpEg", 4, 30, 1, PaintPointNamesEg},
      {"PointNameFilter", 4, 5, 1, PaintPointNameFilter},
      {"Image_KeyTrk", 130, 56, 1, PaintKeyTrk},
      {"Image_KeyTrk_Key", 130, 11, 1, PaintKeyTrkKeys},
      {"Image_VeloZone", 50, 175, 1, PaintVeloZone},
      {"FxSrc", 300, 14, 1, PaintFxSrc},
      {"FxSrc_Prog", 24, 14, 1, PaintFxSrcProg},
      {"FxArrowB", 6, 16, 1, PaintArrowB},
      {"FxArrowE", 6, 16, 1, PaintArrowE},
      {"FxBusSelect", 14, 64, 1, PaintFxBus},
      {"ZoneSlopeBarBack", 128, 14, 1, PaintZoneBack},
      {"ZoneBar", 128, 10, 1, PaintZoneBar},
      {"SlopeBar", 128, 10, 1, PaintSlopeBar},
  };
}};
