// Every view of the editor checked for its layout: the root layer with the
// front panel, each main tab and sub-tab of the three modes, and each
// browser and dialog over the panel. A control past the window or its page,
// two controls on top of each other, or a text wider than its box (labels,
// value texts at their widest value, list items, tab names) fails, naming
// the view, the control and the text. Every view is drawn into
// <build>/tests/pages (editor_*.png) and onto a contact sheet per mode and
// one for the browsers and dialogs (editor_*_sheet.png).
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "editor/browsers/ModalBrowsers.h"
#include "editor/controls/CTabControl.h"
#include "editor/controls/FontManager.h"
#include "editor/controls/ResourceManager.h"
#include "editor/controls/XEStaticText.h"
#include "editor/shell/CTabPageLayer.h"
#include "editor/shell/IModalBrowsers.h"
#include "editor/shell/OskendBackgroundLayer.h"
#include "hfc/CHfcBmp.h"
#include "hfc/CHfcOffscreenContext.h"
#include "hfc/CHfcVstEditor.h"
#include "hfc/CHfcWindowLayer.h"
#include "tests/support/pageharness/ContactSheet.h"
#include "tests/support/pageharness/LayoutCheck.h"
#include "tests/support/pageharness/PageHarness.h"
#include "tests/support/rootharness/RealPagesRoot.h"

namespace {

using vesk::test::LayoutCheck;
using vesk::test::PageHarness;

class EditorLayout : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(root_.Open()); }
  void ToMode(eMode mode) { root_.ToMode(mode); }
  // Each view also goes to <build>/tests/pages/editor_<view>.png, and at
  // half size onto the contact sheet of its group, for a person to look at.
  void Picture(std::string view) {
    for (char& c : view)
      if (c == ' ') c = '_';
    EXPECT_FALSE(h_.RenderWindow("editor_" + view).empty()) << view;
    CHfcBmp* bmp = h_.window().GetPicture()->GetBmp();
    sheet_.Add(*bmp, bmp->GetWidth() / 2, bmp->GetHeight() / 2, true);
  }
  // Writes the shots taken since the last sheet, four to a row.
  void Sheet(const std::string& name) {
    EXPECT_TRUE(sheet_.Write(PageHarness::RenderDir() + "/" + name + ".png")) << name;
  }
  void Settle() {
    h_.Idle();
    h_.Idle();
  }

  PageHarness h_;
  vesk::test::RealPagesRoot root_{h_};
  LayoutCheck check_;
  vesk::test::ContactSheet sheet_{4, 6, 0xFF23262Bu};
};

