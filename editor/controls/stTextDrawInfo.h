#pragma once
// A static text of a page: where it stands, what it says and the bitmap
// font it is drawn in, or the picture shown instead when the font name
// names no font.
#include <cstdint>
#include <string>

#include "hfc/HfcBmpFontInfo.h"

class CHfcBmp;

struct stTextDrawInfo {
  int32_t itemId = 0;
  int32_t x = 0;
  int32_t y = 0;
  int32_t width = 0;
  std::string text;
  tagHfcBmpFontInfo* font = nullptr;
  CHfcBmp* picture = nullptr;
};
