#include "editor/controls/XEFormGraphIds.h"

namespace {

// The section-wide velocity and key-tracking mode parameter.
constexpr int kGraphModeId = 0xD00;

struct KeyTrkBase {
  int controlId;
  int base;
};
// Two key-tracking graphs per pair of oscillators, filters and amplifiers;
// the second of each pair also shows the graph-wide value.
constexpr KeyTrkBase kKeyTrk[] = {{0x12500, 0x1F00}, {0x12501, 0x2F00}, {0x12502, 0x1800},
                                  {0x12503, 0x2800}, {0x12504, 0x1B00}, {0x12505, 0x2B00}};

}  // namespace

bool XEGetKeyTrkGraphIds(int controlId, tagKeyTrkGraphIds* out) {
  if (!out) return false;
  for (const KeyTrkBase& k : kKeyTrk) {
    if (k.controlId != controlId) continue;
    for (int i = 0; i < 3; ++i) out->keys[i] = k.base + i;
    for (int i = 0; i < 4; ++i) out->intensities[i] = k.base + 3 + i;
    out->graphValue[0] = (controlId & 1) ? kGraphModeId : -1;
    return true;
  }
  return false;
}

bool XEGetVeloZoneGraphIds(int controlId, tagVeloZoneGraphIds* out) {
  if (!out) return false;
  if (controlId == 0x12600 || controlId == 0x12601) {
    const int base = controlId == 0x12600 ? 0x1000 : 0x2000;
    for (int i = 0; i < 4; ++i) out->on[i] = base + 6 * i;
    for (int i = 0; i < 3; ++i) {
      out->bottom[i] = base + 24 + 3 * i;
      out->fadeWidth[i] = base + 25 + 3 * i;
      out->fadeCurve[i] = base + 26 + 3 * i;
    }
    out->scaleTop[0] = base + 36;
    out->scaleBottom[0] = base + 35;
    out->mode[0] = kGraphModeId;
    return true;
  }
  if (controlId == 0x12602) {
    // Drum kits: ids within a key's block, matched on their low byte.
    *out = {{13, 33, 53, 73}, {30, 50, 70}, {32, 52, 72}, {31, 51, 71}, {-1}, {-1}, {-1}};
    return true;
  }
  return false;
}

bool XEGetSplitBarGraphIds(int controlId, tagSplitBarGraphIds* out) {
  if (!out || (controlId != 0x12700 && controlId != 0x12701)) return false;
  *out = {{0x107, 0x108}};
  return true;
}