TEST_F(EditorLayout, EveryViewFitsTheWindowAndEveryTextItsBox) {
  // What the pages' own positions and sizes leave no room for; the texts
  // are drawn cut with "..." and nothing is drawn past its box.
  const struct {
    const char* match;
    const char* reason;
  } accepted[] = {
      {"'Filter Type': \"", "the filter type lists are 40 pixels wide; their items are words"},
      {"Type': \"Overdrive/Hi-Gain - Amp Simulation\"",
       "the performance play page leaves the insert effect fields 155 pixels before the send knobs"},
      {"'IFX1 Type': \"056 : Overdrive/Hi-Gain - Amp Simulation\"",
       "the insert effects page gives its type selectors the 139-pixel picture"},
      {"'IFX1 Type': \"Stereo Guitar Cabinet\"",
       "the play overview's effect fields share their 70-pixel picture with the AMS mixer fields"},
      {"'Force OSC Mode': \"", "the timbres' voice mode lists are 40 pixels wide in 50-pixel columns"},
      {"'MFX1 Type': \"Vintage Cho/Flg\"",
       "the play overview's effect fields share their 70-pixel picture with the AMS mixer fields, "
       "which fill a 70-pixel box"},
      {"'Mixer Type' reaches past its layer",
       "the mixer type lists lie below the AMS mixer pages on purpose: they only follow the "
       "parameter, which the pages' headings show"},
      {"'Voice Assign Mode' overlaps",
       "the play overview puts the 70-pixel voice assign field 36 pixels before the multisample "
       "column, whose controls are drawn over its end"},
      {"'Split Key' lies under the page", "the performance play page's own key box lies under its "
                                          "sub-pages, which carry the split key field"},
      {"(605, 324 13x13) lies under the page", "the key box's learn switch, likewise"},
  };
  for (const auto& a : accepted) check_.Allow(a.match, a.reason);

  // The window is the size of the panel's picture, as the editor makes it.
  CHfcBmp* base = ResourceManager::GetInstance()->LoadImage("Background_Base");
  ASSERT_NE(base, nullptr);
  EXPECT_EQ(h_.window().GetWidth(), base->GetWidth());
  EXPECT_EQ(h_.window().GetHeight(), base->GetHeight());
  // And so are the harness's own sizes, which tests give layers of their own.
  EXPECT_EQ(PageHarness::kWidth, base->GetWidth());
  EXPECT_EQ(PageHarness::kHeight, base->GetHeight());

  struct Mode {
    const char* name;
    eMode mode;
    int guiMode;
    int views;  // main tabs and sub-tabs together
  };
  const Mode modes[] = {
      {"performance", eMode_Combi, 0, 2 + 5 + 3},
      {"program", eMode_ProgEdit, 1, 4 + 1 + 6 + 8 + 4 + 5 + 3 + 1 + 3},
      {"global", eMode_Global, 2, 4},
  };
  for (const Mode& m : modes) {
    ToMode(m.mode);
    CTabControl* strip = root_->GetMainTab(m.guiMode);
    ASSERT_NE(strip, nullptr) << m.name;
    int views = 0;
    for (int t = 0; t < strip->GetTabPageCount(); ++t) {
      strip->SetActivePageByIndex(t, true);
      Settle();
      auto* page = dynamic_cast<CTabPageLayer*>(strip->GetTabPageLayer(t));
      ASSERT_NE(page, nullptr) << m.name << " tab " << t;
      CTabControl* sub = page->GetSublevelTabControl();
      const int subs = sub ? sub->GetTabPageCount() : 0;
      for (int s = 0; s < std::max(subs, 1); ++s) {
        if (sub && subs > 0) {
          sub->SetActivePageByIndex(s, true);
          Settle();
        }
        const std::string view = std::string(m.name) + " tab " + std::to_string(t) +
                                 (subs > 0 ? " sub-tab " + std::to_string(s) : std::string());
        check_.Check(h_.window(), view);
        ++views;
        Picture(view);
      }
    }
    EXPECT_EQ(views, m.views) << m.name;
    Sheet(std::string("editor_") + m.name + "_sheet");
  }

  ToMode(eMode_ProgEdit);
  IModalBrowsers* browsers = root_->GetModalBrowsers();
  ASSERT_NE(browsers, nullptr);
  const eMode edit = eMode_ProgEdit;
  struct Browser {
    const char* name;
    std::function<bool()> open;
  };
  const Browser dialogs[] = {
      {"sound browser", [&] { return browsers->OpenBlueBrowser(-1); }},
      {"load program browser", [&] { return browsers->OpenRedBrowser(0, edit, 0x0A05); }},
      {"effect browser", [&] { return browsers->OpenRedBrowser(1, eMode_Combi, 0x1200); }},
      {"multisample browser", [&] { return browsers->OpenRedBrowser(2, edit, 0x0D05); }},
      {"audition riff browser", [&] { return browsers->OpenRedBrowser(5, edit, 0x10D); }},
      {"parameter browser", [&] { return browsers->OpenParamBrowser(6, edit, 0x10E); }},
      {"AMS source browser", [&] { return browsers->OpenParamBrowser(7, edit, 0x0E08); }},
      {"global parameter browser",
       [&] { return browsers->OpenParamBrowser(6, eMode_Global, static_cast<int>(0x8000010Au)); }},
      {"write dialog", [&] { return browsers->OpenWriteBrowser(); }},
      {"rename dialog", [&] { return browsers->OpenRenameBrowser(0, 5); }},
      {"copy oscillator dialog", [&] { return browsers->OpenCopyOSCBrowser(); }},
      {"copy LFO dialog", [&] { return browsers->OpenCopyLFOBrowser(); }},
      {"copy EG dialog", [&] { return browsers->OpenCopyEGBrowser(); }},
      {"copy scale dialog", [&] { return browsers->OpenCopyScaleBrowser(); }},
      {"copy insert effect dialog", [&] { return browsers->OpenCopyIFXBrowser(); }},
      {"copy master effect dialog", [&] { return browsers->OpenCopyMFXBrowser(); }},
  };
  for (const Browser& b : dialogs) {
    ASSERT_TRUE(b.open()) << b.name;
    Settle();
    check_.Check(h_.window(), b.name);
    Picture(b.name);
    browsers->CloseModalBrowser();
    Settle();
  }
  Sheet("editor_browsers_and_dialogs_sheet");

  EXPECT_GT(check_.ControlsChecked(), 1000);
  EXPECT_GT(check_.TextsChecked(), 1000);
  std::string faults;
  for (const std::string& f : check_.Faults()) faults += "\n  " + f;
  EXPECT_TRUE(check_.Faults().empty()) << check_.Faults().size() << " layout faults:" << faults;
  EXPECT_THAT(check_.UnusedAllowances(), ::testing::IsEmpty());
}

