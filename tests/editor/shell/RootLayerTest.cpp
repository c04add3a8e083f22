// The root layer of the editor window against the real model and the
// simulated synthesizer, through the page harness.
#include <gtest/gtest.h>

#include <X11/keysym.h>
#include <sys/stat.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "editor/controls/CTabControl.h"
#include "editor/shell/AboutLayer.h"
#include "editor/controls/DrawnFileDialog.h"
#include "editor/controls/DrawnForm.h"
#include "os/window/HeadlessWindow.h"
#include "editor/shell/CTabPageLayer.h"
#include "editor/shell/IModalBrowsers.h"
#include "editor/shell/IPlugInHost.h"
#include "editor/shell/OskendBackgroundLayer.h"
#include "editor/shell/XESynthUtils.h"
#include "hfc/CHfcBmp.h"
#include "hfc/CHfcControl.h"
#include "hfc/CHfcOffscreenContext.h"
#include "hfc/CHfcCtrlKeyboard.h"
#include "hfc/CHfcVstEditor.h"
#include <cstdlib>
#include <functional>
#include <map>
#include <set>

#include "os/ProgressWindow.h"

#include "model/ChunkGlobal.h"
#include "model/IBank.h"
#include "model/IBankList.h"
#include "model/ISound.h"
#include "model/ISection.h"
#include "model/ISoundSection.h"
#include "model/SSoundIndex.h"
#include "model/paramdesc/SParamDesc.h"
#include "os/Alert.h"
#include "os/FileDialog.h"
#include "os/Menu.h"
#include "remote/FTYPE.h"
#include "tests/support/TempDir.h"
#include "tests/support/pageharness/PageHarness.h"
#include "tests/support/simsynth/SimSynth.h"

namespace {

using vesk::test::PageHarness;
using Root = OskendBackgroundLayer;

class FakePlugIn : public IPlugInHost {
 public:
  std::string GetPlugInProductString() override { return "Vesk Plug-In Editor"; }
  std::string GetPlugInBundleVersion() override { return version; }
  void SetParameterAutomatedFromInt(int index, int, int, int) override {
    automated.push_back(index);
  }
  void BeginParameterEdit(int index) override { edits.push_back("begin " + std::to_string(index)); }
  void EndParameterEdit(int index) override { edits.push_back("end " + std::to_string(index)); }
  void MidiInFromGUI(uint8_t s, uint8_t d1, uint8_t d2) override { gui.push_back({s, d1, d2}); }

  std::string version = "1.0.5.12";
  std::vector<int> automated;
  std::vector<std::string> edits;
  std::vector<std::vector<uint8_t>> gui;
};

// A page that follows the MIDI the panel plays.
class Listener : public CTabPageLayer, public IMIDIReceiver {
 public:
  explicit Listener(Oskend::IRemoteSynth* synth) : CTabPageLayer(synth, "Listener") {}
  void OnMidiIn(uint8_t s, uint8_t d1, uint8_t d2) override { heard.push_back({s, d1, d2}); }
  std::vector<std::vector<uint8_t>> heard;
};

// Counts how often the root layer brings the sound browsers up to date.
class CountingBrowsers : public IModalBrowsers {
 public:
  bool OpenBlueBrowser(int) override { return false; }
  bool OpenRedBrowser(int, eMode, int) override { return false; }
  bool OpenParamBrowser(int, eMode, int) override { return false; }
  bool OpenWriteBrowser() override { return false; }
  bool OpenRenameBrowser(int, int) override { return false; }
  bool OpenCopyOSCBrowser() override { return false; }
  bool OpenCopyLFOBrowser() override { return false; }
  bool OpenCopyEGBrowser() override { return false; }
  bool OpenCopyIFXBrowser() override { return false; }
  bool OpenCopyMFXBrowser() override { return false; }
  bool OpenCopyScaleBrowser() override { return false; }
  bool IsAuditioningSound() const override { return false; }
  void CloseModalBrowser() override {}
  bool IsOpen() const override { return false; }
  ModalLayer* GetModalLayer() const override { return nullptr; }
  void OnIdle() override {}
  void UpdateAllBrowsers() override { ++updates; }
  int updates = 0;
};

class RootLayer : public ::testing::Test {
 protected:
  void SetUp() override {
    os::HeadlessMenuTracker::Reset();
    os::HeadlessFileDialog::Reset();
    MakeRoot();
  }
  // A root layer made as the editor window makes it, after its first ticks.
  void MakeRoot() {
    root_ = std::make_unique<Root>(&plugin_, h_.synth());
    root_->SetStepPauseEnabled(false);
    ASSERT_TRUE(root_->Create(&h_.window()));
    root_->Show(false);
    h_.Idle();
    h_.Idle();
  }
  void DropRoot() {
    if (!root_) return;
    h_.window().RemoveLayer(root_.get(), false);
    root_->Destroy();
    root_.reset();
  }
  void TearDown() override {
    DropRoot();
    os::HeadlessMenuTracker::Reset();
    os::HeadlessFileDialog::Reset();
  }
  void ToMode(eMode mode) {
    h_.synth()->PutMode(mode);
    h_.RunFor(600);
    h_.Idle();
    h_.Idle();
  }
  // Performance mode with the given performance current.
  void ToPerformance(int number) {
    ToMode(eMode_Combi);
    Oskend::SSoundIndex s = h_.synth()->GetCurSound(true);
    s.number = static_cast<uint8_t>(number);
    h_.synth()->PutCurSound(s);
    h_.RunFor(300);
    h_.Idle();
  }
  // Saves through the save dialog as the user would; the path written.
  std::string SaveThroughTheDialog(const std::string& folder, const std::string& name, int fileType,
                                   os::HeadlessFileDialog::Answer* answer = nullptr) {
    os::HeadlessFileDialog::Answer save;
    save.action = os::FileDialog::kActionSaveAs;
    save.fileType = fileType;
    save.selection = {folder};
    save.saveFileName = name;
    if (answer) *answer = save;
    os::HeadlessFileDialog::Script(save);
    root_->OpenSaveDialog();
    return folder + "/" + name;
  }
  CHfcControl* Ctl(int id, int group = 0) { return root_->GetControlById(id, group); }
  Oskend::ISection* Rt() { return h_.synth()->GetRealtimeControl(); }
  void ClickControl(int id) {
    CHfcControl* c = Ctl(id);
    ASSERT_NE(c, nullptr);
    const tagHfcRect& r = c->GetFrame();
    h_.Click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  }

