#pragma once
// One of the maker's USB-MIDI controllers plugged into a VirtualBus, for
// tests of the standalone host. A first- or second-family controller is
// three port pairs in a row (port A, the exclusive port, port B); the Ondrix
// is one. The exclusive port answers the identity request, the port query,
// exclusive-mode changes and the four initial dumps (each fault can be
// switched on, or the whole controller kept silent), takes LED and LCD
// messages into its state, and sends controller events on request.
#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "os/Monitor.h"
#include "os/midi/VirtualBus.h"

namespace vesk::test {

enum class ControllerModel : uint8_t { kFirstFamily = 0, kOndrix = 1, kSecondFamily = 2 };

struct SimControllerSettings {
  uint8_t channel = 0;  // the controller's global channel
  bool silent = false;  // answers nothing at all
  bool answerIdentity = true;
  bool answerPortQuery = true;
  bool answerExclusiveMode = true;
  bool wrongPorts = false;  // port-query reply with other port bytes
  int refuseDumpStep = -1;  // acknowledge this dump with a failure status
  int wrongAckStep = -1;    // acknowledge this dump with another step number
};

struct SimControllerState {
  struct Led {
    int state = -1;
    int value = -1;
  };
  struct Lcd {
    int colour = -1;
    std::string text;
  };
  bool exclusive = false;
  int channel = 0;
  int identityRequests = 0;
  int portQueries = 0;
  int modeChanges = 0;
  std::vector<std::vector<uint8_t>> dumps;  // in arrival order
  std::map<int, Led> leds;
  std::array<Lcd, 16> lcd;
  std::vector<std::vector<uint8_t>> received;  // every SysEx message
};

class SimController {
 public:
  using Endpoint = os::midi::EndpointId;

  SimController(os::midi::VirtualBus& bus, ControllerModel model,
                SimControllerSettings settings = {}, const std::string& name = "Pad");
  ~SimController();
  SimController(const SimController&) = delete;
  SimController& operator=(const SimController&) = delete;

  ControllerModel model() const { return model_; }
  uint8_t modelByte() const { return static_cast<uint8_t>(model_); }
  Endpoint ExclusiveSource() const;
  Endpoint ExclusiveDestination() const;
  Endpoint PortASource() const;  // 0 for the Ondrix
  Endpoint PortADestination() const;
  Endpoint PortBSource() const;

  SimControllerState State();
  void Change(const std::function<void(SimControllerSettings&)>& fn);
  // Waits on simulated time until pred holds for the state.
  bool WaitFor(const std::function<bool(const SimControllerState&)>& pred, uint64_t ms);

  // F0 42 (40+ch) 6E model f a b F7 from the exclusive source.
  void SendEvent(int f, int a, int b);
  void SendExclusive(const std::vector<uint8_t>& bytes);
  void SendOnPortA(const std::vector<uint8_t>& bytes);
  void SendOnPortB(const std::vector<uint8_t>& bytes);
  // Takes the exclusive port away (the other ports stay).
  void UnplugExclusivePort();
  void Unplug();

 private:
  void OnPacket(const os::midi::VirtualBus::Received& packet);
  std::vector<std::vector<uint8_t>> Handle(const std::vector<uint8_t>& m);

  ControllerModel model_;
  std::shared_ptr<os::midi::VirtualBus::Device> portA_;
  std::shared_ptr<os::midi::VirtualBus::Device> exclusive_;
  std::shared_ptr<os::midi::VirtualBus::Device> portB_;
  os::Monitor monitor_;
  SimControllerSettings settings_;
  SimControllerState state_;
  std::vector<uint8_t> sysex_;
  bool inSysex_ = false;
};

}  // namespace vesk::test
