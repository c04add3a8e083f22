// The two spare sub-level tab pages through the page harness: the send-level
// tab of the insert-effect page and the multi-track parameter tab.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "editor/controls/UI_FORMINFO.h"
#include "editor/controls/XEControlCreater.h"
#include "editor/controls/XEDropdownList.h"
#include "editor/controls/XEKnob.h"
#include "hfc/CHfcCtrlCharEditText.h"
#include "hfc/CHfcVstEditor.h"
#include "model/ISection.h"
#include "model/XEUtils.h"
#include "remote/IRemoteSynth.h"
#include "spare/CCombiTrackRoutingPageLayer.h"
#include "spare/CMultiTrackParamTabPageLayer.h"
#include "tests/spare/SparePageKit.h"
#include "tests/support/pageharness/PageHarness.h"

namespace {

using vesk::test::PageHarness;
using vesk::test::SimSynthEvent;

constexpr int kTimbreProgram = 0x200;
constexpr int kBusSelect = 0x234;
constexpr int kSend1 = 0x236;

// A program (as a combination timbre stores it) whose mode is or is not 2,
// found among the stored programs; -1 when there is none.
int ProgramOfMode(Oskend::IRemoteSynth* synth, bool mode2) {
  for (int value = 0; value < 512; ++value) {
    Oskend::eBankID bank{};
    int program = 0;
    if (!XEUtils::Int2BankProg(value, &bank, &program, eMode_ProgPlay)) continue;
    if ((synth->GetProgramMode(bank, program) == 2) == mode2) return value;
  }
  return -1;
}

class TrackRoutingPage : public ::testing::Test {
 protected:
  void SetUp() override {
    h.model().PutMode(eMode_Combi);
    h.RunFor(500);
    h.Idle();
  }
  void Create(eMode mode) {
    page = std::make_unique<CCombiTrackRoutingPageLayer>(h.synth(), "");
    page->SetTargetMode(mode);
    ASSERT_TRUE(page->Create(*sparetest::FormById(ID_COMBI_IFX_ROUTING), &h.window(), ""));
    page->Show(false);
  }
  void TearDown() override {
    if (page) h.DestroyPage(*page);
  }
  XEDropdownList* PutBusList(int id) {
    XEControlCreater creator(page->GetBackgroundBmp(), 0, 0);
    XEDropdownList* list = creator.CreateDropdownList(600, 200, 9, id);
    page->AddControl(list, false);
    list->SetListener(page.get());
    return list;
  }

