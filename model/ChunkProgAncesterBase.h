#pragma once
// The 608-byte prefix that programs and combinations share: the name and the
// effect blocks. Programs and combinations derive their views from this base,
// so both have the same effect getters and setters.
#include <string_view>

#include "model/ByteView.h"
#include "model/ChunkFX.h"
#include "model/ChunkIFXSet.h"
#include "model/ChunkMFXSet.h"
#include "model/eFX.h"

namespace Oskend {

struct ProgAncesterLayout {
  static constexpr std::size_t kName = 0;
  static constexpr std::size_t kNameSize = 24;
  static constexpr std::size_t kIFX = 24;  // IFX1..IFX5, 76 bytes each
  static constexpr std::size_t kIFXCount = 5;
  static constexpr std::size_t kMFX = 404;  // MFX1, MFX2, 68 bytes each
  static constexpr std::size_t kMFXCount = 2;
  static constexpr std::size_t kMFXCommon = 540;  // 4 bytes
  static constexpr std::size_t kEQ = 544;
  static constexpr std::size_t kSize = 608;

  // Writes a name as the record stores it: exactly 24 characters, cut or
  // padded with spaces (never with NULs).
  static void WriteName(std::uint8_t* record, std::string_view name) noexcept;
};

template <template <class> class Rec, class Byte, std::size_t N>
class ChunkProgAncesterBase : public ByteView<Rec, Byte, N> {
  static_assert(N >= ProgAncesterLayout::kSize);
  using L = ProgAncesterLayout;

 public:
  using ByteView<Rec, Byte, N>::ByteView;

  void SetName(std::string_view name) const requires(!std::is_const_v<Byte>) {
    L::WriteName(this->p_, name);
  }

  // Insert effect n (0..4); null outside.
  ChunkIFXSetView<Byte> GetIFX(int n) const noexcept {
    return this
        ->template AtIndex<ChunkIFXSetView, L::kIFX, ChunkIFXSetView<Byte>::kSize, L::kIFXCount>(n);
  }
  ChunkIFXSetView<Byte> GetIFX1() const noexcept { return GetIFX(0); }
  ChunkIFXSetView<Byte> GetIFX2() const noexcept { return GetIFX(1); }
  ChunkIFXSetView<Byte> GetIFX3() const noexcept { return GetIFX(2); }
  ChunkIFXSetView<Byte> GetIFX4() const noexcept { return GetIFX(3); }
  ChunkIFXSetView<Byte> GetIFX5() const noexcept { return GetIFX(4); }
  // Master effect n (0..1); null outside.
  ChunkMFXSetView<Byte> GetMFX(int n) const noexcept {
    return this
        ->template AtIndex<ChunkMFXSetView, L::kMFX, ChunkMFXSetView<Byte>::kSize, L::kMFXCount>(n);
  }
  ChunkMFXSetView<Byte> GetMFX1() const noexcept { return GetMFX(0); }
  ChunkMFXSetView<Byte> GetMFX2() const noexcept { return GetMFX(1); }
  ChunkFXView<Byte> GetEQ() const noexcept { return this->template At<ChunkFXView, L::kEQ>(); }

  // The parameter block of effect fx; null for anything but 0..7.
  ChunkFXView<Byte> GetFX(int fx) const noexcept {
    if (fx >= eFX_IFX1 && fx <= eFX_IFX5) return GetIFX(fx - eFX_IFX1).GetFX();
    if (fx == eFX_MFX1 || fx == eFX_MFX2) return GetMFX(fx - eFX_MFX1).GetFX();
    if (fx == eFX_EQ) return GetEQ();
    return ChunkFXView<Byte>();
  }

