// The model when the synthesizer goes away and comes back, and the order of
// its windows: a progress window is gone before a question is asked, and a
// transfer whose partner vanished ends at once.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "model/CDirtyFlagSet.h"
#include "model/ChunkGlobal.h"
#include "model/ChunkRemoteSynth.h"
#include "model/ISoundSection.h"
#include "os/Alert.h"
#include "os/ProgressWindow.h"
#include "remote/FTYPE.h"
#include "remote/RemoteStatus.h"
#include "remote/RemoteSynthCommand.h"
#include "remote/SynthSysEx.h"
#include "tests/remote/ModelTestSupport.h"

namespace vesk::test {
namespace {

using namespace Oskend;

constexpr int kOsc1Volume = 0x107;
using Bytes = std::vector<uint8_t>;
using L = RemoteSynthLayout;

// Answers as the headless alert does and notes, for each alert, whether a
// progress window was still up while it was shown.
class OverProgressAlert : public os::HeadlessAlert {
 public:
  static std::vector<bool>& Over() {
    static std::vector<bool> over;
    return over;
  }
  int Run(const Request& request) override {
    Over().push_back(os::HeadlessProgressWindow::Current() != nullptr);
    return HeadlessAlert::Run(request);
  }
};

class RemoteSynthLostLinkTest : public ::testing::Test, public ModelTest {
 protected:
  RemoteSynthLostLinkTest() {
    OverProgressAlert::Over().clear();
    os::Alert::SetFactory([] { return std::make_unique<OverProgressAlert>(); });
  }
  ~RemoteSynthLostLinkTest() override { os::Alert::SetFactory(nullptr); }

