// Skins of the pages the control factory builds on: the light edit page
// that every form-built page lies on (and that its controls copy behind
// themselves), and the framed base of a page's sub-tab groups.
#include <vector>

#include "hfc/CHfcDrawContext.h"
#include "tools/skingen/SkinImageRecipe.h"
#include "tools/skingen/SkinPaint.h"

namespace {

using namespace skin;

constexpr uint32_t kGroupFill = 0xFFE6E8EB;
constexpr uint32_t kGroupBorder = 0xFFA3A8B1;
constexpr uint32_t kGroupHighlight = 0xFFF6F7F8;

// The edit page: the same light grey as the edit area of the main panel,
// shading slightly towards the bottom.
void PaintSubTabBackground(CHfcDrawContext& dc, int, int top, int width, int height) {
  VGradient(dc, 0, top, width, height, kPageLight, kPageShade);
}

// A group of controls on the page: a flat lighter field with a grey frame
// and a highlight along its top and left edges.
void PaintSubTabBase(CHfcDrawContext& dc, int, int top, int width, int height) {
  Fill(dc, 0, top, width, height, kGroupBorder);
  Fill(dc, 1, top + 1, width - 2, height - 2, kGroupFill);
  Fill(dc, 1, top + 1, width - 2, 1, kGroupHighlight);
  Fill(dc, 1, top + 1, 1, height - 2, kGroupHighlight);
}

const SkinImageGroup kFactorySkins{[] {
  return std::vector<tagSkinImageRecipe>{
      {"Background_SubTab", 559, 230, 1, PaintSubTabBackground},
      {"Container_SubTab_Base", 195, 230, 1, PaintSubTabBase},
  };
}};

}  // namespace
