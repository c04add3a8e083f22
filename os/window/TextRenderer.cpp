#include "os/window/TextRenderer.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cmath>
#include <map>
#include <mutex>
#include <string>

#include "os/Lock.h"
#include "os/window/SystemFonts.h"

#ifndef VESK_DEJAVU_DIR
#define VESK_DEJAVU_DIR "/usr/share/fonts/truetype/dejavu"
#endif

namespace os {
namespace {

// One library and one face per file for the whole process; a face's size
// is per-face state, so every use holds the lock.
struct FaceCache {
  os::Lock lock;
  FT_Library library = nullptr;
  bool libraryFailed = false;
  std::map<std::string, FT_Face> faces;

  ~FaceCache() {
    for (auto& entry : faces) {
      if (entry.second) FT_Done_Face(entry.second);
    }
    if (library) FT_Done_FreeType(library);
  }

  // Null when the file cannot be opened; the failure is remembered.
  FT_Face Face(const char* file) {
    if (!library && !libraryFailed) libraryFailed = FT_Init_FreeType(&library) != 0;
    if (!library) return nullptr;
    auto it = faces.find(file);
    if (it != faces.end()) return it->second;
    const std::string path = std::string(TextRenderer::FontDirectory()) + "/" + file;
    FT_Face face = nullptr;
    if (FT_New_Face(library, path.c_str(), 0, &face) != 0) face = nullptr;
    faces.emplace(file, face);
    return face;
  }
};

FaceCache& Cache() {
  static FaceCache cache;
  return cache;
}

}  // namespace

const char* TextRenderer::FontDirectory() { return VESK_DEJAVU_DIR; }

void TextRenderer::SetFont(const char* name, float size) {
  file_ = FindSystemFont(name).file;
  size_ = size;
}

float TextRenderer::Draw(float x, float y, const char* text, size_t length, int clipWidth,
                         int clipHeight, const CoverageFn& plot) const {
  if (!file_ || !text || !(size_ > 0.0f) || !std::isfinite(x) || !std::isfinite(y)) return x;
  FaceCache& cache = Cache();
  std::lock_guard<os::Lock> hold(cache.lock);
  FT_Face face = cache.Face(file_);
  if (!face || FT_Set_Char_Size(face, 0, static_cast<FT_F26Dot6>(std::lround(size_ * 64.0f)), 72, 72) != 0)
    return x;
  const int baseline = static_cast<int>(std::lround(y));
  float pen = x;
  for (size_t i = 0; i < length; ++i) {
    const uint32_t code = MacRomanToUnicode(static_cast<uint8_t>(text[i]));
    if (FT_Load_Char(face, code, FT_LOAD_RENDER | FT_LOAD_TARGET_NORMAL) != 0) continue;
    const FT_GlyphSlot g = face->glyph;
    const FT_Bitmap& bm = g->bitmap;
    const int left = static_cast<int>(std::lround(pen)) + g->bitmap_left;
    const int top = baseline - g->bitmap_top;
    if (bm.pixel_mode == FT_PIXEL_MODE_GRAY) {
      for (unsigned row = 0; row < bm.rows; ++row) {
        const int py = top + static_cast<int>(row);
        if (py < 0 || py >= clipHeight) continue;
        const unsigned char* src = bm.buffer + static_cast<ptrdiff_t>(row) * bm.pitch;
        for (unsigned col = 0; col < bm.width; ++col) {
          const int px = left + static_cast<int>(col);
          if (px >= 0 && px < clipWidth && src[col] != 0) plot(px, py, src[col]);
        }
      }
    }
    pen += static_cast<float>(g->advance.x) / 64.0f + spacing_;
  }
  return pen;
}

}  // namespace os
