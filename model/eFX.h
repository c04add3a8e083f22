#pragma once
// Effect blocks of a program or combination, in image order.

namespace Oskend {

enum eFX : int {
  eFX_IFX1 = 0,
  eFX_IFX2 = 1,
  eFX_IFX3 = 2,
  eFX_IFX4 = 3,
  eFX_IFX5 = 4,
  eFX_MFX1 = 5,
  eFX_MFX2 = 6,
  eFX_EQ = 7,
};

}  // namespace Oskend
