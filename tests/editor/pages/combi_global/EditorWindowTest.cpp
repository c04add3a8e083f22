// The whole editor window as the plug-in shows it: the root layer with the
// real pages on its three strips (registered here as the plug-in object
// registers them when it is loaded), drawn in each mode, and the pickers
// the pages open.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <vector>

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
#include "model/ISoundSection.h"
#include "remote/RemoteSynthCommand.h"
#include "tests/support/pageharness/PageHarness.h"
#include "tests/support/rootharness/RealPagesRoot.h"

namespace {

using vesk::test::PageHarness;

constexpr int kNameId = static_cast<int>(0xFFFF0000u);
constexpr int kIfxPage = 7;
// The performance edit buffer in the image and in the instrument's memory.
constexpr size_t kCombiEdit = vesk::test::SimSynth::kCombiEditOffset;
constexpr size_t kCombiSize = 1332;

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

// A click in the middle of a front-panel control.
void ClickPanel(PageHarness& h, vesk::test::RealPagesRoot& root, int id) {
  CHfcControl* c = root->GetControlById(id);
  ASSERT_NE(c, nullptr) << std::hex << id;
  h.ClickOn(*root.get(), *c);
}

// After PROG the program switch and the lit timbre switches flash; the
// timbre chosen then is the one program mode follows: its strip is lit and
// its knob live, the program edit buffer and the LCD hold its program, and
// the insert effects page edits that program's effect (the fourth timbre
// of a group has no slot: its page says so).
TEST_F(EditorWindow, ProgramModeTakesTheTimbreChosenWhileTheSwitchesFlash) {
  using Root = OskendBackgroundLayer;
  for (int chosen : {0, 1, 5, 3}) {
    SCOPED_TRACE("timbre switch " + std::to_string(chosen + 1));
    ToMode(eMode_Combi);
    Oskend::ISection* rt = h_.synth()->GetRealtimeControl();
    for (int i = 0; i < 6; ++i) rt->PutParamI(0x8017 + i, i == 0 || i == 1 || i == 3 || i == 5 ? 1 : 0);
    h_.RunFor(100);
    h_.Idle();
    ClickPanel(h_, root_, Root::kIdModeSwitch + 1);
    ASSERT_EQ(root_->GetKnobAssignState(), 1);
    ClickPanel(h_, root_, Root::kIdRTSwitch + chosen);
    for (int i = 0; i < 8; ++i) h_.Idle(100);

    ASSERT_EQ(h_.synth()->GetMode(), eMode_ProgEdit);
    EXPECT_EQ(h_.synth()->GetActiveTrack() % 6, chosen);
    for (int i = 0; i < 6; ++i) {
      EXPECT_EQ(root_->GetControlById(Root::kIdRTSwitch + i)->GetIntValue(), i == chosen ? 1 : 0) << i;
      if (i != chosen) {
        EXPECT_FALSE(root_->GetControlById(Root::kIdRTKnob + i)->IsEnabled()) << i;
      }
    }
    Oskend::ISection* timbre = nullptr;
    const int pid = 0x200 + 0x100 * chosen;
    ASSERT_TRUE(h_.synth()->GetEditBuffer(eMode_Combi)->FindSectionByPID(pid, &timbre));
    const int program = timbre->GetParamI(pid);
    const Oskend::SSoundIndex cur = h_.synth()->GetCurSound(true);
    EXPECT_EQ(cur.bank * 128 + cur.number, program);
    // (The text up to its first NUL: a converter may append a sub-text.)
    const std::string name = h_.synth()->GetEditBuffer(eMode_ProgEdit)->GetParamS(kNameId).c_str();
    const std::vector<uint8_t> memory = h_.device().Memory();
    EXPECT_EQ(name, std::string(reinterpret_cast<const char*>(
                                    &memory[vesk::test::SimSynth::ProgOffset(program / 128, program % 128)]),
                                24));
    EXPECT_STREQ(static_cast<const char*>(root_->GetControlById(Root::kIdSoundName)->GetPtrValue()),
                 name.c_str());

    root_->SelectEditTabPage(eMode_ProgEdit, kIfxPage, -1);
    h_.Idle();
    auto* ifx = dynamic_cast<CTabPageLayer*>(root_->GetMainTab(1)->GetTabPageLayer(kIfxPage));
    ASSERT_NE(ifx, nullptr);
    EXPECT_EQ(ifx->GetControlById(0x200)->IsVisible(), chosen != 3);
  }
}

// A timbre given another program or switched on takes that program's
// insert effect and sends, on the screen, in the image and in the
// instrument alike: receiving the current performance afterwards brings
// back what the editor shows.
TEST_F(EditorWindow, ATimbresNewProgramLeavesScreenImageAndInstrumentAgreeing) {
  struct Case {
    const char* what;
    int timbre;
    bool switchOn;
  } cases[] = {
      {"another program for timbre 2", 1, false},
      {"another program for timbre 1", 0, false},
      {"timbre 3 switched on", 2, true},
  };
  ToMode(eMode_Combi);
  Oskend::ISoundSection* combi = h_.synth()->GetEditBuffer(eMode_Combi);
  auto param = [&](int pid) {
    Oskend::ISection* s = nullptr;
    return combi->FindSectionByPID(pid, &s) && s ? s : nullptr;
  };
  auto* play = dynamic_cast<CTabPageLayer*>(root_->GetMainTab(0)->GetTabPageLayer(0));
  ASSERT_NE(play, nullptr);
  CTabPageLayer* rows = dynamic_cast<CTabPageLayer*>(play->GetSublevelTabControl()->GetTabPageLayer(0));
  ASSERT_NE(rows, nullptr);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const int programId = 0x200 + 0x100 * c.timbre, switchId = programId + 0x2B;
    // Timbre 1 plays throughout, so that any other may be switched off.
    param(0x22B)->PutParamI(0x22B, 1);
    if (c.switchOn) param(switchId)->PutParamI(switchId, 0);
    h_.RunFor(100);
    h_.Idle();
    int program = param(programId)->GetParamI(programId);
    if (c.switchOn) {
      param(switchId)->PutParamI(switchId, 1);
    } else {
      program = (program + 7) % 512;  // of the same category
      param(programId)->PutParamI(programId, program);
    }
    for (int i = 0; i < 3; ++i) h_.Idle(100);

    // The program's sends (its bytes 94 and 95) on the timbre's knobs.
    uint8_t sends[2] = {};
    h_.synth()->GetAllSounds(eMode_ProgEdit)->GetAt(program / 128)->GetAt(program % 128)->RawGet(sends, 94, 2);
    for (int k = 0; k < 2; ++k) {
      const int sendId = 0x236 + k + 0x100 * c.timbre;
      EXPECT_EQ(param(sendId)->GetParamI(sendId), sends[k]) << k;
      EXPECT_EQ(rows->GetControlById(sendId)->GetIntValue(), sends[k]) << k;
    }
    const std::vector<uint8_t> memory = h_.device().Memory();
    const uint8_t* image = h_.model().GetRawChunk().data();
    EXPECT_EQ(std::vector<uint8_t>(image + kCombiEdit, image + kCombiEdit + kCombiSize),
              std::vector<uint8_t>(memory.begin() + kCombiEdit, memory.begin() + kCombiEdit + kCombiSize));
  }

