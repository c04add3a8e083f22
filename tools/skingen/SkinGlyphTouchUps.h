#pragma once
// Small glyphs lose what tells them apart: at 9 to 12 pixels "J" drops its
// hook and reads as "|", "l" reads as "I", a thin "_" fades out. The
// touch-ups give such glyphs back the mark a reader needs, in the glyphs
// a face renders for codes 32 to 126 (indexed by code).
#include <set>
#include <vector>

#include "tools/skingen/SkinGlyph.h"

// A pixel a reader sees as ink: at least this coverage.
inline constexpr int kSkinStrongInk = 96;

// Where the glyphs stand in a font's cells: the baseline's row and the
// rows of a cell.
struct SkinCell {
  int baseline;
  int height;
};

// Whether two glyphs show one shape in their cells (their strong pixels,
// columns counted from the first).
bool SkinReadAlike(const tagSkinGlyph& a, const tagSkinGlyph& b, const SkinCell& cell);

// Touches up the glyphs of codes 33 to 126 as their cells show them;
// returns the codes touched, which may have grown wider.
std::set<int> SkinTellGlyphsApart(std::vector<tagSkinGlyph>& glyphs, const SkinCell& cell);
