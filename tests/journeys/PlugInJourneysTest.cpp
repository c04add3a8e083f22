// Journeys with the plug-in in a host of its own: what a host sees of the
// plug-in while a person uses its editor.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <map>

#include "editor/shell/OskendBackgroundLayer.h"
#include "tests/journeys/PlugInJourney.h"

namespace vesk::journey {
namespace {

using PlugIn = PlugInJourney;

// One gesture as a host must see it: one begin, the automates, one end, all
// of one row (`row`, or the begin's when -1), in that order; the row.
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
  ASSERT_TRUE(StartHost({"--load-chunk", session})) << "the host did not reopen the session and show the editor";
  DragTheFirstBigKnobAsAVolume(*this);
}

}  // namespace
}  // namespace vesk::journey
