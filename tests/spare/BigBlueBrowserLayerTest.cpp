// The spare large sound browser through the page harness, on the shared
// browsers' model.
#include <gtest/gtest.h>

#include <string>

#include "editor/browsers/BlueBrowserData.h"
#include "editor/controls/CMMPCtrlList.h"
#include "hfc/CHfcCtrlSwitch.h"
#include "hfc/CHfcCtrlTextSwitch.h"
#include "model/IBankList.h"
#include "remote/IRemoteSynth.h"
#include "spare/BigBlueBrowserLayer.h"
#include "tests/spare/SparePageKit.h"

namespace {

using namespace sparetest;

std::string Text(CHfcCtrlTextSwitch* s) { return s && s->GetText() ? s->GetText() : ""; }

class BigBrowser : public ::testing::Test {
 protected:
  void Open(bool ready) {
    h.synth()->PutMode(eMode_ProgPlay);
    for (int i = 0; i < 10 && h.synth()->GetMode() != eMode_ProgPlay; ++i) h.Idle(50);
    page.SetSynthReady(ready);
    page.SetBackgroundBmp(back.get());
    data.AddBrowser(&page);
    ASSERT_TRUE(h.AddPage(page));
    h.Idle();
  }
  void TearDown() override {
    data.RemoveBrowser(&page);
    h.DestroyPage(page);
  }
  void Idle() {
    h.Idle();
    data.OnIdle(0);
  }

  PageHarness h;
  BlueBrowserData data{h.synth()};
  std::unique_ptr<CHfcBmp> back = PageBackground(420);
  BigBlueBrowserLayer page{h.synth(), &data, "Browser"};
};

TEST_F(BigBrowser, WithoutTheReadyFlagEveryFilterIsBlankAndDisabled) {
  Open(false);
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(Text(page.GetCategorySwitch(i)), " ");
    EXPECT_FALSE(page.GetCategorySwitch(i)->IsEnabled());
  }
  for (int i = 0; i < 16; ++i) EXPECT_FALSE(page.GetBankSwitch(i)->IsEnabled());
  EXPECT_EQ(page.GetList()->GetNumItems(), 4 * 128);
  EXPECT_EQ(static_cast<const char*>(page.GetControlById(BigBlueBrowserLayer::kSoundLineId)->GetPtrValue()),
            std::string("UNSELECTED"));
}

TEST_F(BigBrowser, BankSwitchesFollowTheBankList) {
  Open(true);
  const int banks = static_cast<int>(h.synth()->GetAllSounds(2)->GetCount());
  ASSERT_EQ(banks, 4);
  EXPECT_EQ(Text(page.GetBankSwitch(0)), "ALL");
  EXPECT_EQ(page.GetBankSwitch(0)->GetIntValue(), 1);
  for (int i = 1; i <= banks; ++i) EXPECT_FALSE(Text(page.GetBankSwitch(i)).empty()) << i;
  for (int i = banks + 1; i < 16; ++i) {
    EXPECT_EQ(Text(page.GetBankSwitch(i)), "") << i;
    EXPECT_FALSE(page.GetBankSwitch(i)->IsEnabled()) << i;
  }
  // A filter beyond the list falls back to all.
  data.m_iBank = 12;
  page.UpdateBankSwitch(false);
  EXPECT_EQ(data.m_iBank, -1);
  EXPECT_EQ(page.GetBankSwitch(0)->GetIntValue(), 1);
}

TEST_F(BigBrowser, AClickOnAFilterSwitchLightsOnlyItAndFiltersTheList) {
  Open(true);
  const int all = page.GetList()->GetNumItems();
  page.OnHfcCtrlMouseLButtonDown(page.GetBankSwitch(2), 1, 1, 0);
  Idle();
  EXPECT_EQ(data.m_iBank, 1);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(page.GetBankSwitch(i)->GetIntValue(), i == 2 ? 1 : 0) << i;
  EXPECT_EQ(page.GetList()->GetNumItems(), 128);
  EXPECT_LT(page.GetList()->GetNumItems(), all);

  page.OnHfcCtrlMouseLButtonDown(page.GetSubCategorySwitch(8), 1, 1, 0);
  EXPECT_EQ(data.m_iSubCategory, 7);
  for (int i = 0; i < 9; ++i)
    EXPECT_EQ(page.GetSubCategorySwitch(i)->GetIntValue(), i == 8 ? 1 : 0) << i;
}

TEST_F(BigBrowser, ChoosingASoundAuditionsItOnTheInstrumentAndLosingItDisablesOK) {
  Open(true);
  data.SetCurrentSound(Oskend::SSoundIndex{1, 3});
  Idle();
  h.Idle(200);
  bool sent = false;
  for (const SimSynthEvent& e : h.device().Log())
    sent |= e.kind == SimSynthEvent::kProgramChange && e.bank == 1 && e.number == 3;
  EXPECT_TRUE(sent);
  page.OnUpdateSelection();
  EXPECT_TRUE(page.GetOkSwitch()->IsEnabled());
  EXPECT_NE(static_cast<const char*>(page.GetControlById(BigBlueBrowserLayer::kSoundLineId)->GetPtrValue()),
            std::string("UNSELECTED"));

  // A filter that leaves the chosen sound out empties the selection.
  page.OnHfcCtrlMouseLButtonDown(page.GetBankSwitch(3), 1, 1, 0);
  Idle();
  EXPECT_EQ(page.GetList()->GetSelectedItem(), nullptr);
  EXPECT_FALSE(page.GetOkSwitch()->IsEnabled());
  EXPECT_FALSE(h.synth()->GetAuditionState());
}

}  // namespace