  PageHarness h_;
  FakePlugIn plugin_;
  std::unique_ptr<Root> root_;
};

TEST_F(RootLayer, FrontPanelFollowsTheSynthesizersMode) {
  // Program mode at start: the program strip with its first page.
  EXPECT_EQ(root_->GetGUIMode(), 1);
  ASSERT_NE(root_->GetMainTab(1), nullptr);
  EXPECT_TRUE(root_->GetMainTab(1)->IsVisible());
  EXPECT_FALSE(root_->GetMainTab(0)->IsVisible());
  EXPECT_EQ(root_->GetMainTab(1)->GetTabPageCount(), 9);
  EXPECT_EQ(root_->GetMainTab(0)->GetTabPageCount(), 3);
  EXPECT_EQ(root_->GetMainTab(2)->GetTabPageCount(), 4);
  EXPECT_EQ(root_->GetMainTab(1)->GetActivePage()->GetTabPageName(), "OskendProgPlayLayer");
  // A program shows its bank; the arrows and the number entry are a
  // performance's.
  EXPECT_FALSE(Ctl(Root::kIdProgUp)->IsVisible());
  EXPECT_FALSE(Ctl(Root::kIdProgDown)->IsVisible());
  EXPECT_FALSE(Ctl(Root::kIdProgNumber)->IsEnabled());
  EXPECT_TRUE(Ctl(Root::kIdBank)->IsVisible());
  EXPECT_EQ(root_->GetMIDIReceivers().size(), 0u);

  ToMode(eMode_Combi);
  EXPECT_EQ(root_->GetGUIMode(), 0);
  EXPECT_TRUE(root_->GetMainTab(0)->IsVisible());
  EXPECT_FALSE(root_->GetMainTab(1)->IsVisible());
  EXPECT_TRUE(Ctl(Root::kIdProgUp)->IsVisible());
  EXPECT_TRUE(Ctl(Root::kIdProgDown)->IsVisible());
  EXPECT_TRUE(Ctl(Root::kIdProgNumber)->IsEnabled());
  EXPECT_FALSE(Ctl(Root::kIdBank)->IsVisible());

  // Global mode through the panel's switch: the model is asked at once.
  ClickControl(Root::kIdModeSwitch + 2);
  h_.RunFor(600);
  h_.Idle();
  EXPECT_EQ(h_.synth()->GetMode(), eMode_Global);
  EXPECT_EQ(root_->GetGUIMode(), 2);
  EXPECT_TRUE(root_->GetMainTab(2)->IsVisible());
  // The effect section is off in global mode.
  EXPECT_FALSE(Ctl(Root::kIdFx1Type)->IsEnabled());
  EXPECT_FALSE(Ctl(Root::kIdEqKnob)->IsEnabled());
  ToMode(eMode_Combi);
  EXPECT_TRUE(Ctl(Root::kIdFx1Type)->IsEnabled());
}

TEST_F(RootLayer, SelectEditTabPageClampsTheSubPageToTheLastOne) {
  // The placeholder pages have no sub-pages: the page itself is chosen.
  ToMode(eMode_Combi);
  root_->SelectEditTabPage(3, 4, 7);
  h_.RunFor(600);
  h_.Idle();
  h_.Idle();
  EXPECT_EQ(root_->GetGUIMode(), 1);
  EXPECT_EQ(root_->GetMainTab(1)->GetActivePageIndex(), 4);
  // With sub-pages the index is held to the last one, count - 1.
  struct Case {
    int index, count, want;
  } cases[] = {{7, 3, 2}, {3, 3, 2}, {2, 3, 2}, {-4, 3, 0}, {0, 1, 0}};
  for (const Case& c : cases) EXPECT_EQ(Root::ClampSubPage(c.index, c.count), c.want) << c.index;
}

TEST_F(RootLayer, TempoTextsAndTypedTempo) {
  struct Case {
    int hundredths;
    const char* text;
  } cases[] = {{4000, "040.00"}, {30000, "300.00"}, {3999, "---.--"}, {12000, "120.00"},
               {12005, "120.05"}};
  for (const Case& c : cases) EXPECT_EQ(Root::FormatTempo(c.hundredths), c.text) << c.hundredths;
  struct Typed {
    const char* text;
    int hundredths;
  } typed[] = {{"120.5", 12050}, {"120.05", 12005}, {"120", 12000}, {"99.25", 9925}};
  for (const Typed& t : typed) EXPECT_EQ(Root::ParseTempo(t.text), t.hundredths) << t.text;

  // Typed into the entry, the model gets 120.50 BPM and the LCD shows it.
  h_.synth()->SetExtCtlState(static_cast<Oskend::MIDIClock>(0));
  h_.RunFor(100);
  h_.Idle();
  CHfcControl* tempo = Ctl(Root::kIdTempo);
  ASSERT_NE(tempo, nullptr);
  char text[] = "120.5";
  root_->OnHfcCtrlPtrValueChanged(tempo, text);
  h_.RunFor(100);
  h_.Idle();
  int unused = 0;
  EXPECT_EQ(XESynthUtils::GetTempo(h_.synth(), unused), 12050);
  root_->UpdateTempoEdit();
  EXPECT_STREQ(static_cast<const char*>(tempo->GetPtrValue()), "120.50");

  // An external clock shows "EXT".
  h_.synth()->SetExtCtlState(static_cast<Oskend::MIDIClock>(1));
  h_.RunFor(100);
  h_.Idle();
  root_->UpdateTempoEdit();
  EXPECT_STREQ(static_cast<const char*>(tempo->GetPtrValue()), "EXT");
}

TEST_F(RootLayer, CommandTextsAndArguments) {
  struct Err {
    unsigned long status;
    const char* text;
  } errs[] = {{0x80000004ul, "Receive All Error!\nTimeOut"},
              {0xC0000002ul, "Receive All Error!\nWrite Protected."},
              {0xC0000004ul, "Receive All Error!\nMode is Wrong"},
              {0xC0000040ul, "Receive All Error\nThe synthesizer refused the request (its status 0x28)."},
              {0xC0000003ul, "Receive All Error\nThe synthesizer refused the request (its status 0x03)."},
              {0x80000001ul,
               "Receive All Error\nThe synthesizer is not connected, or the message could not be sent."},
              {0x80000003ul, "Receive All Error\nAnother transfer with the synthesizer is running."},
              {0x80000006ul,
               "Receive All Error\nThe MIDI system ran late, so part of the transfer may have arrived twice or not "
               "at all, and it ran late again when the transfer was repeated. Try again with less load on the "
               "computer, or give the JACK server a larger buffer."},
              {0ul, "Receive All Error\nThe synthesizer is not connected, or the current sound does not allow this."}};
  for (const Err& e : errs) EXPECT_EQ(Root::CommandErrorText("Receive All", e.status), e.text);
  // A load keeps its one line but for a MIDI system that ran late.
  EXPECT_EQ(Root::LoadErrorText(0), "Load Error");
  EXPECT_EQ(Root::LoadErrorText(static_cast<int>(0xC0000003u)), "Load Error");
  EXPECT_EQ(Root::LoadErrorText(static_cast<int>(0x80000006u)), "Load Error\n" + Root::CommandErrorText("", 0x80000006ul).substr(7));

  Root::RemoteCommand c{};
  ASSERT_TRUE(Root::CommandFor(1017, 3, 2, 17, &c));
  EXPECT_EQ(std::vector<int>({c.cmd, c.a1, c.a2, c.a3, c.a4}), std::vector<int>({4, 3, 2, -1, 255}));
  ASSERT_TRUE(Root::CommandFor(1016, 3, 2, 17, &c));
  EXPECT_EQ(std::vector<int>({c.cmd, c.a1, c.a2, c.a3, c.a4}), std::vector<int>({3, 3, 2, 17, 5}));
  ASSERT_TRUE(Root::CommandFor(1073, 0, 0, 0, &c));
  EXPECT_EQ(c.cmd, 8);
  EXPECT_FALSE(Root::CommandFor(1009, 0, 0, 0, &c));
  EXPECT_FALSE(Root::CommandFor(1035, 0, 0, 0, &c));
}

// Every menu id that runs a model command, with mode 3, bank 2 and number
// 17 current: the numbers are written out, not taken from the names the
// code uses, so a name bound to the wrong id shows here.
TEST_F(RootLayer, EveryMenuCommandCarriesItsNumberAndArguments) {
  struct Row {
    int id, cmd, a1, a2, a3, a4;
  } rows[] = {{1002, 7, 0, 0, 0, 0},      {1005, 11, 0, 0, 0, 0},     {1006, 12, 0, 0, 0, 0},
              {1011, 2, 0, 0, 0, 0},      {1012, 1, 0, 0, 0, 0},      {1013, 4, 3, -1, -1, 255},
              {1020, 4, 3, -1, -1, 255},  {1014, 3, 3, -1, -1, 255},  {1021, 3, 3, -1, -1, 255},
              {1015, 4, 3, 2, 17, 255},   {1022, 4, 3, 2, 17, 255},   {1016, 3, 3, 2, 17, 5},
              {1023, 3, 3, 2, 17, 5},     {1017, 4, 3, 2, -1, 255},   {1024, 4, 3, 2, -1, 255},
              {1018, 3, 3, 2, -1, 255},   {1025, 3, 3, 2, -1, 255},   {1031, 18, 0, 0, 0, 0},
              {1033, 15, 0, 0, 0, 0},     {1038, 26, 0, 0, 0, 0},     {1039, 25, 0, 0, 0, 0},
              {1056, 25, 0, 0, 0, 0},     {1054, 47, 0, 0, 0, 0},     {1055, 48, 0, 0, 0, 0},
              {1073, 8, 0, 0, 0, 0}};
  for (const Row& r : rows) {
    Root::RemoteCommand c{};
    ASSERT_TRUE(Root::CommandFor(r.id, 3, 2, 17, &c)) << r.id;
    EXPECT_EQ(std::vector<int>({c.cmd, c.a1, c.a2, c.a3, c.a4}), std::vector<int>({r.cmd, r.a1, r.a2, r.a3, r.a4}))
        << r.id;
  }
  // Dialogs, All Sound Off and ids without an action run no command.
  for (int id : {1000, 1001, 1003, 1004, 1007, 1008, 1019, 1026, 1030, 1032, 1034, 1057, 1058, 1065, 1066, 1070,
                 1072, 999, 1074})
    EXPECT_FALSE(Root::CommandFor(id, 3, 2, 17, nullptr)) << id;
}

TEST_F(RootLayer, MenuDropsNeverShownItemsAndClosesUp) {
  const std::list<MenuItemInfo> items{MenuItemInfo::kMenuItemInfo_CopyInsertEffect,
                                      MenuItemInfo::kMenuItemInfo_DrumKitIFXPatch,
                                      MenuItemInfo{1062, 0, "Unassigned"},
                                      MenuItemInfo::kMenuItemInfo_CopyMFXTFX,
                                      MenuItemInfo{1063, 0, "Unassigned"}};
  const auto shown = Root::MenuItemsShown(items);
  ASSERT_EQ(shown.size(), 4u);
  EXPECT_EQ(shown[0].id, 1032);
  EXPECT_EQ(shown[1].id, 1034);
  EXPECT_EQ(shown[2].id, -1);
  EXPECT_EQ(shown[3].id, 1065);
  EXPECT_EQ(Root::MenuItemsShown({}).size(), 1u);

  // The utility switch shows the active page's menu; dismissing it runs
  // nothing.
  os::HeadlessMenuTracker::ScriptNone();
  ClickControl(Root::kIdUtility);
  auto t = os::HeadlessMenuTracker::Transcript();
  ASSERT_EQ(t.size(), 1u);
  ASSERT_FALSE(t[0].items.empty());
  EXPECT_EQ(t[0].items.back().text, "All Sound Off");
  EXPECT_EQ(t[0].items.front().text, "Write Program...");
}

TEST_F(RootLayer, ReceiveAllFromTheMenuFillsTheImage) {
  // Change the instrument's memory after the connection: Receive All must
  // bring the new bytes into the image.
  h_.device().With([](vesk::test::SimSynth& s) {
    const uint8_t channel = s.Memory()[Oskend::CHUNK_GLOBAL::kMIDIChannel];
    s.FillPattern(99);
    s.Memory()[Oskend::CHUNK_GLOBAL::kMIDIChannel] = channel;
  });
  const std::vector<uint8_t> want = h_.device().Memory();
  os::HeadlessAlert::Reset();
  os::HeadlessMenuTracker::ScriptCommand(1011);
  os::HeadlessAlert::Script(1);  // OK to the confirmation
  std::set<std::string> progress;
  const auto timer = h_.env().loop().AddTimer(5, 5, [&] {
    if (os::HeadlessProgressWindow* w = os::HeadlessProgressWindow::Current())
      if (w->shown()) progress.insert(w->text());
  });
  ClickControl(Root::kIdUtility);
  h_.env().loop().RemoveTimer(timer);
  // The progress window named each step while it ran.
  auto seen = [&](const std::string& what) {
    for (const auto& t : progress)
      if (t.find(what) != std::string::npos) return true;
    return false;
  };
  for (const char* step : {"PROGRAM A", "PROGRAM B", "PROGRAM C", "PROGRAM D", "Performance"})
    EXPECT_TRUE(seen(step)) << step;
  EXPECT_EQ(os::HeadlessProgressWindow::Current(), nullptr);
  h_.RunFor(200);
  h_.Idle();
  auto alerts = os::HeadlessAlert::Transcript();
  ASSERT_GE(alerts.size(), 1u);
  EXPECT_EQ(alerts[0].request.explanation, "Receive All?");
  EXPECT_EQ(alerts[0].request.mainText, "Vesk Plug-In Editor");
  EXPECT_EQ(alerts.size(), 1u) << alerts.back().request.explanation;
  Oskend::ISoundSection* prog = h_.synth()->GetEditBuffer(3);
  ASSERT_NE(prog, nullptr);
  std::vector<uint8_t> got(prog->RawSize());
  prog->RawGet(got.data(), 0, static_cast<unsigned>(got.size()));
  const auto from = want.begin() + vesk::test::SimSynth::kProgEditOffset;
  EXPECT_TRUE(std::equal(got.begin(), got.end(), from));
}

// Transmit All switches the instrument between its modes to send each part;
// the instrument's answers to those switches are not the user's: the
// editor stays in program mode on the page the user was on, and the
// program being edited stays as it was. Receive All leaves the screen
// alone too.
TEST_F(RootLayer, WholeTransfersInProgramModeKeepTheScreen) {
  ASSERT_EQ(h_.synth()->GetMode(), eMode_ProgEdit);
  CTabControl* program = root_->GetMainTab(1);
  ASSERT_NE(program, nullptr);
  Oskend::ISoundSection* edit = h_.synth()->GetEditBuffer(3);
  auto editBytes = [&] {
    std::vector<uint8_t> b(edit->RawSize());
    edit->RawGet(b.data(), 0, static_cast<unsigned>(b.size()));
    return b;
  };
  struct Case {
    int id;
    const char* title;
  };
  for (const Case& c : {Case{1012, "Transmit All"}, Case{1011, "Receive All"}}) {
    SCOPED_TRACE(c.title);
    program->SetActivePageByIndex(2, false);  // Pitch
    h_.Idle();
    ITabPageLayer* pitch = program->GetTabPageLayer(2);
    ASSERT_EQ(program->GetActivePage(), pitch);
    const std::vector<uint8_t> before = editBytes();
    h_.device().With([](vesk::test::SimSynth& s) { s.ClearLog(); });

    os::HeadlessAlert::Reset();
    os::HeadlessMenuTracker::ScriptCommand(c.id);
    os::HeadlessAlert::Script(1);  // OK to the confirmation
    std::set<int> modes, guiModes;
    bool performanceShown = false;
    // The editor's idle goes on while the progress window is up.
    const auto timer = h_.env().loop().AddTimer(5, 5, [&] {
      h_.Idle();
      modes.insert(h_.synth()->GetMode());
      guiModes.insert(root_->GetGUIMode());
      performanceShown = performanceShown || root_->GetMainTab(0)->IsVisible();
    });
    ClickControl(Root::kIdUtility);
    h_.RunFor(1000);
    h_.Idle();
    h_.Idle();
    h_.env().loop().RemoveTimer(timer);

    auto alerts = os::HeadlessAlert::Transcript();
    ASSERT_GE(alerts.size(), 1u);
    EXPECT_EQ(alerts[0].request.explanation, std::string(c.title) + "?");
    EXPECT_EQ(alerts.size(), 1u) << alerts.back().request.explanation;
    EXPECT_EQ(modes, std::set<int>{eMode_ProgEdit});
    EXPECT_EQ(guiModes, std::set<int>{1});
    EXPECT_FALSE(performanceShown);
    EXPECT_EQ(h_.synth()->GetMode(), eMode_ProgEdit);
    EXPECT_TRUE(program->IsVisible());
    EXPECT_EQ(program->GetActivePage(), pitch);
    if (c.id == 1012) {
      // The instrument went through performance mode; the editor did not.
      bool combi = false;
      for (const auto& e : h_.device().Log())
        combi = combi || (e.kind == vesk::test::SimSynthEvent::kModeChange && e.mode == 0);
      EXPECT_TRUE(combi);
      EXPECT_EQ(editBytes(), before);
    }
  }
}

TEST_F(RootLayer, ReceiveAllTimingOutShowsTheErrorBox) {
  bool silenced = false;
  // The instrument goes silent once the transfer is under way: after the
  // global block and the first program bank have come.
  const size_t start = h_.device().MessagesHandled();
  const auto timer = h_.env().loop().AddTimer(10, 10, [&] {
    if (silenced || h_.device().MessagesHandled() < start + 2) return;
    h_.device().With([](vesk::test::SimSynth& s) { s.Settings().silent = true; });
    silenced = true;
  });
  os::HeadlessAlert::Reset();
  os::HeadlessMenuTracker::ScriptCommand(1011);
  os::HeadlessAlert::Script(1);
  ClickControl(Root::kIdUtility);
  h_.RunFor(200);
  h_.Idle();
  auto alerts = os::HeadlessAlert::Transcript();
  ASSERT_EQ(alerts.size(), 2u);
  h_.env().loop().RemoveTimer(timer);
  EXPECT_TRUE(silenced);
  EXPECT_EQ(alerts[1].request.explanation, "Receive All Error!\nTimeOut");
  EXPECT_EQ(alerts[1].request.buttons.size(), 1u);
  EXPECT_EQ(alerts[1].request.icon, os::Alert::Icon::kStop);
}

TEST_F(RootLayer, IncomingMidiMovesWheelsAndKeys) {
  CHfcControl* pitch = Ctl(Root::kIdWheels, 0);
  CHfcControl* mod = Ctl(Root::kIdWheels, 1);
  ASSERT_NE(pitch, nullptr);
  ASSERT_NE(mod, nullptr);
  struct Case {
    uint8_t s, d1, d2;
    CHfcControl* wheel;
    int value;
  } cases[] = {{0xE2, 0x7F, 0x7F, pitch, 1270}, {0xE2, 0, 0x40, pitch, 635},
               {0xE2, 0, 0, pitch, 0},          {0xB2, 2, 127, mod, 0},
               {0xB2, 1, 127, mod, 1270},       {0xB2, 1, 0, mod, 635}};
  for (const Case& c : cases) {
    root_->OnMidiIn(c.s, c.d1, c.d2);
    EXPECT_EQ(c.wheel->GetIntValue(), c.value) << int(c.s) << " " << int(c.d1) << " " << int(c.d2);
  }
  // Notes light and clear the keys of the panel's keyboard.
  auto* keyboard = dynamic_cast<CHfcCtrlKeyboard*>(Ctl(Root::kIdKeyboard));
  ASSERT_NE(keyboard, nullptr);
  auto lit = [&] {
    int n = 0;
    for (int i = 0; i < 1024; ++i) n += (keyboard->GetSegmentState(i) & 7) != 0;
    return n;
  };
  EXPECT_EQ(lit(), 0);
  // A note-on reaches the registered pages; a note-on of velocity 0 does not.
  Listener listener(h_.synth());
  root_->RegistLayerAsMIDIReceiver(&listener, false);
  root_->RegistLayerAsMIDIReceiver(&listener, false);
  root_->OnMidiIn(0x92, 60, 100);
  const int one = lit();
  EXPECT_GT(one, 0);
  root_->OnMidiIn(0x92, 64, 100);
  EXPECT_GT(lit(), one);
  root_->OnMidiIn(0x82, 64, 0);
  EXPECT_EQ(lit(), one);
  root_->OnMidiIn(0x92, 60, 0);
  EXPECT_EQ(lit(), 0);
  root_->OnMidiIn(0x92, 10, 100);  // below the keyboard: still heard, nothing lit
  EXPECT_EQ(lit(), 0);
  ASSERT_EQ(listener.heard.size(), 3u);
  EXPECT_EQ(listener.heard[0], std::vector<uint8_t>({0x92, 60, 100}));
  EXPECT_EQ(listener.heard[2], std::vector<uint8_t>({0x92, 10, 100}));
}

TEST_F(RootLayer, WheelsSendBendAndModulation) {
  Listener listener(h_.synth());
  root_->RegistLayerAsMIDIReceiver(&listener, false);
  CHfcControl* pitch = Ctl(Root::kIdWheels, 0);
  CHfcControl* mod = Ctl(Root::kIdWheels, 1);
  const uint8_t ch = static_cast<uint8_t>(h_.synth()->GetGlobalChannel() & 0x0F);
  ToMode(eMode_Combi);  // sound mode 0: the global channel
  listener.heard.clear();
  root_->OnHfcCtrlIntValueChanged(pitch, 1270);
  root_->OnHfcCtrlIntValueChanged(pitch, 0);
  root_->OnHfcCtrlIntValueChanged(pitch, 635);  // at rest: 635 * 0x3FFF / 1270 = 8191
  root_->OnHfcCtrlIntValueChanged(mod, 1270);
  root_->OnHfcCtrlIntValueChanged(mod, 0);
  const std::vector<std::vector<uint8_t>> want{
      {uint8_t(0xE0 | ch), 0x7F, 0x7F}, {uint8_t(0xE0 | ch), 0, 0}, {uint8_t(0xE0 | ch), 0x7F, 0x3F},
      {uint8_t(0xB0 | ch), 1, 127},     {uint8_t(0xB0 | ch), 1, 0},  {uint8_t(0xB0 | ch), 2, 127}};
  EXPECT_EQ(listener.heard, want);
  h_.RunFor(50);
  auto sent = h_.device().ShortMessages();
  ASSERT_GE(sent.size(), want.size());
  EXPECT_EQ(std::vector<std::vector<uint8_t>>(sent.end() - want.size(), sent.end()), want);
}

// The modulation wheel plays controller 1 above its centre and 2 below it;
// crossing the centre lets go of the side it leaves, so the two never
// modulate at once.
TEST_F(RootLayer, ModulationWheelCrossingItsCentreReleasesTheSideItLeaves) {
  ToMode(eMode_Combi);
  Listener listener(h_.synth());
  root_->RegistLayerAsMIDIReceiver(&listener, false);
  CHfcControl* mod = Ctl(Root::kIdWheels, 1);
  ASSERT_NE(mod, nullptr);
  const uint8_t cc = static_cast<uint8_t>(0xB0 | (h_.synth()->GetGlobalChannel() & 0x0F));
  using Msgs = std::vector<std::vector<uint8_t>>;
  struct Step {
    int value;
    Msgs heard;
  };
  const Step steps[] = {
      {700, {{cc, 1, 13}}},               // from the centre: nothing to let go
      {660, {{cc, 1, 5}}},                // same side
      {580, {{cc, 1, 0}, {cc, 2, 11}}},   // across: controller 1 back to 0 first
      {635, {{cc, 2, 0}}},                // back to the centre: controller 2 at 0
      {640, {{cc, 1, 1}}},                // controller 2 is 0 already
      {10, {{cc, 1, 0}, {cc, 2, 125}}},   // all the way across
      {1270, {{cc, 2, 0}, {cc, 1, 127}}}, // and back
  };
  mod->SetIntValue(635, false);
  for (const Step& step : steps) {
    listener.heard.clear();
    root_->OnHfcCtrlIntValueChanged(mod, step.value);
    EXPECT_EQ(listener.heard, step.heard) << "to " << step.value;
  }
  h_.RunFor(50);
  // The synthesizer is left with controller 1 at the wheel's amount and
  // controller 2 at 0.
  int last1 = -1, last2 = -1;
  for (const auto& m : h_.device().ShortMessages()) {
    if (m.size() == 3 && m[0] == cc && m[1] == 1) last1 = m[2];
    if (m.size() == 3 && m[0] == cc && m[1] == 2) last2 = m[2];
  }
  EXPECT_EQ(last1, 127);
  EXPECT_EQ(last2, 0);
}

TEST_F(RootLayer, AllSoundOffSilencesEveryChannelThenEveryNote) {
  const size_t before = h_.device().ShortMessages().size();
  root_->AllSoundOff();
  h_.RunFor(50);
  auto sent = h_.device().ShortMessages();
  ASSERT_EQ(sent.size() - before, 32u);
  for (int n = 0; n < 16; ++n) {
    EXPECT_EQ(sent[before + 2 * n], std::vector<uint8_t>({uint8_t(0xB0 + n), 0x78, 0x00}));
    EXPECT_EQ(sent[before + 2 * n + 1], std::vector<uint8_t>({uint8_t(0xB0 + n), 0x7B, 0x00}));
  }
  ASSERT_EQ(plugin_.gui.size(), 128u);
  for (int k = 0; k < 128; ++k) EXPECT_EQ(plugin_.gui[k], std::vector<uint8_t>({0x80, uint8_t(k), 0}));
}

// A lost link greys the logo, and only the logo: the LCD keeps its ink and
// takes input; the logo lights again when the synthesizer is back.
TEST_F(RootLayer, ALostLinkGreysTheLogoOnly) {
  ToPerformance(3);
  // How far the LCD's strongest ink lies from its background (the most
  // common colour): text and arrows drawn faded come nearer to it.
  auto ink = [&] {
    h_.WindowPixel(0, 0);  // draws the window
    CHfcBmp* bmp = h_.window().GetPicture()->GetBmp();
    std::map<uint32_t, int> count;
    for (int y = 16; y < 45; ++y)
      for (int x = 19; x < 168; ++x) ++count[bmp->GetPixel(x, y)];
    uint32_t back = 0;
    int most = 0;
    for (auto [p, n] : count)
      if (n > most) most = n, back = p;
    int strongest = 0;
    for (auto [p, n] : count) {
      int d = 0;
      for (int shift : {0, 8, 16}) d += std::abs(int((p >> shift) & 0xFF) - int((back >> shift) & 0xFF));
      strongest = std::max(strongest, d);
    }
    return strongest;
  };
  const int lit = ink();
  EXPECT_EQ(Ctl(Root::kIdLogo)->GetIntValue(), 1);

  h_.model().Disconnect();
  h_.Idle();
  h_.Idle();
  EXPECT_EQ(Ctl(Root::kIdLogo)->GetIntValue(), 0) << "the logo did not grey";
  EXPECT_EQ(ink(), lit) << "the LCD changed its look with the link";
  ClickControl(Root::kIdProgUp);
  h_.Idle();
  EXPECT_EQ(h_.synth()->GetCurSound(true).number, 4) << "the LCD took no input";
  ClickControl(Root::kIdProgDown);
  h_.Idle();
  ASSERT_EQ(h_.synth()->GetCurSound(true).number, 3);

  ASSERT_TRUE(h_.model().Connect(false, false));
  h_.Idle();
  h_.Idle();
  EXPECT_EQ(Ctl(Root::kIdLogo)->GetIntValue(), 1);
  EXPECT_EQ(ink(), lit);
}

TEST_F(RootLayer, TheLogoOffersAllSoundOffAndTheAbout) {
  auto aboutShown = [&] {
    for (int i = 0; i < h_.window().GetLayerCount(); ++i)
      if (dynamic_cast<AboutLayer*>(h_.window().GetLayerByIndex(i))) return true;
    return false;
  };
  const size_t before = h_.device().ShortMessages().size();
  os::HeadlessMenuTracker::ScriptCommand(100);
  ClickControl(Root::kIdLogo);
  h_.RunFor(50);
  const auto shown = os::HeadlessMenuTracker::Transcript();
  ASSERT_EQ(shown.size(), 1u);
  const auto& menu = shown[0];
  ASSERT_EQ(menu.items.size(), 2u);
  EXPECT_EQ(menu.items[0].text, "All Sound Off");
  EXPECT_EQ(menu.items[1].text, "About Vesk Plug-In Editor");
  EXPECT_EQ(h_.device().ShortMessages().size() - before, 32u);
  EXPECT_FALSE(aboutShown());

  os::HeadlessMenuTracker::ScriptCommand(101);
  ClickControl(Root::kIdLogo);
  h_.Idle();
  h_.Idle();
  EXPECT_TRUE(aboutShown());
}

TEST_F(RootLayer, VersionAndProductTexts) {
  struct Case {
    const char* in;
    const char* out;
  } cases[] = {{"1.0.5.12", "1.0.5"}, {"2.0", "2.0"}, {"1.2.3", "1.2.3"}, {"", ""}};
  for (const Case& c : cases) EXPECT_EQ(Root::TrimVersion(c.in), c.out);
  EXPECT_EQ(root_->GetVersionString(), "1.0.5");
  EXPECT_EQ(root_->GetProductName(), "Vesk Plug-In Editor");
}

TEST_F(RootLayer, KnobAssignChoiceWithSubTarget) {
  ToMode(eMode_Combi);
  ASSERT_NE(Rt(), nullptr);
  // The split comes first: choosing one sets the timbre switches anew.
  Rt()->PutParamI(0x8027, 1);  // split Main/Lower
  Rt()->PutParamI(0x8026, 1);  // target Sub
  Rt()->PutParamI(0x8017 + 1, 1);
  Rt()->PutParamI(0x8017 + 2, 1);
  h_.RunFor(100);
  h_.Idle();
  EXPECT_EQ(Rt()->GetParamI(0x8019), 1);
  root_->OnGUIModeChanged(1);
  EXPECT_EQ(root_->GetKnobAssignState(), 1);
  EXPECT_EQ(h_.synth()->GetMode(), eMode_Combi);  // no mode change yet
  ClickControl(Root::kIdRTSwitch + 2);
  EXPECT_EQ(Rt()->GetParamI(0x8029), 8);
  // The choice made, program mode is entered at once.
  EXPECT_EQ(root_->GetKnobAssignState(), 0);
  h_.RunFor(600);
  EXPECT_EQ(h_.synth()->GetMode(), eMode_ProgEdit);
}

TEST_F(RootLayer, ProgramSwitchFlashesUntilATimbreIsChosenWhateverTheModelRepeats) {
  ToMode(eMode_Combi);
  ASSERT_NE(Rt(), nullptr);
  for (int i = 0; i < 6; ++i) Rt()->PutParamI(0x8017 + i, i == 1 || i == 3 ? 1 : 0);
  h_.RunFor(100);
  h_.Idle();
  ClickControl(Root::kIdModeSwitch + 1);
  ASSERT_EQ(root_->GetKnobAssignState(), 1);

  // Five seconds hold two of the model's repeated connection notices.
  int flashes = 0;
  int last = Ctl(Root::kIdModeSwitch + 1)->GetIntValue();
  for (int t = 0; t < 50; ++t) {
    h_.Idle(100);
    const int program = Ctl(Root::kIdModeSwitch + 1)->GetIntValue();
    flashes += program != last ? 1 : 0;
    last = program;
    ASSERT_EQ(root_->GetKnobAssignState(), 1) << t;
    ASSERT_EQ(Ctl(Root::kIdModeSwitch)->GetIntValue(), 0) << t;
    ASSERT_EQ(Ctl(Root::kIdRTSwitch + 1)->GetIntValue(), program) << t;
    ASSERT_EQ(Ctl(Root::kIdRTSwitch + 3)->GetIntValue(), program) << t;
    ASSERT_EQ(Ctl(Root::kIdRTSwitch + 2)->GetIntValue(), 0) << t;
  }
  EXPECT_GE(flashes, 8);
  EXPECT_EQ(h_.synth()->GetMode(), eMode_Combi);

  // The synthesizer leaving performance mode by itself ends the wait.
  ToMode(eMode_Global);
  EXPECT_EQ(root_->GetKnobAssignState(), 0);
  EXPECT_EQ(root_->GetGUIMode(), 2);
  h_.Idle(600);
  EXPECT_EQ(Ctl(Root::kIdModeSwitch + 1)->GetIntValue(), 0);
}

TEST_F(RootLayer, TimbreThreeCopiesOnlyTheTwoByteFields) {
  ToMode(eMode_Combi);
  Oskend::ISoundSection* combi = h_.synth()->GetEditBuffer(0);
  ASSERT_NE(combi, nullptr);
  Oskend::ISection* timbre = nullptr;
  ASSERT_TRUE(combi->FindSectionByPID(0x52B, &timbre));
  timbre->PutParamI(0x52B, 1);
  h_.RunFor(100);
  h_.Idle();
  std::vector<uint8_t> before(combi->RawSize());
  combi->RawGet(before.data(), 0, static_cast<unsigned>(before.size()));
  Oskend::ISection* prog = nullptr;
  ASSERT_TRUE(combi->FindSectionByPID(0x500, &prog));
  prog->PutParamI(0x500, 1 * 128 + 7);  // bank B, program 7
  h_.RunFor(100);
  h_.Idle();
  h_.Idle();
  std::vector<uint8_t> after(combi->RawSize());
  combi->RawGet(after.data(), 0, static_cast<unsigned>(after.size()));
  const auto mem = h_.device().Memory();
  const unsigned src = vesk::test::SimSynth::ProgOffset(1, 7);
  // Program bytes 94-95 into the timbre fields of timbres 3 and 9.
  EXPECT_EQ(after[643 + 44 * 3], mem[src + 94]);
  EXPECT_EQ(after[644 + 44 * 3], mem[src + 95]);
  EXPECT_EQ(after[907 + 44 * 3], mem[src + 94]);
  EXPECT_EQ(after[908 + 44 * 3], mem[src + 95]);
  // No insert-effect block: the slots stay as they were.
  for (unsigned off : {100u, 176u, 24u, 0u, 252u, 328u})
    EXPECT_TRUE(std::equal(before.begin() + off, before.begin() + off + 68, after.begin() + off)) << off;
  for (int i = 0; i < 8; ++i) EXPECT_EQ(after[664 + 44 * 3 + i], 0) << i;
}

// Timbres 2 and 8 share effect slot 2 (bytes 24..91 of the performance):
// the upper timbre's program reaches it only while timbre 2 does not use
// its insert effect, whether its program or its use flag changed.
TEST_F(RootLayer, AnUpperTimbreLoadsTheSharedSlotOnlyWhenTheLowerOneLeavesIt) {
  ToMode(eMode_Combi);
  Oskend::ISoundSection* combi = h_.synth()->GetEditBuffer(0);
  ASSERT_NE(combi, nullptr);
  auto put = [&](int pid, int value) {
    Oskend::ISection* s = nullptr;
    ASSERT_TRUE(combi->FindSectionByPID(pid, &s)) << pid;
    s->PutParamI(pid, value);
    h_.RunFor(100);
    h_.Idle();
    h_.Idle();
  };
  auto slot = [&] {
    std::vector<uint8_t> raw(combi->RawSize());
    combi->RawGet(raw.data(), 0, static_cast<unsigned>(raw.size()));
    return std::vector<uint8_t>(raw.begin() + 24, raw.begin() + 24 + 68);
  };
  auto programBlock = [&](int bank, int number) {
    const auto mem = h_.device().Memory();
    const unsigned src = vesk::test::SimSynth::ProgOffset(bank, number);
    return std::vector<uint8_t>(mem.begin() + src + 24, mem.begin() + src + 24 + 68);
  };
  struct Case {
    bool lowerUses;
    bool programChanges;  // else the upper use flag goes on
  } cases[] = {{true, true}, {false, true}, {true, false}, {false, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "lower uses " << c.lowerUses << ", program " << c.programChanges);
    put(0x42B, 0);
    put(0xA2B, 0);
    put(0x400, 0 * 128 + 3);
    put(0xA00, 1 * 128 + 5);
    put(0x42B, c.lowerUses ? 1 : 0);
    if (c.programChanges) put(0xA2B, 1);
    const std::vector<uint8_t> before = slot();
    const std::vector<uint8_t> wanted = programBlock(1, c.programChanges ? 7 : 5);
    ASSERT_NE(before, wanted);
    if (c.programChanges)
      put(0xA00, 1 * 128 + 7);
    else
      put(0xA2B, 1);
    EXPECT_EQ(slot(), c.lowerUses ? before : wanted);
  }
}

TEST_F(RootLayer, ProgramOscillatorModeNeverWritesCombinationBytes) {
  Oskend::ISoundSection* combi = h_.synth()->GetEditBuffer(0);
  Oskend::ISoundSection* prog = h_.synth()->GetEditBuffer(3);
  ASSERT_NE(combi, nullptr);
  ASSERT_NE(prog, nullptr);
  std::vector<uint8_t> before(combi->RawSize());
  combi->RawGet(before.data(), 0, static_cast<unsigned>(before.size()));
  Oskend::ISection* osc = nullptr;
  ASSERT_TRUE(prog->FindSectionByPID(0xD00, &osc));
  osc->PutParamI(0xD00, osc->GetParamI(0xD00) == 0 ? 1 : 0);
  h_.RunFor(100);
  h_.Idle();
  h_.Idle();
  std::vector<uint8_t> after(combi->RawSize());
  combi->RawGet(after.data(), 0, static_cast<unsigned>(after.size()));
  EXPECT_EQ(before, after);
}

TEST_F(RootLayer, PerformanceSteppingStaysWithinTwenty) {
  ToPerformance(19);
  const int n = root_->ProgramNumberInc();
  h_.RunFor(300);
  EXPECT_LE(n, 19);
  EXPECT_LE(h_.synth()->GetCurSound(true).number, 19);
  Oskend::SSoundIndex s = h_.synth()->GetCurSound(true);
  s.number = 0;
  h_.synth()->PutCurSound(s);
  h_.RunFor(300);
  const int d = root_->ProgramNumberDec();
  h_.RunFor(300);
  EXPECT_LE(d, 19);
  // A typed number past the last performance selects the last one.
  char text[] = "120";
  root_->OnHfcCtrlPtrValueChanged(Ctl(Root::kIdProgNumber), text);
  h_.RunFor(300);
  EXPECT_LE(h_.synth()->GetCurSound(true).number, 19);
}

// The arrow keys on the focused number field step through the
// performances the way the arrow buttons do: past the last one to the
// first and back.
TEST_F(RootLayer, ArrowKeysOnTheNumberFieldStepThePerformance) {
  ToPerformance(19);
  ClickControl(Root::kIdProgNumber);
  h_.Idle();
  struct Step {
    uint32_t key;
    int number;
  };
  for (const Step& step : {Step{XK_Up, 0}, Step{XK_Up, 1}, Step{XK_Down, 0}, Step{XK_Down, 19}}) {
    h_.Key(step.key);
    h_.RunFor(300);
    h_.Idle();
    EXPECT_EQ(h_.synth()->GetCurSound(true).number, step.number)
        << (step.key == XK_Up ? "up" : "down") << " to " << step.number;
    EXPECT_EQ(Ctl(Root::kIdProgNumber)->GetIntValue(), step.number);
  }
}

// Locking the window rebuilds the editor's view: the new root layer shows
// the front panel of the sound as it stands (the effect type on its switch,
// the bank selector only in program mode).
TEST_F(RootLayer, ARebuiltRootLayerShowsTheFrontPanelAsItStands) {
  struct Case {
    eMode mode;
    int section, typePid, onPid;
    bool bankShown;
  };
  for (const Case& c : {Case{eMode_Combi, 0, 0x1800, 0x1802, false},
                        Case{eMode_ProgEdit, 3, 0x800, 0x802, true}}) {
    SCOPED_TRACE(c.mode);
    ToMode(c.mode);
    Oskend::ISoundSection* edit = h_.synth()->GetEditBuffer(c.section);
    ASSERT_NE(edit, nullptr);
    edit->PutParamI(c.typePid, 1);  // chorus
    edit->PutParamI(c.onPid, 1);
    h_.RunFor(100);
    h_.Idle();
    const int shown = Ctl(Root::kIdFx1Type)->GetIntValue();
    EXPECT_EQ(shown, 1);

    DropRoot();
    MakeRoot();
    EXPECT_EQ(h_.synth()->GetMode(), c.mode);
    EXPECT_EQ(Ctl(Root::kIdFx1Type)->GetIntValue(), shown);
    EXPECT_EQ(Ctl(Root::kIdBank)->IsVisible(), c.bankShown);
  }
}

TEST_F(RootLayer, FileKindsPerSoundModeAndSaveTypeChange) {
  ToMode(eMode_Combi);
  std::vector<FiletypeInfo> types;
  Root::MakeFileTypeInfoArray(types, h_.synth());
  ASSERT_EQ(types.size(), 3u);
  EXPECT_STREQ(types[0].description, "All Data (*.VSKall)");
  EXPECT_STREQ(types[1].description, "All Performance (*.VSKapf)");
  EXPECT_STREQ(types[2].description, "Performance (*.VSKpf)");

  ToMode(eMode_ProgEdit);
  os::HeadlessFileDialog::Answer a;
  a.action = os::FileDialog::kActionCancel;
  a.fileType = 2;  // the user picks "Program (*.VSKpr)"
  os::HeadlessFileDialog::Script(a);
  root_->OpenSaveDialog();
  auto asked = os::HeadlessFileDialog::Transcript();
  ASSERT_EQ(asked.size(), 1u);
  ASSERT_EQ(asked[0].options.fileTypes.size(), 3u);
  EXPECT_EQ(asked[0].options.fileTypes[2], "Program (*.VSKpr)");
  EXPECT_EQ(asked[0].options.saveFileName, "Untitled.VSKapr");
  EXPECT_EQ(asked[0].options.title, "Save Data File");
  ASSERT_FALSE(asked[0].saveNamesSet.empty());
  EXPECT_EQ(asked[0].saveNamesSet.back(), "Untitled.VSKpr");
}

TEST_F(RootLayer, DataFileSavedAndLoadedThroughTheDialogs) {
  vesk::test::TempDir dir;
  ToMode(eMode_ProgEdit);
  os::HeadlessFileDialog::Answer save;
  const std::string path = SaveThroughTheDialog(dir.path(), "bank.VSKapr", -1, &save);
  struct stat st {};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_GT(st.st_size, 0);
  EXPECT_NE(::stat((path + ".saving").c_str(), &st), 0);

  // Change a program in the image, then load the file back.
  Oskend::IBankList* all = h_.synth()->GetAllSounds(3);
  ASSERT_NE(all, nullptr);
  std::ifstream in(path, std::ios::binary);
  const std::vector<char> saved((std::istreambuf_iterator<char>(in)), {});
  os::HeadlessAlert::Reset();
  os::HeadlessFileDialog::Answer load;
  load.action = os::FileDialog::kActionOpen;
  load.selection = {path};
  os::HeadlessFileDialog::Reset();
  os::HeadlessFileDialog::Script(load);
  root_->OpenLoadDialog();
  ASSERT_EQ(os::HeadlessFileDialog::Transcript().size(), 1u);
  EXPECT_EQ(os::HeadlessFileDialog::Transcript()[0].options.title, "Load Data File");
  h_.RunFor(2000);
  h_.Idle();
  // The question before the stored programs are replaced, and no error.
  const auto shown = os::HeadlessAlert::Transcript();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].request.explanation, "Load All Program?\nEvery stored program is replaced.");

  // A save the model cannot finish leaves the old file as it was, and no
  // half-written file behind.
  ASSERT_EQ(::mkdir((path + ".saving").c_str(), 0755), 0);  // the model cannot write there
  { std::ofstream(path + ".saving/x") << "x"; }
  EXPECT_FALSE(root_->SaveDataFile(path, 3, 0));
  std::remove((path + ".saving/x").c_str());
  ::rmdir((path + ".saving").c_str());
  {
    std::ifstream kept(path, std::ios::binary);
    EXPECT_EQ(std::vector<char>((std::istreambuf_iterator<char>(kept)), {}), saved);
  }
  // A kind the dialog did not offer is refused before anything is written.
  os::HeadlessFileDialog::Answer bad = save;
  bad.fileType = -1;
  EXPECT_FALSE(root_->SaveDataFile(path, 99, 0));  // not a kind the dialog offered
  std::ifstream again(path, std::ios::binary);
  const std::vector<char> now((std::istreambuf_iterator<char>(again)), {});
  EXPECT_EQ(now, saved);
  EXPECT_NE(::stat((path + ".saving").c_str(), &st), 0);
}

