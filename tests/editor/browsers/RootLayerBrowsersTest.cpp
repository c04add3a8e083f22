// The browsers and dialogs opened by the editor's root layer, over the
// real pages: from its menu, from commands pages post and from the LCD's
// name field, one group at a time, closed on the idle after they finish. A
// group stays until its user ends it and takes every click and key while it
// is up; no message box leaves the window behind it open to input.
#include <gtest/gtest.h>
#include <X11/keysym.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "editor/browsers/AuditionRiffBrowser.h"
#include "editor/browsers/LoadProgramBrowser.h"
#include "editor/browsers/ModalBrowsers.h"
#include "editor/browsers/ParamBrowser.h"
#include "editor/browsers/SmallBlueBrowserLayer.h"
#include "editor/browsers/WriteBrowser.h"
#include "editor/controls/CMMPCtrlList.h"
#include "editor/controls/CTabControl.h"
#include "editor/controls/DrawnAlert.h"
#include "editor/controls/DrawnForm.h"
#include "editor/shell/AboutLayer.h"
#include "editor/shell/ModalLayer.h"
#include "editor/shell/OskendBackgroundLayer.h"
#include "editor/shell/XESynthUtils.h"
#include "hfc/CHfcKeyFocus.h"
#include "hfc/CHfcVstEditor.h"
#include "model/ISoundSection.h"
#include "os/Alert.h"
#include "os/Menu.h"
#include "os/window/HeadlessWindow.h"
#include "tests/editor/browsers/BrowserTestKit.h"
#include "tests/support/rootharness/RealPagesRoot.h"

namespace {

using browsertest::PageHarness;
using Root = OskendBackgroundLayer;

class RootBrowsers : public ::testing::Test {
 protected:
  void SetUp() override {
    os::HeadlessMenuTracker::Reset();
    os::HeadlessAlert::Reset();
    ASSERT_TRUE(root_.Open());
  }
  void TearDown() override {
    os::Alert::SetFactory(nullptr);
    DrawnForm::SetWindowMaker(nullptr);
    root_.Close();
    os::HeadlessMenuTracker::Reset();
    os::HeadlessAlert::Reset();
  }
  ModalBrowsers* Browsers() { return static_cast<ModalBrowsers*>(root_->GetModalBrowsers()); }
  CTabPageLayer* Page() { return Browsers() ? Browsers()->GetOpener().GetPage() : nullptr; }
  void ClickPageControl(int id) { h_.ClickOn(*Page(), *Page()->GetControlById(id)); }
  void Menu(int id) {
    os::HeadlessMenuTracker::ScriptCommand(id);
    root_->OnHfcCtrlMouseLButtonDown(root_->GetControlById(Root::kIdUtility), 0, 0, 0);
  }

  static constexpr int kLFOsPage = 5;
  static constexpr int kWaveform = 0x1100;  // OSC1 LFO1

  bool Open() { return Browsers() && Browsers()->IsOpen(); }
  void Idle(uint64_t ms = 0) { h_.Idle(ms); }
  void IdleFor(uint64_t ms) {
    for (uint64_t t = 0; t < ms; t += 50) h_.Idle(50);
  }
  void ToMode(eMode mode) { root_.ToMode(mode); }
  size_t MenusShown() { return os::HeadlessMenuTracker::Transcript().size(); }
  os::HeadlessWindow* Platform() {
    return static_cast<os::HeadlessWindow*>(h_.window().GetPlatformWindow());
  }
  // Window point of the middle of a control of a layer.
  std::pair<int, int> RootMiddle(int id) {
    return PageHarness::MiddleOf(*root_.get(), *root_->GetControlById(id));
  }
  // The program's LFO page, shown.
  CTabPageLayer* LFOsPage() {
    root_->SelectEditTabPage(eMode_ProgEdit, kLFOsPage, 0);
    Idle();
    return dynamic_cast<CTabPageLayer*>(root_->GetMainTab(1)->GetActivePage());
  }
  // A press of the given kind at a window point, and its release.
  void Mouse(os::MouseButton button, int x, int y, int clicks = 1) {
    Platform()->InjectClick(button, x, y, 0, clicks);
    h_.env().loop().RunPending();
  }
  void Wheel(int x, int y) {
    os::MouseEvent e;
    e.kind = os::MouseEvent::Kind::kWheel;
    e.x = x;
    e.y = y;
    e.wheelAxis = 1;
    e.wheelDelta = -1;
    Platform()->InjectMouse(e);
    h_.env().loop().RunPending();
  }

