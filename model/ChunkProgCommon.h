#pragma once
// The common block of a program (92 bytes from program byte 620): oscillator
// mode, category, pitch envelope and common LFO; the other fields are placed
// by the program parameter tables.
#include "model/ByteView.h"
#include "model/ChunkAmpEG.h"
#include "model/ChunkCommonLFO.h"
#include "model/ChunkFilterEG.h"
#include "model/ChunkLFO.h"
#include "model/ChunkPitchEG.h"

namespace Oskend {

struct ProgCommonLayout {
  static constexpr std::size_t kOSCMode = 0;  // bits 0-2
  static constexpr std::uint8_t kOSCModeMask = 0x07;
  static constexpr std::size_t kCategory = 10;  // bits 0-4; bits 5-7 other settings
  static constexpr std::uint8_t kCategoryMask = 0x1F;
  static constexpr std::size_t kPitchEG = 24;
  static constexpr std::size_t kCommonLFO = 52;
  static constexpr std::size_t kSize = 92;

  static constexpr int kOSCSingle = 0;
  static constexpr int kOSCDouble = 1;
  static constexpr int kOSCDrums = 2;
};

// Conversions into the common block's envelope and LFO layouts.
void ConvertPitchEGFromFilterEG(std::uint8_t* pitch, const std::uint8_t* filter) noexcept;
void ConvertPitchEGFromAmpEG(std::uint8_t* pitch, const std::uint8_t* amp) noexcept;
void ConvertCommonLFOFromLFO(std::uint8_t* common, const std::uint8_t* lfo) noexcept;

template <class Byte>
class ChunkProgCommonView : public ByteView<ChunkProgCommonView, Byte, ProgCommonLayout::kSize>,
                            public ProgCommonLayout {
 public:
  using ByteView<ChunkProgCommonView, Byte, ProgCommonLayout::kSize>::ByteView;
  using ByteView<ChunkProgCommonView, Byte, ProgCommonLayout::kSize>::kSize;

  int GetOSCMode() const noexcept { return this->p_[kOSCMode] & kOSCModeMask; }
  bool IsPCMSingleOSC() const noexcept { return GetOSCMode() == kOSCSingle; }
  bool IsPCMDoubleOSC() const noexcept { return GetOSCMode() == kOSCDouble; }
  bool IsDrumOSC() const noexcept { return GetOSCMode() == kOSCDrums; }

  int GetCategory() const noexcept { return this->p_[kCategory] & kCategoryMask; }
  void SetCategory(int category) const requires(!std::is_const_v<Byte>) {
    this->p_[kCategory] = static_cast<std::uint8_t>((this->p_[kCategory] & ~kCategoryMask) |
                                                    (category & kCategoryMask));
  }

  ChunkPitchEGView<Byte> GetPitchEG() const noexcept {
    return this->template At<ChunkPitchEGView, kPitchEG>();
  }
  ChunkCommonLFOView<Byte> GetCommonLFO() const noexcept {
    return this->template At<ChunkCommonLFOView, kCommonLFO>();
  }

  void SetPitchEG(CHUNK_PITCHEG_CONST s) const requires(!std::is_const_v<Byte>) {
    GetPitchEG().Assign(s);
  }
  void SetPitchEG(CHUNK_FILTEREG_CONST s) const requires(!std::is_const_v<Byte>) {
    ConvertPitchEGFromFilterEG(GetPitchEG().data(), s.data());
  }
  void SetPitchEG(CHUNK_AMPEG_CONST s) const requires(!std::is_const_v<Byte>) {
    ConvertPitchEGFromAmpEG(GetPitchEG().data(), s.data());
  }
  void SetCommonLFO(CHUNK_COMMONLFO_CONST s) const requires(!std::is_const_v<Byte>) {
    GetCommonLFO().Assign(s);
  }
  void SetCommonLFO(CHUNK_LFO_CONST s) const requires(!std::is_const_v<Byte>) {
    ConvertCommonLFOFromLFO(GetCommonLFO().data(), s.data());
  }
};

using CHUNK_PROGCOMMON = ChunkProgCommonView<std::uint8_t>;
using CHUNK_PROGCOMMON_CONST = ChunkProgCommonView<const std::uint8_t>;

}  // namespace Oskend
