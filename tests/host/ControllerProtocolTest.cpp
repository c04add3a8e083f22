#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <thread>

#include "os/Clock.h"
#include "tests/host/HostMIDIFixture.h"

namespace vesk::test {
namespace {

using Bytes = std::vector<uint8_t>;
using Call = FakeComponent::Call;
using M = TalvikHostMIDIManager;

class ControllerProtocolTest : public HostMIDIFixture {
 protected:
  // A controller put into slot 0 and set up.
  SimController& Ready(ControllerModel model, SimControllerSettings s = {}) {
    Make();
    SimController& c = AddController(model, s);
    Rebuild();
    manager->SetSource(0, c.ExclusiveSource(), true);
    component.Clear();
    return c;
  }
  void Idle() { manager->Idle(); }
};

TEST_F(ControllerProtocolTest, AProbeFindsEveryModelAndIgnoresSilentPorts) {
  Make();
  auto keys = AddGeneric();
  SimController& a = AddController(ControllerModel::kFirstFamily);
  SimController& ondrix = AddController(ControllerModel::kOndrix);
  SimController& second = AddController(ControllerModel::kSecondFamily);
  SimController& silent = AddController(ControllerModel::kFirstFamily, {.silent = true});
  SimController& wrong = AddController(ControllerModel::kFirstFamily, {.wrongPorts = true});
  SimController& b = AddController(ControllerModel::kFirstFamily);
  const uint64_t start = env.clock().Now();
  Rebuild();
  // Two rounds over 17 destinations, each waiting out its 100 ms.
  EXPECT_EQ(Elapsed(start), 2u * 17 * M::kReplyTimeoutUs);
  using P = std::pair<int, int>;
  struct Case {
    const char* name;
    os::midi::EndpointId source;
    P want;
  };
  const Case cases[] = {
      {"keys", keys->source(), P{4, 1}},
      {"first A", a.PortASource(), P{0, 1}},
      {"first", a.ExclusiveSource(), P{1, 1}},
      {"first B", a.PortBSource(), P{2, 1}},
      {"Ondrix", ondrix.ExclusiveSource(), P{3, 1}},
      {"second A", second.PortASource(), P{0, 0x10001}},
      {"second", second.ExclusiveSource(), P{1, 0x10001}},
      {"second B", second.PortBSource(), P{2, 0x10001}},
      {"silent A", silent.PortASource(), P{4, 2}},
      {"silent", silent.ExclusiveSource(), P{4, 3}},
      {"silent B", silent.PortBSource(), P{4, 4}},
      {"wrong ports", wrong.ExclusiveSource(), P{4, 6}},
      {"another first", b.ExclusiveSource(), P{1, 2}},
      {"another first B", b.PortBSource(), P{2, 2}},
  };
  for (const Case& c : cases) EXPECT_EQ(TypeOf(c.source), c.want) << c.name;
  EXPECT_EQ(silent.State().portQueries, 1);  // it was asked, and kept quiet

  // Known sources are not probed again; a new one continues the numbering.
  const uint64_t again = env.clock().Now();
  Rebuild();
  EXPECT_EQ(Elapsed(again), 0u);
  EXPECT_EQ(TypeOf(b.ExclusiveSource()), P(1, 2));
  SimController& c = AddController(ControllerModel::kFirstFamily);
  SimController& o2 = AddController(ControllerModel::kOndrix);
  auto gone = AddGeneric("GONE");
  const MIDIEndpointList snapshot;
  gone->Unplug();  // between the snapshot and the probe: skipped, not fatal
  manager->RebuildDataList(snapshot);
  EXPECT_EQ(TypeOf(c.ExclusiveSource()), P(1, 3));
  EXPECT_EQ(TypeOf(o2.ExclusiveSource()), P(3, 2));
  EXPECT_EQ(TypeOf(a.ExclusiveSource()), P(1, 1));
  EXPECT_EQ(a.State().exclusive, false);  // a probe never changes a controller's mode
}

TEST_F(ControllerProtocolTest, SettingUpPutsTheControllerIntoExclusiveModeOnTheComponentsChannel) {
  struct Case {
    ControllerModel model;
    uint8_t modelByte;
  };
  for (const Case& k : {Case{ControllerModel::kFirstFamily, 0}, Case{ControllerModel::kSecondFamily, 2}}) {
    SCOPED_TRACE(k.modelByte);
    component.controllerChannel = 5;
    Make();
    SimController& c = AddController(k.model, {.channel = 2});
    Rebuild();
    const size_t probed = c.State().received.size();
    manager->SetSource(1, c.ExclusiveSource(), true);
    const SimControllerState s = c.State();
    EXPECT_TRUE(s.exclusive);
    EXPECT_EQ(s.channel, 5);
    ASSERT_EQ(s.dumps.size(), 4u);
    const size_t sizes[] = {47, 26, 41, 41};
    for (int i = 0; i < 4; ++i) {
      EXPECT_EQ(s.dumps[i].size(), sizes[i]);
      EXPECT_EQ(s.dumps[i][4], k.modelByte);
      EXPECT_EQ(s.dumps[i][2], i == 0 ? 0x42 : 0x45);  // the first on the old channel
    }
    EXPECT_EQ(s.dumps[0][9], 5);  // the new channel
    ASSERT_EQ(s.received.size(), probed + 6);
    EXPECT_EQ(s.received[probed], (Bytes{0xF0, 0x7E, 0x7F, 0x06, 0x01, 0xF7}));
    EXPECT_EQ(s.received[probed + 1],
              (Bytes{0xF0, 0x42, 0x42, 0x6E, k.modelByte, 0x00, 0x00, 0x01, 0xF7}));
    EXPECT_EQ(component.Calls(),
              (std::vector<Call>{{"QueryControllerChannel"},
                                 {"Attached", c.ExclusiveSource(), k.modelByte}}));
    // The controller's port B plays into the component too.
    c.SendOnPortB({0x90, 0x31, 0x40});
    ASSERT_TRUE(component.WaitEvents(1));
    EXPECT_EQ(component.Events()[0].data1, 0x31u);
    component.Clear();
    manager->SetSource(1, 0, false);
    EXPECT_FALSE(c.State().exclusive);
    EXPECT_EQ(c.State().received.back(),
              (Bytes{0xF0, 0x42, 0x45, 0x6E, k.modelByte, 0x00, 0x00, 0x00, 0xF7}));
    EXPECT_EQ(component.Calls(), (std::vector<Call>{{"Detached", c.ExclusiveSource()}}));
    manager.reset();
    controllers.clear();
    component.Clear();
  }
}

TEST_F(ControllerProtocolTest, AnOndrixNeedsNoHandshakeAndIsAlwaysEnabled) {
  Make();
  SimController& o = AddController(ControllerModel::kOndrix);
  Rebuild();
  const size_t before = o.State().received.size();
  manager->SetSource(2, o.ExclusiveSource(), false);
  EXPECT_EQ(o.State().received.size(), before);
  EXPECT_EQ(component.Calls(), (std::vector<Call>{{"Attached", o.ExclusiveSource(), 1}}));
  component.host->SetLedOndr_talvikvstinterface1(
      static_cast<int>(o.ExclusiveSource()), CONSTANT_talvikvstinterface1::LED_ONDR_ID(12),
      CONSTANT_talvikvstinterface1::LED_STATE(1), 7);
  Idle();
  ASSERT_TRUE(o.WaitFor([](const SimControllerState& s) { return s.leds.count(12) != 0; }, 100));
  EXPECT_EQ(o.State().leds[12].state, 0);
  EXPECT_EQ(o.State().leds[12].value, 7);
  EXPECT_EQ(o.State().received.back(), (Bytes{0xF0, 0x42, 0x40, 0x6E, 0x01, 0x01, 12, 7, 0xF7}));
}

TEST_F(ControllerProtocolTest, ControllerEventsBecomeCallsOnTheComponent) {
  struct Case {
    int f, a, b;
    Call want;  // op "" : nothing
  };
  const Case first[] = {
      {3, 0, 127, {"M3", 0, 1, -1}},  {3, 7, 63, {"M3", 0, 8, 63}},   {3, 8, 64, {"M3", 0, 0, -64}},
      {3, 9, 1, {"M3", 0, 0, 1}},     {4, 3, 99, {"M4", 0, 3, 99}},   {5, 0x47, 9, {"M5", 0, 7, 1, 9}},
      {6, 1, 5, {"M6", 0, 1, 5}},     {7, 0, 6, {"M7", 0, 0, 6}},     {8, 5, 1, {"M8", 0, 5, 1}},
      {8, 9, 1, {"M8", 0, 0, 1}},     {11, 12, 34, {"M11", 0, 12, 34}},
      {1, 1, 1, {""}},                {2, 1, 1, {""}},                {9, 1, 1, {""}},
      {10, 1, 1, {""}},               {12, 1, 1, {""}},
  };
  const Case second[] = {
      {8, 7, 0, {"M8", 0, 7, 0}}, {8, 8, 1, {"M8", 0, 9, 1}}, {8, 9, 1, {"M8", 0, 10, 1}},
      {8, 10, 1, {"M8", 0, 0, 1}},
  };
  for (int family = 0; family < 2; ++family) {
    SimController& c = Ready(family ? ControllerModel::kSecondFamily : ControllerModel::kFirstFamily);
    for (const Case& k : family ? std::vector<Case>(std::begin(second), std::end(second))
                                : std::vector<Case>(std::begin(first), std::end(first))) {
      component.Clear();
      c.SendEvent(k.f, k.a, k.b);
      c.SendEvent(4, 100, 100);  // a marker after every event
      ASSERT_TRUE(component.WaitCalls(k.want.op.empty() ? 1 : 2));
      const auto calls = component.Calls();
      Call want = k.want;
      want.source = c.ExclusiveSource();
      if (want.op.empty()) {
        EXPECT_EQ(calls.size(), 1u) << k.f;
      } else {
        EXPECT_EQ(calls[0], want) << k.f << " " << k.a;
      }
    }
    manager.reset();
    controllers.clear();
  }
  EXPECT_TRUE(component.Events().empty());  // none of it was played as MIDI
}

TEST_F(ControllerProtocolTest, LedAndLcdRequestsGoOutFromIdle) {
  SimController& c = Ready(ControllerModel::kFirstFamily);
  auto* host = component.host;
  const int port = static_cast<int>(c.ExclusiveSource());
  using K = CONSTANT_talvikvstinterface1;
  host->SetLed_talvikvstinterface1(port, K::LED_ID(44), K::LED_STATE(0), 5);
  host->SetLed_talvikvstinterface1(port, K::LED_ID(23), K::LED_STATE(3), 31);
  host->SetLed_talvikvstinterface1(port + 1000, K::LED_ID(1), K::LED_STATE(0), 1);  // no such port
  unsigned char text[8] = {'P', 'R', 'O', 'G', ' ', '0', '0', '1'};
  host->SetLcd_talvikvstinterface1(port, K::LCD_ID(0), K::LCD_COLOR(3), text);
  host->SetLcd_talvikvstinterface1(port, K::LCD_ID(1), K::LCD_COLOR(9), text);
  EXPECT_TRUE(c.State().leds.empty());  // queued only
  Idle();
  ASSERT_TRUE(c.WaitFor([](const SimControllerState& s) { return s.lcd[0].colour >= 0; }, 100));
  SimControllerState s = c.State();
  EXPECT_EQ(s.leds[47].state, 1);
  EXPECT_EQ(s.leds[47].value, 5);
  EXPECT_EQ(s.leds[25].state, 3);
  EXPECT_EQ(s.leds[25].value, 31);
  EXPECT_EQ(s.leds.size(), 2u);
  EXPECT_EQ(s.lcd[8].text, "PROG 001");
  EXPECT_EQ(s.lcd[8].colour, 3);
  EXPECT_EQ(s.lcd[0].colour, 1);  // colour & 7
  host->SetLcd_talvikvstinterface1(port, K::LCD_ID(9), K::LCD_COLOR(0), text);
  host->SetLed_talvikvstinterface1(port, K::LED_ID(45), K::LED_STATE(2), 0);
  Idle();
  ASSERT_TRUE(c.WaitFor([](const SimControllerState& s) { return s.lcd[8].colour == 0; }, 100));
  EXPECT_EQ(c.State().lcd[8].colour, 0);
  EXPECT_EQ(c.State().leds[47].state, 2);
  EXPECT_EQ(manager->QueuedRequests(), 0u);
}

TEST_F(ControllerProtocolTest, AFailedSendDropsItsQueueAndTheQueuesAreCapped) {
  SimController& c = Ready(ControllerModel::kFirstFamily);
  auto* host = component.host;
  const int port = static_cast<int>(c.ExclusiveSource());
  using K = CONSTANT_talvikvstinterface1;
  c.UnplugExclusivePort();
  for (int i = 0; i < 3; ++i) host->SetLed_talvikvstinterface1(port, K::LED_ID(i), K::LED_STATE(0), i);
  EXPECT_THROW(Idle(), NRXMacOSException);
  EXPECT_EQ(manager->QueuedRequests(), 0u);
  EXPECT_NO_THROW(Idle());  // nothing left to resend
  for (int i = 0; i < 1000; ++i)
    host->SetLed_talvikvstinterface1(port, K::LED_ID(1), K::LED_STATE(0), i % 32);
  EXPECT_EQ(manager->QueuedRequests(), M::kRequestQueueLimit);
}

TEST_F(ControllerProtocolTest, AFailedHandshakeReachesTheCallerAndCanBeRetried) {
  struct Case {
    const char* name;
    SimControllerSettings settings;
    const char* condition;
    uint64_t waited;  // time-outs spent
    bool leftExclusive;
  };
  const Case cases[] = {
      {"no identity", {.answerIdentity = false}, "mDeviceInquiryGlobalMIDIChannel != -1", 1, false},
      {"no mode change", {.answerExclusiveMode = false}, "mChangeExclusiveModeCompleted", 1, true},
      {"wrong step", {.wrongAckStep = 2}, "mExclusiveInitializeCompleted", 1, false},
      {"refused dump", {.refuseDumpStep = 1}, "mExclusiveInitializeCompleted", 0, false},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    Make();
    SimController& c = AddController(ControllerModel::kFirstFamily, k.settings);
    Rebuild();
    const uint64_t start = env.clock().Now();
    const std::string what = FailureOf([&] { manager->SetSource(0, c.ExclusiveSource(), true); });
    EXPECT_NE(what.find(k.condition), std::string::npos) << what;
    EXPECT_GE(Elapsed(start), k.waited * M::kReplyTimeoutUs);
    EXPECT_LT(Elapsed(start), (k.waited + 1) * M::kReplyTimeoutUs);
    EXPECT_EQ(c.State().exclusive, k.leftExclusive);  // a failed set-up leaves exclusive mode
    for (const Call& call : component.Calls()) EXPECT_NE(call.op, "Attached");

    // Not taken as set up: no LED goes to it, and choosing it again retries.
    component.host->SetLed_talvikvstinterface1(static_cast<int>(c.ExclusiveSource()),
                                               CONSTANT_talvikvstinterface1::LED_ID(3),
                                               CONSTANT_talvikvstinterface1::LED_STATE(0), 1);
    Idle();
    c.Change([](SimControllerSettings& s) { s = SimControllerSettings{.channel = s.channel}; });
    manager->SetSource(0, c.ExclusiveSource(), true);
    EXPECT_TRUE(c.State().exclusive);
    EXPECT_EQ(c.State().leds.count(3), 0u);
    EXPECT_EQ(component.Calls().back().op, "Attached");
    manager.reset();
    controllers.clear();
    component.Clear();
  }
}

TEST_F(ControllerProtocolTest, SysExIsAssembledPerSource) {
  SimController& c = Ready(ControllerModel::kFirstFamily);
  auto keys = AddGeneric();
  Rebuild();
  manager->SetSource(1, keys->source(), false);
  // A keyboard's bytes that look like a controller event, then a real one:
  // only the controller's own bytes make its event.
  keys->Emit(Bytes{0xF0, 0x42, 0x40, 0x6E, 0x00, 0x04, 0x05, 0x06, 0xF7});
  c.SendEvent(4, 1, 2);
  ASSERT_TRUE(component.WaitCalls(1));
  EXPECT_FALSE(component.WaitCalls(2, 20));
  EXPECT_EQ(component.Calls()[0], (Call{"M4", c.ExclusiveSource(), 1, 2}));

  // Halves of one controller message around another source's bytes.
  component.Clear();
  c.SendExclusive({0xF0, 0x42, 0x41, 0x6E});
  keys->Emit(Bytes{0xF0, 0x42, 0x41, 0x6E, 0x00, 0x04, 0x09, 0x09, 0xF7});
  c.SendExclusive({0x00, 0x04, 0x03, 0x04, 0xF7});
  ASSERT_TRUE(component.WaitCalls(1));
  EXPECT_FALSE(component.WaitCalls(2, 20));
  EXPECT_EQ(component.Calls()[0], (Call{"M4", c.ExclusiveSource(), 3, 4}));
}

TEST_F(ControllerProtocolTest, TheRenderThreadNeverWaitsForAHandshake) {
  Make();
  SimController& c = AddController(ControllerModel::kFirstFamily);
  Rebuild();
  manager->SetSampleRateAndBufferFrameSize(48000, 256);
  bool rendered = false;
  std::thread render;
  component.onQueryChannel = [&] {
    // The main thread is inside the set-up, holding the manager's lock.
    std::promise<void> done;
    render = std::thread([&] {
      HostAudioTimeStamp ts{1'000'000'000, HostAudioTimeStamp::kHostTimeValid};
      manager->InProcess(&ts);
      done.set_value();
    });
    rendered = done.get_future().wait_for(std::chrono::seconds(5)) == std::future_status::ready;
  };
  manager->SetSource(0, c.ExclusiveSource(), true);
  render.join();
  EXPECT_TRUE(rendered);
  EXPECT_EQ(manager->CalcMIDISampleOffset(1'001'000'000), 48u);
}

TEST_F(ControllerProtocolTest, AChannelChangeReinitialisesTheControllersInUse) {
  SimController& c = Ready(ControllerModel::kFirstFamily);
  SimController& idle = AddController(ControllerModel::kFirstFamily, {}, "Spare");
  Rebuild();
  ASSERT_EQ(TypeOf(idle.ExclusiveSource()).first, 1);
  ASSERT_EQ(c.State().channel, 1);
  component.host->SetCombiMIDIChannel_talvikvstinterface1(9);
  EXPECT_EQ(c.State().channel, 9);
  EXPECT_EQ(c.State().dumps.size(), 8u);
  EXPECT_EQ(c.State().dumps[4][2], 0x41);  // addressed on the old channel
  EXPECT_TRUE(c.State().exclusive);
  EXPECT_EQ(idle.State().modeChanges, 0);  // not in a slot: left alone

  // From another thread the handshakes wait for the main thread's Idle.
  std::thread([&] { component.host->SetCombiMIDIChannel_talvikvstinterface1(4); }).join();
  EXPECT_EQ(c.State().channel, 9);
  Idle();
  EXPECT_EQ(c.State().channel, 4);

  // A controller that stops answering is reported, and no longer used.
  c.Change([](SimControllerSettings& s) { s.silent = true; });
  EXPECT_NE(FailureOf([&] { component.host->SetCombiMIDIChannel_talvikvstinterface1(6); }), "");
  EXPECT_EQ(component.Calls().back(), (Call{"Detached", c.ExclusiveSource()}));
  // Its port B no longer plays into the component; the slot's port still does.
  Idle();
  component.Clear();
  c.SendOnPortB({0x90, 0x31, 0x40});
  c.SendExclusive({0x90, 0x30, 0x40});
  ASSERT_TRUE(component.WaitEvents(1));
  EXPECT_FALSE(component.WaitEvents(2, 20));
  EXPECT_EQ(component.Events()[0].data1, 0x30u);
}

TEST_F(ControllerProtocolTest, ARebuildLetsGoOfAVanishedControllerAndItsReplyGetsThrough) {
  SimController& c = Ready(ControllerModel::kFirstFamily);
  // A snapshot without the controller's exclusive port, while it is still
  // plugged in: the slot is released inside the rebuild and the controller
  // is told to leave exclusive mode.
  const MIDIEndpointList all;
  std::vector<MIDIEndpointRef> sources, dests;
  for (int i = 0; i < all.GetSourceCount(); ++i)
    if (all.GetSource(i) != c.ExclusiveSource()) sources.push_back(all.GetSource(i));
  for (int i = 0; i < all.GetDestCount(); ++i) dests.push_back(all.GetDest(i));
  const uint64_t start = env.clock().Now();
  manager->RebuildDataList(MIDIEndpointList(sources, dests));
  EXPECT_LT(Elapsed(start), M::kReplyTimeoutUs);
  EXPECT_FALSE(c.State().exclusive);
  EXPECT_EQ(component.Calls(), (std::vector<Call>{{"Detached", c.ExclusiveSource()}}));

  // Unplugged for real: the release cannot reach it, which is not an error.
  SimController& d = AddController(ControllerModel::kSecondFamily);
  Rebuild();
  manager->SetSource(2, d.ExclusiveSource(), true);
  d.Unplug();
  component.Clear();
  EXPECT_NO_THROW(Rebuild());
  EXPECT_EQ(component.Calls(), (std::vector<Call>{{"Detached", d.ExclusiveSource()}}));
}

}  // namespace
}  // namespace vesk::test
