// The whole editor window as the plug-in shows it: the root layer with the
// real pages on its three strips (registered here as the plug-in object
// registers them when it is loaded), drawn in each mode.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>

#include "editor/controls/CTabControl.h"
#include "editor/controls/UIFormManager.h"
#include "editor/pages/combi_global/CombiGlobalRegistration.h"
#include "editor/pages/combi_global/GlobalSoftwareSetupLayer.h"
#include "editor/pages/combi_global/TesraCombiPlayLayer.h"
#include "editor/pages/program/OskendProgPlayLayer.h"
#include "editor/pages/program/ProgBasicLayer.h"
#include "editor/pages/program/ProgramMainPages.h"
#include "editor/shell/CTabPageLayer.h"
#include "editor/shell/OskendBackgroundLayer.h"
#include "editor/shell/RootMainPages.h"
#include "hfc/CHfcVstEditor.h"
#include "tests/support/pageharness/PageHarness.h"
#include "tests/support/pageharness/QuietPlugInHost.h"

namespace {

using vesk::test::PageHarness;

class EditorWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    // The plug-in starts the form registry before it opens its editor.
    UIFormManager::Initialize();
    RegisterProgramMainPages();
    RegisterCombiGlobalMainPages();
    root_ = std::make_unique<OskendBackgroundLayer>(&plugin_, h_.synth());
    root_->SetStepPauseEnabled(false);
    ASSERT_TRUE(root_->Create(&h_.window()));
    root_->Show(false);
    h_.Idle();
    h_.Idle();
  }
  void TearDown() override {
    if (root_) {
      h_.window().RemoveLayer(root_.get(), false);
      root_->Destroy();
      root_.reset();
    }
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
  template <typename T>
  bool StripHolds(int guiMode, int index) {
    CTabControl* strip = root_->GetMainTab(guiMode);
    if (!strip || index >= strip->GetTabPageCount()) return false;
    return dynamic_cast<T*>(strip->GetTabPageLayer(index)) != nullptr;
  }

  PageHarness h_;
  vesk::test::QuietPlugInHost plugin_;
  std::unique_ptr<OskendBackgroundLayer> root_;
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

}  // namespace
