#include "tools/skingen/SkinImageSpec.h"

#include "hfc/CHfcDrawContext.h"

// The controls' skins join this list with the sizes and frame counts their
// creation records state.
const std::vector<tagSkinImageSpec>& SkinImages() {
  static const std::vector<tagSkinImageSpec> images{};
  return images;
}
