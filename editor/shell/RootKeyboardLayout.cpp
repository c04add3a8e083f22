#include "editor/shell/RootKeyboardLayout.h"

#include <cstddef>
#include <vector>

namespace {

struct Tables {
  std::vector<int32_t> segments;
  std::vector<int32_t> keys;
  std::vector<uint8_t> map;
  RootKeyboardLayout layout{};

  static int WhiteLeft(int i) {
    return i * RootKeyboardLayout::kWidth / RootKeyboardLayout::kWhiteKeys;
  }
  // The keyboard starts on A: a black key follows the whites A, C, D, F, G.
  static bool BlackAfter(int white) {
    static const bool kAfter[7] = {true, false, true, true, false, true, true};
    return white < RootKeyboardLayout::kWhiteKeys - 1 && kAfter[white % 7];
  }

  Tables() {
    constexpr int W = RootKeyboardLayout::kWidth;
    constexpr int H = RootKeyboardLayout::kHeight;
    map.assign(static_cast<std::size_t>(W) * H, 255);
    const int bw = W / RootKeyboardLayout::kWhiteKeys * 6 / 10;
    const int bh = H * 62 / 100;
    int black = 0;
    for (int i = 0; i < RootKeyboardLayout::kWhiteKeys; ++i) {
      segments.insert(segments.end(), {WhiteLeft(i), 0, WhiteLeft(i + 1), 0});
      const int white = static_cast<int>(keys.size() / 4);
      keys.insert(keys.end(), {i, -1, 1, 0});
      for (int y = 0; y < H; ++y)
        for (int x = WhiteLeft(i); x < WhiteLeft(i + 1) - 1; ++x)
          map[static_cast<std::size_t>(y) * W + x] = static_cast<uint8_t>(white);
      if (!BlackAfter(i)) continue;
      const int key = static_cast<int>(keys.size() / 4);
      keys.insert(keys.end(), {i, i + 1, black++ % 2 == 0 ? 2 : 4, 0});
      const int left = WhiteLeft(i + 1) - bw / 2 - 1;
      for (int y = 0; y < bh; ++y)
        for (int x = left; x < left + bw; ++x)
          map[static_cast<std::size_t>(y) * W + x] = static_cast<uint8_t>(key);
    }
    layout.segments = segments.data();
    layout.keys = keys.data();
    layout.hitMap = map.data();
  }
};

}  // namespace

const RootKeyboardLayout& GetRootKeyboardLayout() {
  static const Tables tables;
  return tables.layout;
}
