#pragma once
// An in-process MIDI system: virtual devices that tests (and the simulated
// synthesizer) plug in, each with one source (device -> host) and one
// destination (host -> device). Each direction is a wire with a packet
// size, optional grouping of messages into packets, packets per delivered
// list, a latency and a byte rate (0: instant; 3125 bytes/s is a real
// 31,250-baud cable), all on os::NowUs time. Input reaches read procedures
// on one delivery thread, output reaches devices and SysEx sends complete on
// another; both are tracked os::Threads, so under an os::VirtualClock a
// transfer costs no real time. Make the bus after installing a virtual
// clock, and install it with System::Install to make it the machine's.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "os/midi/System.h"

namespace os::midi {

class VirtualBus : public System {
 public:
  struct Wire {
    size_t maxPacketBytes = 256;
    bool groupMessages = false;
    size_t packetsPerList = 1;  // device -> host only
    uint64_t latencyUs = 0;
    uint32_t bytesPerSecond = 0;
  };

  struct DeviceDesc {
    std::string deviceName = "Vesk";
    bool hasDevice = true;  // false: the endpoints belong to no device
    std::string sourceName = "KEYBOARD";
    std::string destinationName = "SOUND";
    std::optional<std::string> manufacturer;  // empty: no such property
    std::optional<std::string> model;
    Wire toHost;
    Wire toDevice;
  };

  struct Received {
    uint64_t timeUs;  // when the packet arrived
    std::vector<uint8_t> bytes;
  };

  class Device;

  VirtualBus();
  ~VirtualBus() override;  // uninstalls itself; every device counts as unplugged
  VirtualBus(const VirtualBus&) = delete;
  VirtualBus& operator=(const VirtualBus&) = delete;

  std::shared_ptr<Device> AddDevice(const DeviceDesc& desc);

  size_t SourceCount() override;
  EndpointId Source(size_t index) override;
  size_t DestinationCount() override;
  EndpointId Destination(size_t index) override;
  Status GetProperty(EndpointId endpoint, Property property, std::string* value) override;
  Status CreateClient(const std::string& name, std::unique_ptr<Client>* client) override;
  uint64_t LateCycles() override;
  // Any thread. Counts a late cycle, as a system that ran one does; what it
  // did to the packets on the wires is the test's own doing.
  void NoteLateCycle();

  struct Core;

 private:
  std::shared_ptr<Core> core_;
};

// The device end of a plugged-in pair of endpoints.
class VirtualBus::Device : public std::enable_shared_from_this<VirtualBus::Device> {
 public:
  ~Device();
  EndpointId source() const { return source_; }
  EndpointId destination() const { return destination_; }
  bool plugged() const;

  // Sends bytes to the host through the source, cut into packets and lists
  // as the device -> host wire says.
  void Emit(const void* data, size_t length);
  void Emit(const std::vector<uint8_t>& bytes) { Emit(bytes.data(), bytes.size()); }
  // Sends exactly these packets as one packet list.
  void EmitList(const std::vector<std::vector<uint8_t>>& packets);

  // Called on the output delivery thread for every packet that arrives.
  // Setting it waits for a call in progress on another thread.
  void SetReceiver(std::function<void(const Received&)> receiver);
  std::vector<Received> ReceivedPackets() const;
  std::vector<uint8_t> ReceivedBytes() const;
  // Waits (on the monitor, so simulated time runs) until at least `count`
  // bytes have arrived; false after timeoutMs.
  bool WaitReceivedBytes(size_t count, uint64_t timeoutMs) const;

  // Takes the device away: its endpoints disappear, what is on its wires is
  // lost and SysEx sends to it end with kErrEndpointGone.
  void Unplug();

 private:
  friend struct VirtualBus::Core;
  friend class VirtualBus;
  Device() = default;
  struct State;
  std::shared_ptr<Core> core_;
  std::unique_ptr<State> state_;
  EndpointId source_ = 0;
  EndpointId destination_ = 0;
};

}  // namespace os::midi
