// The model's utility commands that send, request and edit, against the
// simulated synthesizer: what arrives on each side, and how they fail.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "model/ISection.h"
#include "model/InitChunks.h"
#include "model/XEUtils.h"
#include "os/ProgressWindow.h"
#include "remote/RemoteStatus.h"
#include "tests/remote/ModelTestSupport.h"

namespace vesk::test {
namespace {

using namespace Oskend;
using L = Oskend::RemoteSynthLayout;
using Bytes = std::vector<uint8_t>;

constexpr size_t kProgs = L::kProgBanks, kBank = L::kProgBankSize, kCombis = L::kCombis,
                 kProgEdit = L::kProgEditBuffer, kCombiEdit = L::kCombiEditBuffer,
                 kProg = L::kProgSize, kCombi = L::kCombiSize;
constexpr unsigned long kRefusedStatus = static_cast<std::uint32_t>(kRemoteFailed);
constexpr unsigned long kWrongKindStatus = static_cast<std::uint32_t>(kSynthStatus4);

// A selection of sounds and the part of the image that must then be the
// same on both sides.
struct Selection {
  const char* what;
  int kind, bank, number, flags;
  size_t offset, size;
};

class RemoteSynthCommandTest : public ::testing::Test, public ModelTest {
 protected:
  // Gives the image other sounds than the instrument's (the global block stays).
  void OtherSounds(uint32_t seed) {
    SimSynth s(TestSynthSettings());
    Pattern(s, seed);
    std::memcpy(Image() + kProgs, s.Memory().data() + kProgs, kCombiEdit + kCombi - kProgs);
  }
  bool Sent(SimSynthDevice& dev, SimSynthEvent::Kind kind) {
    for (const auto& e : dev.Log())
      if (e.kind == kind) return true;
    return false;
  }
};

TEST_F(RemoteSynthCommandTest, SendingASelectionPutsItIntoTheInstrument) {
  const Selection cases[] = {
      {"all programs", 2, -1, -1, 2, kProgs, 4 * kBank},
      {"program bank B", 3, 1, -1, 2, kProgs + kBank, kBank},
      {"program D 7", 2, 3, 7, 2, kProgs + 3 * kBank + 7 * kProg, kProg},
      {"all combinations", 0, -1, -1, 2, kCombis, 20 * kCombi},
      {"combination bank", 1, 0, -1, 2, kCombis, 20 * kCombi},
      {"combination 4", 0, 0, 4, 2, kCombis + 4 * kCombi, kCombi},
      {"current program", 2, 0, 0, 1, kProgEdit, kProg},
      {"current combination", 0, 0, 0, 1, kCombiEdit, kCombi},
  };
  SimSynthDevice& dev = Ready();
  for (const Selection& c : cases) {
    OtherSounds(31);
    const Bytes before = Region(dev.Memory().data(), c.offset, c.size);
    ASSERT_NE(before, Region(Image(), c.offset, c.size)) << c.what;
    unsigned long status = 1;
    EXPECT_TRUE(model->ExecCommand(kCmdSendSelection, c.kind, c.bank, c.number, c.flags, &status)) << c.what;
    EXPECT_EQ(status, 0u) << c.what;
    EXPECT_EQ(Region(dev.Memory().data(), c.offset, c.size), Region(Image(), c.offset, c.size))
        << c.what;
    // Restore the instrument's side for the next case.
    dev.With(
        [&](SimSynth& s) { std::memcpy(s.Memory().data() + c.offset, before.data(), c.size); });
  }
  EXPECT_EQ(os::HeadlessProgressWindow::Current(), nullptr);
}

TEST_F(RemoteSynthCommandTest, WholeBanksShowTheirTitleWhileTheyArrive) {
  Ready();
  const struct {
    int kind, bank;
    std::string title;
  } cases[] = {
      {0, -1, "All Performance Receiving..."},
      {2, 3, "PROGRAM " + XEUtils::GetProgramBankString(eBankID_D) + " Receiving..."},
  };
  for (const auto& c : cases) {
    bool shown = false;
    const auto watch = env.loop().AddTimer(1, 1, [&] {
      if (auto* w = os::HeadlessProgressWindow::Current())
        shown |= w->text().rfind(c.title, 0) == 0;
    });
    EXPECT_TRUE(model->ExecCommand(kCmdRequestSelection, c.kind, c.bank, -1, 2, nullptr)) << c.title;
    env.loop().RemoveTimer(watch);
    EXPECT_TRUE(shown) << c.title;
    EXPECT_EQ(os::HeadlessProgressWindow::Current(), nullptr);
  }
}

TEST_F(RemoteSynthCommandTest, SendingTheCurrentProgramWithStoreWritesItIntoItsPlace) {
  SimSynthDevice& dev = Ready();
  Image()[kProgEdit + 300] ^= 0x33;
  const Bytes edit = Region(Image(), kProgEdit, kProg);
  const size_t place = kProgs + kBank + 5 * kProg;  // B 5
  unsigned long status = 1;
  EXPECT_TRUE(model->ExecCommand(kCmdSendSelection, 2, 1, 5, 7, &status));
  EXPECT_EQ(status, 0u);
  EXPECT_EQ(Region(Image(), place, kProg), edit);
  EXPECT_EQ(Region(dev.Memory().data(), place, kProg), edit);
  bool wrote = false;
  for (const auto& e : dev.Log())
    wrote |= e.kind == SimSynthEvent::kWrite && e.dumpKind == 0 && e.bank == 1 && e.number == 5;
  EXPECT_TRUE(wrote);

  // The same for a combination.
  Image()[kCombiEdit + 40] ^= 0x44;
  const Bytes combi = Region(Image(), kCombiEdit, kCombi);
  EXPECT_TRUE(model->ExecCommand(kCmdSendSelection, 0, 0, 9, 7, &status));
  EXPECT_EQ(Region(Image(), kCombis + 9 * kCombi, kCombi), combi);
  EXPECT_EQ(Region(dev.Memory().data(), kCombis + 9 * kCombi, kCombi), combi);
}

TEST_F(RemoteSynthCommandTest, RequestingASelectionFetchesItFromTheInstrument) {
  const Selection cases[] = {
      {"all programs", 2, -1, -1, 2, kProgs, 4 * kBank},
      {"program bank C", 2, 2, -1, 2, kProgs + 2 * kBank, kBank},
      {"program A 3", 3, 0, 3, 2, kProgs + 3 * kProg, kProg},
      {"all combinations", 1, -1, -1, 2, kCombis, 20 * kCombi},
      {"combination 6", 0, 0, 6, 2, kCombis + 6 * kCombi, kCombi},
      {"current program", 2, 0, 0, 1, kProgEdit, kProg},
      {"current combination", 0, 0, 0, 1, kCombiEdit, kCombi},
  };
  SimSynthDevice& dev = Ready();
  for (const Selection& c : cases) {
    OtherSounds(57);
    const Bytes other = Region(Image(), c.offset, c.size);
    ASSERT_NE(other, Region(dev.Memory().data(), c.offset, c.size)) << c.what;
    unsigned long status = 1;
    EXPECT_TRUE(model->ExecCommand(kCmdRequestSelection, c.kind, c.bank, c.number, c.flags, &status)) << c.what;
    EXPECT_EQ(status, 0u) << c.what;
    env.loop().RunPending();
    EXPECT_EQ(Region(Image(), c.offset, c.size), Region(dev.Memory().data(), c.offset, c.size))
        << c.what;
  }
  // Only the bank asked for arrives.
  OtherSounds(58);
  const Bytes bankD = Region(Image(), kProgs + 3 * kBank, kBank);
  EXPECT_TRUE(model->ExecCommand(kCmdRequestSelection, 2, 2, -1, 2, nullptr));
  EXPECT_EQ(Region(Image(), kProgs + 3 * kBank, kBank), bankD);
}

TEST_F(RemoteSynthCommandTest, SelectionsFailWithTheirStatus) {
  SimSynthDevice& dev = Ready();
  struct Case {
    int cmd, kind, bank, number, flags;
    unsigned long status;
  } invalid[] = {
      {kCmdSendSelection, 4, 0, 0, 2, kWrongKindStatus},
      {kCmdRequestSelection, 4, 0, 0, 2, kWrongKindStatus},
      {kCmdSendSelection, -1, 0, 0, 1, kWrongKindStatus},
      {kCmdRequestSelection, 6, 0, 0, 1, kWrongKindStatus},
      {kCmdSendSelection, 0, 1, 0, 2, kRefusedStatus},
      {kCmdRequestSelection, 1, 0, 20, 2, kRefusedStatus},
      {kCmdSendSelection, 2, 4, 0, 2, kRefusedStatus},
      {kCmdRequestSelection, 3, 0, 128, 2, kRefusedStatus},
  };
  dev.With([](SimSynth& s) { s.ClearLog(); });
  const Bytes image = ImageBody();
  for (const Case& c : invalid) {
    unsigned long status = 0;
    EXPECT_FALSE(model->ExecCommand(c.cmd, c.kind, c.bank, c.number, c.flags, &status)) << c.cmd;
    EXPECT_EQ(status, c.status) << c.cmd << " kind " << c.kind;
  }
  EXPECT_TRUE(dev.Log().empty());
  EXPECT_EQ(ImageBody(), image);

  // The instrument's own status: write-protected, and requests refused.
  dev.With([](SimSynth& s) {
    s.Settings().statusByte = 2;
    s.Settings().dumpRequestStatus = 3;
  });
  unsigned long status = 0;
  EXPECT_FALSE(model->ExecCommand(kCmdSendSelection, 2, 1, 5, 2, &status));
  EXPECT_EQ(status, static_cast<unsigned long>(static_cast<uint32_t>(kSynthStatus2)));
  EXPECT_FALSE(model->ExecCommand(kCmdRequestSelection, 2, 1, 5, 2, &status));
  EXPECT_EQ(status, static_cast<unsigned long>(static_cast<uint32_t>(kSynthStatus3)));
  EXPECT_EQ(ImageBody(), image);
  EXPECT_EQ(os::HeadlessProgressWindow::Current(), nullptr);
}

TEST_F(RemoteSynthCommandTest, WhileDisconnectedTheHardwareCommandsFail) {
  Ready();
  model->Disconnect();
  unsigned long status = 0;
  EXPECT_FALSE(model->ExecCommand(kCmdSendSelection, 2, 1, 5, 2, &status));
  EXPECT_EQ(status, kRefusedStatus);
  EXPECT_FALSE(model->ExecCommand(kCmdRequestSelection, 0, -1, -1, 2, &status));
  EXPECT_EQ(status, kRefusedStatus);
  EXPECT_FALSE(model->ExecCommand(kCmdTransmitGlobal, 0, 0, 0, 0, nullptr));
  EXPECT_FALSE(model->ExecCommand(kCmdReceiveGlobal, 0, 0, 0, 0, nullptr));
  // Edits keep their change in the image while the hardware does not have it.
  uint8_t* edit = Image() + kProgEdit;
  const Bytes lfo1 = Region(edit, 712 + 48, 28);
  EXPECT_FALSE(model->ExecCommand(kCmdSwapLFOsOfOSC1, 0, 0, 0, 0, nullptr));
  EXPECT_EQ(Region(edit, 712 + 76, 28), lfo1);
}

TEST_F(RemoteSynthCommandTest, SwapCommandsExchangeAndReSend) {
  SimSynthDevice& dev = Ready();
  ProgramMode();
  uint8_t* edit = Image() + kProgEdit;
  struct Case {
    int cmd, a1, a2;
    size_t first, second, size;
  } cases[] = {
      {kCmdSwapLFOsOfOSC1, 0, 0, 712 + 48, 712 + 76, 28},       // LFOs of oscillator 1
      {kCmdSwapInsertEffects, 0, 3, 24, 24 + 3 * 76, 76},       // insert effects 1 and 4
      {kCmdSwapInsertEffects, 4, 1, 24 + 4 * 76, 24 + 76, 76},  // insert effects 5 and 2
  };
  for (const Case& c : cases) {
    const Bytes a = Region(edit, c.first, c.size), b = Region(edit, c.second, c.size);
    ASSERT_NE(a, b);
    EXPECT_TRUE(model->ExecCommand(c.cmd, c.a1, c.a2, 0, 0, nullptr)) << c.cmd;
    EXPECT_EQ(Region(edit, c.first, c.size), b) << c.cmd;
    EXPECT_EQ(Region(edit, c.second, c.size), a) << c.cmd;
    EXPECT_EQ(Region(dev.Memory().data(), kProgEdit, kProg), Region(edit, 0, kProg)) << c.cmd;
  }

  // Oscillators swap only in double mode.
  edit[620] = static_cast<uint8_t>((edit[620] & ~0x07) | 0);  // single
  dev.With([](SimSynth& s) { s.ClearLog(); });
  const Bytes single = Region(edit, 0, kProg);
  EXPECT_FALSE(model->ExecCommand(kCmdSwapOscillators, 0, 0, 0, 0, nullptr));
  EXPECT_EQ(Region(edit, 0, kProg), single);
  EXPECT_TRUE(dev.Log().empty());
  edit[620] = static_cast<uint8_t>((edit[620] & ~0x07) | 1);  // double
  const Bytes osc1 = Region(edit, 712, 380), osc2 = Region(edit, 1092, 380);
  EXPECT_TRUE(model->ExecCommand(kCmdSwapOscillators, 0, 0, 0, 0, nullptr));
  EXPECT_EQ(Region(edit, 712, 380), osc2);
  EXPECT_EQ(Region(edit, 1092, 380), osc1);
  EXPECT_EQ(Region(dev.Memory().data(), kProgEdit, kProg), Region(edit, 0, kProg));

  // In combination mode the combination's insert effects swap.
  model->PutMode(eMode_Combi);
  env.loop().RunFor(500);
  ASSERT_EQ(model->GetSoundMode(), 0);
  uint8_t* combi = Image() + kCombiEdit;
  const Bytes c1 = Region(combi, 24, 76), c2 = Region(combi, 24 + 76, 76);
  EXPECT_TRUE(model->ExecCommand(kCmdSwapInsertEffects, 1, 0, 0, 0, nullptr));
  EXPECT_EQ(Region(combi, 24, 76), c2);
  EXPECT_EQ(Region(combi, 24 + 76, 76), c1);
  EXPECT_EQ(Region(dev.Memory().data(), kCombiEdit, kCombi), Region(combi, 0, kCombi));
  // Out of range or the same slot.
  for (const auto& a : {std::pair{0, 0}, {0, 5}, {-1, 2}})
    EXPECT_FALSE(model->ExecCommand(kCmdSwapInsertEffects, a.first, a.second, 0, 0, nullptr));
}

TEST_F(RemoteSynthCommandTest, CopyingInsertEffectOneFromAStoredProgram) {
  SimSynthDevice& dev = Ready();
  uint8_t* img = Image();
  uint8_t* edit = img + kProgEdit;
  uint8_t* src = img + kProgs + 2 * kBank + 9 * kProg;  // C 9
  // Not in combination mode.
  EXPECT_FALSE(model->ExecCommand(kCmdCopyInsertEffect, 0, 2, 9, 0, nullptr));
  ProgramMode();
  src[24 + 64] = 10;
  EXPECT_TRUE(model->ExecCommand(kCmdCopyInsertEffect, 0, 2, 9, 0, nullptr));
  EXPECT_EQ(Region(edit, 24, 76), Region(src, 24, 76));
  EXPECT_EQ(Region(dev.Memory().data(), kProgEdit, kProg), Region(edit, 0, kProg));

  // Effect types 62 and 63 only into a program of category 2.
  for (uint8_t type : {62, 63}) {
    src[24 + 64] = type;
    edit[620 + 10] = static_cast<uint8_t>((edit[620 + 10] & ~0x1F) | 5);
    const Bytes before = Region(edit, 0, kProg);
    EXPECT_FALSE(model->ExecCommand(kCmdCopyInsertEffect, 0, 2, 9, 0, nullptr)) << int(type);
    EXPECT_EQ(Region(edit, 0, kProg), before);
    edit[620 + 10] = static_cast<uint8_t>((edit[620 + 10] & ~0x1F) | 2);
    EXPECT_TRUE(model->ExecCommand(kCmdCopyInsertEffect, 0, 2, 9, 0, nullptr)) << int(type);
    EXPECT_EQ(edit[24 + 64], type);
  }
  EXPECT_FALSE(model->ExecCommand(kCmdCopyInsertEffect, 0, -1, 9, 0, nullptr));
  EXPECT_FALSE(model->ExecCommand(kCmdCopyInsertEffect, 0, 2, 128, 0, nullptr));

  // Disconnected: still a program being edited; the copy lands in the image
  // and the command succeeds.
  model->Disconnect();
  EXPECT_EQ(model->GetSoundMode(), 2);
  src[24 + 64] = 11;
  EXPECT_TRUE(model->ExecCommand(kCmdCopyInsertEffect, 0, 2, 9, 0, nullptr));
  EXPECT_EQ(Region(edit, 24, 76), Region(src, 24, 76));
}

TEST_F(RemoteSynthCommandTest, CopyingMasterAndTotalEffects) {
  SimSynthDevice& dev = Ready();
  uint8_t* img = Image();
  const uint8_t* prog = img + kProgs + kBank + 17 * kProg;  // B 17
  const uint8_t* combi = img + kCombis + 12 * kCombi;
  uint8_t* combiEdit = img + kCombiEdit;
  uint8_t* progEdit = img + kProgEdit;
  // A program into the combination edit buffer: everything at once.
  EXPECT_TRUE(model->ExecCommand(kCmdCopyMasterEffects, 0, 1, 17, 0x0000, nullptr));
  EXPECT_EQ(Region(combiEdit, 404, 204), Region(prog, 404, 204));
  EXPECT_EQ(Region(dev.Memory().data(), kCombiEdit, kCombi), Region(combiEdit, 0, kCombi));

  ProgramMode();
  struct Case {
    int parts;
    size_t from, to, size;
  } cases[] = {
      {0x0101, 404, 404, 68},  // master effect 1
      {0x0102, 404, 472, 68},  // master effect 1 into 2
      {0x0202, 472, 472, 68},  // master effect 2
      {0x0303, 544, 544, 64},  // the total effect
  };
  for (const Case& c : cases) {
    std::memset(progEdit + c.to, 0x00, c.size);
    EXPECT_TRUE(model->ExecCommand(kCmdCopyMasterEffects, 1, 0, 12, c.parts, nullptr)) << c.parts;
    EXPECT_EQ(Region(progEdit, c.to, c.size), Region(combi, c.from, c.size)) << c.parts;
  }
  EXPECT_EQ(Region(dev.Memory().data(), kProgEdit, kProg), Region(progEdit, 0, kProg));

  // Parts that copy nothing, and refused sources.
  const Bytes before = Region(progEdit, 0, kProg);
  EXPECT_TRUE(model->ExecCommand(kCmdCopyMasterEffects, 1, 0, 12, 0x0104, nullptr));
  EXPECT_TRUE(model->ExecCommand(kCmdCopyMasterEffects, 1, 0, 12, 0x0301, nullptr));
  struct Bad {
    int kind, bank, number, parts;
  } bad[] = {{1, 0, 12, 0x0900}, {0, -1, 3, 0x0101}, {0, 0, 128, 0x0101},
             {0, 4, 3, 0x0101},  {1, 0, 20, 0x0101}, {2, 0, 0, 0x0101}};
  for (const Bad& b : bad)
    EXPECT_FALSE(model->ExecCommand(kCmdCopyMasterEffects, b.kind, b.bank, b.number, b.parts, nullptr)) << b.kind;
  EXPECT_EQ(Region(progEdit, 0, kProg), before);
}

TEST_F(RemoteSynthCommandTest, InitialisingTheCurrentCombination) {
  SimSynthDevice& dev = Ready();
  const int number = model->GetRawChunk().GetCurCombi().GetNumber();
  sink.notices.clear();
  EXPECT_TRUE(model->ExecCommand(kCmdInitCombination, 0, 0, 0, 0, nullptr));
  const Bytes init(INITCHUNK_COMBI().begin(), INITCHUNK_COMBI().end());
  EXPECT_EQ(Region(Image(), kCombiEdit, kCombi), init);
  EXPECT_EQ(Region(Image(), kCombis + number * kCombi, kCombi), init);
  EXPECT_EQ(Region(dev.Memory().data(), kCombiEdit, kCombi), init);
  env.loop().RunPending();
  ASSERT_FALSE(sink.Of("banklist").empty());
  EXPECT_EQ(sink.Of("banklist").back().c, number);

  // Disconnected: the image is initialised, the send fails.
  model->Disconnect();
  Image()[kCombiEdit + 5] ^= 1;
  EXPECT_FALSE(model->ExecCommand(kCmdInitCombination, 0, 0, 0, 0, nullptr));
  EXPECT_EQ(Region(Image(), kCombiEdit, kCombi), init);
}

TEST_F(RemoteSynthCommandTest, TheGlobalBlockGoesBothWays) {
  SimSynthDevice& dev = Ready();
  // Send: the user scales edited in the image reach the instrument.
  for (int i = 16; i < 64 + 128; ++i) Image()[i] = static_cast<uint8_t>(i * 7);
  EXPECT_TRUE(model->ExecCommand(kCmdTransmitGlobal, 0, 0, 0, 0, nullptr));
  EXPECT_EQ(Region(dev.Memory().data(), 0, 1728), Region(Image(), 0, 1728));

  // Request: what the instrument holds comes back.
  dev.With([](SimSynth& s) {
    for (int i = 16; i < 64 + 128; ++i) s.Memory()[i] = static_cast<uint8_t>(i * 3);
  });
  EXPECT_TRUE(model->ExecCommand(kCmdReceiveGlobal, 0, 0, 0, 0, nullptr));
  env.loop().RunPending();
  EXPECT_EQ(Region(Image(), 0, CHUNK_GLOBAL::kSize), Region(dev.Memory().data(), 0, CHUNK_GLOBAL::kSize));

  dev.With([](SimSynth& s) { s.Settings().dumpRequestStatus = 3; });
  EXPECT_FALSE(model->ExecCommand(kCmdReceiveGlobal, 0, 0, 0, 0, nullptr));
  dev.With([](SimSynth& s) { s.Settings().statusByte = 1; });
  EXPECT_FALSE(model->ExecCommand(kCmdTransmitGlobal, 0, 0, 0, 0, nullptr));
}

// While a progress window is up the model refuses real-time MIDI, so the
// window of a global step must go as soon as the block is there: notes a
// host or keyboard plays from then on reach the instrument.
TEST_F(RemoteSynthCommandTest, NotesPlayedOnceTheGlobalBlockArrivedReachTheInstrument) {
  SimSynthDevice& dev = Ready();
  for (int command : {kCmdTransmitGlobal, kCmdReceiveGlobal}) {
    SCOPED_TRACE(command);
    dev.With([](SimSynth& s) { s.ClearLog(); });
    const size_t before = dev.ShortMessages().size();
    bool arrived = false;
    std::vector<uint8_t> played;
    const auto keys = env.loop().AddTimer(10, 10, [&] {
      if (!arrived) {
        // The dump, or the request for it, was handled by the instrument.
        arrived = command == kCmdTransmitGlobal ? Sent(dev, SimSynthEvent::kDumpReceived)
                                                : dev.MessagesHandled() > 0;
        return;
      }
      const uint8_t key = static_cast<uint8_t>(40 + played.size() % 40);
      const uint8_t note[3] = {0x90, key, 100};
      if (model->RTMIDIOut(NowMs() * 1000, note, 3, eChgSource_Editor)) played.push_back(key);
      else played.push_back(0);
    });
    ASSERT_TRUE(model->ExecCommand(command, 0, 0, 0, 0, nullptr));
    env.loop().RunFor(100);
    env.loop().RemoveTimer(keys);
    ASSERT_TRUE(arrived);
    // At most the tick in which the instrument's answer was on its way.
    EXPECT_LE(std::count(played.begin(), played.end(), 0), 1);
    played.erase(std::remove(played.begin(), played.end(), 0), played.end());
    EXPECT_GE(played.size(), 5u);
    std::vector<uint8_t> keysArrived;
    auto collect = [&] {
      keysArrived.clear();
      const auto shorts = dev.ShortMessages();
      for (size_t i = before; i < shorts.size(); ++i)
        if (shorts[i].size() == 3 && shorts[i][0] == 0x90) keysArrived.push_back(shorts[i][1]);
      return keysArrived.size() >= played.size();
    };
    EXPECT_TRUE(env.loop().RunUntil(collect, 1000));
    EXPECT_EQ(keysArrived, played);
  }
}

TEST_F(RemoteSynthCommandTest, TheGlobalChannelIsTakenFromItsFieldBitsOnly) {
  // The channel byte's upper bits hold other settings: the link must still
  // talk on channel 2.
  SimSynthDevice& dev = Ready();
  dev.With([](SimSynth& s) { s.Memory()[1728] = 0x80 | 0x30 | s.Settings().channel; });
  EXPECT_TRUE(model->ExecCommand(kCmdReceiveGlobal, 0, 0, 0, 0, nullptr));
  env.loop().RunPending();
  EXPECT_EQ(Image()[1728], 0xB2);
  EXPECT_EQ(model->GetGlobalChannel(), 2);
  EXPECT_EQ(model->GetRemoteMidi()->GetGlobalChannel(), 2);
  EXPECT_EQ(model->GetGlobal()->GetParamI(static_cast<int>(0x80000400u)), 2);
  // And the instrument still understands the model.
  unsigned long status = 1;
  EXPECT_TRUE(model->ExecCommand(kCmdRequestSelection, 2, 0, 0, 1, &status));
  EXPECT_EQ(status, 0u);
}

TEST_F(RemoteSynthCommandTest, SavingTheSettingsKeepsThemForTheNextModel) {
  const int filterAll = static_cast<int>(0x80008100u);
  ISection* setup = model->GetSetup();
  const int was = setup->GetParamI(filterAll);
  setup->PutParamI(filterAll, was ? 0 : 1);
  {
    CRemoteSynthImpl unsaved(nullptr);
    EXPECT_EQ(unsaved.GetSetup()->GetParamI(filterAll), was);
  }
  EXPECT_TRUE(model->ExecCommand(kCmdSaveSettings, 0, 0, 0, 0, nullptr));
  CRemoteSynthImpl next(nullptr);
  EXPECT_EQ(next.GetSetup()->GetParamI(filterAll), was ? 0 : 1);
}

}  // namespace
}  // namespace vesk::test
