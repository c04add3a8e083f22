#pragma once
// One oscillator of a program (380 bytes; oscillator 1 and 2 share the
// layout): its two LFOs and its filter and amp envelopes; the other fields
// are placed by the program parameter tables.
#include "model/ByteView.h"
#include "model/ChunkAmpEG.h"
#include "model/ChunkCommonLFO.h"
#include "model/ChunkFilterEG.h"
#include "model/ChunkLFO.h"
#include "model/ChunkPitchEG.h"

namespace Oskend {

struct SinglePCMOscLayout {
  static constexpr std::size_t kLFO1 = 48;
  static constexpr std::size_t kLFO2 = 76;
  static constexpr std::size_t kFilterEG = 216;
  static constexpr std::size_t kAmpEG = 280;
};

// Conversions into the oscillator's envelope and LFO layouts.
void ConvertFilterEGFromAmpEG(std::uint8_t* filter, const std::uint8_t* amp) noexcept;
void ConvertFilterEGFromPitchEG(std::uint8_t* filter, const std::uint8_t* pitch) noexcept;
void ConvertAmpEGFromPitchEG(std::uint8_t* amp, const std::uint8_t* pitch) noexcept;
void ConvertAmpEGFromFilterEG(std::uint8_t* amp, const std::uint8_t* filter) noexcept;
void ConvertLFOFromCommonLFO(std::uint8_t* lfo, const std::uint8_t* common) noexcept;

template <class Byte>
class ChunkSinglePCMOscView : public ByteView<ChunkSinglePCMOscView, Byte, 380>,
                              public SinglePCMOscLayout {
 public:
  using ByteView<ChunkSinglePCMOscView, Byte, 380>::ByteView;

  ChunkLFOView<Byte> GetLFO1() const noexcept { return this->template At<ChunkLFOView, kLFO1>(); }
  ChunkLFOView<Byte> GetLFO2() const noexcept { return this->template At<ChunkLFOView, kLFO2>(); }
  ChunkFilterEGView<Byte> GetFilterEG() const noexcept {
    return this->template At<ChunkFilterEGView, kFilterEG>();
  }
  ChunkAmpEGView<Byte> GetAmpEG() const noexcept {
    return this->template At<ChunkAmpEGView, kAmpEG>();
  }

  void SetLFO1(CHUNK_LFO_CONST s) const requires(!std::is_const_v<Byte>) { GetLFO1().Assign(s); }
  void SetLFO2(CHUNK_LFO_CONST s) const requires(!std::is_const_v<Byte>) { GetLFO2().Assign(s); }
  void SetLFO1(CHUNK_COMMONLFO_CONST s) const requires(!std::is_const_v<Byte>) {
    ConvertLFOFromCommonLFO(GetLFO1().data(), s.data());
  }
  void SetLFO2(CHUNK_COMMONLFO_CONST s) const requires(!std::is_const_v<Byte>) {
    ConvertLFOFromCommonLFO(GetLFO2().data(), s.data());
  }
  void SetFilterEG(CHUNK_FILTEREG_CONST s) const requires(!std::is_const_v<Byte>) {
    GetFilterEG().Assign(s);
  }
  void SetFilterEG(CHUNK_AMPEG_CONST s) const requires(!std::is_const_v<Byte>) {
    ConvertFilterEGFromAmpEG(GetFilterEG().data(), s.data());
  }
  void SetFilterEG(CHUNK_PITCHEG_CONST s) const requires(!std::is_const_v<Byte>) {
    ConvertFilterEGFromPitchEG(GetFilterEG().data(), s.data());
  }
  void SetAmpEG(CHUNK_AMPEG_CONST s) const requires(!std::is_const_v<Byte>) {
    GetAmpEG().Assign(s);
  }
  void SetAmpEG(CHUNK_PITCHEG_CONST s) const requires(!std::is_const_v<Byte>) {
    ConvertAmpEGFromPitchEG(GetAmpEG().data(), s.data());
  }
  void SetAmpEG(CHUNK_FILTEREG_CONST s) const requires(!std::is_const_v<Byte>) {
    ConvertAmpEGFromFilterEG(GetAmpEG().data(), s.data());
  }
};

using CHUNK_SINGLEPCMOSC = ChunkSinglePCMOscView<std::uint8_t>;
using CHUNK_SINGLEPCMOSC_CONST = ChunkSinglePCMOscView<const std::uint8_t>;

}  // namespace Oskend
