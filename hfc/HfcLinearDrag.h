#pragma once
// The vertical drag of the stepped controls (knob, wheel): each pixel up
// adds one step, down takes one away; with shift held the step is 1. A
// value left between steps (by a fine drag) first snaps to the step in the
// drag's direction. A step below 1 would never move the value (and 0
// cannot divide), so it counts as 1.
#include <algorithm>

inline int HfcLinearDrag(int accumulator, int fromY, int toY, int step, bool fine) {
  step = fine ? 1 : std::max(step, 1);
  if (!fine && accumulator % step != 0) {
    accumulator -= accumulator % step;
    if (toY > fromY) accumulator += step;
  }
  return accumulator + (fromY - toY) * step;
}
