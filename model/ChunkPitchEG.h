#pragma once
// Pitch envelope of a program's common block (28 bytes); its fields are placed by the program
// parameter tables.
#include "model/ByteView.h"

namespace Oskend {

template <class Byte>
class ChunkPitchEGView : public ByteView<ChunkPitchEGView, Byte, 28> {
 public:
  using ByteView<ChunkPitchEGView, Byte, 28>::ByteView;
};

using CHUNK_PITCHEG = ChunkPitchEGView<std::uint8_t>;
using CHUNK_PITCHEG_CONST = ChunkPitchEGView<const std::uint8_t>;

}  // namespace Oskend