  // Receive Current Performance, as the page menu runs it: what comes back
  // is what the screen shows. (A second model would have to connect, and
  // connecting selects the current sounds anew, which makes the instrument
  // load its stored performance over the edited one.)
  const uint8_t* image = h_.model().GetRawChunk().data();
  const std::vector<uint8_t> shown(image + kCombiEdit, image + kCombiEdit + kCombiSize);
  std::vector<int> knobs;
  for (int t = 0; t < 6; ++t)
    for (int k = 0; k < 2; ++k) knobs.push_back(rows->GetControlById(0x236 + k + 0x100 * t)->GetIntValue());
  const Oskend::SSoundIndex cur = h_.synth()->GetCurSound(true);
  unsigned long status = 0;
  ASSERT_TRUE(h_.synth()->ExecCommand(Oskend::kCmdRequestSelection, eMode_Combi, cur.bank, cur.number, 3,
                                      &status));
  for (int i = 0; i < 3; ++i) h_.Idle(100);
  EXPECT_EQ(std::vector<uint8_t>(image + kCombiEdit, image + kCombiEdit + kCombiSize), shown);
  for (int t = 0; t < 6; ++t)
    for (int k = 0; k < 2; ++k)
      EXPECT_EQ(rows->GetControlById(0x236 + k + 0x100 * t)->GetIntValue(), knobs[size_t(2 * t + k)]) << t << k;
}

// The Play page's Program column names each timbre's program: the name the
// instrument stores for it.
TEST_F(EditorWindow, ThePlayPagesProgramColumnNamesEachTimbresProgram) {
  ToMode(eMode_Combi);
  auto* play = dynamic_cast<CTabPageLayer*>(root_->GetMainTab(0)->GetTabPageLayer(0));
  ASSERT_NE(play, nullptr);
  Oskend::ISoundSection* combi = h_.synth()->GetEditBuffer(eMode_Combi);
  std::set<std::string> names;
  for (int tab = 0; tab < 2; ++tab) {
    auto* rows = dynamic_cast<CTabPageLayer*>(play->GetSublevelTabControl()->GetTabPageLayer(tab));
    ASSERT_NE(rows, nullptr);
    for (int row = 0; row < 6; ++row) {
      const int t = 6 * tab + row, pid = 0x200 + 0x100 * t;
      Oskend::ISection* timbre = nullptr;
      ASSERT_TRUE(combi->FindSectionByPID(pid, &timbre));
      const int program = timbre->GetParamI(pid);
      const std::vector<uint8_t> memory = h_.device().Memory();
      const std::string stored(
          reinterpret_cast<const char*>(&memory[vesk::test::SimSynth::ProgOffset(program / 128, program % 128)]), 24);
      auto* slot = dynamic_cast<XESoundSelector*>(rows->GetControlById(pid));
      ASSERT_NE(slot, nullptr) << t;
      EXPECT_EQ(slot->GetShownText(), stored) << t;
      names.insert(slot->GetShownText());
    }
  }
  EXPECT_GT(names.size(), 6u);
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
