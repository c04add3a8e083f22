#pragma once
// A MIDI device made of two ports of a sequencer client of its own: a
// source that others read (device -> host) and a destination that others
// write (host -> device). For stand-in instruments of tests and tools.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace os::midi {

class AlsaDevice {
 public:
  // Null, with the reason in *why, when there is no sequencer device.
  static std::unique_ptr<AlsaDevice> Open(const std::string& clientName, std::string* why);
  ~AlsaDevice();  // the ports disappear
  AlsaDevice(const AlsaDevice&) = delete;
  AlsaDevice& operator=(const AlsaDevice&) = delete;

  std::string ClientName() const;
  // Called on the device's thread with the bytes of each event that
  // arrives. Setting it waits for a call in progress on another thread.
  void SetReceiver(std::function<void(const uint8_t* data, size_t length)> receiver);
  // Sends bytes to the source's subscribers, as events of whole short
  // messages and SysEx pieces, in order; waits while the sequencer is full.
  void Emit(const uint8_t* data, size_t length);
  void Emit(const std::vector<uint8_t>& bytes) { Emit(bytes.data(), bytes.size()); }

  struct State;

 private:
  AlsaDevice();
  // Emit, once this call has claimed the sending.
  void EmitClaimed(const uint8_t* data, size_t length);
  std::unique_ptr<State> state_;
};

}  // namespace os::midi
