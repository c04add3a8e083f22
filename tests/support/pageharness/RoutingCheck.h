#pragma once
// The effect routing pictures of a page (the panels named
// "Container_..._Routing") read as a diagram: every line leads somewhere.
// Taken from what the page draws under its controls, the picture's dark
// strokes are followed as lines; each line's end must be
//   - an arrow head whose tip stands just before a box of the page (an
//     effect, the EQ, a knob's box) that its row meets,
//   - a bend or joint with a line across it, or
//   - at its start, the name of what it carries just before it.
// Anything else (a stub, a square, a line stopping short) is a fault
// naming the picture and the place, in the picture's own coordinates.
//
//   std::vector<std::string> faults = CheckRoutingPictures(layer, "program tab 7");
#include <string>
#include <vector>

class CHfcWindowLayer;

namespace vesk::test {

// Faults of every routing picture on the layer; `checked` counts them.
std::vector<std::string> CheckRoutingPictures(CHfcWindowLayer& layer, const std::string& view, int* checked);

}  // namespace vesk::test
