#pragma once
// The nine proportional fonts' metric records. Their tables are generated
// together with the glyph pictures; the pictures are bound to them when the
// font registry starts.
#include "hfc/HfcBmpFontInfo.h"

extern tagHfcBmpFontInfo BMPFONTINFO_TextW4H9;
extern tagHfcBmpFontInfo BMPFONTINFO_Geneva9;
extern tagHfcBmpFontInfo BMPFONTINFO_Geneva9ForControls;
extern tagHfcBmpFontInfo BMPFONTINFO_Geneva10;
extern tagHfcBmpFontInfo BMPFONTINFO_Geneva10ForLabel;
extern tagHfcBmpFontInfo BMPFONTINFO_HelvB11;
extern tagHfcBmpFontInfo BMPFONTINFO_HelvB11_Shadow;
extern tagHfcBmpFontInfo BMPFONTINFO_ArialB12;
extern tagHfcBmpFontInfo BMPFONTINFO_MiniMoji5;
