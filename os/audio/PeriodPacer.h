#pragma once
// Paces the thread that feeds an output device one period at a time. A
// device that takes a period only when it has room blocks that thread and
// needs no pacing; one that takes everything at once (ALSA's null device,
// which discards the samples) would let it spin at full speed on one core.
// The pacer counts how far the writes have run ahead of what the device
// can have played since it last made the thread wait, and holds the thread
// back once that is more than the device's buffer and a period: a device
// that blocks is never held back, and one that never blocks is fed at its
// sample rate. The device thread's own; no lock.
#include <cstdint>

namespace os::audio {

class PeriodPacer {
 public:
  PeriodPacer(uint32_t periodFrames, uint32_t bufferFrames, double sampleRate);

  // After one period was written: the write began at startUs and ended at
  // endUs (a monotonic clock). Returns how long to wait before the next
  // write, in microseconds (0: write at once).
  uint64_t AfterWrite(uint64_t startUs, uint64_t endUs);

 private:
  double periodUs_;
  double limitUs_;    // the device's buffer and one period, in time
  bool anchored_ = false;
  uint64_t anchorUs_ = 0;
  double writtenUs_ = 0;  // written since the anchor, in time
};

}  // namespace os::audio
