// The sound browser against the simulated synthesizer: filters and lists
// over the program banks, audition while choosing, and the shared model's
// life across openings.
#include <gtest/gtest.h>

#include <X11/keysym.h>

#include <string>
#include <utility>
#include <vector>

#include "editor/browsers/SmallBlueBrowserLayer.h"
#include "editor/controls/CMMPCtrlList.h"
#include "editor/controls/XEDropdownList.h"
#include "editor/shell/ModalLayer.h"
#include "hfc/CHfcCtrlListItem.h"
#include "hfc/CHfcCtrlSwitch.h"
#include "model/ChunkRemoteSynth.h"
#include "os/Clock.h"
#include "tests/editor/browsers/BrowserTestKit.h"

namespace {

using namespace browsertest;

// A sound as bank and number, and the sound of a list line.
std::pair<int, int> Sound(const Oskend::SSoundIndex& s) { return {s.bank, s.number}; }
std::pair<int, int> ItemSoundAt(CMMPCtrlList* list, int line) {
  const int v = browserkit::ItemValue(list->GetItem(line));
  return {(v >> 8) & 0xFF, v & 0xFF};
}

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
  // (once the pause after the first program change is over)
  b.Idle(BlueBrowserData::kSoundPauseMs);
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

// What the instrument plays now: bank and number of its last program
// change.
std::pair<int, int> Playing(PageHarness& h) {
  std::pair<int, int> p;
  h.device().With([&](vesk::test::SimSynth& s) { p = {s.CurrentBank(), s.CurrentProgram()}; });
  return p;
}

std::vector<std::pair<int, int>> ProgramChanges(PageHarness& h) {
  std::vector<std::pair<int, int>> out;
  for (const auto& e : h.device().Log())
    if (e.kind == vesk::test::SimSynthEvent::kProgramChange) out.push_back({e.bank, e.number});
  return out;
}

// The edit buffer of the sound mode (performance or program) and, for a
// sound index, the stored sound it is loaded from.
struct SoundBytes {
  size_t edit, size;
  size_t Stored(const Oskend::SSoundIndex& s) const {
    using L = Oskend::RemoteSynthLayout;
    return size == L::kCombiSize ? L::kCombis + s.number * L::kCombiSize
                                 : L::kProgBanks + (s.bank * 128 + s.number) * L::kProgSize;
  }
};

std::vector<uint8_t> Bytes(PageHarness& h, size_t offset, size_t size) {
  const uint8_t* img = h.model().GetRawChunk().data();
  return std::vector<uint8_t>(img + offset, img + offset + size);
}

Oskend::SSoundIndex ItemSound(CMMPCtrlList* list, int cell) {
  const int v = browserkit::ItemValue(list->GetItem(cell));
  return {static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v)};
}

// The browser opens with nothing chosen: no line selected, OK off and
// dark, Cancel live. A click on OK then does nothing (the sound keeps its
// edits, nothing is sent). A choice selects its line, in view, and lights OK.
TEST(SoundBrowser, ItOpensWithOkOffUntilALineIsChosen) {
  for (int mode : {0, 2}) {
    SCOPED_TRACE(mode);
    Bench b(mode);
    const Oskend::SSoundIndex before = b.h.synth()->GetCurSound(true);
    Oskend::ISoundSection* edit = b.h.synth()->GetEditBuffer(mode == 0 ? 0 : 3);
    const int kNameId = static_cast<int>(0xFFFF0000u);
    edit->PutParamS(kNameId, "Edited Not Written");
    b.h.RunFor(50);
    b.h.device().With([](vesk::test::SimSynth& s) { s.ClearLog(); });
    ASSERT_TRUE(b.opener.OpenBlueBrowser(-1));
    b.Idle();
    auto* page = b.Page<SmallBlueBrowserLayer>();
    CMMPCtrlList* list = page->GetList();
    EXPECT_EQ(list->GetSelectedItemIndex(), -1);
    EXPECT_FALSE(page->GetOkSwitch()->IsEnabled());
    EXPECT_EQ(page->GetOkSwitch()->GetIntValue(), 0);
    EXPECT_TRUE(page->GetCancelSwitch()->IsEnabled());
    EXPECT_EQ(page->GetCancelSwitch()->GetIntValue(), 1);

    b.ClickControl(BlueBrowserBase::kOkId);
    b.Idle(300);
    EXPECT_TRUE(b.opener.IsOpen());
    EXPECT_EQ(Sound(b.h.synth()->GetCurSound(true)), Sound(before));
    EXPECT_EQ(edit->GetParamS(kNameId).substr(0, 18), "Edited Not Written");
    EXPECT_TRUE(ProgramChanges(b.h).empty());

    const int line = list->GetNumItems() - 1;
    list->SelectCell(line, 0);
    b.Idle();
    EXPECT_EQ(list->GetSelectedItemIndex(), line);
    EXPECT_EQ(Sound(b.h.synth()->GetCurSound(true)), ItemSoundAt(list, line));
    EXPECT_GE(line, list->GetTopLine());
    EXPECT_LT(line, list->GetTopLine() + 25);
    EXPECT_TRUE(page->GetOkSwitch()->IsEnabled());
    EXPECT_EQ(page->GetOkSwitch()->GetIntValue(), 1);
    b.ClickControl(BlueBrowserBase::kCancelId);
    b.Idle(300);
    EXPECT_FALSE(b.opener.IsOpen());
  }
}

