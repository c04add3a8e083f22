#include <vector>

#include "hfc/CHfcDrawContext.h"
#include "tools/skingen/SkinImageRecipe.h"
#include "tools/skingen/SkinPaint.h"

// The About box: a piece of the instrument's dark panel with the
// product's name on a recessed name plate over an amber stripe, a row of
// lamps, and a black band across the foot where the layer writes the name and
// version line in grey (x 202 to 412, y 171 to 184): black, the one ground
// on which that grey reaches 4.5:1.
namespace {

using namespace skin;

constexpr int kAboutWidth = 420;
constexpr int kAboutHeight = 200;
constexpr uint32_t kNamePlate = 0xFF1B1C20;
constexpr uint32_t kVersionBand = 0xFF000000;

void PaintAbout(CHfcDrawContext& dc, int, int top, int width, int height) {
  VGradient(dc, 0, top, width, height, kPanelTop, kPanelBottom);
  Fill(dc, 0, top, width, 1, kEdgeLight);
  Fill(dc, 0, top + height - 1, width, 1, kRecess);
  Fill(dc, 0, top, 1, height, kEdgeLight);
  Fill(dc, width - 1, top, 1, height, kRecess);
  // The name plate: the maker's name large in amber, the product under it
  // in white, the amber stripe below them.
  Sunken(dc, 20, top + 20, width - 40, 124, kRecess);
  Fill(dc, 21, top + 21, width - 42, 122, kNamePlate);
  for (int i = 0; i < 8; ++i) {
    const float cx = 38.0f + 14.0f * static_cast<float>(i);
    Cap(dc, cx, static_cast<float>(top + 34), 3.5f, kAmberDim, i < 3 ? kAmber : 0xFF8A6A3A);
  }
  CentredText(dc, 21, top + 44, width - 42, 40, "VESK", "Helvetica Bold", 34.0f, kAmber);
  // What both products, the plug-in and the program that hosts it, are;
  // the line at the foot names the one running.
  CentredText(dc, 21, top + 86, width - 42, 22, "Editor and Librarian", "Helvetica Bold", 16.0f, 0xFFF2F3F5);
  Fill(dc, 21, top + 120, width - 42, 6, kAmber);
  Fill(dc, 21, top + 126, width - 42, 2, kAmberDim);
  // The band under the name and version line, which ends 8 pixels from the
  // picture's right edge.
  Sunken(dc, 6, top + 162, width - 12, 28, kVersionBand);
}

const SkinImageGroup kShellSkins{[] {
  return std::vector<tagSkinImageRecipe>{
      {"Image_About", kAboutWidth, kAboutHeight, 1, PaintAbout},
  };
}};

}  // namespace
