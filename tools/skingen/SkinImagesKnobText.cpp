#include <vector>

#include "hfc/CHfcDrawContext.h"
#include "tools/skingen/SkinImageRecipe.h"
#include "tools/skingen/SkinPaint.h"

// The text fields and value bars of the edit pages: fields are white wells
// cut into the light grey page with black text; a value bar is a dark
// groove filled with the amber of lit values, with a small pale LCD for its
// number where the bar has one.
namespace {

using namespace skin;

constexpr uint32_t kWellEdge = 0xFF7C8089;
constexpr uint32_t kWellShadow = 0xFFA9ADB4;
constexpr uint32_t kWellInside = 0xFFFBFBF8;
constexpr uint32_t kGroove = 0xFF1E2024;
constexpr uint32_t kGrooveInside = 0xFF33363D;
constexpr uint32_t kLcdTop = 0xFFE3EBDD;
constexpr uint32_t kLcdBottom = 0xFFC9D6C2;
constexpr uint32_t kRandom = 0xFF53C8FF;

// A white well: dark edge above and left, light edge below and right.
void Well(CHfcDrawContext& dc, int x, int y, int w, int h) {
  Fill(dc, x, y, w, h, 0xFFFFFFFF);
  Fill(dc, x, y, w - 1, 1, kWellEdge);
  Fill(dc, x, y, 1, h - 1, kWellEdge);
  Fill(dc, x + 1, y + 1, w - 2, 1, kWellShadow);
  VGradient(dc, x + 1, y + 2, w - 2, h - 3, kWellInside, 0xFFFFFFFF);
}

void PaintEditText(CHfcDrawContext& dc, int, int top, int width, int height) {
  Well(dc, 0, top, width, height);
}

// A value bar's back: the page shade, the groove the bar fills (the bar
// sits at x 2, y 2), and the number's LCD from dispX on.
template <int BarWidth, int BarHeight, int DispX>
void PaintValueBarBack(CHfcDrawContext& dc, int, int top, int width, int height) {
  Fill(dc, 0, top, width, height, kPageLight);
  const int grooveH = BarHeight + 2 < height - 1 ? BarHeight + 2 : height - 1;
  const int insideH = BarHeight < height - 2 ? BarHeight : height - 2;
  Fill(dc, 1, top + 1, BarWidth + 2, grooveH, kGroove);
  Fill(dc, 2, top + 2, BarWidth, insideH, kGrooveInside);
  if (height >= 8) Fill(dc, 1, top + 1 + grooveH, BarWidth + 2, 1, 0xFFF4F5F7);
  if (DispX > 0) {
    const int x = DispX - 4;
    const int w = width - x - 1;
    Sunken(dc, x, top + 1, w, height - 2, 0xFF101114);
    VGradient(dc, x + 1, top + 2, w - 2, height - 4, kLcdTop, kLcdBottom);
  }
}

// The lit fill: amber, brighter along its upper edge.
void PaintValueBar(CHfcDrawContext& dc, int, int top, int width, int height) {
  VGradient(dc, 0, top, width, height, 0xFFFFC866, 0xFFE0860C);
  Fill(dc, 0, top, width, 1, 0xFFFFE2A8);
  if (height > 3) Fill(dc, 0, top + height - 1, width, 1, 0xFFB86A06);
}

// "Random" at the minimum: the bar in segments of the random colour.
void PaintValueBarRandom(CHfcDrawContext& dc, int, int top, int width, int height) {
  for (int x = 0; x < width; x += 6) {
    Fill(dc, x, top, 4 < width - x ? 4 : width - x, height, kRandom);
    Fill(dc, x, top, 4 < width - x ? 4 : width - x, 1, Mix(kRandom, 0xFFFFFFFF, 0.5f));
  }
}

const SkinImageGroup kKnobTextSkins{[] {
  return std::vector<tagSkinImageRecipe>{
      {"EditText_23X13", 23, 13, 1, PaintEditText},
      {"EditText_37X13", 37, 13, 1, PaintEditText},
      {"EditText_40X13", 40, 13, 1, PaintEditText},
      {"EditText_48X13", 48, 13, 1, PaintEditText},
      {"EditText_53X13", 53, 13, 1, PaintEditText},
      {"EditText_70X14", 70, 14, 1, PaintEditText},
      {"EditText_96X13", 96, 13, 1, PaintEditText},
      {"EditText_114X13", 114, 13, 1, PaintEditText},
      {"EditText_154X13", 154, 13, 1, PaintEditText},
      {"EditText_164X16", 164, 16, 1, PaintEditText},
      {"HorizontalValueBarBack_30X10_0C", 30, 10, 1, PaintValueBarBack<26, 8, 0>},
      {"HorizontalValueBarBack_39X4_0C", 39, 4, 1, PaintValueBarBack<35, 3, 0>},
      {"HorizontalValueBarBack_67X13_0C", 67, 13, 1, PaintValueBarBack<63, 9, 0>},
      // Both 100 wide, so that bars of either kind end at one x in a column:
      // four digits and a sign ("+1200") need the four-character display
      // 4 pixels past 96.
      {"HorizontalValueBarBack_96X13_5C", 100, 13, 1, PaintValueBarBack<55, 9, 63>},
      {"HorizontalValueBarBack_96X13_4C", 100, 13, 1, PaintValueBarBack<63, 9, 71>},
      {"HorizontalValueBarBack_103X13", 103, 13, 1, PaintValueBarBack<63, 9, 71>},
      {"HorizontalValueBarBack_154X13_5C", 154, 13, 1, PaintValueBarBack<113, 9, 121>},
      {"HorizontalValueBarBack_154X13_4C", 154, 13, 1, PaintValueBarBack<121, 9, 129>},
      {"HorizontalValueBar_30X10", 30, 10, 1, PaintValueBar},
      {"HorizontalValueBar_39X4", 39, 4, 1, PaintValueBar},
      {"HorizontalValueBar", 121, 9, 1, PaintValueBar},
      {"HorizontalValueBar_RND", 121, 9, 1, PaintValueBarRandom},
  };
}};

}  // namespace
