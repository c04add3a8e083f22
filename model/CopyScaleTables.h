#pragma once
// The fixed tables of the scale-copy dialog, in cents.

extern const signed char COPYSCALE_MAJOR[12];
extern const signed char COPYSCALE_MAJOR_OFFSET[12];
extern const signed char COPYSCALE_MINOR[12];
extern const signed char COPYSCALE_MINOR_OFFSET[12];
extern const signed char COPYSCALE_ROM_SCALES[6][12];  // factory scales 3 to 8
extern const signed char COPYSCALE_STRETCH[128];       // one per note
