#include "host/MIDIPacketRingBuffer.h"

#include "platform/NRXException.h"

MIDIPacketRingBuffer::MIDIPacketRingBuffer(size_t capacity) : entries_(capacity ? capacity : 1) {}

void MIDIPacketRingBuffer::Push(uint64_t timeStampNs, const uint8_t* data, size_t length,
                                os::midi::EndpointId source) {
  const size_t cap = entries_.size();
  Entry& e = entries_[(start_ + length_) % cap];
  e.timeStampNs = timeStampNs;
  e.source = source;
  size_t n = 0;
  if (length > kDataBytes) length = kDataBytes;
  for (size_t i = 0; i < length; ++i)
    if (data[i] != 0xF8) e.data[n++] = data[i];
  e.length = static_cast<uint16_t>(n);
  if (length_ == cap)
    start_ = (start_ + 1) % cap;
  else
    ++length_;
}

const MIDIPacketRingBuffer::Entry& MIDIPacketRingBuffer::Front() const {
  if (!(length_ > 0)) throw NRXIfNotException("mLength > 0", nullptr);
  return entries_[start_];
}

const MIDIPacketRingBuffer::Entry& MIDIPacketRingBuffer::LastAsList() const {
  if (!(length_ > 0)) throw NRXIfNotException("mLength > 0", nullptr);
  return entries_[(start_ + length_ - 1) % entries_.size()];
}

void MIDIPacketRingBuffer::Pop() {
  if (length_ == 0) return;
  start_ = (start_ + 1) % entries_.size();
  --length_;
}
