#pragma once
// Small drawing helpers shared by the graph controls.
#include <cstdint>

#include "hfc/CHfcDrawContext.h"

// The colour with its alpha byte multiplied by factor (truncated).
inline uint32_t XBScaleAlpha(uint32_t colour, float factor) {
  const uint32_t alpha = static_cast<uint32_t>(static_cast<float>(colour >> 24) * factor);
  return (colour & 0x00FFFFFFu) | ((alpha & 0xFFu) << 24);
}

// Focus marks of a graph handle: at each corner of the square from
// (cx - half, cy - half) to (cx + half, cy + half), two strokes of `length`
// pixels along its edges.
inline void XBDrawCornerMarks(CHfcDrawContext* dc, int cx, int cy, int half, int length,
                              uint32_t colour) {
  const uint32_t pen = dc->GetPenColor();
  const float width = dc->GetPenWidth();
  dc->SetPenColor(colour);
  dc->SetPenWidth(1.0f);
  for (int sx = -1; sx <= 1; sx += 2) {
    for (int sy = -1; sy <= 1; sy += 2) {
      const int x = cx + sx * half;
      const int y = cy + sy * half;
      dc->MoveTo(x, y);
      dc->LineTo(x - sx * length, y);
      dc->MoveTo(x, y);
      dc->LineTo(x, y - sy * length);
    }
  }
  dc->SetPenColor(pen);
  dc->SetPenWidth(width);
}