  // Same-kind copies move the whole block; cross-kind copies move the
  // parameters, type and on/off bit only.
  void SetIFX(int n, CHUNK_IFXSET_CONST src) const requires(!std::is_const_v<Byte>) {
    GetIFX(n).Assign(src);
  }
  void SetIFX(int n, CHUNK_MFXSET_CONST src) const requires(!std::is_const_v<Byte>) {
    CopyEffectAcrossKinds(GetIFX(n).data(), src.data());
  }
  void SetMFX(int n, CHUNK_MFXSET_CONST src) const requires(!std::is_const_v<Byte>) {
    GetMFX(n).Assign(src);
  }
  void SetMFX(int n, CHUNK_IFXSET_CONST src) const requires(!std::is_const_v<Byte>) {
    CopyEffectAcrossKinds(GetMFX(n).data(), src.data());
  }

  void SetIFX1(CHUNK_IFXSET_CONST s) const requires(!std::is_const_v<Byte>) { SetIFX(0, s); }
  void SetIFX2(CHUNK_IFXSET_CONST s) const requires(!std::is_const_v<Byte>) { SetIFX(1, s); }
  void SetIFX3(CHUNK_IFXSET_CONST s) const requires(!std::is_const_v<Byte>) { SetIFX(2, s); }
  void SetIFX4(CHUNK_IFXSET_CONST s) const requires(!std::is_const_v<Byte>) { SetIFX(3, s); }
  void SetIFX5(CHUNK_IFXSET_CONST s) const requires(!std::is_const_v<Byte>) { SetIFX(4, s); }
  void SetIFX1(CHUNK_MFXSET_CONST s) const requires(!std::is_const_v<Byte>) { SetIFX(0, s); }
  void SetIFX2(CHUNK_MFXSET_CONST s) const requires(!std::is_const_v<Byte>) { SetIFX(1, s); }
  void SetIFX3(CHUNK_MFXSET_CONST s) const requires(!std::is_const_v<Byte>) { SetIFX(2, s); }
  void SetIFX4(CHUNK_MFXSET_CONST s) const requires(!std::is_const_v<Byte>) { SetIFX(3, s); }
  void SetIFX5(CHUNK_MFXSET_CONST s) const requires(!std::is_const_v<Byte>) { SetIFX(4, s); }
  void SetMFX1(CHUNK_MFXSET_CONST s) const requires(!std::is_const_v<Byte>) { SetMFX(0, s); }
  void SetMFX2(CHUNK_MFXSET_CONST s) const requires(!std::is_const_v<Byte>) { SetMFX(1, s); }
  void SetMFX1(CHUNK_IFXSET_CONST s) const requires(!std::is_const_v<Byte>) { SetMFX(0, s); }
  void SetMFX2(CHUNK_IFXSET_CONST s) const requires(!std::is_const_v<Byte>) { SetMFX(1, s); }
  void SetEQ(CHUNK_FX_CONST s) const requires(!std::is_const_v<Byte>) { GetEQ().Assign(s); }

  // Insert slots 0..4 take an insert block; other numbers change nothing.
  void SetFX(int fx, CHUNK_IFXSET_CONST s) const requires(!std::is_const_v<Byte>) {
    if (fx >= eFX_IFX1 && fx <= eFX_IFX5) SetIFX(fx - eFX_IFX1, s);
  }
  // Master slots 5 and 6 take a master block; other numbers change nothing.
  void SetFX(int fx, CHUNK_MFXSET_CONST s) const requires(!std::is_const_v<Byte>) {
    if (fx == eFX_MFX1 || fx == eFX_MFX2) SetMFX(fx - eFX_MFX1, s);
  }
};

template <class Byte>
class ChunkProgAncesterView
    : public ChunkProgAncesterBase<ChunkProgAncesterView, Byte, ProgAncesterLayout::kSize> {
 public:
  using ChunkProgAncesterBase<ChunkProgAncesterView, Byte,
                              ProgAncesterLayout::kSize>::ChunkProgAncesterBase;
};

using CHUNK_PROGANCESTER = ChunkProgAncesterView<std::uint8_t>;
using CHUNK_PROGANCESTER_CONST = ChunkProgAncesterView<const std::uint8_t>;

}  // namespace Oskend
