// Every program page with each of its sub-pages, drawn through the editor
// window and laid side by side in one contact sheet for a person to look
// at: <build>/tests/pages/program_pages_sheet.png (one PNG per page and
// sub-page beside it).
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "editor/controls/CTabControl.h"
#include "editor/pages/program/ProgramPageFactory.h"
#include "hfc/CHfcOffscreenContext.h"
#include "hfc/CHfcVstEditor.h"
#include "tests/editor/pages/program/ProgramPageKit.h"
#include "tests/support/PngTestFile.h"

namespace {

using namespace progtest;

TEST(ProgramPagesRenderTest, EveryPageAndSubPageGoesOnOneContactSheet) {
  PageHarness h;
  auto back = PageBackground();
  // Some values that make the graphs and pictures show something.
  auto pages = CreateProgramTabPages(h.synth(), nullptr);
  static const char* kNames[] = {"play", "basic", "pitch", "filter", "amp", "lfos", "ams", "ifx", "mfx"};
  struct Shot {
    std::vector<uint32_t> pixels;
  };
  std::vector<Shot> shots;
  for (size_t p = 0; p < pages.size(); ++p) {
    CTabPageLayer& page = *pages[p];
    page.SetBackgroundBmp(back.get());
    ASSERT_TRUE(h.AddPage(page)) << kNames[p];
    if (p == 0) {
      // Double mode, both filters, and effects with parameters to show.
      page.PutParamValue(eMode_ProgEdit, 0x0D00, 1);
      page.PutParamValue(eMode_ProgEdit, 0x1400, 1);
      page.PutParamValue(eMode_ProgEdit, 0x200, 1);
      page.PutParamValue(eMode_ProgEdit, 0x800, 12);
      page.PutParamValue(eMode_ProgEdit, 0x801, 30);
    }
    CTabControl* strip = page.GetSublevelTabControl();
    ASSERT_NE(strip, nullptr);
    for (int s = 0; s < strip->GetTabPageCount(); ++s) {
      strip->SetActivePageByIndex(s, true);
      page.RequestRedraw();
      h.Idle();
      h.Idle();
      const std::string name = std::string("program_") + kNames[p] + "_" + std::to_string(s);
      EXPECT_NE(h.RenderWindow(name), "");
      CHfcBmp* bmp = h.window().GetPicture()->GetBmp();
      Shot shot;
      shot.pixels.resize(static_cast<size_t>(kPageWidth) * kPageHeight);
      for (int y = 0; y < kPageHeight; ++y)
        for (int x = 0; x < kPageWidth; ++x)
          shot.pixels[static_cast<size_t>(y) * kPageWidth + x] = bmp->GetPixel(x, y) | 0xFF000000u;
      shots.push_back(std::move(shot));
    }
    h.DestroyPage(page);
  }
  ASSERT_EQ(shots.size(), 4u + 1 + 6 + 8 + 4 + 5 + 3 + 1 + 3);
  // Four pages a row, a dark gap between them.
  constexpr int kColumns = 4;
  constexpr int kGap = 8;
  const int rows = (static_cast<int>(shots.size()) + kColumns - 1) / kColumns;
  const int sheetW = kColumns * kPageWidth + (kColumns + 1) * kGap;
  const int sheetH = rows * kPageHeight + (rows + 1) * kGap;
  std::vector<uint32_t> sheet(static_cast<size_t>(sheetW) * sheetH, 0xFF24262Bu);
  for (size_t i = 0; i < shots.size(); ++i) {
    const int ox = kGap + static_cast<int>(i % kColumns) * (kPageWidth + kGap);
    const int oy = kGap + static_cast<int>(i / kColumns) * (kPageHeight + kGap);
    for (int y = 0; y < kPageHeight; ++y)
      for (int x = 0; x < kPageWidth; ++x)
        sheet[static_cast<size_t>(oy + y) * sheetW + ox + x] = shots[i].pixels[static_cast<size_t>(y) * kPageWidth + x];
  }
  EXPECT_TRUE(vesk::test::WriteArgbPng(PageHarness::RenderDir() + "/program_pages_sheet.png", sheet.data(), sheetW,
                                       sheetH));
}

}  // namespace
