#pragma once
// A packet list as the MIDI system hands it over: packets of whole short
// messages or pieces of a SysEx message, each with its time stamp.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace os::midi {

struct Packet {
  uint64_t timeUs = 0;  // os::NowUs time; 0 on output means "now"
  const uint8_t* data = nullptr;
  size_t length = 0;
};

class PacketList {
 public:
  void Add(uint64_t timeUs, const void* data, size_t length);
  void Clear();
  size_t size() const { return entries_.size(); }
  bool empty() const { return entries_.empty(); }
  Packet operator[](size_t i) const;
  size_t TotalBytes() const { return bytes_.size(); }

 private:
  struct Entry {
    uint64_t timeUs;
    size_t offset;
    size_t length;
  };
  std::vector<uint8_t> bytes_;
  std::vector<Entry> entries_;
};

}  // namespace os::midi
