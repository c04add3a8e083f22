#pragma once
// Bank names as runs of NUL-terminated names, each run closed by an empty
// name.

namespace Oskend {

extern const char BANKNAMES_PROG_RAM_INT[];  // "A" "B" "C" "D"
extern const char BANKNAMES_COMBI[];         // "A" "B" "C"; the list of combinations uses the first

}  // namespace Oskend
