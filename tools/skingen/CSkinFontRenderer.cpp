#include "tools/skingen/CSkinFontRenderer.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "hfc/CHfcDrawContext.h"
#include "tools/skingen/SkinGlyphTouchUps.h"

namespace {

using Glyph = tagSkinGlyph;

// A glyph picture in one colour whose alpha is the glyph's coverage.
std::unique_ptr<CHfcBmp> GlyphPicture(const Glyph& g, uint32_t rgb, float opacity) {
  auto bmp = std::make_unique<CHfcBmp>();
  if (g.Empty() || !bmp->Create(g.width, g.height)) return nullptr;
  uint32_t* px = bmp->LockPixels();
  for (int y = 0; y < g.height; ++y)
    for (int x = 0; x < g.width; ++x) {
      const auto a = static_cast<uint32_t>(static_cast<float>(g.At(x, y)) * opacity + 0.5f);
      px[y * g.width + x] = (a << 24) | rgb;
    }
  bmp->UnlockPixels();
  return bmp;
}

// How sharply a rendering draws: the mean coverage of its inked pixels
// (stems that fall on whole columns score high, stems spread over two low).
double Sharpness(const FT_Bitmap& bm) {
  double sum = 0.0;
  double squares = 0.0;
  for (unsigned y = 0; y < bm.rows; ++y)
    for (unsigned x = 0; x < bm.width; ++x) {
      const double c = bm.buffer[static_cast<long>(y) * bm.pitch + x] / 255.0;
      sum += c;
      squares += c * c;
    }
  return sum > 0.0 ? squares / sum : 0.0;
}

// Loads code c scaled horizontally by xScale and moved right by dx
// (1/64 pixels); false when the face has no such glyph.
bool LoadShifted(FT_Face face, int c, FT_Int32 flags, float xScale, FT_Pos dx) {
  FT_Matrix scale{static_cast<FT_Fixed>(xScale * 65536.0f), 0, 0, 0x10000};
  FT_Vector shift{dx, 0};
  FT_Set_Transform(face, xScale != 1.0f ? &scale : nullptr, &shift);
  const bool loaded = FT_Load_Char(face, static_cast<FT_ULong>(c), flags) == 0;
  FT_Set_Transform(face, nullptr, nullptr);
  return loaded;
}

// The horizontal phase (in eighths of a pixel, at most half a pixel either
// way, so that spacing stays even) at which a glyph comes out sharpest: the
// faces' hints place stems on whole rows only, and at 9 to 12 pixels a stem
// spread over two faint columns blurs "J", "l" and "I" into one bar.
FT_Pos SharpestPhase(FT_Face face, int c, FT_Int32 flags, float xScale) {
  FT_Pos best = 0;
  double bestScore = -1.0;
  for (FT_Pos dx : {0, -8, 8, -16, 16, -24, 24, -32}) {
    if (!LoadShifted(face, c, flags, xScale, dx)) return 0;
    const double score = Sharpness(face->glyph->bitmap);
    if (score > bestScore + 1e-9) {
      bestScore = score;
      best = dx;
    }
  }
  return best;
}

// A column whose strongest pixel stays under this coverage reads as no ink.
constexpr uint8_t kFaintColumn = 96;

// Renders code c, scaled horizontally by xScale, without the faint columns
// at its edges; false when the face has no such glyph.
bool LoadGlyph(FT_Face face, int c, bool crisp, float xScale, Glyph& g) {
  const FT_Int32 flags = FT_LOAD_RENDER | (crisp ? FT_LOAD_TARGET_MONO : FT_LOAD_TARGET_NORMAL);
  const FT_Pos phase = crisp ? 0 : SharpestPhase(face, c, flags, xScale);
  if (!LoadShifted(face, c, flags, xScale, phase)) {
    return false;
  }
  const FT_GlyphSlot slot = face->glyph;
  const FT_Bitmap& bm = slot->bitmap;
  g = Glyph{};
  g.naturalAdvance = static_cast<int>((slot->advance.x + 32) >> 6);
  g.left = slot->bitmap_left;
  g.top = slot->bitmap_top;
  g.width = static_cast<int>(bm.width);
  g.height = static_cast<int>(bm.rows);
  g.coverage.resize(static_cast<size_t>(g.width * g.height));
  for (int y = 0; y < g.height; ++y) {
    const unsigned char* row = bm.buffer + static_cast<long>(y) * bm.pitch;
    for (int x = 0; x < g.width; ++x)
      g.Set(x, y, bm.pixel_mode == FT_PIXEL_MODE_MONO ? ((row[x >> 3] >> (7 - (x & 7))) & 1) * 255 : row[x]);
  }
  g.TrimFaintEdges(kFaintColumn);
  return true;
}

// Columns the ink of a glyph may take in an advance, keeping a gap to the
// next glyph where there is room for one; two-level glyphs, which a
// squeeze breaks, keep the face's own width in an advance under 5.
int InkRoom(int advance, bool crisp) { return advance >= 5 || (advance >= 3 && !crisp) ? advance - 1 : advance; }

// Where a glyph's strong ink (the columns a reader sees as ink) begins and
// how wide it is; faint columns at its edges (a curve's anti-aliased rim)
// may stand in the gap to its neighbours. A glyph faint all over counts
// whole.
struct StrongInk {
  int first;
  int width;
};

StrongInk StrongInkOf(const Glyph& g) {
  int first = 0;
  int last = g.width - 1;
  while (first <= last && g.ColumnMost(first) < kSkinStrongInk) ++first;
  while (last >= first && g.ColumnMost(last) < kSkinStrongInk) --last;
  if (last < first) return {0, g.width};
  return {first, last - first + 1};
}

// The ink a glyph is fitted and placed by: its strong ink, or, where the
// layout fixes its advance, every column it draws (value displays and
// knobs hold their numbers to the last drawn column of the last digit).
StrongInk InkToFit(const Glyph& g, bool fixedAdvance) {
  return fixedAdvance ? StrongInk{0, g.width} : StrongInkOf(g);
}

// The advance that leaves one blank column after a glyph's strong ink,
// drawn from the cell's left edge.
int SpacedAdvance(const Glyph& g) {
  if (g.Empty()) return g.naturalAdvance;
  const StrongInk ink = StrongInkOf(g);
  return ink.first + ink.width + 1;
}

// Blits a glyph picture with its top left at (x, y), cut to the cell rows.
void BlitIntoCell(CHfcDrawContext& dc, CHfcBmp* glyph, int x, int y, int cellTop, int cellHeight) {
  if (glyph == nullptr) {
    return;
  }
  const int y0 = std::max(y, cellTop);
  const int y1 = std::min(y + glyph->GetHeight(), cellTop + cellHeight);
  if (y1 > y0) {
    dc.CopyBmp(x, y0, glyph->GetWidth(), y1 - y0, glyph, 0, y0 - y);
  }
}

struct FaceCloser {
  void operator()(FT_Face face) const { FT_Done_Face(face); }
};
using FaceHandle = std::unique_ptr<std::remove_pointer_t<FT_Face>, FaceCloser>;

}  // namespace

