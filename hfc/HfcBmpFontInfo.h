#pragma once
// A proportional bitmap font: glyph cells stacked from the top of the
// picture, cell c at y = c * cellHeight, each as wide as the picture.
#include <cstdint>

class CHfcBmp;

struct tagHfcBmpFontInfo {
  CHfcBmp* bmp;
  int32_t width[128];    // columns of the cell copied for each code
  int32_t advance[128];  // pen movement after each code
  int32_t cellHeight;
  int32_t textHeight;    // height of a line as laid out in a box
};

// Only codes 0 to 127 have glyphs; text bytes above 127 (negative as signed
// chars) show the placeholder cell.
inline constexpr int kHfcBmpFontPlaceholderCode = 127;

inline int HfcBmpFontCode(char c) {
  const int code = static_cast<signed char>(c);
  return code < 0 ? kHfcBmpFontPlaceholderCode : code;
}
