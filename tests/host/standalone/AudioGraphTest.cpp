// The output graph on the null audio system with the test component.
#include "host/AudioGraph.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <functional>
#include <thread>

#include "host/FailureReporter.h"
#include "host/NRXAlert.h"
#include "host/NRXCFObject.h"
#include "platform/NRXException.h"
#include "tests/host/standalone/StandaloneFixture.h"

namespace vesk::test {
namespace {

class RecordingOwner : public AudioGraph::Owner {
 public:
  std::vector<std::string> errors;
  int recoveries = 0;
  std::vector<uint32_t> fallbacks;
  std::function<void()> onRecover;
  std::function<void()> onFallback;
  void ShowErrorAlert(const std::string& key, const std::string& detail) override {
    errors.push_back(detail.empty() ? key : key + "\n" + detail);
  }
  void RecoverAfterFailedSelection() override {
    ++recoveries;
    if (onRecover) onRecover();
  }
  void SetFrameSizeControlByFrameSizeValue(AudioDeviceID, const AudioStreamBasicDescription&,
                                           uint32_t frames) override {
    fallbacks.push_back(frames);
    if (onFallback) onFallback();
  }
};

class Graph : public StandaloneFixture {
 protected:
  Graph() {
    registry.Register("Test", EditorComponentDescription(), [this]() -> std::unique_ptr<AudioComponent> {
      auto c = std::make_unique<TestAudioComponent>();
      component = c.get();
      return c;
    });
    graph.SetOwner(&owner);
    graph.setupGraph(registry, EditorComponentDescription());
  }
  ~Graph() override {
    try {
      graph.stopGraph();
    } catch (...) {
    }
    graph.uninitializeDevice();
  }
  // Adds and selects a device; returns its id.
  os::audio::DeviceId Select(const NullAudioSystem::DeviceDesc& d, int channel = 0, int frames = 256,
                             const AudioStreamBasicDescription* format = nullptr) {
    const auto id = audio.AddDevice(d);
    getAllDevices();
    const AudioStreamBasicDescription f = format ? *format : d.streams[0].current;
    bool cancelled = false, done = false;
    graph.graphSetOutputDeviceAndStream(id, false, &f, frames, -1, channel, false, 0, true, cancelled, done);
    EXPECT_TRUE(done);
    return id;
  }
  std::vector<float> Floats(os::audio::DeviceId id, size_t stream) {
    const auto& bytes = audio.Output(id, stream);
    std::vector<float> v(bytes.size() / 4);
    std::memcpy(v.data(), bytes.data(), v.size() * 4);
    return v;
  }
  std::vector<int16_t> Shorts(os::audio::DeviceId id, size_t stream) {
    const auto& bytes = audio.Output(id, stream);
    std::vector<int16_t> v(bytes.size() / 2);
    std::memcpy(v.data(), bytes.data(), v.size() * 2);
    return v;
  }

