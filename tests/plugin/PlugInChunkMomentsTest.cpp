// A host saves and restores the plug-in's state at any moment: while the
// connection looks for the synthesizer, while it exchanges the image with
// it, once connected, with the synthesizer gone or away, and while it
// reconnects. Whatever effGetChunk gives, effSetChunk takes back and the
// state it held comes back (in the synthesizer too); a chunk effSetChunk
// refuses changes nothing: not the image, not the recall, not a setting
// of the host's that waits, and not what effGetChunk gives next.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "model/ChunkRemoteSynth.h"
#include "os/Alert.h"
#include "remote/RemoteSynthCommand.h"
#include "tests/plugin/InProcessFixture.h"
#include "tests/support/simsynth/SimSynthDevice.h"

namespace vesk::test {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes ProgBanks(const uint8_t* memory) {
  const uint8_t* from = memory + Oskend::RemoteSynthLayout::kProgBanks;
  return Bytes(from, from + Oskend::RemoteSynthLayout::kProgBanksSize);
}

class ChunkMoments : public InProcess {
 protected:
  // How far the life of the instance has gone before the moment is
  // looked for.
  enum class Before { kNothing, kConnected, kGoneUnnoticed, kAway, kBack };
  // What brings the next exchange of the image after the moment.
  enum class Then { kNothing, kTransmitAll, kBack };
  struct Kind {
    int32_t preset;
    std::string got;
  };

  std::unique_ptr<SimSynthDevice> device;
  AEffect* effect = nullptr;
  QuorelVst* plugin = nullptr;
  std::vector<os::MainLoop::TimerId> timers;
  Kind kinds[2] = {{0, {}}, {1, {}}};

  void TearDown() override {
    for (os::MainLoop::TimerId id : timers) env.loop().RemoveTimer(id);
    InProcess::TearDown();
    device.reset();
  }

  // Runs act once at the first millisecond at which reached holds: now,
  // or later on the loop, inside the connection's modal runs too.
  void When(std::function<bool()> reached, std::function<void()> act) {
    if (reached()) {
      act();
      return;
    }
    auto fired = std::make_shared<bool>(false);
    timers.push_back(env.loop().AddTimer(1, 1, [fired, reached, act] {
      if (*fired || !reached()) return;
      *fired = true;
      act();
    }));
  }
  bool Quiet() {
    return model().GetConnected() && !model().IsConnecting() && !model().IsExchanging() &&
           env.loop().ModalDepth() == 0;
  }
  bool RunUntil(const std::function<bool()>& done) { return env.loop().RunUntil(done, 60000); }
  // Connected with nothing left to do: what waited for the connection or
  // an exchange has gone in.
  bool Settle() {
    if (!RunUntil([&] { return Quiet(); })) return false;
    env.loop().RunFor(500);
    return RunUntil([&] { return Quiet(); });
  }
  // A synthesizer of the same name as the one before, on the same ports.
  void SwitchOn() {
    if (device) device->Unplug();
    device.reset();
    device = std::make_unique<SimSynthDevice>(bus);
  }
  intptr_t Set(int32_t preset, std::string bytes) {
    return host.Dispatch(effSetChunk, preset, static_cast<intptr_t>(bytes.size()), bytes.data());
  }
  Bytes Image() {
    const uint8_t* image = model().GetRawChunk().data();
    return Bytes(image, image + Oskend::CHUNK_REMOTESYNTH::kSize);
  }

