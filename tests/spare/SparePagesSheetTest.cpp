// Every spare page drawn through the page harness, one picture each and a
// contact sheet of them all (<build>/tests/pages/spare_pages_sheet.png), for
// a person to check layout and legibility.
#include <gtest/gtest.h>

#include "editor/controls/UI_FORMINFO.h"
#include "hfc/CHfcVstEditor.h"
#include "spare/CCombiTrackRoutingPageLayer.h"
#include "spare/CMultiTrackParamTabPageLayer.h"
#include "editor/browsers/BlueBrowserData.h"
#include "editor/controls/ResourceManager.h"
#include "remote/IRemoteSynth.h"
#include "spare/BigBlueBrowserLayer.h"
#include "spare/CombiMultiCommonLayer.h"
#include "spare/CombiMultiInsertFXLayerBase.h"
#include "spare/CombiMultiKeyVelZoneLayer.h"
#include "spare/GlobalMIDILayer.h"
#include "spare/MultiMasterFXLayer.h"
#include "tests/spare/SparePageKit.h"
#include "tests/support/pageharness/PageHarness.h"

namespace {

using sparetest::ContactSheet;
using vesk::test::PageHarness;

// Shows a created page, lets one idle tick draw it and puts it on the sheet.
void Picture(PageHarness& h, CTabPageLayer& page, ContactSheet& sheet, const std::string& name) {
  page.Show(false);
  page.RequestRedraw();
  h.Idle();
  EXPECT_TRUE(sheet.Add(h, page, name)) << name;
  h.DestroyPage(page);
}

const UI_FORMINFO kTrackItems[] = {
    {"text", "Track Parameters", "FontArialB12", 0x401, -1, 15, 8, 150, 13, 0, nullptr},
    {"knob", "", "", 0x402, 0x107, 40, 40, 40, 40, 0, nullptr},
    {"checkbox", "", "", 0x402, 0x205, 120, 50, 13, 13, 0, nullptr},
};
const UI_FORMINFO kTrackForm{"Layer", "", "", 0x7002, -1, 0, 0, 559, 230, 3, kTrackItems};

TEST(SparePagesSheet, EverySparePageDrawn) {
  ContactSheet sheet;
  {
    PageHarness h;
    h.model().PutMode(eMode_Combi);
    h.RunFor(500);
    CCombiTrackRoutingPageLayer page(h.synth(), "");
    page.SetTargetMode(eMode_Combi);
    ASSERT_TRUE(page.Create(*sparetest::FormById(ID_COMBI_IFX_ROUTING), &h.window(), ""));
    Picture(h, page, sheet, "spare_track_routing");
  }
  {
    PageHarness h;
    CMultiTrackParamTabPageLayer page(h.synth(), "Track");
    page.SetTargetMode(eMode_ProgEdit);
    ASSERT_TRUE(page.Create(kTrackForm, &h.window(), ""));
    Picture(h, page, sheet, "spare_multi_track_param");
  }
  {
    PageHarness h;
    auto back = sparetest::PageBackground();
    GlobalMIDILayer page(h.synth());
    page.SetBackgroundBmp(back.get());
    ASSERT_TRUE(h.AddPage(page));
    Picture(h, page, sheet, "spare_global_midi");
  }
  {
    sparetest::Forms forms;
    PageHarness h;
    auto back = sparetest::PageBackground();
    MultiMasterFXLayer page(h.synth());
    page.SetBackgroundBmp(back.get());
    ASSERT_TRUE(h.AddPage(page));
    Picture(h, page, sheet, "spare_multi_master_fx");
  }
  {
    PageHarness h;
    sparetest::EnterPerformance(h);
    auto back = sparetest::PageBackground(600);
    CombiCommonLayer page(h.synth());
    page.SetBackgroundBmp(back.get());
    ASSERT_TRUE(h.AddPage(page));
    Picture(h, page, sheet, "spare_combi_common");
  }
  {
    PageHarness h;
    sparetest::EnterPerformance(h);
    auto back = sparetest::PageBackground(600);
    CombiKeyVelZoneLayer page(h.synth());
    page.SetBackgroundBmp(back.get());
    ASSERT_TRUE(h.AddPage(page));
    Picture(h, page, sheet, "spare_key_vel_zone");
  }
  {
    sparetest::Forms forms;
    PageHarness h;
    sparetest::EnterPerformance(h);
    auto back = sparetest::PageBackground(600);
    CombiInsertFXLayer page(h.synth());
    page.SetBackgroundBmp(back.get());
    ASSERT_TRUE(h.AddPage(page));
    page.RequestRedraw();
    h.Idle();
    EXPECT_TRUE(sheet.AddWindow(h, "spare_insert_fx"));
    h.DestroyPage(page);
  }
  {
    PageHarness h;
    h.synth()->PutMode(eMode_ProgPlay);
    h.RunFor(500);
    BlueBrowserData data(h.synth());
    BigBlueBrowserLayer page(h.synth(), &data, "Browser");
    page.SetSynthReady(true);
    page.SetBackgroundBmp(ResourceManager::GetInstance()->LoadImage("Background_BlueBrowser_Big"));
    data.AddBrowser(&page);
    ASSERT_TRUE(h.AddPage(page));
    data.SetCurrentSound(Oskend::SSoundIndex{0, 5});
    h.Idle();
    data.OnIdle(0);
    page.OnUpdateSelection();
    data.RemoveBrowser(&page);
    Picture(h, page, sheet, "spare_big_blue_browser");
  }
  EXPECT_TRUE(sheet.Write("spare_pages_sheet"));
}

}  // namespace
