#pragma once
// Anti-aliased text in a system font (see SystemFonts.h), rendered as
// coverage that the caller blends in its own colour. Faces are loaded once
// per process and shared.
#include <cstddef>
#include <cstdint>
#include <functional>

namespace os {

class TextRenderer {
 public:
  // coverage 1..255 of pixel (x, y); only pixels inside the clip are given.
  using CoverageFn = std::function<void(int x, int y, uint8_t coverage)>;

  // Selects the face for the font name and the size in pixels.
  void SetFont(const char* name, float size);
  void SetSize(float size) { size_ = size; }
  // Extra space after every character, in pixels.
  void SetSpacing(float spacing) { spacing_ = spacing; }
  float Size() const { return size_; }
  bool HasFont() const { return file_ != nullptr; }

  // Draws length bytes of Mac Roman text whose baseline starts at (x, y),
  // y growing downwards, clipped to 0 <= x < clipWidth, 0 <= y < clipHeight.
  // Returns the pen position after the text; x unchanged when no font is
  // selected or the face cannot be loaded.
  float Draw(float x, float y, const char* text, size_t length, int clipWidth, int clipHeight,
             const CoverageFn& plot) const;

  // The folder the font files are read from.
  static const char* FontDirectory();

 private:
  const char* file_ = nullptr;
  float size_ = 12.0f;
  float spacing_ = 0.0f;
};

}  // namespace os
