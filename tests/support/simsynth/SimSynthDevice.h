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
#include "tests/support/simsynth/SimSynthAssembler.h"

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
  // A cycle the MIDI system runs late, as a JACK server that runs a late
  // client's missed cycles back to back, and the bus counts it: once
  // `bytes` more from the editor have arrived, the packet that reaches the
  // mark is taken twice (and, with `losesNext`, the one after it never
  // comes: the message keeps its size and holds the wrong bytes). On the
  // way back, once `bytes` more of the answers have gone out, the packet
  // (of 256 bytes) the mark falls in goes out twice.
  void RunLateAfterReceiving(size_t bytes, bool losesNext = false);
  void RunLateAfterSending(size_t bytes);

  os::midi::VirtualBus::Device& Device() { return *device_; }

 private:
  void OnPacket(const os::midi::VirtualBus::Received& packet);
  void OnMessage(const uint8_t* msg, size_t len);
  struct LateMark {
    size_t at;  // the byte count it falls at
    bool losesNext;
  };
  // The late cycle that falls in the next `length` bytes of a direction
  // (counted in `total`), if one does: its place in them (else `length`).
  // It is used up and counted by the bus. Called with mutex_ held.
  size_t LateCycleIn(std::vector<LateMark>& marks, size_t total, size_t length, bool* losesNext = nullptr);

  os::midi::VirtualBus& bus_;

  std::mutex mutex_;  // the instrument and the assembly state
  SimSynth synth_;
  std::shared_ptr<os::midi::VirtualBus::Device> device_;
  SimSynthAssembler assembler_;
  size_t handled_ = 0;
  std::vector<std::vector<uint8_t>> shortMessages_;
  size_t received_ = 0;
  size_t unplugAfterReceiving_ = 0;
  size_t unplugAfterSending_ = 0;
  size_t sent_ = 0;
  std::vector<LateMark> lateIn_, lateOut_;  // late cycles to come
  bool loseNext_ = false;  // the next packet from the editor never comes
};

}  // namespace vesk::test
