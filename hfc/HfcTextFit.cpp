#include "hfc/HfcTextFit.h"

#include <algorithm>
#include <array>
#include <map>
#include <utility>

#include "hfc/CHfcBmp.h"
#include "hfc/CHfcDrawContext.h"

namespace {

IHfcTextProbe* gProbe = nullptr;

// For each code, the columns of its cell up to its last inked one; the
// glyph pictures do not change while a font is registered.
const std::array<int, 128>& InkColumns(tagHfcBmpFontInfo* font) {
  static std::map<std::pair<const tagHfcBmpFontInfo*, const CHfcBmp*>, std::array<int, 128>> cache;
  auto [it, added] = cache.try_emplace({font, font->bmp});
  std::array<int, 128>& ink = it->second;
  if (!added) return ink;
  CHfcBmp* bmp = font->bmp;
  const bool readable = bmp && font->cellHeight > 0 && bmp->GetHeight() / 128 >= font->cellHeight;
  for (int c = 0; c < 128; ++c) {
    const int columns = std::min(font->width[c], readable ? bmp->GetWidth() : 0);
    ink[c] = readable ? 0 : font->advance[c];
    for (int x = columns - 1; readable && x >= 0 && ink[c] == 0; --x)
      for (int y = 0; y < font->cellHeight; ++y)
        if (bmp->GetPixel(x, c * font->cellHeight + y) >> 24) {
          ink[c] = x + 1;
          break;
        }
  }
  return ink;
}

}  // namespace

int HfcGetBmpTextInkWidth(tagHfcBmpFontInfo* font, const std::string& text) {
  if (font == nullptr) return 0;
  const std::array<int, 128>& ink = InkColumns(font);
  int pen = 0;
  int right = 0;
  for (char ch : text) {
    const int c = HfcBmpFontCode(ch);
    if (ink[c] > 0) right = std::max(right, pen + ink[c]);
    pen += font->advance[c];
  }
  return right;
}

std::string HfcFitBmpText(tagHfcBmpFontInfo* font, const std::string& text, int width) {
  if (HfcGetBmpTextInkWidth(font, text) <= width) return text;
  std::string dots = "...";
  while (!dots.empty() && HfcGetBmpTextInkWidth(font, dots) > width) dots.pop_back();
  const int room = width - HfcGetBmpTextWidth(font, dots.c_str());
  std::string cut = text;
  while (!cut.empty() && HfcGetBmpTextWidth(font, cut.c_str()) > room) cut.pop_back();
  // A cut that ends in spaces would leave a gap before the dots.
  while (!cut.empty() && cut.back() == ' ') cut.pop_back();
  return cut + dots;
}

void HfcSetTextProbe(IHfcTextProbe* probe) { gProbe = probe; }
IHfcTextProbe* HfcGetTextProbe() { return gProbe; }
