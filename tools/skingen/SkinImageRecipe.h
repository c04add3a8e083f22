#pragma once
// The skin pictures the generator draws, besides the fonts: film strips of
// frames stacked vertically, frame k starting at row k * height / frames.
#include <vector>

class CHfcDrawContext;

struct tagSkinImageRecipe {
  const char* name;  // skin name; the file is "<name>.png"
  int width;
  int height;        // of the whole strip
  int frames;
  // Draws frame `frame` into the rectangle (0, top, width, frameHeight).
  void (*paint)(CHfcDrawContext& dc, int frame, int top, int width, int frameHeight);
};

const std::vector<tagSkinImageRecipe>& SkinImages();
