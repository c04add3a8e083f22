// The model event queue: what each notice posts, what a drain replays, the
// collapsing of runs, and posts from other threads.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "editor/shell/XERemoteSynthEventHandler.h"

namespace {

using Oskend::IRemoteSynth;
using Oskend::ISection;

// Records every replay as "type:a1:a2:a3".
class Recorder : public XERemoteSynthEventHandler {
 public:
  std::vector<std::string> seen;
  std::function<void(const EventInfo&)> onEvent;

  void ProcessEvent(const EventInfo& e) override {
    XERemoteSynthEventHandler::ProcessEvent(e);
    if (onEvent) onEvent(e);
  }
  void Add(std::string s) { seen.push_back(std::move(s)); }
  void OnIdleRemoteSynthConnectionStateChanged(IRemoteSynth*, bool a, bool b) override {
    Add("conn " + std::to_string(a) + std::to_string(b));
  }
  void OnIdleRemoteSynthExtCtlStateChanged(IRemoteSynth*, const Oskend::SExtCtlState& s) override {
    Add("ext " + std::to_string(s.flag) + " " + std::to_string(s.value1) + " " +
        std::to_string(s.value2));
  }
  void OnIdleRemoteSynthMasterVolumeChanged(IRemoteSynth*, unsigned v) override {
    Add("volume " + std::to_string(v));
  }
  void OnIdleRemoteSynthModeChanged(IRemoteSynth*, int m) override {
    Add("mode " + std::to_string(m));
  }
  void OnIdleRemoteSynthProgOSCModeChanged(IRemoteSynth*, int m) override {
    Add("osc " + std::to_string(m));
  }
  void OnIdleRemoteSynthCurSoundChanged(IRemoteSynth*, const Oskend::SSoundIndex& i) override {
    Add("cursound " + std::to_string(i.bank) + " " + std::to_string(i.number));
  }
  void OnIdleRemoteSynthBankListChanged(IRemoteSynth*, eMode m,
                                        const Oskend::SSoundIndex& i) override {
    Add("banklist " + std::to_string(m) + " " + std::to_string(i.bank) + " " +
        std::to_string(i.number));
  }
  void OnIdleRemoteSynthAuditionStateChanged(IRemoteSynth*, bool on) override {
    Add("audition " + std::to_string(on));
  }
  void OnIdleRemoteSynthMIDIInShortMsg(IRemoteSynth*) override { Add("midi"); }
  void OnIdleRemoteSynthSeqStateChanged(IRemoteSynth*, bool on) override {
    Add("seq " + std::to_string(on));
  }
  void OnIdleRemoteSynthNeedAutomationAPI(IRemoteSynth*, long v) override {
    Add("automation " + std::to_string(v));
  }
  void OnIdleSectionReinitialized(ISection* s) override { Add("reinit " + Name(s)); }
  void OnIdleSectionParamPropsChanged(ISection* s, int pid) override {
    Add("props " + Name(s) + " " + std::to_string(pid));
  }
  void OnIdleSectionParamChanged(ISection* s, int pid) override {
    Add("changed " + Name(s) + " " + std::to_string(pid));
  }