struct CSkinFontRenderer::Library {
  FT_Library ft = nullptr;
};

CSkinFontRenderer::CSkinFontRenderer(std::string fontDir)
    : mFontDir(std::move(fontDir)), mLibrary(std::make_unique<Library>()) {
  if (FT_Init_FreeType(&mLibrary->ft) != 0) {
    mLibrary->ft = nullptr;
  }
}

CSkinFontRenderer::~CSkinFontRenderer() {
  if (mLibrary->ft != nullptr) {
    FT_Done_FreeType(mLibrary->ft);
  }
}

namespace {

// The advance table: the base font's, or each glyph's ink and a blank
// column kept to the recipe's range (so every pair of glyphs stands one
// column apart, whatever the face's own side bearings); either way the
// advances the layout fixes.
void LayOutAdvances(const tagSkinFontRecipe& recipe, const tagSkinFont* base, const std::vector<Glyph>& glyphs,
                    tagSkinFont& out) {
  bool* fixed = out.fixed;
  auto setFixed = [&recipe, fixed](int* table) {
    for (size_t i = 0; i < recipe.fixedCount; ++i) {
      for (const char* p = recipe.fixed[i].chars; *p != 0; ++p) {
        table[static_cast<unsigned char>(*p)] = recipe.fixed[i].advance;
        fixed[static_cast<unsigned char>(*p)] = true;
      }
    }
  };
  if (base != nullptr) {
    std::copy(std::begin(base->advance), std::end(base->advance), out.advance);
    std::copy(std::begin(base->fixed), std::end(base->fixed), out.fixed);
    setFixed(out.advance);
    return;
  }
  for (int c = 0; c < 32; ++c)
    out.advance[c] = recipe.controlWidths != nullptr ? recipe.controlWidths[c] : recipe.controlWidth;
  for (int c = 32; c < 127; ++c) {
    out.advance[c] = std::clamp(SpacedAdvance(glyphs[static_cast<size_t>(c)]), recipe.minWidth, recipe.maxWidth);
  }
  setFixed(out.advance);
  // The placeholder for codes the font has no glyph for is as wide as a digit.
  out.advance[127] = out.advance['0'];
}

// Renders code c at the largest horizontal scale, between half and twice
// the face's width, at which the ink it is fitted by takes at most `most`
// columns.
void RenderWithin(FT_Face face, const tagSkinFontRecipe& recipe, int c, bool fixedAdvance, int most, Glyph& glyph) {
  auto widthAt = [&](float scale, Glyph& g) {
    return LoadGlyph(face, c, recipe.crisp, scale, g) && !g.Empty() ? InkToFit(g, fixedAdvance).width : 0;
  };
  Glyph g;
  float low = 0.5f;
  float high = 2.0f;
  if (widthAt(low, g) == 0) return;
  for (int step = 0; step < 10; ++step) {
    const float middle = (low + high) / 2.0f;
    if (widthAt(middle, g) <= most)
      low = middle;
    else
      high = middle;
  }
  widthAt(low, glyph);
}

// Glyphs whose advance the layout fixes fill it: their ink takes all but
// the column that parts them from the next glyph, so that there is no
// wider gap after an "M" or inside a number than between letters. They
// widen by a third at most (further, a bold "W" falls apart into two
// "V"s), the rest of the advance staying blank on both sides, and not at
// all where they would then read as another glyph (a "0" as wide as the
// "O"); two-level glyphs, whose stems a stretch breaks, keep their width.
// Any glyph wider than its room is narrowed rather than cut (the hook of
// an "f").
void FitGlyphsToAdvances(FT_Face face, const tagSkinFontRecipe& recipe, const tagSkinFont& out,
                         std::vector<Glyph>& glyphs) {
  std::vector<std::pair<int, Glyph>> widened;
  for (int c = 32; c < 127; ++c) {
    Glyph& g = glyphs[static_cast<size_t>(c)];
    if (g.Empty()) continue;
    const int advance = out.advance[c];
    const bool fixed = out.fixed[c];
    const int ink = InkToFit(g, fixed).width;
    const int room = InkRoom(advance, recipe.crisp);
    if (ink > room && (fixed || SpacedAdvance(g) > advance)) {
      RenderWithin(face, recipe, c, fixed, room, g);
    } else if (fixed && !recipe.crisp && ink < advance - 1 && ink * 4 / 3 > ink) {
      widened.emplace_back(c, g);
      RenderWithin(face, recipe, c, fixed, std::min(advance - 1, ink * 4 / 3), g);
    }
  }
  const SkinCell cell{recipe.baseline, recipe.cellHeight};
  for (auto& [c, before] : widened)
    for (int other = 33; other < 127; ++other)
      if (other != c && SkinReadAlike(glyphs[static_cast<size_t>(c)], glyphs[static_cast<size_t>(other)], cell)) {
        glyphs[static_cast<size_t>(c)] = std::move(before);
        break;
      }
}

// After the touch-ups (which may widen a glyph), each glyph the layout
// does not fix takes its ink and a blank column again, unless its tables
// are a base font's; then the width table follows.
void SettleAdvances(const tagSkinFontRecipe& recipe, const tagSkinFont* base, const std::vector<Glyph>& glyphs,
                    tagSkinFont& out) {
  for (int c = 32; c < 127; ++c) {
    const Glyph& g = glyphs[static_cast<size_t>(c)];
    if (base == nullptr && !out.fixed[c] && !g.Empty())
      out.advance[c] = std::clamp(SpacedAdvance(g), recipe.minWidth, recipe.maxWidth);
  }
  std::copy(std::begin(out.advance), std::end(out.advance), out.width);
  if (recipe.wholeCellWidth > 0) std::fill(std::begin(out.width), std::end(out.width), recipe.wholeCellWidth);
}

// Each glyph in its cell: where its advance is its own ink and gap, from
// the cell's left; in an advance set wider (fixed, or a font's least
// width) its ink centred in the room left before the next glyph,
// an odd column spare going before it (so that a narrow "1" parts alike
// from both neighbours, whose edges may be faint), at the cell's left
// where the ink fills the room. Shadows under it as the style asks.
void PaintGlyphs(const tagSkinFontRecipe& recipe, const std::vector<Glyph>& glyphs, const tagSkinFont& out,
                 CHfcDrawContext& dc) {
  const bool shadowed = recipe.style == eSkinFontStyle::LabelShadow || recipe.style == eSkinFontStyle::DropShadow;
  const float shadowOpacity = recipe.style == eSkinFontStyle::LabelShadow ? 0.7f : 0.85f;
  for (int c = 32; c < 127; ++c) {
    const Glyph& g = glyphs[static_cast<size_t>(c)];
    if (g.Empty()) continue;
    const StrongInk ink = InkToFit(g, out.fixed[c]);
    const int room = InkRoom(out.advance[c], recipe.crisp);
    const int x = out.advance[c] == SpacedAdvance(g)
                      ? 0
                      : std::max((room - ink.width + 1) / 2 - ink.first, std::min(0, room - ink.first - ink.width));
    const int cellTop = c * recipe.cellHeight;
    const int y = cellTop + recipe.baseline - g.top;
    if (shadowed) {
      const int dx = recipe.style == eSkinFontStyle::DropShadow ? 1 : 0;
      BlitIntoCell(dc, GlyphPicture(g, 0x000000, shadowOpacity).get(), x + dx, y + 1, cellTop, recipe.cellHeight);
    }
    BlitIntoCell(dc, GlyphPicture(g, 0xFFFFFF, 1.0f).get(), x, y, cellTop, recipe.cellHeight);
  }
}

// The placeholder for codes without a glyph: an open box of capital height.
void PaintPlaceholder(const tagSkinFontRecipe& recipe, const tagSkinFont& out, int capTop, CHfcDrawContext& dc) {
  const int boxWidth = out.advance[127];
  const int boxTop = 127 * recipe.cellHeight + recipe.baseline - capTop;
  const int inset = boxWidth >= 5 ? 1 : 0;
  dc.SetPenColor(0xFFFFFFFF);
  dc.FrameRect(inset, boxTop, boxWidth - 2 * inset - (boxWidth >= 4 ? 1 : 0), capTop);
}

}  // namespace

