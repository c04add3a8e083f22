#pragma once
// The initial data blocks from which an image, the editor settings and new
// effects are reset. Built once, on first use, and constant afterwards.
#include <cstdint>
#include <span>

#include "model/ChunkRemoteSynth.h"

namespace Oskend {

inline constexpr std::size_t kInitChunkPCMOSCSize = 760;
inline constexpr std::size_t kInitChunkSetupSize = 404;
inline constexpr std::size_t kInitFXBlockSize = 64;
inline constexpr std::size_t kInitFXTypeCount = 64;
inline constexpr std::size_t kInitMFXTypeCount = 5;

// Category of the initial program, and the one a reset gives every stored
// program.
inline constexpr int kInitProgCategory = 16;
inline constexpr int kResetStoredProgCategory = 6;

std::span<const std::uint8_t, CHUNK_GLOBAL::kSize> INITCHUNK_GLOBAL();
std::span<const std::uint8_t, CHUNK_PROG::kSize> INITCHUNK_PROG();
std::span<const std::uint8_t, CHUNK_COMBI::kSize> INITCHUNK_COMBI();
std::span<const std::uint8_t, kInitChunkPCMOSCSize> INITCHUNK_PCMOSC();
std::span<const std::uint8_t, kInitChunkSetupSize> INITCHUNK_SETUP();
// 64-byte default parameter blocks laid end to end, one per effect type.
std::span<const std::uint8_t, kInitFXBlockSize * kInitFXTypeCount> VINITCHUNK_FX();
std::span<const std::uint8_t, kInitFXBlockSize * kInitMFXTypeCount> VINITCHUNK_FX_MFX1();
std::span<const std::uint8_t, kInitFXBlockSize * kInitMFXTypeCount> VINITCHUNK_FX_MFX2();
std::span<const std::uint8_t, kInitFXBlockSize> VINITCHUNK_FX_TFX();

// The default block of effect type `type` within one of the tables above;
// empty when the type is not in the table.
std::span<const std::uint8_t> InitFXEntry(std::span<const std::uint8_t> table,
                                          long long type) noexcept;

// Resets a whole image: global and combinations from their initial blocks,
// every stored program from the initial program with category 6, the program
// edit buffer from the initial program as it is, current sounds and mode 0.
void InitAllChunk(CHUNK_REMOTESYNTH image);

}  // namespace Oskend
