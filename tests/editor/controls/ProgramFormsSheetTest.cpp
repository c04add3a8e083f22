// Draws the page forms as layout sketches (frames, bases, labels in their
// fonts, controls as boxes) and keeps them in the build tree, one PNG per
// form and one contact sheet per family, for a person to check alignment and
// spacing before the pages exist.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "editor/controls/UIFormManager.h"
#include "hfc/CHfcBmp.h"
#include "hfc/CHfcOffscreenContext.h"
#include "tests/editor/controls/FontFixture.h"
#include "tests/support/PngTestFile.h"

namespace {

constexpr int kFormCount = 34;
constexpr int kW = 800;
constexpr int kH = 230;
// The performance, effect and global forms: the play tabs reach down to
// their split bar.
constexpr int kFirstCombiForm = 34;
constexpr int kCombiFormCount = 11;
constexpr int kCombiH = 354;

bool Is(const UI_FORMINFO& item, const char* cls) { return std::strcmp(item.className, cls) == 0; }

class ProgramFormsSheet : public FontFixture {
 protected:
  void DrawForm(CHfcOffscreenContext& dc, const UI_FORMINFO& form, int height = kH) {
    dc.SetBrushColor(0xFFC9CCD1);
    dc.FillRect(0, 0, kW, height);
    for (int k = 0; k < form.childCount; ++k) {
      const UI_FORMINFO& item = form.children[k];
      if (!Is(item, "bmp")) continue;
      const std::string image = item.fontOrImage;
      const bool frame = item.id == kUiDesign_HeadingFrame && image != "Container_Base";
      int w = item.width;
      if (w == 0) w = image.find("Sub1") != std::string::npos ? 781 : image.find("Sub2") != std::string::npos ? 389 : 193;
      const int h = item.height != 0 ? item.height : frame ? 19 : 14;
      dc.SetBrushColor(frame ? 0xFF3A3F47 : 0xFFE4E6E9);
      dc.FillRect(item.x, item.y, w, h);
      dc.SetPenColor(frame ? 0xFF23262B : 0xFF9DA2AA);
      dc.FrameRect(item.x, item.y, w, h);
    }
    for (int k = 0; k < form.childCount; ++k) {
      const UI_FORMINFO& item = form.children[k];
      if (Is(item, "bmp")) continue;
      if (Is(item, "text")) {
        const bool heading = item.id == kUiDesign_HeadingText;
        const bool bold = std::strcmp(item.fontOrImage, "FontHelvB11") == 0;
        tagHfcBmpFontInfo* font = Font(heading ? "FontArialB12" : bold ? "FontHelvB11" : "FontGeneva9");
        if (font == nullptr || item.text[0] == '\0') continue;
        dc.DrawBmpTextProportional(item.x, item.y + 1, item.text, item.width, font, heading ? 0xFFFFFFFF : 0xFF111111,
                                   false);
        continue;
      }
      int w = item.width > 1 ? item.width : 60;
      int h = item.height > 0 ? item.height : 40;
      if (Is(item, "velozone")) w = 60, h = 150;
      if (Is(item, "keytrk")) w = 160, h = 66;
      // Knobs draw their 36-pixel meter whatever size they are declared.
      if (Is(item, "knob") || Is(item, "knob2")) w = 36, h = 36;
      uint32_t fill = 0xFFFFFFFF;
      if (Is(item, "valuebar")) fill = 0xFF2B2E33;
      if (Is(item, "paramselAMS") || Is(item, "paramsel") || Is(item, "audriffsel")) fill = 0xFFDDE8C8;
      if (Is(item, "keytrk") || Is(item, "velozone")) fill = 0xFF505862;
      if (Is(item, "sndselLLNUM") || Is(item, "paramselNL") || Is(item, "paramselS")) fill = 0xFFDDE8C8;
      if (Is(item, "knob") || Is(item, "knob2")) fill = 0xFF6B7280;
      if (Is(item, "push") || Is(item, "splitbarM") || Is(item, "splitbarS")) fill = 0xFFB8C4D6;
      dc.SetBrushColor(fill);
      dc.FillRect(item.x, item.y, w, h);
      if (Is(item, "valuebar")) {
        dc.SetBrushColor(0xFFFFB347);
        dc.FillRect(item.x + 1, item.y + 2, (w - 2) / 2, h - 4);
      }
      dc.SetPenColor(0xFF4A4F57);
      dc.FrameRect(item.x, item.y, w, h);
      if (Is(item, "popupmenu")) {
        dc.SetBrushColor(0xFF4A4F57);
        dc.FillRect(item.x + w - 9, item.y + 5, 5, 3);
      }
    }
  }
};

TEST_F(ProgramFormsSheet, EveryProgramFormDrawn) {
  constexpr int kCols = 2;
  constexpr int kGap = 10;
  const int rows = (kFormCount + kCols - 1) / kCols;
  const int sheetW = kCols * (kW + kGap) + kGap;
  const int sheetH = rows * (kH + kGap) + kGap;
  std::vector<uint32_t> sheet(static_cast<size_t>(sheetW) * sheetH, 0xFF23262B);
  const std::string dir = VESK_RENDER_DIR;
  for (int i = 0; i < kFormCount; ++i) {
    const UI_FORMINFO& form = g_uiFormInfoArray[i];
    CHfcOffscreenContext dc(kW, kH);
    DrawForm(dc, form);
    CHfcBmp* bmp = dc.GetBmp();
    uint32_t* px = bmp->LockPixels();
    char name[64];
    std::snprintf(name, sizeof name, "/program_form_%02d_%03X.png", i, static_cast<unsigned>(form.id));
    EXPECT_TRUE(vesk::test::WriteArgbPng(dir + name, px, kW, kH));
    const int ox = kGap + (i % kCols) * (kW + kGap);
    const int oy = kGap + (i / kCols) * (kH + kGap);
    for (int y = 0; y < kH; ++y)
      for (int x = 0; x < kW; ++x)
        sheet[static_cast<size_t>(oy + y) * sheetW + ox + x] = px[static_cast<size_t>(y) * kW + x];
    bmp->UnlockPixels();
  }
  EXPECT_TRUE(vesk::test::WriteArgbPng(dir + "/program_forms_sheet.png", sheet.data(), sheetW, sheetH));
}

TEST_F(ProgramFormsSheet, EveryCombiFormDrawn) {
  constexpr int kCols = 2;
  constexpr int kGap = 10;
  const int rows = (kCombiFormCount + kCols - 1) / kCols;
  const int sheetW = kCols * (kW + kGap) + kGap;
  const int sheetH = rows * (kCombiH + kGap) + kGap;
  std::vector<uint32_t> sheet(static_cast<size_t>(sheetW) * sheetH, 0xFF23262B);
  const std::string dir = VESK_RENDER_DIR;
  for (int n = 0; n < kCombiFormCount; ++n) {
    const int i = kFirstCombiForm + n;
    const UI_FORMINFO& form = g_uiFormInfoArray[i];
    CHfcOffscreenContext dc(kW, kCombiH);
    DrawForm(dc, form, kCombiH);
    CHfcBmp* bmp = dc.GetBmp();
    uint32_t* px = bmp->LockPixels();
    char name[64];
    std::snprintf(name, sizeof name, "/combi_form_%02d_%03X.png", i, static_cast<unsigned>(form.id));
    EXPECT_TRUE(vesk::test::WriteArgbPng(dir + name, px, kW, kCombiH));
    const int ox = kGap + (n % kCols) * (kW + kGap);
    const int oy = kGap + (n / kCols) * (kCombiH + kGap);
    for (int y = 0; y < kCombiH; ++y)
      for (int x = 0; x < kW; ++x)
        sheet[static_cast<size_t>(oy + y) * sheetW + ox + x] = px[static_cast<size_t>(y) * kW + x];
    bmp->UnlockPixels();
  }
  EXPECT_TRUE(vesk::test::WriteArgbPng(dir + "/combi_forms_sheet.png", sheet.data(), sheetW, sheetH));
}

}  // namespace
