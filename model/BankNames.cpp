#include "model/BankNames.h"

namespace Oskend {

// The literal's own terminator closes each run with an empty name.
const char BANKNAMES_PROG_RAM_INT[] = "A\0B\0C\0D\0";
const char BANKNAMES_COMBI[] = "A\0B\0C\0";

}  // namespace Oskend
