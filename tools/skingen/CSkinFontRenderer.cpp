#include "tools/skingen/CSkinFontRenderer.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstring>
#include <memory>
#include <set>
#include <type_traits>
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

// Loads code c squeezed horizontally by xScale and moved right by dx
// (1/64 pixels); false when the face has no such glyph.
bool LoadShifted(FT_Face face, int c, FT_Int32 flags, float xScale, FT_Pos dx) {
  FT_Matrix squeeze{static_cast<FT_Fixed>(xScale * 65536.0f), 0, 0, 0x10000};
  FT_Vector shift{dx, 0};
  FT_Set_Transform(face, xScale < 1.0f ? &squeeze : nullptr, &shift);
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

// Renders code c, squeezed horizontally by xScale; false when the face has
// no such glyph.
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
  return true;
}

// Columns the ink of a glyph may take in an advance, keeping a gap to the
// next glyph where there is room for one.
int InkRoom(int advance) { return advance >= 5 ? advance - 1 : advance; }

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

// The advance table: the base font's, or the face's own advances kept to
// the recipe's range; either way the advances the layout fixes.
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
  for (int c = 32; c < 127; ++c)
    out.advance[c] = std::clamp(glyphs[static_cast<size_t>(c)].naturalAdvance, recipe.minWidth, recipe.maxWidth);
  setFixed(out.advance);
  // The placeholder for codes the font has no glyph for is as wide as a digit.
  out.advance[127] = out.advance['0'];
}

// Glyphs wider than their advance are narrowed rather than cut (the hook
// of an "f"); where the layout fixes an advance, they also keep a gap.
void NarrowWideGlyphs(FT_Face face, const tagSkinFontRecipe& recipe, const tagSkinFont& out,
                      std::vector<Glyph>& glyphs) {
  for (int c = 32; c < 127; ++c) {
    Glyph& g = glyphs[static_cast<size_t>(c)];
    const int room = out.fixed[c] ? InkRoom(out.advance[c]) : out.advance[c];
    for (int attempt = 0; attempt < 4 && g.width > room; ++attempt) {
      const float scale = (static_cast<float>(room) - 0.25f * static_cast<float>(attempt)) /
                          static_cast<float>(g.width + attempt);
      Glyph narrowed;
      if (!LoadGlyph(face, c, recipe.crisp, scale, narrowed)) break;
      if (narrowed.width <= room || attempt == 3) g = std::move(narrowed);
    }
  }
}

// A glyph the touch-ups made wider than its advance takes the advance its
// ink needs and a gap, unless the layout fixes its advance.
void WidenTouchedAdvances(const tagSkinFontRecipe& recipe, const std::vector<Glyph>& glyphs,
                          const std::set<int>& touched, tagSkinFont& out) {
  for (int c : touched) {
    const Glyph& g = glyphs[static_cast<size_t>(c)];
    if (!out.fixed[c] && g.width > out.advance[c]) out.advance[c] = g.width + 1;
  }
  std::copy(std::begin(out.advance), std::end(out.advance), out.width);
  if (recipe.wholeCellWidth > 0) std::fill(std::begin(out.width), std::end(out.width), recipe.wholeCellWidth);
}

// Each glyph in its cell: the ink centred in the advance it is laid out
// in, kept inside when it fits (and the gap to the next glyph where the
// layout fixes the advance); shadows under it as the style asks.
void PaintGlyphs(const tagSkinFontRecipe& recipe, const std::vector<Glyph>& glyphs, const tagSkinFont& out,
                 CHfcDrawContext& dc) {
  const bool shadowed = recipe.style == eSkinFontStyle::LabelShadow || recipe.style == eSkinFontStyle::DropShadow;
  const float shadowOpacity = recipe.style == eSkinFontStyle::LabelShadow ? 0.7f : 0.85f;
  for (int c = 32; c < 127; ++c) {
    const Glyph& g = glyphs[static_cast<size_t>(c)];
    if (g.Empty()) continue;
    const int room = out.fixed[c] ? InkRoom(out.advance[c]) : out.advance[c];
    int x = g.left + (room - g.naturalAdvance) / 2;
    x = g.width <= room ? std::clamp(x, 0, room - g.width) : (room - g.width) / 2;
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
  NarrowWideGlyphs(face.get(), recipe, out, glyphs);
  const std::set<int> touched = SkinTellGlyphsApart(glyphs, {recipe.baseline, recipe.cellHeight});
  WidenTouchedAdvances(recipe, glyphs, touched, out);

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
