// The whole editor window as the plug-in shows it: the root layer with the
// real pages on its three strips (registered here as the plug-in object
// registers them when it is loaded), drawn in each mode, and the pickers
// the pages open.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>

#include "editor/browsers/BrowserKit.h"
#include "editor/browsers/EffectBrowser.h"
#include "editor/browsers/ListBrowserBase.h"
#include "editor/browsers/ModalBrowsers.h"
#include "editor/browsers/ParamBrowser.h"
#include "editor/controls/CMMPCtrlList.h"
#include "editor/controls/CTabControl.h"
#include "editor/controls/XESoundSelector.h"
#include "editor/pages/combi_global/GlobalSoftwareSetupLayer.h"
#include "editor/pages/combi_global/TesraCombiPlayLayer.h"
#include "editor/pages/program/OskendProgPlayLayer.h"
#include "editor/pages/program/ProgBasicLayer.h"
#include "editor/shell/CTabPageLayer.h"
#include "editor/shell/OskendBackgroundLayer.h"
#include "hfc/CHfcVstEditor.h"
#include "model/ISection.h"
#include "tests/support/pageharness/PageHarness.h"
#include "tests/support/rootharness/RealPagesRoot.h"

namespace {

using vesk::test::PageHarness;

class EditorWindow : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(root_.Open()); }
  void ToMode(eMode mode) { root_.ToMode(mode); }
  template <typename T>
  bool StripHolds(int guiMode, int index) {
    CTabControl* strip = root_->GetMainTab(guiMode);
    if (!strip || index >= strip->GetTabPageCount()) return false;
    return dynamic_cast<T*>(strip->GetTabPageLayer(index)) != nullptr;
  }

  PageHarness h_;
  vesk::test::RealPagesRoot root_{h_};
};

TEST_F(EditorWindow, TheStripsHoldTheRealPagesAndEachModeDraws) {
  EXPECT_TRUE((StripHolds<OskendProgPlayLayer>(1, 0)));
  EXPECT_TRUE((StripHolds<ProgBasicLayer>(1, 1)));
  EXPECT_TRUE((StripHolds<TesraCombiPlayLayer>(0, 0)));
  EXPECT_TRUE((StripHolds<GlobalSoftwareSetupLayer>(2, 0)));
  EXPECT_EQ(root_->GetMainTab(1)->GetTabPageCount(), 9);
  EXPECT_FALSE(h_.RenderWindow("editor_window_program").empty());
  auto* basic = dynamic_cast<CTabPageLayer*>(root_->GetMainTab(1)->GetTabPageLayer(1));
  ASSERT_NE(basic, nullptr);
  ASSERT_NE(basic->GetSublevelTabControl(), nullptr);
  EXPECT_GT(basic->GetSublevelTabControl()->GetTabPageCount(), 0);
  root_->GetMainTab(1)->SetActivePageByIndex(1, false);
  h_.Idle();
  h_.Idle();
  EXPECT_FALSE(h_.RenderWindow("editor_window_program_basic").empty());
  ToMode(eMode_Combi);
  EXPECT_FALSE(h_.RenderWindow("editor_window_performance").empty());
  ToMode(eMode_Global);
  EXPECT_FALSE(h_.RenderWindow("editor_window_global").empty());
}

// Values chosen through the pickers that the pages' selectors open.
class EditorPickers : public EditorWindow {
 protected:
  // Shows page `page` of the strip of synthesizer mode `mode`.
  CTabPageLayer* ShowPage(eMode mode, int guiMode, int page) {
    ToMode(mode);
    root_->SelectEditTabPage(mode, page, -1);
    for (int i = 0; i < 4; ++i) h_.Idle(20);
    return dynamic_cast<CTabPageLayer*>(root_->GetMainTab(guiMode)->GetTabPageLayer(page));
  }
  // A click in the middle of a control of a page.
  void ClickOn(CTabPageLayer* page, int id) {
    CHfcControl* c = page->GetControlById(id);
    ASSERT_NE(c, nullptr) << std::hex << id;
    h_.ClickOn(*page, *c);
  }
  ListBrowserBase* Picker() {
    auto* browsers = static_cast<ModalBrowsers*>(root_->GetModalBrowsers());
    return browsers ? dynamic_cast<ListBrowserBase*>(browsers->GetOpener().GetPage()) : nullptr;
  }
  bool PickerOpen() { return root_->GetModalBrowsers() && root_->GetModalBrowsers()->IsOpen(); }
  // Selects the first row whose value is not `now`, then OK; the value.
  int ChooseAnotherRow(int now) {
    ListBrowserBase* picker = Picker();
    CMMPCtrlList* list = picker->GetList();
    for (int row = 0; row < list->GetNumItems(); ++row) {
      const int value = browserkit::ItemValue(list->GetItem(row));
      if (value == now) continue;
      list->SelectCell(row, 0);
      h_.Idle();
      ClickOn(picker, ListBrowserBase::kOkId);
      h_.Idle();
      h_.Idle();
      return value;
    }
    ADD_FAILURE() << "no other row";
    return now;
  }
};

TEST_F(EditorPickers, AnLfoWaveformIsChosenInItsParameterPicker) {
  CTabPageLayer* lfos = ShowPage(eMode_ProgEdit, 1, 5);
  ASSERT_NE(lfos, nullptr);
  Oskend::ISection* edit = h_.synth()->GetEditBuffer(3);
  // (The second oscillator's LFOs are locked in single-oscillator mode.)
  for (int pid : {0x1100, 0x1200, 0x0F00}) {
    const int before = edit->GetParamI(pid);
    auto* selector = dynamic_cast<XESoundSelector*>(lfos->GetControlById(pid));
    ASSERT_NE(selector, nullptr) << std::hex << pid;
    const std::string shown = selector->GetShownText();
    ClickOn(lfos, pid);
    h_.Idle();  // the command the click posted
    ASSERT_NE(dynamic_cast<ParamBrowser*>(Picker()), nullptr) << std::hex << pid;
    EXPECT_EQ(edit->GetParamI(pid), before) << "opening chooses nothing";
    const int chosen = ChooseAnotherRow(before);
    EXPECT_FALSE(PickerOpen());
    EXPECT_EQ(edit->GetParamI(pid), chosen) << std::hex << pid;
    h_.Idle(50);
    EXPECT_NE(selector->GetShownText(), shown) << std::hex << pid;
  }
}

TEST_F(EditorPickers, APerformanceMasterEffectTypeIsChosenOnItsTab) {
  CTabPageLayer* mfx = ShowPage(eMode_Combi, 0, 2);
  ASSERT_NE(mfx, nullptr);
  Oskend::ISection* edit = h_.synth()->GetEditBuffer(0);
  for (int pid : {0x1800, 0x1801}) {
    const int before = edit->GetParamI(pid);
    ClickOn(mfx, pid);
    h_.Idle();
    ASSERT_NE(dynamic_cast<EffectBrowser*>(Picker()), nullptr) << std::hex << pid;
    const int chosen = ChooseAnotherRow(before);
    EXPECT_FALSE(PickerOpen());
    EXPECT_EQ(edit->GetParamI(pid), chosen) << std::hex << pid;
  }
}

}  // namespace
