#include "tools/skingen/CSkinFontRenderer.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstring>
#include <vector>

#include "hfc/CHfcDrawContext.h"

namespace {

struct Glyph {
  int naturalAdvance = 0;
  int left = 0;  // ink offset from the pen
  int top = 0;   // rows of ink above the baseline
  int inkWidth = 0;
  std::unique_ptr<CHfcBmp> white;
  std::unique_ptr<CHfcBmp> dark;
};

// A glyph picture in one colour whose alpha is FreeType's coverage.
std::unique_ptr<CHfcBmp> GlyphPicture(const FT_Bitmap& bm, uint32_t rgb, float opacity) {
  auto bmp = std::make_unique<CHfcBmp>();
  if (!bmp->Create(static_cast<int>(bm.width), static_cast<int>(bm.rows))) {
    return nullptr;
  }
  uint32_t* px = bmp->LockPixels();
  for (unsigned y = 0; y < bm.rows; ++y) {
    const unsigned char* row = bm.buffer + static_cast<long>(y) * bm.pitch;
    for (unsigned x = 0; x < bm.width; ++x) {
      const unsigned coverage =
          bm.pixel_mode == FT_PIXEL_MODE_MONO ? ((row[x >> 3] >> (7 - (x & 7))) & 1) * 255u : row[x];
      const auto a = static_cast<uint32_t>(static_cast<float>(coverage) * opacity + 0.5f);
      px[y * bm.width + x] = (a << 24) | rgb;
    }
  }
  bmp->UnlockPixels();
  return bmp;
}

// Renders code c, squeezed horizontally by xScale; false when the face has
// no such glyph.
bool LoadGlyph(FT_Face face, int c, bool crisp, float xScale, bool shadowed, float shadowOpacity, Glyph& g) {
  FT_Matrix squeeze{static_cast<FT_Fixed>(xScale * 65536.0f), 0, 0, 0x10000};
  FT_Set_Transform(face, xScale < 1.0f ? &squeeze : nullptr, nullptr);
  const FT_Int32 flags = FT_LOAD_RENDER | (crisp ? FT_LOAD_TARGET_MONO : FT_LOAD_TARGET_NORMAL);
  const bool loaded = FT_Load_Char(face, static_cast<FT_ULong>(c), flags) == 0;
  FT_Set_Transform(face, nullptr, nullptr);
  if (!loaded) {
    return false;
  }
  const FT_GlyphSlot slot = face->glyph;
  g = Glyph{};
  g.naturalAdvance = static_cast<int>((slot->advance.x + 32) >> 6);
  g.left = slot->bitmap_left;
  g.top = slot->bitmap_top;
  if (slot->bitmap.width > 0 && slot->bitmap.rows > 0) {
    g.inkWidth = static_cast<int>(slot->bitmap.width);
    g.white = GlyphPicture(slot->bitmap, 0xFFFFFF, 1.0f);
    if (shadowed) {
      g.dark = GlyphPicture(slot->bitmap, 0x000000, shadowOpacity);
    }
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
  FT_Face face = nullptr;
  if (FT_New_Face(mLibrary->ft, path.c_str(), 0, &face) != 0) {
    error = "cannot open " + path;
    return false;
  }
  FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(recipe.pixelSize));

  std::vector<Glyph> glyphs(128);
  const bool shadowed = recipe.style == eSkinFontStyle::LabelShadow || recipe.style == eSkinFontStyle::DropShadow;
  const float shadowOpacity = recipe.style == eSkinFontStyle::LabelShadow ? 0.7f : 0.85f;
  for (int c = 32; c < 127; ++c) {
    LoadGlyph(face, c, recipe.crisp, 1.0f, shadowed, shadowOpacity, glyphs[c]);
  }

  out.recipe = &recipe;
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
    std::copy(std::begin(base->width), std::end(base->width), out.width);
    std::copy(std::begin(base->fixed), std::end(base->fixed), out.fixed);
    setFixed(out.advance);
  } else {
    for (int c = 0; c < 32; ++c) {
      out.advance[c] = recipe.controlWidths != nullptr ? recipe.controlWidths[c] : recipe.controlWidth;
    }
    for (int c = 32; c < 127; ++c) {
      out.advance[c] = std::clamp(glyphs[c].naturalAdvance, recipe.minWidth, recipe.maxWidth);
    }
    setFixed(out.advance);
    // The placeholder for codes the font has no glyph for is as wide as a digit.
    out.advance[127] = out.advance['0'];
    std::copy(std::begin(out.advance), std::end(out.advance), out.width);
  }
  if (recipe.wholeCellWidth > 0) {
    std::fill(std::begin(out.width), std::end(out.width), recipe.wholeCellWidth);
  }
  // Glyphs wider than their advance are narrowed rather than cut (the hook
  // of an "f"); where the layout fixes an advance, they also keep a gap.
  for (int c = 32; c < 127; ++c) {
    const int room = fixed[c] ? InkRoom(out.advance[c]) : out.advance[c];
    for (int attempt = 0; attempt < 4 && glyphs[c].inkWidth > room; ++attempt) {
      const float scale = (static_cast<float>(room) - 0.25f * static_cast<float>(attempt)) /
                          static_cast<float>(glyphs[c].inkWidth + attempt);
      Glyph narrowed;
      if (!LoadGlyph(face, c, recipe.crisp, scale, shadowed, shadowOpacity, narrowed)) {
        break;
      }
      if (narrowed.inkWidth <= room || attempt == 3) {
        glyphs[c] = std::move(narrowed);
      }
    }
  }
  const int capTop = glyphs['H'].top;
  FT_Done_Face(face);

  const int cellWidth = *std::max_element(std::begin(out.width), std::end(out.width));
  out.picture = std::make_unique<CHfcBmp>();
  if (!out.picture->Create(cellWidth, 128 * recipe.cellHeight)) {
    error = std::string(recipe.name) + ": picture not created";
    return false;
  }
  CHfcDrawContext dc(out.picture.get());
  for (int c = 32; c < 127; ++c) {
    const Glyph& g = glyphs[c];
    if (g.white == nullptr) {
      continue;
    }
    // Centre the ink in the advance it is laid out in, keeping it inside
    // when it fits (and the gap to the next glyph where the layout fixes
    // the advance).
    const int room = out.fixed[c] ? InkRoom(out.advance[c]) : out.advance[c];
    const int inkWidth = g.white->GetWidth();
    int x = g.left + (room - g.naturalAdvance) / 2;
    if (inkWidth <= room) {
      x = std::clamp(x, 0, room - inkWidth);
    } else {
      x = (room - inkWidth) / 2;
    }
    const int cellTop = c * recipe.cellHeight;
    const int y = cellTop + recipe.baseline - g.top;
    if (recipe.style == eSkinFontStyle::LabelShadow) {
      BlitIntoCell(dc, g.dark.get(), x, y + 1, cellTop, recipe.cellHeight);
    } else if (recipe.style == eSkinFontStyle::DropShadow) {
      BlitIntoCell(dc, g.dark.get(), x + 1, y + 1, cellTop, recipe.cellHeight);
    }
    BlitIntoCell(dc, g.white.get(), x, y, cellTop, recipe.cellHeight);
  }
  // The placeholder: an open box of capital height.
  const int boxWidth = out.advance[127];
  const int boxTop = 127 * recipe.cellHeight + recipe.baseline - capTop;
  const int inset = boxWidth >= 5 ? 1 : 0;
  dc.SetPenColor(0xFFFFFFFF);
  dc.FrameRect(inset, boxTop, boxWidth - 2 * inset - (boxWidth >= 4 ? 1 : 0), capTop);
  return true;
}
