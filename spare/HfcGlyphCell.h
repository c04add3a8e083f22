#pragma once
// The cell of a 128-cell glyph strip that shows a text byte: bytes 128 to
// 255 (negative as signed chars) would index before the strip, so they
// show the placeholder cell.
#include "hfc/HfcBmpFontInfo.h"

inline int HfcGlyphCell(char c) {
  const int code = static_cast<unsigned char>(c);
  return code < 128 ? code : kHfcBmpFontPlaceholderCode;
}
