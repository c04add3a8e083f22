#pragma once
// The skin pictures the generator draws, besides the fonts: film strips of
// frames stacked vertically, frame k starting at row k * height / frames.
#include <string>
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

// Each recipe file registers its group of skins with a file-scope
// `SkinImageGroup`, so a new group of controls adds a file, not a line in a
// shared list. The generator is an executable, so every group is linked.
class SkinImageGroup {
 public:
  explicit SkinImageGroup(std::vector<tagSkinImageRecipe> (*make)());
};

// A text that a recipe prints into its picture but that does not fit the
// room the picture gives it: the generator fails with every such fault
// once all pictures are drawn.
void SkinTextTooWide(const char* picture, const char* text, float width, int room);
const std::vector<std::string>& SkinTextFaults();

// Every registered recipe, in name order (so the output never depends on
// the link order); the generator refuses two recipes of one name.
const std::vector<tagSkinImageRecipe>& SkinImages();