// A one-program file goes into the current program's place and is written
// into the synthesizer's memory there: the user is asked first, and a
// Cancel leaves both the stored program and the synthesizer untouched.
TEST_F(RootLayer, LoadingOneProgramAsksBeforeReplacingTheStoredProgram) {
  vesk::test::TempDir dir;
  ToMode(eMode_ProgEdit);
  const Oskend::SSoundIndex cur = h_.synth()->GetCurSound(true);
  Oskend::IBank* bank = h_.synth()->GetAllSounds(3)->GetAt(cur.bank);
  ASSERT_NE(bank, nullptr);
  Oskend::ISound* stored = bank->GetAt(cur.number);
  ASSERT_NE(stored, nullptr);
  auto bytes = [](Oskend::ISound* s) {
    std::vector<uint8_t> b(s->RawSize());
    s->RawGet(b.data(), 0, static_cast<unsigned>(b.size()));
    return b;
  };

  // The file holds the edit buffer; the stored program is made to differ.
  const std::string path = SaveThroughTheDialog(dir.path(), "one.VSKpr", 2);  // "Program (*.VSKpr)"
  struct stat st {};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  Oskend::ISoundSection* edit = h_.synth()->GetEditBuffer(3);
  std::vector<uint8_t> inFile(edit->RawSize());
  edit->RawGet(inFile.data(), 0, static_cast<unsigned>(inFile.size()));
  std::vector<uint8_t> other(inFile.size(), 0x21);
  stored->RawPut(other.data(), 0, static_cast<unsigned>(other.size()));
  ASSERT_NE(bytes(stored), inFile);

  os::HeadlessFileDialog::Answer load;
  load.action = os::FileDialog::kActionOpen;
  load.fileType = 2;
  load.selection = {path};
  auto loadIt = [&](int answer) {
    os::HeadlessAlert::Reset();
    os::HeadlessAlert::Script(answer);
    h_.device().With([](vesk::test::SimSynth& s) { s.ClearLog(); });
    os::HeadlessFileDialog::Script(load);
    root_->OpenLoadDialog();
    h_.RunFor(2000);
    h_.Idle();
  };
  auto writes = [&] {
    int n = 0;
    for (const auto& e : h_.device().Log())
      if (e.kind == vesk::test::SimSynthEvent::kWrite ||
          (e.kind == vesk::test::SimSynthEvent::kDumpReceived && !e.current))
        ++n;
    return n;
  };
  const std::string slot =
      XESynthUtils::GetBankProgNumberAsString(h_.synth(), 2, cur.bank, cur.number);

  loadIt(2);  // Cancel
  auto asked = os::HeadlessAlert::Transcript();
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].request.explanation,
            "Load Program into " + slot + "?\nThe program stored there is replaced.");
  EXPECT_EQ(asked[0].request.buttons.size(), 2u);
  EXPECT_EQ(bytes(stored), other);
  EXPECT_EQ(writes(), 0);

  loadIt(1);  // OK
  asked = os::HeadlessAlert::Transcript();
  ASSERT_EQ(asked.size(), 1u);  // the question only, no error
  EXPECT_EQ(bytes(stored), inFile);
  EXPECT_GT(writes(), 0);
}