  // Lets the connection timer (2 s, idle) look at the link once more.
  void Tick() { env.loop().RunFor(2100); }
  int ParamChangesAt(SimSynthDevice& dev) {
    int n = 0;
    for (const auto& e : dev.Log())
      if (e.kind == SimSynthEvent::kParamChange && e.id == kOsc1Volume) ++n;
    return n;
  }
};

TEST_F(RemoteSynthLostLinkTest, ALostSynthesizerIsReportedAndTakenUpAgainByItsPortNames) {
  SimSynthDevice& first = Connected(TestSynthSettings());
  ASSERT_TRUE(model->GetConnected());
  MIDIDevKey firstIn, firstOut;
  model->GetMIDIConnectionState(&firstIn, &firstOut, nullptr, nullptr, nullptr);
  Tick();
  ISection* edit = model->GetEditBuffer(3);
  ASSERT_NE(edit, nullptr);

  first.Unplug();
  Tick();
  EXPECT_FALSE(model->GetConnected());
  EXPECT_FALSE(model->GetMIDIConnectionState(nullptr, nullptr, nullptr, nullptr, nullptr));
  auto conn = sink.Of("conn");
  ASSERT_FALSE(conn.empty());
  EXPECT_EQ(conn.back().a, 0) << "the pages hear that the link is down";
  EXPECT_EQ(conn.back().b, 1);
  // Edits while it is away change the image and send nothing.
  edit->PutParamI(kOsc1Volume, 33);
  EXPECT_EQ(edit->GetParamI(kOsc1Volume), 33);

  // Another synthesizer that is not the one of the stored names is no
  // reason to connect.
  AddSynth(TestSynthSettings(), "Other Vesk");
  Tick();
  EXPECT_FALSE(model->GetConnected());

  // The same instrument comes back: new ports under the old names.
  SimSynthDevice& back = AddSynth(TestSynthSettings());
  Tick();
  ASSERT_TRUE(model->GetConnected());
  env.loop().RunPending();
  EXPECT_EQ(sink.Of("conn").back().a, 1);
  MIDIDevKey in, out;
  ASSERT_TRUE(model->GetMIDIConnectionState(&in, &out, nullptr, nullptr, nullptr));
  EXPECT_EQ(in.name, firstIn.name);
  EXPECT_EQ(out.name, firstOut.name);
  EXPECT_NE(in.inst, firstIn.inst) << "the ports that came back are new ones";
  EXPECT_EQ(ParamChangesAt(back), 0) << "the edit made while it was away was sent";
  edit->PutParamI(kOsc1Volume, 77);
  ASSERT_TRUE(env.loop().RunUntil([&] { return ParamChangesAt(back) == 1; }, 1000));
  EXPECT_EQ(back.Log().back().value, 77);
  // Nobody was asked anything on the way.
  EXPECT_TRUE(os::HeadlessAlert::Transcript().empty());

  // A disconnect asked for is not undone.
  model->Disconnect();
  Tick();
  Tick();
  EXPECT_FALSE(model->GetConnected());
}

// The instrument restarted while it was away: it sits in combination mode
// on its first sound, with its own memory. Taken up again, it gets the
// editor's combination and mode, then the editor's program the way the
// editor chooses one in program mode, and the editor shows what it holds.
TEST_F(RemoteSynthLostLinkTest, ASynthesizerThatRestartedIsBroughtBackIntoStep) {
  SimSynthDevice& first = Ready();
  model->PutMode(eMode_Combi);
  env.loop().RunFor(500);
  model->PutCurSound({0, 5});
  env.loop().RunFor(500);
  ProgramMode();
  ISection* edit = model->GetEditBuffer(3);
  ASSERT_NE(edit, nullptr);
  edit->PutParamI(kOsc1Volume, 33);
  ASSERT_TRUE(env.loop().RunUntil([&] { return ParamChangesAt(first) == 1; }, 1000));

  first.Unplug();
  Tick();
  ASSERT_FALSE(model->GetConnected());
  SimSynthDevice& back = AddSynth(TestSynthSettings());
  back.With([](SimSynth& s) {
    Pattern(s, 77);
    s.Memory()[1730] |= 1;  // Local Control on, as the instrument starts
  });
  Tick();
  ASSERT_TRUE(model->GetConnected());
  env.loop().RunFor(500);

  std::vector<std::string> steps;
  for (const SimSynthEvent& e : back.Log()) {
    if (e.kind == SimSynthEvent::kModeChange) steps.push_back("mode " + std::to_string(e.mode));
    if (e.kind == SimSynthEvent::kProgramChange)
      steps.push_back("sound " + std::to_string(e.bank) + ":" + std::to_string(e.number));
  }
  // (The program before them goes only when the link can send it in the
  // mode the instrument is in.)
  const SSoundIndex shown = model->GetCurSound(true);
  const std::string program = "sound " + std::to_string(shown.bank) + ":" + std::to_string(shown.number);
  ASSERT_GE(steps.size(), 6u);
  std::vector<std::string> last(steps.end() - 6, steps.end());
  // (The program change goes out timed, the mode change whole: the two
  // after the switch to program play may arrive either way round.)
  std::sort(last.begin() + 4, last.end());
  EXPECT_EQ(last, (std::vector<std::string>{"mode 0", "sound 0:5", "mode 3", "mode 2", "mode 3", program}));
  uint8_t mode = 0;
  int bank = -1, number = -1;
  back.With([&](SimSynth& s) {
    mode = s.Mode();
    bank = s.CurrentBank();
    number = s.CurrentProgram();
  });
  EXPECT_EQ(mode, eMode_ProgEdit);
  EXPECT_EQ(bank, shown.bank);
  EXPECT_EQ(number, shown.number);
  EXPECT_EQ(model->GetMode(), eMode_ProgEdit);
  EXPECT_EQ(ImageBody(), MemoryBody(back.Memory())) << "the image is not the instrument's memory";
  const Bytes got = back.Device().ReceivedBytes();
  bool localOff = false;
  for (size_t i = 0; i + 2 < got.size(); ++i)
    localOff |= got[i] == 0xB2 && got[i + 1] == 122 && got[i + 2] == 0;
  EXPECT_TRUE(localOff) << "Local Control was left on inside a plug-in host";
  EXPECT_TRUE(os::HeadlessAlert::Transcript().empty());
}

// How the editor came to the sound it shows when the instrument restarts.
enum class Reached { kPerformance, kProgramFromTimbre, kProgramChosen };

class ARestartedSynthesizer : public RemoteSynthLostLinkTest,
                              public ::testing::WithParamInterface<Reached> {};

// Taken up again, the restarted instrument (back in performance mode on its
// first sound and first timbre) plays the sound the editor showed; the
// editor's edit buffer holds that sound, and its current sound (what Write
// offers as the destination, with the name stored there) is that sound's
// place.
TEST_P(ARestartedSynthesizer, PlaysTheSoundTheEditorShows) {
  const auto instrument = [](SimSynth& s) {
    Pattern(s, 11);
    s.ShapeAsInstrument();
  };
  SimSynthDevice& first = AddSynth(TestSynthSettings());
  first.With(instrument);
  ASSERT_TRUE(model->Connect(false, true));
  env.loop().RunPending();
  constexpr int kTimbre = 5;
  const bool program = GetParam() != Reached::kPerformance;
  if (!program) {
    model->PutCurSound({0, 7});
  } else {
    // PROG, then the sixth timbre's switch.
    model->GetEditBuffer(eMode_Combi)->PutParamI(0x10A, kTimbre);
    model->SetActiveTrack(kTimbre);
    ProgramMode();
    if (GetParam() == Reached::kProgramChosen) {
      SSoundIndex next = model->GetCurSound(true);
      next.number = static_cast<uint8_t>((next.number + 1) % 128);
      model->PutCurSound(next);
    }
  }
  env.loop().RunFor(500);
  const SSoundIndex shown = model->GetCurSound(true);
  const int mode = model->GetMode();
  first.With([&](SimSynth& s) {
    ASSERT_EQ(s.Mode(), mode);
    if (program) {
      ASSERT_EQ(s.CurrentTimbre(), kTimbre);
    }
  });

  first.Unplug();
  Tick();
  ASSERT_FALSE(model->GetConnected());
  SimSynthDevice& back = AddSynth(TestSynthSettings());
  back.With(instrument);
  Tick();
  ASSERT_TRUE(model->GetConnected());
  env.loop().RunFor(1000);

  EXPECT_EQ(model->GetMode(), mode);
  const SSoundIndex now = model->GetCurSound(true);
  EXPECT_EQ(now.bank, shown.bank) << "the editor shows a sound of another bank";
  EXPECT_EQ(now.number, shown.number) << "the editor shows another sound";
  int playedMode = -1, timbre = -1, bank = -1, number = -1;
  Bytes memory;
  back.With([&](SimSynth& s) {
    playedMode = s.Mode();
    timbre = s.CurrentTimbre();
    bank = s.CurrentBank();
    number = s.CurrentProgram();
    memory = s.Memory();
  });
  EXPECT_EQ(playedMode, mode);
  const size_t editBuffer = program ? SimSynth::kProgEditOffset : SimSynth::kCombiEditOffset;
  const size_t size = program ? SynthSysEx::kProgSize : SynthSysEx::kCombiSize;
  const size_t stored = program ? SimSynth::ProgOffset(shown.bank, shown.number)
                                : SimSynth::CombiOffset(shown.number);
  if (program) {
    EXPECT_EQ(timbre, kTimbre) << "program mode was entered from another timbre";
    EXPECT_EQ(bank, shown.bank);
    EXPECT_EQ(number, shown.number) << "the instrument plays another program";
  }
  EXPECT_TRUE(test::Region(memory.data(), editBuffer, size) == test::Region(memory.data(), stored, size))
      << "the instrument's edit buffer does not hold the sound the editor shows";
  EXPECT_TRUE(test::Region(Image(), editBuffer, size) == test::Region(memory.data(), stored, size))
      << "the editor's edit buffer is not the sound stored where it says it is";
}

INSTANTIATE_TEST_SUITE_P(InEveryMode, ARestartedSynthesizer,
                         ::testing::Values(Reached::kPerformance, Reached::kProgramFromTimbre,
                                           Reached::kProgramChosen),
                         [](const ::testing::TestParamInfo<Reached>& info) {
                           switch (info.param) {
                             case Reached::kPerformance: return std::string("Performance");
                             case Reached::kProgramFromTimbre: return std::string("ProgramFromATimbre");
                             default: return std::string("ProgramChosenInProgramMode");
                           }
                         });

// The stored ports were missing when the connection was asked for, and the
// rescan question was declined or found nothing: the synthesizer switched on
// afterwards is connected as the connection would have done it.
class StoredPortsMissingAtStart : public RemoteSynthLostLinkTest,
                                  public ::testing::WithParamInterface<int> {};

TEST_P(StoredPortsMissingAtStart, TheSynthesizerSwitchedOnLaterIsConnectedAndSynchronised) {
  SimSynthDevice& former = Connected(TestSynthSettings());
  ASSERT_TRUE(model->GetConnected());
  model->Disconnect();
  former.Unplug();

  os::HeadlessAlert::Script(GetParam());
  EXPECT_FALSE(model->Connect(false, true));
  Tick();
  Tick();
  EXPECT_FALSE(model->GetConnected());

  SimSynthDevice& synth = AddSynth(TestSynthSettings());
  synth.With([](SimSynth& s) { Pattern(s, 21); });
  Tick();
  ASSERT_TRUE(model->GetConnected());
  env.loop().RunPending();
  EXPECT_EQ(sink.Of("conn").back().a, 1);
  EXPECT_EQ(ImageBody(), MemoryBody(synth.Memory())) << "the connection did not synchronise";
  const auto asked = os::HeadlessAlert::Transcript();
  ASSERT_EQ(asked.size(), 1u) << "only the start-up question";
  EXPECT_EQ(asked[0].request.explanation, "Vesk Hardware not found.\nRescan all the MIDI devices?");

  ISection* edit = model->GetEditBuffer(3);
  ASSERT_NE(edit, nullptr);
  edit->PutParamI(kOsc1Volume, 77);
  ASSERT_TRUE(env.loop().RunUntil([&] { return ParamChangesAt(synth) == 1; }, 1000));
  EXPECT_EQ(synth.Log().back().value, 77);
}

INSTANTIATE_TEST_SUITE_P(RescanQuestion, StoredPortsMissingAtStart, ::testing::Values(1, 2),
                         [](const ::testing::TestParamInfo<int>& info) {
                           return std::string(info.param == 1 ? "AnsweredOK" : "AnsweredCancel");
                         });

// Edits made while the synthesizer was away (it went while connected, or
// was missing when the connection was asked for and the rescan declined),
// and the answer to the question the connection that takes it up asks.
struct AwayCase {
  bool lost;   // else missing at the start
  int answer;  // 1 OK: keep the edits, 2 Cancel: the synthesizer's memory
};

class EditsWhileAway : public RemoteSynthLostLinkTest,
                       public ::testing::WithParamInterface<AwayCase> {};

// The connection asks which side to keep. Kept, the edits go over the memory
// it receives and to the synthesizer, which keeps everything else it held
// (its stored sounds, the rest of its global block); given up, the editor
// takes the synthesizer's memory and sends it nothing.
TEST_P(EditsWhileAway, AreKeptOrGivenUpAsTheQuestionIsAnswered) {
  constexpr int kMasterTune = static_cast<int>(0x80000100u);  // the global block's byte 0
  constexpr int kTimbre1Volume = 0x202;
  const AwayCase c = GetParam();
  size_t questionsBefore = 0;
  if (c.lost) {
    SimSynthDevice& first = Ready();
    first.Unplug();
    Tick();
  } else {
    SimSynthDevice& former = Connected(TestSynthSettings());
    model->Disconnect();
    former.Unplug();
    os::HeadlessAlert::Script(2);  // no rescan
    EXPECT_FALSE(model->Connect(false, true));
    questionsBefore = 1;
    Tick();
  }
  ASSERT_FALSE(model->GetConnected());
  ASSERT_EQ(model->GetMode(), eMode_Combi);
  ISection* global = model->GetGlobal();
  // (The performance routes a timbre's parameter to the timbre's section.)
  ISection* performance = nullptr;
  ASSERT_TRUE(model->GetEditBuffer(eMode_Combi)->FindSectionByPID(kTimbre1Volume, &performance));
  const int tune = global->GetParamI(kMasterTune) == 17 ? 18 : 17;
  const int volume = performance->GetParamI(kTimbre1Volume) == 33 ? 34 : 33;
  global->PutParamI(kMasterTune, tune);
  performance->PutParamI(kTimbre1Volume, volume);

  SimSynthDevice& back = AddSynth(TestSynthSettings());
  back.With([](SimSynth& s) {
    Pattern(s, 77);
    s.ShapeAsInstrument();
  });
  const Bytes held = back.Memory();
  os::HeadlessAlert::Script(c.answer);
  Tick();
  ASSERT_TRUE(model->GetConnected());
  env.loop().RunFor(1000);

  const auto asked = os::HeadlessAlert::Transcript();
  ASSERT_EQ(asked.size(), questionsBefore + 1);
  const os::Alert::Request& q = asked.back().request;
  EXPECT_EQ(q.explanation,
            "The sounds in the editor were changed while the Vesk was away.\n\nOK: keep these "
            "changes and send them to the Vesk, without writing them into its memory.\nCancel: "
            "receive the Vesk's memory instead; the changes are lost.");
  EXPECT_EQ(q.buttons, (std::vector<std::string>{"OK", "Cancel"}));
  ASSERT_FALSE(OverProgressAlert::Over().empty());
  EXPECT_FALSE(OverProgressAlert::Over().back()) << "asked over the progress window";
  const Bytes now = back.Memory();
  const Bytes image = ImageBody();
  std::string apart;
  for (size_t i = 0; i < image.size(); ++i)
    if (image[i] != now[i] && i != CHUNK_GLOBAL::kSendScratch) apart += " " + std::to_string(i);
  EXPECT_EQ(apart, "") << "bytes in which the editor and the synthesizer are not in step";
  const bool keep = c.answer == 1;
  EXPECT_EQ(global->GetParamI(kMasterTune) == tune, keep);
  EXPECT_EQ(performance->GetParamI(kTimbre1Volume) == volume, keep);
  EXPECT_EQ(now[0] != held[0], keep) << "the synthesizer's master tune";
  // Nothing else of what the synthesizer held is lost: its stored sounds
  // and the rest of its global block.
  EXPECT_TRUE(test::Region(now.data(), L::kProgBanks, L::kProgEditBuffer - L::kProgBanks) ==
              test::Region(held.data(), L::kProgBanks, L::kProgEditBuffer - L::kProgBanks));
  std::string changed;
  for (size_t i = 1; i < L::kProgBanks; ++i)
    if (i != CHUNK_GLOBAL::kSendScratch && now[i] != held[i]) changed += " " + std::to_string(i);
  EXPECT_EQ(changed, "") << "bytes of the synthesizer's global block that were not edited";
  std::vector<std::string> dumps;
  for (const SimSynthEvent& e : back.Log())
    if (e.kind == SimSynthEvent::kDumpReceived)
      dumps.push_back(std::to_string(e.dumpKind) + (e.current ? " current" : " stored"));
  EXPECT_EQ(dumps, keep ? (std::vector<std::string>{"3 stored", "1 current"}) : std::vector<std::string>{})
      << "(kinds: 3 global, 1 performance)";
}

INSTANTIATE_TEST_SUITE_P(AwayAndAnswer, EditsWhileAway,
                         ::testing::Values(AwayCase{true, 1}, AwayCase{true, 2}, AwayCase{false, 1},
                                           AwayCase{false, 2}),
                         [](const ::testing::TestParamInfo<AwayCase>& info) {
                           return std::string(info.param.lost ? "Lost" : "MissingAtStart") +
                                  (info.param.answer == 1 ? "KeepTheEdits" : "TakeTheSynthesizers");
                         });

// The runs of bytes in [from, to) for which `differ` holds, as "a-b" (both
// included), for a failure message that can be read.
std::string Runs(size_t from, size_t to, const std::function<bool(size_t)>& differ) {
  std::string runs;
  for (size_t i = from; i < to;) {
    if (!differ(i)) {
      ++i;
      continue;
    }
    const size_t start = i;
    while (i < to && differ(i)) ++i;
    runs += " " + std::to_string(start) + (i - 1 > start ? "-" + std::to_string(i - 1) : "");
  }
  return runs;
}

// Sounds loaded while the synthesizer was away, and the edits kept with OK.
enum class Then { kNothing, kAnotherChosen, kAnotherChosenAndEdited };
struct AwayLoad {
  std::string what;
  FTYPE type;
  bool chunk;         // a host's chunk of one sound, else a data file
  uint32_t selector;  // the bank of a bank file
  Then then;          // what the person did after the load
  std::vector<std::string> written;  // into the synthesizer's memory
};

void PrintTo(const AwayLoad& c, std::ostream* os) { *os << c.what; }

class AwayLoads : public RemoteSynthLostLinkTest {
 protected:
  // The synthesizer the model was connected to goes away.
  void Away() {
    Ready();
    synths.front()->Unplug();
    Tick();
    ASSERT_FALSE(model->GetConnected());
  }
  // Another editor's sounds (its current program in `bank`), saved as the
  // kind into `saved`; that editor's image.
  Bytes SavedElsewhere(FTYPE type, uint32_t bank, std::stringstream& saved) {
    CRemoteSynthImpl source(nullptr);
    SimSynth s(TestSynthSettings());
    Pattern(s, 5);
    std::memcpy(source.GetRawChunk().data(), s.Memory().data(), SimSynth::kCombiEditOffset + L::kCombiSize);
    // (A bank file holds the current program's bank.)
    source.GetRawChunk().GetCurProg().Set(static_cast<int>(bank), 0);
    EXPECT_TRUE(source.SaveStream(saved, type, bank));
    return test::Region(source.GetRawChunk().data(), 0, CHUNK_REMOTESYNTH::kSize);
  }
  // A synthesizer with another memory (`held`) comes back, and the edits
  // are kept with OK.
  SimSynthDevice& BackAndKept(Bytes* held) {
    SimSynthDevice& back = AddSynth(TestSynthSettings());
    back.With([](SimSynth& s) {
      Pattern(s, 77);
      s.ShapeAsInstrument();
    });
    *held = back.Memory();
    os::HeadlessAlert::Script(1);
    Tick();
    EXPECT_TRUE(model->GetConnected());
    env.loop().RunFor(1000);
    return back;
  }
};

class LoadedWhileAway : public AwayLoads, public ::testing::WithParamInterface<AwayLoad> {};

// Kept with OK, what was loaded while the synthesizer was away reaches it as
// the same load reaches it when connected: a host's chunk of one sound is
// sent without a write; a data file, whose question said that the sounds
// stored there are replaced, is also written into the synthesizer's memory,
// where it replaced sounds and nowhere else. The question says which.
TEST_P(LoadedWhileAway, ReachesTheSynthesizerAsWhenConnected) {
  const AwayLoad c = GetParam();
  ASSERT_NO_FATAL_FAILURE(Away());
  ASSERT_EQ(model->GetMode(), eMode_Combi);
  std::stringstream saved;
  const Bytes source = SavedElsewhere(c.type, c.selector, saved);
  if (c.chunk) {
    ASSERT_TRUE(model->LoadStreamFromHost(saved, true, false));
  } else {
    CDirtyFlagSet dirty;
    ASSERT_TRUE(model->LoadStream(saved, c.selector, false, false, dirty));
  }
  // Where it went in the image (and so in the synthesizer's memory), and
  // where it was in the other editor's.
  struct Replaced {
    size_t at, size, from;
  };
  const auto prog = model->GetRawChunk().GetCurProg();
  const size_t progAt = L::kProgBanks + prog.GetBank() * L::kProgBankSize + prog.GetNumber() * L::kProgSize;
  const size_t combiAt = L::kCombis + model->GetRawChunk().GetCurCombi().GetNumber() * L::kCombiSize;
  const size_t bankAt = L::kProgBanks + c.selector * L::kProgBankSize;
  std::vector<Replaced> replaced;
  switch (c.type) {
    case FTYPE::Prog: case FTYPE::VSTProg: replaced = {{progAt, L::kProgSize, L::kProgEditBuffer}}; break;
    case FTYPE::Combi: case FTYPE::VSTCombi: replaced = {{combiAt, L::kCombiSize, L::kCombiEditBuffer}}; break;
    case FTYPE::ProgBank: replaced = {{bankAt, L::kProgBankSize, bankAt}}; break;
    case FTYPE::AllCombis: replaced = {{L::kCombis, L::kCombisSize, L::kCombis}}; break;
    default: FAIL() << "no case for the kind";
  }
  if (c.then != Then::kNothing) {
    const int other = (model->GetRawChunk().GetCurCombi().GetNumber() + 1) % 20;
    model->PutCurSound({0, static_cast<uint8_t>(other)});
    ASSERT_EQ(model->GetRawChunk().GetCurCombi().GetNumber(), other);
  }
  if (c.then == Then::kAnotherChosenAndEdited) {
    ISection* performance = nullptr;
    ASSERT_TRUE(model->GetEditBuffer(eMode_Combi)->FindSectionByPID(0x202, &performance));
    performance->PutParamI(0x202, performance->GetParamI(0x202) == 33 ? 34 : 33);
  }

  Bytes held;
  SimSynthDevice& back = BackAndKept(&held);
  ASSERT_TRUE(model->GetConnected());
  const auto asked = os::HeadlessAlert::Transcript();
  ASSERT_EQ(asked.size(), 1u);
  const std::string ok = c.written.empty()
                             ? "OK: keep these changes and send them to the Vesk, without writing them into its memory."
                             : "OK: keep these changes and send them to the Vesk; only what you loaded from data "
                               "files is written into its memory.";
  EXPECT_EQ(asked[0].request.explanation, "The sounds in the editor were changed while the Vesk was away.\n\n" + ok +
                                              "\nCancel: receive the Vesk's memory instead; the changes are lost.");
  std::vector<std::string> written;
  for (const SimSynthEvent& e : back.Log()) {
    if (e.kind == SimSynthEvent::kWrite)
      written.push_back("write " + std::to_string(e.dumpKind) + " " + std::to_string(e.bank) + " " + std::to_string(e.number));
    if (e.kind == SimSynthEvent::kBankStore)
      written.push_back("store " + std::to_string(e.dumpKind) + " " + std::to_string(e.bank));
  }
  EXPECT_EQ(written, c.written) << "what the synthesizer wrote into its memory (kinds: 0 program, 1 performance)";
  const Bytes now = back.Memory();
  const Bytes image = ImageBody();
  EXPECT_EQ(Runs(0, image.size(), [&](size_t i) { return image[i] != now[i] && i != CHUNK_GLOBAL::kSendScratch; }), "")
      << "bytes in which the editor and the synthesizer are not in step";
  // Its stored sounds hold what was loaded where it went, and their own
  // everywhere else.
  const uint8_t* loaded = source.data();
  for (const Replaced& r : replaced)
    EXPECT_EQ(Runs(0, r.size, [&](size_t i) { return now[r.at + i] != loaded[r.from + i]; }), "")
        << "bytes of the loaded sounds at " << r.at << " that did not arrive";
  const auto elsewhere = [&](size_t i) {
    return now[i] != held[i] && std::none_of(replaced.begin(), replaced.end(), [&](const Replaced& r) {
             return i >= r.at && i < r.at + r.size;
           });
  };
  EXPECT_EQ(Runs(L::kProgBanks, L::kProgEditBuffer, elsewhere), "")
      << "stored bytes of the synthesizer that nothing loaded replaced";
}

INSTANTIATE_TEST_SUITE_P(
    AwayAndKept, LoadedWhileAway,
    ::testing::Values(
        AwayLoad{"PerformanceChunk", FTYPE::VSTCombi, true, 0, Then::kNothing, {}},
        AwayLoad{"ProgramChunk", FTYPE::VSTProg, true, 0, Then::kNothing, {}},
        AwayLoad{"PerformanceFile", FTYPE::Combi, false, 0, Then::kNothing, {"write 1 0 0"}},
        // (The write goes through the edit buffer, which then holds the
        // sound the editor shows again.)
        AwayLoad{"PerformanceFileThenAnotherChosen", FTYPE::Combi, false, 0, Then::kAnotherChosen, {"write 1 0 0"}},
        AwayLoad{"PerformanceFileThenAnotherEdited", FTYPE::Combi, false, 0, Then::kAnotherChosenAndEdited,
                 {"write 1 0 0"}},
        AwayLoad{"ProgramFile", FTYPE::Prog, false, 0, Then::kNothing, {"write 0 0 0"}},
        AwayLoad{"ProgramBankFile", FTYPE::ProgBank, false, 2, Then::kNothing, {"store 0 2"}},
        AwayLoad{"AllPerformancesFile", FTYPE::AllCombis, false, 0, Then::kNothing, {"store 1 0"}}),
    [](const ::testing::TestParamInfo<AwayLoad>& info) { return info.param.what; });

// A performance loaded from a data file while the synthesizer was away, then
// initialised: the file's write is taken back with the file's sound, as
// initialising sends only the performance being edited. Store Performance,
// which needs the synthesizer, does nothing meanwhile.
TEST_F(AwayLoads, AnInitialisedPerformanceIsNotWrittenThoughAFileWasLoadedThere) {
  ASSERT_NO_FATAL_FAILURE(Away());
  std::stringstream file;
  SavedElsewhere(FTYPE::Combi, 0, file);
  CDirtyFlagSet dirty;
  ASSERT_TRUE(model->LoadStream(file, 0, false, false, dirty));
  model->ExecCommand(kCmdInitCombination, 0, 0, 0, 0, nullptr);
  const Bytes initialised = ImageBody();
  unsigned long status = 0;
  EXPECT_FALSE(model->ExecCommand(kCmdWriteCurrentSound, eMode_Combi, 0, 0, 0, &status));
  EXPECT_TRUE(ImageBody() == initialised) << "Store Performance changed the image while the synthesizer was away";

  Bytes held;
  SimSynthDevice& back = BackAndKept(&held);
  ASSERT_TRUE(model->GetConnected());
  const auto asked = os::HeadlessAlert::Transcript();
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_NE(asked[0].request.explanation.find("without writing them into its memory"), std::string::npos)
      << asked[0].request.explanation;
  for (const SimSynthEvent& e : back.Log()) EXPECT_NE(e.kind, SimSynthEvent::kWrite) << "a write of " << e.number;
  const Bytes now = back.Memory();
  const size_t at = L::kCombis + model->GetRawChunk().GetCurCombi().GetNumber() * L::kCombiSize;
  EXPECT_TRUE(test::Region(now.data(), at, L::kCombiSize) == test::Region(initialised.data(), at, L::kCombiSize))
      << "the synthesizer does not hold the initialised performance";
  EXPECT_TRUE(test::Region(now.data(), L::kCombiEditBuffer, L::kCombiSize) ==
              test::Region(initialised.data(), L::kCombiEditBuffer, L::kCombiSize))
      << "the synthesizer does not play the initialised performance";
}

// The plug-in closing while the question is open: the connection is aborted
// and the question ends as cancelled. Nothing is received, and the edit (of
// the program shown, which the connection's steps load anew) stays.
TEST_F(RemoteSynthLostLinkTest, EditsWhileAwayOutlastAQuestionEndedByClosing) {
  SimSynthDevice& first = Ready();
  ProgramMode();
  first.Unplug();
  Tick();
  ASSERT_FALSE(model->GetConnected());
  ISection* edit = model->GetEditBuffer(eMode_ProgEdit);
  const int value = edit->GetParamI(kOsc1Volume) == 33 ? 34 : 33;
  edit->PutParamI(kOsc1Volume, value);

  SimSynthDevice& back = AddSynth(TestSynthSettings());
  back.With([](SimSynth& s) { Pattern(s, 77); });
  struct ClosingAlert : os::HeadlessAlert {
    CRemoteSynthImpl* model;
    int Run(const Request& request) override {
      HeadlessAlert::Run(request);
      model->AbortConnection();
      return 2;
    }
  };
  CRemoteSynthImpl* m = model.get();
  os::Alert::SetFactory([m] {
    auto alert = std::make_unique<ClosingAlert>();
    alert->model = m;
    return alert;
  });
  Tick();
  env.loop().RunFor(1000);
  ASSERT_EQ(os::HeadlessAlert::Transcript().size(), 1u) << "no question about the edit";
  EXPECT_EQ(edit->GetParamI(kOsc1Volume), value) << "the edit was lost";
  for (const SimSynthEvent& e : back.Log()) EXPECT_NE(e.kind, SimSynthEvent::kDumpReceived) << "something was sent";
}

TEST_F(RemoteSynthLostLinkTest, ASynthesizerLostDuringReceiveAllEndsItAtOnceWithoutItsWindow) {
  SimSynthDevice& dev = Connected(TestSynthSettings());
  ASSERT_TRUE(model->GetConnected());
  uint64_t lostAt = 0;
  At(300, [&] {
    lostAt = NowMs();
    dev.Unplug();
  });
  unsigned long status = 0;
  EXPECT_FALSE(model->ExecCommand(kCmdReceiveAll, 0, 0, 0, 0, &status));
  ASSERT_NE(lostAt, 0u) << "the transfer ended before the synthesizer went";
  // Well before any time-out of the transfer's requests.
  EXPECT_LT(NowMs() - lostAt, 500u);
  EXPECT_EQ(static_cast<int>(status), kRemoteFailed);
  EXPECT_EQ(os::HeadlessProgressWindow::Current(), nullptr);
  EXPECT_TRUE(os::HeadlessAlert::Transcript().empty());
  Tick();
  EXPECT_FALSE(model->GetConnected());
}

// Every question the connection asks comes after its progress window is
// gone, not on top of it.
TEST_F(RemoteSynthLostLinkTest, QuestionsDuringAConnectionAreAskedWithoutTheSearchWindow) {
  // The stored ports are gone: the rescan question, answered OK.
  SimSynthDevice& first = Connected(TestSynthSettings());
  ASSERT_TRUE(model->GetConnected());
  model->Disconnect();
  first.Unplug();
  SimSynthSettings refusing = TestSynthSettings();
  refusing.dumpRequestStatus = 3;
  AddSynth(refusing, "Vesk B");
  os::HeadlessAlert::Script(1);  // rescan
  // The synchronisation then fails: the retry question, declined.
  os::HeadlessAlert::Script(2);
  EXPECT_TRUE(model->Connect(false, true));
  const auto shown = os::HeadlessAlert::Transcript();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].request.explanation, "Vesk Hardware not found.\nRescan all the MIDI devices?");
  EXPECT_EQ(shown[1].request.explanation.rfind("- If you're using a USB hub", 0), 0u);
  EXPECT_EQ(OverProgressAlert::Over(), (std::vector<bool>{false, false}));
  EXPECT_EQ(os::HeadlessProgressWindow::Current(), nullptr);
}

}  // namespace
}  // namespace vesk::test
