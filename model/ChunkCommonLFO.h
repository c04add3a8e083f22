#pragma once
// Common LFO of a program's common block (24 bytes); its fields are placed by the program parameter
// tables.
#include "model/ByteView.h"

namespace Oskend {

template <class Byte>
class ChunkCommonLFOView : public ByteView<ChunkCommonLFOView, Byte, 24> {
 public:
  using ByteView<ChunkCommonLFOView, Byte, 24>::ByteView;
};

using CHUNK_COMMONLFO = ChunkCommonLFOView<std::uint8_t>;
using CHUNK_COMMONLFO_CONST = ChunkCommonLFOView<const std::uint8_t>;

}  // namespace Oskend
