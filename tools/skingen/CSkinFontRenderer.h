#pragma once
// Renders one bitmap font from a DejaVu face: the glyph picture (128 cells
// stacked from the top, white glyphs whose alpha is the coverage) and the
// width and advance tables that go with it, from the same rendering.
#include <memory>
#include <string>

#include "hfc/CHfcBmp.h"
#include "tools/skingen/SkinFontRecipe.h"

struct tagSkinFont {
  const tagSkinFontRecipe* recipe = nullptr;
  int width[128] = {};
  int advance[128] = {};
  bool fixed[128] = {};  // advances the layout relies on, not the face's own
  std::unique_ptr<CHfcBmp> picture;
};

class CSkinFontRenderer {
 public:
  explicit CSkinFontRenderer(std::string fontDir);
  ~CSkinFontRenderer();
  CSkinFontRenderer(const CSkinFontRenderer&) = delete;
  CSkinFontRenderer& operator=(const CSkinFontRenderer&) = delete;

  // base is the rendered font named by recipe.sameTablesAs, when it names one.
  bool Render(const tagSkinFontRecipe& recipe, const tagSkinFont* base, tagSkinFont& out, std::string& error);

 private:
  struct Library;
  std::string mFontDir;
  std::unique_ptr<Library> mLibrary;
};
