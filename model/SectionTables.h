#pragma once
// Parameter tables of the sections, as constant data. Each descriptor covers
// one block of the data image (or a section's own storage); the sections
// prepare them through CParamTable. The descriptors are constant-initialised,
// so they may be used from any static initialiser.
#include <cstdint>

#include "model/paramdesc/SParamDesc.h"

namespace Oskend {

extern const SParamDesc TABLE_AUTOMATION[71];
extern const TABLEDESC TABLEDESC_AUTOMATION;
extern const SParamDesc TABLE_COMBIPLAY[110];
extern const TABLEDESC TABLEDESC_COMBIPLAY;
extern const SParamDesc TABLE_COMBIPLAYTRK[41];
extern const TABLEDESC TABLEDESC_COMBIPLAYTRK;
extern const SParamDesc TABLE_PROGEDITPCM[677];
extern const TABLEDESC TABLEDESC_PROGEDITPCM;
extern const SParamDesc TABLE_PROGEDIT[111];
extern const TABLEDESC TABLEDESC_PROGEDIT;
extern const SParamDesc TABLE_PROGPLAY[1];
extern const TABLEDESC TABLEDESC_PROGPLAY;
extern const SParamDesc TABLE_GLOBAL[287];
extern const TABLEDESC TABLEDESC_GLOBAL;
extern const SParamDesc TABLE_SETUP[18];
extern const TABLEDESC TABLEDESC_SETUP;
extern const SParamDesc TABLE_RTCTL[8];
extern const TABLEDESC TABLEDESC_RTCTL;

// One row of a browser offer list: for a mode and a parameter id, which
// choices are offered (a byte of 1 at index i offers choice i).
struct SOfferList {
  int32_t mode;
  int32_t id;
  const uint8_t* list;
};

// Number of entries of the offer arrays.
inline constexpr int kFxTypeOfferCount = 135;    // effect type numbers 0..134
inline constexpr int kAMSSourceOfferCount = 51;  // modulation sources 0..50

// Insert-effect types offered per slot (program and combination).
extern const SOfferList TABLE_FXTYPELIST[10];
// Alternate-modulation sources offered per oscillator parameter.
extern const SOfferList TABLE_AMSSRCLIST[104];

}  // namespace Oskend
