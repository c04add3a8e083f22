#pragma once
// A MIDI device made of two JACK ports of a client of its own: a source
// that others read (device -> host) and a destination that others write
// (host -> device). Its maker and model are published as the port
// properties the JACK backend reads, so the backend shows it as it would a
// synthesizer. For stand-in instruments of test programs and tools.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace os::midi {

class JackDevice {
 public:
  struct Desc {
    std::string clientName = "Vesk";
    std::string sourceName = "out";
    std::string destinationName = "in";
    std::optional<std::string> manufacturer;
    std::optional<std::string> model;
  };

  // Null, with the reason in *why, when no JACK server is running.
  static std::unique_ptr<JackDevice> Open(const Desc& desc, std::string* why);
  ~JackDevice();  // the ports disappear
  JackDevice(const JackDevice&) = delete;
  JackDevice& operator=(const JackDevice&) = delete;

  // Full JACK names of the two ports.
  std::string SourceKey() const;
  std::string DestinationKey() const;

  // Called on the device's thread with each event that arrives. Setting it
  // waits for a call in progress on another thread.
  void SetReceiver(std::function<void(const uint8_t* data, size_t length)> receiver);
  // Queues bytes for the source; they go out as events of whole short
  // messages and SysEx pieces (an unfinished SysEx as it is), in order.
  void Emit(const uint8_t* data, size_t length);
  void Emit(const std::vector<uint8_t>& bytes) { Emit(bytes.data(), bytes.size()); }
  // Queued bytes that have not yet reached a cycle.
  size_t Pending() const;
  // Events that arrived while the input ring was full.
  uint64_t Dropped() const;
  // Any thread. The next process cycle that brings the device events takes
  // `ms` longer than a cycle lasts, as a client on a loaded machine is late:
  // for tests of what a server does with a late client.
  void LateAtNextInput(unsigned ms);
  // Ports connected to the destination now.
  size_t Writers() const;

  struct State;

 private:
  JackDevice();
  std::unique_ptr<State> state_;
};

}  // namespace os::midi
