#pragma once
// The rules that keep a key or velocity zone consistent: top, bottom and
// the two slopes (stored as indexes into a width table) of one timbre.
// Whichever value changes, the result leaves room for both slopes between
// bottom and top. Parameter offsets within a timbre: 44 top key, 45 top
// slope, 46 bottom slope, 47 bottom key, 48 top velocity, 49 top velocity
// slope, 50 bottom velocity slope, 51 bottom velocity.
namespace KeyVelZoneRules {

inline constexpr int kSlopeCount = 16;
inline constexpr int kTopKey = 44;
inline constexpr int kTopKeySlope = 45;
inline constexpr int kBottomKeySlope = 46;
inline constexpr int kBottomKey = 47;
inline constexpr int kTopVelocity = 48;
inline constexpr int kTopVelocitySlope = 49;
inline constexpr int kBottomVelocitySlope = 50;
inline constexpr int kBottomVelocity = 51;

// Widths of the slopes by index: keys, and velocity steps (8 x index).
extern const int kKeySlopeWidths[kSlopeCount];
extern const int kVelSlopeWidths[kSlopeCount];

// The current values of one zone.
struct Zone {
  int top;
  int bottom;
  int topSlope;     // index
  int bottomSlope;  // index
};

// The index whose width is nearest to target among those not wider than
// limit (walking up the table; the lower index on a tie).
int GetNearestIndex(const int* widths, int target, int limit);

// The value to store for a change of the zone parameter at offset (44-47
// with the key widths, 48-51 with the velocity widths). fromField: the value
// comes from a text field or list (a slope is then an index); otherwise from
// a zone bar (a slope is then the key or velocity where it ends). Returns
// false, storing nothing, for an offset outside the zone's four.
bool ApplyKeyChange(int offset, int value, bool fromField, const Zone& zone, int* result);
bool ApplyVelChange(int offset, int value, bool fromField, const Zone& zone, int* result);

// The value a note-on gives the field of the parameter at offset: the note
// number for the top and bottom key, the velocity for the top and bottom
// velocity; -1 for any other message or offset.
int NoteInputValue(int status, int data1, int data2, int offset);

}  // namespace KeyVelZoneRules
