// The plug-in on a main thread of its own, as inside a Linux host, with the
// real clock: a connection that scans silent ports for seconds must not
// hold the host's thread when the host closes the instance.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "editor/shell/OskendBackgroundLayer.h"
#include "hfc/CHfcControl.h"
#include "os/midi/System.h"
#include "os/midi/VirtualBus.h"
#include "plugin/CParameter.h"
#include "plugin/CPlugInMainLoop.h"
#include "plugin/PlugInEntry.h"
#include "plugin/QuorelVst.h"
#include "plugin/VelorVstEditor.h"
#include "remote/CRemoteSynthImpl.h"
#include "model/ChunkRemoteSynth.h"
#include "tests/plugin/PlugInTestHost.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/simsynth/SimSynthDevice.h"

namespace vesk::test {
namespace {

using Clock = std::chrono::steady_clock;
using Bytes = std::vector<uint8_t>;

constexpr size_t kBanksSize = Oskend::RemoteSynthLayout::kProgBanksSize;
Bytes BankRegion(const uint8_t* memory) {
  const uint8_t* from = memory + Oskend::RemoteSynthLayout::kProgBanks;
  return Bytes(from, from + kBanksSize);
}

class PlugInOwnThread : public testing::Test {
 protected:
  TempDir folder;
  ScopedEnv lockDir{"VESK_LOCK_DIR", folder.path()};
  ScopedEnv config{"XDG_CONFIG_HOME", folder.path()};
  ScopedEnv noDisplay{"DISPLAY", ""};
  os::midi::VirtualBus bus;

