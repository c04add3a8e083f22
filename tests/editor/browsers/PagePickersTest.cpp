// Values chosen through the pickers that the pages' selectors open, in the
// whole editor: the root layer with its real pages and its browsers.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "editor/browsers/BrowserKit.h"
#include "editor/browsers/EffectBrowser.h"
#include "editor/browsers/ListBrowserBase.h"
#include "editor/browsers/ModalBrowsers.h"
#include "editor/browsers/ParamBrowser.h"
#include "editor/controls/CMMPCtrlList.h"
#include "editor/controls/CTabControl.h"
#include "editor/controls/UIFormManager.h"
#include "editor/controls/XESoundSelector.h"
#include "editor/pages/combi_global/CombiGlobalRegistration.h"
#include "editor/pages/program/ProgramMainPages.h"
#include "editor/shell/CTabPageLayer.h"
#include "editor/shell/IPlugInHost.h"
#include "editor/shell/OskendBackgroundLayer.h"
#include "editor/shell/RootMainPages.h"
#include "hfc/CHfcVstEditor.h"
#include "model/ISection.h"
#include "tests/support/pageharness/PageHarness.h"

namespace {

using vesk::test::PageHarness;
using Root = OskendBackgroundLayer;

class Host : public IPlugInHost {
 public:
  std::string GetPlugInProductString() override { return "Vesk Plug-In Editor"; }
  std::string GetPlugInBundleVersion() override { return "1.0.5"; }
  void SetParameterAutomatedFromInt(int, int, int, int) override {}
  void BeginParameterEdit(int) override {}
  void EndParameterEdit(int) override {}
  void MidiInFromGUI(uint8_t, uint8_t, uint8_t) override {}
};

class PagePickers : public ::testing::Test {
 protected:
  void SetUp() override {
    UIFormManager::Initialize();
    RegisterProgramMainPages();
    RegisterCombiGlobalMainPages();
    RegisterModalBrowsers();
    root_ = std::make_unique<Root>(&host_, h_.synth());
    root_->SetStepPauseEnabled(false);
    ASSERT_TRUE(root_->Create(&h_.window()));
    root_->Show(false);
    h_.Idle();
    h_.Idle();
  }
  void TearDown() override {
    h_.window().RemoveLayer(root_.get(), false);
    root_->Destroy();
    root_.reset();
    IModalBrowsers::SetFactory({});
    SetMainPagesFactory(eMainStrip::kPerformance, nullptr);
    SetMainPagesFactory(eMainStrip::kProgram, nullptr);
    SetMainPagesFactory(eMainStrip::kGlobal, nullptr);
    UIFormManager::Uninitialize();
  }
  // Shows page `page` of the strip of synthesizer mode `mode`.
  CTabPageLayer* ShowPage(eMode mode, int guiMode, int page) {
    h_.synth()->PutMode(mode);
    h_.RunFor(600);
    h_.Idle();
    root_->SelectEditTabPage(mode, page, -1);
    for (int i = 0; i < 4; ++i) h_.Idle(20);
    return dynamic_cast<CTabPageLayer*>(root_->GetMainTab(guiMode)->GetTabPageLayer(page));
  }
  static void ClickOn(PageHarness& h, CTabPageLayer* page, int id) {
    CHfcControl* c = page->GetControlById(id);
    ASSERT_NE(c, nullptr) << std::hex << id;
    const tagHfcRect& r = c->GetFrame();
    h.Click(page->GetRect().left + (r.left + r.right) / 2, page->GetRect().top + (r.top + r.bottom) / 2);
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
      CHfcControl* ok = picker->GetControlById(ListBrowserBase::kOkId);
      const tagHfcRect& r = ok->GetFrame();
      h_.Click(picker->GetRect().left + (r.left + r.right) / 2, picker->GetRect().top + (r.top + r.bottom) / 2);
      h_.Idle();
      h_.Idle();
      return value;
    }
    ADD_FAILURE() << "no other row";
    return now;
  }

  PageHarness h_;
  Host host_;
  std::unique_ptr<Root> root_;
};

TEST_F(PagePickers, AnLfoWaveformIsChosenInItsParameterPicker) {
  CTabPageLayer* lfos = ShowPage(eMode_ProgEdit, 1, 5);
  ASSERT_NE(lfos, nullptr);
  Oskend::ISection* edit = h_.synth()->GetEditBuffer(3);
  // (The second oscillator's LFOs are locked in single-oscillator mode.)
  for (int pid : {0x1100, 0x1200, 0x0F00}) {
    const int before = edit->GetParamI(pid);
    auto* selector = dynamic_cast<XESoundSelector*>(lfos->GetControlById(pid));
    ASSERT_NE(selector, nullptr) << std::hex << pid;
    const std::string shown = selector->GetShownText();
    ClickOn(h_, lfos, pid);
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

TEST_F(PagePickers, APerformanceMasterEffectTypeIsChosenOnItsTab) {
  CTabPageLayer* mfx = ShowPage(eMode_Combi, 0, 2);
  ASSERT_NE(mfx, nullptr);
  Oskend::ISection* edit = h_.synth()->GetEditBuffer(0);
  for (int pid : {0x1800, 0x1801}) {
    const int before = edit->GetParamI(pid);
    ClickOn(h_, mfx, pid);
    h_.Idle();
    ASSERT_NE(dynamic_cast<EffectBrowser*>(Picker()), nullptr) << std::hex << pid;
    const int chosen = ChooseAnotherRow(before);
    EXPECT_FALSE(PickerOpen());
    EXPECT_EQ(edit->GetParamI(pid), chosen) << std::hex << pid;
  }
}

}  // namespace
