#pragma once
// The effect types each slot offers: the slot's type parameter indexes these
// lists. They are constant-initialised, so sections built during static
// initialisation of other translation units already see them filled.
#include <cstdint>

#include "model/paramdesc/SParamDesc.h"

namespace Oskend {

// Insert-effect type number (0 to 63).
enum eFxType : int32_t {};

inline constexpr int kFxTypeCount = 64;
inline constexpr int kMfxTypeCount = 5;
inline constexpr int kTfxTypeCount = 1;

// Insert effects, "No Effect" first.
extern const TABLEDESC TABLEARRAY_FX[kFxTypeCount];
// Master effect 1 and 2: "No Effect" and four types each.
extern const TABLEDESC TABLEARRAY_FX_MFX1[kMfxTypeCount];
extern const TABLEDESC TABLEARRAY_FX_MFX2[kMfxTypeCount];
// Total effect: one type.
extern const TABLEDESC TABLEARRAY_FX_TFX[kTfxTypeCount];

// Number of consecutive insert slots a type occupies. Every type of this
// synthesizer fits one slot; callers still handle larger sizes.
int GetFXSize(eFxType type);

}  // namespace Oskend
