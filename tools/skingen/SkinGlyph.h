#pragma once
// One glyph of a bitmap font as the generator renders it: its coverage
// (0 to 255 a pixel, rows from its top), where that stands from the pen and
// the baseline, and the advance the face gives it.
#include <cstddef>
#include <cstdint>
#include <vector>

struct tagSkinGlyph {
  int naturalAdvance = 0;
  int left = 0;  // ink offset from the pen
  int top = 0;   // rows of ink above the baseline
  int width = 0;
  int height = 0;
  std::vector<uint8_t> coverage;

  bool Empty() const { return width <= 0 || height <= 0; }
  uint8_t At(int x, int y) const {
    return x >= 0 && y >= 0 && x < width && y < height ? coverage[static_cast<size_t>(y * width + x)] : 0;
  }
  void Set(int x, int y, uint8_t value) {
    if (x >= 0 && y >= 0 && x < width && y < height) coverage[static_cast<size_t>(y * width + x)] = value;
  }
  // Blank columns added on the left (moving the ink right) and the right.
  void Widen(int leftColumns, int rightColumns) {
    std::vector<uint8_t> wider(static_cast<size_t>((width + leftColumns + rightColumns) * height));
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x)
        wider[static_cast<size_t>(y * (width + leftColumns + rightColumns) + x + leftColumns)] = At(x, y);
    coverage = std::move(wider);
    width += leftColumns + rightColumns;
    left -= leftColumns;
  }
};
