#pragma once
// Simulated time, a virtual MIDI bus installed as the machine's, the host's
// MIDI client and a fake component; the manager is made on demand.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "host/TalvikHostMIDIManager.h"
#include "os/midi/VirtualBus.h"
#include "platform/NRXException.h"
#include "tests/host/FakeComponent.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/simcontroller/SimController.h"

namespace vesk::test {

// The failed condition or missing name an exception carries, or "".
template <typename Fn>
std::string FailureOf(Fn fn) {
  try {
    fn();
  } catch (const NRXException& e) {
    return e.what();
  }
  return "";
}

class HostMIDIFixture : public ::testing::Test {
 protected:
  HostMIDIFixture() {
    os::midi::System::Install(&bus);
    EXPECT_EQ(bus.CreateClient("Talvik", &client), os::midi::kOk);
  }
  ~HostMIDIFixture() override {
    manager.reset();
    controllers.clear();
    client.reset();
  }

  TalvikHostMIDIManager& Make() {
    manager = std::make_unique<TalvikHostMIDIManager>(client.get(), &component, nullptr);
    return *manager;
  }
  SimController& AddController(ControllerModel model, SimControllerSettings s = {},
                               const std::string& name = "Pad") {
    controllers.push_back(std::make_unique<SimController>(bus, model, s, name));
    return *controllers.back();
  }
  std::shared_ptr<os::midi::VirtualBus::Device> AddGeneric(const std::string& name = "KEYS") {
    os::midi::VirtualBus::DeviceDesc d;
    d.deviceName = "Keyboard";
    d.sourceName = name;
    d.destinationName = name;
    return bus.AddDevice(d);
  }
  void Rebuild() { manager->RebuildDataList(MIDIEndpointList()); }
  std::pair<int, int> TypeOf(os::midi::EndpointId e) {
    int type = -1, index = -1;
    manager->GetSourceType(e, type, index);
    return {type, index};
  }
  uint64_t Elapsed(uint64_t sinceUs) { return env.clock().Now() - sinceUs; }

  TestEnvironment env;
  os::midi::VirtualBus bus;
  std::unique_ptr<os::midi::Client> client;
  FakeComponent component;
  std::vector<std::unique_ptr<SimController>> controllers;
  std::unique_ptr<TalvikHostMIDIManager> manager;
};

}  // namespace vesk::test