  void SetUp() override { os::midi::System::Install(&bus); }
  void TearDown() override { os::midi::System::Uninstall(&bus); }
};

// A loop of the plug-in's own tells (on its thread) every change of its
// modal runs, for the host that cannot see them; a loop the program lends
// shares them with the program and tells nothing.
TEST_F(PlugInOwnThread, ALoopOfItsOwnTellsEveryChangeOfItsModalRuns) {
  std::mutex mutex;
  std::vector<std::pair<int, int>> told;
  std::vector<bool> onLoopThread;
  {
    CPlugInMainLoop* self = nullptr;
    CPlugInMainLoop loop([&](const os::Window::ModalState& s) {
      std::lock_guard<std::mutex> g(mutex);
      told.emplace_back(s.runs, s.questions);
      onLoopThread.push_back(self && self->IsMainThread());
    });
    self = &loop;
    ASSERT_TRUE(loop.OwnsThread());
    loop.Call([] {
      os::Window::ModalInput menu;
      os::Window::ModalInput question(os::Window::ModalInput::Kind::kQuestion);
    });
  }
  EXPECT_EQ(told, (std::vector<std::pair<int, int>>{{1, 0}, {2, 1}, {1, 0}, {0, 0}}));
  EXPECT_EQ(onLoopThread, std::vector<bool>(4, true));
  {
    TestEnvironment env;
    int lentTold = 0;
    CPlugInMainLoop lent([&](const os::Window::ModalState&) { ++lentTold; });
    EXPECT_FALSE(lent.OwnsThread());
    { os::Window::ModalInput question(os::Window::ModalInput::Kind::kQuestion); }
    EXPECT_EQ(lentTold, 0);
  }
}

TEST_F(PlugInOwnThread, AnInstanceClosedWhileItsConnectionScansEndsPromptly) {
  // Instruments that never answer: every probe waits for its time-out.
  std::deque<std::unique_ptr<SimSynthDevice>> silent;
  SimSynthSettings quiet;
  quiet.silent = true;
  for (int i = 0; i < 3; ++i)
    silent.push_back(std::make_unique<SimSynthDevice>(bus, quiet, "Vesk " + std::to_string(i)));

  TestHost host;
  const auto start = Clock::now();
  AEffect* e = host.Instantiate(&VSTPluginMain);
  ASSERT_NE(e, nullptr);
  auto* plugin = static_cast<QuorelVst*>(static_cast<AudioEffect*>(e->object));
  // The bounds sit well below the three silent probes' time-outs (three
  // seconds of scan) and leave room for a sanitizer build on a loaded
  // machine.
  EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(1500));
  // The host's queries meanwhile do not wait for the scan.
  for (int i = 0; i < 100 && !plugin->IsConnecting(); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  ASSERT_TRUE(plugin->IsConnecting());
  const auto queried = Clock::now();
  EXPECT_EQ(host.Text(effGetEffectName), "Vesk Plug-In Editor");
  EXPECT_EQ(host.Text(effGetParamName, 0), "APiano Vol(M)   ");
  EXPECT_LT(Clock::now() - queried, std::chrono::milliseconds(500));

  const auto closing = Clock::now();
  EXPECT_EQ(host.Close(), 1);
  EXPECT_LT(Clock::now() - closing, std::chrono::milliseconds(1500));
}

// Inside the entry the host cannot tell which plug-in calls it back. The
// loop thread runs from the entry on and starts its work as soon as it is
// posted, while the host's thread is still on its way out of the entry:
// tried many times, no call but the version query reaches the host before
// the entry has returned, and the host is asked who it is once it has the
// instance.
TEST_F(PlugInOwnThread, NoCallReachesTheHostBeforeTheEntryHasReturned) {
  SimSynthDevice device(bus);
  TestHost host;
  host.productString = "A Host";
  for (int round = 0; round < 25; ++round) {
    host.ClearCalls();
    AEffect* e = host.Enter(&VSTPluginMain);
    ASSERT_NE(e, nullptr);
    auto* plugin = static_cast<QuorelVst*>(static_cast<AudioEffect*>(e->object));
    // Whatever the loop thread would do by itself has had its time.
    plugin->GetMainLoop()->Call([] {});
    EXPECT_EQ(host.CallsInsideTheEntry(), 0) << round;
    host.Dispatch(effOpen);
    int asked = 0;
    for (const TestHost::Call& c : host.Calls()) asked += c.opcode == audioMasterGetProductString;
    EXPECT_EQ(asked, 1) << round;
    EXPECT_EQ(host.Close(), 1);
  }
  EXPECT_EQ(host.CallsInsideTheEntry(), 0);
}

TEST_F(PlugInOwnThread, AScanningHostsCycleStaysQuickWhileSilentPortsExist) {
  SimSynthSettings quiet;
  quiet.silent = true;
  SimSynthDevice device(bus, quiet, "Vesk");
  TestHost host;
  for (int round = 0; round < 5; ++round) {
    const auto start = Clock::now();
    ASSERT_NE(host.Instantiate(&VSTPluginMain), nullptr);
    EXPECT_EQ(host.Close(), 1);
    // Under the one silent probe's second, with room for a loaded machine.
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(900)) << round;
  }
}

// A host's threads call the plug-in while its connection runs, with the
// receive of the instrument's whole memory in it: the audio thread
// processes MIDI and sets parameters, the GUI thread sets, reads and shows
// parameters, switches programs and saves chunks, and the editor is open.
// Nothing of that waits for the connection, the chunk calls included,
// every value reads back as set, and (in the thread-sanitizer build) no
// call races with the main thread.
TEST_F(PlugInOwnThread, HostThreadsCallThroughTheConnectionAndItsReceiveAll) {
  SimSynthDevice device(bus);
  // Program banks of the instrument's own, unlike the editor's initial ones.
  device.With([](SimSynth& s) {
    for (size_t i = SimSynth::kProgBanksOffset; i < SimSynth::kProgBanksOffset + kBanksSize; ++i)
      s.Memory()[i] = static_cast<uint8_t>((i * 37 + 11) & 0x7F);
  });
  TestHost host;
  AEffect* e = host.Instantiate(&VSTPluginMain);
  ASSERT_NE(e, nullptr);
  auto* plugin = static_cast<QuorelVst*>(static_cast<AudioEffect*>(e->object));
  host.Dispatch(effOpen);
  host.Dispatch(effSetSampleRate, 0, 0, nullptr, 48000.0f);
  host.Dispatch(effMainsChanged, 0, 1);
  // The editor, whose idle reads the image on the main thread all along.
  ASSERT_EQ(host.Dispatch(effEditOpen, 0, 0, nullptr), 1);
  for (int i = 0; i < 200 && !plugin->IsConnecting(); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  ASSERT_TRUE(plugin->IsConnecting());

  // Each thread owns its rows; the value set last is i's step.
  auto value = [](int row, int i) { return static_cast<float>((row * 7 + i) % 100) / 99.0f; };
  auto expected = [&](int row, int i) {
    const int n = row < 12 ? 128 : 199;
    const int base = row < 12 ? 0 : -99;
    return CParameter::RegulateFromInt(CParameter::QuantizeToInt(value(row, i), n, base), n, base);
  };
  std::atomic<bool> connected{false};
  std::atomic<int> wrong{0};
  // The longest chunk call made while the connection was under way.
  std::atomic<int64_t> longestChunkMs{0};
  // Rounds made while the connection was under way.
  std::atomic<int> audioRounds{0}, guiRounds{0};
  int lastAudio = 0, lastGui = 0;
  // The keys of the notes played once the connection had ended.
  std::vector<uint8_t> keysAfter;
  std::thread audio([&] {
    // The link drops what it is given while the connection's transfer
    // runs, so the rounds go on until notes have followed the connection.
    for (int i = 0, after = 0; !connected || i < 50 || after <= 60; ++i) {
      const bool ended = connected;
      if (ended) ++after;
      // MIDI now and then (the simulated instrument takes its time over
      // every message), silent blocks in between.
      if (i % 20 == 0) {
        const uint8_t key = static_cast<uint8_t>(60 + (i / 20) % 12);
        host.Process({{{0x90, key, 100}, 0}, {{0xB0, 74, static_cast<uint8_t>(i % 128)}, 32}});
        if (ended) keysAfter.push_back(key);
      } else {
        host.Process({});
      }
      for (int row = 0; row < 12; ++row) {
        e->setParameter(e, row, value(row, i));
        if (e->getParameter(e, row) != expected(row, i)) ++wrong;
      }
      lastAudio = i;
      if (plugin->IsConnecting()) ++audioRounds;
      // A block's time, as a host's audio thread keeps it.
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  });
  std::thread gui([&] {
    for (int i = 0; !connected || i < 50; ++i) {
      for (int row = 12; row < 24; ++row) {
        e->setParameter(e, row, value(row, i));
        if (e->getParameter(e, row) != expected(row, i)) ++wrong;
        if (host.Text(effGetParamDisplay, row).empty()) ++wrong;
        if (host.Text(effGetParamName, row).empty()) ++wrong;
      }
      host.Dispatch(effSetProgram, 0, i % 2);
      if (host.Dispatch(effGetProgram) != i % 2) ++wrong;
      if (plugin->IsConnecting()) ++guiRounds;
      void* chunk = nullptr;
      if (i % 20 == 19) {
        const bool during = plugin->IsConnecting();
        const auto start = Clock::now();
        if (host.Dispatch(effGetChunk, 0, 0, &chunk) <= 0) ++wrong;
        const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
        if (during && ms > longestChunkMs) longestChunkMs = ms;
      }
      lastGui = i;
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  });
  // The main thread of the test: until the connection has finished.
  while (plugin->IsConnecting()) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  connected = true;
  audio.join();
  gui.join();
  EXPECT_EQ(wrong, 0);
  EXPECT_GT(audioRounds, 0);
  EXPECT_GT(guiRounds, 0);
  // Taken between two steps of the connection, not after it (its receive
  // lasts seconds): at worst after the paced steps that bring the
  // instrument into step (1.1 s), with room for a sanitizer build on a
  // loaded machine.
  EXPECT_LT(longestChunkMs, 2500);
  void* chunk = nullptr;
  // The connection received the instrument's whole memory: its program
  // banks, which nothing else here writes, are the instrument's.
  const Bytes banks = BankRegion(device.Memory().data());
  Bytes image;
  plugin->GetMainLoop()->Call([&] {
    auto* model = dynamic_cast<Oskend::CRemoteSynthImpl*>(plugin->GetModel());
    if (model) image = BankRegion(model->GetRawChunk().data());
  });
  EXPECT_TRUE(image == banks) << "the program banks are not the instrument's";
  // Every note played once the connection had ended went on to the
  // instrument, in order: the worker hands them to the link, which sends
  // each at its time, so the last ones may still be on their way.
  ASSERT_GE(keysAfter.size(), 3u);
  std::vector<uint8_t> keysArrived;
  auto arrived = [&] {
    keysArrived.clear();
    for (const auto& m : device.ShortMessages())
      if (m.size() == 3 && m[0] == 0x90) keysArrived.push_back(m[1]);
    return keysArrived.size() >= keysAfter.size() &&
           std::equal(keysAfter.begin(), keysAfter.end(), keysArrived.end() - keysAfter.size());
  };
  for (int i = 0; i < 1000 && !arrived(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  EXPECT_TRUE(arrived()) << keysArrived.size() << " notes arrived; the last " << keysAfter.size()
                         << " were played after the connection";
  // A chunk call takes every setting into the image; the values stay.
  EXPECT_GT(host.Dispatch(effGetChunk, 0, 0, &chunk), 0);
  for (int row = 0; row < 12; ++row) EXPECT_EQ(e->getParameter(e, row), expected(row, lastAudio)) << row;
  for (int row = 12; row < 24; ++row) EXPECT_EQ(e->getParameter(e, row), expected(row, lastGui)) << row;
  host.Dispatch(effEditClose);
  EXPECT_EQ(host.Close(), 1);
}

// A drag on a panel knob is made on the plug-in's loop thread; the host
// hears of it only inside its next idle call of the editor, on its own
// thread, in order and with each value read back as told. A call the host
// makes from another thread (its audio thread, a thread that never opened
// the plug-in) takes nothing; with the editor closed, the host's next call
// from its GUI thread takes what waits.
TEST_F(PlugInOwnThread, CallsForTheHostReachItOnlyOnItsGuiThreadInsideItsOwnCalls) {
  SimSynthDevice device(bus);
  TestHost host;
  AEffect* e = host.Instantiate(&VSTPluginMain);
  ASSERT_NE(e, nullptr);
  auto* plugin = static_cast<QuorelVst*>(static_cast<AudioEffect*>(e->object));
  ASSERT_TRUE(plugin->GetMainLoop()->OwnsThread());
  std::thread::id loopThread;
  plugin->GetMainLoop()->Call([&] { loopThread = std::this_thread::get_id(); });
  const std::thread::id gui = std::this_thread::get_id();
  ASSERT_EQ(host.Dispatch(effEditOpen, 0, 0, nullptr), 1);
  bool connected = false;
  for (int i = 0; i < 4000 && !connected; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    plugin->GetMainLoop()->Call([&] { connected = plugin->GetModel()->GetConnected() && !plugin->IsConnecting(); });
  }
  ASSERT_TRUE(connected) << "the synthesizer was not connected";
  host.Dispatch(effEditIdle);
  const size_t before = host.Calls().size();

  // EQ knob 3 of the panel drives row 70: pressed, turned two steps,
  // released.
  constexpr int kRow = 70;
  plugin->GetMainLoop()->Call([&] {
    auto* root = dynamic_cast<OskendBackgroundLayer*>(plugin->GetVstEditor()->GetLayerByIndex(0));
    ASSERT_NE(root, nullptr);
    CHfcControl* knob = root->GetControlById(OskendBackgroundLayer::kIdEqKnob + 2);
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
      if ((all[i].opcode == audioMasterBeginEdit || all[i].opcode == audioMasterAutomate ||
           all[i].opcode == audioMasterEndEdit) &&
          all[i].index == kRow)
        out.push_back(all[i]);
    return out;
  };
  EXPECT_TRUE(gestures().empty()) << "the host heard of the drag on the plug-in's thread";
  // The host's audio thread and a thread of the host's that never opened
  // the plug-in call it: they take nothing.
  std::thread([&] {
    host.Process({{{0x90, 60, 100}, 0}});
    host.Text(effGetParamDisplay, kRow);
  }).join();
  EXPECT_TRUE(gestures().empty()) << "the host heard of the drag on another thread";

  host.Dispatch(effEditIdle);
  const std::vector<TestHost::Call> heard = gestures();
  ASSERT_EQ(heard.size(), 4u) << "not one begin, two values and one end";
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
  })) << "the display update did not come inside the host's next call";

  // No call at all came on a thread of the plug-in's own.
  for (const TestHost::Call& c : host.Calls()) {
    EXPECT_NE(c.thread, loopThread) << "opcode " << c.opcode << " came on the plug-in's loop thread";
    if (c.opcode != audioMasterProcessEvents) {
      EXPECT_EQ(c.thread, gui) << "opcode " << c.opcode;
    }
  }
}

}  // namespace
}  // namespace vesk::test
