#include <algorithm>
#include <cstring>

#include "tools/skingen/SkinImageRecipe.h"

namespace {

std::vector<tagSkinImageRecipe>& Registered() {
  static std::vector<tagSkinImageRecipe> all;
  return all;
}

}  // namespace

SkinImageGroup::SkinImageGroup(std::vector<tagSkinImageRecipe> (*make)()) {
  std::vector<tagSkinImageRecipe> group = make();
  Registered().insert(Registered().end(), group.begin(), group.end());
}

const std::vector<tagSkinImageRecipe>& SkinImages() {
  static const std::vector<tagSkinImageRecipe> sorted = [] {
    std::vector<tagSkinImageRecipe> all = Registered();
    std::sort(all.begin(), all.end(), [](const tagSkinImageRecipe& a, const tagSkinImageRecipe& b) {
      return std::strcmp(a.name, b.name) < 0;
    });
    return all;
  }();
  return sorted;
}