TEST_F(RootLayer, CommandsRunOnePerTickInOrder) {
  root_->PostCommand({XECommand::kOpenListBrowser, 1, 3, 0x100});
  root_->PostCommand({7, 0, 0, 0});
  root_->PostCommand({XECommand::kOpenWriteDialog, 0, 0, 0});
  h_.Idle();
  ASSERT_EQ(root_->GetBrowserRequests().size(), 1u);
  h_.Idle();
  EXPECT_EQ(root_->GetBrowserRequests().size(), 1u);  // type 7 dropped
  h_.Idle();
  ASSERT_EQ(root_->GetBrowserRequests().size(), 2u);
  EXPECT_EQ(root_->GetBrowserRequests()[1], "write dialog");
  XECommand untouched{5, 6, 7, 8};
  EXPECT_FALSE(root_->PeekCommand(untouched));
  EXPECT_EQ(untouched.a3, 8);
}

// The effect-type switch's pause ends on an idle tick; the tick after it
// refreshes the sound browsers, once.
TEST_F(RootLayer, TheEffectSwitchPauseEndsWithOneBrowserRefresh) {
  CountingBrowsers* browsers = nullptr;
  IModalBrowsers::SetFactory([&](BackgroundLayer&) {
    auto b = std::make_unique<CountingBrowsers>();
    browsers = b.get();
    return b;
  });
  struct Unset {
    ~Unset() { IModalBrowsers::SetFactory({}); }
  } unset;
  ASSERT_NE(root_->GetModalBrowsers(), nullptr);
  ASSERT_NE(browsers, nullptr);
  os::HeadlessMenuTracker::ScriptNone();
  root_->OnHfcCtrlMouseLButtonDown(Ctl(Root::kIdFx1Type), 0, 0, 0);
  h_.Idle(50);
  EXPECT_EQ(browsers->updates, 0);
  h_.Idle(60);
  h_.Idle();
  EXPECT_EQ(browsers->updates, 1);
  h_.Idle(200);
  h_.Idle();
  EXPECT_EQ(browsers->updates, 1);
}

