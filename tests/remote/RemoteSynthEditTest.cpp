// Edits through the model's sections, what the instrument's panel sends,
// writes, audition and the copy commands, against the simulated synthesizer.
#include <gtest/gtest.h>

#include <cstring>
#include <thread>

#include "model/ISectionSink.h"
#include "model/ISoundSection.h"
#include "model/InitChunks.h"
#include "model/XEUtils.h"
#include "remote/RemoteStatus.h"
#include "remote/SynthSysEx.h"
#include "tests/remote/ModelTestSupport.h"

namespace vesk::test {
namespace {

using namespace Oskend;
using L = Oskend::RemoteSynthLayout;
using Bytes = std::vector<uint8_t>;

constexpr int kOsc1Volume = 0x107;  // program byte 638
constexpr size_t kOsc1VolumeByte = 638;

class SectionRecorder : public ISectionSink {
 public:
  struct Event {
    std::string what;
    int id;
    bool onMainThread = false;  // set by Add
  };
  std::vector<Event> events;
  void OnSectionReinitialized(ISection*) override { Add({"reinit", 0}); }
  void OnSectionParamPropsChanged(ISection*, int id) override { Add({"props", id}); }
  void OnSectionParamChanged(ISection*, int id) override { Add({"changed", id}); }
  bool Has(const std::string& what, int id) const {
    for (const Event& e : events)
      if (e.what == what && (what == "reinit" || e.id == id)) return true;
    return false;
  }

 private:
  void Add(Event e) {
    e.onMainThread = std::this_thread::get_id() == main_;
    events.push_back(e);
  }
  std::thread::id main_ = std::this_thread::get_id();
};

class RemoteSynthEditTest : public ::testing::Test, public ModelTest {
 protected:
  Bytes ProgEdit() { return Region(Image(), L::kProgEditBuffer, L::kProgSize); }
  Bytes CombiEdit() { return Region(Image(), L::kCombiEditBuffer, L::kCombiSize); }
};

TEST_F(RemoteSynthEditTest, AnEditThroughASectionSendsTheParameterChange) {
  SimSynthDevice& dev = Ready();
  ProgramMode();
  dev.With([](SimSynth& s) { s.ClearLog(); });
  ISection* edit = model->GetEditBuffer(3);
  ASSERT_NE(edit, nullptr);
  SectionRecorder rec;
  edit->AdviseSink(&rec);
  edit->PutParamI(kOsc1Volume, 77);
  EXPECT_EQ(Image()[L::kProgEditBuffer + kOsc1VolumeByte] & 0x7F, 77);
  env.loop().RunUntil([&] { return !dev.Log().empty(); }, 1000);
  auto log = dev.Log();
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].kind, SimSynthEvent::kParamChange);
  EXPECT_EQ(log[0].section, 3);
  EXPECT_EQ(log[0].id, kOsc1Volume);
  EXPECT_EQ(log[0].value, 77);
  // Byte for byte the protocol's 18-byte message on the instrument's channel.
  const Bytes expected = SynthSysEx::ParamChange(2, 3, kOsc1Volume, 77);
  ASSERT_EQ(expected.size(), 18u);
  const Bytes got = dev.Device().ReceivedBytes();
  ASSERT_GE(got.size(), expected.size());
  EXPECT_EQ(Bytes(got.end() - 18, got.end()), expected);
  env.loop().RunPending();
  EXPECT_TRUE(rec.Has("changed", kOsc1Volume));
  edit->UnadviseSink(&rec);
}

