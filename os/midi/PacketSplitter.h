#pragma once
// How a MIDI interface cuts a byte stream into packets: every short
// message whole, SysEx messages cut at the packet size. With grouping on,
// as USB interfaces do, messages share a packet while they fit, so a packet
// may end with the start of a SysEx message or hold the end of one followed
// by further messages.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace os::midi {

class PacketSplitter {
 public:
  using Packets = std::vector<std::vector<uint8_t>>;

  PacketSplitter(size_t maxPacketBytes, bool groupMessages);
  Packets Split(const uint8_t* data, size_t length) const;

  // Length of the unit that starts at data[0]: a SysEx message up to and
  // with its F7 (or up to the end), a short message by its status byte, or
  // one byte of anything else.
  static size_t UnitLength(const uint8_t* data, size_t length);

 private:
  size_t max_;
  bool group_;
};

}  // namespace os::midi