  PageHarness h_;
  vesk::test::RealPagesRoot root_{h_};
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

// A sound chosen in the sound browser plays without being loaded into the
// edit buffer. Whenever the LCD is refreshed meanwhile (the model repeats
// its state every two seconds) it names the sound whose number it shows:
// during the audition the chosen one, after Cancel the one before, after
// OK the chosen one.
TEST_F(RootBrowsers, TheLCDNamesTheSoundItNumbersDuringAndAfterAnAudition) {
  auto trimmed = [](std::string t) {
    t.erase(t.find_last_not_of(' ') + 1);
    return t;
  };
  auto shown = [&](int id) {
    return trimmed(static_cast<const char*>(root_->GetControlById(id)->GetPtrValue()));
  };
  // What the LCD should show for a sound: its number and stored name.
  auto expected = [&](const Oskend::SSoundIndex& s) {
    return std::make_pair(
        XESynthUtils::GetProgNumberAsString(h_.synth(), 0, s.bank, s.number),
        trimmed(XESynthUtils::GetProgramName(h_.synth(), 0, s.bank, s.number, false, false)));
  };
  ToMode(eMode_Combi);
  ASSERT_EQ(root_->GetGUIMode(), 0);
  for (const int end : {BlueBrowserBase::kCancelId, BlueBrowserBase::kOkId}) {
    SCOPED_TRACE(end == BlueBrowserBase::kOkId ? "OK" : "Cancel");
    const Oskend::SSoundIndex before = h_.synth()->GetCurSound(true);
    const Oskend::SSoundIndex chosen{0, static_cast<uint8_t>(before.number == 12 ? 13 : 12)};
    ASSERT_NE(expected(chosen).second, expected(before).second);
    root_->OnHfcCtrlMouseLButtonDown(root_->GetControlById(Root::kIdSoundName), 0, 0, 0);
    auto* browser = dynamic_cast<SmallBlueBrowserLayer*>(Page());
    ASSERT_NE(browser, nullptr);
    Idle();
    browser->GetList()->SelectCell(chosen.number, 0);
    IdleFor(2500);
    ASSERT_TRUE(h_.synth()->GetAuditionState());
    ASSERT_EQ(h_.synth()->GetCurSound(true).number, chosen.number);
    EXPECT_EQ(std::make_pair(shown(Root::kIdProgNumber), shown(Root::kIdSoundName)),
              expected(chosen));

    ClickPageControl(end);
    IdleFor(2500);
    ASSERT_FALSE(Open());
    const Oskend::SSoundIndex after = end == BlueBrowserBase::kOkId ? chosen : before;
    EXPECT_EQ(h_.synth()->GetCurSound(true).number, after.number);
    EXPECT_EQ(std::make_pair(shown(Root::kIdProgNumber), shown(Root::kIdSoundName)),
              expected(after));
  }
}

// Store Performance and Write Program in the order each kind takes: a
// performance is sent, then written; a program is written, read back, given
// its new name again, sent and written once more. The written place holds
// that name; the sound the user is on stays the current one, on the LCD and
// on the instrument.
TEST_F(RootBrowsers, AStoreWritesInItsKindsOrderAndKeepsTheCurrentSound) {
  struct Case {
    eMode mode;
    int menu;
    int bank, number;
    std::vector<std::string> steps;  // what the instrument was sent to store
  } cases[] = {
      {eMode_Combi, 1030, 0, 7, {"current dump", "write 1 0 7"}},
      {eMode_ProgEdit, 1000, 1, 9, {"write 0 1 9", "current dump", "write 0 1 9"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.menu);
    ToMode(c.mode);
    const Oskend::SSoundIndex before = h_.synth()->GetCurSound(true);
    ASSERT_FALSE(before.bank == c.bank && before.number == c.number);
    const std::string numberShown =
        static_cast<const char*>(root_->GetControlById(Root::kIdProgNumber)->GetPtrValue());
    std::pair<int, int> playingBefore;
    h_.device().With([&](vesk::test::SimSynth& s) {
      s.ClearLog();
      playingBefore = {s.CurrentBank(), s.CurrentProgram()};
    });
    Menu(c.menu);
    Idle();
    ASSERT_TRUE(Open());
    Page()->OnHfcCtrlPtrValueChanged(Page()->GetControlById(WriteBrowser::kNameId),
                                     const_cast<char*>("Stored Here"));
    if (CHfcControl* bank = Page()->GetControlById(WriteBrowser::kBankId))
      Page()->OnHfcCtrlIntValueChanged(bank, c.bank);
    ClickPageControl(WriteBrowser::kDestinationId);
    h_.Type(std::to_string(c.number));
    ClickPageControl(WriteBrowser::kOkId);
    IdleFor(500);
    EXPECT_FALSE(Open());

    std::vector<std::string> steps;
    for (const auto& e : h_.device().Log()) {
      if (e.kind == vesk::test::SimSynthEvent::kDumpReceived && e.current) steps.push_back("current dump");
      if (e.kind == vesk::test::SimSynthEvent::kWrite)
        steps.push_back("write " + std::to_string(e.dumpKind) + " " + std::to_string(e.bank) + " " +
                        std::to_string(e.number));
    }
    EXPECT_EQ(steps, c.steps);
    const Oskend::SSoundIndex now = h_.synth()->GetCurSound(true);
    EXPECT_EQ(now.bank, before.bank);
    EXPECT_EQ(now.number, before.number);
    std::pair<int, int> playing;
    h_.device().With([&](vesk::test::SimSynth& s) { playing = {s.CurrentBank(), s.CurrentProgram()}; });
    EXPECT_EQ(playing, playingBefore);
    EXPECT_EQ(static_cast<const char*>(root_->GetControlById(Root::kIdProgNumber)->GetPtrValue()),
              numberShown);
    const std::string name =
        static_cast<const char*>(root_->GetControlById(Root::kIdSoundName)->GetPtrValue());
    EXPECT_EQ(name.substr(0, 11), "Stored Here");
    const std::vector<uint8_t> memory = h_.device().Memory();
    const size_t stored = c.mode == eMode_Combi ? vesk::test::SimSynth::CombiOffset(c.number)
                                                : vesk::test::SimSynth::ProgOffset(c.bank, c.number);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&memory[stored]), 11), "Stored Here");
  }
}

