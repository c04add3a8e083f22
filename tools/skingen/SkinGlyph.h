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
  // The strongest pixel of a column.
  uint8_t ColumnMost(int x) const {
    uint8_t most = 0;
    for (int y = 0; y < height; ++y) most = most > At(x, y) ? most : At(x, y);
    return most;
  }
  // Columns at either edge whose strongest pixel stays under `faint` (or
  // under half the glyph's strongest, for a glyph faint all over) are taken
  // off: a reader sees no ink there, only a wider gap.
  void TrimFaintEdges(uint8_t faint) {
    uint8_t glyphMost = 0;
    for (uint8_t c : coverage) glyphMost = glyphMost > c ? glyphMost : c;
    faint = faint < glyphMost / 2 ? faint : static_cast<uint8_t>(glyphMost / 2);
    int first = 0;
    int last = width - 1;
    while (first <= last && ColumnMost(first) < faint) ++first;
    while (last >= first && ColumnMost(last) < faint) --last;
    if (last < first || (first == 0 && last == width - 1)) return;
    const int kept = last - first + 1;
    std::vector<uint8_t> narrower(static_cast<size_t>(kept * height));
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < kept; ++x) narrower[static_cast<size_t>(y * kept + x)] = At(first + x, y);
    coverage = std::move(narrower);
    width = kept;
    left += first;
  }
};
