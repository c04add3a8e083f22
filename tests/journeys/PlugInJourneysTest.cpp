// Journeys with the plug-in in a host of its own: what a host sees of the
// plug-in while a person uses its editor.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include <algorithm>
#include <map>

#include "editor/shell/OskendBackgroundLayer.h"
#include "model/ChunkRemoteSynth.h"
#include "tests/journeys/PlugInJourney.h"

namespace vesk::journey {
namespace {

using PlugIn = PlugInJourney;

// One gesture as a host must see it: one begin, the automates, one end, all
// of one row (`row`, or the begin's when -1), in that order, on the host's
// thread that calls effEditIdle (its main thread), each automate with the
// value the host reads back inside it; the row.
int ExpectOneGesture(const std::vector<HostCall>& all, int row) {
  std::vector<HostCall> calls;
  for (const HostCall& c : all)
    if (c.opcode == PlugIn::kAutomate || c.opcode == PlugIn::kBeginEdit || c.opcode == PlugIn::kEndEdit) calls.push_back(c);
  const std::string seen = GestureText(calls);
  EXPECT_GE(calls.size(), 3u) << "the host heard of no whole gesture:" << seen;
  if (calls.size() < 3) return -1;
  EXPECT_EQ(calls.front().opcode, PlugIn::kBeginEdit) << "the gesture did not begin with BeginEdit:" << seen;
  EXPECT_EQ(calls.back().opcode, PlugIn::kEndEdit) << "the gesture did not end with EndEdit:" << seen;
  if (row < 0) row = calls.front().index;
  int automates = 0;
  for (size_t i = 0; i < calls.size(); ++i) {
    EXPECT_EQ(calls[i].index, row) << "a call of another row:" << seen;
    if (i > 0 && i + 1 < calls.size()) {
      EXPECT_EQ(calls[i].opcode, PlugIn::kAutomate) << "more than one gesture:" << seen;
    }
    automates += calls[i].opcode == PlugIn::kAutomate;
    EXPECT_EQ(calls[i].thread, "main") << "a call not on the host's thread that idles the editor:" << seen;
    if (calls[i].opcode == PlugIn::kAutomate) {
      EXPECT_EQ(calls[i].readBack, calls[i].opt) << "the host read back another value than it was told:" << seen;
    }
  }
  EXPECT_GT(automates, 0) << "no value reached the host:" << seen;
  return row;
}

bool IsParam(const SynthRecordLine& l) { return l.what == "param"; }

// The calls the host got after the first `before`, once they have stopped
// coming for a moment (the end of a gesture comes after its last value).
std::vector<HostCall> CallsAfter(const PlugInJourney& j, size_t before) {
  std::vector<HostCall> all = j.Calls();
  while (WaitUntil([&] { return j.Calls().size() > all.size(); }, 500)) all = j.Calls();
  return std::vector<HostCall>(all.begin() + static_cast<long>(std::min(before, all.size())), all.end());
}

TEST_F(PlugIn, ItsEntryMakesNoHostCallButTheVersionQueryBeforeItReturns) {
  const int status = RunEntries(20);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the host could not instantiate the plug-in";
  int versions = 0;
  for (const HostCall& c : Calls()) {
    if (c.phase != "entry") continue;
    EXPECT_EQ(c.opcode, kVersion) << "host call " << c.opcode << " from the " << c.thread
                                  << " thread before VSTPluginMain returned";
    versions += c.opcode == kVersion;
  }
  EXPECT_EQ(versions, 20) << "each entry asks the host's version once";
}

TEST_F(PlugIn, DraggingAPageKnobIsReportedToTheHostAsOneGesture) {
  ASSERT_TRUE(StartHost()) << "the host did not show the plug-in's editor";
  constexpr int kTimbre1Volume = 0x202;
  const Point at = Map().OnPage(0, 0, kTimbre1Volume);
  Drag(at, {at.x, at.y - 40});
  ExpectOneGesture(Calls(), -1);
}

// The host's rows of the timbres' volumes: row t for timbre t + 1 (0-11),
// as a host lists them ("APiano Vol(M)" first).
constexpr int kTimbre1Volume = 0x202, kTimbre1VolumeRow = 0;

TEST_F(PlugIn, TypingAValueIntoAPageKnobIsReportedToTheHostAsOneGesture) {
  ASSERT_TRUE(StartHost()) << "the host did not show the plug-in's editor";
  // A double click on the value under timbre 1's volume knob of the Play
  // page opens it for typing.
  DoubleClick(Map().ValueFieldOnPage(0, 0, kTimbre1Volume));
  // The clicks touch the knob (a begin and an end each, without a value),
  // which the host hears of at its next idle call.
  CallsAfter(*this, 0);
  const size_t from = stage_.Record().size(), before = Calls().size();
  ASSERT_TRUE(stage_.x().Type("100"));
  ASSERT_TRUE(stage_.x().Tap("Return"));
  ASSERT_TRUE(stage_.WaitForRecord([](const SynthRecordLine& l) { return l.IsParam(0, kTimbre1Volume) && l.value == 100; }, 5000, from))
      << "the typed volume did not reach the synthesizer (was it 100 already?):" << stage_.RecordTail();
  const std::vector<HostCall> calls = CallsAfter(*this, before);
  ExpectOneGesture(calls, kTimbre1VolumeRow);
  // The host is told the typed value, on its scale of 0 to 1.
  for (auto c = calls.rbegin(); c != calls.rend(); ++c)
    if (c->opcode == kAutomate) {
      EXPECT_NEAR(c->opt, 100.0 / 127.0, 1e-4) << "the host was told another value";
      break;
    }
}

// The master EQ's levels on the Play page are sliders (value bars): a drag
// along one is one gesture of its row (EQ Bass Level: row 68).
TEST_F(PlugIn, DraggingASliderIsReportedToTheHostAsOneGesture) {
  ASSERT_TRUE(StartHost()) << "the host did not show the plug-in's editor";
  constexpr int kEqBass = 0x1C05, kEqBassRow = 68;
  const Point at = Map().OnPage(0, 0, kEqBass);
  const size_t from = stage_.Record().size(), before = Calls().size();
  Drag(at, {at.x + 30, at.y});
  ASSERT_TRUE(stage_.WaitForRecord([](const SynthRecordLine& l) { return l.what == "param" && l.id == kEqBass; }, 5000, from))
      << "the slider changed nothing on the synthesizer:" << stage_.RecordTail();
  ExpectOneGesture(CallsAfter(*this, before), kEqBassRow);
}

// A drag of the first big knob while VOLUME is chosen: it changes timbre
// 1's volume on the synthesizer (timbre 7's while the controller target is
// Sub), and the host hears of it as one gesture of that volume's row.
void DragTheFirstBigKnobAsAVolume(PlugInJourney& j) {
  const size_t from = j.stage_.Record().size();
  const size_t before = j.Calls().size();
  const Point knob = j.Map().Panel(OskendBackgroundLayer::kIdRTKnob);
  j.Drag(knob, {knob.x, knob.y - 40});
  int timbre = -1;
  ASSERT_TRUE(j.stage_.WaitForRecord([&](const SynthRecordLine& l) {
    if (l.what != "param" || l.section != 0 || (l.id & 0xFF) != (kTimbre1Volume & 0xFF)) return false;
    timbre = (l.id - kTimbre1Volume) >> 8;
    return true;
  }, 5000, from)) << "the knob changed no timbre's volume on the synthesizer:" << j.stage_.RecordTail();
  ASSERT_TRUE(timbre == 0 || timbre == 6) << "the first knob drove timbre " << timbre + 1 << "'s volume";
  ExpectOneGesture(CallsAfter(j, before), kTimbre1VolumeRow + timbre);
}

// A person who finds the six big knobs of the panel at rest chooses what
// they drive first (VOLUME of the easy setup: each knob drives the volume
// of its timbre), then drags the first one.
TEST_F(PlugIn, DraggingABigPanelKnobIsReportedToTheHostAsOneGesture) {
  ASSERT_TRUE(StartHost()) << "the host did not show the plug-in's editor";
  const size_t from = stage_.Record().size();
  Click(Map().Panel(OskendBackgroundLayer::kIdEasySetup), true);
  ASSERT_TRUE(stage_.WaitForRecord([](const SynthRecordLine& l) { return l.IsParam(0, 0x010b) && l.value == 1; }, 5000, from))
      << "VOLUME was not chosen:" << stage_.RecordTail();
  DragTheFirstBigKnobAsAVolume(*this);
}

// A new effect type sets the effect's parameters to the type's defaults:
// the host hears of the type as one gesture, then of each parameter that
// moved with it (MFX2's time, level and feedback: rows 65-67), so that it
// holds no value the plug-in no longer has.
TEST_F(PlugIn, AnEffectTypeChosenInTheEffectBrowserIsReportedToTheHostAsOneGesture) {
  ASSERT_TRUE(StartHost()) << "the host did not show the plug-in's editor";
  constexpr int kMfxPage = 2, kMfx2Type = 0x1801, kMfx2TypeRow = 64;
  Click(Map().MainTab(0, kMfxPage), true);
  const Point type = Map().OpenPicker(eMode_Combi, 0, kMfxPage, kMfx2Type);
  Click(type, true);
  // The browser shows over the page (its rows and OK from the map's own).
  const Point row = Map().PickerRow(3), ok = Map().PickerOk();
  const size_t from = stage_.Record().size();
  const size_t before = Calls().size();
  Click(row, true);
  Click(ok);
  ASSERT_TRUE(stage_.WaitForRecord(IsParam, 5000, from)) << "the chosen type did not reach the synthesizer (was it the type already?)";
  WaitUntil([&] { return Calls().size() > before; }, 3000);
  const std::vector<HostCall> calls = CallsAfter(*this, before);
  // Each row's calls apart, the type's first.
  std::map<int, std::vector<HostCall>> byRow;
  int first = -1;
  for (const HostCall& c : calls) {
    if (c.opcode != kAutomate && c.opcode != kBeginEdit && c.opcode != kEndEdit) continue;
    if (first < 0) first = c.index;
    byRow[c.index].push_back(c);
  }
  EXPECT_EQ(first, kMfx2TypeRow) << "the host did not hear of the type first:" << GestureText(calls);
  ExpectOneGesture(byRow[kMfx2TypeRow], kMfx2TypeRow);
  for (const auto& [index, its] : byRow) {
    if (index == kMfx2TypeRow) continue;
    EXPECT_TRUE(index >= 65 && index <= 67) << "row " << index << " does not move with MFX2's type:" << GestureText(calls);
    ExpectOneGesture(its, index);
  }
}

// What the plug-in tells the host on its own, the edits of its editor and
// a new sound that makes the host read every parameter again, reaches the
// host on the thread that idles the editor, never on one of the plug-in's.
TEST_F(PlugIn, EveryCallThePlugInMakesReachesTheHostOnTheThreadThatIdlesItsEditor) {
  ASSERT_TRUE(StartHost()) << "the host did not show the plug-in's editor";
  const size_t before = Calls().size();
  const Point at = Map().OnPage(0, 0, kTimbre1Volume);
  Drag(at, {at.x, at.y - 40});
  // The next performance (the panel's up arrow).
  Click(Map().Panel(OskendBackgroundLayer::kIdProgUp), true);
  auto made = [&](int opcode) {
    const std::vector<HostCall> all = Calls();
    return std::count_if(all.begin() + static_cast<long>(std::min(before, all.size())), all.end(),
                         [&](const HostCall& c) { return c.opcode == opcode; });
  };
  ASSERT_TRUE(WaitUntil([&] { return made(kUpdateDisplay) > 0; }, 5000))
      << "the host was not asked to read the parameters again after the sound changed";
  EXPECT_GT(made(kAutomate), 0) << "the drag reached the host as no value";
  for (const HostCall& c : CallsAfter(*this, before)) {
    if (c.opcode != kAutomate && c.opcode != kBeginEdit && c.opcode != kEndEdit && c.opcode != kUpdateDisplay &&
        c.opcode != kVendorSpecific)
      continue;
    EXPECT_EQ(c.thread, "main") << "host call " << c.opcode << " (row " << c.index << ") came on the " << c.thread
                                << " thread, not the one that idles the editor";
    if (c.opcode == kAutomate) {
      EXPECT_EQ(c.readBack, c.opt) << "row " << c.index << " read back another value than the host was told";
    }
  }
}

// The synthesizer is switched off, so its stored ports are missing and the
// plug-in asks whether to rescan. A host that closes the plug-in meanwhile
// gets effClose back at once, the question ended, and no call from the
// plug-in while it closes (which TearDown checks of every journey).
TEST_F(PlugIn, ClosingThePlugInWhileItAsksAboutTheSynthesizerReturnsAtOnce) {
  stage_.StorePreferences({"s MIDIInName=Vesk:out", "s MIDIOutName=Vesk:in"});
  ASSERT_TRUE(StartHostAlone()) << "the host did not show the plug-in's editor";
  ASSERT_TRUE(WaitForQuestion(30000)) << "the plug-in did not ask about the missing synthesizer:" << stage_.ScreenList();
  const size_t lines = HostLines();
  const int status = EndHost(10000);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
      << "the host did not close the plug-in and end in order (status " << status << "):\n" << HostErrors();
  const long long took = WaitForHostLine("close", 1000, lines);
  ASSERT_GE(took, 0) << "effClose never returned";
  // Room for a sanitizer build on a loaded machine.
  EXPECT_LT(took, 2000) << "effClose took " << took << " ms";
}

// A session saved with the synthesizer on (and a performance edited) is
// opened again with it off: the host restores the plug-in's chunk while the
// plug-in asks about the missing synthesizer. effSetChunk returns at once;
// once the synthesizer is switched on (with its own memory again) and the
// rescan found it, the connection sends it the restored state: the edited
// performance.
TEST_F(PlugIn, AChunkRestoredWhileThePlugInAsksReachesTheSynthesizerOnceItIsConnected) {
  using L = Oskend::RemoteSynthLayout;
  auto editBuffer = [](const std::vector<uint8_t>& memory) {
    if (memory.size() < L::kCombiEditBuffer + L::kCombiSize) return std::vector<uint8_t>();
    return std::vector<uint8_t>(memory.begin() + L::kCombiEditBuffer, memory.begin() + L::kCombiEditBuffer + L::kCombiSize);
  };
  ASSERT_TRUE(StartHost()) << "the host did not show the plug-in's editor";
  size_t from = stage_.Record().size();
  const Point at = Map().OnPage(0, 0, kTimbre1Volume);
  Drag(at, {at.x, at.y - 40});
  ASSERT_TRUE(stage_.WaitForRecord(IsParam, 5000, from)) << "the edit did not reach the synthesizer";
  CallsAfter(*this, 0);
  const std::vector<uint8_t> saved = editBuffer(stage_.SynthMemory());
  ASSERT_FALSE(saved.empty()) << "the synthesizer did not write its memory";
  size_t lines = HostLines();
  SignalHost(SIGUSR1);
  long long bytes = 0;
  ASSERT_GE(WaitForHostLine("getchunk", 10000, lines, &bytes), 0) << "the host saved no chunk";
  ASSERT_GT(bytes, 0);
  const int ended = EndHost(10000);
  ASSERT_TRUE(WIFEXITED(ended) && WEXITSTATUS(ended) == 0) << "the first session did not end in order";
  stage_.StopSynth();

  ASSERT_TRUE(StartHostAlone()) << "the host did not show the plug-in's editor";
  ASSERT_TRUE(WaitForQuestion(30000)) << "the plug-in did not ask about the missing synthesizer:" << stage_.ScreenList();
  lines = HostLines();
  SignalHost(SIGUSR2);
  long long result = -1;
  const long long took = WaitForHostLine("setchunk", 5000, lines, &result);
  ASSERT_GE(took, 0) << "effSetChunk did not return while the question was open";
  EXPECT_LT(took, 1000) << "effSetChunk took " << took << " ms";
  EXPECT_EQ(result, 1) << "the plug-in refused its own chunk";

  ASSERT_TRUE(stage_.StartSynth());
  ASSERT_NE(editBuffer(stage_.SynthMemory()), saved) << "the synthesizer switched on holds the edited performance";
  from = stage_.Record().size();
  ASSERT_TRUE(AnswerQuestion(true, 5000)) << "the question could not be answered:" << stage_.ScreenList();
  EXPECT_TRUE(stage_.WaitForRecord([](const SynthRecordLine& l) { return l.what == "dump"; }, 30000, from))
      << "the connection sent the synthesizer nothing:" << stage_.RecordTail();
  ASSERT_TRUE(WaitUntil([&] { return PlugInWindows().empty(); }, 30000))
      << "a window of the plug-in stayed open:" << stage_.ScreenList();
  EXPECT_TRUE(WaitUntil([&] { return editBuffer(stage_.SynthMemory()) == saved; }, 10000))
      << "the synthesizer does not hold the performance of the restored chunk";
}

// The synthesizer goes away while the plug-in runs, and the host restores a
// performance (a preset chunk of the edited performance) meanwhile. Once
// the synthesizer is back and the edits are kept with OK, it gets that
// performance as a host's performance reaches it while connected: played
// and put in its place, and written into its memory nowhere; its other
// stored sounds stay its own.
TEST_F(PlugIn, APerformanceRestoredWhileTheSynthesizerWasAwayIsNotWrittenIntoItsMemory) {
  using L = Oskend::RemoteSynthLayout;
  const auto part = [](const std::vector<uint8_t>& memory, size_t at, size_t size) {
    if (memory.size() < at + size) return std::vector<uint8_t>();
    return std::vector<uint8_t>(memory.begin() + static_cast<long>(at), memory.begin() + static_cast<long>(at + size));
  };
  ASSERT_TRUE(StartHost({"--preset", "1"})) << "the host did not show the plug-in's editor";
  const std::vector<uint8_t> held = stage_.SynthMemory();
  ASSERT_FALSE(held.empty()) << "the synthesizer did not write its memory";
  size_t from = stage_.Record().size();
  const Point at = Map().OnPage(0, 0, kTimbre1Volume);
  Drag(at, {at.x, at.y - 40});
  ASSERT_TRUE(stage_.WaitForRecord(IsParam, 5000, from)) << "the edit did not reach the synthesizer";
  CallsAfter(*this, 0);
  const std::vector<uint8_t> edited = part(stage_.SynthMemory(), L::kCombiEditBuffer, L::kCombiSize);
  ASSERT_NE(edited, part(held, L::kCombis, L::kCombiSize)) << "the edit did not change the performance";
  size_t lines = HostLines();
  SignalHost(SIGUSR1);
  ASSERT_GE(WaitForHostLine("getchunk", 10000, lines), 0) << "the host saved no preset";

  // The plug-in has noticed once its logo greys.
  const Point logo = Map().Panel(OskendBackgroundLayer::kIdLogo);
  const auto window = HostWindow();
  const os::XDisplayDriver::Rect logoArea{window.x + logo.x - 20, window.y + logo.y - 10, 40, 20};
  const auto linked = stage_.SettledOnScreen(logoArea, 5000);
  stage_.StopSynth();
  ASSERT_TRUE(WaitUntil([&] { return stage_.x().Grab(logoArea).pixels != linked.pixels; }, 10000))
      << "the lost synthesizer was not noticed";
  lines = HostLines();
  SignalHost(SIGUSR2);
  long long result = -1;
  ASSERT_GE(WaitForHostLine("setchunk", 5000, lines, &result), 0) << "the host could not restore the preset";
  EXPECT_EQ(result, 1) << "the plug-in refused its own preset";

  from = stage_.Record().size();
  ASSERT_TRUE(stage_.StartSynth());
  ASSERT_TRUE(AnswerQuestion(true, 30000)) << "no question about the performance restored while the synthesizer was away:"
                                           << stage_.RecordTail() << "\non the screen:" << stage_.ScreenList();
  ASSERT_TRUE(WaitUntil([&] { return PlugInWindows().empty(); }, 30000))
      << "a window of the plug-in stayed open:" << stage_.ScreenList();
  EXPECT_TRUE(WaitUntil([&] { return part(stage_.SynthMemory(), L::kCombis, L::kCombiSize) == edited; }, 10000))
      << "the synthesizer's performance does not hold the restored one; it received:" << stage_.RecordTail();
  const std::vector<uint8_t> now = stage_.SynthMemory();
  EXPECT_EQ(part(now, L::kCombiEditBuffer, L::kCombiSize), edited) << "the synthesizer does not play the restored performance";
  const auto record = stage_.Record();
  for (size_t i = from; i < record.size(); ++i)
    EXPECT_TRUE(record[i].what != "write" && record[i].what != "store")
        << "the synthesizer was told to write into its memory: " << record[i].what << " " << ::testing::PrintToString(record[i].words);
  EXPECT_EQ(part(now, L::kProgBanks, L::kProgBanksSize), part(held, L::kProgBanks, L::kProgBanksSize))
      << "the synthesizer's stored programs changed";
  EXPECT_EQ(part(now, L::kCombis + L::kCombiSize, L::kCombisSize - L::kCombiSize),
            part(held, L::kCombis + L::kCombiSize, L::kCombisSize - L::kCombiSize))
      << "the synthesizer's other stored performances changed";
}

// The last value a list of calls automated (-1 without one).
double LastValue(const std::vector<HostCall>& calls) {
  double last = -1;
  for (const HostCall& c : calls)
    if (c.opcode == PlugIn::kAutomate) last = c.opt;
  return last;
}

// Each row's calls apart (begin, automate and end only), in the order of
// the rows' first calls.
std::vector<std::pair<int, std::vector<HostCall>>> ByRow(const std::vector<HostCall>& calls) {
  std::vector<std::pair<int, std::vector<HostCall>>> rows;
  for (const HostCall& c : calls) {
    if (c.opcode != PlugIn::kAutomate && c.opcode != PlugIn::kBeginEdit && c.opcode != PlugIn::kEndEdit) continue;
    auto row = std::find_if(rows.begin(), rows.end(), [&](const auto& r) { return r.first == c.index; });
    if (row == rows.end()) row = rows.insert(rows.end(), {c.index, {}});
    row->second.push_back(c);
  }
  return rows;
}

// A type previewed in the effect browser and given up with Cancel: the host
// hears of the preview (Plate), then of the return to the type the browser
// opened with (Delay) as one gesture of the type's row whose value is
// Delay's, followed by the parameters that move back with it, each as a
// gesture of its own; so a host recording automation ends on Delay.
TEST_F(PlugIn, CancelInTheEffectBrowserIsReportedToTheHostAsTheReturnToTheOpeningType) {
  ASSERT_TRUE(StartHost()) << "the host did not show the plug-in's editor";
  constexpr int kMfxPage = 2, kMfx2Type = 0x1801, kMfx2TypeRow = 64, kPlate = 2, kDelay = 4;
  // The row's values on the host's scale: type t of 0-4 is t / 4.
  constexpr double kPlateValue = 0.5, kDelayValue = 1.0;
  Click(Map().MainTab(0, kMfxPage), true);
  const Point type = Map().OpenPicker(eMode_Combi, 0, kMfxPage, kMfx2Type);
  // Delay chosen and kept first: the type the browser opens with next.
  Click(type, true);
  const Point plate = Map().PickerRow(kPlate), delay = Map().PickerRow(kDelay), ok = Map().PickerOk(),
              cancel = Map().PickerCancel();
  size_t from = stage_.Record().size();
  Click(delay, true);
  Click(ok, true);
  ASSERT_TRUE(stage_.WaitForRecord(IsParam, 5000, from)) << "Delay did not reach the synthesizer (was it the type already?)";
  CallsAfter(*this, 0);
  // Plate previewed, then Cancel.
  Click(type, true);
  size_t before = Calls().size();
  from = stage_.Record().size();
  Click(plate, true);
  ASSERT_TRUE(stage_.WaitForRecord(IsParam, 5000, from)) << "the preview did not reach the synthesizer";
  ASSERT_TRUE(WaitUntil([&] { return Calls().size() > before; }, 3000)) << "the host heard nothing of the preview";
  const std::vector<HostCall> preview = CallsAfter(*this, before);
  const auto previewRows = ByRow(preview);
  ASSERT_FALSE(previewRows.empty());
  ASSERT_EQ(previewRows.front().first, kMfx2TypeRow) << GestureText(preview);
  ExpectOneGesture(previewRows.front().second, kMfx2TypeRow);
  ASSERT_NEAR(LastValue(previewRows.front().second), kPlateValue, 1e-4) << "the preview was not Plate:" << GestureText(preview);
  before = Calls().size();
  Click(cancel);
  ASSERT_TRUE(WaitUntil([&] { return Calls().size() > before; }, 5000)) << "the host heard nothing of the return to Delay";
  const std::vector<HostCall> back = CallsAfter(*this, before);
  const auto rows = ByRow(back);
  ASSERT_FALSE(rows.empty()) << GestureText(back);
  EXPECT_EQ(rows.front().first, kMfx2TypeRow) << "the host did not hear of the type first:" << GestureText(back);
  for (const auto& [index, its] : rows) {
    ExpectOneGesture(its, index);
    if (index != kMfx2TypeRow) {
      EXPECT_TRUE(index >= 65 && index <= 67) << "row " << index << " does not move with MFX2's type:" << GestureText(back);
      continue;
    }
    // The type's last value is the one the browser opened with.
    EXPECT_NEAR(LastValue(its), kDelayValue, 1e-4) << "the host was left on another type:" << GestureText(back);
  }
  // The rows that moved with the preview are the ones that move back.
  std::vector<int> moved, returned;
  for (const auto& r : previewRows) moved.push_back(r.first);
  for (const auto& r : rows) returned.push_back(r.first);
  EXPECT_EQ(returned, moved) << "preview:" << GestureText(preview) << "\nreturn:" << GestureText(back);
}

// A session saved with VOLUME chosen for the six big knobs and reopened in
// a new instance of the plug-in: VOLUME is still chosen, so a drag of the
// first big knob changes a timbre's volume on the synthesizer and the host
// hears of it as one gesture.
TEST_F(PlugIn, AReopenedSessionKeepsVolumeForTheBigKnobs) {
  const std::string session = stage_.files().File("session.chunk");
  ASSERT_TRUE(StartHost({"--save-chunk", session})) << "the host did not show the plug-in's editor";
  const size_t from = stage_.Record().size();
  Click(Map().Panel(OskendBackgroundLayer::kIdEasySetup), true);
  ASSERT_TRUE(stage_.WaitForRecord([](const SynthRecordLine& l) { return l.IsParam(0, 0x010b) && l.value == 1; }, 5000, from))
      << "VOLUME was not chosen:" << stage_.RecordTail();
  ASSERT_TRUE(StopHost()) << "the host did not save the session and end in order";
  ASSERT_TRUE(StartHost({"--load-chunk", session})) << "the host did not reopen the session and show the editor:" << HostErrors();
  DragTheFirstBigKnobAsAVolume(*this);
}

}  // namespace
}  // namespace vesk::journey