// The instrument keeps what it is sent: after edits of program and
// combination values the editor's image and the instrument's memory are the
// same bytes again. (Global values travel only in whole dumps.)
TEST_F(RemoteSynthEditTest, EditsLandInTheInstrumentsMemoryWhereTheEditorKeepsThem) {
  SimSynthDevice& dev = Ready();
  ASSERT_EQ(ImageBody(), MemoryBody(dev.Memory()));
  dev.With([](SimSynth& s) { s.ClearLog(); });
  struct Case {
    const char* name;
    ISection* section;
  };
  const Case cases[] = {
      {"program", model->GetEditBuffer(3)},
      {"combination", model->GetEditBuffer(0)},
  };
  size_t sent = 0;
  for (const Case& c : cases) {
    ASSERT_NE(c.section, nullptr) << c.name;
    int edited = 0;
    for (int i = 0; i < c.section->GetParamCount() && edited < 6; ++i) {
      SParamDesc row{};
      if (!c.section->GetParamDescByIndex(static_cast<unsigned>(i), &row)) continue;
      if (row.id == -1 || row.ptype < PTYPE_CONT || row.ptype > PTYPE_CONT10 || (row.flags & 3u) ||
          row.min == row.max)
        continue;
      const int now = c.section->GetParamI(row.id);
      c.section->PutParamI(row.id, now == row.max ? row.min : now + 1);
      ++edited;
    }
    EXPECT_GT(edited, 0) << c.name;
    sent += static_cast<size_t>(edited);
  }
  ASSERT_TRUE(env.loop().RunUntil([&] { return dev.Log().size() >= sent; }, 2000))
      << dev.Log().size() << " of " << sent;
  const Bytes image = ImageBody(), memory = MemoryBody(dev.Memory());
  ASSERT_EQ(image.size(), memory.size());
  for (size_t i = 0; i < image.size(); ++i)
    ASSERT_EQ(image[i], memory[i]) << "first difference at byte " << i;
}

TEST_F(RemoteSynthEditTest, APanelEditReachesTheImageAndTheSectionsSinksOnTheMainThread) {
  SimSynthDevice& dev = Ready();
  ProgramMode();
  ISection* edit = model->GetEditBuffer(3);
  SectionRecorder rec;
  edit->AdviseSink(&rec);
  Bytes msg;
  dev.With([&](SimSynth& s) { msg = s.PanelParamChange(3, kOsc1Volume, 55); });
  dev.Emit(msg);
  EXPECT_TRUE(env.loop().RunUntil([&] { return rec.Has("changed", kOsc1Volume); }, 1000));
  EXPECT_EQ(Image()[L::kProgEditBuffer + kOsc1VolumeByte] & 0x7F, 55);
  EXPECT_EQ(edit->GetParamI(kOsc1Volume), 55);
  for (const auto& e : rec.events) EXPECT_TRUE(e.onMainThread);
  // Nothing is sent back.
  for (const auto& e : dev.Log()) EXPECT_NE(e.kind, SimSynthEvent::kParamChange);

  // A section byte the model does not handle is ignored.
  dev.With([&](SimSynth& s) { msg = s.PanelParamChange(4, kOsc1Volume, 12); });
  dev.Emit(msg);
  env.loop().RunFor(200);
  EXPECT_EQ(edit->GetParamI(kOsc1Volume), 55);
  edit->UnadviseSink(&rec);
}

TEST_F(RemoteSynthEditTest, APanelProgramChangeSelectsTheStoredSound) {
  SimSynthDevice& dev = Ready();
  std::vector<Bytes> msgs;
  dev.With([&](SimSynth& s) { msgs = s.PanelProgramChange(0, 7); });
  sink.notices.clear();
  for (const Bytes& m : msgs) dev.Emit(m);
  EXPECT_TRUE(env.loop().RunUntil([&] { return !sink.Of("cursound").empty(); }, 1000));
  EXPECT_EQ(sink.Of("cursound")[0].b, 7);
  EXPECT_EQ(model->GetCurSound(true).number, 7);
  EXPECT_EQ(std::memcmp(CombiEdit().data(), Image() + L::kCombis + 7 * L::kCombiSize, L::kCombiSize), 0);
  // Combination 20 does not exist.
  EXPECT_EQ(model->OnRcvProgramChange(model->GetRemoteMidi(), eBankID_A, 20),
            kRemoteFailed);
  EXPECT_EQ(model->GetCurSound(true).number, 7);
}