TEST_F(RootBrowsers, TheAboutBoxOpensOnce) {
  const int before = h_.window().GetLayerCount();
  root_->OpenAbout();
  root_->OpenAbout();
  EXPECT_EQ(h_.window().GetLayerCount(), before + 1);
}

// The model repeats its connection notice every two seconds: a dialog, a
// picker or a copy dialog opened in any of the ways the user opens them
// stays up through it; a real change of mode still ends it.
TEST_F(RootBrowsers, AGroupStaysUpUntilItsUserEndsIt) {
  struct Case {
    const char* what;
    std::function<void()> open;
  } cases[] = {
      {"Write Program from the menu", [this] { Menu(1000); }},
      {"Copy Oscillator from the menu", [this] { Menu(1001); }},
      {"Select Parameter from the LFO waveform",
       [this] {
         CTabPageLayer* lfos = LFOsPage();
         ASSERT_NE(lfos, nullptr);
         h_.ClickOn(*lfos, *lfos->GetControlById(kWaveform));
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    c.open();
    Idle();  // a posted command opens on the next tick
    ASSERT_TRUE(Open());
    CTabPageLayer* page = Page();
    IdleFor(6000);
    EXPECT_TRUE(Open());
    EXPECT_EQ(Page(), page);
    root_->CloseModalBrowser();
    Idle();
  }
  Menu(1000);
  Idle();
  ASSERT_TRUE(Open());
  ToMode(eMode_Combi);
  EXPECT_FALSE(Open());
}

// Clicks on the group that none of its controls takes (a label, the tab
// with the title) neither close it nor reach the panel below; a click
// beside it closes it without reaching the panel either; other buttons and
// the wheel over the veil do nothing.
TEST_F(RootBrowsers, TheGroupTakesEveryClickOverTheWindow) {
  Menu(1000);
  Idle();
  ASSERT_NE(dynamic_cast<WriteBrowser*>(Page()), nullptr);
  os::HeadlessMenuTracker::Reset();  // the utility menu that opened it
  CTabControl* strip = root_->GetMainTab(1);
  const int activeTab = strip->GetActivePageIndex();
  const CTabControl* modalStrip = Browsers()->GetOpener().GetStrip();
  // The title tab of the group, over the panel's own tabs.
  const tagHfcRect t = modalStrip->GetFrame();
  h_.Click(t.right - 10, t.top + 10);
  // A label of the dialog.
  h_.Click(Page()->GetRect().left + 20, Page()->GetRect().top + 50);
  Idle();
  EXPECT_TRUE(Open());
  EXPECT_EQ(strip->GetActivePageIndex(), activeTab);

  const auto utility = RootMiddle(Root::kIdUtility);
  Mouse(os::MouseButton::kRight, utility.first, utility.second);
  Mouse(os::MouseButton::kMiddle, utility.first, utility.second);
  Wheel(utility.first, utility.second);
  Idle();
  EXPECT_TRUE(Open());
  EXPECT_EQ(MenusShown(), 0u);

  // Beside the dialog, on the utility switch: the group closes, the
  // switch never hears of it.
  h_.Click(utility.first, utility.second);
  Idle();
  EXPECT_FALSE(Open());
  EXPECT_EQ(MenusShown(), 0u);
}

// The keyboard goes to the group: a control of the panel that had it loses
// it. The write and copy dialogs end by their switches, not by Escape:
// Escape leaves them open and writes nothing.
TEST_F(RootBrowsers, TheKeyboardGoesToTheGroupAndEscapeLeavesTheDialogsOpen) {
  CHfcControl* number = root_->GetControlById(Root::kIdProgNumber);
  number->SetFocus(0);
  ASSERT_TRUE(h_.window().GetKeyFocus()->GetFocusedListener() == number);
  h_.device().With([](vesk::test::SimSynth& s) { s.ClearLog(); });
  for (int command : {1000, 1001}) {  // Write Program, Copy Oscillator
    SCOPED_TRACE(command);
    Menu(command);
    Idle();
    ASSERT_TRUE(Open());
    EXPECT_TRUE(h_.window().GetKeyFocus()->GetFocusedListener() ==
                static_cast<CHfcKeyFocusListener*>(Page()));
    const int before = number->GetIntValue();
    h_.Key(XK_Escape);
    Idle();
    EXPECT_TRUE(Open());
    EXPECT_EQ(number->GetIntValue(), before);
    ClickPageControl(BlueDialogBase::kCancelId);
    Idle();
    EXPECT_FALSE(Open());
  }
  EXPECT_TRUE(browsertest::Alerts().empty());
  for (const auto& e : h_.device().Log()) EXPECT_NE(e.kind, vesk::test::SimSynthEvent::kWrite);
}

// A double click on the LFO waveform: its first click opens the parameter
// picker; the second press lands on the picker's list, and must choose
// nothing there: the waveform keeps its value, the picker stays up.
TEST_F(RootBrowsers, TheRestOfTheClickThatOpenedAPickerChoosesNothing) {
  CTabPageLayer* lfos = LFOsPage();
  ASSERT_NE(lfos, nullptr);
  Oskend::ISoundSection* edit = h_.synth()->GetEditBuffer(3);
  edit->PutParamI(kWaveform, 0);
  Idle();
  const auto p = PageHarness::MiddleOf(*lfos, *lfos->GetControlById(kWaveform));
  h_.Click(p.first, p.second);
  Idle();  // the picker opens between the two clicks
  auto* picker = dynamic_cast<ParamBrowser*>(Page());
  ASSERT_NE(picker, nullptr);
  ASSERT_EQ(picker->GetTabPageName(), "Select Parameter");
  // The picker's list lies under the pointer, on another line than the
  // waveform's.
  const tagHfcRect list = picker->GetList()->GetFrame();
  const int lx = p.first - picker->GetRect().left;
  const int ly = p.second - picker->GetRect().top;
  ASSERT_TRUE(lx >= list.left && lx < list.right && ly >= list.top && ly < list.bottom);
  Mouse(os::MouseButton::kLeft, p.first, p.second, 2);
  Idle();
  EXPECT_EQ(edit->GetParamI(kWaveform), 0);
  ASSERT_TRUE(Open());
  EXPECT_FALSE(h_.synth()->GetAuditionState());
  EXPECT_EQ(browserkit::ItemValue(picker->GetList()->GetSelectedItem()), 0);
}

// While a question is open over the editor (a message box in a modal run),
// a click on the editor's utility switch does nothing: no second menu, no
// dialog behind the question.
TEST_F(RootBrowsers, WhileAQuestionIsOpenTheWindowTakesNoInput) {
  std::vector<os::HeadlessWindow*> boxes;
  DrawnForm::SetWindowMaker([&boxes](const DrawnForm::WindowPlacement& p) -> std::unique_ptr<os::Window> {
    auto w = os::HeadlessWindow::Create(p.width, p.height, p.x, p.y);
    boxes.push_back(w.get());
    return w;
  });
  os::Alert::SetFactory([] { return std::make_unique<DrawnAlert>(); });
  const auto utility = RootMiddle(Root::kIdUtility);
  os::MainLoop& loop = h_.env().loop();
  loop.Post([&] {
    Platform()->InjectClick(os::MouseButton::kLeft, utility.first, utility.second);
    Platform()->InjectKey(os::KeyEvent::Kind::kDown, XK_Escape);
    loop.Post([&] { boxes.back()->InjectKey(os::KeyEvent::Kind::kDown, XK_Escape); });
  });
  Menu(1002);  // "Swap Oscillator" asks first
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(MenusShown(), 1u);
  Idle();
  EXPECT_FALSE(Open());
}

// The About box takes every click and key while it is up: a control of
// the panel that had the keyboard gets no key, the wheel and the other
// buttons over it reach nothing; a click closes it.
TEST_F(RootBrowsers, TheAboutBoxHoldsTheWindowUntilAClickClosesIt) {
  CHfcControl* number = root_->GetControlById(Root::kIdProgNumber);
  number->SetFocus(0);
  const int before = number->GetIntValue();
  root_->OpenAbout();
  Idle();
  auto* about =
      dynamic_cast<AboutLayer*>(h_.window().GetLayerByIndex(h_.window().GetLayerCount() - 1));
  ASSERT_NE(about, nullptr);
  EXPECT_TRUE(h_.window().GetKeyFocus()->GetFocusedListener() ==
              static_cast<CHfcKeyFocusListener*>(about));
  h_.Type(std::to_string((before + 7) % 100));
  const auto p = RootMiddle(Root::kIdProgNumber);
  Mouse(os::MouseButton::kRight, p.first, p.second);
  Wheel(p.first, p.second);
  Idle();
  EXPECT_EQ(number->GetIntValue(), before);
  EXPECT_EQ(MenusShown(), 0u);
  EXPECT_EQ(h_.window().GetLayerByIndex(h_.window().GetLayerCount() - 1), about);
  h_.Click(p.first, p.second);
  Idle();
  EXPECT_NE(h_.window().GetLayerByIndex(h_.window().GetLayerCount() - 1),
            static_cast<CHfcWindowLayer*>(about));
  EXPECT_EQ(number->GetIntValue(), before);
}

// The program picker of a timbre: every click on the slot opens it, a
// click on its fixed category closes nothing, and it stays through the
// model's repeated notices.
TEST_F(RootBrowsers, EveryClickOnATimbresProgramSlotOpensItsPicker) {
  ToMode(eMode_Combi);
  auto* play = dynamic_cast<CTabPageLayer*>(root_->GetMainTab(0)->GetActivePage());
  ASSERT_NE(play, nullptr);
  ASSERT_NE(play->GetSublevelTabControl(), nullptr);
  auto* timbres = dynamic_cast<CTabPageLayer*>(play->GetSublevelTabControl()->GetActivePage());
  ASSERT_NE(timbres, nullptr);
  CHfcControl* slot = timbres->GetControlById(0x200);
  ASSERT_NE(slot, nullptr);
  for (int round = 0; round < 3; ++round) {
    SCOPED_TRACE(round);
    h_.ClickOn(*timbres, *slot);
    Idle();
    auto* picker = dynamic_cast<LoadProgramBrowser*>(Page());
    ASSERT_NE(picker, nullptr);
    EXPECT_EQ(picker->GetTabPageName(), "Select Program");
    h_.ClickOn(*picker, *picker->GetControlById(LoadProgramBrowser::kCategorySelectorId));
    IdleFor(2500);
    ASSERT_TRUE(Open());
    h_.ClickOn(*picker, *picker->GetControlById(ListBrowserBase::kCancelId));
    Idle();
    EXPECT_FALSE(Open());
  }
}

}  // namespace
