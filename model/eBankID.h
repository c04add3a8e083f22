#pragma once
// Bank number of a sound: program banks A-D are 0-3, the one combination
// bank is 0.

namespace Oskend {

enum eBankID : int {
  eBankID_None = -1,
  eBankID_A = 0,
  eBankID_B = 1,
  eBankID_C = 2,
  eBankID_D = 3,
};

}  // namespace Oskend
