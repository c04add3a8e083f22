#include <gtest/gtest.h>

#include "hfc/CHfcBmp.h"
#include "hfc/CHfcOffscreenContext.h"
#include "tests/hfc/HfcEditorScene.h"
#include "tests/hfc/HfcFakes.h"
#include "tests/support/TestEnvironment.h"

namespace {

using hfctest::EditorScene;

uint32_t LayerPixel(CHfcWindowLayer& layer, int x, int y) {
  return layer.GetOffscreen()->GetBmp()->GetPixel(x - layer.GetRect().left, y - layer.GetRect().top);
}

// The front panel and an edit page composed into one editor-sized window;
// the picture is left in the build folder to be looked at.
TEST(WindowRender, ComposesTheEditorFromItsLayersBottomUp) {
  vesk::test::TestEnvironment env;
  hfctest::HeadlessHfcWindow window(EditorScene::kWidth, EditorScene::kHeight);
  EditorScene scene(&window);
  ASSERT_TRUE(scene.ok());
  scene.DrawControls();
  window.Update(nullptr);
  os::HeadlessWindow* out = window.platform();
  EXPECT_GE(out->PresentCount(), 1);
  ASSERT_TRUE(out->WritePng(std::string(VESK_RENDER_DIR) + "/editor_window.png"));

  // Inside the page the page layer covers the panel; elsewhere the panel
  // shows. The first knob of the page and a real-time knob are checked at
  // their centres.
  const tagHfcRect& k = scene.firstPageKnob()->GetFrame();
  const int kx = EditorScene::kPageX + k.left + 18;
  const int ky = EditorScene::kPageY + k.top + 8;
  EXPECT_EQ(out->Pixel(kx, ky), LayerPixel(scene.page(), kx, ky));
  EXPECT_NE(out->Pixel(kx, ky), LayerPixel(scene.root(), kx, ky));
  EXPECT_EQ(out->Pixel(315, 41) | 0xFF000000u, LayerPixel(scene.root(), 315, 41) | 0xFF000000u);
  EXPECT_EQ(out->Pixel(EditorScene::kPageX, EditorScene::kPageY - 1) | 0xFF000000u,
            LayerPixel(scene.root(), EditorScene::kPageX, EditorScene::kPageY - 1) | 0xFF000000u);

  // Hiding the page shows the panel's own page area again.
  scene.page().Hide(true);
  EXPECT_EQ(out->Pixel(kx, ky) | 0xFF000000u, LayerPixel(scene.root(), kx, ky) | 0xFF000000u);
}

}  // namespace
