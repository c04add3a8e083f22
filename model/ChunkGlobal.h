#pragma once
// The global block (1736 bytes). Its fields are placed by the global
// parameter table; the few below are also read directly by the model.
#include "model/ByteView.h"

namespace Oskend {

struct GlobalLayout {
  static constexpr std::size_t kMIDIChannel = 1728;
  static constexpr std::size_t kExtCtl = 1730;       // bits 1-3 external control, bit 4 bank map
  static constexpr std::size_t kSendScratch = 1733;  // overwritten before the block is sent
};

template <class Byte>
class ChunkGlobalView : public ByteView<ChunkGlobalView, Byte, 1736>, public GlobalLayout {
 public:
  using ByteView<ChunkGlobalView, Byte, 1736>::ByteView;

  // The channel is the field's low four bits; the byte's upper bits are not part of it.
  int GetMIDIChannel() const noexcept { return this->p_[kMIDIChannel] & 0x0F; }
  int GetExtCtlState() const noexcept { return (this->p_[kExtCtl] >> 1) & 0x07; }
  bool GetBankMap() const noexcept { return (this->p_[kExtCtl] & 0x10) != 0; }
};

using CHUNK_GLOBAL = ChunkGlobalView<std::uint8_t>;
using CHUNK_GLOBAL_CONST = ChunkGlobalView<const std::uint8_t>;

}  // namespace Oskend
