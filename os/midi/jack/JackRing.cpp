#include "os/midi/jack/JackRing.h"

#include <cstring>

#include "os/midi/jack/JackTurn.h"

namespace os::midi {

JackRing::JackRing(size_t bytes) : ring_(jack_ringbuffer_create(bytes)) {
  if (ring_) jack_ringbuffer_mlock(ring_);
}

JackRing::~JackRing() {
  if (ring_) jack_ringbuffer_free(ring_);
}

size_t JackRing::ReadSpace() const { return ring_ ? jack_ringbuffer_read_space(ring_) : 0; }

size_t JackRing::WriteSpace() const { return ring_ ? jack_ringbuffer_write_space(ring_) : 0; }

void JackRing::Write(const void* data, size_t length) {
  if (!ring_ || length == 0) return;
  jack_ringbuffer_data_t parts[2];
  jack_ringbuffer_get_write_vector(ring_, parts);
  {
    // Published before the ring's index moves.
    const JackTurn turn(ring_);
    const char* from = static_cast<const char*>(data);
    const size_t first = length < parts[0].len ? length : parts[0].len;
    std::memcpy(parts[0].buf, from, first);
    if (length > first) std::memcpy(parts[1].buf, from + first, length - first);
  }
  jack_ringbuffer_write_advance(ring_, length);
}

void JackRing::CopyOut(void* out, size_t length) const {
  jack_ringbuffer_data_t parts[2];
  jack_ringbuffer_get_read_vector(ring_, parts);
  const JackTurn turn(ring_);
  char* to = static_cast<char*>(out);
  const size_t first = length < parts[0].len ? length : parts[0].len;
  std::memcpy(to, parts[0].buf, first);
  if (length > first) std::memcpy(to + first, parts[1].buf, length - first);
}

void JackRing::Peek(void* out, size_t length) const {
  if (ring_ && length) CopyOut(out, length);
}

void JackRing::Read(void* out, size_t length) {
  if (!ring_ || length == 0) return;
  CopyOut(out, length);
  jack_ringbuffer_read_advance(ring_, length);
}

void JackRing::Skip(size_t length) {
  if (!ring_ || length == 0) return;
  jack_ringbuffer_read_advance(ring_, length);
}

}  // namespace os::midi
