#include "editor/controls/FontManager.h"

#include <algorithm>
#include <iterator>

#include "editor/controls/BmpFontRecords.h"
#include "hfc/HfcCountedInstance.h"
#include "editor/controls/ResourceManager.h"
#include "hfc/CHfcBmp.h"

const char* const FontManager::FontName_W4H9 = "TextW4H9";
const char* const FontManager::FontName_Geneva9 = "FontGeneva9";
const char* const FontManager::FontName_Geneva9_for_Controls = "FontGeneva9ForControls";
const char* const FontManager::FontName_Geneva10 = "FontGeneva10";
const char* const FontManager::FontName_Geneva10_for_Label = "FontGeneva10ForLabel";
const char* const FontManager::FontName_HelvB11 = "FontHelvB11";
const char* const FontManager::FontName_HelvB11_Shadow = "FontHelvB11_Shadow";
const char* const FontManager::FontName_ArialB12 = "FontArialB12";
const char* const FontManager::FontName_Mini5 = "FontMiniMoji5";
const char* const FontManager::FontName_CategoryLabel = "FontArialB12";
const char* const FontManager::FontName_ParamLabel = "FontHelvB11";
const char* const FontManager::FontName_ParamValue = "FontGeneva9";

FontManager* FontManager::mInstance = nullptr;
int FontManager::mRefCounter = 0;

namespace {

struct FontEntry {
  const char* const* name;
  tagHfcBmpFontInfo* record;
};

const FontEntry kFonts[] = {
    {&FontManager::FontName_W4H9, &BMPFONTINFO_TextW4H9},
    {&FontManager::FontName_Geneva9, &BMPFONTINFO_Geneva9},
    {&FontManager::FontName_Geneva9_for_Controls, &BMPFONTINFO_Geneva9ForControls},
    {&FontManager::FontName_Geneva10, &BMPFONTINFO_Geneva10},
    {&FontManager::FontName_Geneva10_for_Label, &BMPFONTINFO_Geneva10ForLabel},
    {&FontManager::FontName_HelvB11, &BMPFONTINFO_HelvB11},
    {&FontManager::FontName_HelvB11_Shadow, &BMPFONTINFO_HelvB11_Shadow},
    {&FontManager::FontName_ArialB12, &BMPFONTINFO_ArialB12},
    {&FontManager::FontName_Mini5, &BMPFONTINFO_MiniMoji5},
};

// A picture can only serve a record whose 128 cells and widest glyph it
// holds; drawing reads the cells without further checks.
bool PictureFits(const CHfcBmp* bmp, const tagHfcBmpFontInfo& font) {
  if (bmp == nullptr || font.cellHeight <= 0 || bmp->GetHeight() / 128 < font.cellHeight) {
    return false;
  }
  return *std::max_element(std::begin(font.width), std::end(font.width)) <= bmp->GetWidth();
}

}  // namespace

bool FontManager::Initialize() {
  return HfcCountedStart(mInstance, mRefCounter, [] { return new FontManager; });
}

void FontManager::Uninitialize() {
  HfcCountedStop(mInstance, mRefCounter);
}

FontManager::FontManager() {
  ResourceManager* images = ResourceManager::GetInstance();
  for (const FontEntry& entry : kFonts) {
    CHfcBmp* bmp = images != nullptr ? images->LoadImage(*entry.name) : nullptr;
    // A missing or unfit picture leaves the font registered without one;
    // text in it is then measured but not drawn.
    entry.record->bmp = PictureFits(bmp, *entry.record) ? bmp : nullptr;
    mFonts[*entry.name] = entry.record;
  }
}

tagHfcBmpFontInfo* FontManager::GetBmpFontInfo(const std::string& name) {
  auto it = mFonts.find(name);
  return it != mFonts.end() ? it->second : nullptr;
}
