#include "os/midi/alsa/AlsaDrain.h"

#include <algorithm>

namespace os::midi {

uint64_t AlsaDrain::AfterLastPieceUs(size_t sendBytes, bool hardware) {
  if (!hardware) return 0;
  const uint64_t held = std::min(sendBytes, kCardBufferBytes);
  return (held * 1'000'000 + kCableBytesPerSecond - 1) / kCableBytesPerSecond;
}

}  // namespace os::midi
