#pragma once
// The receive ring of the MIDI manager: fixed entries of one packet each,
// the oldest overwritten when full. Timing-clock bytes (F8) never enter it.
// Each entry remembers the source that sent it, so that its bytes are
// assembled for that source only. Not locked: its owner guards it.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "os/midi/Types.h"

class MIDIPacketRingBuffer {
 public:
  static constexpr size_t kDataBytes = 256;

  struct Entry {
    uint32_t numPackets = 1;  // an entry is always a list of one packet
    uint64_t timeStampNs = 0;
    uint16_t length = 0;
    os::midi::EndpointId source = 0;
    uint8_t data[kDataBytes];
  };

  explicit MIDIPacketRingBuffer(size_t capacity);

  // Copies up to kDataBytes bytes, leaving out every F8.
  void Push(uint64_t timeStampNs, const uint8_t* data, size_t length, os::midi::EndpointId source);
  // Both need an entry: NRXIfNotException "mLength > 0" otherwise.
  const Entry& Front() const;
  const Entry& LastAsList() const;
  void Pop();

  size_t capacity() const { return entries_.size(); }
  size_t mLength() const { return length_; }

 private:
  std::vector<Entry> entries_;
  size_t start_ = 0;
  size_t length_ = 0;
};
