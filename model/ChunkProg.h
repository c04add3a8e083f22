#pragma once
// One program (1472 bytes): the shared prefix (name, effects), further
// program settings in bytes 608-619, the common block and two oscillators.
#include "model/ChunkProgAncesterBase.h"
#include "model/ChunkProgCommon.h"
#include "model/ChunkSinglePCMOsc.h"

namespace Oskend {

struct ProgLayout {
  static constexpr std::size_t kCommon = 620;
  static constexpr std::size_t kOSC1 = 712;
  static constexpr std::size_t kOSC2 = 1092;
  static constexpr std::size_t kOSCStride = 380;
  static constexpr std::size_t kOSCCount = 2;
};

template <class Byte>
class ChunkProgView : public ChunkProgAncesterBase<ChunkProgView, Byte, 1472>, public ProgLayout {
 public:
  using ChunkProgAncesterBase<ChunkProgView, Byte, 1472>::ChunkProgAncesterBase;

  ChunkProgCommonView<Byte> GetCommon() const noexcept {
    return this->template At<ChunkProgCommonView, kCommon>();
  }
  // Oscillator n (0 or 1); null outside.
  ChunkSinglePCMOscView<Byte> GetOSC(int n) const noexcept {
    return this->template AtIndex<ChunkSinglePCMOscView, kOSC1, kOSCStride, kOSCCount>(n);
  }
  ChunkSinglePCMOscView<Byte> GetOSC1() const noexcept { return GetOSC(0); }
  ChunkSinglePCMOscView<Byte> GetOSC2() const noexcept { return GetOSC(1); }
};

using CHUNK_PROG = ChunkProgView<std::uint8_t>;
using CHUNK_PROG_CONST = ChunkProgView<const std::uint8_t>;

static_assert(ProgLayout::kOSC2 == ProgLayout::kOSC1 + ProgLayout::kOSCStride);
static_assert(ProgLayout::kOSC2 + ProgLayout::kOSCStride == CHUNK_PROG::kSize);
static_assert(ProgLayout::kCommon + ProgCommonLayout::kSize == ProgLayout::kOSC1);

}  // namespace Oskend
