#pragma once
// One combination (1332 bytes): the shared prefix (name, effects), further
// combination settings in bytes 608-627 and 16 timbres of 44 bytes.
#include "model/ChunkProgAncesterBase.h"
#include "model/ChunkTimbre.h"

namespace Oskend {

struct CombiLayout {
  static constexpr std::size_t kTimbre = 628;
  static constexpr std::size_t kTimbreStride = 44;
  static constexpr std::size_t kTimbreCount = 16;
};

template <class Byte>
class ChunkCombiView : public ChunkProgAncesterBase<ChunkCombiView, Byte, 1332>,
                       public CombiLayout {
 public:
  using ChunkProgAncesterBase<ChunkCombiView, Byte, 1332>::ChunkProgAncesterBase;

  // Timbre t (0..15); null outside.
  ChunkTimbreView<Byte> GetTimbre(int t) const noexcept {
    return this->template AtIndex<ChunkTimbreView, kTimbre, kTimbreStride, kTimbreCount>(t);
  }
};

using CHUNK_COMBI = ChunkCombiView<std::uint8_t>;
using CHUNK_COMBI_CONST = ChunkCombiView<const std::uint8_t>;

static_assert(CombiLayout::kTimbre + CombiLayout::kTimbreStride * CombiLayout::kTimbreCount ==
              CHUNK_COMBI::kSize);

}  // namespace Oskend
