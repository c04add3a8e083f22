#pragma once
// The data image (784,861 bytes, no padding), laid out as the synthesizer's
// memory: global block, four banks of 128 programs, 20 combinations, the two
// edit buffers, the two current-sound records and the mode byte.
#include "model/ByteView.h"
#include "model/ChunkCombi.h"
#include "model/ChunkCurSound.h"
#include "model/ChunkGlobal.h"
#include "model/ChunkProg.h"
#include "model/eMode.h"

namespace Oskend {

struct RemoteSynthLayout {
  static constexpr std::size_t kGlobal = 0;
  static constexpr std::size_t kProgBanks = 1736;
  static constexpr std::size_t kProgBankCount = 4;
  static constexpr std::size_t kProgsPerBank = 128;
  static constexpr std::size_t kProgSize = 1472;
  static constexpr std::size_t kProgBankSize = kProgsPerBank * kProgSize;        // 188416
  static constexpr std::size_t kProgBanksSize = kProgBankCount * kProgBankSize;  // 753664
  static constexpr std::size_t kCombis = 755400;
  static constexpr std::size_t kCombiCount = 20;
  static constexpr std::size_t kCombiSize = 1332;
  static constexpr std::size_t kCombisSize = kCombiCount * kCombiSize;  // 26640
  static constexpr std::size_t kProgEditBuffer = 782040;
  static constexpr std::size_t kCombiEditBuffer = 783512;
  static constexpr std::size_t kCurProg = 784844;
  static constexpr std::size_t kCurCombi = 784852;
  static constexpr std::size_t kMode = 784860;
  static constexpr std::size_t kTail = kCurProg;  // current sounds and mode
  static constexpr std::size_t kTailSize = 17;
};

template <class Byte>
class ChunkRemoteSynthView : public ByteView<ChunkRemoteSynthView, Byte, 784861>,
                             public RemoteSynthLayout {
 public:
  using ByteView<ChunkRemoteSynthView, Byte, 784861>::ByteView;

  ChunkGlobalView<Byte> GetGlobal() const noexcept {
    return this->template At<ChunkGlobalView, kGlobal>();
  }
  // Program n of bank b; null outside banks 0..3 and numbers 0..127.
  ChunkProgView<Byte> GetProg(long long bank, long long number) const noexcept {
    if (bank < 0 || bank >= static_cast<long long>(kProgBankCount) || number < 0 ||
        number >= static_cast<long long>(kProgsPerBank))
      return ChunkProgView<Byte>();
    return this
        ->template AtIndex<ChunkProgView, kProgBanks, kProgSize, kProgBankCount * kProgsPerBank>(
            bank * static_cast<long long>(kProgsPerBank) + number);
  }
  // Combination n (0..19); null outside.
  ChunkCombiView<Byte> GetCombi(long long number) const noexcept {
    return this->template AtIndex<ChunkCombiView, kCombis, kCombiSize, kCombiCount>(number);
  }
  ChunkProgView<Byte> GetProgEditBuffer() const noexcept {
    return this->template At<ChunkProgView, kProgEditBuffer>();
  }
  ChunkCombiView<Byte> GetCombiEditBuffer() const noexcept {
    return this->template At<ChunkCombiView, kCombiEditBuffer>();
  }
  ChunkCurSoundView<Byte> GetCurProg() const noexcept {
    return this->template At<ChunkCurSoundView, kCurProg>();
  }
  ChunkCurSoundView<Byte> GetCurCombi() const noexcept {
    return this->template At<ChunkCurSoundView, kCurCombi>();
  }

  int GetMode() const noexcept { return this->p_[kMode]; }
  void SetMode(int mode) const requires(!std::is_const_v<Byte>) {
    this->p_[kMode] = static_cast<std::uint8_t>(mode);
  }
};

using CHUNK_REMOTESYNTH = ChunkRemoteSynthView<std::uint8_t>;
using CHUNK_REMOTESYNTH_CONST = ChunkRemoteSynthView<const std::uint8_t>;

static_assert(RemoteSynthLayout::kProgBanks == CHUNK_GLOBAL::kSize);
static_assert(RemoteSynthLayout::kProgSize == CHUNK_PROG::kSize &&
              RemoteSynthLayout::kCombiSize == CHUNK_COMBI::kSize);
static_assert(RemoteSynthLayout::kCombis ==
              RemoteSynthLayout::kProgBanks + RemoteSynthLayout::kProgBanksSize);
static_assert(RemoteSynthLayout::kProgEditBuffer ==
              RemoteSynthLayout::kCombis + RemoteSynthLayout::kCombisSize);
static_assert(RemoteSynthLayout::kCombiEditBuffer ==
              RemoteSynthLayout::kProgEditBuffer + CHUNK_PROG::kSize);
static_assert(RemoteSynthLayout::kCurProg ==
              RemoteSynthLayout::kCombiEditBuffer + CHUNK_COMBI::kSize);
static_assert(RemoteSynthLayout::kCurCombi == RemoteSynthLayout::kCurProg + CHUNK_CURSOUND::kSize);
static_assert(RemoteSynthLayout::kMode == RemoteSynthLayout::kCurCombi + CHUNK_CURSOUND::kSize);
static_assert(RemoteSynthLayout::kMode + 1 == CHUNK_REMOTESYNTH::kSize);

}  // namespace Oskend