// The check itself, on a small layer with one fault of each kind.
TEST(LayoutCheckFixture, EachKindOfFaultIsFoundAndNamed) {
  PageHarness h;
  tagHfcBmpFontInfo* font = FontManager::mInstance->GetBmpFontInfo("FontGeneva9");
  ASSERT_NE(font, nullptr);
  std::vector<std::unique_ptr<XEStaticText>> labels;
  CHfcWindowLayer inside;
  CHfcWindowLayer past;
  ASSERT_TRUE(inside.Create(10, 10, 200, 100, &h.window()));
  ASSERT_TRUE(past.Create(h.window().GetWidth() - 50, 10, 100, 40, &h.window()));
  inside.Show(false);
  past.Show(false);
  auto label = [&](CHfcWindowLayer& layer, int x, int y, int w, const char* text) {
    SXEStaticText p{};
    p.x = x;
    p.y = y;
    p.width = w;
    p.font = font;
    p.text = text;
    p.color = 0xFF000000;
    labels.push_back(std::make_unique<XEStaticText>());
    ASSERT_TRUE(labels.back()->Create(&p, 0x100 + static_cast<int>(labels.size()), 0));
    labels.back()->Show(false);
    layer.AddControl(labels.back().get(), false);
  };
  label(inside, 10, 10, 30, "Much too long");  // cut: its ink spans 10..40
  label(inside, 30, 12, 20, "x");              // on the cut text
  label(inside, 60, 40, 40, "Fits");
  label(inside, 180, 60, 40, "Edge");          // past the layer's right edge
  label(past, 0, 0, 30, "Out");

  LayoutCheck check;
  check.Allow("reaches past the window", "the fixture's second layer: met and not reported");
  check.Allow("no such fault", "never met");
  check.Check(h.window(), "fixture");
  std::string all;
  for (const std::string& f : check.Faults()) all += f + "\n";
  EXPECT_NE(all.find("fixture: id 0x101 XEStaticText (10, 10 30x10) \"Much too long\": \"Much too long\" is"),
            std::string::npos)
      << all;
  EXPECT_NE(all.find("id 0x101 XEStaticText (10, 10 30x10) \"Much too long\" overlaps id 0x102"), std::string::npos)
      << all;
  EXPECT_NE(all.find("id 0x104 XEStaticText (180, 60 40x10) \"Edge\" reaches past its layer"), std::string::npos)
      << all;
  EXPECT_EQ(all.find("reaches past the window"), std::string::npos) << all;
  EXPECT_EQ(all.find("\"Fits\""), std::string::npos) << all;
  EXPECT_EQ(check.Faults().size(), 3u) << all;
  EXPECT_EQ(check.UnusedAllowances(), std::vector<std::string>{"no such fault"});

  h.window().RemoveLayer(&inside, false);
  h.window().RemoveLayer(&past, false);
  inside.RemoveAllControls();
  past.RemoveAllControls();
}

}  // namespace
