#pragma once
// The rings between a JACK MIDI port's process callback and the ordinary
// threads. The process callback never blocks and never allocates: what does
// not fit a ring is dropped (input) or waits for the next cycle (output).
#include <jack/jack.h>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "os/midi/jack/JackRing.h"

namespace os::midi {

// Events of an input port, with their times on the JACK clock.
class JackInPipe {
 public:
  JackInPipe(jack_port_t* port, size_t ringBytes);
  ~JackInPipe();
  JackInPipe(const JackInPipe&) = delete;
  JackInPipe& operator=(const JackInPipe&) = delete;

  jack_port_t* port() const { return port_; }
  // Process callback: copies the cycle's events into the ring. True when
  // any arrived.
  bool Capture(jack_client_t* client, jack_nframes_t frames);
  // The one reader thread: the next event and its time in microseconds on
  // the JACK clock.
  bool Pop(uint64_t* jackTimeUs, std::vector<uint8_t>* bytes);
  // Events lost because the ring was full.
  uint64_t Dropped() const { return dropped_.load(std::memory_order_relaxed); }

 private:
  jack_port_t* port_;
  JackRing ring_;
  std::atomic<uint64_t> dropped_{0};
};

// Pieces for an output port, each written as one event. A piece may carry
// a tag that the process callback reports once the piece is written.
class JackOutPipe {
 public:
  // With `holdFrames`, what waits stays in the ring while the port has no
  // connection in the running graph, for up to that many frames at a time:
  // a connection just made is used only from a later cycle of the server's,
  // and what the port writes before goes nowhere.
  JackOutPipe(jack_port_t* port, size_t ringBytes, jack_nframes_t holdFrames = 0);
  ~JackOutPipe();
  JackOutPipe(const JackOutPipe&) = delete;
  JackOutPipe& operator=(const JackOutPipe&) = delete;

  jack_port_t* port() const { return port_; }
  // One writer at a time. False, with nothing written, when the ring has no
  // room for the piece now.
  bool Push(uint64_t tag, const uint8_t* data, size_t length);
  // Process callback: writes the pieces that fit this cycle's buffer, and
  // the non-zero tags of those written into `written` (8 bytes each). True
  // when any piece went out.
  bool Flush(jack_nframes_t frames, JackRing* written);
  bool Empty() const;

 private:
  bool HoldsThisCycle(jack_nframes_t frames);

  jack_port_t* port_;
  JackRing ring_;
  const jack_nframes_t holdFrames_;
  // Process callback only.
  jack_nframes_t heldFrames_ = 0;
};

}  // namespace os::midi