TEST_F(RemoteSynthEditTest, WritingAProgramAndACombinationStoresThemInBoth) {
  SimSynthDevice& dev = Ready();
  Image()[L::kCombiEditBuffer + 100] ^= 0x5A;
  unsigned long status = 1;
  EXPECT_TRUE(model->ExecCommand(kCmdWriteCurrentSound, 0, 0, 3, 0, &status));
  EXPECT_EQ(status, 0u);
  Bytes memory = dev.Memory();
  EXPECT_EQ(std::memcmp(memory.data() + L::kCombis + 3 * L::kCombiSize, CombiEdit().data(), L::kCombiSize), 0);
  EXPECT_EQ(std::memcmp(Image() + L::kCombis + 3 * L::kCombiSize, CombiEdit().data(), L::kCombiSize), 0);
  EXPECT_FALSE(model->ExecCommand(kCmdWriteCurrentSound, 0, 0, 20, 0, &status));

  ProgramMode();
  Image()[L::kProgEditBuffer + 200] ^= 0x21;
  const Bytes edited = ProgEdit();
  dev.With([](SimSynth& s) { s.ClearLog(); });
  EXPECT_TRUE(model->ExecCommand(kCmdWriteCurrentSound, 2, 1, 5, 0, &status));
  env.loop().RunPending();
  bool wrote = false;
  for (const auto& e : dev.Log())
    wrote |= e.kind == SimSynthEvent::kWrite && e.dumpKind == 0 && e.bank == 1 && e.number == 5;
  EXPECT_TRUE(wrote);
  memory = dev.Memory();
  EXPECT_EQ(std::memcmp(memory.data() + L::kProgBanks + L::kProgBankSize + 5 * L::kProgSize,
                        Image() + L::kProgBanks + L::kProgBankSize + 5 * L::kProgSize, L::kProgSize),
            0);
  EXPECT_FALSE(model->ExecCommand(kCmdWriteCurrentSound, 2, 4, 5, 0, &status));
  EXPECT_EQ(status, static_cast<std::uint32_t>(kRemoteFailed));
}

TEST_F(RemoteSynthEditTest, CopyCommandsOnAKnownImage) {
  Ready();
  ProgramMode();
  uint8_t* img = Image();
  const uint8_t* stored = img + L::kProgBanks + 2 * L::kProgBankSize + 9 * L::kProgSize;  // bank C, program 9
  uint8_t* edit = img + L::kProgEditBuffer;

  // Oscillator 2 of the stored program into oscillator 1.
  EXPECT_TRUE(model->ExecCommand(kCmdCopyOscillator, 2, 9, 1, 0, nullptr));
  EXPECT_EQ(std::memcmp(edit + 712, stored + 1092, 380), 0);
  // Amp EG of oscillator 2 into the amp EG of oscillator 1: byte for byte.
  EXPECT_TRUE(model->ExecCommand(kCmdCopyEG, 2, 9, 4, 2, nullptr));
  EXPECT_EQ(std::memcmp(edit + 712 + 280, stored + 1092 + 280, 36), 0);
  // LFO 1 of oscillator 2 into LFO 2 of oscillator 1.
  EXPECT_TRUE(model->ExecCommand(kCmdCopyLFO, 2, 9, 2, 1, nullptr));
  EXPECT_EQ(std::memcmp(edit + 712 + 76, stored + 1092 + 48, 28), 0);
  // Swap the LFOs of oscillator 2.
  const Bytes lfo1(edit + 1092 + 48, edit + 1092 + 76), lfo2(edit + 1092 + 76, edit + 1092 + 104);
  EXPECT_TRUE(model->ExecCommand(kCmdSwapLFOsOfOSC2, 0, 0, 0, 0, nullptr));
  EXPECT_EQ(Bytes(edit + 1092 + 48, edit + 1092 + 76), lfo2);
  EXPECT_EQ(Bytes(edit + 1092 + 76, edit + 1092 + 104), lfo1);

  // Invalid sources copy nothing and fail.
  const Bytes before = ProgEdit();
  struct Case {
    int cmd, a1, a2, a3, a4;
  } invalid[] = {{kCmdCopyOscillator, 4, 0, 0, 0},    {kCmdCopyOscillator, 0, 0, 2, 0},
                 {kCmdCopyEG, 4, 0, 1, 1},            {kCmdCopyEG, 0, 0, 5, 1},
                 {kCmdCopyLFO, 7, 0, 0, 1},           {kCmdCopyLFO, 0, 0, 0, 5},
                 {kCmdCopyInsertEffect, 0, 4, 200, 0}, {kCmdCopyMasterEffects, 0, 4, 0, 0x0101},
                 {kCmdSwapInsertEffects, 0, 0, 0, 0}};
  for (const Case& c : invalid) {
    EXPECT_FALSE(model->ExecCommand(c.cmd, c.a1, c.a2, c.a3, c.a4, nullptr)) << c.cmd;
    EXPECT_EQ(ProgEdit(), before) << c.cmd;
  }
  // Numbers that name no command.
  EXPECT_FALSE(model->ExecCommand(0, 0, 0, 0, 0, nullptr));
  EXPECT_FALSE(model->ExecCommand(13, 0, 0, 0, 0, nullptr));
  EXPECT_TRUE(model->ExecCommand(kCmdNothing, 0, 0, 0, 0, nullptr));

  // Scale: major in C into the all-note scale, the 12 notes repeated.
  EXPECT_TRUE(model->ExecCommand(kCmdCopyScale, 1, 0, 4, 0, nullptr));
  for (int n = 0; n < 128; ++n)
    EXPECT_EQ(int8_t(img[64 + n]), int8_t(XEUtils::CopyScale_GetMajor(n % 12) * 128 / 330)) << n;
}

