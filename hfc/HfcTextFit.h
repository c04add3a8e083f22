#pragma once
// Texts that must stay inside a box: a text wider than its box is cut to
// what fits, followed by "...", so that nothing is drawn past the box and a
// reader still sees that something is missing. A probe, when one is set,
// hears of every boxed text before it is fitted (the layout checks use it
// to find texts their boxes cannot hold).
#include <cstdint>
#include <string>
#include <vector>

#include "hfc/HfcBmpFontInfo.h"

// Columns from the text's start to the right edge of its last inked
// column: the advance of the last character counts only as far as its
// glyph is drawn (a digit's advance ends in a blank column).
int HfcGetBmpTextInkWidth(tagHfcBmpFontInfo* font, const std::string& text);

// The text when its ink fits in width pixels, else its longest beginning that
// fits with "..." after it (only dots, or nothing, in a box too narrow for
// those).
std::string HfcFitBmpText(tagHfcBmpFontInfo* font, const std::string& text, int width);

// Item `index` of a list fitted to width so that it is still told apart
// from the other items: the plain fit, unless in that fit some item reads
// like another (the same text shown, or a cut whose beginning another
// item also starts with, "Mon..." beside "Mono"); then every item of
// several words that does not fit shows its words' initials ("BP", "BR").
std::string HfcFitBmpTextApart(tagHfcBmpFontInfo* font, const std::vector<std::string>& items, size_t index,
                               int width);

struct tagHfcBoxedText {
  std::string text;  // as given, before fitting
  int x;             // left of the box, in the drawing context's pixels
  int y;
  int width;         // of the box
  tagHfcBmpFontInfo* font;
  uint32_t colour;   // ARGB the text is drawn in
};

class IHfcTextProbe {
 public:
  virtual ~IHfcTextProbe() = default;
  virtual void OnBoxedText(const tagHfcBoxedText& text) = 0;
};

// Main thread only; null removes the probe.
void HfcSetTextProbe(IHfcTextProbe* probe);
IHfcTextProbe* HfcGetTextProbe();
