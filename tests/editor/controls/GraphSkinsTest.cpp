#include <gtest/gtest.h>

#include "editor/controls/ResourceManager.h"
#include "hfc/CHfcBmp.h"

namespace {

// The pictures the graphs name load from the generated skins, in the
// shapes the graphs cut them into.
TEST(GraphSkins, LoadInTheShapesTheGraphsUse) {
  ResourceManager::Initialize();
  ResourceManager* images = ResourceManager::GetInstance();
  struct Case {
    const char* name;
    int width;   // 0: any
    int height;  // 0: any
    int rows;    // the height splits into this many equal rows
  };
  const Case cases[] = {
      // Envelope graphs: graph area + 6 on each side + the 4 the copy adds.
      {"Container_Graph_Large", 150, 75, 1},
      {"Container_Graph_Unsigned_Large", 150, 79, 1},
      {"Container_Graph_Small", 68, 45, 1},
      {"PointNameFilterAmpEg", 0, 0, 6},
      {"PointNameFilter", 0, 0, 1},
      {"Image_KeyTrk", 130, 56, 1},
      {"Image_KeyTrk_Key", 130, 11, 1},
      {"Image_VeloZone", 50, 175, 1},
      {"FxSrc", 0, 14, 1},
      {"FxSrc_Prog", 0, 14, 1},
      {"FxArrowB", 0, 16, 4},
      {"FxArrowE", 0, 16, 4},
      {"FxBusSelect", 0, 64, 8},
      {"ZoneSlopeBarBack", 128, 0, 1},
      // One pixel a value over the bar's 128 values.
      {"ZoneBar", 128, 0, 1},
      {"SlopeBar", 128, 0, 1},
  };
  for (const Case& c : cases) {
    CHfcBmp* bmp = images->LoadImage(c.name);
    ASSERT_NE(bmp, nullptr) << c.name;
    if (c.width) { EXPECT_EQ(bmp->GetWidth(), c.width) << c.name; }
    if (c.height) { EXPECT_EQ(bmp->GetHeight(), c.height) << c.name; }
    EXPECT_EQ(bmp->GetHeight() % c.rows, 0) << c.name;
  }
  ResourceManager::Uninitialize();
}

}  // namespace
