// Pictures of every performance and global page as the editor shows them,
// one PNG each and a contact sheet of all of them, in
// <build>/tests/pages, for a person to look at.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "editor/pages/combi_global/CombiMasterFXLayer.h"
#include "editor/pages/combi_global/CombiTimbreParamLayer.h"
#include "editor/pages/combi_global/GlobalCategoryNameLayer.h"
#include "editor/pages/combi_global/GlobalSoftwareSetupLayer.h"
#include "editor/pages/combi_global/GlobalUserScaleLayer.h"
#include "editor/pages/combi_global/OskendGlobalSystemLayer.h"
#include "editor/pages/combi_global/TesraCombiPlayLayer.h"
#include "editor/controls/CTabControl.h"
#include "hfc/CHfcOffscreenContext.h"
#include "hfc/CHfcVstEditor.h"
#include "tests/editor/pages/combi_global/CombiGlobalTestKit.h"
#include "tests/support/pageharness/ContactSheet.h"
#include "tests/support/pageharness/RenderCheck.h"

namespace {

using namespace combitest;

constexpr int kPageHeight = 400;

struct Shot {
  const char* name;
  bool performance;
  int tab;  // sub-level tab to show, -1 none
  std::function<std::unique_ptr<CTabPageLayer>(Oskend::IRemoteSynth*)> make;
};

template <class T>
std::unique_ptr<CTabPageLayer> Make(Oskend::IRemoteSynth* s) {
  return std::make_unique<T>(s);
}

TEST(CombiGlobalRenderTest, EveryPageIsDrawnAndGatheredOnASheet) {
  const std::vector<Shot> shots = {
      {"combi_play_tab1", true, 0, Make<TesraCombiPlayLayer>},
      {"combi_play_tab2", true, 1, Make<TesraCombiPlayLayer>},
      {"combi_timbre_pan_send", true, 0, Make<CombiTimbreParamLayer>},
      {"combi_timbre_midi_osc", true, 1, Make<CombiTimbreParamLayer>},
      {"combi_timbre_pitch", true, 2, Make<CombiTimbreParamLayer>},
      {"combi_timbre_filter_amp", true, 3, Make<CombiTimbreParamLayer>},
      {"combi_timbre_midi_filter", true, 4, Make<CombiTimbreParamLayer>},
      {"combi_master_fx", true, -1, Make<CombiMasterFXLayer>},
      {"global_software_setup", false, -1, Make<GlobalSoftwareSetupLayer>},
      {"global_system", false, -1, Make<OskendGlobalSystemLayer>},
      {"global_user_scale", false, -1, Make<GlobalUserScaleLayer>},
      {"global_category_names", false, -1, Make<GlobalCategoryNameLayer>},
  };
  constexpr int kW = PageHarness::kWidth;
  constexpr int kH = kPageHeight;
  vesk::test::ContactSheet sheet(3, 8, 0xFF23262Bu);

  for (const Shot& shot : shots) {
    Forms forms;
    PageHarness h(shot.performance ? Performance() : PageHarness::Options{});
    if (shot.performance) EnterPerformance(h);
    auto back = PageBackground(kH);
    auto page = shot.make(h.synth());
    page->SetBackgroundBmp(back.get());
    ASSERT_TRUE(h.AddPage(*page)) << shot.name;
    if (shot.tab >= 0) {
      ASSERT_NE(page->GetSublevelTabControl(), nullptr) << shot.name;
      page->GetSublevelTabControl()->SetActivePageByIndex(shot.tab, true);
    }
    h.Idle(50);
    h.Idle();
    EXPECT_NE(h.RenderWindow(shot.name), "") << shot.name;
    // The picture shows the page: ink in the box of every control of it
    // and of the sub-page, and many of them.
    int checked = 0;
    EXPECT_THAT(vesk::test::ControlsWithoutInk(h, *page, &checked), ::testing::IsEmpty()) << shot.name;
    EXPECT_GE(checked, 10) << shot.name;
    sheet.Add(*h.window().GetPicture()->GetBmp(), kW, kH);
    h.DestroyPage(*page);
  }
  EXPECT_TRUE(sheet.Write(PageHarness::RenderDir() + "/combi_global_pages_sheet.png"));
}

}  // namespace
