// The names a tab strip's picture carries: one size across the strip, and
// room between each name and its tab's edges.
#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

#include "editor/controls/CTabControl.h"
#include "hfc/CHfcBmp.h"
#include "hfc/CHfcWindowLayer.h"
#include "tests/support/pageharness/LayoutCheck.h"
#include "tests/support/pageharness/LayoutCheckKit.h"
#include "tests/support/pageharness/LayoutScene.h"

namespace vesk::test {

using namespace layoutkit;

namespace {

// The room a tab keeps between its name and its edges.
constexpr int kNameMargin = 4;

double Grey(uint32_t c) {
  return (0.299 * ((c >> 16) & 0xFF) + 0.587 * ((c >> 8) & 0xFF) + 0.114 * (c & 0xFF)) / 255.0;
}

// The name in one tab of one row: the pixels far from the grey their
// picture row has at the tab's inner edges (the tab's face, whatever its
// shading; a rule across the tab is that grey and so no ink).
class NameInk {
 public:
  NameInk(CHfcBmp& picture, int left, int width, int top, int height)
      : width_(width), height_(height), ink_(static_cast<size_t>(width * height)),
        strong_(static_cast<size_t>(width * height)) {
    std::vector<double> row(static_cast<size_t>(width));
    for (int y = 2; y < height - 2; ++y) {
      for (int x = 0; x < width; ++x) row[static_cast<size_t>(x)] = Grey(picture.GetPixel(left + x, top + y));
      const double middle = (row[2] + row[static_cast<size_t>(width - 3)]) / 2.0;
      for (int x = 2; x < width - 2; ++x) {
        const double d = std::abs(row[static_cast<size_t>(x)] - middle);
        ink_[At(x, y)] = d > 0.3;
        strong_[At(x, y)] = d > 0.5;
      }
    }
  }
  // Columns from the tab's left edge; empty without ink.
  tagHfcRect Box() const {
    tagHfcRect r{width_, height_, 0, 0};
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x)
        if (ink_[At(x, y)]) r = {std::min(r.left, x), std::min(r.top, y), std::max(r.right, x + 1), std::max(r.bottom, y + 1)};
    return r;
  }
  // The size the name is set in: from the baseline (the lowest line that
  // at least half as many columns end on as on the commonest one; fewer end
  // on a descender's line) up to its highest strong pixel (a capital's or
  // an ascender's top), faint rounded edges aside.
  int Height() const {
    std::map<int, int> bottoms;
    int highest = height_;
    for (int x = 0; x < width_; ++x) {
      int top = -1;
      int bottom = -1;
      for (int y = 0; y < height_; ++y)
        if (strong_[At(x, y)]) {
          if (top < 0) top = y;
          bottom = y + 1;
        }
      if (top < 0) continue;
      ++bottoms[bottom];
      highest = std::min(highest, top);
    }
    int most = 0;
    for (const auto& [row, n] : bottoms) most = std::max(most, n);
    int baseline = 0;
    for (const auto& [row, n] : bottoms)
      if (2 * n >= most) baseline = row;
    return baseline - highest;
  }

 private:
  size_t At(int x, int y) const { return static_cast<size_t>(y * width_ + x); }
  int width_;
  int height_;
  std::vector<bool> ink_;
  std::vector<bool> strong_;
};

}  // namespace

void LayoutCheck::CheckStripNames(CTabControl& strip, CHfcWindowLayer& layer, const std::string& page) {
  CHfcBmp& picture = *strip.GetTabsPicture();
  const int height = picture.GetHeight() / 2;
  const int step = strip.GetTabWidth() + strip.GetTabGap();
  const std::string name = "tab strip '" + PictureName(&picture) + "'";
  int firstHeight = -1;
  for (int row = 0; row < 2; ++row) {
    for (int t = 0; t < strip.GetTabPageCount(); ++t) {
      const int left = strip.GetFirstTabExtra() + step * t;
      const NameInk ink(picture, left, strip.GetTabWidth(), row * height, height);
      const tagHfcRect box = ink.Box();
      const std::string tab = name + " tab " + std::to_string(t + 1) + (row == 0 ? " (chosen)" : "");
      if (Empty(box)) {
        Fault(page, tab + " carries no name");
        continue;
      }
      if (box.left < kNameMargin || strip.GetTabWidth() - box.right < kNameMargin)
        Fault(page, tab + ": its name runs from x " + std::to_string(box.left) + " to " + std::to_string(box.right) +
                        " of " + std::to_string(strip.GetTabWidth()) + ", closer than " + std::to_string(kNameMargin) +
                        " px to an edge");
      const int h = ink.Height();
      if (firstHeight < 0)
        firstHeight = h;
      else if (h != firstHeight)
        Fault(page, tab + ": its name is " + std::to_string(h) + " px high, the first tab's " +
                        std::to_string(firstHeight) + " (another size)");
    }
  }
  (void)layer;
}

}  // namespace vesk::test
