#pragma once
// What a data file or host chunk holds, and in which container. 1 to 7 are
// native chunks; 8 to 10 are the same chunks behind a VST 2 chunk header.
#include <cstdint>

namespace Oskend {

enum class FTYPE : std::int32_t {
  None = 0,
  All = 1,        // "tra ": the whole image
  Bank = 2,       // "trx ": filtered bank chunk
  AllProgs = 3,   // "trpa": the four program banks
  AllCombis = 4,  // "trca": the 20 combinations
  ProgBank = 5,   // "trpb": one program bank
  Prog = 6,       // "trp ": the program edit buffer
  Combi = 7,      // "trc ": the combination edit buffer
  VSTBank = 8,    // "FBCh" around "trx "
  VSTProg = 9,    // "FPCh" around "trp "
  VSTCombi = 10,  // "FPCh" around "trc "
};

}  // namespace Oskend
