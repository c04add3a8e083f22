// Journeys with `Vesk Editor`: what a person does with the real program and
// the simulated synthesizer, and what they would see or hear come of it.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "editor/controls/DrawnProgressWindow.h"
#include "editor/shell/OskendBackgroundLayer.h"
#include "model/CDirtyFlagSet.h"
#include "model/ChunkGlobal.h"
#include "model/ChunkRemoteSynth.h"
#include "remote/Persist.h"
#include "tests/journeys/EditorJourney.h"
#include "tests/support/simsynth/SimSynth.h"

namespace vesk::journey {
namespace {

using Journey = EditorJourney;

constexpr int kPageTop = EditorJourney::kPageTop, kPageBottom = EditorJourney::kPageBottom;

// A click on the performance strip's second tab shows another page, and a
// click on a key of the on-screen keyboard plays a note on the synthesizer:
// the window takes clicks.
void ExpectTheWindowTakesClicks(EditorJourney& j) {
  WindowMap& map = j.Map();
  const int width = j.View().width;
  const EditorJourney::Picture before = j.Shot(0, kPageTop, width, kPageBottom - kPageTop);
  j.Click(map.MainTab(0, 1));
  EXPECT_TRUE(j.WaitForChange(before, 0, kPageTop, width, kPageBottom - kPageTop, 5000))
      << "the page stayed as it was after a click on the second tab";
  const size_t from = j.Received().size();
  j.Click(map.WhiteKey(30));
  EXPECT_TRUE(j.WaitForNote(from, 5000)) << "no note reached the synthesizer";
}

TEST_F(Journey, ClickingATabShowsItsPageAndAKeyOfTheKeyboardSoundsOnTheSynthesizer) {
  ASSERT_NO_FATAL_FAILURE(StartConnected());
  ExpectTheWindowTakesClicks(*this);
}

// However Settings is closed, the window takes clicks again: its tabs
// switch pages and its keyboard plays.
TEST_F(Journey, ClosingSettingsWithCancelOkOrItsCloseBoxLeavesTheWindowWorking) {
  ASSERT_NO_FATAL_FAILURE(StartConnected());
  for (const std::string how : {"Cancel", "OK", "close box"}) {
    SCOPED_TRACE("Settings closed with " + how);
    ASSERT_TRUE(ChooseMenu("Audio", "Settings...")) << "the Audio menu did not open; on the screen:" << stage_.ScreenList();
    os::XDisplayDriver::TopWindow settings;
    ASSERT_TRUE(WaitUntil([&] { return FindWindowSized(WindowMap::SettingsWidth(), WindowMap::SettingsHeight(), &settings); }, 5000))
        << "no Settings window";
    if (how == "close box") {
      stage_.x().CloseBox(settings.id);
    } else {
      const Point b = WindowMap::SettingsButton(how);
      stage_.x().Click(settings.rect.x + b.x, settings.rect.y + b.y);
    }
    EXPECT_TRUE(WaitUntil([&] { return !FindWindowSized(WindowMap::SettingsWidth(), WindowMap::SettingsHeight(), &settings); }, 5000))
        << "the Settings window stayed open";
  }
  ExpectTheWindowTakesClicks(*this);
}

// A settings file cut short: at start the program says why in words and
// keeps its defaults, and its alert closes as every alert does, with a
// click on OK and (started again) with Return, also after the plug-in's
// progress window of the connection came and went over it; the window
// then takes clicks.
TEST_F(Journey, TheStartUpAlertAboutAShortSettingsFileClosesWithOkAndWithReturn) {
  stage_.StoreSettingsFile(std::string(5000, '\0'));
  ASSERT_TRUE(stage_.StartSynth()) << "the simulated synthesizer did not start";
  for (const std::string how : {"OK", "Return"}) {
    SCOPED_TRACE("the alert answered with " + how);
    stage_.StopEditor();
    const size_t from = Received().size();
    ASSERT_TRUE(StartEditor()) << "no editor window; on the screen:" << stage_.ScreenList() << "\n" << stage_.EditorErrors();
    // Answered once the connection is done and the alert is all that is
    // left over the window: a person answers what they see.
    ASSERT_TRUE(WaitForReceived([](const SynthRecordLine& l) { return l.what == "request-current"; }, 20000, from))
        << "the editor did not connect; it received:" << stage_.RecordTail();
    TopWindow alert;
    ASSERT_TRUE(WaitUntil([&] {
      const auto others = OtherWindows();
      if (others.size() != 1 || others[0].name != "Vesk Editor") return false;
      alert = others[0];
      return true;
    }, 15000)) << "not the alert alone over the window:" << stage_.ScreenList();
    const std::string said = stage_.EditorErrors();
    EXPECT_NE(said.find("The settings file could not be read. Default settings are used. "
                        "The file is shorter than a settings file."),
              std::string::npos) << said;
    EXPECT_EQ(said.find(" is not"), std::string::npos) << said;
    if (how == "OK") {
      EXPECT_TRUE(stage_.Answer(alert, true)) << "a click on OK left the alert open";
    } else {
      SettledOnScreen(alert.rect, 3000);
      Key("Return");
      EXPECT_TRUE(WaitForWindowGone(alert, 5000)) << "Return left the alert open";
    }
    ASSERT_TRUE(WaitForOnlyTheEditorWindow(5000)) << "a window stayed open:" << stage_.ScreenList();
  }
  ExpectTheWindowTakesClicks(*this);
}

// Whether the lines from `from` on hold one of each wanted line (its kind
// and words, as the record writes them).
bool HoldsAll(const std::vector<SynthRecordLine>& lines, size_t from, const std::vector<std::string>& wanted) {
  for (const std::string& w : wanted) {
    bool found = false;
    for (size_t i = from; i < lines.size() && !found; ++i) {
      std::string text = lines[i].what;
      for (const auto& word : lines[i].words) text += " " + word;
      found = text == w;
    }
    if (!found) return false;
  }
  return true;
}

// A stretch of the synthesizer's memory.
struct Stretch {
  size_t at, size;
};
using L = Oskend::RemoteSynthLayout;
const std::vector<Stretch> kWholeMemory{{0, Oskend::CHUNK_REMOTESYNTH::kSize}};

// The bytes of those stretches at which two images of the synthesizer's
// memory differ (the first few, "offset:a->b") and how many there are.
std::string MemoryDifferences(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b, size_t* count,
                              const std::vector<Stretch>& stretches = kWholeMemory) {
  std::string where;
  *count = 0;
  for (const Stretch& s : stretches)
    for (size_t i = s.at; i < std::min({s.at + s.size, a.size(), b.size()}); ++i)
      // (The editor writes its own byte into the global block's scratch
      // place before it sends the block.)
      if (a[i] != b[i] && i != Oskend::CHUNK_GLOBAL::kSendScratch && ++*count <= 8)
        where += " " + std::to_string(i) + ":" + std::to_string(a[i]) + "->" + std::to_string(b[i]);
  return where;
}

TEST_F(Journey, ReceiveAllThenTransmitAllGiveTheSynthesizerBackItsWholeMemory) {
  ASSERT_NO_FATAL_FAILURE(StartConnected());
  const std::vector<uint8_t> held = stage_.SynthMemory();
  ASSERT_FALSE(held.empty()) << "the synthesizer did not write its memory";

  size_t from = Received().size();
  ASSERT_TRUE(ChooseUtility("Receive All")) << "the UTILITY menu did not open";
  ASSERT_TRUE(AcceptQuestion(5000)) << "no question before Receive All, or it stayed:" << stage_.ScreenList();
  const std::vector<std::string> requests{"request global 0 0", "request program-bank 0 -1", "request program-bank 3 -1",
                                          "request combinations 0 -1"};
  EXPECT_TRUE(WaitUntil([&] { return HoldsAll(Received(), from, requests); }, 15000))
      << "Receive All did not ask for the whole memory; the synthesizer received:" << stage_.RecordTail();
  ASSERT_TRUE(WaitForOnlyTheEditorWindow(15000)) << "a window stayed open after Receive All:" << stage_.ScreenList();

  from = Received().size();
  ASSERT_TRUE(ChooseUtility("Transmit All")) << "the UTILITY menu did not open:" << stage_.ScreenList();
  ASSERT_TRUE(AcceptQuestion(5000)) << "no question before Transmit All";
  const std::vector<std::string> dumps{"dump global 0 0 0", "dump program-bank 0 -1 0", "dump program-bank 1 -1 0",
                                       "dump program-bank 2 -1 0", "dump program-bank 3 -1 0", "dump combinations 0 -1 0"};
  EXPECT_TRUE(WaitUntil([&] { return HoldsAll(Received(), from, dumps); }, 20000))
      << "Transmit All did not send the whole memory; the synthesizer received:" << stage_.RecordTail();
  ASSERT_TRUE(WaitForOnlyTheEditorWindow(15000)) << "a window stayed open after Transmit All:" << stage_.ScreenList();
  const std::vector<uint8_t> now = stage_.SynthMemory();
  ASSERT_EQ(now.size(), held.size());
  size_t differ = 0;
  const std::string where = MemoryDifferences(held, now, &differ);
  EXPECT_EQ(differ, 0u) << "bytes of the synthesizer's memory changed by the round trip (offset:before->after):" << where;
}

// A drag up on timbre 1's volume knob of the performance Play page; the
// knob's place.
Point DragTimbre1Volume(EditorJourney& j) {
  constexpr int kTimbre1Volume = 0x202;
  const Point at = j.Map().OnPage(0, 0, kTimbre1Volume);
  j.Drag(at, {at.x, at.y - 30});
  return at;
}
bool IsParam(const SynthRecordLine& l) { return l.what == "param"; }

// The stored synthesizer is missing at start and the question is declined;
// switched on afterwards, it is connected and synchronised, and takes edits.
TEST_F(Journey, ASynthesizerSwitchedOnAfterTheProgramStartedIsConnectedAndTakesEdits) {
  StoreSynthesizerPorts();
  ASSERT_TRUE(StartEditor()) << "no editor window";
  ASSERT_TRUE(CancelQuestion(20000)) << "the program did not ask about the missing synthesizer";
  ASSERT_TRUE(stage_.StartSynth());
  EXPECT_TRUE(WaitForReceived([](const SynthRecordLine& l) { return l.what == "request-current"; }, 20000))
      << "the synthesizer switched on was not taken up; it received:" << stage_.RecordTail();
  ASSERT_TRUE(WaitForOnlyTheEditorWindow(15000)) << "a window stayed open:" << stage_.ScreenList();
  const size_t from = Received().size();
  DragTimbre1Volume(*this);
  EXPECT_TRUE(WaitForReceived(IsParam, 5000, from)) << "the edit did not reach the synthesizer";
}

// After the synthesizer restarts with its own memory, the page shows what it
// holds again, not the edit made before.
TEST_F(Journey, ASynthesizerThatRestartsIsShownWithItsOwnValuesAgain) {
  ASSERT_NO_FATAL_FAILURE(StartConnected());
  constexpr int kTop = 150, kHeight = 60;  // timbre 1's row of the Play page
  const int width = View().width;
  const Picture held = Shot(0, kTop, width, kHeight);
  const size_t from = Received().size();
  DragTimbre1Volume(*this);
  ASSERT_TRUE(WaitForReceived(IsParam, 5000, from)) << "the edit did not reach the synthesizer";
  ASSERT_TRUE(WaitForChange(held, 0, kTop, width, kHeight, 5000)) << "the edit did not show";
  stage_.StopSynth();
  const size_t restart = Received().size();
  ASSERT_TRUE(stage_.StartSynth());
  EXPECT_TRUE(WaitForReceived([](const SynthRecordLine& l) { return l.what == "request-current"; }, 20000, restart))
      << "the restarted synthesizer was not asked what it holds; it received:" << stage_.RecordTail();
  EXPECT_TRUE(WaitUntil([&] { return Shot(0, kTop, width, kHeight).pixels == held.pixels; }, 10000))
      << "the page still shows the edit the restarted synthesizer does not hold";
}

// The synthesizer restarts (in performance mode, on its first sound and
// timbre) while the editor shows a program reached from the sixth timbre,
// then while it shows another performance: each time, taken up again, it
// plays the sound the editor showed, and the display still shows that
// sound's number and name, and the page its values.
TEST_F(Journey, ASynthesizerThatRestartsPlaysTheSoundTheEditorShowsInEveryMode) {
  ASSERT_NO_FATAL_FAILURE(StartConnected());
  Settled(0, 0, View().width, View().height);
  struct Shown {
    std::string how;
    eMode mode;
    std::function<void()> choose;
  };
  const std::vector<Shown> shown{
      {"a program reached from the sixth timbre", eMode_ProgEdit,
       [&] {
         const size_t from = Received().size();
         Click(Map().Panel(OskendBackgroundLayer::kIdModeSwitch + 1));
         Click(Map().Panel(OskendBackgroundLayer::kIdRTSwitch + 5));
         EXPECT_TRUE(WaitForReceived([](const SynthRecordLine& l) { return l.IsParam(l.section, 0x010a) && l.value == 5; }, 5000, from))
             << "the choice of the sixth timbre did not reach the synthesizer";
         EXPECT_TRUE(WaitForReceived([](const SynthRecordLine& l) { return l.what == "mode" && l.words == std::vector<std::string>{"3"}; }, 5000, from))
             << "no program mode";
       }},
      {"another performance", eMode_Combi,
       [&] {
         const size_t from = Received().size();
         Click(Map().Panel(OskendBackgroundLayer::kIdModeSwitch));
         EXPECT_TRUE(WaitForReceived([](const SynthRecordLine& l) { return l.what == "mode" && l.words == std::vector<std::string>{"0"}; }, 5000, from))
             << "no performance mode";
         ASSERT_TRUE(WaitForOnlyTheEditorWindow(10000));
         Map().ToMode(eMode_Combi);
         Settled(0, 0, View().width, View().height);
         const size_t chosen = Received().size();
         Click(Map().Panel(OskendBackgroundLayer::kIdProgUp));
         EXPECT_TRUE(WaitForReceived([](const SynthRecordLine& l) { return l.what == "program"; }, 5000, chosen))
             << "the next performance was not chosen";
       }},
  };
  for (const Shown& s : shown) {
    SCOPED_TRACE(s.how);
    s.choose();
    ASSERT_FALSE(HasFatalFailure());
    ASSERT_TRUE(WaitForOnlyTheEditorWindow(10000));
    Map().ToMode(s.mode);
    const Point number = Map().Panel(OskendBackgroundLayer::kIdProgNumber);
    const Point name = Map().Panel(OskendBackgroundLayer::kIdSoundName);
    auto numberShown = [&] { return Settled(number.x - 20, number.y - 6, 40, 12); };
    auto nameShown = [&] { return Settled(name.x - 60, name.y - 6, 120, 12); };
    const Picture numberBefore = numberShown(), nameBefore = nameShown(), pageBefore = SettledPage();
    // What the instrument plays: the edit buffer of the mode.
    const bool program = s.mode != eMode_Combi;
    const size_t at = program ? L::kProgEditBuffer : L::kCombiEditBuffer;
    const size_t size = program ? L::kProgSize : L::kCombiSize;
    const std::vector<uint8_t> before = stage_.SynthMemory();
    ASSERT_FALSE(before.empty());
    const std::vector<uint8_t> played(before.begin() + at, before.begin() + at + size);

    stage_.StopSynth();
    const size_t restart = Received().size();
    ASSERT_TRUE(stage_.StartSynth());
    ASSERT_TRUE(WaitForReceived([](const SynthRecordLine& l) { return l.what == "request-current" && l.words == std::vector<std::string>{"combination"}; }, 30000, restart))
        << "the restarted synthesizer was not asked what it holds; it received:" << stage_.RecordTail();
    ASSERT_TRUE(WaitForOnlyTheEditorWindow(15000)) << "a window stayed open:" << stage_.ScreenList();
    EXPECT_TRUE(WaitUntil([&] { return numberShown().pixels == numberBefore.pixels && nameShown().pixels == nameBefore.pixels; }, 10000))
        << "the display no longer shows the sound it showed before the restart";
    EXPECT_TRUE(WaitUntil([&] { return SettledPage().pixels == pageBefore.pixels; }, 5000))
        << "the page no longer shows the values it showed before the restart";
    const std::vector<uint8_t> after = stage_.SynthMemory();
    ASSERT_FALSE(after.empty());
    EXPECT_TRUE(std::equal(played.begin(), played.end(), after.begin() + at))
        << "the restarted synthesizer plays another sound than the one the editor shows; it received:" << stage_.RecordTail(40);
  }
}

// An edit made while the synthesizer is switched off is not overwritten
// unasked when it comes back: the editor asks which side to keep. Kept (the
// default answer), the edit stays on the page and reaches the synthesizer,
// whose stored sounds stay as they were; given up, the page shows the
// synthesizer's own values and nothing is sent to it.
TEST_F(Journey, ASynthesizerThatRestartsAfterAnEditMadeWhileItWasAwayAsksWhichSideToKeep) {
  ASSERT_NO_FATAL_FAILURE(StartConnected());
  constexpr int kTop = 150, kHeight = 60;  // timbre 1's row of the Play page
  const int width = View().width;
  const Picture own = Settled(0, kTop, width, kHeight);
  const std::vector<uint8_t> memory = stage_.SynthMemory();
  ASSERT_FALSE(memory.empty());
  const Point logo = Map().Panel(OskendBackgroundLayer::kIdLogo);
  const std::vector<Stretch> stored{{L::kProgBanks, L::kProgBanksSize}, {L::kCombis, L::kCombisSize}};
  for (const bool keep : {true, false}) {
    SCOPED_TRACE(keep ? "the edit kept" : "the edit given up");
    const Picture linked = Settled(logo.x - 20, logo.y - 10, 40, 20);
    stage_.StopSynth();
    // The editor has noticed once its logo greys.
    ASSERT_TRUE(WaitForChange(linked, logo.x - 20, logo.y - 10, 40, 20, 10000)) << "the lost synthesizer was not noticed";
    const Picture before = Settled(0, kTop, width, kHeight);
    DragTimbre1Volume(*this);
    ASSERT_TRUE(WaitForChange(before, 0, kTop, width, kHeight, 5000)) << "the edit did not show";
    const Picture edited = Settled(0, kTop, width, kHeight);
    const size_t restart = Received().size();
    ASSERT_TRUE(stage_.StartSynth());
    // (The connection's progress window, which may show first, has one line
    // of words; the question has several.)
    const auto isQuestion = [](const TopWindow& w) { return w.rect.height > DrawnProgressWindow::kHeight; };
    ASSERT_TRUE(AnswerQuestion(keep, 30000, isQuestion))
        << "no question about the edit made while the synthesizer was away; it received:" << stage_.RecordTail()
        << "\non the screen:" << stage_.ScreenList();
    ASSERT_TRUE(WaitForReceived([](const SynthRecordLine& l) { return l.what == "request-current" && l.words == std::vector<std::string>{"combination"}; }, 30000, restart))
        << "the synthesizer was not asked what it holds; it received:" << stage_.RecordTail();
    ASSERT_TRUE(WaitForOnlyTheEditorWindow(15000)) << "a window stayed open:" << stage_.ScreenList();
    const auto dumped = [&] {
      const auto lines = Received();
      return std::any_of(lines.begin() + static_cast<std::ptrdiff_t>(restart), lines.end(),
                         [](const SynthRecordLine& l) { return l.what == "dump"; });
    };
    if (keep) {
      EXPECT_TRUE(WaitUntil([&] { return Shot(0, kTop, width, kHeight).pixels == edited.pixels; }, 10000))
          << "the page no longer shows the edit that was kept";
      EXPECT_TRUE(WaitForReceived([](const SynthRecordLine& l) { return l.what == "dump" && l.words == std::vector<std::string>{"combination", "0", "0", "1"}; }, 10000, restart))
          << "the edit kept was not sent; the synthesizer received:" << stage_.RecordTail();
      const std::vector<uint8_t> now = stage_.SynthMemory();
      ASSERT_FALSE(now.empty());
      size_t differ = 0;
      MemoryDifferences(memory, now, &differ, {{L::kCombiEditBuffer, L::kCombiSize}});
      EXPECT_NE(differ, 0u) << "the synthesizer's performance does not hold the edit";
      const std::string where = MemoryDifferences(memory, now, &differ, stored);
      EXPECT_EQ(differ, 0u) << "stored sounds of the synthesizer changed (offset:before->after):" << where;
      const auto lines = Received();
      EXPECT_TRUE(std::none_of(lines.begin() + static_cast<std::ptrdiff_t>(restart), lines.end(),
                               [](const SynthRecordLine& l) { return l.what == "write" || l.what == "store"; }))
          << "the synthesizer was told to write into its memory:" << stage_.RecordTail();
    } else {
      EXPECT_TRUE(WaitUntil([&] { return Shot(0, kTop, width, kHeight).pixels == own.pixels; }, 10000))
          << "the page does not show the synthesizer's own values";
      EXPECT_FALSE(dumped()) << "the editor sent data after its edit was given up:" << stage_.RecordTail();
    }
  }
}

// A kind of data file, as a person saves one and loads it back.
struct FileKind {
  std::string description;  // in the dialogs' type pop-up
  std::string name;         // the name the person gives the file
  Oskend::FTYPE type;
  std::vector<Stretch> held;  // what it holds of the instrument's memory
  std::vector<std::string> sent;  // what loading it sends
};

// The memory a data file holds (the rest zeros), read as the program reads
// it; empty when the file is not one of that kind.
std::vector<uint8_t> MemoryInFile(const std::string& path, Oskend::FTYPE type) {
  std::vector<uint8_t> bytes(Oskend::CHUNK_REMOTESYNTH::kSize);
  Oskend::PERSISTPARAMS params;
  params.image = Oskend::CHUNK_REMOTESYNTH(bytes.data());
  CDirtyFlagSet dirty;
  try {
    if (!Oskend::PersistLoadStream(path.c_str(), 0, &params, dirty) || params.type != type) return {};
  } catch (...) {
    return {};
  }
  return bytes;
}

// The names a folder lists, but for hidden ones.
std::vector<std::string> VisibleNames(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(folder))
    if (e.path().filename().string()[0] != '.') names.push_back(e.path().filename().string());
  return names;
}

// Opens a file dialog through the UTILITY menu and chooses its kind of file
// in the type pop-up; the dialog.
os::XDisplayDriver::TopWindow OpenFileDialog(EditorJourney& j, const std::string& item, const std::string& title,
                                             const FileKind& kind) {
  os::XDisplayDriver::TopWindow dialog;
  EXPECT_TRUE(j.ChooseUtility(item)) << "the UTILITY menu did not open";
  if (!j.WaitForWindowNamed(title, &dialog, 5000)) {
    ADD_FAILURE() << "no " << title << " dialog:" << j.stage_.ScreenList();
    return dialog;
  }
  const Point popUp = WindowMap::FileDialogTypePopUp();
  EXPECT_TRUE(j.PopUpAndChoose(dialog.rect.x + popUp.x, dialog.rect.y + popUp.y, j.Map().FileDialogType(kind.description)))
      << "the type pop-up of " << title << " did not open";
  return dialog;
}

// Saves a file of that kind under its name, makes an edit that the file
// does not hold, and loads the file back: the synthesizer then holds what
// the file holds, which is what it held when the file was saved, and the
// page no longer shows the edit.
void ExpectSavingAndLoadingBackGivesTheSynthesizerTheFilesMemory(EditorJourney& j, const FileKind& kind) {
  ASSERT_NO_FATAL_FAILURE(j.StartConnected());
  const std::vector<uint8_t> held = j.stage_.SynthMemory();
  ASSERT_FALSE(held.empty()) << "the synthesizer did not write its memory";
  const std::string home = j.stage_.files().File("home");

  // Save...: the dialog proposes "Untitled" and the kind's extension in the
  // home folder; the person types a name of their own.
  os::XDisplayDriver::TopWindow dialog = OpenFileDialog(j, "Save...", "Save Data File", kind);
  ASSERT_FALSE(::testing::Test::HasFailure());
  const std::string proposed = "Untitled" + kind.name.substr(kind.name.find('.'));
  for (size_t i = 0; i < proposed.size(); ++i) j.Key("BackSpace");
  ASSERT_TRUE(j.stage_.x().Type(kind.name));
  j.ClickIn(dialog, WindowMap::FileDialogButton("OK"));
  ASSERT_TRUE(j.WaitForWindowGone(dialog, 5000)) << "the Save Data File dialog stayed open";
  // (The program writes the file beside it first, then puts it in place.)
  EXPECT_TRUE(WaitUntil([&] { return VisibleNames(home) == std::vector<std::string>{kind.name}; }, 5000))
      << "no file saved under the typed name alone in the home folder";
  const std::vector<uint8_t> inFile = MemoryInFile(home + "/" + kind.name, kind.type);
  ASSERT_FALSE(inFile.empty()) << "the saved file is not of the kind chosen";
  size_t differ = 0;
  std::string where = MemoryDifferences(held, inFile, &differ, kind.held);
  EXPECT_EQ(differ, 0u) << "the file does not hold the synthesizer's memory (offset:synthesizer->file):" << where;

  // An edit after saving: neither the synthesizer nor the program holds
  // the file's memory any more.
  constexpr int kTop = 150, kHeight = 60;  // timbre 1's row of the Play page
  const int width = j.View().width;
  // (Where the dialog was is drawn again after it goes.)
  const EditorJourney::Picture saved = j.Settled(0, kTop, width, kHeight, 5000, 1000);
  const size_t from = j.Received().size();
  DragTimbre1Volume(j);
  ASSERT_TRUE(j.WaitForReceived(IsParam, 5000, from)) << "the edit did not reach the synthesizer";
  ASSERT_TRUE(j.WaitForChange(saved, 0, kTop, width, kHeight, 5000)) << "the edit did not show";
  MemoryDifferences(inFile, j.stage_.SynthMemory(), &differ, kind.held);
  ASSERT_NE(differ, 0u) << "the edit left the synthesizer's memory as the file holds it";

  // Load...: the file chosen in the list (under "..": the home folder
  // holds nothing else to show), OK, and the question answered.
  dialog = OpenFileDialog(j, "Load...", "Load Data File", kind);
  ASSERT_FALSE(::testing::Test::HasFailure());
  j.ClickIn(dialog, WindowMap::FileDialogRow(1));
  j.ClickIn(dialog, WindowMap::FileDialogButton("OK"));
  ASSERT_TRUE(j.WaitForWindowGone(dialog, 5000)) << "the Load Data File dialog stayed open (was the file listed?)";
  const size_t load = j.Received().size();
  ASSERT_TRUE(j.AcceptQuestion(5000)) << "no question before loading:" << j.stage_.ScreenList();
  EXPECT_TRUE(WaitUntil([&] { return HoldsAll(j.Received(), load, kind.sent); }, 20000))
      << "the file was not sent to the synthesizer; it received:" << j.stage_.RecordTail();
  ASSERT_TRUE(j.WaitForOnlyTheEditorWindow(20000)) << "a window stayed open after loading:" << j.stage_.ScreenList();
  where = MemoryDifferences(inFile, j.stage_.SynthMemory(), &differ, kind.held);
  EXPECT_EQ(differ, 0u) << "the synthesizer's memory is not the file's (offset:file->synthesizer):" << where;
  EXPECT_TRUE(WaitUntil([&] { return j.Shot(0, kTop, width, kHeight).pixels == saved.pixels; }, 10000))
      << "the page still shows the edit the loaded file does not hold";
}

TEST_F(Journey, SavingThePerformanceToAFileAndLoadingItBackGivesTheSynthesizerTheFilesPerformance) {
  // The performance edited (its edit buffer); loading it stores it too.
  ExpectSavingAndLoadingBackGivesTheSynthesizerTheFilesMemory(
      *this, {"Performance (*.VSKpf)", "Evening.VSKpf", Oskend::FTYPE::Combi, {{L::kCombiEditBuffer, L::kCombiSize}},
              {"dump combination 0 0 1", "dump combination 0 0 0"}});
}

// The performances, the program banks, the performance edit buffer and the
// global block. (The file holds the current performance too: the program's
// record of it, which the instrument keeps in no memory.)
const FileKind kAllData{"All Data (*.VSKall)", "Evening.VSKall", Oskend::FTYPE::All,
                        {{L::kCombis, L::kCombisSize}, {L::kProgBanks, L::kProgBanksSize},
                         {L::kCombiEditBuffer, L::kCombiSize}, {L::kGlobal, L::kProgBanks - L::kGlobal}},
                        {"dump global 0 0 0", "dump program-bank 0 -1 0", "dump program-bank 3 -1 0",
                         "dump combinations 0 -1 0"}};

TEST_F(Journey, SavingAllDataToAFileAndLoadingItBackGivesTheSynthesizerTheFilesMemory) {
  ExpectSavingAndLoadingBackGivesTheSynthesizerTheFilesMemory(*this, kAllData);
}

// On an asynchronous JACK server, as most people's and the ones hosts start
// are, the synthesizer's process cycle runs 60 ms late once in each whole
// transfer, in the middle of its last dump, the performances (some 879 KB
// into the journey, in Transmit All, and 1.8 MB, in Load All Data). The
// server runs its missed cycles back to back, the synthesizer reads a block
// twice, and it refuses the dump, or takes it with wrong bytes when a block
// went missing as well. The dump goes again, and both transfers end with
// the synthesizer holding every bank. A second late cycle during the dump
// sent again ends the transfer in words, rightly; so the late cycle falls
// in the shortest dump that a bank file carries whole (half a second at
// this server's cycle) rather than in a program bank (four seconds), and
// the server's cycle lasts 21 ms, four times the usual, since with 5 ms
// this machine runs a client late by itself every few seconds.
class LateSynthesizerJourney : public EditorJourney {
 protected:
  void SetUp() override {
    stage_.SetServerMode({.synchronous = false, .periodFrames = 1024});
    stage_.MakeSynthLate(60, {879'000, 1'804'000});
    EditorJourney::SetUp();
  }

  // Chosen, asked and answered; then every dump of the whole memory reaches
  // the synthesizer and no window but the editor's stays.
  void TransmitAll() {
    const size_t from = Received().size();
    ASSERT_TRUE(ChooseUtility("Transmit All")) << "the UTILITY menu did not open:" << stage_.ScreenList();
    ASSERT_TRUE(AcceptQuestion(5000)) << "no question before Transmit All";
    EXPECT_TRUE(WaitUntil([&] { return HoldsAll(Received(), from, kWholeMemoryDumps); }, 60000))
        << "Transmit All did not send the whole memory; the synthesizer received:" << stage_.RecordTail();
    ASSERT_TRUE(WaitForOnlyTheEditorWindow(15000))
        << "a window stayed open after Transmit All:" << stage_.ScreenList() << stage_.EditorErrors();
    ExpectThePerformancesWentTwice(from);
  }

  // The late cycle met the transfer: the performances reached the
  // synthesizer twice, refused or taken the first time.
  void ExpectThePerformancesWentTwice(size_t from) {
    int sent = 0;
    const auto lines = Received();
    for (size_t i = from; i < lines.size(); ++i)
      if ((lines[i].what == "dump" || lines[i].what == "refused") && !lines[i].words.empty() &&
          lines[i].words[0] == "combinations")
        ++sent;
    EXPECT_EQ(sent, 2) << "the late cycle did not fall in the performances' dump; the synthesizer received:"
                       << stage_.RecordTail();
  }

  const std::vector<std::string> kWholeMemoryDumps{
      "dump global 0 0 0",        "dump program-bank 0 -1 0", "dump program-bank 1 -1 0",
      "dump program-bank 2 -1 0", "dump program-bank 3 -1 0", "dump combinations 0 -1 0"};
};

TEST_F(LateSynthesizerJourney, TransmitAllAndLoadAllDataLeaveEveryBankInTheSynthesizer) {
  ASSERT_NO_FATAL_FAILURE(StartConnected());
  const std::vector<uint8_t> held = stage_.SynthMemory();
  ASSERT_FALSE(held.empty()) << "the synthesizer did not write its memory";
  ASSERT_NO_FATAL_FAILURE(TransmitAll());
  size_t differ = 0;
  std::string where = MemoryDifferences(held, stage_.SynthMemory(), &differ);
  EXPECT_EQ(differ, 0u) << "bytes of the synthesizer's memory changed by Transmit All (offset:before->after):" << where;

  // A data file with another instrument's banks and performances, loaded.
  vesk::test::SimSynth other;
  other.FillPattern(77);
  other.ShapeAsInstrument();
  std::vector<uint8_t> image = held;
  std::copy(other.Memory().begin() + L::kProgBanks, other.Memory().begin() + L::kCombis + L::kCombisSize,
            image.begin() + L::kProgBanks);
  Oskend::PERSISTPARAMS params;
  params.type = Oskend::FTYPE::All;
  params.image = Oskend::CHUNK_REMOTESYNTH(image.data());
  ASSERT_TRUE(Oskend::PersistSaveStream((stage_.files().File("home") + "/" + kAllData.name).c_str(), 0, &params));
  const os::XDisplayDriver::TopWindow dialog = OpenFileDialog(*this, "Load...", "Load Data File", kAllData);
  ASSERT_FALSE(HasFailure());
  ClickIn(dialog, WindowMap::FileDialogRow(1));
  ClickIn(dialog, WindowMap::FileDialogButton("OK"));
  ASSERT_TRUE(WaitForWindowGone(dialog, 5000)) << "the Load Data File dialog stayed open (was the file listed?)";
  const size_t load = Received().size();
  ASSERT_TRUE(AcceptQuestion(5000)) << "no question before loading:" << stage_.ScreenList();
  EXPECT_TRUE(WaitUntil([&] { return HoldsAll(Received(), load, kWholeMemoryDumps); }, 60000))
      << "the file was not sent to the synthesizer; it received:" << stage_.RecordTail();
  ASSERT_TRUE(WaitForOnlyTheEditorWindow(20000)) << "a window stayed open after loading:" << stage_.ScreenList()
                                                 << stage_.EditorErrors();
  ExpectThePerformancesWentTwice(load);
  where = MemoryDifferences(image, stage_.SynthMemory(), &differ,
                            {{L::kProgBanks, L::kProgBanksSize}, {L::kCombis, L::kCombisSize}});
  EXPECT_EQ(differ, 0u) << "the synthesizer's banks are not the file's (offset:file->synthesizer):" << where;
}

// While the start-up question is open, a tab click changes no page and the
// UTILITY menu (with its Receive All) does not open.
TEST_F(Journey, WhileTheStartUpQuestionIsOpenTheWindowTakesNoClicksAndNoSecondQuestionOpens) {
  StoreSynthesizerPorts();
  ASSERT_TRUE(StartEditor()) << "no editor window";
  ASSERT_TRUE(WaitUntil([&] { return !OtherWindows().empty(); }, 20000)) << "no start-up question";
  const auto question = OtherWindows();
  const int width = View().width;
  // On a loaded machine the page may be drawn only after the question is
  // up: its first drawing is no answer to a click.
  ASSERT_TRUE(WaitForPageDrawn(10000)) << "the page was never drawn";
  const Picture page = SettledPage();
  Click(Map().MainTab(0, 1));
  // What must not come: a bounded look for a change.
  EXPECT_FALSE(WaitForChange(page, 0, kPageTop, width, kPageBottom - kPageTop, 1500))
      << "a tab switched the page behind the question";
  stage_.x().Click(View().x + Map().Panel(OskendBackgroundLayer::kIdUtility).x,
                   View().y + Map().Panel(OskendBackgroundLayer::kIdUtility).y);
  EXPECT_FALSE(WaitUntil([&] { return OtherWindows().size() > question.size(); }, 1500))
      << "a second window opened over the question:" << stage_.ScreenList();
}

// What Lock Window or Unlock Window does to the page the person is on.
void ExpectTheWindowCommandKeepsThePage(EditorJourney& j, const std::string& command) {
  // From the Play page, whatever the page is now, to MFX.
  j.Click(j.Map().MainTab(0, 0));
  const int width = j.View().width;
  const EditorJourney::Picture start = j.SettledPage();
  j.Click(j.Map().MainTab(0, 2));
  ASSERT_TRUE(j.WaitForChange(start, 0, kPageTop, width, kPageBottom - kPageTop, 5000)) << "the MFX tab did not open";
  const EditorJourney::Picture mfx = j.SettledPage();
  const auto view = j.ViewWindows();
  ASSERT_TRUE(j.ChooseMenu("Window", command)) << "the Window menu did not open";
  ASSERT_TRUE(j.WaitForOnlyTheEditorWindow(5000));
  // The command makes the view anew (when the lock changes).
  WaitUntil([&] { return j.ViewWindows() != view; }, 3000);
  ASSERT_TRUE(WaitUntil([&] {
    const auto p = j.Shot(0, kPageTop, width, kPageBottom - kPageTop).pixels;
    return std::any_of(p.begin(), p.end(), [](uint32_t c) { return c != 0; });
  }, 5000)) << "the new view was never drawn";
  EXPECT_EQ(j.SettledPage().pixels, mfx.pixels) << command << " left the MFX page";
}

TEST_F(Journey, LockWindowAndUnlockWindowKeepThePageThePersonIsOn) {
  ASSERT_NO_FATAL_FAILURE(StartConnected());
  ASSERT_NO_FATAL_FAILURE(ExpectTheWindowCommandKeepsThePage(*this, "Lock Window"));
  ASSERT_NO_FATAL_FAILURE(ExpectTheWindowCommandKeepsThePage(*this, "Unlock Window"));
}

// A performance chosen in the sound browser plays at once, without being
// loaded into the editor; the display, refreshed meanwhile, names the
// performance whose number it shows: during the audition the name it shows
// after OK, not the one it showed before. (The open browser shades the
// window: the names are compared with a browser open each time.)
TEST_F(Journey, TheDisplayNamesThePerformanceAuditionedInTheSoundBrowser) {
  ASSERT_NO_FATAL_FAILURE(StartConnected());
  const Point number = Map().Panel(OskendBackgroundLayer::kIdProgNumber);
  const Point name = Map().Panel(OskendBackgroundLayer::kIdSoundName);
  auto numberShown = [&] { return Settled(number.x - 20, number.y - 6, 40, 12); };
  auto nameShown = [&] { return Settled(name.x - 60, name.y - 6, 120, 12); };
  const Point browser = Map().OpenSoundBrowser();
  auto openBrowser = [&] {
    const Picture whole = ShotView();
    Click(browser);
    EXPECT_TRUE(WaitForChange(whole, 0, 0, View().width, View().height, 5000)) << "no sound browser";
    Settled(0, 0, View().width, View().height);
  };
  openBrowser();
  const Picture numberBefore = numberShown(), nameBefore = nameShown();
  const size_t from = Received().size();
  Click(Map().PickerRow(7));
  ASSERT_TRUE(WaitForReceived([](const SynthRecordLine& l) { return l.what == "program"; }, 5000, from))
      << "the chosen performance did not play:" << stage_.RecordTail();
  // The display follows at its next refresh.
  ASSERT_TRUE(WaitUntil([&] { return numberShown().pixels != numberBefore.pixels; }, 5000))
      << "the display did not show the chosen performance's number";
  const Picture during = nameShown();
  EXPECT_NE(during.pixels, nameBefore.pixels) << "the display kept the name of the performance before";

  Click(Map().PickerOk());
  ASSERT_TRUE(WaitForOnlyTheEditorWindow(10000)) << "a window stayed open:" << stage_.ScreenList();
  openBrowser();
  EXPECT_EQ(during.pixels, nameShown().pixels)
      << "during the audition the display named another performance than after OK";
  Click(Map().PickerCancel());
  EXPECT_TRUE(WaitForOnlyTheEditorWindow(10000)) << "the sound browser stayed open:" << stage_.ScreenList();
}

// PROG, then a timbre switch while the switches flash: program mode edits
// that timbre's program (its name on the display) and its insert effect
// (the fourth timbre has none, and its page says so).
TEST_F(Journey, ProgramModeFollowsTheTimbreChosenAfterProg) {
  ASSERT_NO_FATAL_FAILURE(StartConnected());
  // The current performance taken in and shown (which timbres play, so
  // which switches may be chosen) before the first PROG.
  Settled(0, 0, View().width, View().height);
  constexpr int kIfxPage = 7;
  struct Seen {
    Picture name, ifx;
  };
  // The display's name and the insert effect page of program mode as they
  // stand after PROG and the choice of timbre switch `timbre` (0-based).
  auto afterChoosing = [&](int timbre) {
    Seen seen;
    const size_t from = Received().size();
    Click(Map().Panel(OskendBackgroundLayer::kIdModeSwitch + 1));
    Click(Map().Panel(OskendBackgroundLayer::kIdRTSwitch + timbre));
    EXPECT_TRUE(WaitForReceived([&](const SynthRecordLine& l) { return l.IsParam(l.section, 0x010a) && l.value == timbre; }, 5000, from))
        << "the choice of timbre " << timbre + 1 << " did not reach the synthesizer";
    EXPECT_TRUE(WaitForReceived([](const SynthRecordLine& l) { return l.what == "mode"; }, 5000, from)) << "no mode change";
    EXPECT_TRUE(WaitForOnlyTheEditorWindow(10000));
    Map().ToMode(eMode_ProgEdit);
    const Point name = Map().Panel(OskendBackgroundLayer::kIdSoundName);
    seen.name = Settled(name.x - 60, name.y - 6, 120, 12);
    Click(Map().MainTab(1, kIfxPage));
    seen.ifx = SettledPage();
    // Back to performance mode for the next choice.
    Click(Map().Panel(OskendBackgroundLayer::kIdModeSwitch));
    Map().ToMode(eMode_Combi);
    EXPECT_TRUE(WaitForReceived([](const SynthRecordLine& l) { return l.what == "mode" && l.words == std::vector<std::string>{"0"}; }, 5000, from));
    EXPECT_TRUE(WaitForOnlyTheEditorWindow(10000));
    return seen;
  };
  const Seen first = afterChoosing(0);
  const Seen second = afterChoosing(1);
  const Seen fourth = afterChoosing(3);
  // Timbres 1 and 2 play different programs, each shown by its own name.
  EXPECT_NE(first.name.pixels, second.name.pixels) << "timbre 2's program shows timbre 1's name";
  // Timbres 1 and 2 have an insert effect, timbre 4 none: their pages differ.
  EXPECT_NE(first.ifx.pixels, fourth.ifx.pixels) << "timbre 1's insert effect page shows what timbre 4's does";
  EXPECT_NE(second.ifx.pixels, fourth.ifx.pixels) << "timbre 2's insert effect page shows what timbre 4's does";
}

// A timbre switched on again takes its program's insert effect and sends,
// on the screen and in the synthesizer alike: Receive Current Performance
// afterwards leaves the screen as it was, and the synthesizer holds the
// program's sends for the timbre.
TEST_F(Journey, ATimbreSwitchedOnAgreesWithTheSynthesizerAfterReceiveCurrentPerformance) {
  ASSERT_NO_FATAL_FAILURE(StartConnected());
  constexpr int kTimbre = 2, kSwitch = 0x22B + 0x100 * kTimbre, kSend1 = 0x236 + 0x100 * kTimbre;
  constexpr size_t kCombiEdit = 783512, kTimbreRecord = kCombiEdit + 628 + 44 * kTimbre;
  // The row's insert effect and sends (not its switch, which shows on and
  // off by itself).
  const Point send1 = Map().OnPage(0, 0, kSend1);
  auto effects = [&] { return Settled(send1.x - 180, send1.y - 20, 250, 40); };
  const Picture before = effects();
  auto toggle = [&](int value) {
    const size_t from = Received().size();
    Click(Map().OnPage(0, 0, kSwitch));
    return WaitForReceived([&](const SynthRecordLine& l) { return l.IsParam(0, kSwitch) && l.value == value; }, 5000, from);
  };
  ASSERT_TRUE(toggle(0)) << "timbre 3 was not switched off";
  ASSERT_TRUE(toggle(1)) << "timbre 3 was not switched on";
  const Picture on = effects();
  EXPECT_NE(on.pixels, before.pixels) << "switched on, timbre 3 kept its insert effect and sends";

  const size_t from = Received().size();
  ASSERT_TRUE(ChooseUtility("Receive Current Performance")) << "the UTILITY menu did not open";
  ASSERT_TRUE(AcceptQuestion(5000)) << "no question before Receive Current Performance";
  EXPECT_TRUE(WaitForReceived([](const SynthRecordLine& l) { return l.what == "request-current"; }, 5000, from))
      << "the current performance was not asked for:" << stage_.RecordTail();
  ASSERT_TRUE(WaitForOnlyTheEditorWindow(10000));
  EXPECT_EQ(effects().pixels, on.pixels) << "what came back from the synthesizer is not what the screen showed";

  const std::vector<uint8_t> memory = stage_.SynthMemory();
  ASSERT_FALSE(memory.empty());
  const int program = (memory[kTimbreRecord + 1] << 7) | (memory[kTimbreRecord] & 0x7F);
  const size_t stored = 1736 + size_t(program) * 1472;
  EXPECT_EQ(memory[kTimbreRecord + 15], memory[stored + 94]) << "send 1";
  EXPECT_EQ(memory[kTimbreRecord + 16], memory[stored + 95]) << "send 2";
}

}  // namespace
}  // namespace vesk::journey