TEST_F(RootLayer, RenderFrontPanelInEachMode) {
  const std::string program = h_.RenderWindow("root_layer_program");
  ASSERT_FALSE(program.empty());
  ToMode(eMode_Combi);
  root_->RequestRedraw();
  h_.Idle();
  EXPECT_FALSE(h_.RenderWindow("root_layer_performance").empty());
  ToMode(eMode_Global);
  root_->RequestRedraw();
  h_.Idle();
  EXPECT_FALSE(h_.RenderWindow("root_layer_global").empty());
}

TEST_F(RootLayer, DataFileRoundTripsThroughTheDrawnFileDialog) {
  vesk::test::TempDir dir;
  std::vector<os::HeadlessWindow*> made;
  DrawnForm::SetWindowMaker([&](const DrawnForm::WindowPlacement& p) -> std::unique_ptr<os::Window> {
    auto w = os::HeadlessWindow::Create(p.width, p.height, p.x, p.y);
    made.push_back(w.get());
    return w;
  });
  os::FileDialog::SetFactory([] { return std::make_unique<DrawnFileDialog>(); });
  DrawnFileDialog::SetStartFolder(dir.path());
  auto later = [&](std::function<void()> fn) { h_.env().loop().Post(std::move(fn)); };

  // Save: the proposed name is taken with Return.
  std::vector<std::string> offered;
  later([&] {
    if (auto* d = made.empty() ? nullptr : made.back()) {
      d->WritePng(PageHarness::RenderDir() + "/root_layer_save_dialog.png");
      d->InjectKey(os::KeyEvent::Kind::kDown, 0xFF0D);
    }
  });
  root_->OpenSaveDialog();
  const std::string path = dir.path() + "/Untitled.VSKapr";
  struct stat st {};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);

  // Spoil program A 0 in the image, then load the file back: the list
  // shows "..", then the file.
  Oskend::IBank* bank = h_.synth()->GetAllSounds(3)->GetAt(0);
  ASSERT_NE(bank, nullptr);
  Oskend::ISound* sound = bank->GetAt(0);
  std::vector<uint8_t> good(sound->RawSize());
  sound->RawGet(good.data(), 0, static_cast<unsigned>(good.size()));
  std::vector<uint8_t> spoilt(good.size(), 0x11);
  sound->RawPut(spoilt.data(), 0, static_cast<unsigned>(spoilt.size()));
  std::vector<std::string> listed;
  later([&] {
    auto* d = made.back();
    d->InjectClick(os::MouseButton::kLeft, 60,
                   DrawnFileDialog::kListTop + DrawnFileDialog::kRowHeight + DrawnFileDialog::kRowHeight / 2, 0, 2);
  });
  os::HeadlessAlert::Reset();
  root_->OpenLoadDialog();
  h_.RunFor(3000);
  h_.Idle();
  const auto shown = os::HeadlessAlert::Transcript();  // the question only, answered OK
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].request.explanation, "Load All Program?\nEvery stored program is replaced.");
  std::vector<uint8_t> now(good.size());
  sound->RawGet(now.data(), 0, static_cast<unsigned>(now.size()));
  EXPECT_EQ(now, good);

  DrawnFileDialog::SetStartFolder("");
  os::FileDialog::SetFactory(nullptr);
  DrawnForm::SetWindowMaker(nullptr);
}

