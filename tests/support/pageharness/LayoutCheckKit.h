#pragma once
// Rectangles and measures the layout check's files share.
#include <string>
#include <vector>

#include "hfc/HfcTextFit.h"
#include "platform/HfcTypes.h"

class CHfcBmp;
class CHfcControl;
class CHfcWindowLayer;

namespace vesk::test::layoutkit {

inline bool Inside(const tagHfcRect& inner, const tagHfcRect& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

inline bool Overlap(const tagHfcRect& a, const tagHfcRect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

inline bool Empty(const tagHfcRect& r) { return r.right <= r.left || r.bottom <= r.top; }

// "(x, y wxh)".
std::string RectText(const tagHfcRect& r);
std::string LayerName(CHfcWindowLayer& layer);
// How a drawn text stands out from its ground: its colour (as far as its
// alpha lets it through) against the middle of the pixels of its box that
// its glyphs leave bare in `out`, within `area`; 0 where there is nothing
// to measure.
double ContrastOnGround(const tagHfcBoxedText& t, CHfcBmp& out, const tagHfcRect& area);
// The boxed texts the control draws into a scratch picture of the layer's
// size.
std::vector<tagHfcBoxedText> DrawAndListen(CHfcWindowLayer& layer, CHfcControl& control);
}  // namespace vesk::test::layoutkit
