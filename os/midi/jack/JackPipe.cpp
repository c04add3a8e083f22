#include "os/midi/jack/JackPipe.h"

#include <jack/midiport.h>

#include <cstring>

#include "os/midi/jack/JackTurn.h"

namespace os::midi {
namespace {

// Record headers in native byte order: they never leave the process.
constexpr size_t kInHeader = sizeof(uint32_t) + sizeof(uint64_t);   // length, time
constexpr size_t kOutHeader = sizeof(uint32_t) + sizeof(uint64_t);  // length, tag


}  // namespace

JackInPipe::JackInPipe(jack_port_t* port, size_t ringBytes) : port_(port), ring_(ringBytes) {}

JackInPipe::~JackInPipe() = default;

bool JackInPipe::Capture(jack_client_t* client, jack_nframes_t frames) {
  void* buffer = jack_port_get_buffer(port_, frames);
  if (!buffer || !ring_.ok()) return false;
  // The port's buffer, written by the cycle of the client that feeds it.
  const JackTurn turn(buffer);
  const uint32_t n = jack_midi_get_event_count(buffer);
  // When the cycle really ran: the frame clock keeps its ideal pace even
  // when cycles run late.
  const uint64_t time = jack_get_time();
  (void)client;
  bool any = false;
  for (uint32_t i = 0; i < n; ++i) {
    jack_midi_event_t ev;
    if (jack_midi_event_get(&ev, buffer, i) != 0 || ev.size == 0) continue;
    if (ring_.WriteSpace() < kInHeader + ev.size) {
      dropped_.fetch_add(1, std::memory_order_relaxed);
      continue;
    }
    const uint32_t length = static_cast<uint32_t>(ev.size);
    char header[kInHeader];
    std::memcpy(header, &length, sizeof length);
    std::memcpy(header + sizeof length, &time, sizeof time);
    ring_.Write(header, kInHeader);
    ring_.Write(ev.buffer, ev.size);
    any = true;
  }
  return any;
}

bool JackInPipe::Pop(uint64_t* jackTimeUs, std::vector<uint8_t>* bytes) {
  const size_t avail = ring_.ReadSpace();
  if (avail < kInHeader) return false;
  char header[kInHeader];
  ring_.Peek(header, kInHeader);
  uint32_t length;
  std::memcpy(&length, header, sizeof length);
  std::memcpy(jackTimeUs, header + sizeof length, sizeof *jackTimeUs);
  // The writer advances in steps; a record is taken only once it is whole.
  if (avail < kInHeader + length) return false;
  ring_.Skip(kInHeader);
  bytes->resize(length);
  ring_.Read(bytes->data(), length);
  return true;
}

JackOutPipe::JackOutPipe(jack_port_t* port, size_t ringBytes, jack_nframes_t holdFrames)
    : port_(port), ring_(ringBytes), holdFrames_(holdFrames) {}

JackOutPipe::~JackOutPipe() = default;

bool JackOutPipe::Push(uint64_t tag, const uint8_t* data, size_t length) {
  if (!ring_.ok() || length == 0) return false;
  if (ring_.WriteSpace() < kOutHeader + length) return false;
  const uint32_t n = static_cast<uint32_t>(length);
  char header[kOutHeader];
  std::memcpy(header, &n, sizeof n);
  std::memcpy(header + sizeof n, &tag, sizeof tag);
  ring_.Write(header, kOutHeader);
  ring_.Write(data, length);
  return true;
}

bool JackOutPipe::Empty() const { return ring_.ReadSpace() == 0; }

bool JackOutPipe::Flush(jack_nframes_t frames, JackRing* written) {
  void* buffer = jack_port_get_buffer(port_, frames);
  if (!buffer || !ring_.ok()) return false;
  // The port's buffer, read by the cycle of the client it feeds.
  const JackTurn turn(buffer);
  jack_midi_clear_buffer(buffer);
  if (HoldsThisCycle(frames)) return false;
  // What an empty buffer takes: a piece larger than that never goes out.
  const size_t largest = jack_midi_max_event_size(buffer);
  bool any = false;
  for (;;) {
    const size_t avail = ring_.ReadSpace();
    if (avail < kOutHeader) break;
    char header[kOutHeader];
    ring_.Peek(header, kOutHeader);
    uint32_t length;
    uint64_t tag;
    std::memcpy(&length, header, sizeof length);
    std::memcpy(&tag, header + sizeof length, sizeof tag);
    if (avail < kOutHeader + length) break;
    jack_midi_data_t* dst = nullptr;
    if (length <= largest) {
      // The cycle is full: the rest goes next cycle.
      if (length > jack_midi_max_event_size(buffer)) break;
      dst = jack_midi_event_reserve(buffer, 0, length);
      if (!dst) break;
    }
    ring_.Skip(kOutHeader);
    if (dst) {
      ring_.Read(dst, length);
      any = true;
    } else {
      // Larger than an empty buffer holds: it could never go out.
      ring_.Skip(length);
    }
    if (tag && written && written->WriteSpace() >= sizeof tag) written->Write(&tag, sizeof tag);
  }
  return any;
}

// A hold ends once the port is connected or after holdFrames_: then what
// waits goes as it always went, so that no send waits for good on a
// connection that nobody makes (one a patchbay took away).
bool JackOutPipe::HoldsThisCycle(jack_nframes_t frames) {
  if (holdFrames_ == 0) return false;
  if (jack_port_connected(port_) > 0) {
    heldFrames_ = 0;
    return false;
  }
  if (heldFrames_ >= holdFrames_) return false;
  heldFrames_ += frames;
  return true;
}

}  // namespace os::midi
