// The write, copy and effect-copy dialogs against the simulated
// synthesizer: what they write, what they tell, what they pass on.
#include <gtest/gtest.h>

#include <cstring>

#include "editor/browsers/CopyIFXBrowserLayer.h"
#include "editor/browsers/CopyMFXBrowserLayer.h"
#include "editor/browsers/CopyOSCBrowser.h"
#include "editor/browsers/CopyScaleBrowser.h"
#include "editor/browsers/RenameBrowser.h"
#include "editor/browsers/WriteBrowser.h"
#include "editor/controls/XEDropdownList.h"
#include "editor/shell/XESynthUtils.h"
#include "hfc/CHfcCtrlSwitch.h"
#include "model/ISection.h"
#include "tests/editor/browsers/BrowserTestKit.h"
#include "tests/support/simsynth/SimSynth.h"

namespace {

using namespace browsertest;
using vesk::test::SimSynth;
using vesk::test::SimSynthEvent;

void TypeInto(CTabPageLayer* page, int id, const char* text) {
  CHfcControl* c = page->GetControlById(id);
  page->OnHfcCtrlPtrValueChanged(c, const_cast<char*>(text));
}

void Choose(CTabPageLayer* page, int id, int value) {
  page->OnHfcCtrlIntValueChanged(page->GetControlById(id), value);
}

std::string Text(CTabPageLayer* page, int id) {
  const char* t = static_cast<const char*>(page->GetControlById(id)->GetPtrValue());
  return t ? t : "";
}

int Writes(PageHarness& h) {
  int n = 0;
  for (const auto& e : h.device().Log()) n += e.kind == SimSynthEvent::kWrite;
  return n;
}

TEST(WriteDialog, WritesTheProgramIntoTheSynthesizersMemory) {
  Bench b(3);
  ASSERT_TRUE(b.opener.OpenWriteBrowser());
  b.Idle();
  auto* page = b.Page<WriteBrowser>();
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(page->GetTabPageName(), "Write Program");

  // Every category, USER included, so the written one is always valid.
  auto* categories = static_cast<XEDropdownList*>(page->GetControlById(WriteBrowser::kCategoryId));
  ASSERT_EQ(categories->GetItemCount(), 7);
  std::string user, shown;
  XESynthUtils::GetCategoryName(user, b.h.synth(), 2, 6, true);
  categories->GetItemText(shown, 6);
  EXPECT_EQ(shown, user);

  Choose(page, WriteBrowser::kCategoryId, 6);
  Choose(page, WriteBrowser::kSubCategoryId, 3);
  TypeInto(page, WriteBrowser::kNameId, "Browser Written Sound With More");  // cut to 24
  EXPECT_EQ(Text(page, WriteBrowser::kNameId), "Browser Written Sound Wi");
  Choose(page, WriteBrowser::kBankId, 1);
  TypeInto(page, WriteBrowser::kDestinationId, "7x");
  EXPECT_EQ(page->GetControlById(WriteBrowser::kDestinationId)->GetIntValue(), 7);
  EXPECT_EQ(Text(page, WriteBrowser::kDestinationId).substr(0, 4), "007 ");

  b.h.device().With([](SimSynth& s) { s.ClearLog(); });
  b.ClickControl(WriteBrowser::kOkId);
  b.Idle(200);
  EXPECT_EQ(Alerts(), std::vector<std::string>{"Are you sure?"});
  EXPECT_FALSE(b.opener.IsOpen());
  EXPECT_GE(Writes(b.h), 1);
  const std::vector<uint8_t> memory = b.h.device().Memory();
  const unsigned at = SimSynth::ProgOffset(1, 7);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&memory[at]), 24),
            "Browser Written Sound Wi");
  // The category byte: the category in the low five bits, the sub-category
  // above. They reached the instrument as parameter changes before the write.
  EXPECT_EQ(memory[at + 630], (3 << 5) | 6);
  std::vector<std::pair<int, int>> categoryChanges;
  for (const auto& e : b.h.device().Log())
    if (e.kind == SimSynthEvent::kParamChange && (e.id == 0x101 || e.id == 0x102))
      categoryChanges.push_back({e.id, e.value});
  EXPECT_EQ(categoryChanges, (std::vector<std::pair<int, int>>{{0x101, 6}, {0x102, 3}}));
}

