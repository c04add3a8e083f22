// Skins of the root layer's front panel that no control group draws: the
// category field on the LCD, the two effect-type displays, the logo badge
// and the background of the main edit pages.
#include <cstring>

#include "hfc/CHfcDrawContext.h"
#include "tools/skingen/SkinImageRecipe.h"
#include "tools/skingen/SkinLayout.h"
#include "tools/skingen/SkinPaint.h"

namespace {

using namespace skin;

// A field printed on the LCD: the LCD's own green with a fine ink frame.
void PaintLcdCategory(CHfcDrawContext& dc, int, int top, int width, int height) {
  VGradient(dc, 0, top, width, height, 0xFFDCE6D6, 0xFFCCD9C5);
  Fill(dc, 0, top, width, 1, 0xFF6C7E66);
  Fill(dc, 0, top + height - 1, width, 1, 0xFF6C7E66);
  Fill(dc, 0, top, 1, height, 0xFF6C7E66);
  Fill(dc, width - 1, top, 1, height, 0xFF6C7E66);
}

void Label(CHfcDrawContext& dc, float x, float y, const char* text, uint32_t colour, float size) {
  dc.SetFont("Helvetica-Bold", size);
  dc.SetBrushColor(colour);
  dc.DrawText(x, y, text, std::strlen(text));
}

// Ten frames: five effect types lit, then the same five dark (effect off).
void PaintFxType(CHfcDrawContext& dc, int frame, int top, int width, int height,
                 const char* const names[5]) {
  const bool lit = frame < 5;
  Fill(dc, 0, top, width, height, 0xFF0B0C0E);
  VGradient(dc, 1, top + 1, width - 2, height - 2, 0xFF1E2024, 0xFF141518);
  Fill(dc, 3, top + height / 2 - 2, 4, 4, lit ? kAmber : kAmberDim);
  Label(dc, 10.0f, static_cast<float>(top + height - 6), names[frame % 5], lit ? kAmber : 0xFF7A7368,
        7.5f);
}

void PaintFx1Type(CHfcDrawContext& dc, int frame, int top, int width, int height) {
  static const char* const kNames[5] = {"OFF", "CHORUS", "FLANGER", "VNT C/F", "PHASER"};
  PaintFxType(dc, frame, top, width, height, kNames);
}

void PaintFx2Type(CHfcDrawContext& dc, int frame, int top, int width, int height) {
  static const char* const kNames[5] = {"OFF", "HALL", "PLATE", "ROOM", "DELAY"};
  PaintFxType(dc, frame, top, width, height, kNames);
}

// The maker's badge; lit while the synthesizer is connected.
void PaintLogo(CHfcDrawContext& dc, int frame, int top, int width, int height) {
  Fill(dc, 0, top, width, height, 0xFF0B0C0E);
  VGradient(dc, 1, top + 1, width - 2, height - 2, 0xFF34373E, 0xFF202227);
  Label(dc, 8.0f, static_cast<float>(top + height - 8), "VESK", frame ? kAmber : 0xFFB4B8C0, 11.0f);
  Fill(dc, width - 10, top + height / 2 - 2, 4, 4, frame ? kAmber : kAmberDim);
}

// The light page under the main tabs.
void PaintMainTabLarge(CHfcDrawContext& dc, int, int top, int width, int height) {
  PageSurface(dc, 0, top, width, height);
  Fill(dc, 0, top, width, 1, 0xFF8D9199);
}

}  // namespace

const SkinImageGroup kRootLayerSkins{[] {
  return std::vector<tagSkinImageRecipe>{
      // From x 50 on the LCD, ending clear of the tempo entry at x 136.
      {"DropdownList_Cat", 80, 13, 1, PaintLcdCategory},
      {"Image_Fx1Type", 56, 10 * 20, 10, PaintFx1Type},
      {"Image_Fx2Type", 56, 10 * 20, 10, PaintFx2Type},
      {"Image_Logo_TAVO", 60, 2 * 24, 2, PaintLogo},
      {"Background_MainTab_Large", kMainPageWidth, kMainPageHeight, 1, PaintMainTabLarge},
  };
}};
