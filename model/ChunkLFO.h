#pragma once
// LFO of an oscillator (28 bytes, LFO1 and LFO2 share the layout); its fields are placed by the
// program parameter tables.
#include "model/ByteView.h"

namespace Oskend {

template <class Byte>
class ChunkLFOView : public ByteView<ChunkLFOView, Byte, 28> {
 public:
  using ByteView<ChunkLFOView, Byte, 28>::ByteView;
};

using CHUNK_LFO = ChunkLFOView<std::uint8_t>;
using CHUNK_LFO_CONST = ChunkLFOView<const std::uint8_t>;

}  // namespace Oskend
