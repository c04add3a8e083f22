#include "spare/KeyVelZoneRules.h"

#include <algorithm>
#include <cstdlib>

namespace KeyVelZoneRules {

namespace {

int WidthOf(const int* widths, int index) {
  return widths[std::clamp(index, 0, kSlopeCount - 1)];
}

// The largest index not above the one asked for whose width fits the room;
// never below 0.
int FittingIndex(const int* widths, int index, int room) {
  int i = std::clamp(index, 0, kSlopeCount - 1);
  while (i > 0 && widths[i] > room) --i;
  return i;
}

bool Apply(const int* widths, int base, int offset, int value, bool fromField, const Zone& z,
           int* result) {
  const int ts = WidthOf(widths, z.topSlope);
  const int bs = WidthOf(widths, z.bottomSlope);
  switch (offset - base) {
    case 0:  // top
      *result = std::max(value, z.bottom + ts + bs);
      return true;
    case 3:  // bottom
      *result = std::min(value, z.top - ts - bs);
      return true;
    case 1: {  // top slope
      const int room = z.top - bs - z.bottom;
      *result = fromField ? FittingIndex(widths, value, room)
                          : GetNearestIndex(widths, z.top - value, room);
      return true;
    }
    case 2: {  // bottom slope
      const int room = z.top - ts - z.bottom;
      *result = fromField ? FittingIndex(widths, value, room)
                          : GetNearestIndex(widths, value - z.bottom, room);
      return true;
    }
    default:
      return false;
  }
}

}  // namespace

int GetNearestIndex(const int* widths, int target, int limit) {
  for (int i = 0;; ++i) {
    if (i > kSlopeCount - 2) return kSlopeCount - 1;
    if (widths[i + 1] > limit) return i;
    if (widths[i + 1] > target)
      return std::abs(widths[i] - target) <= std::abs(widths[i + 1] - target) ? i : i + 1;
  }
}

bool ApplyKeyChange(int offset, int value, bool fromField, const Zone& zone, int* result) {
  return Apply(kKeySlopeWidths, kTopKey, offset, value, fromField, zone, result);
}

bool ApplyVelChange(int offset, int value, bool fromField, const Zone& zone, int* result) {
  return Apply(kVelSlopeWidths, kTopVelocity, offset, value, fromField, zone, result);
}

int NoteInputValue(int status, int data1, int data2, int offset) {
  if ((status & 0xF0) != 0x90) return -1;
  switch (offset) {
    case kTopKey:
    case kBottomKey: return data1;
    case kTopVelocity:
    case kBottomVelocity: return data2;
    default: return -1;
  }
}

}  // namespace KeyVelZoneRules
