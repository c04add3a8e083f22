#include "model/ChunkSinglePCMOsc.h"

#include "model/ByteMoves.h"

namespace Oskend {
namespace {

constexpr std::int16_t Z = ByteMove::kZero;
constexpr bool kLevel = true;

// Filter envelope bytes 34 and 35 stay.
constexpr ByteMove kFilterFromAmp[] = {
    {0, 8},   {1, 9},   {2, 10},  {3, 11},  {4, 0},   {5, 1},   {6, 2},   {7, 3},   {8, 4},
    {9, 5},   {10, 6},  {11, 7},  {12, Z},  {13, 12}, {14, 13}, {15, 14}, {16, 15}, {17, 16},
    {18, 17}, {19, 18}, {20, 19}, {21, 20}, {22, 21}, {23, 22}, {24, 23}, {25, 24}, {26, 25},
    {27, 26}, {28, 27}, {29, 28}, {30, 29}, {31, 30}, {32, 31}, {33, 32},
};

constexpr ByteMove kFilterFromPitch[] = {
    {0, 8},   {1, 9},   {2, 10},  {3, 11}, {4, 0},   {5, 1},   {6, 2},   {7, 3},   {8, Z},
    {9, 5},   {10, Z},  {11, 6},  {12, 7}, {13, 16}, {14, 17}, {15, 18}, {16, 19}, {17, 20},
    {18, 21}, {19, 22}, {20, 23}, {21, Z}, {22, Z},  {23, Z},  {24, Z},  {25, Z},  {26, Z},
    {27, Z},  {28, Z},  {29, Z},  {30, Z}, {31, Z},  {32, 24}, {33, 25},
};

// Amp envelope bytes 25 and 33-35 stay; the levels (0, 2, 4, 6) cannot be
// negative.
constexpr ByteMove kAmpFromPitch[] = {
    {0, 0, kLevel}, {1, 1},   {2, 2, kLevel}, {3, 3},   {4, 4, kLevel}, {5, 5},   {6, Z, kLevel},
    {7, 6},         {8, 8},   {9, 9},         {10, 10}, {11, 11},       {12, 16}, {13, 17},
    {14, 18},       {15, 19}, {16, 20},       {17, 21}, {18, 22},       {19, 23}, {20, Z},
    {21, Z},        {22, Z},  {23, Z},        {24, Z},  {26, Z},        {27, Z},  {28, Z},
    {29, Z},        {30, Z},  {31, 24},       {32, 25},
};

constexpr ByteMove kAmpFromFilter[] = {
    {0, 4, kLevel}, {1, 5},   {2, 6, kLevel}, {3, 7},   {4, 8, kLevel}, {5, 9},   {6, 10, kLevel},
    {7, 11},        {8, 0},   {9, 1},         {10, 2},  {11, 3},        {12, 13}, {13, 14},
    {14, 15},       {15, 16}, {16, 17},       {17, 18}, {18, 19},       {19, 20}, {20, 21},
    {21, 22},       {22, 23}, {23, 24},       {24, 25}, {26, 27},       {27, 28}, {28, 29},
    {29, 30},       {30, 31}, {31, 32},       {32, 33},
};

// Byte 9 is the counterpart of common LFO byte 1, as the reverse conversion
// has it. Bytes 10, 11, 14, 15, 18, 19, 22, 23, 26 and 27 stay.
constexpr ByteMove kLFOFromCommon[] = {
    {0, 16}, {1, 17}, {2, Z},  {3, 19}, {4, 20}, {5, 21},  {6, Z},   {7, Z},  {8, 0},
    {9, 1},  {12, 4}, {13, 5}, {16, 8}, {17, 9}, {20, 12}, {21, 13}, {24, Z}, {25, Z},
};

}  // namespace

void ConvertFilterEGFromAmpEG(std::uint8_t* filter, const std::uint8_t* amp) noexcept {
  ApplyByteMoves(filter, amp, kFilterFromAmp);
}

void ConvertFilterEGFromPitchEG(std::uint8_t* filter, const std::uint8_t* pitch) noexcept {
  ApplyByteMoves(filter, pitch, kFilterFromPitch);
}

void ConvertAmpEGFromPitchEG(std::uint8_t* amp, const std::uint8_t* pitch) noexcept {
  ApplyByteMoves(amp, pitch, kAmpFromPitch);
}

void ConvertAmpEGFromFilterEG(std::uint8_t* amp, const std::uint8_t* filter) noexcept {
  ApplyByteMoves(amp, filter, kAmpFromFilter);
}

void ConvertLFOFromCommonLFO(std::uint8_t* lfo, const std::uint8_t* common) noexcept {
  ApplyByteMoves(lfo, common, kLFOFromCommon);
}

}  // namespace Oskend
