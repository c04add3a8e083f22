// The plug-in on a loop thread of its own, as inside a Linux host, and the
// threads its calls reach the host on: each on a thread of the host's own,
// the edits of its editor inside the host's idle call, and none once the
// host closes it. A host never waits on the plug-in's question: closing
// ends it, and a chunk the host restores while it is open lands in the
// image and reaches the synthesizer once the synthesizer is connected.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "editor/shell/OskendBackgroundLayer.h"
#include "hfc/CHfcControl.h"
#include "model/ChunkRemoteSynth.h"
#include "os/midi/System.h"
#include "os/midi/VirtualBus.h"
#include "plugin/CPlugInMainLoop.h"
#include "plugin/CPlugInModalNotice.h"
#include "plugin/PlugInEntry.h"
#include "plugin/QuorelVst.h"
#include "plugin/VelorVstEditor.h"
#include "remote/CRemoteSynthImpl.h"
#include "tests/plugin/PlugInTestHost.h"
#include "tests/support/TempDir.h"
#include "tests/support/XvfbServer.h"
#include "tests/support/simsynth/SimSynthDevice.h"

namespace vesk::test {
namespace {

using Clock = std::chrono::steady_clock;
using Root = OskendBackgroundLayer;
using Bytes = std::vector<uint8_t>;

// Real time: the plug-in's own threads run on their own.
bool WaitFor(const std::function<bool()>& done, int ms) {
  const auto end = Clock::now() + std::chrono::milliseconds(ms);
  while (!done()) {
    if (Clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

long long MsSince(Clock::time_point start) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

QuorelVst* PlugInOf(AEffect* e) { return static_cast<QuorelVst*>(static_cast<AudioEffect*>(e->object)); }

// The plug-in's model connected to the synthesizer, the connection over.
bool Connected(QuorelVst* plugin) {
  bool connected = false;
  plugin->GetMainLoop()->Call([&] { connected = plugin->GetModel()->GetConnected(); });
  return connected && !plugin->IsConnecting();
}

Bytes ProgBanks(const uint8_t* memory) {
  const uint8_t* from = memory + Oskend::RemoteSynthLayout::kProgBanks;
  return Bytes(from, from + Oskend::RemoteSynthLayout::kProgBanksSize);
}

bool IsGesture(const TestHost::Call& c) {
  return c.opcode == audioMasterBeginEdit || c.opcode == audioMasterAutomate || c.opcode == audioMasterEndEdit;
}

std::string Describe(const std::vector<TestHost::Call>& calls) {
  std::string out;
  for (const TestHost::Call& c : calls)
    out += "\n  opcode " + std::to_string(c.opcode) + " row " + std::to_string(c.index) + " within " +
           std::to_string(c.within);
  return out.empty() ? "\n  (none)" : out;
}

class HostThreads : public testing::Test {
 protected:
  TempDir folder;
  ScopedEnv lockDir{"VESK_LOCK_DIR", folder.path()};
  ScopedEnv config{"XDG_CONFIG_HOME", folder.path()};
  ScopedEnv noDisplay{"DISPLAY", ""};
  os::midi::VirtualBus bus;
  TestHost host;

  void SetUp() override { os::midi::System::Install(&bus); }
  void TearDown() override {
    if (host.effect) host.Close();
    os::midi::System::Uninstall(&bus);
  }
};

// A drag on a panel knob is made on the plug-in's loop thread; the host
// hears of it only inside its next idle call of the editor, on its own
// thread, in order and with each value read back as told. A call the host
// makes from another thread (its audio thread, a thread that never opened
// the plug-in) takes nothing; with the editor closed, the host's next call
// from its GUI thread takes what waits.
TEST_F(HostThreads, CallsForTheHostReachItOnlyOnItsGuiThreadInsideItsOwnCalls) {
  SimSynthDevice device(bus);
  AEffect* e = host.Instantiate(&VSTPluginMain);
  ASSERT_NE(e, nullptr);
  QuorelVst* plugin = PlugInOf(e);
  ASSERT_TRUE(plugin->GetMainLoop()->OwnsThread());
  std::thread::id loopThread;
  plugin->GetMainLoop()->Call([&] { loopThread = std::this_thread::get_id(); });
  const std::thread::id gui = std::this_thread::get_id();
  ASSERT_EQ(host.Dispatch(effEditOpen, 0, 0, nullptr), 1);
  ASSERT_TRUE(WaitFor([&] { return Connected(plugin); }, 20000)) << "the synthesizer was not connected";
  host.Dispatch(effEditIdle);
  const size_t before = host.Calls().size();

  // EQ knob 3 of the panel drives row 70: pressed, turned two steps,
  // released.
  constexpr int kRow = 70;
  plugin->GetMainLoop()->Call([&] {
    auto* root = dynamic_cast<Root*>(plugin->GetVstEditor()->GetLayerByIndex(0));
    ASSERT_NE(root, nullptr);
    CHfcControl* knob = root->GetControlById(Root::kIdEqKnob + 2);
    ASSERT_NE(knob, nullptr);
    const int now = knob->GetIntValue();
    root->OnHfcCtrlBeginEdit(knob);
    root->OnHfcCtrlIntValueChanged(knob, now == 10 ? 12 : 10);
    root->OnHfcCtrlIntValueChanged(knob, 11);
    root->OnHfcCtrlEndEdit(knob);
  });
  auto gestures = [&] {
    std::vector<TestHost::Call> out;
    const std::vector<TestHost::Call> all = host.Calls();
    for (size_t i = before; i < all.size(); ++i)
      if (IsGesture(all[i]) && all[i].index == kRow) out.push_back(all[i]);
    return out;
  };
  EXPECT_TRUE(gestures().empty()) << "the host heard of the drag on the plug-in's thread:" << Describe(gestures());
  // The host's audio thread and a thread of the host's that never opened
  // the plug-in call it: they take nothing.
  std::thread([&] {
    host.Process({{{0x90, 60, 100}, 0}});
    host.Text(effGetParamDisplay, kRow);
  }).join();
  EXPECT_TRUE(gestures().empty()) << "the host heard of the drag on another thread:" << Describe(gestures());

  host.Dispatch(effEditIdle);
  const std::vector<TestHost::Call> heard = gestures();
  ASSERT_EQ(heard.size(), 4u) << Describe(heard);
  EXPECT_EQ(heard.front().opcode, audioMasterBeginEdit);
  EXPECT_EQ(heard[1].opcode, audioMasterAutomate);
  EXPECT_EQ(heard[2].opcode, audioMasterAutomate);
  EXPECT_EQ(heard.back().opcode, audioMasterEndEdit);
  for (const TestHost::Call& c : heard) {
    EXPECT_EQ(c.thread, gui) << "opcode " << c.opcode;
    EXPECT_EQ(c.within, effEditIdle) << "opcode " << c.opcode;
    if (c.opcode == audioMasterAutomate) {
      EXPECT_EQ(c.readBack, c.opt) << "read back another value than told";
    }
  }
  EXPECT_NE(heard[1].opt, heard[2].opt) << "two steps, two values";
  EXPECT_EQ(heard[2].opt, e->getParameter(e, kRow)) << "the last value told is the row's";

  // With the editor closed, a notice of the model's (a program's oscillator
  // mode changed) asks the host to read every parameter again: that waits
  // for the host's next call from its GUI thread.
  host.Dispatch(effEditClose);
  const size_t closed = host.Calls().size();
  plugin->GetMainLoop()->Call([&] { plugin->OnRemoteSynthProgOSCModeChanged(plugin->GetModel(), 0); });
  EXPECT_GT(plugin->HostCalls().Waiting(), 0u);
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  EXPECT_EQ(host.Calls().size(), closed) << "a call reached the host outside the host's calls";
  host.Text(effGetParamName, 0);
  std::vector<TestHost::Call> after = host.Calls();
  after.erase(after.begin(), after.begin() + static_cast<long>(closed));
  EXPECT_TRUE(std::any_of(after.begin(), after.end(), [](const TestHost::Call& c) {
    return c.opcode == audioMasterUpdateDisplay && c.within == effGetParamName;
  })) << "the display update did not come inside the host's next call:" << Describe(after);

  // No call at all came on a thread of the plug-in's own.
  for (const TestHost::Call& c : host.Calls()) {
    EXPECT_NE(c.thread, loopThread) << "opcode " << c.opcode << " came on the plug-in's loop thread";
    if (c.opcode != audioMasterProcessEvents) {
      EXPECT_EQ(c.thread, gui) << "opcode " << c.opcode;
    }
  }
}

// The same under a display, where the connection's question waits for an
// answer: the stored ports of the synthesizer are missing.
class QuestionOpen : public UnderXvfb {
 protected:
  TempDir folder;
  ScopedEnv lockDir{"VESK_LOCK_DIR", folder.path()};
  ScopedEnv config{"XDG_CONFIG_HOME", folder.path()};
  std::unique_ptr<ScopedEnv> display;
  os::midi::VirtualBus bus;
  TestHost host;

  void SetUp() override {
    UnderXvfb::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    display = std::make_unique<ScopedEnv>("DISPLAY", server->display());
    os::midi::System::Install(&bus);
  }
  void TearDown() override {
    if (host.effect) host.Close();
    os::midi::System::Uninstall(&bus);
  }
  void StorePorts(const std::string& in, const std::string& out) {
    WriteWholeFile(folder.File("Vesk Editor.prefs"),
                   "vesk-preferences 1\ns MIDIInName=" + in + "\ns MIDIOutName=" + out + "\n");
  }
  // Until the plug-in tells that its question is open (its notice of its
  // modal runs, which the host's calls from its GUI thread take).
  bool WaitForQuestion() {
    return WaitFor(
        [&] {
          host.Dispatch(effGetVendorVersion);
          for (const TestHost::Call& c : host.Calls())
            if (c.opcode == audioMasterVendorSpecific && c.index == CPlugInModalNotice::kIndex &&
                CPlugInModalNotice::Decode(c.value).questions > 0)
              return true;
          return false;
        },
        20000);
  }
  // Runs a host call on a thread of its own and waits up to `ms` for it;
  // what it took (ms), or -1 when it did not return in time, in which case
  // the plug-in's modal runs are ended so that it does.
  long long Timed(const std::function<void()>& call, int ms) {
    std::atomic<bool> done{false};
    const auto start = Clock::now();
    std::thread t([&] {
      call();
      done = true;
    });
    const bool inTime = WaitFor([&] { return done.load(); }, ms);
    const long long took = MsSince(start);
    if (!inTime && loop) loop->Loop()->EndModalsFrom(0);
    t.join();
    return inTime ? took : -1;
  }
  CPlugInMainLoop* loop = nullptr;
};

TEST_F(QuestionOpen, ClosingEndsTheQuestionReturnsPromptlyAndCallsTheHostNoMore) {
  StorePorts("Nowhere:out", "Nowhere:in");
  AEffect* e = host.Instantiate(&VSTPluginMain);
  ASSERT_NE(e, nullptr);
  loop = PlugInOf(e)->GetMainLoop();
  ASSERT_TRUE(WaitForQuestion()) << "the plug-in did not ask about the missing synthesizer";
  const size_t before = host.Calls().size();
  // The connection unwinds from the question and the instance goes: well
  // within a second, with room for a sanitizer build on a loaded machine.
  const long long took = Timed([&] { EXPECT_EQ(host.Close(), 1); }, 3000);
  EXPECT_GE(took, 0) << "closing waited for the question to be answered";
  EXPECT_LT(took, 1500);
  std::vector<TestHost::Call> after = host.Calls();
  after.erase(after.begin(), after.begin() + static_cast<long>(before));
  EXPECT_TRUE(after.empty()) << "the host was called while it closed the instance:" << Describe(after);
}

// A session restored while the question is open: the chunk lands in the
// image at once, and the next connection, once the synthesizer is there,
// sends it.
TEST_F(QuestionOpen, AChunkRestoredWhileTheQuestionIsOpenLandsAtOnceAndReachesTheSynthesizerWhenConnected) {
  // A bank chunk of the instrument's own memory, from a first session;
  // that session stores its ports.
  std::string chunk;
  Bytes banks;
  {
    SimSynthDevice first(bus);
    first.With([](SimSynth& s) {
      for (size_t i = SimSynth::kProgBanksOffset; i < SimSynth::kProgBanksOffset + Oskend::RemoteSynthLayout::kProgBanksSize; ++i)
        s.Memory()[i] = static_cast<uint8_t>((i * 37 + 11) & 0x7F);
    });
    banks = ProgBanks(first.Memory().data());
    AEffect* e = host.Instantiate(&VSTPluginMain);
    ASSERT_NE(e, nullptr);
    ASSERT_TRUE(WaitFor([&] { return Connected(PlugInOf(e)); }, 30000)) << "the first session did not connect";
    chunk = host.Chunk(0);
    ASSERT_FALSE(chunk.empty());
    host.Close();
    first.Unplug();
  }
  // The synthesizer is switched off: the next session asks.
  AEffect* e = host.Instantiate(&VSTPluginMain);
  ASSERT_NE(e, nullptr);
  QuorelVst* plugin = PlugInOf(e);
  loop = plugin->GetMainLoop();
  ASSERT_TRUE(WaitForQuestion()) << "the plug-in did not ask about the missing synthesizer";
  intptr_t result = 0;
  const long long took = Timed([&] { result = host.Dispatch(effSetChunk, 0, static_cast<intptr_t>(chunk.size()), chunk.data()); }, 3000);
  EXPECT_GE(took, 0) << "the chunk waited for the question to be answered";
  EXPECT_LT(took, 1000);
  EXPECT_EQ(result, 1);
  Bytes image;
  bool pending = false;
  loop->Call([&] {
    auto* model = dynamic_cast<Oskend::CRemoteSynthImpl*>(plugin->GetModel());
    if (model) image = ProgBanks(model->GetRawChunk().data());
    pending = plugin->GetModel()->GetRecallPending();
  });
  EXPECT_TRUE(image == banks) << "the chunk did not land in the image";
  EXPECT_TRUE(pending) << "the chunk waits for no recall";

  // The synthesizer, now with memory of its own, is switched on; the
  // question is declined. The connection timer takes the synthesizer up by
  // its stored ports, and the recall sends it the chunk.
  SimSynthDevice second(bus);
  ASSERT_FALSE(ProgBanks(second.Memory().data()) == banks);
  loop->Loop()->EndModalsFrom(0);
  EXPECT_TRUE(WaitFor([&] { return ProgBanks(second.Memory().data()) == banks; }, 30000))
      << "the restored chunk did not reach the synthesizer";
  EXPECT_TRUE(WaitFor([&] { return Connected(plugin); }, 10000));
}

}  // namespace
}  // namespace vesk::test
