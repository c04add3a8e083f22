// Every program page with each of its sub-pages, drawn through the editor
// window and laid side by side in one contact sheet for a person to look
// at: <build>/tests/pages/program_pages_sheet.png (one PNG per page and
// sub-page beside it).
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "editor/controls/CTabControl.h"
#include "editor/pages/program/ProgramPageFactory.h"
#include "hfc/CHfcOffscreenContext.h"
#include "hfc/CHfcVstEditor.h"
#include "tests/editor/pages/program/ProgramPageKit.h"
#include "tests/support/pageharness/ContactSheet.h"
#include "tests/support/pageharness/RenderCheck.h"

namespace {

using namespace progtest;

TEST(ProgramPagesRenderTest, EveryPageAndSubPageGoesOnOneContactSheet) {
  PageHarness h;
  auto back = PageBackground();
  // Some values that make the graphs and pictures show something.
  auto pages = CreateProgramTabPages(h.synth(), nullptr);
  static const char* kNames[] = {"play", "basic", "pitch", "filter", "amp", "lfos", "ams", "ifx", "mfx"};
  // Four pages a row, a dark gap between them.
  vesk::test::ContactSheet sheet(4, 8, 0xFF24262Bu);
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
      // The picture shows the page: ink in the box of every control of it
      // and of the sub-page, and many of them.
      int checked = 0;
      EXPECT_THAT(vesk::test::ControlsWithoutInk(h, page, &checked), ::testing::IsEmpty()) << name;
      EXPECT_GE(checked, 10) << name;
      sheet.Add(*h.window().GetPicture()->GetBmp(), kPageWidth, kPageHeight);
    }
    h.DestroyPage(page);
  }
  ASSERT_EQ(sheet.size(), 4u + 1 + 6 + 8 + 4 + 5 + 3 + 1 + 3);
  EXPECT_TRUE(sheet.Write(PageHarness::RenderDir() + "/program_pages_sheet.png"));
}

}  // namespace
