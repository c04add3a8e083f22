#include "os/midi/PacketSplitter.h"

#include <algorithm>

#include "os/midi/MessageLength.h"

namespace os::midi {

PacketSplitter::PacketSplitter(size_t maxPacketBytes, bool groupMessages)
    : max_(std::max<size_t>(maxPacketBytes, 1)), group_(groupMessages) {}

size_t PacketSplitter::UnitLength(const uint8_t* data, size_t length) {
  if (length == 0) return 0;
  if (data[0] == 0xF0) {
    for (size_t i = 1; i < length; ++i)
      if (data[i] == 0xF7) return i + 1;
    return length;
  }
  if (data[0] < 0x80) return 1;
  size_t n = std::min<size_t>(std::max(MessageLength(data[0]), 1u), length);
  for (size_t i = 1; i < n; ++i)
    if (data[i] >= 0x80) return i;  // cut short by the next status byte
  return n;
}

PacketSplitter::Packets PacketSplitter::Split(const uint8_t* data, size_t length) const {
  Packets out;
  size_t pos = 0;
  bool open = false;  // the last packet may take more bytes
  while (pos < length) {
    const size_t unit = UnitLength(data + pos, length - pos);
    const bool sysex = data[pos] == 0xF0;
    size_t room = open ? max_ - out.back().size() : 0;
    if (!group_ || (!sysex && unit > room)) {
      open = false;
      room = 0;
    }
    size_t left = unit;
    while (left > 0) {
      if (room == 0) {
        out.emplace_back();
        room = max_;
      }
      // A short message is never cut, even when it exceeds the packet size.
      const size_t take = sysex ? std::min(left, room) : left;
      out.back().insert(out.back().end(), data + pos, data + pos + take);
      pos += take;
      left -= take;
      room = take >= room ? 0 : room - take;
    }
    open = group_ && room > 0;
  }
  return out;
}

}  // namespace os::midi
