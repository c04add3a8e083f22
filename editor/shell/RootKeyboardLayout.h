#pragma once
// Key geometry of the front panel's keyboard picture "ControllerKeyboard":
// 88 keys from note 21 over 52 white keys of 662 x 70 pixels. A segment is
// the column range of one white key; white keys light bit 1 of their
// segment, black keys bits 2 and 4 in turn.
#include <cstdint>

struct RootKeyboardLayout {
  static constexpr int kWidth = 662;
  static constexpr int kHeight = 70;
  static constexpr int kWhiteKeys = 52;
  static constexpr int kKeys = 88;
  static constexpr int kLowestNote = 21;
  const int32_t* segments;  // kWhiteKeys x {left, 0, right, 0}
  const int32_t* keys;      // kKeys x {segment, second segment or -1, light bit, 0}
  const uint8_t* hitMap;    // kWidth x kHeight key indices, 255 for none
};

const RootKeyboardLayout& GetRootKeyboardLayout();