  AudioComponentRegistry registry;
  TestAudioComponent* component = nullptr;
  RecordingOwner owner;
  AudioGraph graph;
};

TEST_F(Graph, AnEmptyRegistryIsTheMissingComponent) {
  AudioComponentRegistry none;
  AudioGraph other;
  try {
    other.setupGraph(none, EditorComponentDescription());
    FAIL();
  } catch (const NRXException& e) {
    EXPECT_NE(std::string(e.what()).find("synthAUComponent"), std::string::npos) << e.what();
  }
}

TEST_F(Graph, SetUpProbesTheComponentAndASelectionPutsTheUnitFormatInForce) {
  EXPECT_EQ(component->Calls(), (std::vector<std::string>{"Initialize", "Uninitialize"}));
  Select(StereoDevice(), 0, 256);
  EXPECT_EQ(graph.deviceBufferFrameSize(), 256u);
  EXPECT_EQ(component->maxFrames, 256u);
  EXPECT_EQ(component->rate, 44100);
  EXPECT_EQ(CalcCPULoad_RingSize(), 5);
}

TEST_F(Graph, StartingFadesInOverNineCyclesOf256FramesTheFirstSilent) {
  const auto id = Select(StereoDevice(), 0, 256);
  graph.startGraph();
  std::vector<float> firstSamples;
  for (int cycle = 0; cycle < 11; ++cycle) {
    ASSERT_EQ(audio.Pump(id), 1);
    firstSamples.push_back(Floats(id, 0)[0]);
  }
  EXPECT_EQ(firstSamples[0], 0.0f);
  for (int cycle = 1; cycle < 9; ++cycle) {
    EXPECT_GT(firstSamples[cycle], firstSamples[cycle - 1]) << cycle;
    EXPECT_LT(firstSamples[cycle], 0.5f) << cycle;
  }
  EXPECT_NEAR(firstSamples[1], 0.5f * 256 / 44100.0 / 0.05, 1e-5);
  EXPECT_EQ(firstSamples[9], 0.5f);
  EXPECT_FALSE(graph.isFading());
  // Interleaved stereo float: left, right, left, right.
  const auto v = Floats(id, 0);
  EXPECT_EQ(v[0], 0.5f);
  EXPECT_EQ(v[1], -0.25f);
  EXPECT_EQ(v[510], 0.5f);
  EXPECT_EQ(v[511], -0.25f);
}

TEST_F(Graph, StoppingFadesOutAndReturnsWithinFiftyMillisecondsWithoutCycles) {
  const auto id = Select(StereoDevice(), 0, 256);
  graph.startGraph();
  audio.Pump(id, 12);
  const uint64_t before = os::NowUs();
  EXPECT_TRUE(graph.stopGraph());
  EXPECT_LE(os::NowUs() - before, 51000u);
  EXPECT_FALSE(graph.isPlaying());
  EXPECT_FALSE(audio.IsRunning(id, &AudioGraph::Process));
  EXPECT_FALSE(graph.stopGraph());
}

TEST_F(Graph, ChannelPairsLandOnTheirDeviceChannelsWithOneConverterPerStream) {
  struct Case {
    const char* what;
    std::vector<uint32_t> streamChannels;
    int startingChannel;
    int converters;
    // Per stream, the expected value of each channel of frame 0 (0 for silence).
    std::vector<std::vector<float>> frame0;
  };
  const Case cases[] = {
      {"interleaved stereo", {2}, 0, 1, {{0.5f, -0.25f}}},
      {"two mono streams", {1, 1}, 0, 2, {{0.5f}, {-0.25f}}},
      {"pair 3/4 of a 6-channel stream", {6}, 2, 1, {{0, 0, 0.5f, -0.25f, 0, 0}}},
      {"pair across streams", {3, 3}, 2, 2, {{0, 0, 0.5f}, {-0.25f, 0, 0}}},
      {"starting channel beyond the device", {2}, 4, 0, {{0, 0}}},
      {"starting channel -2 (no pair chosen)", {2}, -2, 0, {{0, 0}}},
      {"last channel: left alone", {3}, 2, 1, {{0, 0, 0.5f}}},
  };
  for (const Case& c : cases) {
    NullAudioSystem::DeviceDesc d;
    d.name = c.what;
    d.bufferFrames = 64;
    for (uint32_t ch : c.streamChannels) d.streams.push_back(StreamOf({MakeLinearPCM(44100, ch, 32, true)}));
    const auto id = Select(d, c.startingChannel, 64);
    EXPECT_EQ(graph.converterCount(), c.converters) << c.what;
    graph.startGraph();
    audio.Pump(id, 40);  // past the fade
    const int rendersBefore = component->renders;
    audio.Pump(id);
    EXPECT_EQ(component->renders, rendersBefore + 1) << c.what;
    for (size_t s = 0; s < c.frame0.size(); ++s) {
      const auto v = Floats(id, s);
      for (size_t ch = 0; ch < c.frame0[s].size(); ++ch) {
        EXPECT_EQ(v[ch], c.frame0[s][ch]) << c.what << " stream " << s << " channel " << ch;
        // And the last frame alike: every byte of the buffer was written.
        EXPECT_EQ(v[v.size() - c.frame0[s].size() + ch], c.frame0[s][ch]) << c.what;
      }
    }
    graph.stopGraph();
  }
}

TEST_F(Graph, TheComponentsFloatsBecomeTheDevicesIntegersAndPlanarLayouts) {
  NullAudioSystem::DeviceDesc d;
  d.name = "16-bit";
  d.bufferFrames = 32;
  d.streams.push_back(StreamOf({MakeLinearPCM(44100, 2, 16, false)}));
  const auto id = Select(d, 0, 32);
  graph.startGraph();
  audio.Pump(id, 80);
  auto v = Shorts(id, 0);
  EXPECT_EQ(v[0], 16384);
  EXPECT_EQ(v[1], -8192);
  graph.stopGraph();

  component->left = 2.0f;  // clipped
  NullAudioSystem::DeviceDesc p;
  p.name = "planar";
  p.bufferFrames = 32;
  p.streams.push_back(StreamOf({MakeLinearPCM(44100, 4, 32, true, false)}));
  const auto pid = Select(p, 2, 32);
  EXPECT_EQ(graph.converterCount(), 1);
  graph.startGraph();
  audio.Pump(pid, 80);
  const auto f = Floats(pid, 0);
  ASSERT_EQ(f.size(), 4u * 32);
  EXPECT_EQ(f[0], 0.0f);           // channel 1
  EXPECT_EQ(f[32], 0.0f);          // channel 2
  EXPECT_EQ(f[64], 2.0f);          // channel 3: left (floats are not clipped)
  EXPECT_EQ(f[96 + 31], -0.25f);   // channel 4: right
}

TEST_F(Graph, ARenderErrorEndsTheCycleWithSilenceAndTheNextCycleRuns) {
  const auto id = Select(StereoDevice(), 0, 256);
  graph.startGraph();
  audio.Pump(id, 12);
  component->renderStatus = -10867;
  audio.Pump(id);
  for (float f : Floats(id, 0)) ASSERT_EQ(f, 0.0f);
  component->renderStatus = 0;
  audio.Pump(id);
  EXPECT_EQ(Floats(id, 0)[0], 0.5f);
}

TEST_F(Graph, AFailingUninitializeStillLeavesTheGraphStopped) {
  const auto id = Select(StereoDevice(), 0, 256);
  graph.startGraph();
  component->uninitializeStatus = -1;
  EXPECT_THROW(graph.stopGraph(), NRXException);
  EXPECT_FALSE(graph.isPlaying());
  EXPECT_FALSE(audio.IsRunning(id, &AudioGraph::Process));
  // The device stopped: nothing a cycle reads has to stay for it.
  EXPECT_FALSE(graph.cyclesMayRun());
  component->uninitializeStatus = 0;
  graph.startGraph();
  EXPECT_TRUE(graph.isPlaying());
}

TEST_F(Graph, ARefusedBufferSizeFallsBackSilentlyOrRaisesTheRangeAlert) {
  NullAudioSystem::DeviceDesc d = StereoDevice();
  d.refuseBufferSizes = true;
  d.bufferFrames = 333;
  const auto id = audio.AddDevice(d);
  getAllDevices();
  const AudioStreamBasicDescription f = d.streams[0].current;
  bool cancelled = true, done = false;
  graph.graphSetOutputDeviceAndStream(id, false, &f, 512, -1, 0, false, 0, true, cancelled, done);
  EXPECT_TRUE(done);
  EXPECT_FALSE(cancelled);
  EXPECT_EQ(owner.fallbacks, (std::vector<uint32_t>{333}));
  EXPECT_EQ(graph.deviceBufferFrameSize(), 333u);
  EXPECT_TRUE(owner.errors.empty());

  // The user's own choice; the recovery fails again and does not recover
  // twice.
  owner.onRecover = [&] {
    bool c2 = false, d2 = true;
    graph.graphSetOutputDeviceAndStream(id, false, &f, 512, -1, 0, false, 0, false, c2, d2);
    EXPECT_TRUE(d2);  // left as it was
  };
  graph.graphSetOutputDeviceAndStream(id, false, &f, 512, -1, 0, false, 0, false, cancelled, done);
  EXPECT_FALSE(done);
  EXPECT_TRUE(cancelled);
  EXPECT_EQ(owner.recoveries, 1);
  ASSERT_EQ(owner.errors.size(), 2u);
  EXPECT_EQ(owner.errors[0], "Cannot set buffer size to audio device.\n( 15 - 8192 )");
}

TEST_F(Graph, DeviceNotificationsRebuildOnlyOnARealChangeAndNeverForAReleasedDevice) {
  const auto id = Select(StereoDevice(), 0, 256);
  graph.startGraph();
  audio.InjectPropertyChange(id, os::audio::FourCC("xxxx"));
  audio.InjectPropertyChange(id, os::audio::kPropertyBufferSize);
  EXPECT_TRUE(GetIdleTaskQueue().Pending().empty());
  audio.InjectPropertyChange(id, os::audio::kPropertyClockSource);
  EXPECT_EQ(GetIdleTaskQueue().Pending(), (std::deque<int>{8}));

  audio.Device(id).bufferFrames = 512;
  audio.InjectPropertyChange(id, os::audio::kPropertyBufferSize);
  EXPECT_EQ(graph.deviceBufferFrameSize(), 512u);
  EXPECT_TRUE(graph.isPlaying());
  EXPECT_EQ(GetIdleTaskQueue().Pending(), (std::deque<int>{8, 9}));

  // A notification delivered after the device was let go changes nothing.
  graph.stopGraph();
  graph.uninitializeDevice();
  audio.Device(id).bufferFrames = 1024;
  AudioGraph::DeviceNotificationProc(id, os::audio::kPropertyBufferSize, &graph);
  EXPECT_EQ(graph.deviceBufferFrameSize(), 0u);
  EXPECT_EQ(audio.DeviceListenerCount(id), 0);
}

// A notification for the device being selected, arriving from another
// thread while the selection is half done (the device chosen, its format
// not yet taken), waits for the selection to finish; it then finds nothing
// changed. Run in the middle, it would see the format unset and restart the
// graph for a format change that never happened.
TEST_F(Graph, ANotificationFromAnotherThreadWaitsForASelectionInProgress) {
  Select(StereoDevice(), 0, 256);
  NullAudioSystem::DeviceDesc second = StereoDevice("Second");
  second.refuseBufferSizes = true;  // the selection reports its fallback midway
  second.bufferFrames = 333;
  const auto id2 = audio.AddDevice(second);
  getAllDevices();
  GetIdleTaskQueue().RunTick([](int) {});
  std::atomic<bool> started{false}, notified{false};
  bool notifiedMidway = true;
  std::thread notifier;
  owner.onFallback = [&] {
    notifier = std::thread([&] {
      started = true;
      AudioGraph::DeviceNotificationProc(id2, os::audio::kPropertyBufferSize, &graph);
      notified = true;
    });
    while (!started) std::this_thread::yield();
    // Give a notification that did not wait the time to finish; one that
    // waits cannot, however long this lasts.
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(100);
    while (!notified && std::chrono::steady_clock::now() < until) std::this_thread::yield();
    notifiedMidway = notified;
  };
  const AudioStreamBasicDescription f = second.streams[0].current;
  bool c = true, d = false;
  graph.graphSetOutputDeviceAndStream(id2, false, &f, 256, -1, 0, false, 0, true, c, d);
  ASSERT_TRUE(notifier.joinable());
  notifier.join();
  EXPECT_TRUE(d);
  EXPECT_FALSE(notifiedMidway);
  EXPECT_TRUE(notified);
  EXPECT_EQ(graph.getCurrentAudioDeviceID(), id2);
  EXPECT_EQ(graph.deviceBufferFrameSize(), 333u);
  EXPECT_TRUE(GetIdleTaskQueue().Pending().empty());
}

}  // namespace
}  // namespace vesk::test

