#include "os/audio/PeriodPacer.h"

namespace os::audio {

PeriodPacer::PeriodPacer(uint32_t periodFrames, uint32_t bufferFrames, double sampleRate) {
  const double rate = sampleRate > 0 ? sampleRate : 44100;
  periodUs_ = periodFrames * 1e6 / rate;
  limitUs_ = (bufferFrames + periodFrames) * 1e6 / rate;
}

uint64_t PeriodPacer::AfterWrite(uint64_t startUs, uint64_t endUs) {
  // A write that waited a quarter period or more: the device sets the pace
  // and its buffer is full now.
  if (!anchored_ || double(endUs - startUs) >= periodUs_ / 4) {
    anchored_ = true;
    anchorUs_ = endUs;
    writtenUs_ = 0;
    return 0;
  }
  writtenUs_ += periodUs_;
  const double ahead = writtenUs_ - double(endUs - anchorUs_);
  return ahead > limitUs_ ? uint64_t(ahead - limitUs_) : 0;
}

}  // namespace os::audio
