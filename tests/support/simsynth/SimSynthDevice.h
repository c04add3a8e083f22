#pragma once
// A SimSynth plugged into a VirtualBus as a device: what the editor sends
// to its destination is assembled into messages and handled, and the
// answers go back through its source. The wire flags of the settings are
// honoured: small packets on the way to the host, and the byte rate of a
// serial MIDI cable in both directions. The instrument's panel can send on
// its own, and the device can be unplugged, also in the middle of a
// transfer.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "os/midi/VirtualBus.h"
#include "tests/support/simsynth/SimSynth.h"

namespace vesk::test {

class SimSynthDevice {
 public:
  // Manufacturer and model make the device the editor's target.
  SimSynthDevice(os::midi::VirtualBus& bus, SimSynthSettings settings = {},
                 const std::string& deviceName = "Vesk", const std::string& model = "Vesk");
  ~SimSynthDevice();
  SimSynthDevice(const SimSynthDevice&) = delete;
  SimSynthDevice& operator=(const SimSynthDevice&) = delete;

  // Runs fn with the instrument, while no message is being handled.
  void With(const std::function<void(SimSynth&)>& fn);
  std::vector<SimSynthEvent> Log();
  std::vector<uint8_t> Memory();
  size_t MessagesHandled();
  // Every message of up to three bytes that arrived, in order.
  std::vector<std::vector<uint8_t>> ShortMessages();

  // Sends a message as if from the instrument's panel.
  void Emit(const std::vector<uint8_t>& msg);

  void Unplug();
  // Unplugs once this many bytes from the editor have arrived (0: never).
  void UnplugAfterReceiving(size_t bytes);
  // Sends only the first `bytes` of each answer, then unplugs (0: off).
  void UnplugAfterSending(size_t bytes);

  os::midi::VirtualBus::Device& Device() { return *device_; }

 private:
  void OnPacket(const os::midi::VirtualBus::Received& packet);
  void OnMessage(const uint8_t* msg, size_t len);

  std::mutex mutex_;  // the instrument and the assembly state
  SimSynth synth_;
  std::shared_ptr<os::midi::VirtualBus::Device> device_;
  std::vector<uint8_t> sysex_;
  bool inSysex_ = false;
  std::vector<uint8_t> pendingShort_;
  size_t handled_ = 0;
  std::vector<std::vector<uint8_t>> shortMessages_;
  size_t received_ = 0;
  size_t unplugAfterReceiving_ = 0;
  size_t unplugAfterSending_ = 0;
};

}  // namespace vesk::test
