#include "editor/controls/UI_FORM_Utils.h"

#include <cstring>

#include "editor/controls/FontManager.h"
#include "editor/controls/ResourceManager.h"

namespace UI_FORM_Utils {

std::map<std::string, int> gClassName2IntMap;

namespace {

void FillClassNames() {
  static const struct {
    const char* name;
    int number;
  } kNames[] = {
      {"text", 0},          {"checkbox", 11},     {"edittext", 12},    {"popupmenu", 13},
      {"valuebar", 14},     {"valuebar2", 15},    {"knob", 16},        {"knob2", 17},
      {"push", 18},         {"keytrk", 19},       {"velozone", 20},    {"bmp", 21},
      {"splitbarM", 22},    {"splitbarS", 23},    {"sndsel", 24},      {"sndselLL", 26},
      {"sndselLLNUM", 27},  {"drmsndsel", 28},    {"drmpatsel", 29},   {"audriffsel", 30},
      {"exctrlsel", 31},    {"paramsel", 32},     {"paramselSS", 33},  {"paramselS", 34},
      {"paramselL", 35},    {"paramselLL", 36},   {"paramselNL", 37},  {"paramselAMS", 38},
      {"progselect", 39},   {"progselectL", 40},
  };
  for (const auto& n : kNames) gClassName2IntMap[n.name] = n.number;
}

bool Same(const char* a, const char* b) { return a != nullptr && std::strcmp(a, b) == 0; }

}  // namespace

int GetItemClassInt(const UI_FORMINFO& item) {
  if (gClassName2IntMap.empty()) FillClassNames();
  if (item.className == nullptr) return -1;
  const auto it = gClassName2IntMap.find(item.className);
  return it == gClassName2IntMap.end() ? -1 : it->second;
}

bool IsControlClass(int classNumber) { return classNumber > 10; }

int GetLabelStyle(const UI_FORMINFO& item) {
  if (Same(item.fontOrImage, FontManager::FontName_CategoryLabel)) return 1;
  if (Same(item.fontOrImage, FontManager::FontName_ParamLabel)) return 2;
  return 0;
}

int GetDropdownTypeByWidth(int width) {
  if (width >= 154) return 0;
  if (width >= 128) return 1;
  if (width >= 115) return 2;
  if (width >= 96) return 4;
  if (width >= 80) return 5;
  if (width >= 65) return 6;
  if (width >= 40) return 7;
  if (width >= 31) return 9;
  return -1;
}

stTextDrawInfo CreateDrawTextInfo(const UI_FORMINFO& item) {
  stTextDrawInfo info;
  info.itemId = item.id;
  info.x = item.x;
  info.y = item.y;
  info.width = item.width;
  info.text = item.text ? item.text : "";
  const std::string name = item.fontOrImage ? item.fontOrImage : "";
  if (FontManager::mInstance) info.font = FontManager::mInstance->GetBmpFontInfo(name);
  if (!info.font && ResourceManager::GetInstance()) info.picture = ResourceManager::GetInstance()->LoadImage(name);
  return info;
}

}  // namespace UI_FORM_Utils
