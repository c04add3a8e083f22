#pragma once
// The 64 parameter bytes of one effect; their meaning depends on the effect type and is placed by
// the effect type's table.
#include "model/ByteView.h"

namespace Oskend {

template <class Byte>
class ChunkFXView : public ByteView<ChunkFXView, Byte, 64> {
 public:
  using ByteView<ChunkFXView, Byte, 64>::ByteView;
};

using CHUNK_FX = ChunkFXView<std::uint8_t>;
using CHUNK_FX_CONST = ChunkFXView<const std::uint8_t>;

}  // namespace Oskend
