#include "os/midi/PacketList.h"

namespace os::midi {

void PacketList::Add(uint64_t timeUs, const void* data, size_t length) {
  const auto* p = static_cast<const uint8_t*>(data);
  entries_.push_back({timeUs, bytes_.size(), length});
  if (length) bytes_.insert(bytes_.end(), p, p + length);
}

void PacketList::Clear() {
  bytes_.clear();
  entries_.clear();
}

Packet PacketList::operator[](size_t i) const {
  const Entry& e = entries_[i];
  return {e.timeUs, e.length ? bytes_.data() + e.offset : nullptr, e.length};
}

}  // namespace os::midi