// In every mode of the instrument: OK keeps the sound chosen last, on the
// instrument and in the model, which stays in its mode; Escape gives back
// the one before, edit buffer and all. In program edit the audition takes
// the instrument to program play and back: what it answers to that must
// neither end the audition nor let the program follow the performance's
// timbre.
TEST(SoundBrowser, OkKeepsTheAuditionedSoundAndEscapeCancels) {
  using L = Oskend::RemoteSynthLayout;
  struct Case {
    int mode;          // asked of the instrument before browsing
    int modelMode;     // what the model then reports
    int cells[3];      // list lines to choose from: two are taken
    SoundBytes bytes;  // the sound mode's edit buffer
  } cases[] = {
      {0, 0, {12, 13, 5}, {L::kCombiEditBuffer, L::kCombiSize}},
      {1, 1, {12, 13, 5}, {L::kCombiEditBuffer, L::kCombiSize}},
      // Program play is program mode to the model.
      {2, 3, {133, 134, 300}, {L::kProgEditBuffer, L::kProgSize}},
      {3, 3, {133, 134, 300}, {L::kProgEditBuffer, L::kProgSize}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("mode " + std::to_string(c.mode));
    Bench b(c.mode);
    ASSERT_EQ(b.h.synth()->GetMode(), c.modelMode);
    const Oskend::SSoundIndex before = b.h.synth()->GetCurSound(true);
    ASSERT_TRUE(b.opener.OpenBlueBrowser(-1));
    b.Idle();
    auto* page = b.Page<SmallBlueBrowserLayer>();
    // Two lines that are not the current sound.
    std::vector<int> cells;
    for (int cell : c.cells) {
      const Oskend::SSoundIndex s = ItemSound(page->GetList(), cell);
      if (s.bank != before.bank || s.number != before.number) cells.push_back(cell);
    }
    ASSERT_GE(cells.size(), 2u);
    const Oskend::SSoundIndex chosen = ItemSound(page->GetList(), cells[0]);
    const Oskend::SSoundIndex other = ItemSound(page->GetList(), cells[1]);

    page->GetList()->SelectCell(cells[0], 0);
    b.Idle(50);
    ASSERT_TRUE(b.h.synth()->GetAuditionState());
    ASSERT_EQ(Playing(b.h), std::make_pair(int(chosen.bank), int(chosen.number)));
    b.h.device().With([](vesk::test::SimSynth& s) { s.ClearLog(); });
    b.ClickControl(BlueBrowserBase::kOkId);
    b.Idle(300);
    EXPECT_FALSE(b.opener.IsOpen());
    EXPECT_FALSE(b.h.synth()->GetAuditionState());
    // Kept: the instrument still plays it, nothing sent it back to the one
    // before, and the model agrees, edit buffer and all.
    EXPECT_EQ(Playing(b.h), std::make_pair(int(chosen.bank), int(chosen.number)));
    for (const auto& pc : ProgramChanges(b.h))
      EXPECT_EQ(pc, std::make_pair(int(chosen.bank), int(chosen.number)));
    for (const auto& e : b.h.device().Log())
      EXPECT_NE(e.kind, vesk::test::SimSynthEvent::kDumpReceived) << "restored edit buffer";
    EXPECT_EQ(b.h.synth()->GetCurSound(true).bank, chosen.bank);
    EXPECT_EQ(b.h.synth()->GetCurSound(true).number, chosen.number);
    EXPECT_EQ(b.h.synth()->GetMode(), c.modelMode);
    EXPECT_EQ(Bytes(b.h, c.bytes.edit, c.bytes.size),
              Bytes(b.h, c.bytes.Stored(chosen), c.bytes.size));
    // A little later too: nothing the instrument answered is followed
    // after the audition.
    b.Idle(3000);
    EXPECT_EQ(b.h.synth()->GetCurSound(true).number, chosen.number);
    EXPECT_EQ(b.h.synth()->GetMode(), c.modelMode);

    // Escape on the keyboard cancels: back to the kept sound, byte for byte.
    const std::vector<uint8_t> kept = Bytes(b.h, c.bytes.edit, c.bytes.size);
    ASSERT_TRUE(b.opener.OpenBlueBrowser(-1));
    b.Idle();
    page = b.Page<SmallBlueBrowserLayer>();
    page->GetList()->SelectCell(cells[1], 0);
    b.Idle(50);
    ASSERT_TRUE(b.h.synth()->GetAuditionState());
    ASSERT_EQ(Playing(b.h), std::make_pair(int(other.bank), int(other.number)));
    b.h.Key(XK_Escape);
    b.Idle(500);
    EXPECT_FALSE(b.opener.IsOpen());
    EXPECT_FALSE(b.h.synth()->GetAuditionState());
    EXPECT_EQ(b.h.synth()->GetCurSound(true).bank, chosen.bank);
    EXPECT_EQ(b.h.synth()->GetCurSound(true).number, chosen.number);
    EXPECT_EQ(Playing(b.h), std::make_pair(int(chosen.bank), int(chosen.number)));
    EXPECT_EQ(b.h.synth()->GetMode(), c.modelMode);
    EXPECT_EQ(Bytes(b.h, c.bytes.edit, c.bytes.size), kept);
  }
}

// Browsing quickly does not flood the instrument, nor hold the GUI: the
// first choice goes out at once, the ones made within 200 ms of it give
// way to the latest, which goes out when the 200 ms are over; the list
// shows the latest choice all the time.
TEST(SoundBrowser, AtMostOneProgramChangeIn200MsAndTheLatestChoiceWins) {
  Bench b(0);
  ASSERT_TRUE(b.opener.OpenBlueBrowser(-1));
  b.Idle();
  auto* page = b.Page<SmallBlueBrowserLayer>();
  CMMPCtrlList* list = page->GetList();
  b.h.device().With([](vesk::test::SimSynth& s) { s.ClearLog(); });
  const uint64_t start = os::NowUs();
  list->SelectCell(2, 0);
  list->SelectCell(3, 0);
  list->SelectCell(4, 0);
  list->SelectCell(5, 0);
  EXPECT_EQ(os::NowUs(), start) << "the GUI waited";
  b.Idle(50);
  EXPECT_EQ(ProgramChanges(b.h), (std::vector<std::pair<int, int>>{{0, 2}}));
  EXPECT_EQ(list->GetSelectedItemIndex(), 5);
  b.Idle(100);
  EXPECT_EQ(ProgramChanges(b.h).size(), 1u);
  b.Idle(100);
  EXPECT_EQ(ProgramChanges(b.h), (std::vector<std::pair<int, int>>{{0, 2}, {0, 5}}));
  EXPECT_EQ(list->GetSelectedItemIndex(), 5);
  // After a quiet spell a choice goes out at once again.
  b.Idle(300);
  list->SelectCell(9, 0);
  b.Idle(20);
  ASSERT_EQ(ProgramChanges(b.h).size(), 3u);
  EXPECT_EQ(ProgramChanges(b.h).back(), std::make_pair(0, 9));
  // OK within the pause keeps the choice still waiting.
  list->SelectCell(15, 0);
  b.ClickControl(BlueBrowserBase::kOkId);
  b.Idle(300);
  EXPECT_FALSE(b.opener.IsOpen());
  EXPECT_EQ(Playing(b.h).second, 15);
  EXPECT_EQ(b.h.synth()->GetCurSound(true).number, 15);
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

  // Performance mode and back: filters to all, audition ended.
  b.h.synth()->PutMode(eMode_Combi);
  for (int i = 0; i < 20; ++i) b.Idle(10);
  EXPECT_EQ(b.data.m_iBank, -1);
  EXPECT_FALSE(b.h.synth()->GetAuditionState());
  b.h.synth()->PutMode(eMode_ProgEdit);
  for (int i = 0; i < 20; ++i) b.Idle(10);
  EXPECT_EQ(page->GetList()->GetNumItems(), 4 * 128);
}

// The model repeats notices that change nothing, such as its connection
// notice every two seconds. They leave the browser as the user set it: the
// audition runs on, the filter stays, the line stays chosen.
TEST(SoundBrowser, RepeatedNoticesLeaveTheBrowserAsTheUserSetIt) {
  Bench b;
  ASSERT_EQ(b.h.synth()->GetMode(), eMode_ProgEdit);
  ASSERT_TRUE(b.opener.OpenBlueBrowser(-1));
  b.Idle();
  auto* page = b.Page<SmallBlueBrowserLayer>();
  page->OnHfcCtrlIntValueChanged(page->GetBankSelector(), 2);
  b.Idle();
  page->GetList()->SelectCell(5, 0);
  for (int i = 0; i < 100; ++i) b.Idle(50);  // five seconds
  EXPECT_TRUE(b.opener.IsOpen());
  EXPECT_TRUE(b.h.synth()->GetAuditionState());
  EXPECT_EQ(b.data.m_iBank, 2);
  EXPECT_EQ(page->GetList()->GetNumItems(), 128);
  EXPECT_EQ(page->GetList()->GetSelectedItemIndex(), 5);
  EXPECT_TRUE(page->GetOkSwitch()->IsEnabled());
  EXPECT_EQ(Playing(b.h), std::make_pair(2, 5));
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


