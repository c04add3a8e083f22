// Room beside a label's text: a text that runs up to a check box or a
// field on its row reads as drawn over it (the box's edge as a first
// stroke), so two columns stay clear between the text's ink and the ink of
// whatever stands beside it.
#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#include "editor/controls/XEStaticText.h"
#include "hfc/CHfcWindowLayer.h"
#include "tests/support/pageharness/LayoutCheck.h"
#include "tests/support/pageharness/LayoutCheckKit.h"

namespace vesk::test {

using namespace layoutkit;

namespace {

constexpr int kClearColumns = 2;

// The fewest clear columns between two inks along the rows they share;
// INT_MAX when no row holds both, -1 when they meet.
int ClearColumns(const LayoutScene::Ink& a, const LayoutScene::Ink& b) {
  int fewest = INT_MAX;
  for (int y = std::max(a.box.top, b.box.top); y < std::min(a.box.bottom, b.box.bottom); ++y) {
    std::vector<int> xa, xb;
    for (int x = a.box.left; x < a.box.right; ++x)
      if (a.At(x, y)) xa.push_back(x);
    for (int x = b.box.left; x < b.box.right; ++x)
      if (b.At(x, y)) xb.push_back(x);
    for (int p : xa)
      for (int q : xb) fewest = std::min(fewest, std::abs(p - q) - 1);
  }
  return fewest;
}

}  // namespace

void LayoutCheck::CheckClearance(const std::vector<Item>& items, CHfcWindowLayer& layer, const std::string& page) {
  for (const Item& text : items) {
    if (!text.control || !dynamic_cast<XEStaticText*>(text.control) || Empty(text.ink.box)) continue;
    for (const Item& other : items) {
      if (&other == &text || Empty(other.ink.box)) continue;
      // Only what stands beside the text, not what holds it.
      const tagHfcRect& t = text.ink.box;
      const tagHfcRect& o = other.ink.box;
      if (o.right + kClearColumns < t.left || o.left > t.right + kClearColumns) continue;
      if (o.left <= t.left && o.right >= t.right) continue;
      const int clear = ClearColumns(text.ink, other.ink);
      if (clear < 0 || clear >= kClearColumns) continue;
      Fault(page, text.name + ": its text keeps " + std::to_string(clear) + " clear column" + (clear == 1 ? "" : "s") +
                      " from " + other.name + " on " + LayerName(layer));
    }
  }
}

}  // namespace vesk::test
