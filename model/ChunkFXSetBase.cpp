#include "model/ChunkFXSetBase.h"

#include <cstring>

namespace Oskend {

void CopyEffectAcrossKinds(std::uint8_t* dst, const std::uint8_t* src) noexcept {
  constexpr std::size_t kSwitch = FXSetLayout::kSwitch;
  constexpr std::uint8_t kOnBit = FXSetLayout::kOnBit;
  if (dst == nullptr || src == nullptr || dst == src) return;
  const std::uint8_t on = src[kSwitch] & kOnBit;
  std::memmove(dst, src, kSwitch);  // parameters and type
  dst[kSwitch] = static_cast<std::uint8_t>((dst[kSwitch] & ~kOnBit) | on);
}

}  // namespace Oskend
