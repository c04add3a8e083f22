#pragma once
// Current-sound record of the image tail (8 bytes, one for programs and one
// for combinations): bank, number, two zero bytes and the editor pages'
// 4-byte state word (host byte order; what the bytes mean is the remote
// model's, which keeps the panel's editor state there).
#include "model/ByteView.h"

namespace Oskend {

struct CurSoundLayout {
  static constexpr std::size_t kBank = 0;
  static constexpr std::size_t kNumber = 1;
  static constexpr std::size_t kUIState = 4;
  static constexpr std::size_t kUIStateSize = 4;
};

template <class Byte>
class ChunkCurSoundView : public ByteView<ChunkCurSoundView, Byte, 8>, public CurSoundLayout {
 public:
  using ByteView<ChunkCurSoundView, Byte, 8>::ByteView;

  int GetBank() const noexcept { return this->p_[kBank]; }
  int GetNumber() const noexcept { return this->p_[kNumber]; }
  void Set(int bank, int number) const requires(!std::is_const_v<Byte>) {
    this->p_[kBank] = static_cast<std::uint8_t>(bank);
    this->p_[kNumber] = static_cast<std::uint8_t>(number);
    this->p_[2] = 0;
    this->p_[3] = 0;
  }
  std::span<Byte, kUIStateSize> UIState() const noexcept {
    return std::span<Byte, kUIStateSize>(this->p_ + kUIState, kUIStateSize);
  }
};

using CHUNK_CURSOUND = ChunkCurSoundView<std::uint8_t>;
using CHUNK_CURSOUND_CONST = ChunkCurSoundView<const std::uint8_t>;

}  // namespace Oskend