TEST_F(RootLayer, PanelIdsActOnlyForTheCombination) {
  ToMode(eMode_Combi);
  Oskend::ISoundSection* combi = h_.synth()->GetEditBuffer(0);
  Oskend::ISoundSection* prog = h_.synth()->GetEditBuffer(3);
  ASSERT_NE(combi, nullptr);
  ASSERT_NE(prog, nullptr);
  auto image = [&] {
    std::vector<uint8_t> b(combi->RawSize());
    combi->RawGet(b.data(), 0, static_cast<unsigned>(b.size()));
    return b;
  };
  // Id 265 of the program edit buffer is the program's own parameter.
  Oskend::ISection* progSection = nullptr;
  ASSERT_TRUE(prog->FindSectionByPID(265, &progSection));
  const std::vector<uint8_t> before = image();
  progSection->PutParamI(265, progSection->GetParamI(265) == 0 ? 1 : 0);
  h_.RunFor(100);
  h_.Idle();
  h_.Idle();
  EXPECT_EQ(image(), before);

  // The combination's 265 loads that program's master effects.
  Oskend::ISection* combiSection = nullptr;
  ASSERT_TRUE(combi->FindSectionByPID(265, &combiSection));
  combiSection->PutParamI(265, 2 * 128 + 5);
  h_.RunFor(100);
  h_.Idle();
  h_.Idle();
  const int v = combiSection->GetParamI(265);
  const auto mem = h_.device().Memory();
  const unsigned src = vesk::test::SimSynth::ProgOffset(v / 128, v % 128);
  const std::vector<uint8_t> after = image();
  for (unsigned off = 404; off < 612; ++off) EXPECT_EQ(after[off], mem[src + off]) << off;
}

