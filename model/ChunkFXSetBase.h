#pragma once
// Shared layout of the insert and master effect blocks: the 64 effect
// parameter bytes, the effect type (byte 64) and the on/off switch (bit 6 of
// byte 65); the bytes after them hold further settings of the slot.
#include "model/ByteView.h"
#include "model/ChunkFX.h"

namespace Oskend {

struct FXSetLayout {
  static constexpr std::size_t kFX = 0;
  static constexpr std::size_t kType = 64;
  static constexpr std::size_t kSwitch = 65;
  static constexpr std::uint8_t kOnBit = 0x40;
};

template <template <class> class Rec, class Byte, std::size_t N>
class ChunkFXSetBase : public ByteView<Rec, Byte, N>, public FXSetLayout {
 public:
  using ByteView<Rec, Byte, N>::ByteView;

  ChunkFXView<Byte> GetFX() const noexcept { return this->template At<ChunkFXView, kFX>(); }
  int GetType() const noexcept { return this->p_[kType]; }
  bool IsOn() const noexcept { return (this->p_[kSwitch] & kOnBit) != 0; }
};

// Copy between an insert and a master effect block: the effect parameters,
// the type and the on/off bit move; every other destination byte and bit
// (the slot's own settings) stays.
void CopyEffectAcrossKinds(std::uint8_t* dst, const std::uint8_t* src) noexcept;

}  // namespace Oskend
