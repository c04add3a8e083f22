// Data files and host chunks through the model: every kind saved and loaded
// back, loads that go to the connected instrument, and the recall of host
// data at the next connection.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <sstream>

#include "model/CDirtyFlagSet.h"
#include "os/Alert.h"
#include "remote/FTYPE.h"
#include "remote/RemoteSynthCommand.h"
#include "tests/remote/ModelTestSupport.h"

namespace vesk::test {
namespace {

using namespace Oskend;
using L = Oskend::RemoteSynthLayout;
using Bytes = std::vector<uint8_t>;

class RemoteSynthFilesTest : public ::testing::Test, public ModelTest {
 protected:
  // Gives the model's image a pattern (current program B 5, combination 3).
  void PatternImage(uint32_t seed) {
    SimSynth s(TestSynthSettings());
    Pattern(s, seed);
    uint8_t* img = model->GetRawChunk().data();
    std::memcpy(img, s.Memory().data(), SimSynth::kCombiEditOffset + L::kCombiSize);
    model->GetRawChunk().GetCurProg().Set(1, 5);
    model->GetRawChunk().GetCurCombi().Set(0, 3);
  }
  // Gives another model's image the instrument's pattern of seed 77.
  static void PatternOther(CRemoteSynthImpl& other) {
    SimSynth s(TestSynthSettings());
    Pattern(s, 77);
    std::memcpy(other.GetRawChunk().data(), s.Memory().data(), SimSynth::kCombiEditOffset + L::kCombiSize);
  }
};

TEST_F(RemoteSynthFilesTest, EveryKindSavedLoadsBackIntoAFreshModel) {
  // A file of everything holds the global block, the stored sounds and the
  // combination edit buffer; a bank chunk the same but the global block
  // (off in the default settings); a bank file the current program's bank.
  struct Case {
    FTYPE type;
    uint32_t selector;
    size_t offset, size;   // the part of the image that must arrive
    size_t from = offset;  // where it was in the saved image
  } cases[] = {
      {FTYPE::All, 0, 0, L::kProgEditBuffer},
      {FTYPE::Bank, 0, L::kProgBanks, (L::kProgEditBuffer - L::kProgBanks)},
      {FTYPE::VSTBank, 0, L::kProgBanks, (L::kProgEditBuffer - L::kProgBanks)},
      {FTYPE::AllProgs, 0, L::kProgBanks, L::kProgBanksSize},
      {FTYPE::AllCombis, 0, L::kCombis, L::kCombisSize},
      {FTYPE::ProgBank, 2, L::kProgBanks + 2 * L::kProgBankSize, L::kProgBankSize, L::kProgBanks + L::kProgBankSize},
      {FTYPE::Prog, 0, L::kProgEditBuffer, L::kProgSize},
      {FTYPE::VSTProg, 0, L::kProgEditBuffer, L::kProgSize},
      {FTYPE::Combi, 0, L::kCombiEditBuffer, L::kCombiSize},
      {FTYPE::VSTCombi, 0, L::kCombiEditBuffer, L::kCombiSize},
  };
  PatternImage(3);
  const Bytes saved = Region(Image(), 0, CHUNK_REMOTESYNTH::kSize);
  for (const Case& c : cases) {
    const std::string path = config.File("data" + std::to_string(int(c.type)));
    ASSERT_TRUE(model->SaveFile(path.c_str(), c.type, c.selector)) << int(c.type);
    CRemoteSynthImpl fresh(nullptr);
    fresh.GetRawChunk().GetCurProg().Set(1, 5);
    fresh.GetRawChunk().GetCurCombi().Set(0, 3);
    ASSERT_TRUE(fresh.LoadFile(path.c_str(), c.selector)) << int(c.type);
    const uint8_t* img = fresh.GetRawChunk().data();
    EXPECT_EQ(Region(img, c.offset, c.size), Region(saved.data(), c.from, c.size)) << int(c.type);
    if (c.type == FTYPE::Prog || c.type == FTYPE::VSTProg) {  // also into its stored place
      EXPECT_EQ(Region(img, L::kProgBanks + L::kProgBankSize + 5 * L::kProgSize, L::kProgSize), Region(saved.data(), L::kProgEditBuffer, L::kProgSize));
    }
    if (c.type == FTYPE::Combi || c.type == FTYPE::VSTCombi) {
      EXPECT_EQ(Region(img, L::kCombis + 3 * L::kCombiSize, L::kCombiSize), Region(saved.data(), L::kCombiEditBuffer, L::kCombiSize));
    }
    env.loop().RunPending();
  }
  EXPECT_FALSE(model->LoadFile(config.File("missing").c_str(), 0));
}

// What the panel's big knobs drive (the performance's knob function and
// timbre group, the program's knob function) is the editor's own state,
// outside the image: it travels in the kinds that carry the current
// performance's record (a host's session chunk is a bank), and a kind
// without that record leaves it as it was.
TEST_F(RemoteSynthFilesTest, WhatTheBigKnobsDriveTravelsWithTheCurrentPerformancesRecord) {
  struct Case {
    FTYPE type;
    bool carried;  // whole images only: a single sound's file leaves the panel
  } cases[] = {
      {FTYPE::All, true},        {FTYPE::Bank, true},       {FTYPE::VSTBank, true},  {FTYPE::AllProgs, false},
      {FTYPE::AllCombis, false}, {FTYPE::ProgBank, false},  {FTYPE::Prog, false},    {FTYPE::VSTProg, false},
      {FTYPE::Combi, false},     {FTYPE::VSTCombi, false},
  };
  struct State {
    int knobs, group, programKnobs;
    bool operator==(const State&) const = default;
  };
  auto put = [](CRemoteSynthImpl& m, State s) {
    m.GetEditBuffer(eMode_Combi)->PutParamIEx(0x10B, s.knobs, 0, eChgSource_Editor);
    m.GetEditBuffer(eMode_Combi)->PutParamIEx(0x10C, s.group, 0, eChgSource_Editor);
    m.GetEditBuffer(eMode_ProgEdit)->PutParamIEx(0x10F, s.programKnobs, 0, eChgSource_Editor);
  };
  auto get = [](CRemoteSynthImpl& m) {
    return State{m.GetEditBuffer(eMode_Combi)->GetParamI(0x10B), m.GetEditBuffer(eMode_Combi)->GetParamI(0x10C),
                 m.GetEditBuffer(eMode_ProgEdit)->GetParamI(0x10F)};
  };
  PatternImage(5);
  const State saved{1, 1, 4}, other{3, 0, 2};
  put(*model, saved);
  for (const Case& c : cases) {
    SCOPED_TRACE(int(c.type));
    const std::string path = config.File("state" + std::to_string(int(c.type)));
    ASSERT_TRUE(model->SaveFile(path.c_str(), c.type, 2));
    CRemoteSynthImpl fresh(nullptr);
    fresh.GetRawChunk().GetCurProg().Set(1, 5);
    fresh.GetRawChunk().GetCurCombi().Set(0, 3);
    put(fresh, other);
    ASSERT_TRUE(fresh.LoadFile(path.c_str(), 2));
    const State want = c.carried ? saved : other;
    const State got = get(fresh);
    EXPECT_EQ(got.knobs, want.knobs);
    EXPECT_EQ(got.group, want.group);
    EXPECT_EQ(got.programKnobs, want.programKnobs);
    env.loop().RunPending();
  }
  // Saving does not change what the model holds.
  EXPECT_EQ(get(*model), saved);
}

TEST_F(RemoteSynthFilesTest, ShortAndDamagedStreamsLeaveTheImage) {
  PatternImage(4);
  const Bytes before = Region(Image(), 0, CHUNK_REMOTESYNTH::kSize);
  std::istringstream tiny(std::string("abcd"));
  EXPECT_TRUE(model->LoadStreamFromHost(tiny, false, false));
  std::istringstream junk(std::string(4000, 'x'));
  CDirtyFlagSet dirty;
  EXPECT_FALSE(model->LoadStream(junk, 0, false, false, dirty));
  EXPECT_EQ(Region(Image(), 0, CHUNK_REMOTESYNTH::kSize), before);
}

TEST_F(RemoteSynthFilesTest, AHostChunkRestoredBeforeConnectingIsRecalledWhenItDiffers) {
  PatternImage(5);
  std::stringstream chunk;
  ASSERT_TRUE(model->SaveStream(chunk, FTYPE::VSTBank, 0));
  const std::string bytes = chunk.str();
  const Bytes image = Region(Image(), 0, L::kCurProg);

  // The same data again: nothing to recall.
  std::istringstream same(bytes);
  EXPECT_TRUE(model->LoadStreamFromHost(same, false, true));
  EXPECT_FALSE(model->GetRecallPending());

  // Into a fresh model, whose data differs: the recall waits for the
  // connection and then goes to the instrument.
  model = std::make_unique<CRemoteSynthImpl>(nullptr);
  std::istringstream in(bytes);
  EXPECT_TRUE(model->LoadStreamFromHost(in, false, true));
  EXPECT_TRUE(model->GetRecallPending());
  EXPECT_EQ(Region(Image(), L::kProgBanks, L::kProgBanksSize), Region(image.data(), L::kProgBanks, L::kProgBanksSize));
  SimSynthDevice& dev = Connected(TestSynthSettings(), true);
  ASSERT_TRUE(model->GetConnected());
  EXPECT_FALSE(model->GetRecallPending());
  const Bytes memory = dev.Memory();
  EXPECT_EQ(Region(memory.data(), L::kProgBanks, L::kProgBanksSize), Region(image.data(), L::kProgBanks, L::kProgBanksSize));
  EXPECT_EQ(Region(memory.data(), L::kCombis, L::kCombisSize), Region(image.data(), L::kCombis, L::kCombisSize));
}

TEST_F(RemoteSynthFilesTest, AHostChunkWhoseRecallFailsStaysInTheImageAndIsRecalledNextTime) {
  PatternImage(8);
  std::stringstream chunk;
  ASSERT_TRUE(model->SaveStream(chunk, FTYPE::VSTBank, 0));
  const Bytes image = Region(Image(), 0, L::kCurProg);
  model = std::make_unique<CRemoteSynthImpl>(nullptr);
  std::istringstream in(chunk.str());
  ASSERT_TRUE(model->LoadStreamFromHost(in, false, false));
  ASSERT_TRUE(model->GetRecallPending());

  // A write-protected instrument refuses the recall: reported, still pending,
  // and the host's sounds are still the image's.
  SimSynthSettings s = TestSynthSettings();
  s.statusByte = 2;  // write-protected
  SimSynthDevice& dev = Connected(s, true);
  ASSERT_TRUE(model->GetConnected());
  EXPECT_TRUE(model->GetRecallPending());
  ASSERT_EQ(os::HeadlessAlert::Transcript().size(), 1u);
  EXPECT_EQ(os::HeadlessAlert::Transcript()[0].request.explanation,
            "Transmitting... Error!\nWrite Protected.");
  EXPECT_EQ(Region(Image(), L::kProgBanks, (L::kProgEditBuffer - L::kProgBanks)), Region(image.data(), L::kProgBanks, (L::kProgEditBuffer - L::kProgBanks)));
  EXPECT_NE(Region(dev.Memory().data(), L::kProgBanks, L::kProgBanksSize), Region(image.data(), L::kProgBanks, L::kProgBanksSize));

  // The next connection tries again and succeeds.
  model->Disconnect();
  dev.With([](SimSynth& synth) { synth.Settings().statusByte = 0; });
  EXPECT_TRUE(model->Connect(false, true));
  EXPECT_FALSE(model->GetRecallPending());
  const Bytes memory = dev.Memory();
  EXPECT_EQ(Region(memory.data(), L::kProgBanks, L::kProgBanksSize), Region(image.data(), L::kProgBanks, L::kProgBanksSize));
  EXPECT_EQ(Region(memory.data(), L::kCombis, L::kCombisSize), Region(image.data(), L::kCombis, L::kCombisSize));
  // No recall now: a connection with recall receives from the instrument.
  model->Disconnect();
  dev.With([](SimSynth& synth) { synth.Memory()[L::kProgBanks + 10] ^= 0xFF; });
  EXPECT_TRUE(model->Connect(false, true));
  EXPECT_EQ(Image()[L::kProgBanks + 10], dev.Memory()[L::kProgBanks + 10]);
}

// A host chunk the connected instrument does not take (write-protected
// here; one switched off and not yet noticed fails the same way) lands in
// the image all the same and is recalled at the next connection: the host
// that got it from the plug-in can always restore it. A data file loaded
// then is refused and changes nothing.
TEST_F(RemoteSynthFilesTest, AHostChunkTheInstrumentDoesNotTakeLandsAndIsRecalledAtTheNextConnection) {
  PatternImage(9);
  std::stringstream saved;
  ASSERT_TRUE(model->SaveStream(saved, FTYPE::Bank, 0));
  const Bytes banks = Region(Image(), L::kProgBanks, L::kProgBanksSize);
  model = std::make_unique<CRemoteSynthImpl>(nullptr);
  SimSynthSettings s = TestSynthSettings();
  s.statusByte = 2;  // write-protected
  SimSynthDevice& dev = Connected(s, true);
  ASSERT_TRUE(model->GetConnected());
  ASSERT_FALSE(model->GetRecallPending());
  const Bytes before = Region(Image(), 0, CHUNK_REMOTESYNTH::kSize);

  std::istringstream file(saved.str());
  CDirtyFlagSet dirty;
  EXPECT_FALSE(model->LoadStream(file, 0, false, false, dirty));
  EXPECT_EQ(Region(Image(), 0, CHUNK_REMOTESYNTH::kSize), before);

  std::istringstream chunk(saved.str());
  EXPECT_TRUE(model->LoadStreamFromHost(chunk, false, false));
  EXPECT_EQ(Region(Image(), L::kProgBanks, L::kProgBanksSize), banks);
  EXPECT_TRUE(model->GetRecallPending());
  EXPECT_NE(Region(dev.Memory().data(), L::kProgBanks, L::kProgBanksSize), banks);

  model->Disconnect();
  dev.With([](SimSynth& synth) { synth.Settings().statusByte = 0; });
  EXPECT_TRUE(model->Connect(false, true));
  EXPECT_FALSE(model->GetRecallPending());
  EXPECT_EQ(Region(dev.Memory().data(), L::kProgBanks, L::kProgBanksSize), banks);
}

TEST_F(RemoteSynthFilesTest, LoadingAProgramWhileConnectedSendsIt) {
  SimSynthDevice& dev = Connected(TestSynthSettings(), true);
  ASSERT_TRUE(model->GetConnected());
  CRemoteSynthImpl other(nullptr);
  PatternOther(other);
  std::stringstream file;
  ASSERT_TRUE(other.SaveStream(file, FTYPE::Prog, 0));
  const Bytes prog = Region(other.GetRawChunk().data(), L::kProgEditBuffer, L::kProgSize);

  const int bank = model->GetRawChunk().GetCurProg().GetBank();
  const int number = model->GetRawChunk().GetCurProg().GetNumber();
  CDirtyFlagSet dirty;
  EXPECT_TRUE(model->LoadStream(file, 0, false, false, dirty));
  const Bytes memory = dev.Memory();
  EXPECT_EQ(Region(memory.data(), SimSynth::ProgOffset(bank, number), L::kProgSize), prog);
  EXPECT_EQ(Region(memory.data(), SimSynth::kProgEditOffset, L::kProgSize), prog);
  EXPECT_EQ(Region(model->GetRawChunk().data(), L::kProgEditBuffer, L::kProgSize), prog);
}

// A late cycle of the MIDI system spoils bank C both times it goes: loading
// all data fails within seconds, and the reason is the late MIDI system.
TEST_F(RemoteSynthFilesTest, ALoadThatLateCyclesSpoilTwiceFailsSoonForThatReason) {
  SimSynthDevice& dev = Connected(TestSynthSettings(), true);
  ASSERT_TRUE(model->GetConnected());
  CRemoteSynthImpl other(nullptr);
  PatternOther(other);
  const std::string path = config.File("all.VSKall");
  ASSERT_TRUE(other.SaveFile(path.c_str(), FTYPE::All, 0));
  const Bytes before = dev.Memory();

  // In bank C (past the global block and banks A and B), and a bank later
  // in the bank sent again.
  constexpr size_t kBankOnWire = 215346, kIntoC = 2 * kBankOnWire + 100'000;
  dev.RunLateAfterReceiving(kIntoC);
  dev.RunLateAfterReceiving(kIntoC + kBankOnWire);
  const uint64_t start = NowMs();
  EXPECT_FALSE(model->LoadFile(path.c_str(), 0));
  EXPECT_EQ(model->GetLoadSendFailure(), kRemoteLate);
  EXPECT_LT(NowMs() - start, 5000u);
  size_t refused = 0;
  for (const SimSynthEvent& e : dev.Log()) refused += e.kind == SimSynthEvent::kDumpRefused;
  EXPECT_EQ(refused, 2u);
  const size_t bankC = SimSynth::ProgOffset(2, 0);
  EXPECT_EQ(Region(dev.Memory().data(), bankC, 2 * L::kProgBankSize), Region(before.data(), bankC, 2 * L::kProgBankSize));

  // A load that fails otherwise names no send failure.
  EXPECT_FALSE(model->LoadFile(config.File("missing").c_str(), 0));
  EXPECT_EQ(model->GetLoadSendFailure(), 0);
}

TEST_F(RemoteSynthFilesTest, EmptyAndTooShortFilesFailToLoadAndChangeNothing) {
  PatternImage(8);
  model->GetRawChunk().SetMode(2);
  model->GetRawChunk().GetProgEditBuffer().data()[100] ^= 0x33;  // an unsaved edit
  const Bytes before = Region(Image(), 0, CHUNK_REMOTESYNTH::kSize);
  const int mode = model->GetMode();
  for (const std::string& content : {std::string(), std::string("VESK")}) {
    const std::string path = config.File("short" + std::to_string(content.size()));
    {
      std::ofstream out(path, std::ios::binary);
      out << content;
    }
    EXPECT_FALSE(model->LoadFile(path.c_str(), 0)) << content.size();
    EXPECT_FALSE(model->AutoLoadData(path.c_str())) << content.size();
    env.loop().RunPending();
    EXPECT_EQ(Region(Image(), 0, CHUNK_REMOTESYNTH::kSize), before) << content.size();
    EXPECT_EQ(model->GetMode(), mode);
    EXPECT_EQ(model->GetRawChunk().GetCurProg().GetBank(), 1);
    EXPECT_EQ(model->GetRawChunk().GetCurProg().GetNumber(), 5);
  }
}

TEST_F(RemoteSynthFilesTest, AutoLoadStartsAtTheFirstProgram) {
  PatternImage(6);
  const std::string path = config.File("auto");
  ASSERT_TRUE(model->SaveFile(path.c_str(), FTYPE::All, 0));
  CRemoteSynthImpl fresh(nullptr);
  EXPECT_TRUE(fresh.AutoLoadData(path.c_str()));
  EXPECT_EQ(fresh.GetRawChunk().GetCurProg().GetBank(), 0);
  EXPECT_EQ(fresh.GetRawChunk().GetCurProg().GetNumber(), 0);
  EXPECT_EQ(fresh.GetMode(), eMode_Combi);
  EXPECT_EQ(Region(fresh.GetRawChunk().data(), L::kProgEditBuffer, L::kProgSize),
            Region(fresh.GetRawChunk().data(), L::kProgBanks, L::kProgSize));
  env.loop().RunPending();
}

// The file chosen for the automatic load reaches the next start through
// "Save as Default", and not before.
TEST_F(RemoteSynthFilesTest, TheFileChosenForTheNextStartIsLoadedThereOnceSavedAsDefault) {
  constexpr int kAllSw = static_cast<int>(0x80008100u), kAutoLoad = static_cast<int>(0x8000aa00u);
  constexpr int kFileName = static_cast<int>(0x8000ab00u);
  PatternImage(6);
  const std::string path = config.File("start");
  ASSERT_TRUE(model->SaveFile(path.c_str(), FTYPE::All, 0));
  ISection* setup = model->GetSetup();
  setup->PutParamI(kAllSw, 0);
  setup->PutParamI(kAutoLoad, 1);
  ASSERT_TRUE(model->SelectFileName(path.c_str(), 0));
  EXPECT_EQ(std::string(setup->GetParamS(kFileName).c_str()), path);
  {
    CRemoteSynthImpl unsaved(nullptr);
    EXPECT_NE(std::string(unsaved.GetSetup()->GetParamS(kFileName).c_str()), path);
    EXPECT_EQ(unsaved.GetSetup()->GetParamI(kAutoLoad), 0);
    EXPECT_NE(Region(unsaved.GetRawChunk().data(), L::kProgBanks, L::kProgBanksSize),
              Region(Image(), L::kProgBanks, L::kProgBanksSize));
  }
  env.loop().RunPending();
  ASSERT_TRUE(model->ExecCommand(kCmdSaveSettings, 0, 0, 0, 0, nullptr));
  CRemoteSynthImpl next(nullptr);
  EXPECT_EQ(std::string(next.GetSetup()->GetParamS(kFileName).c_str()), path);
  EXPECT_EQ(Region(next.GetRawChunk().data(), L::kProgBanks, L::kProgBanksSize),
            Region(Image(), L::kProgBanks, L::kProgBanksSize));
  env.loop().RunPending();
}

}  // namespace
}  // namespace vesk::test
