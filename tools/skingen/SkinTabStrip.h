#pragma once
// The tab strips of the editor's pages, all drawn one way: two rows of tab
// height, the tabs selected (light, joined to the page) above the tabs not
// selected (dark on the tab row), each tab's name centred in one narrow
// bold face and size, with room to spare at both edges.
#include <vector>

class CHfcDrawContext;

namespace skin {

struct TabStrip {
  int tabWidth;
  int tabHeight;
  int gap;
  int firstExtra;  // columns before the first tab's own width
  int lastExtra;   // columns after the last tab's
  std::vector<const char*> labels;
};

// Main strips: tabs 76 x 33, gap 5, extras 2 and 9.
TabStrip MainStrip(std::vector<const char*> labels);
// Sub-level strips: tabs 76 x 34, gap 5, extras 2 and 4.
TabStrip SubStrip(std::vector<const char*> labels);

// Width of a strip's picture: every tab at its own place.
int StripWidth(const TabStrip& s);
// The strip's two rows into (0, 0, width, 2 * tab height); a name that does
// not fit its tab with its margins fails the generator.
void PaintTabStrip(CHfcDrawContext& dc, const TabStrip& s, int width);

}  // namespace skin
