// Every view of the editor checked for its layout: the root layer with the
// front panel, each main tab and sub-tab of the three modes, and each
// browser and dialog over the panel. A control past the window or its page,
// two controls on top of each other, or a text wider than its box (labels,
// value texts at their widest value, list items, tab names) fails, naming
// the view, the control and the text.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "editor/browsers/ModalBrowsers.h"
#include "editor/controls/CTabControl.h"
#include "editor/controls/ResourceManager.h"
#include "editor/controls/UIFormManager.h"
#include "editor/pages/combi_global/CombiGlobalRegistration.h"
#include "editor/pages/program/ProgramMainPages.h"
#include "editor/shell/CTabPageLayer.h"
#include "editor/shell/IModalBrowsers.h"
#include "editor/shell/IPlugInHost.h"
#include "editor/shell/OskendBackgroundLayer.h"
#include "editor/shell/RootMainPages.h"
#include "hfc/CHfcBmp.h"
#include "hfc/CHfcVstEditor.h"
#include "tests/support/pageharness/LayoutCheck.h"
#include "tests/support/pageharness/PageHarness.h"

namespace {

using vesk::test::LayoutCheck;
using vesk::test::PageHarness;

class QuietPlugIn : public IPlugInHost {
 public:
  std::string GetPlugInProductString() override { return "Vesk Plug-In Editor"; }
  std::string GetPlugInBundleVersion() override { return "1.0.3"; }
  void SetParameterAutomatedFromInt(int, int, int, int) override {}
  void BeginParameterEdit(int) override {}
  void EndParameterEdit(int) override {}
  void MidiInFromGUI(uint8_t, uint8_t, uint8_t) override {}
};

class EditorLayout : public ::testing::Test {
 protected:
  void SetUp() override {
    UIFormManager::Initialize();
    RegisterProgramMainPages();
    RegisterCombiGlobalMainPages();
    RegisterModalBrowsers();
    root_ = std::make_unique<OskendBackgroundLayer>(&plugin_, h_.synth());
    root_->SetStepPauseEnabled(false);
    ASSERT_TRUE(root_->Create(&h_.window()));
    root_->Show(false);
    h_.Idle();
    h_.Idle();
  }
  void TearDown() override {
    if (root_) {
      if (root_->GetModalBrowsers()) root_->GetModalBrowsers()->CloseModalBrowser();
      h_.window().RemoveLayer(root_.get(), false);
      root_->Destroy();
      root_.reset();
    }
    IModalBrowsers::SetFactory({});
    SetMainPagesFactory(eMainStrip::kPerformance, nullptr);
    SetMainPagesFactory(eMainStrip::kProgram, nullptr);
    SetMainPagesFactory(eMainStrip::kGlobal, nullptr);
    UIFormManager::Uninitialize();
  }
  void ToMode(eMode mode) {
    h_.synth()->PutMode(mode);
    h_.RunFor(600);
    h_.Idle();
    root_->RequestRedraw();
    h_.Idle();
  }
  // Each view also goes to <build>/tests/pages/editor_<view>.png, for a
  // person to look at.
  void Picture(std::string view) {
    for (char& c : view)
      if (c == ' ') c = '_';
    EXPECT_FALSE(h_.RenderWindow("editor_" + view).empty()) << view;
  }
  void Settle() {
    h_.Idle();
    h_.Idle();
  }

  PageHarness h_;
  QuietPlugIn plugin_;
  std::unique_ptr<OskendBackgroundLayer> root_;
  LayoutCheck check_;
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

  EXPECT_GT(check_.ControlsChecked(), 1000);
  EXPECT_GT(check_.TextsChecked(), 1000);
  std::string faults;
  for (const std::string& f : check_.Faults()) faults += "\n  " + f;
  EXPECT_TRUE(check_.Faults().empty()) << check_.Faults().size() << " layout faults:" << faults;
  EXPECT_THAT(check_.UnusedAllowances(), ::testing::IsEmpty());
}

}  // namespace