TEST_F(RemoteSynthEditTest, AuditionEndRestoresTheSavedProgramAndLeavesTheCombination) {
  SimSynthDevice& dev = Ready();
  ProgramMode();
  const Bytes prog = ProgEdit(), combi = CombiEdit();
  EXPECT_TRUE(model->BeginAudition(2));
  EXPECT_FALSE(model->BeginAudition(2));
  std::memset(Image() + L::kProgEditBuffer, 0x11, L::kProgSize);
  dev.With([](SimSynth& s) { s.ClearLog(); });
  EXPECT_TRUE(model->EndAudition(false));
  EXPECT_FALSE(model->EndAudition(false));
  EXPECT_EQ(ProgEdit(), prog);
  EXPECT_EQ(CombiEdit(), combi);
  bool sentBack = false;
  for (const auto& e : dev.Log()) sentBack |= e.kind == SimSynthEvent::kDumpReceived && e.current;
  EXPECT_TRUE(sentBack);
  env.loop().RunPending();
  auto aud = sink.Of("audition");
  ASSERT_EQ(aud.size(), 2u);
  EXPECT_EQ(aud[0].a, 1);
  EXPECT_EQ(aud[1].a, 0);
}

TEST_F(RemoteSynthEditTest, AKeptAuditionReportsTheSoundChosen) {
  Ready();
  ProgramMode();
  ASSERT_TRUE(model->BeginAudition(1));
  const SSoundIndex chosen{1, 5};
  model->PutCurSound(chosen);
  const SSoundIndex cur = model->GetCurSound(true);
  EXPECT_EQ(cur.bank, chosen.bank);
  EXPECT_EQ(cur.number, chosen.number);
  ASSERT_TRUE(model->EndAudition(true));
  // What the sound browser's OK does: keep the audition, then select the sound for good.
  const SSoundIndex kept = model->PutCurSound(cur);
  EXPECT_EQ(kept.bank, chosen.bank);
  EXPECT_EQ(kept.number, chosen.number);
  EXPECT_EQ(model->GetCurSound(true).bank, chosen.bank);
  EXPECT_EQ(model->GetCurSound(true).number, chosen.number);
  EXPECT_EQ(Image()[L::kCurProg], chosen.bank);
  EXPECT_EQ(Image()[L::kCurProg + 1], chosen.number);
}

// In program edit the instrument goes to program play for the change and
// comes back; the model stays in program edit with the program chosen, not
// the one that program edit takes from the performance's timbre.
TEST_F(RemoteSynthEditTest, ASoundChosenInProgramEditStaysTheCurrentSound) {
  SimSynthDevice& dev = Ready();
  ProgramMode();
  dev.With([](SimSynth& s) { s.ClearLog(); });
  const size_t modeNotices = sink.Of("mode").size();
  const SSoundIndex chosen{2, 9};
  const SSoundIndex got = model->PutCurSound(chosen);
  env.loop().RunFor(500);
  EXPECT_EQ(got.bank, chosen.bank);
  EXPECT_EQ(got.number, chosen.number);
  EXPECT_EQ(model->GetCurSound(true).bank, chosen.bank);
  EXPECT_EQ(model->GetCurSound(true).number, chosen.number);
  EXPECT_EQ(model->GetMode(), eMode_ProgEdit);
  const size_t stored = L::kProgBanks + (chosen.bank * 128 + chosen.number) * L::kProgSize;
  EXPECT_EQ(std::memcmp(ProgEdit().data(), Image() + stored, L::kProgSize), 0);
  env.loop().RunPending();
  EXPECT_EQ(sink.Of("mode").size(), modeNotices) << "the model told a mode change";
  std::vector<int> modes;
  int programChanges = 0;
  for (const auto& e : dev.Log()) {
    if (e.kind == SimSynthEvent::kModeChange) modes.push_back(e.mode);
    if (e.kind == SimSynthEvent::kProgramChange) ++programChanges;
  }
  EXPECT_EQ(modes, (std::vector<int>{eMode_ProgPlay, eMode_ProgEdit}));
  EXPECT_EQ(programChanges, 1);
  dev.With([&](SimSynth& s) {
    EXPECT_EQ(s.CurrentBank(), chosen.bank);
    EXPECT_EQ(s.CurrentProgram(), chosen.number);
  });
}

