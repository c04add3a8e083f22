#pragma once
// The style tables of the control factory: which skin, font, colour and
// layout each box size, bar style, drop-down type, selector width and label
// style gets. Kept as data so that a page's look is decided in one place.
#include <cstdint>

namespace XEControlCreaterTables {

struct tagLabelStyle {
  const char* font;
  uint32_t colour;
};

struct tagTextEditBox {
  int32_t width;  // the box asked for
  int32_t height;
  const char* skin;
  int32_t usedWidth;  // the field's width before its focus margin
  int32_t chars;      // characters of the short form
  const char* font;
};

struct tagValueBarStyle {
  int32_t style;  // the bar's width in pixels as pages ask for it
  const char* back;
  const char* bar;
  int32_t barWidth;
  int32_t barHeight;  // 0: the bar picture's
  int32_t chars;      // 0: no display
  int32_t dispX;
};

struct tagDropdownType {
  const char* skin;
  const char* font;
  uint32_t colour;
  int32_t frames;  // the frame height is the skin's height / frames
  int32_t hAlign;
  int32_t hMargin;
  int32_t rightReserve;
};

struct tagSelectorStyle {
  const char* skin;
  const char* font;
  int32_t textX;
  int32_t nameOnly;
};

struct tagDropdownSwitchStyle {
  const char* skin;
  uint32_t colour;
};

// Labels of a style above the table are grey, in the value font.
inline constexpr uint32_t kUnknownLabelColour = 0xFF909090u;

extern const tagLabelStyle kLabelStyles[8];
extern const tagTextEditBox kTextEditBoxes[10];
extern const tagValueBarStyle kValueBarStyles[8];
extern const tagDropdownType kDropdownTypes[17];
extern const tagSelectorStyle kSelectorStyles[15];
extern const tagDropdownSwitchStyle kDropdownSwitchStyles[3];

// Skins named outside the tables.
extern const char* const kFixedSkins[];
extern const int kFixedSkinCount;

const tagTextEditBox* FindTextEditBox(int width, int height);
const tagValueBarStyle* FindValueBarStyle(int style);

}  // namespace XEControlCreaterTables
