// The sound browser against the simulated synthesizer: filters and lists
// over the program banks, audition while choosing, and the shared model's
// life across openings.
#include <gtest/gtest.h>

#include <string>

#include "editor/browsers/SmallBlueBrowserLayer.h"
#include "editor/controls/CMMPCtrlList.h"
#include "editor/controls/XEDropdownList.h"
#include "editor/shell/ModalLayer.h"
#include "hfc/CHfcCtrlListItem.h"
#include "hfc/CHfcCtrlSwitch.h"
#include "tests/editor/browsers/BrowserTestKit.h"

namespace {

using namespace browsertest;

std::vector<std::string> Captions(CMMPCtrlList* list) {
  std::vector<std::string> out;
  for (int i = 0; i < list->GetNumItems(); ++i) out.push_back(list->GetItem(i)->Caption());
  return out;
}

TEST(SoundBrowser, GetCategoryReadsOneByteAndCapsAtSix) {
  PageHarness h;
  Oskend::ISound* s = h.synth()->GetAllSounds(2)->GetAt(0)->GetAt(0);
  struct Case {
    int mode;
    uint8_t byte;
    int category;
    int sub;
  } cases[] = {
      {2, 0x00, 0, 0}, {2, 0x45, 5, 2}, {2, 0x09, 6, 0}, {2, 0xFF, 6, 7}, {4, 0x45, -1, 99}};
  for (const Case& c : cases) {
    s->RawPut(&c.byte, 630, 1);
    int sub = 99;
    EXPECT_EQ(GetCategory(c.mode, s, &sub), c.category) << int(c.byte);
    EXPECT_EQ(sub, c.sub) << int(c.byte);
  }
}

TEST(SoundBrowser, BrowsesByBankAndCategoryWithKnownNames) {
  Bench b;
  SetProgram(b.h.synth(), 1, 3, "Warm Strings", 0x45);   // category 5, sub 2
  SetProgram(b.h.synth(), 1, 9, "Glass Pad", 0x09);      // stored 9: counts as 6
  SetProgram(b.h.synth(), 2, 0, "Other Strings", 0x05);  // category 5 in bank C
  ASSERT_TRUE(b.opener.OpenBlueBrowser(-1));
  b.Idle();
  auto* page = b.Page<SmallBlueBrowserLayer>();
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(page->GetList()->GetNumItems(), 4 * 128);

  // The bank selector: "ALL" and the bank names, without trailing blanks.
  XEDropdownList* banks = page->GetBankSelector();
  ASSERT_EQ(banks->GetItemCount(), 5);
  std::string name;
  banks->GetItemText(name, 0);
  EXPECT_EQ(name, "ALL");
  for (int i = 1; i < 5; ++i) {
    banks->GetItemText(name, i);
    EXPECT_EQ(name, b.h.synth()->GetAllSounds(2)->GetAt(i - 1)->GetName().substr(0, name.size()));
    EXPECT_TRUE(name.empty() || name.back() != ' ');
  }

  page->OnHfcCtrlIntValueChanged(banks, 1);  // bank B
  b.Idle();
  std::vector<std::string> captions = Captions(page->GetList());
  ASSERT_EQ(captions.size(), 128u);
  EXPECT_EQ(captions[3], "B003 Warm Strings" + std::string(12, ' '));
  EXPECT_EQ(browserkit::ItemValue(page->GetList()->GetItem(3)), (1 << 8) | 3);

  b.data.m_iBank = -1;
  b.data.m_iCategory = 5;
  b.data.UpdateAllBrowsers(nullptr, false);
  b.Idle();
  for (const std::string& c : Captions(page->GetList())) {
    const int bank = c[0] - 'A';
    const int number = std::stoi(c.substr(1, 3));
    Oskend::ISound* s = b.h.synth()->GetAllSounds(2)->GetAt(bank)->GetAt(number);
    EXPECT_EQ(GetCategory(2, s, nullptr), 5) << c;
  }
  captions = Captions(page->GetList());
  EXPECT_NE(
      std::find(captions.begin(), captions.end(), "C000 Other Strings" + std::string(11, ' ')),
      captions.end());
  b.data.m_iCategory = 6;
  b.data.UpdateAllBrowsers(nullptr, false);
  b.Idle();
  captions = Captions(page->GetList());
  EXPECT_NE(std::find(captions.begin(), captions.end(), "B009 Glass Pad" + std::string(15, ' ')),
            captions.end());
}

TEST(SoundBrowser, AuditionStartsOnAChoiceAndCancelRestoresTheSound) {
  Bench b;
  const Oskend::SSoundIndex before = b.h.synth()->GetCurSound(true);
  ASSERT_TRUE(b.opener.OpenBlueBrowser(-1));
  b.Idle();
  auto* page = b.Page<SmallBlueBrowserLayer>();
  CMMPCtrlList* list = page->GetList();
  EXPECT_FALSE(page->GetOkSwitch()->IsEnabled());

  const int first = before.number == 40 ? 41 : 40;
  list->SelectCell(first, 0);
  b.Idle();
  EXPECT_TRUE(b.h.synth()->GetAuditionState());
  EXPECT_EQ(b.h.synth()->GetCurSound(true).number, first);
  EXPECT_TRUE(page->GetOkSwitch()->IsEnabled());
  EXPECT_EQ(list->GetSelectedItemIndex(), first);

  list->SelectCell(130, 0);  // B002: sent without a second audition
  b.Idle();
  EXPECT_TRUE(b.h.synth()->GetAuditionState());
  EXPECT_EQ(b.h.synth()->GetCurSound(true).bank, 1);
  EXPECT_EQ(b.h.synth()->GetCurSound(true).number, 2);

  b.ClickControl(BlueBrowserBase::kCancelId);
  b.Idle();
  EXPECT_FALSE(b.opener.IsOpen());
  EXPECT_FALSE(b.h.synth()->GetAuditionState());
  EXPECT_EQ(b.h.synth()->GetCurSound(true).bank, before.bank);
  EXPECT_EQ(b.h.synth()->GetCurSound(true).number, before.number);
  EXPECT_TRUE(b.data.GetBrowsers().empty());
}

TEST(SoundBrowser, OkKeepsTheAuditionedSoundAndEscapeCancels) {
  Bench b;
  const Oskend::SSoundIndex before = b.h.synth()->GetCurSound(true);
  ASSERT_TRUE(b.opener.OpenBlueBrowser(-1));
  b.Idle();
  auto* page = b.Page<SmallBlueBrowserLayer>();
  page->GetList()->SelectCell(200, 0);  // B072
  b.Idle();
  b.Idle();
  b.h.device().With([](vesk::test::SimSynth& s) { s.ClearLog(); });
  b.ClickControl(BlueBrowserBase::kOkId);
  b.Idle(100);
  EXPECT_FALSE(b.opener.IsOpen());
  EXPECT_FALSE(b.h.synth()->GetAuditionState());
  // Kept: nothing restores the sound on the instrument, whose last
  // program change stays B072.
  int lastBank = -1, lastNumber = -1;
  for (const auto& e : b.h.device().Log())
    if (e.kind == vesk::test::SimSynthEvent::kProgramChange) {
      lastBank = e.bank;
      lastNumber = e.number;
    }
  for (const auto& e : b.h.device().Log())
    EXPECT_NE(e.kind, vesk::test::SimSynthEvent::kDumpReceived) << "restored edit buffer";
  EXPECT_TRUE(lastBank == -1 || (lastBank == 1 && lastNumber == 72))
      << lastBank << "/" << lastNumber;

  ASSERT_TRUE(b.opener.OpenBlueBrowser(-1));
  b.Idle();
  page = b.Page<SmallBlueBrowserLayer>();
  const Oskend::SSoundIndex kept = b.h.synth()->GetCurSound(true);
  page->GetList()->SelectCell(before.number == 5 ? 6 : 5, 0);
  EXPECT_TRUE(b.h.synth()->GetAuditionState());
  page->OnHfcCtrlKeyDown(page->GetList(), 27, 27, 0);
  b.Idle();
  EXPECT_FALSE(b.opener.IsOpen());
  EXPECT_FALSE(b.h.synth()->GetAuditionState());
  EXPECT_EQ(b.h.synth()->GetCurSound(true).number, kept.number);
}

// The model is unadvised when a group closes; a browser opened later must
// still hear a mode change (filters back to all, audition ended).
TEST(SoundBrowser, TheModelIsAdvisedAgainAtEveryOpening) {
  Bench b;

  ASSERT_TRUE(b.opener.OpenBlueBrowser(-1));
  b.Idle();
  b.ClickControl(BlueBrowserBase::kCancelId);
  b.Idle();
  ASSERT_FALSE(b.opener.IsOpen());
  EXPECT_FALSE(b.data.IsAdvised());

  ASSERT_TRUE(b.opener.OpenBlueBrowser(-1));
  b.Idle();
  EXPECT_TRUE(b.data.IsAdvised());
  auto* page = b.Page<SmallBlueBrowserLayer>();
  page->OnHfcCtrlIntValueChanged(page->GetBankSelector(), 2);
  b.Idle();
  page->GetList()->SelectCell(5, 0);
  b.Idle();
  ASSERT_EQ(b.data.m_iBank, 2);
  ASSERT_TRUE(b.h.synth()->GetAuditionState());

  b.h.synth()->PutMode(static_cast<eMode>(2));
  for (int i = 0; i < 20; ++i) b.Idle(10);
  EXPECT_EQ(b.data.m_iBank, -1);
  EXPECT_FALSE(b.h.synth()->GetAuditionState());
  EXPECT_EQ(page->GetList()->GetNumItems(), 4 * 128);
}

TEST(SoundBrowser, SettingTheCurrentSoundSendsOnlyChanges) {
  Bench b;
  const Oskend::SSoundIndex before = b.h.synth()->GetCurSound(true);
  b.data.SetCurrentSound({0xFF, 0xFF});
  EXPECT_FALSE(b.h.synth()->GetAuditionState());
  b.data.SetCurrentSound({0, 9});
  EXPECT_TRUE(b.h.synth()->GetAuditionState());
  b.h.RunFor(50);
  b.h.device().With([](vesk::test::SimSynth& s) { s.ClearLog(); });
  b.data.SetCurrentSound({0, 9});
  b.h.RunFor(50);
  for (const auto& e : b.h.device().Log())
    EXPECT_NE(e.kind, vesk::test::SimSynthEvent::kProgramChange);
  b.data.CancelAudition();
  EXPECT_EQ(b.h.synth()->GetCurSound(true).number, before.number);
  EXPECT_EQ(b.data.GetCurrentSound().bank, 0xFF);
}

}  // namespace