std::pair<int, int> Playing(SimSynthDevice& dev) {
  std::pair<int, int> p;
  dev.With([&](SimSynth& s) { p = {s.CurrentBank(), s.CurrentProgram()}; });
  return p;
}

std::pair<int, int> Pair(const SSoundIndex& s) { return {s.bank, s.number}; }

// The sound browser's audition in program edit, at the model: the
// instrument goes to program play for it and comes back. However the
// instrument confirms those mode changes, OK keeps the chosen program and
// Cancel gives back the one before, edit buffer and all, the model staying
// in program edit; a mode change made on the instrument's panel still ends
// the audition.
TEST_F(RemoteSynthEditTest, AnAuditionInProgramEditKeepsOrGivesBackTheChosenProgram) {
  SimSynthDevice& dev = Ready();
  struct Case {
    const char* confirmation;
    bool byStatus, programPlayAsEdit;
    SSoundIndex chosen, other;
  } cases[] = {
      {"the mode repeated", false, false, {1, 5}, {2, 9}},
      {"program play reported as program edit", false, true, {1, 6}, {2, 10}},
      {"a status message", true, false, {1, 7}, {2, 11}},
  };
  auto stored = [&](const SSoundIndex& s) {
    return Region(Image(), L::kProgBanks + (s.bank * 128 + s.number) * L::kProgSize, L::kProgSize);
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.confirmation);
    dev.With([&](SimSynth& s) {
      s.Settings().modeChangeByStatus = c.byStatus;
      s.Settings().programPlayAsEdit = c.programPlayAsEdit;
    });
    ProgramMode();

    // OK, as the sound browser does it: keep the audition, then select the
    // sound the model reports for good.
    ASSERT_TRUE(model->BeginAudition(1));
    model->PutCurSound(c.chosen);
    env.loop().RunFor(500);
    ASSERT_TRUE(model->GetAuditionState()) << "the instrument's answer ended the audition";
    EXPECT_EQ(Playing(dev), Pair(c.chosen));
    const SSoundIndex cur = model->GetCurSound(true);
    ASSERT_TRUE(model->EndAudition(true));
    model->PutCurSound(cur);
    env.loop().RunFor(3000);
    EXPECT_EQ(model->GetMode(), eMode_ProgEdit);
    EXPECT_EQ(Pair(model->GetCurSound(true)), Pair(c.chosen));
    EXPECT_EQ(ProgEdit(), stored(c.chosen));
    EXPECT_EQ(Playing(dev), Pair(c.chosen));
    dev.With([](SimSynth& s) { EXPECT_EQ(s.Mode(), eMode_ProgEdit); });

    // Cancel: back to the program kept, byte for byte.
    const Bytes kept = ProgEdit();
    ASSERT_TRUE(model->BeginAudition(1));
    model->PutCurSound(c.other);
    env.loop().RunFor(500);
    ASSERT_TRUE(model->GetAuditionState());
    EXPECT_EQ(Playing(dev), Pair(c.other));
    ASSERT_TRUE(model->EndAudition(false));
    env.loop().RunFor(3000);
    EXPECT_EQ(model->GetMode(), eMode_ProgEdit);
    EXPECT_EQ(Pair(model->GetCurSound(true)), Pair(c.chosen));
    EXPECT_EQ(ProgEdit(), kept);
    EXPECT_EQ(Playing(dev), Pair(c.chosen));
    dev.With([](SimSynth& s) { EXPECT_EQ(s.Mode(), eMode_ProgEdit); });
  }

  // The performance switch on the instrument's panel during an audition.
  ASSERT_TRUE(model->BeginAudition(1));
  model->PutCurSound({3, 1});
  env.loop().RunFor(500);
  Bytes panel;
  dev.With([&](SimSynth& s) { panel = s.PanelModeChange(eMode_Combi); });
  dev.Emit(panel);
  EXPECT_TRUE(env.loop().RunUntil([&] { return !model->GetAuditionState(); }, 1000));
  env.loop().RunFor(500);
  EXPECT_EQ(model->GetMode(), eMode_Combi);
}

