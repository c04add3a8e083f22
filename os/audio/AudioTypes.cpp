#include "os/audio/AudioTypes.h"

namespace os::audio {

AudioStreamBasicDescription MakeLinearPCM(double rate, uint32_t channels, uint32_t bits,
                                          bool isFloat, bool interleaved) {
  AudioStreamBasicDescription d;
  d.sampleRate = rate;
  d.formatID = kFormatLinearPCM;
  d.formatFlags = (isFloat ? kFormatFlagIsFloat : kFormatFlagIsSignedInteger) | kFormatFlagIsPacked |
                  (interleaved ? 0u : kFormatFlagIsNonInterleaved);
  const uint32_t bytes = bits / 8;
  d.bytesPerFrame = interleaved ? bytes * channels : bytes;
  d.bytesPerPacket = d.bytesPerFrame;
  d.framesPerPacket = 1;
  d.channelsPerFrame = channels;
  d.bitsPerChannel = bits;
  return d;
}

}  // namespace os::audio
