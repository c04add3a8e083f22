// The browsers and dialogs opened by the editor's root layer: from its
// menu, from commands pages post and from the LCD's name field, one group
// at a time, closed on the idle after they finish.
#include <gtest/gtest.h>

#include <memory>

#include "editor/browsers/AuditionRiffBrowser.h"
#include "editor/browsers/ModalBrowsers.h"
#include "editor/browsers/SmallBlueBrowserLayer.h"
#include "editor/browsers/WriteBrowser.h"
#include "editor/shell/IPlugInHost.h"
#include "editor/shell/ModalLayer.h"
#include "editor/shell/OskendBackgroundLayer.h"
#include "os/Menu.h"
#include "tests/editor/browsers/BrowserTestKit.h"

namespace {

using browsertest::PageHarness;
using Root = OskendBackgroundLayer;

class Host : public IPlugInHost {
 public:
  std::string GetPlugInProductString() override { return "Vesk Plug-In Editor"; }
  std::string GetPlugInBundleVersion() override { return "1.0.5.12"; }
  void SetParameterAutomatedFromInt(int, int, int, int) override {}
  void BeginParameterEdit(int) override {}
  void EndParameterEdit(int) override {}
  void MidiInFromGUI(uint8_t, uint8_t, uint8_t) override {}
};

class RootBrowsers : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterModalBrowsers();
    os::HeadlessMenuTracker::Reset();
    os::HeadlessAlert::Reset();
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
  }
  ModalBrowsers* Browsers() { return static_cast<ModalBrowsers*>(root_->GetModalBrowsers()); }
  CTabPageLayer* Page() { return Browsers() ? Browsers()->GetOpener().GetPage() : nullptr; }
  void ClickPageControl(int id) {
    CHfcControl* c = Page()->GetControlById(id);
    const tagHfcRect& r = c->GetFrame();
    h_.Click(Page()->GetRect().left + (r.left + r.right) / 2,
             Page()->GetRect().top + (r.top + r.bottom) / 2);
  }
  void Menu(int id) {
    os::HeadlessMenuTracker::ScriptCommand(id);
    root_->OnHfcCtrlMouseLButtonDown(root_->GetControlById(Root::kIdUtility), 0, 0, 0);
  }

  PageHarness h_;
  Host host_;
  std::unique_ptr<Root> root_;
};

TEST_F(RootBrowsers, TheWriteDialogFromTheMenuOpensOverThePanelAndCloses) {
  Menu(1000);
  h_.Idle();  // the posted command
  ASSERT_NE(dynamic_cast<WriteBrowser*>(Page()), nullptr);
  EXPECT_TRUE(root_->GetBrowserRequests().empty());
  h_.Idle();
  EXPECT_FALSE(h_.RenderWindow("root_write_dialog").empty());
  ClickPageControl(WriteBrowser::kCancelId);
  h_.Idle();
  EXPECT_FALSE(Browsers()->IsOpen());
  EXPECT_EQ(root_->GetControlById(Root::kIdSoundName)->GetIntValue(), 0);
}

TEST_F(RootBrowsers, OneGroupAtATimeAndAModeChangeClosesIt) {
  root_->PostCommand({XECommand::kOpenListBrowser, 5, 3, 0x10D});
  h_.Idle();
  auto* riffs = dynamic_cast<AuditionRiffBrowser*>(Page());
  ASSERT_NE(riffs, nullptr);
  h_.Idle();
  EXPECT_FALSE(h_.RenderWindow("root_riff_browser").empty());
  // The copy dialog asked for meanwhile is refused; the picker stays.
  Menu(1001);
  h_.Idle();
  EXPECT_EQ(Page(), riffs);

  h_.synth()->PutMode(eMode_Combi);
  h_.RunFor(600);
  h_.Idle();
  h_.Idle();
  EXPECT_FALSE(Browsers()->IsOpen());
  root_->OpenCopyMFXBrowser();  // the next request is served again
  EXPECT_TRUE(Browsers()->IsOpen());
}

TEST_F(RootBrowsers, TheSoundNameOpensTheSoundBrowserInPerformanceMode) {
  h_.synth()->PutMode(eMode_Combi);
  h_.RunFor(600);
  h_.Idle();
  h_.Idle();
  ASSERT_EQ(root_->GetGUIMode(), 0);
  CHfcControl* name = root_->GetControlById(Root::kIdSoundName);
  root_->OnHfcCtrlMouseLButtonDown(name, 0, 0, 0);
  auto* browser = dynamic_cast<SmallBlueBrowserLayer*>(Page());
  ASSERT_NE(browser, nullptr);
  EXPECT_EQ(Browsers()->GetData().GetBrowsers().size(), 1u);
  h_.Idle();
  EXPECT_FALSE(h_.RenderWindow("root_sound_browser").empty());
  ClickPageControl(BlueBrowserBase::kCancelId);
  h_.Idle();
  EXPECT_FALSE(Browsers()->IsOpen());
  EXPECT_TRUE(Browsers()->GetData().GetBrowsers().empty());
}

TEST_F(RootBrowsers, TheAboutBoxOpensOnce) {
  const int before = h_.window().GetLayerCount();
  root_->OpenAbout();
  root_->OpenAbout();
  EXPECT_EQ(h_.window().GetLayerCount(), before + 1);
}

}  // namespace
