#pragma once
// One master effect block (68 bytes): effect parameters, type, on/off and the
// slot's further settings.
#include "model/ChunkFXSetBase.h"

namespace Oskend {

template <class Byte>
class ChunkMFXSetView : public ChunkFXSetBase<ChunkMFXSetView, Byte, 68> {
 public:
  using ChunkFXSetBase<ChunkMFXSetView, Byte, 68>::ChunkFXSetBase;
};

using CHUNK_MFXSET = ChunkMFXSetView<std::uint8_t>;
using CHUNK_MFXSET_CONST = ChunkMFXSetView<const std::uint8_t>;

}  // namespace Oskend
