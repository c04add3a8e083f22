#pragma once
// How each bitmap font of the editor is made: the face and size its
// glyphs are rendered from, the cell geometry the font records fix, and the
// advances the layout depends on.
#include <cstddef>

enum class eSkinFontStyle {
  Plain,        // white glyphs
  LabelShadow,  // white glyphs over a dark copy one row lower
  DropShadow,   // white glyphs over a dark copy one pixel right and down
};

struct tagSkinFontAdvance {
  const char* chars;  // the codes this advance is fixed for
  int advance;
};

struct tagSkinFontRecipe {
  const char* name;    // picture and font name
  const char* record;  // symbol of the compiled-in metrics record
  const char* face;    // DejaVu font file
  int pixelSize;
  int cellHeight;
  int textHeight;
  int baseline;        // row of the baseline inside a cell
  int controlWidth;    // width of codes 0 to 31
  const int* controlWidths;  // or, when set, one width per code 0 to 31
  int minWidth;        // range of the widths of codes 32 to 126
  int maxWidth;
  const tagSkinFontAdvance* fixed;  // advances the layout relies on
  size_t fixedCount;
  const char* sameTablesAs;  // the font whose tables this one starts from
  eSkinFontStyle style;
  int wholeCellWidth;  // when not 0, every code copies this many columns
  bool crisp;          // two-level rendering, for the smallest faces
};

extern const tagSkinFontRecipe SKIN_FONTS[];
extern const size_t SKIN_FONT_COUNT;