// A performance chosen in the performance mode shown without a dump: the
// instrument goes to performance mode for the change and comes back, and
// the model stays where it was.
TEST_F(RemoteSynthEditTest, ASoundChosenInThePerformanceShownWithoutADumpKeepsThatMode) {
  SimSynthDevice& dev = Ready();
  model->PutMode(eMode_CombiNoDump);
  env.loop().RunFor(500);
  ASSERT_EQ(model->GetMode(), eMode_CombiNoDump);
  dev.With([](SimSynth& s) { s.ClearLog(); });
  const SSoundIndex got = model->PutCurSound({0, 7});
  env.loop().RunFor(1000);
  EXPECT_EQ(Pair(got), std::make_pair(0, 7));
  EXPECT_EQ(Pair(model->GetCurSound(true)), std::make_pair(0, 7));
  EXPECT_EQ(model->GetMode(), eMode_CombiNoDump);
  EXPECT_EQ(CombiEdit(), Region(Image(), L::kCombis + 7 * L::kCombiSize, L::kCombiSize));
  std::vector<int> modes;
  for (const auto& e : dev.Log())
    if (e.kind == SimSynthEvent::kModeChange) modes.push_back(e.mode);
  EXPECT_EQ(modes, (std::vector<int>{eMode_Combi, eMode_CombiNoDump}));
  EXPECT_EQ(Playing(dev), std::make_pair(0, 7));
}

TEST_F(RemoteSynthEditTest, TempoIsTheSoundsOwn) {
  Ready();
  uint8_t* img = Image();
  img[L::kCombiEditBuffer + 616] = 0x10;  // combination: 10000
  img[L::kCombiEditBuffer + 617] = 0x27;
  EXPECT_EQ(model->GetRemoteTempo(), 10000);
  ProgramMode();
  img[L::kProgEditBuffer + 616] = 0xE0;  // program: 12000
  img[L::kProgEditBuffer + 617] = 0x2E;
  EXPECT_EQ(model->GetRemoteTempo(), 12000);
}

TEST_F(RemoteSynthEditTest, MasterVolumeAndLocalMIDIOut) {
  SimSynthDevice& dev = Ready();
  EXPECT_EQ(model->PutMasterVolume(20000), 16383u);
  dev.With([](SimSynth& s) { EXPECT_EQ(s.MasterVolume(), 16383u); });
  const uint8_t note[3] = {0x92, 60, 100};
  EXPECT_TRUE(model->MIDIOut(note, 3));
  env.loop().RunPending();
  EXPECT_EQ(sink.Of("volume").back().a, 16383);
}

// A controller from another thread (the plug-in's worker): the message
// goes to the instrument, and the knob it moves changes on the main thread,
// which owns the sections.
TEST_F(RemoteSynthEditTest, AControllerFromAnotherThreadMovesItsKnobOnTheMainThread) {
  SimSynthDevice& dev = Ready();
  ISection* rt = model->GetRealtimeControl();
  const int knob = 0x8001;  // the first panel knob, controller 74
  const int before = rt->GetParamI(knob);
  const uint8_t value = static_cast<uint8_t>(before == 99 ? 98 : 99);
  const uint8_t cc[3] = {static_cast<uint8_t>(0xB0 | (model->GetGlobalChannel() & 0x0F)), 74, value};
  std::thread worker([&] {
    model->RTMIDIOut(static_cast<long long>(os::NowUs() / 1000) * 1000, cc, 3, eChgSource_HostMIDI);
  });
  worker.join();
  EXPECT_EQ(rt->GetParamI(knob), before);
  env.loop().RunFor(10);
  EXPECT_EQ(rt->GetParamI(knob), value);
  bool sent = false;
  for (const Bytes& m : dev.ShortMessages()) sent = sent || m == Bytes{cc[0], cc[1], cc[2]};
  EXPECT_TRUE(sent);
}

}  // namespace
}  // namespace vesk::test
