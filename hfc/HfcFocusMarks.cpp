#include "hfc/HfcFocusMarks.h"

std::vector<tagHfcFocusStroke> HfcFocusCornerStrokes(const tagHfcRect& f) {
  const int l = f.left, t = f.top, r = f.right, b = f.bottom;
  return {
      {{l, t}, {l + 3, t}},
      {{l, t}, {l, t + 3}},
      {{r - 1, t}, {r - 4, t}},
      {{r - 1, t}, {r - 1, t + 3}},
      {{l, b - 1}, {l + 3, b - 1}},
      {{l, b - 1}, {l, b - 4}},
      {{r - 1, b - 1}, {r - 4, b - 1}},
      {{r - 1, b - 1}, {r - 1, b - 4}},
  };
}

uint8_t HfcFocusRingAlpha(uint32_t colour, int ring, int margin) {
  if (margin <= 0 || ring < 1 || ring > margin) return 0;
  // Single-precision steps as the rings were always computed, so the
  // alphas stay what they were (85, 170, 255 for three rings of 0xFF).
  const float a = static_cast<float>(colour >> 24);
  const float value = static_cast<float>(ring) * (a * 0.003921569f) *
                      (1.0f / static_cast<float>(margin)) * 255.0f;
  const int alpha = static_cast<int>(value);
  return static_cast<uint8_t>(alpha < 0 ? 0 : (alpha > 255 ? 255 : alpha));
}

std::vector<tagHfcFocusRing> HfcFocusRings(const tagHfcRect& f, int margin, uint32_t colour,
                                           bool openAtBottom) {
  std::vector<tagHfcFocusRing> rings;
  for (int i = 1; i <= margin; ++i) {
    const uint32_t alpha = HfcFocusRingAlpha(colour, i, margin);
    rings.push_back({f.left - i, f.top - i, (f.right - f.left) + 2 * i,
                     openAtBottom ? (f.bottom - f.top) + i : (f.bottom - f.top) + 2 * i,
                     (alpha << 24) | (colour & 0xFFFFFFu)});
  }
  return rings;
}