namespace vesk::test {
namespace {

// A port the MIDI manager did not take is not the current one (so it is
// not saved as chosen), and the user hears why.
TEST_F(Graph, APortTheMidiManagerRefusesIsNotRecordedAndIsReported) {
  NRXCFObject title(HostStringCreate("Vesk Editor"));
  NRXAlert::SetTitleText(title.get());
  std::vector<std::string> told;
  FailureReporter::SetLog([&](const std::string& text) { told.push_back(text); });
  MidiEntry port;
  port.enable = 1;
  port.uniqueID = 77;
  port.endpoint = 0x1234;
  graph.AttachMIDISource(1, &port);  // no manager runs in this fixture
  graph.AttachMIDIClockSource(&port);
  graph.AttachMIDISource(2, nullptr);  // letting go tells nothing
  FailureReporter::SetLog({});
  MidiEntry current;
  graph.GetCurrentMIDISource(1, current);
  EXPECT_EQ(current.uniqueID, 0);
  EXPECT_EQ(current.endpoint, 0u);
  graph.GetCurrentMIDIClockSource(current);
  EXPECT_EQ(current.endpoint, 0u);
  EXPECT_EQ(told, (std::vector<std::string>{
                      "MIDI input 2 could not be connected. The MIDI manager is not running.",
                      "The MIDI clock source could not be connected. The MIDI manager is not running."}));
  EXPECT_EQ(AlertTexts(), (std::vector<std::string>{
                              "MIDI input 2 could not be connected.\nThe MIDI manager is not running.",
                              "The MIDI clock source could not be connected.\nThe MIDI manager is not running."}));
}

}  // namespace
}  // namespace vesk::test
