#pragma once
// One insert effect block (76 bytes): effect parameters, type, on/off and the
// slot's further settings.
#include "model/ChunkFXSetBase.h"

namespace Oskend {

template <class Byte>
class ChunkIFXSetView : public ChunkFXSetBase<ChunkIFXSetView, Byte, 76> {
 public:
  using ChunkFXSetBase<ChunkIFXSetView, Byte, 76>::ChunkFXSetBase;
};

using CHUNK_IFXSET = ChunkIFXSetView<std::uint8_t>;
using CHUNK_IFXSET_CONST = ChunkIFXSetView<const std::uint8_t>;

}  // namespace Oskend