  ISection* A = reinterpret_cast<ISection*>(uintptr_t{0x1000});
  ISection* B = reinterpret_cast<ISection*>(uintptr_t{0x2000});
  std::string Name(ISection* s) { return s == A ? "A" : s == B ? "B" : "?"; }
};

IRemoteSynth* const kSynth = reinterpret_cast<IRemoteSynth*>(uintptr_t{0x4000});

TEST(XERemoteSynthEventHandlerTest, EveryNoticeIsReplayedWithItsArguments) {
  Recorder r;
  r.OnRemoteSynthConnectionStateChanged(kSynth, true, false);
  r.OnRemoteSynthExtCtlStateChanged(kSynth, Oskend::SExtCtlState{1, 0xC8, 2});
  r.OnRemoteSynthMasterVolumeChanged(kSynth, 99);
  r.OnRemoteSynthModeChanged(kSynth, 3);
  r.OnRemoteSynthCurSoundChanged(kSynth, Oskend::SSoundIndex{2, 0xFE});
  r.OnRemoteSynthBankListChanged(kSynth, eMode_ProgPlay, Oskend::SSoundIndex{0xFF, 0xFF});
  r.OnRemoteSynthAuditionStateChanged(kSynth, true);
  r.OnRemoteSynthMIDIInShortMsg(kSynth);
  r.OnRemoteSynthProgOSCModeChanged(kSynth, 1);
  r.OnRemoteSynthBeginUIUtility(kSynth);
  r.OnRemoteSynthEndUIUtility(kSynth, true);
  r.OnRemoteSynthSeqStateChanged(kSynth, true);
  r.OnRemoteSynthNeedAutomationAPI(kSynth, 7);
  r.OnSectionReinitialized(r.A);
  r.OnSectionParamPropsChanged(r.A, 0x205);
  r.OnSectionParamChanged(r.B, 0x107);
  EXPECT_EQ(r.GetQueuedEventCount(), 16u);
  EXPECT_TRUE(r.seen.empty());  // nothing happens before the drain
  r.ProcessEventQueue();
  // Bytes are widened without sign; begin and end of a utility are dropped;
  // the clock byte of the external state does not travel.
  const std::vector<std::string> expected{
      "conn 10",       "ext 1 200 0",  "volume 99", "mode 3",         "cursound 2 254",
      "banklist 2 255 255", "audition 1", "midi",   "osc 1",          "seq 1",
      "automation 7",  "reinit A",     "props A 517", "changed B 263"};
  EXPECT_EQ(r.seen, expected);
  EXPECT_EQ(r.GetQueuedEventCount(), 0u);
}

struct CollapseCase {
  std::vector<std::pair<int, int>> posts;  // type, a2 (section for 13: 0 A, 1 B)
  std::vector<std::string> replayed;
};

TEST(XERemoteSynthEventHandlerTest, RunsOfSoundChangesAndReinitialisationsCollapse) {
  const CollapseCase cases[] = {
      {{{4, 1}, {4, 2}, {4, 3}}, {"cursound 3 0"}},
      {{{4, 1}, {15, 5}, {4, 3}}, {"cursound 1 0", "changed A 5", "cursound 3 0"}},
      {{{13, 0}, {13, 1}}, {"reinit B"}},
      {{{13, 0}, {14, 9}, {13, 1}}, {"reinit A", "props A 9", "reinit B"}},
      {{{15, 1}, {15, 1}}, {"changed A 1", "changed A 1"}},
      {{{9, 0}, {10, 1}, {99, 0}, {-1, 0}}, {}},
  };
  for (const CollapseCase& c : cases) {
    Recorder r;
    for (auto [type, a] : c.posts) {
      if (type == 13)
        r.PostEvent(13, reinterpret_cast<intptr_t>(a ? r.B : r.A), 0, 0, 0);
      else if (type >= 13 && type <= 15)
        r.PostEvent(type, reinterpret_cast<intptr_t>(r.A), a, 0, 0);
      else
        r.PostEvent(type, reinterpret_cast<intptr_t>(kSynth), a, 0, 0);
    }
    r.ProcessEventQueue();
    EXPECT_EQ(r.seen, c.replayed);
  }
}

TEST(XERemoteSynthEventHandlerTest, AnEventPostedByAHandlerIsReplayedInTheSameDrain) {
  Recorder r;
  r.onEvent = [&](const XERemoteSynthEventHandler::EventInfo& e) {
    if (e.type == 3) r.OnRemoteSynthMasterVolumeChanged(kSynth, 5);
  };
  r.OnRemoteSynthModeChanged(kSynth, 0);
  r.ProcessEventQueue();
  EXPECT_EQ(r.seen, (std::vector<std::string>{"mode 0", "volume 5"}));
  r.ProcessEventQueue();  // an empty queue returns at once
  EXPECT_EQ(r.seen.size(), 2u);
}

TEST(XERemoteSynthEventHandlerTest, ThePointerOfANoticeKeepsItsFullWidth) {
  // A section placed above 4 GiB must come back as itself, not as its low
  // half.
  Recorder r;
  auto* high = reinterpret_cast<ISection*>(uintptr_t{0x7FFF12345678A0});
  ISection* replayed = nullptr;
  r.onEvent = [&](const XERemoteSynthEventHandler::EventInfo& e) {
    replayed = reinterpret_cast<ISection*>(e.a1);
  };
  r.OnSectionParamChanged(high, 1);
  r.ProcessEventQueue();
  EXPECT_EQ(replayed, high);
  static_assert(sizeof(XERemoteSynthEventHandler::EventInfo::a1) == sizeof(void*));
}

TEST(XERemoteSynthEventHandlerTest, NoticesFromOtherThreadsWaitForTheDrain) {
  Recorder r;
  std::vector<std::thread> posters;
  for (int t = 0; t < 4; ++t)
    posters.emplace_back([&r, t] {
      for (int i = 0; i < 250; ++i) r.OnSectionParamChanged(r.A, t * 1000 + i);
    });
  for (std::thread& t : posters) t.join();
  EXPECT_TRUE(r.seen.empty());
  r.ProcessEventQueue();
  ASSERT_EQ(r.seen.size(), 1000u);
  // Each thread's notices keep their order.
  std::vector<int> last(4, -1);
  for (const std::string& s : r.seen) {
    const int pid = std::stoi(s.substr(s.rfind(' ') + 1));
    EXPECT_GT(pid % 1000, last[pid / 1000]);
    last[pid / 1000] = pid % 1000;
  }
}

}  // namespace
