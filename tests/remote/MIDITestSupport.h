#pragma once
// Helpers of the port tests: byte strings written as hex, and a callback
// that records what an input delivers and lets the test wait for it on the
// monitor (so simulated time runs meanwhile).
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "os/Monitor.h"
#include "remote/IMIDIInCallback.h"

namespace vesk::test {

using Bytes = std::vector<uint8_t>;

Bytes Hex(const std::string& text);
std::string ToHex(const uint8_t* data, size_t len);
inline std::string ToHex(const Bytes& b) { return ToHex(b.data(), b.size()); }
// F0, `total - 2` data bytes counting upwards, F7.
Bytes SysexOf(size_t total);

class RecordingCallback : public IMIDIInCallback {
 public:
  struct Call {
    bool isLong;
    IMIDIIn* port;
    Bytes bytes;
  };
  void OnMIDIShort(IMIDIIn* port, long long time, const void* data, unsigned len) override;
  void OnMIDILong(IMIDIIn* port, long long time, const void* data, unsigned len) override;

  std::vector<Call> Calls();
  // "S 90 3C 40" / "L F0 .. F7", in order.
  std::vector<std::string> Texts();
  // Concatenation of every long delivery.
  Bytes LongBytes();
  bool WaitCalls(size_t n, uint64_t ms);
  void Clear();

 private:
  void Record(bool isLong, IMIDIIn* port, const void* data, unsigned len);
  os::Monitor monitor_;
  std::vector<Call> calls_;
};

}  // namespace vesk::test