bool CSkinFontRenderer::Render(const tagSkinFontRecipe& recipe, const tagSkinFont* base, tagSkinFont& out,
                               std::string& error) {
  if (mLibrary->ft == nullptr) {
    error = "FreeType did not start";
    return false;
  }
  if (recipe.cellHeight <= 0 || recipe.pixelSize <= 0) {
    error = std::string(recipe.name) + ": empty cell geometry";
    return false;
  }
  const std::string path = mFontDir + "/" + recipe.face;
  FT_Face opened = nullptr;
  if (FT_New_Face(mLibrary->ft, path.c_str(), 0, &opened) != 0) {
    error = "cannot open " + path;
    return false;
  }
  const FaceHandle face(opened);
  FT_Set_Pixel_Sizes(face.get(), 0, static_cast<FT_UInt>(recipe.pixelSize));
  std::vector<Glyph> glyphs(128);
  for (int c = 32; c < 127; ++c) LoadGlyph(face.get(), c, recipe.crisp, 1.0f, glyphs[static_cast<size_t>(c)]);
  out.recipe = &recipe;
  LayOutAdvances(recipe, base, glyphs, out);
  FitGlyphsToAdvances(face.get(), recipe, out, glyphs);
  SkinTellGlyphsApart(glyphs, {recipe.baseline, recipe.cellHeight});
  for (Glyph& g : glyphs) g.TrimFaintEdges(kFaintColumn);
  SettleAdvances(recipe, base, glyphs, out);

  const int cellWidth = *std::max_element(std::begin(out.width), std::end(out.width));
  out.picture = std::make_unique<CHfcBmp>();
  if (!out.picture->Create(cellWidth, 128 * recipe.cellHeight)) {
    error = std::string(recipe.name) + ": picture not created";
    return false;
  }
  CHfcDrawContext dc(out.picture.get());
  PaintGlyphs(recipe, glyphs, out, dc);
  PaintPlaceholder(recipe, out, glyphs['H'].top, dc);
  return true;
}
