// The list pickers over the simulated synthesizer: preview while choosing,
// OK keeps, Cancel restores (red pickers write the opening value back).
#include <gtest/gtest.h>

#include "editor/browsers/AuditionRiffBrowser.h"
#include "editor/browsers/EffectBrowser.h"
#include "editor/browsers/LoadProgramBrowser.h"
#include "editor/browsers/MultisampleBrowser.h"
#include "editor/browsers/ParamBrowser.h"
#include "editor/controls/CMMPCtrlList.h"
#include "editor/controls/CMMPCtrlScrollBar.h"
#include "editor/controls/XEDropdownList.h"
#include "editor/shell/XESynthUtils.h"
#include "hfc/CHfcCtrlListItem.h"
#include "hfc/CHfcCtrlSwitch.h"
#include "model/SectionOfferLists.h"
#include "model/paramdesc/SParamDesc.h"
#include "tests/editor/browsers/BrowserTestKit.h"

namespace {

using namespace browsertest;

constexpr eMode kEdit = static_cast<eMode>(3);
constexpr int kRiffNo = 0x10D;
constexpr int kRiffTranspose = 0x10E;

TEST(ListBrowser, CancelAfterPreviewingRiffsWritesTheOpeningRiffBack) {
  Bench b(3);
  ASSERT_TRUE(b.opener.OpenRedBrowser(5, kEdit, kRiffNo));
  b.Idle();
  auto* page = b.Page<AuditionRiffBrowser>();
  ASSERT_NE(page, nullptr);
  const int opening = page->GetParamValue(kEdit, kRiffNo);
  CMMPCtrlList* list = page->GetList();
  ASSERT_EQ(list->GetNumItems(), 384);
  EXPECT_STREQ(list->GetItem(0)->Caption(), XESynthUtils::RIFFNAMES[0]);
  EXPECT_EQ(list->GetSelectedItemIndex(), opening);

  for (int riff : {10, 200, 383}) {
    list->SelectCell(riff, 0);
    b.Idle();
    EXPECT_EQ(page->GetParamValue(kEdit, kRiffNo), riff);
    EXPECT_TRUE(b.h.synth()->GetAuditionState());
  }
  b.ClickControl(ListBrowserBase::kCancelId);
  b.Idle();
  EXPECT_FALSE(b.opener.IsOpen());
  EXPECT_FALSE(b.h.synth()->GetAuditionState());
  Oskend::ISection* section = b.h.synth()->GetEditBuffer(3);
  EXPECT_EQ(section->GetParamI(kRiffNo), opening);
}

TEST(ListBrowser, RiffNamesPastTheTableAreEmpty) {
  for (int i : {384, 385, 1000}) EXPECT_EQ(XESynthUtils::GetAuditionRiffName(nullptr, i), "") << i;
  EXPECT_EQ(XESynthUtils::GetAuditionRiffName(nullptr, 383), XESynthUtils::RIFFNAMES[383]);
}

TEST(ListBrowser, OkKeepsThePreviewAndNeedsASelection) {
  Bench b(3);
  ASSERT_TRUE(b.opener.OpenParamBrowser(6, kEdit, kRiffTranspose));
  b.Idle();
  auto* page = b.Page<ParamBrowser>();
  ASSERT_NE(page, nullptr);
  CMMPCtrlList* list = page->GetList();
  ASSERT_EQ(list->GetNumItems(), 49);  // -24 .. +24
  EXPECT_EQ(browserkit::ItemValue(list->GetItem(0)), -24);

  // Without a selection OK neither ends anything nor closes.
  list->ClearItemSelected();
  b.ClickControl(ListBrowserBase::kOkId);
  b.Idle();
  ASSERT_TRUE(b.opener.IsOpen());

  list->SelectCell(30, 0);  // +6
  b.Idle();
  EXPECT_EQ(page->GetParamValue(kEdit, kRiffTranspose), 6);
  b.ClickControl(ListBrowserBase::kOkId);
  b.Idle();
  EXPECT_FALSE(b.opener.IsOpen());
  EXPECT_FALSE(b.h.synth()->GetAuditionState());
  EXPECT_EQ(b.h.synth()->GetEditBuffer(3)->GetParamI(kRiffTranspose), 6);
}

// Escape is Cancel: the audition ends without keeping, and the end of the
// audition gives the edit buffer its opening state back.
TEST(ListBrowser, EscapeEndsThePreviewWithoutKeepingIt) {
  Bench b(3);
  ASSERT_TRUE(b.opener.OpenParamBrowser(6, kEdit, kRiffTranspose));
  b.Idle();
  auto* page = b.Page<ParamBrowser>();
  const int opening = page->GetOpeningValue();
  page->GetList()->SelectCell(opening == -24 ? 1 : 0, 0);
  b.Idle();
  ASSERT_NE(b.h.synth()->GetEditBuffer(3)->GetParamI(kRiffTranspose), opening);
  page->OnHfcCtrlKeyChar(page->GetList(), 27);  // Escape
  b.Idle();
  EXPECT_FALSE(b.opener.IsOpen());
  EXPECT_FALSE(b.h.synth()->GetAuditionState());
  EXPECT_EQ(b.h.synth()->GetEditBuffer(3)->GetParamI(kRiffTranspose), opening);
}

TEST(ListBrowser, TheWheelMovesTwoLinesPerNotch) {
  Bench b(3);
  ASSERT_TRUE(b.opener.OpenRedBrowser(5, kEdit, kRiffNo));
  b.Idle();
  auto* page = b.Page<AuditionRiffBrowser>();
  CMMPCtrlScrollBar* bar = page->GetScrollBar();
  bar->SetIntValue(10, false);
  page->PreMouseWheelMoved(nullptr, 0, 0, 0, 0, 0);
  EXPECT_EQ(bar->GetIntValue(), 12);
  page->PreMouseWheelMoved(nullptr, 0, 0, 0, 3, 0);
  EXPECT_EQ(bar->GetIntValue(), 10);
}

TEST(ListBrowser, EffectTypesFollowAvailabilityAndCategory) {
  Bench b(2);
  const eMode play = static_cast<eMode>(0);  // the combination's IFX1 type
  ASSERT_TRUE(b.opener.OpenRedBrowser(1, play, 0x1200));
  b.Idle();
  auto* page = b.Page<EffectBrowser>();
  ASSERT_NE(page, nullptr);
  EXPECT_TRUE(page->IsCategoryMenuEnabled());
  SParamDesc desc{};
  ASSERT_TRUE(page->GetParamDesc(&desc, play, 0x1200));
  const Oskend::SOfferList* avail = Oskend::GetFxTypeList(play, 0x1200);
  ASSERT_NE(avail, nullptr);
  int expected = 0;
  for (int t = desc.min; t <= desc.max; ++t) expected += t < 135 && avail->list[t] == 1;
  EXPECT_EQ(page->GetList()->GetNumItems(), expected);

  // "EQ/Filter": types 7 to 19 that the slot may take.
  page->OnHfcCtrlIntValueChanged(page->GetCategorySelector(), 1);
  b.Idle();
  for (int i = 0; i < page->GetList()->GetNumItems(); ++i) {
    const int t = browserkit::ItemValue(page->GetList()->GetItem(i));
    EXPECT_TRUE(t >= 7 && t <= 19) << t;
    EXPECT_EQ(avail->list[t], 1);
  }
  EXPECT_EQ(page->IsOrganFxOffered(), desc.max > 62);
  b.opener.CloseModalBrowser();

  ASSERT_TRUE(b.opener.OpenRedBrowser(1, play, 0x0800));
  b.Idle();
  page = b.Page<EffectBrowser>();
  EXPECT_FALSE(page->IsCategoryMenuEnabled());
  EXPECT_FALSE(page->GetCategorySelector()->IsEnabled());
}

TEST(ListBrowser, AProgramInsertEffectPickerOffersOnlyTheTypesTheSlotTakes) {
  Bench b(3);
  // As the program's insert-effect page opens it: IFX2 to IFX5 take no double-size types.
  for (int pid : {0x200, 0x201, 0x204}) {
    const Oskend::SOfferList* avail = Oskend::GetFxTypeList(kEdit, pid);
    ASSERT_NE(avail, nullptr) << std::hex << pid;
    ASSERT_TRUE(b.opener.OpenRedBrowser(1, kEdit, pid)) << std::hex << pid;
    b.Idle();
    auto* page = b.Page<EffectBrowser>();
    ASSERT_NE(page, nullptr);
    SParamDesc desc{};
    ASSERT_TRUE(page->GetParamDesc(&desc, kEdit, pid));
    int expected = 0;
    for (int t = desc.min; t <= desc.max; ++t) expected += t < 135 && avail->list[t] == 1;
    CMMPCtrlList* list = page->GetList();
    EXPECT_EQ(list->GetNumItems(), expected) << std::hex << pid;
    for (int i = 0; i < list->GetNumItems(); ++i)
      EXPECT_EQ(avail->list[browserkit::ItemValue(list->GetItem(i))], 1) << std::hex << pid;
    if (pid != 0x200) {
      EXPECT_EQ(desc.max, 63);
      EXPECT_EQ(list->GetNumItems(), 60) << std::hex << pid;
    }
    b.opener.CloseModalBrowser();
    b.Idle();
  }
}

TEST(ListBrowser, AParameterOfPage0AFixesTheProgramCategory) {
  Bench b(3);
  for (int i = 0; i < 8; ++i) SetProgram(b.h.synth(), 0, i, "Cat " + std::to_string(i), i);
  ASSERT_TRUE(b.opener.OpenRedBrowser(0, kEdit, 0x0A05));
  b.Idle();
  auto* page = b.Page<LoadProgramBrowser>();
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(page->m_iCategory, 2);
  EXPECT_EQ(page->GetCategorySelector()->GetIntValue(), 2);
  EXPECT_FALSE(page->GetCategorySelector()->IsEnabled());
  EXPECT_FALSE(page->GetBankSelector()->IsEnabled());
  CMMPCtrlList* list = page->GetList();
  ASSERT_GT(list->GetNumItems(), 0);
  for (int i = 0; i < list->GetNumItems(); ++i) {
    const int v = browserkit::ItemValue(list->GetItem(i));
    Oskend::ISound* s = b.h.synth()->GetAllSounds(2)->GetAt(v / 128)->GetAt(v % 128);
    EXPECT_EQ(GetCategory(2, s, nullptr), 2) << list->GetItem(i)->Caption();
  }
  EXPECT_EQ(browserkit::ItemValue(list->GetItem(0)), 2);
  EXPECT_EQ(std::string(list->GetItem(0)->Caption()).substr(0, 10), "A002 Cat 2");

  struct Case {
    int pid;
    int category;
  } cases[] = {{0x0200, 0}, {0x0705, 5}, {0x0800, 0}, {0x0D00, 5}, {0x0100, -1}, {0x0E00, -1}};
  for (const Case& c : cases) EXPECT_EQ(LoadProgramBrowser::FixedCategory(c.pid), c.category);
}

TEST(ListBrowser, UnavailableModulationSourcesAreDisabled) {
  Bench b(3);
  ASSERT_TRUE(b.opener.OpenParamBrowser(7, kEdit, 0x0E08));
  b.Idle();
  auto* page = b.Page<ListBrowserBase>();
  const Oskend::SOfferList* avail = Oskend::GetAMSSRCList(kEdit, 0x0E08);
  ASSERT_NE(avail, nullptr);
  CMMPCtrlList* list = page->GetList();
  ASSERT_EQ(list->GetNumItems(), 51);
  int disabled = 0;
  for (int v = 0; v <= 50; ++v) {
    EXPECT_EQ(list->GetItem(v)->GetEnabled(), avail->list[v] == 1) << v;
    EXPECT_EQ(browserkit::ItemValue(list->GetItem(v)), avail->list[v] == 1 ? v : -1);
    disabled += !list->GetItem(v)->GetEnabled();
  }
  EXPECT_GT(disabled, 0);
}

TEST(ListBrowser, MultisampleCategoriesCoverTheirTables) {
  Bench b(3);
  MultisampleBrowser page(b.h.synth(), kEdit, 0x0D05, "Select Multisample", false);
  struct Case {
    int type;
    int number;
    int category;
  } cases[] = {{0, 0, 0},    {0, 11, 0}, {0, 12, 1}, {0, 75, 9}, {0, 76, 10}, {0, 135, 10},
               {0, 136, -1}, {1, 3, 0},  {1, 4, 5},  {1, 5, 7},  {1, 6, -1},  {2, 0, -1}};
  for (const Case& c : cases)
    EXPECT_EQ(page.getMultisampleCategory(c.type, c.number), c.category)
        << c.type << "/" << c.number;
  MultisampleBrowser drums(b.h.synth(), kEdit, 0x0D05, "Select Drumkit", true);
  EXPECT_FALSE(drums.isCategoryMenuAvailable());
}

}  // namespace