// With nothing chosen in the category lists (the program's own category
// lies outside them), the written program keeps its category and
// sub-category, and the realtime value that follows the category is the
// one the program read back gives it, not one made from the empty list.
TEST(WriteDialog, NoCategoryChosenKeepsTheProgramsCategory) {
  Bench b(3);
  XESynthUtils::SetCurSoundCategory(b.h.synth(), 2, 4);
  XESynthUtils::SetCurSoundSubCategory(b.h.synth(), 2, 5);
  Oskend::ISection* rt = b.h.synth()->GetRealtimeControl();
  const int follow = rt->GetParamI(0x8029);
  ASSERT_TRUE(b.opener.OpenWriteBrowser());
  b.Idle();
  auto* page = b.Page<WriteBrowser>();
  page->GetControlById(WriteBrowser::kCategoryId)->SetIntValue(99, false);
  page->GetControlById(WriteBrowser::kSubCategoryId)->SetIntValue(99, false);
  ASSERT_EQ(page->ValueOf(WriteBrowser::kCategoryId), -1);
  Choose(page, WriteBrowser::kBankId, 1);
  TypeInto(page, WriteBrowser::kDestinationId, "9");
  b.ClickControl(WriteBrowser::kOkId);
  b.Idle(200);
  EXPECT_EQ(Alerts(), std::vector<std::string>{"Are you sure?"});
  EXPECT_GE(Writes(b.h), 1);
  EXPECT_EQ(b.h.device().Memory()[SimSynth::ProgOffset(1, 9) + 630], (5 << 5) | 4);
  EXPECT_EQ(rt->GetParamI(0x8029), follow - follow % 6 + 4);
}

TEST(WriteDialog, CancelInTheConfirmationWritesNothing) {
  Bench b(3);
  const std::string before =
      b.h.synth()->GetEditBuffer(3)->GetParamS(static_cast<int>(0xFFFF0000u));
  ASSERT_TRUE(b.opener.OpenWriteBrowser());
  b.Idle();
  auto* page = b.Page<WriteBrowser>();
  TypeInto(page, WriteBrowser::kNameId, "Never Written");
  b.h.device().With([](SimSynth& s) { s.ClearLog(); });
  os::HeadlessAlert::Script(2);
  b.ClickControl(WriteBrowser::kOkId);
  b.Idle(200);
  EXPECT_EQ(Alerts(), std::vector<std::string>{"Are you sure?"});
  EXPECT_FALSE(b.opener.IsOpen());
  EXPECT_EQ(Writes(b.h), 0);
  EXPECT_EQ(b.h.synth()->GetEditBuffer(3)->GetParamS(static_cast<int>(0xFFFF0000u)), before);
}

TEST(WriteDialog, TellsWhyAWriteFailed) {
  struct Case {
    bool connect;
    bool silent;
    uint8_t status;
    std::vector<std::string> alerts;
  } cases[] = {
      {false, false, 0, {"Write Error! (no connect)"}},
      {true, true, 0, {"Are you sure?", "Write Error!\nTimeout."}},
      {true,
       false,
       4,
       {"Are you sure?",
        "Write Error!\nProgram bank type is wrong.\nPlease synchronize the program bank before "
        "writing."}},
      {true, false, 2, {"Are you sure?", "Write Error!\nWrite Protected."}},
  };
  for (const Case& c : cases) {
    PageHarness::Options o;
    o.connect = c.connect;
    Bench b(3, o);
    auto page = std::make_unique<WriteBrowser>(b.h.synth(), 0, "Write Program");
    WriteBrowser* raw = page.get();
    ASSERT_TRUE(b.opener.OpenGroup(BrowserOpener::Group::kDialog, std::move(page)));
    b.Idle();
    if (c.connect)
      b.h.device().With([&](SimSynth& s) {
        s.Settings().silent = c.silent;
        s.Settings().statusByte = c.status;
      });
    raw->OnSave();
    b.Idle();
    EXPECT_EQ(Alerts(), c.alerts);
    EXPECT_FALSE(b.opener.IsOpen());
  }
}

