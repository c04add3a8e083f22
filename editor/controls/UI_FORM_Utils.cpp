#include "editor/controls/UI_FORM_Utils.h"

#include <cstring>

#include "editor/controls/FontManager.h"
#include "editor/controls/ResourceManager.h"
#include "editor/controls/XEControlCreater.h"
#include "editor/controls/XEDropdownList.h"
#include "editor/controls/XESoundSelector.h"
#include "editor/controls/XESplitKeyBar.h"
#include "editor/controls/XEStaticBmp.h"
#include "editor/controls/XEStaticText.h"
#include "editor/controls/CXBCtrlHorizontalValueBar.h"
#include "editor/controls/CXBCtrlKeyTrkGraph.h"
#include "editor/controls/CXBCtrlVeloZoneGraph.h"
#include "editor/controls/XEKnob.h"
#include "hfc/CHfcCtrlCharEditText.h"
#include "hfc/CHfcCtrlSwitch.h"

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

const char* Str(const char* s) { return s ? s : ""; }

// The selector classes: kind of selection and width style.
struct Selector {
  int number, kind, widthStyle;
};
const Selector kSelectors[] = {
    {24, 3, 4},  {26, 3, 7},  {27, 3, 6},  {30, 5, 8},  {32, 6, 13}, {33, 6, 1}, {34, 6, 2},
    {35, 6, 5},  {36, 6, 8},  {37, 6, 14}, {38, 7, 13}, {39, 4, 5},  {40, 4, 8},
};

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

CHfcControl* CreateControl(XEControlCreater* f, const UI_FORMINFO& item, CHfcBmp*) {
  if (!f) return nullptr;
  const int number = GetItemClassInt(item);
  const int x = item.x;
  const int y = item.y;
  const int w = item.width;
  const int h = item.height;
  const int id = item.paramId;
  switch (number) {
    case 0:
      return f->CreateLabel(x, y, Str(item.text), w, h, GetLabelStyle(item), 0, 1, id);
    case 11:
      return f->CreateCheckBox(x, y, id, 0);
    case 12:
      return f->CreateTextEdit(x, y, w, h, id, false);
    case 13: {
      const int type = GetDropdownTypeByWidth(w);
      return type < 0 ? nullptr : f->CreateDropdownList(x, y, type, id);
    }
    case 14:
    case 15:
      // The width is the bar's style.
      return f->CreateHorizontalValueBar(x, y, w, 0, 100, 0, id, number == 15);
    case 16:
    case 17:
      return f->CreateKnob(x, y, 0, 100, 0, false, 3, id, number == 17);
    case 18:
      return f->CreateSwitch(x, y, Str(item.fontOrImage), 2, id, 0);
    case 19:
      // The width carries the graph's kind.
      return f->CreateKeyTrkGraph(x, y, w, id);
    case 20:
      return f->CreateVeloZoneGraph(x, y, id);
    case 21:
      return f->CreateStaticBmp(x, y, w, h, Str(item.fontOrImage), id);
    case 22:
    case 23:
      return f->CreateSplitKeyBar(x, y, id, number == 22 ? 0 : 1);
    default:
      break;
  }
  for (const Selector& s : kSelectors)
    if (s.number == number) return f->CreateSoundSelector(x, y, s.kind, s.widthStyle, id, 0);
  return nullptr;
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
