#include "model/ChunkProgCommon.h"

#include "model/ByteMoves.h"

namespace Oskend {
namespace {

constexpr std::int16_t Z = ByteMove::kZero;

// Pitch envelope bytes 26 and 27 have no counterpart and stay.
constexpr ByteMove kPitchFromFilter[] = {
    {0, 4},  {1, 5},  {2, 6},   {3, 7},   {4, 8},   {5, 9},   {6, 11},  {7, 12},  {8, 0},
    {9, 1},  {10, 2}, {11, 3},  {12, 13}, {13, 14}, {14, 15}, {15, 16}, {16, Z},  {17, Z},
    {18, Z}, {19, Z}, {20, 17}, {21, 18}, {22, 19}, {23, 20}, {24, 32}, {25, 33},
};

constexpr ByteMove kPitchFromAmp[] = {
    {0, 0},  {1, 1},   {2, 2},   {3, 3},   {4, 4},   {5, 5},   {6, 7},   {7, Z},   {8, 8},
    {9, 9},  {10, 10}, {11, 11}, {12, 12}, {13, 13}, {14, 14}, {15, 15}, {16, Z},  {17, Z},
    {18, Z}, {19, Z},  {20, 16}, {21, 17}, {22, 18}, {23, 19}, {24, 31}, {25, 32},
};

// Common LFO bytes 2, 3, 6, 7, 10, 11, 14, 15, 18 and 23 have no counterpart
// and stay.
constexpr ByteMove kCommonLFOFromLFO[] = {
    {0, 8},   {1, 9},  {4, 12}, {5, 13}, {8, 16}, {9, 17}, {12, 20},
    {13, 21}, {16, 0}, {17, 1}, {19, 3}, {20, 4}, {21, 5}, {22, Z},
};

}  // namespace

void ConvertPitchEGFromFilterEG(std::uint8_t* pitch, const std::uint8_t* filter) noexcept {
  ApplyByteMoves(pitch, filter, kPitchFromFilter);
}

void ConvertPitchEGFromAmpEG(std::uint8_t* pitch, const std::uint8_t* amp) noexcept {
  ApplyByteMoves(pitch, amp, kPitchFromAmp);
}

void ConvertCommonLFOFromLFO(std::uint8_t* common, const std::uint8_t* lfo) noexcept {
  ApplyByteMoves(common, lfo, kCommonLFOFromLFO);
}

}  // namespace Oskend
