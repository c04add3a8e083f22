#pragma once
// Filter envelope of an oscillator (36 bytes); its fields are placed by the program parameter
// tables.
#include "model/ByteView.h"

namespace Oskend {

template <class Byte>
class ChunkFilterEGView : public ByteView<ChunkFilterEGView, Byte, 36> {
 public:
  using ByteView<ChunkFilterEGView, Byte, 36>::ByteView;
};

using CHUNK_FILTEREG = ChunkFilterEGView<std::uint8_t>;
using CHUNK_FILTEREG_CONST = ChunkFilterEGView<const std::uint8_t>;

}  // namespace Oskend
