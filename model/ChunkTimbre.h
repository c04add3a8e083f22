#pragma once
// One of the 16 timbres of a combination (44 bytes); its fields are placed by the timbre parameter
// table.
#include "model/ByteView.h"

namespace Oskend {

template <class Byte>
class ChunkTimbreView : public ByteView<ChunkTimbreView, Byte, 44> {
 public:
  using ByteView<ChunkTimbreView, Byte, 44>::ByteView;
};

using CHUNK_TIMBRE = ChunkTimbreView<std::uint8_t>;
using CHUNK_TIMBRE_CONST = ChunkTimbreView<const std::uint8_t>;

}  // namespace Oskend