  // At the moment, for a kind of chunk: what the host gets it sets again,
  // then a chunk cut short, which is refused and changes nothing.
  void RoundTrip(Kind& kind) {
    SCOPED_TRACE(kind.preset ? "preset chunk" : "bank chunk");
    kind.got = host.Chunk(kind.preset);
    ASSERT_GT(kind.got.size(), 638u);
    EXPECT_EQ(Set(kind.preset, kind.got), 1) << "the chunk just got was refused";
    // A setting of the host's made after that chunk, not yet applied.
    const float value = effect->getParameter(effect, 0);
    effect->setParameter(effect, 0, value);
    const Bytes image = Image();
    const bool recall = model().GetRecallPending();
    EXPECT_EQ(Set(kind.preset, kind.got.substr(0, 638)), 0) << "a chunk cut short was taken";
    EXPECT_TRUE(Image() == image) << "the refused chunk changed the image";
    EXPECT_EQ(model().GetRecallPending(), recall) << "the refused chunk changed the recall";
    EXPECT_EQ(effect->getParameter(effect, 0), value);
    EXPECT_FALSE(plugin->HostParametersApplied()) << "the refused chunk dropped the host's setting";
  }
};

TEST_F(ChunkMoments, AChunkGotIsTakenBackAndARefusedOneChangesNothingAtEveryMoment) {
  using B = Before;
  using T = Then;
  struct Case {
    const char* what;
    Before before;
    std::function<bool()> reached;
    Then then;
  };
  const Case cases[] = {
      {"connecting, the synthesizer not yet found", B::kNothing,
       [this] { return plugin->IsConnecting() && !model().GetConnected(); }, T::kNothing},
      {"the connection exchanging the image", B::kNothing,
       [this] { return model().IsExchanging(); }, T::kNothing},
      {"connected", B::kConnected, [this] { return Quiet(); }, T::kTransmitAll},
      {"the synthesizer gone, not yet noticed", B::kGoneUnnoticed,
       [this] { return model().GetConnected(); }, T::kBack},
      {"the synthesizer away", B::kAway, [this] { return !model().GetConnected(); }, T::kBack},
      {"reconnecting, exchanging the image", B::kBack, [this] { return model().IsExchanging(); },
       T::kNothing},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SwitchOn();
    plugin = Make();
    ASSERT_NE(plugin, nullptr);
    effect = host.effect;
    if (c.before != B::kNothing) {
      ASSERT_TRUE(Settle());
      if (c.before != B::kConnected) device->Unplug();
      if (c.before == B::kAway || c.before == B::kBack) {
        ASSERT_TRUE(RunUntil([&] { return !model().GetConnected(); }));
      }
      if (c.before == B::kBack) SwitchOn();
    }
    bool done = false, readBack = false;
    When(c.reached,
         [&] {
           for (Kind& kind : kinds) RoundTrip(kind);
           done = true;
           // The next exchange: the host saving its session then reads
           // back the state it set, not the chunk it was refused.
           When([&] { return model().IsExchanging(); },
                [&] {
                  for (const Kind& kind : kinds)
                    EXPECT_TRUE(host.Chunk(kind.preset) == kind.got)
                        << (kind.preset ? "preset" : "bank") << " chunk read back during the next exchange";
                  readBack = true;
                });
         });
    ASSERT_TRUE(RunUntil([&] { return done; })) << "the moment never came";
    if (c.then == T::kTransmitAll) {
      EXPECT_TRUE(model().ExecCommand(Oskend::kCmdTransmitAll, 0, 0, 0, 0, nullptr));
    } else if (c.then == T::kBack) {
      ASSERT_TRUE(RunUntil([&] { return !model().GetConnected(); }));
      SwitchOn();
    }
    ASSERT_TRUE(RunUntil([&] { return readBack; })) << "no exchange followed";
    // The state each chunk held is the plug-in's again, and the
    // synthesizer's.
    ASSERT_TRUE(Settle());
    for (const Kind& kind : kinds)
      EXPECT_TRUE(host.Chunk(kind.preset) == kind.got)
          << (kind.preset ? "preset" : "bank") << " chunk not restored";
    EXPECT_TRUE(ProgBanks(device->Memory().data()) == ProgBanks(Image().data()))
        << "the synthesizer does not hold the restored state";
    host.Close();
    for (os::MainLoop::TimerId id : timers) env.loop().RemoveTimer(id);
    timers.clear();
  }
}

// A program or performance a host restores while the synthesizer is away is
// one of the edits the reconnection asks about, and the answer holds: kept,
// the synthesizer plays it; given up, the editor shows the synthesizer's
// own sound, and the chunk does not come back once the connection is over.
TEST_F(ChunkMoments, APresetRestoredWhileTheSynthesizerIsAwayFollowsTheAnswerAboutEditsMadeMeanwhile) {
  constexpr int kTimbre1Volume = 0x202;
  const size_t at = Oskend::RemoteSynthLayout::kCombiEditBuffer;
  for (const int answer : {1, 2}) {
    SCOPED_TRACE(answer == 1 ? "kept" : "given up");
    SwitchOn();
    plugin = Make();
    ASSERT_NE(plugin, nullptr);
    ASSERT_TRUE(Settle());
    ASSERT_EQ(model().GetSoundMode(), 0);
    device->Unplug();
    ASSERT_TRUE(RunUntil([&] { return !model().GetConnected(); }));
    // The preset a host holds: the performance with a changed volume.
    Oskend::ISection* performance = nullptr;
    ASSERT_TRUE(model().GetEditBuffer(eMode_Combi)->FindSectionByPID(kTimbre1Volume, &performance));
    const int volume = performance->GetParamI(kTimbre1Volume);
    const int restored = volume == 33 ? 34 : 33;
    performance->PutParamI(kTimbre1Volume, restored);
    const std::string preset = host.Chunk(1);
    performance->PutParamI(kTimbre1Volume, volume);
    ASSERT_EQ(Set(1, preset), 1);
    ASSERT_EQ(performance->GetParamI(kTimbre1Volume), restored);

    // The question answered as a person would (without a display the
    // plug-in's own alert takes the default).
    os::Alert::SetFactory([] { return std::make_unique<os::HeadlessAlert>(); });
    os::HeadlessAlert::Script(answer);
    SwitchOn();
    const Bytes held = device->Memory();
    ASSERT_TRUE(RunUntil([&] { return model().GetConnected(); }));
    ASSERT_TRUE(Settle());
    bool asked = false;
    for (const auto& q : os::HeadlessAlert::Transcript())
      asked = asked || q.request.explanation.find("changed while the Vesk was away") != std::string::npos;
    EXPECT_TRUE(asked) << "the reconnection did not ask about the restored performance";
    const bool keep = answer == 1;
    ASSERT_TRUE(model().GetEditBuffer(eMode_Combi)->FindSectionByPID(kTimbre1Volume, &performance));
    EXPECT_EQ(performance->GetParamI(kTimbre1Volume), keep ? restored : volume);
    const Bytes now = device->Memory();
    const Bytes image = Image();
    EXPECT_TRUE(Bytes(now.begin() + at, now.begin() + at + Oskend::CHUNK_COMBI::kSize) ==
                Bytes(image.begin() + at, image.begin() + at + Oskend::CHUNK_COMBI::kSize))
        << "the synthesizer does not play the performance the editor shows";
    if (!keep) {
      EXPECT_TRUE(Bytes(now.begin() + at, now.begin() + at + Oskend::CHUNK_COMBI::kSize) ==
                  Bytes(held.begin() + at, held.begin() + at + Oskend::CHUNK_COMBI::kSize))
          << "given up, the performance still reached the synthesizer";
    }
    host.Close();
  }
}

}  // namespace
}  // namespace vesk::test
