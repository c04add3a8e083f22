#pragma once
// The 5 x 9 dot-matrix character set of the spare controls' character
// displays: seven rows from the cap line to the baseline and two for
// descenders. Code 1 is the cursor block, 127 the box shown for codes the
// set lacks.

namespace skin {

inline constexpr int kDotColumns = 5;
inline constexpr int kDotRows = 9;

// Whether the dot at (row, column) of a code is lit.
bool DotLit(int code, int row, int column);

}  // namespace skin