TEST(WriteDialog, PerformanceNumbersRunFromA1ToD5) {
  Bench b(0);
  ASSERT_EQ(b.h.synth()->GetSoundMode(), 0);
  ASSERT_TRUE(b.opener.OpenWriteBrowser());
  b.Idle();
  auto* page = b.Page<WriteBrowser>();
  EXPECT_EQ(page->GetTabPageName(), "Store Performance");
  EXPECT_EQ(page->GetControlById(WriteBrowser::kCategoryId), nullptr);
  for (auto [n, text] : {std::pair{0, "A-1 "}, {7, "B-3 "}, {19, "D-5 "}}) {
    TypeInto(page, WriteBrowser::kDestinationId, std::to_string(n).c_str());
    EXPECT_EQ(Text(page, WriteBrowser::kDestinationId).substr(0, 4), text);
  }
}

// The destination is typed as a user does it: a click on the entry, the
// digits, Return.
TEST(WriteDialog, TheDestinationIsTypedAfterAClick) {
  struct Case {
    int mode;
    const char* shown;  // the destination's text after "12"
  } cases[] = {{0, "C-3 Perf C-3"}, {3, "012 "}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    Bench b(c.mode);
    ASSERT_TRUE(b.opener.OpenWriteBrowser());
    b.Idle();
    auto* page = b.Page<WriteBrowser>();
    b.ClickControl(WriteBrowser::kDestinationId);
    b.h.Type("12");
    b.Idle();
    EXPECT_EQ(page->GetControlById(WriteBrowser::kDestinationId)->GetIntValue(), 12);
    EXPECT_EQ(Text(page, WriteBrowser::kDestinationId).substr(0, std::strlen(c.shown)), c.shown);
  }
}

TEST(CopyDialog, CopiesAnOscillatorBetweenTwoSounds) {
  Bench b(3);
  ASSERT_TRUE(b.opener.OpenCopyOSCBrowser());
  b.Idle();
  auto* page = b.Page<CopyOSCBrowser>();
  ASSERT_NE(page, nullptr);
  Choose(page, CopyOSCBrowser::kBankId, 2);
  TypeInto(page, CopyOSCBrowser::kProgramId, "45");
  EXPECT_EQ(Text(page, CopyOSCBrowser::kProgramId),
            "045 " + XESynthUtils::GetProgramName(b.h.synth(), 2, 2, 45, false, false));
  Choose(page, CopyOSCBrowser::kSourceBlockId, 0);
  Choose(page, CopyOSCBrowser::kDestinationBlockId, 1);

  constexpr unsigned kOsc1 = 712, kOsc2 = 1092, kOscSize = 380;
  const std::vector<uint8_t> before = b.h.device().Memory();
  const unsigned source = SimSynth::ProgOffset(2, 45) + kOsc1;
  const unsigned target = SimSynth::kProgEditOffset + kOsc2;
  ASSERT_NE(std::memcmp(&before[source], &before[target], kOscSize), 0);
  b.ClickControl(CopyOSCBrowser::kOkId);
  b.Idle(200);
  EXPECT_TRUE(Alerts().empty());
  EXPECT_FALSE(b.opener.IsOpen());
  const std::vector<uint8_t> after = b.h.device().Memory();
  EXPECT_EQ(std::vector<uint8_t>(after.begin() + target, after.begin() + target + kOscSize),
            std::vector<uint8_t>(before.begin() + source, before.begin() + source + kOscSize));
  // OSC1 of the edit buffer stays as it was.
  const unsigned osc1 = SimSynth::kProgEditOffset + kOsc1;
  EXPECT_EQ(std::memcmp(&after[osc1], &before[osc1], kOscSize), 0);
}

