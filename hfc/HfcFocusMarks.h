#pragma once
// Geometry of a control's focus marks: eight 3-pixel corner strokes when the
// control has no focus margin, otherwise one framed ring per margin pixel
// whose alpha grows towards the outside.
#include <cstdint>
#include <vector>

#include "platform/HfcTypes.h"

struct tagHfcFocusStroke {
  tagHfcPoint from;
  tagHfcPoint to;
};

struct tagHfcFocusRing {
  int x;
  int y;
  int width;
  int height;
  uint32_t colour;  // 0xAARRGGBB
};

// The corner strokes of the frame, in drawing order.
std::vector<tagHfcFocusStroke> HfcFocusCornerStrokes(const tagHfcRect& frame);
// Alpha of ring i (1 = innermost) of `margin` rings for the colour's alpha:
// the outermost ring carries the full alpha, the innermost 1/margin of it.
// 0 for a ring outside 1..margin.
uint8_t HfcFocusRingAlpha(uint32_t colour, int ring, int margin);
// The rings around the frame, innermost first; with openAtBottom the rings
// end at the frame's bottom.
std::vector<tagHfcFocusRing> HfcFocusRings(const tagHfcRect& frame, int margin, uint32_t colour,
                                           bool openAtBottom);
