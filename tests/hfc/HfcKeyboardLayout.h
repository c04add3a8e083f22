#pragma once
// Key geometry matching the generated "ControllerKeyboard" pictures: 88
// keys from note 21 over 52 white keys of 662 x 70 pixels; a segment is the
// column range of one white key, white keys light bit 1 of their segment and
// black keys bits 2 and 4 in turn.
#include <cstdint>
#include <vector>

#include "hfc/CHfcCtrlKeyboard.h"

namespace hfctest {

struct KeyboardLayout {
  static constexpr int kWidth = 662;
  static constexpr int kHeight = 70;
  static constexpr int kWhites = 52;
  std::vector<int32_t> segments;
  std::vector<int32_t> keys;
  std::vector<uint8_t> map;

  static int WhiteLeft(int i) { return i * kWidth / kWhites; }
  static bool BlackAfter(int white) {
    static const bool kAfter[7] = {true, false, true, true, false, true, true};
    return white < kWhites - 1 && kAfter[white % 7];
  }

  KeyboardLayout() {
    map.assign(static_cast<size_t>(kWidth) * kHeight, 255);
    const int bw = kWidth / kWhites * 6 / 10;
    const int bh = kHeight * 62 / 100;
    int black = 0;
    for (int i = 0; i < kWhites; ++i) {
      segments.insert(segments.end(), {WhiteLeft(i), 0, WhiteLeft(i + 1), 0});
      const int white = static_cast<int>(keys.size() / 4);
      keys.insert(keys.end(), {i, -1, 1, 0});
      for (int y = 0; y < kHeight; ++y)
        for (int x = WhiteLeft(i); x < WhiteLeft(i + 1) - 1; ++x) map[y * kWidth + x] = white;
      if (!BlackAfter(i)) continue;
      const int key = static_cast<int>(keys.size() / 4);
      keys.insert(keys.end(), {i, i + 1, black++ % 2 == 0 ? 2 : 4, 0});
      const int left = WhiteLeft(i + 1) - bw / 2 - 1;
      for (int y = 0; y < bh; ++y)
        for (int x = left; x < left + bw; ++x) map[y * kWidth + x] = static_cast<uint8_t>(key);
    }
  }

  tagHfcCtrlKeyboardParam Param(int x, int y, CHfcBmp* pictures) const {
    tagHfcCtrlKeyboardParam p{};
    p.x = x;
    p.y = y;
    p.keysBmp = pictures;
    p.keyCount = static_cast<int>(keys.size() / 4);
    p.segmentCount = static_cast<int>(segments.size() / 4);
    p.segments = segments.data();
    p.keys = keys.data();
    p.hitMap = map.data();
    p.lowestNote = 21;
    return p;
  }
};

}  // namespace hfctest