TEST(CopyDialog, AFailedCopyIsToldAndStillCloses) {
  Bench b(2);  // program play: the copy needs the edit buffer of program edit
  auto page = std::make_unique<CopyOSCBrowser>(b.h.synth(), "Copy Oscillator");
  CopyOSCBrowser* raw = page.get();
  ASSERT_TRUE(b.opener.OpenGroup(BrowserOpener::Group::kDialogNarrow, std::move(page)));
  b.Idle();
  TypeInto(raw, CopyOSCBrowser::kProgramId, "200");
  raw->OnOK();
  EXPECT_FALSE(raw->GetOkSwitch()->IsEnabled());
  EXPECT_EQ(raw->GetOkSwitch()->GetListener(), nullptr);
  b.Idle();
  EXPECT_EQ(Alerts(), std::vector<std::string>{"Copy OSC Error!"});
  EXPECT_FALSE(b.opener.IsOpen());
}

TEST(CopyDialog, StretchOnlyForTheAllNotesScale) {
  Bench b(3);
  ASSERT_TRUE(b.opener.OpenCopyScaleBrowser());
  b.Idle();
  auto* page = b.Page<CopyScaleBrowser>();
  EXPECT_FALSE(page->GetSourceEnableFlags()[CopyScaleBrowser::kStretch]);
  EXPECT_FALSE(page->GetControlById(CopyScaleBrowser::kKeyId)->IsEnabled());
  Choose(page, CopyScaleBrowser::kSourceId, 1);  // "Pure Major": key usable
  EXPECT_TRUE(page->GetControlById(CopyScaleBrowser::kKeyId)->IsEnabled());

  Choose(page, CopyScaleBrowser::kDestinationId, CopyScaleBrowser::kAllNotes);
  EXPECT_TRUE(page->GetSourceEnableFlags()[CopyScaleBrowser::kStretch]);
  Choose(page, CopyScaleBrowser::kSourceId, CopyScaleBrowser::kStretch);
  // Back to an octave scale: "Stretch" can no longer be chosen, but stays
  // chosen; the source does not change under the pointer.
  Choose(page, CopyScaleBrowser::kDestinationId, 2);
  EXPECT_FALSE(page->GetSourceEnableFlags()[CopyScaleBrowser::kStretch]);
  EXPECT_EQ(page->ValueOf(CopyScaleBrowser::kSourceId), CopyScaleBrowser::kStretch);
  // Another source stays as chosen too.
  Choose(page, CopyScaleBrowser::kSourceId, 4);
  Choose(page, CopyScaleBrowser::kDestinationId, 1);
  EXPECT_EQ(page->ValueOf(CopyScaleBrowser::kSourceId), 4);
}

// OK with "Stretch" left chosen for an octave scale copies nothing: the
// octave scale keeps its notes (Equal Temperament is not written over it).
TEST(CopyDialog, StretchLeftChosenForAnOctaveScaleLeavesItAsItWas) {
  Bench b(3);
  Oskend::ISection* global = b.h.synth()->GetGlobal();
  const int note0 = static_cast<int>(0x81000018u);  // octave scale 02, C
  global->PutParamI(note0, 17);
  ASSERT_TRUE(b.opener.OpenCopyScaleBrowser());
  b.Idle();
  auto* page = b.Page<CopyScaleBrowser>();
  Choose(page, CopyScaleBrowser::kDestinationId, CopyScaleBrowser::kAllNotes);
  Choose(page, CopyScaleBrowser::kSourceId, CopyScaleBrowser::kStretch);
  Choose(page, CopyScaleBrowser::kDestinationId, 2);
  b.ClickControl(CopyScaleBrowser::kOkId);
  b.Idle();
  EXPECT_TRUE(Alerts().empty());
  EXPECT_FALSE(b.opener.IsOpen());
  EXPECT_EQ(global->GetParamI(note0), 17);
}

// What the last effect copy passed to the synthesizer (the dialog is gone
// once its group closes).
std::vector<int> g_args;

// Records what an effect copy passes to the synthesizer (and passes it on).
template <typename Base>
class Recording : public Base {
 public:
  using Base::Base;
  bool ExecSynthCommand(int command, int a1, int a2, int a3, int a4) override {
    g_args = {command, a1, a2, a3, a4};
    return Base::ExecSynthCommand(command, a1, a2, a3, a4);
  }
};

