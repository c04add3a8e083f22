#include <algorithm>
#include <cstring>
#include <string>

#include "tools/skingen/SkinImageRecipe.h"

namespace {

std::vector<tagSkinImageRecipe>& Registered() {
  static std::vector<tagSkinImageRecipe> all;
  return all;
}

std::vector<std::string>& TextFaults() {
  static std::vector<std::string> faults;
  return faults;
}

}  // namespace

void SkinTextTooWide(const char* picture, const char* text, float width, int room) {
  TextFaults().push_back(std::string(picture) + ": \"" + text + "\" is " + std::to_string(width) +
                         " pixels wide, its room " + std::to_string(room));
}

const std::vector<std::string>& SkinTextFaults() { return TextFaults(); }

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
