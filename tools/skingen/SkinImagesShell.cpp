#include <vector>

#include "hfc/CHfcDrawContext.h"
#include "tools/skingen/SkinImageRecipe.h"
#include "tools/skingen/SkinPaint.h"

// The About box: a piece of the instrument's dark panel with an amber
// stripe and a row of dimmed lamps; the version line is written in grey on
// the panel at the lower right (x 202 to 412, y 171 to 184).
namespace {

using namespace skin;

constexpr int kAboutWidth = 420;
constexpr int kAboutHeight = 200;

void PaintAbout(CHfcDrawContext& dc, int, int top, int width, int height) {
  VGradient(dc, 0, top, width, height, kPanelTop, kPanelBottom);
  Fill(dc, 0, top, width, 1, kEdgeLight);
  Fill(dc, 0, top + height - 1, width, 1, kRecess);
  Fill(dc, 0, top, 1, height, kEdgeLight);
  Fill(dc, width - 1, top, 1, height, kRecess);
  // The name plate: a recessed panel with the amber stripe through it.
  Sunken(dc, 20, top + 24, width - 40, 96, kRecess);
  VGradient(dc, 21, top + 25, width - 42, 94, 0xFF1B1C20, 0xFF2A2C32);
  Fill(dc, 21, top + 68, width - 42, 6, kAmber);
  Fill(dc, 21, top + 74, width - 42, 2, kAmberDim);
  // Lamps along the plate.
  for (int i = 0; i < 8; ++i) {
    const float cx = 44.0f + 22.0f * static_cast<float>(i);
    Cap(dc, cx, static_cast<float>(top + 44), 5.0f, kAmberDim, i < 3 ? kAmber : 0xFF8A6A3A);
  }
}

const SkinImageGroup kShellSkins{[] {
  return std::vector<tagSkinImageRecipe>{
      {"Image_About", kAboutWidth, kAboutHeight, 1, PaintAbout},
  };
}};

}  // namespace