TEST(EffectCopyDialog, PerformanceSourceAndEffectChoice) {
  Bench b(3);
  auto page = std::make_unique<Recording<CopyMFXBrowserLayer>>(b.h.synth(), 1, "Copy MFX/EQ");
  auto* raw = page.get();
  ASSERT_TRUE(b.opener.OpenGroup(BrowserOpener::Group::kDialog, std::move(page)));
  b.Idle();
  EXPECT_EQ(raw->ValueOf(CopyMFXBrowserLayer::kKindId), 0);
  EXPECT_EQ(static_cast<XEDropdownList*>(raw->GetControlById(CopyMFXBrowserLayer::kBankId))
                ->GetItemCount(),
            4);
  TypeInto(raw, CopyMFXBrowserLayer::kNumberId, "100");
  Choose(raw, CopyMFXBrowserLayer::kNumberId, 100);
  EXPECT_EQ(raw->ValueOf(CopyMFXBrowserLayer::kNumberId), 100);

  Choose(raw, CopyMFXBrowserLayer::kKindId, 1);  // "Performance"
  EXPECT_EQ(raw->ValueOf(CopyMFXBrowserLayer::kNumberId), 19);
  EXPECT_EQ(raw->GetControlById(CopyMFXBrowserLayer::kNumberId)->GetMaxIntValue(), 19);
  EXPECT_FALSE(raw->GetControlById(CopyMFXBrowserLayer::kBankId)->IsEnabled());

  Choose(raw, CopyMFXBrowserLayer::kEffectsId, 2);  // "Reverb/Delay"
  raw->OnOK();
  b.Idle();
  ASSERT_EQ(g_args.size(), 5u);
  EXPECT_EQ(g_args[0], 16);
  EXPECT_EQ(g_args[1], 1);
  EXPECT_EQ(g_args[3], 19);
  EXPECT_EQ(g_args[4], 0x0200);
}

TEST(EffectCopyDialog, InsertEffectsComeFromProgramBanksInEveryDialog) {
  Bench b(0);  // combination: the current sound mode's banks are not programs
  for (int round = 0; round < 2; ++round) {
    auto page =
        std::make_unique<Recording<CopyIFXBrowserLayer>>(b.h.synth(), 1, "Copy Insert Effect");
    auto* raw = page.get();
    ASSERT_TRUE(b.opener.OpenGroup(BrowserOpener::Group::kDialog, std::move(page)));
    b.Idle();
    auto* banks = static_cast<XEDropdownList*>(raw->GetControlById(CopyIFXBrowserLayer::kBankId));
    ASSERT_EQ(banks->GetItemCount(), 4) << round;
    std::string name;
    banks->GetItemText(name, 1);
    EXPECT_EQ(name, b.h.synth()->GetAllSounds(2)->GetAt(1)->GetName());
    Choose(raw, CopyIFXBrowserLayer::kKindId, 0);
    EXPECT_EQ(banks->GetItemCount(), 4) << round;
    g_args.clear();
    raw->OnOK();
    b.Idle();
    ASSERT_EQ(g_args.size(), 5u);
    EXPECT_EQ(g_args[0], 14);
    EXPECT_EQ(g_args[1], 0);
    Alerts();
  }
}

TEST(RenameDialog, CutsTheNameAndAlwaysEndsWithRenameError) {
  Bench b(3);
  ASSERT_TRUE(b.opener.OpenRenameBrowser(0, 5));
  b.Idle();
  auto* page = b.Page<RenameBrowser>();
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(page->GetTabPageName(), "Rename Drum Kit");
  TypeInto(page, RenameBrowser::kNameId, "A Name Much Longer Than Allowed");
  EXPECT_EQ(Text(page, RenameBrowser::kNameId), "A Name Much Longer Than ");
  b.ClickControl(RenameBrowser::kOkId);
  b.Idle();
  EXPECT_EQ(Alerts(), std::vector<std::string>{"Rename Error!"});
  EXPECT_FALSE(b.opener.IsOpen());
}

}  // namespace