  PageHarness h;
  std::unique_ptr<CCombiTrackRoutingPageLayer> page;
};

TEST_F(TrackRoutingPage, BusEntryFollowsTheModeOfEachTimbresProgram) {
  Create(eMode_Combi);
  const int drums = ProgramOfMode(h.synth(), true);
  const int plain = ProgramOfMode(h.synth(), false);
  ASSERT_GE(drums, 0);
  ASSERT_GE(plain, 0);
  page->PutParamValue(eMode_Combi, kTimbreProgram, drums);
  page->PutParamValue(eMode_Combi, kTimbreProgram + 0x100, plain);
  h.RunFor(200);
  page->UpdateBusSelectDropdownList();
  EXPECT_TRUE(page->IsBusEnabled(0));
  EXPECT_FALSE(page->IsBusEnabled(1));
  // The timbre edit went to the instrument.
  bool sent = false;
  for (const SimSynthEvent& e : h.device().Log())
    sent |= e.kind == SimSynthEvent::kParamChange && e.id == kTimbreProgram + 0x100 &&
            e.value == plain;
  EXPECT_TRUE(sent);

  page->PutParamValue(eMode_Combi, kTimbreProgram + 0x100, drums);
  page->UpdateBusSelectDropdownList();
  EXPECT_TRUE(page->IsBusEnabled(1));
}

TEST_F(TrackRoutingPage, BusListsGetTheirTimbresFlagOnlyInCombinationMode) {
  Create(eMode_Combi);
  // The form itself holds no bus list: only the flags change.
  for (int t = 0; t < 16; ++t) EXPECT_EQ(page->GetControlById(kBusSelect + (t << 8), 0), nullptr);
  page->InitBusSelectDropdownList();

  XEDropdownList* first = PutBusList(kBusSelect);
  XEDropdownList* third = PutBusList(kBusSelect + 0x200);
  bool own[4] = {true, true, true, true};
  third->SetEnableParameterList(own, 3);
  page->InitBusSelectDropdownList();
  ASSERT_NE(first->GetEnableParameterList(), nullptr);
  EXPECT_EQ(*first->GetEnableParameterList(), page->IsBusEnabled(0));
  EXPECT_EQ(third->GetEnableParameterList(), own);  // keeps the list it had
}

TEST_F(TrackRoutingPage, OtherModesLookUpNothing) {
  Create(eMode_Multi);
  XEDropdownList* first = PutBusList(kBusSelect);
  page->InitBusSelectDropdownList();
  EXPECT_EQ(first->GetEnableParameterList(), nullptr);
  for (int t = 0; t < 16; ++t) EXPECT_TRUE(page->IsBusEnabled(t)) << t;
}

TEST_F(TrackRoutingPage, ASendLevelTypedOnThePageReachesTheInstrument) {
  Create(eMode_Combi);
  auto* send = dynamic_cast<CHfcCtrlCharEditText*>(page->GetControlById(kSend1, 0));
  ASSERT_NE(send, nullptr) << "the send level of timbre 1";
  page->RequestRedraw();
  h.Idle();
  const tagHfcRect& r = send->GetFrame();
  h.DoubleClick((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  ASSERT_TRUE(send->IsEditing());
  h.Type("77");
  h.Idle(200);
  EXPECT_EQ(page->GetParamValue(eMode_Combi, kSend1), 77);
  bool sent = false;
  for (const SimSynthEvent& e : h.device().Log())
    sent |= e.kind == SimSynthEvent::kParamChange && e.id == kSend1 && e.value == 77;
  EXPECT_TRUE(sent);
}

// A tab of a few linked controls; what a multi's track tab holds is its
// form's business.
const UI_FORMINFO kTrackItems[] = {
    {"knob", "", "", 0x402, 0x107, 40, 40, 40, 40, 0, nullptr},
    {"checkbox", "", "", 0x402, 0x205, 120, 50, 13, 13, 0, nullptr},
};
const UI_FORMINFO kTrackForm{"Layer", "", "", 0x7002, -1, 0, 0, 559, 230, 2, kTrackItems};

class CountingTrackPage : public CMultiTrackParamTabPageLayer {
 public:
  using CMultiTrackParamTabPageLayer::CMultiTrackParamTabPageLayer;
  bool Show(bool redraw) override {
    ++shows;
    return CMultiTrackParamTabPageLayer::Show(redraw);
  }
  int shows = 0;
};

TEST(MultiTrackParamTabPage, SequencerStartAndStopEachRefreshThePageOnce) {
  PageHarness h;
  CountingTrackPage page(h.synth(), "Track");
  page.SetTargetMode(eMode_ProgEdit);
  ASSERT_TRUE(page.Create(kTrackForm, &h.window(), ""));
  CHfcControl* knob = page.GetControlById(0x107, 0);
  ASSERT_NE(knob, nullptr);
  const int stored = page.GetParamValue(eMode_ProgEdit, 0x107);
  page.Show(false);
  for (bool running : {true, false}) {
    knob->SetIntValue(stored == 0 ? 1 : 0, false);  // out of step with the model
    const int before = page.shows;
    page.OnRemoteSynthSeqStateChanged(h.synth(), running);
    h.Idle();
    EXPECT_EQ(page.shows - before, 1) << running;
    EXPECT_TRUE(page.IsVisible());
    EXPECT_EQ(knob->GetIntValue(), stored) << "resynchronised";
  }
  // A turn of the knob is an edit of the instrument's program.
  page.OnHfcCtrlIntValueChanged(knob, stored == 5 ? 6 : 5);
  h.Idle(200);
  bool sent = false;
  for (const SimSynthEvent& e : h.device().Log())
    sent |= e.kind == SimSynthEvent::kParamChange && e.id == 0x107;
  EXPECT_TRUE(sent);
  h.DestroyPage(page);
}

}  // namespace