// A real-time knob's edit reaches the host on the automation row of the
// parameter the knob drives now (the easy setup chooses it), with its
// begin and end; a knob whose parameter the host does not automate, or
// any knob outside a performance, reports nothing.
TEST_F(RootLayer, ARealtimeKnobsEditReachesTheHostOnTheRowOfItsParameter) {
  struct Case {
    eMode mode;
    int setup;
    int knob;
    std::vector<std::string> edits;
    std::vector<int> automated;
  } cases[] = {
      {eMode_Combi, 1, 1, {"begin 1", "end 1"}, {1}},
      {eMode_Combi, 1, 4, {"begin 4", "end 4"}, {4}},
      {eMode_Combi, 3, 1, {}, {}},
      {eMode_ProgEdit, 3, 3, {}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "mode " << c.mode << ", setup " << c.setup << ", knob " << c.knob);
    ToMode(c.mode);
    Rt()->PutParamI(0x8000, c.setup);
    h_.RunFor(100);
    h_.Idle();
    CHfcControl* knob = Ctl(Root::kIdRTKnob + c.knob);
    ASSERT_NE(knob, nullptr);
    plugin_.edits.clear();
    plugin_.automated.clear();
    root_->OnHfcCtrlBeginEdit(knob);
    root_->OnHfcCtrlIntValueChanged(knob, 10);
    root_->OnHfcCtrlEndEdit(knob);
    EXPECT_EQ(plugin_.edits, c.edits);
    EXPECT_EQ(plugin_.automated, c.automated);
  }
  // The small knobs of the effects and the EQ bracket their edits on the
  // rows they drive too; other controls begin and end no edit.
  ToMode(eMode_Combi);
  const std::pair<int, std::vector<std::string>> others[] = {
      {Root::kIdFx1Knob, {"begin 61", "end 61"}},
      {Root::kIdFx2Knob + 2, {"begin 66", "end 66"}},
      {Root::kIdEqKnob + 1, {"begin 69", "end 69"}},
      {Root::kIdTempo, {}},
  };
  for (const auto& [id, edits] : others) {
    plugin_.edits.clear();
    root_->OnHfcCtrlBeginEdit(Ctl(id));
    root_->OnHfcCtrlEndEdit(Ctl(id));
    EXPECT_EQ(plugin_.edits, edits) << id;
  }
}

