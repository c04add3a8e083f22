#pragma once
// Amp envelope of an oscillator (36 bytes); its fields are placed by the program parameter tables.
#include "model/ByteView.h"

namespace Oskend {

template <class Byte>
class ChunkAmpEGView : public ByteView<ChunkAmpEGView, Byte, 36> {
 public:
  using ByteView<ChunkAmpEGView, Byte, 36>::ByteView;
};

using CHUNK_AMPEG = ChunkAmpEGView<std::uint8_t>;
using CHUNK_AMPEG_CONST = ChunkAmpEGView<const std::uint8_t>;

}  // namespace Oskend
