// Skins of the pages the control factory builds on: the light edit page
// that every form-built page lies on (and that its controls copy behind
// themselves), and the framed base of a page's sub-tab groups.
#include <vector>

#include "hfc/CHfcDrawContext.h"
#include "tools/skingen/SkinImageRecipe.h"
#include "tools/skingen/SkinLayout.h"
#include "tools/skingen/SkinPaint.h"

namespace {

using namespace skin;

// The edit page, flat like the edit area of the main panel.
void PaintSubTabBackground(CHfcDrawContext& dc, int, int top, int width, int height) {
  PageSurface(dc, 0, top, width, height);
}

// A group of controls on the page, cut to the group's size.
void PaintSubTabBase(CHfcDrawContext& dc, int, int top, int width, int height) {
  PanelSurface(dc, 0, top, width, height);
}

const SkinImageGroup kFactorySkins{[] {
  return std::vector<tagSkinImageRecipe>{
      {"Background_SubTab", 559, 230, 1, PaintSubTabBackground},
      {"Container_SubTab_Base", kSubPagePanelWidth, kSubPagePanelHeight, 1, PaintSubTabBase},
  };
}};

}  // namespace
