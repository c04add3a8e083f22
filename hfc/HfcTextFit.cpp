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

namespace {

bool IsCut(const std::string& shown) { return shown.size() >= 1 && shown.back() == '.' && shown.find("..") != std::string::npos; }

// What a cut text still shows of its beginning.
std::string Kept(const std::string& shown) {
  const size_t dots = shown.find_last_not_of('.');
  return dots == std::string::npos ? "" : shown.substr(0, dots + 1);
}

bool ReadsLikeAnother(const std::vector<std::string>& items, const std::vector<std::string>& shown, size_t i) {
  for (size_t j = 0; j < items.size(); ++j) {
    if (j == i || items[j] == items[i]) continue;
    if (shown[j] == shown[i]) return true;
    if (IsCut(shown[i]) && items[j].compare(0, Kept(shown[i]).size(), Kept(shown[i])) == 0) return true;
  }
  return false;
}

std::string Initials(const std::string& text) {
  std::string out;
  bool start = true;
  for (char c : text) {
    if (c == ' ') {
      start = true;
    } else if (start) {
      out += c;
      start = false;
    }
  }
  return out;
}

}  // namespace

std::string HfcFitBmpTextApart(tagHfcBmpFontInfo* font, const std::vector<std::string>& items, size_t index,
                               int width) {
  if (index >= items.size()) return "";
  std::vector<std::string> shown;
  shown.reserve(items.size());
  for (const std::string& t : items) shown.push_back(HfcFitBmpText(font, t, width));
  bool alike = false;
  for (size_t i = 0; i < items.size() && !alike; ++i) alike = ReadsLikeAnother(items, shown, i);
  if (!alike) return shown[index];
  std::vector<std::string> shorter = shown;
  for (size_t i = 0; i < items.size(); ++i) {
    const std::string initials = Initials(items[i]);
    if (shown[i] != items[i] && initials.size() > 1 && HfcGetBmpTextInkWidth(font, initials) <= width)
      shorter[i] = initials;
  }
  return ReadsLikeAnother(items, shorter, index) ? shown[index] : shorter[index];
}

void HfcSetTextProbe(IHfcTextProbe* probe) { gProbe = probe; }
IHfcTextProbe* HfcGetTextProbe() { return gProbe; }