TEST_F(RootLayer, PanelClicksWriteTheRealtimeSection) {
  ToMode(eMode_Combi);
  ClickControl(Root::kIdEasySetup + 2);  // CC send
  EXPECT_EQ(Rt()->GetParamI(0x8000), 3);
  EXPECT_EQ(Ctl(Root::kIdEasySetup + 2)->GetIntValue(), 1);
  EXPECT_EQ(Ctl(Root::kIdEasySetup)->GetIntValue(), 0);
  ClickControl(Root::kIdSplitType + 1);  // Main/Lower
  EXPECT_EQ(Rt()->GetParamI(0x8027), 1);
  EXPECT_EQ(root_->GetSplitType(), 1);
  EXPECT_TRUE(Ctl(Root::kIdCtrlTarget + 1)->IsEnabled());
  ClickControl(Root::kIdCtrlTarget + 1);  // Sub
  EXPECT_EQ(Rt()->GetParamI(0x8026), 1);
  h_.RunFor(100);
  h_.Idle();
  EXPECT_EQ(Ctl(Root::kIdCtrlTarget + 1)->GetIntValue(), 1);
  ClickControl(Root::kIdSplitType);  // Off: Sub is not a target
  EXPECT_EQ(Rt()->GetParamI(0x8027), 0);
  // Main is lit again, Sub dark and disabled, at once and after the refresh.
  for (int pass = 0; pass < 2; ++pass) {
    EXPECT_EQ(Ctl(Root::kIdCtrlTarget)->GetIntValue(), 1) << pass;
    EXPECT_EQ(Ctl(Root::kIdCtrlTarget + 1)->GetIntValue(), 0) << pass;
    EXPECT_FALSE(Ctl(Root::kIdCtrlTarget + 1)->IsEnabled()) << pass;
    EXPECT_EQ(root_->GetSplitType(), 0) << pass;
    h_.RunFor(100);
    h_.Idle();
    h_.Idle();
  }

  // A key of the on-screen keyboard plays the note on the global channel.
  const uint8_t ch = static_cast<uint8_t>(h_.synth()->GetGlobalChannel() & 0x0F);
  plugin_.gui.clear();
  const tagHfcRect& k = Ctl(Root::kIdKeyboard)->GetFrame();
  h_.Click(k.left + 3, k.bottom - 5);  // the lowest white key, A0
  ASSERT_GE(plugin_.gui.size(), 2u);
  EXPECT_EQ(plugin_.gui[0], std::vector<uint8_t>({uint8_t(0x90 | ch), 21, 64}));
  EXPECT_EQ(plugin_.gui[1], std::vector<uint8_t>({uint8_t(0x80 | ch), 21, 64}));
}

}  // namespace
