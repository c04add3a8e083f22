#pragma once
// A page's static text: where it goes, what it says and the font (or, when
// the font name names no font, a picture) it is drawn with.
#include <cstdint>
#include <string>

#include "hfc/HfcBmpFontInfo.h"

class CHfcBmp;

struct stTextDrawInfo {
  int32_t id = 0;
  int32_t x = 0;
  int32_t y = 0;
  int32_t width = 0;
  std::string text;
  tagHfcBmpFontInfo* font = nullptr;
  CHfcBmp* bmp = nullptr;
};
