#include "tools/skingen/SkinFontRecipe.h"

#include <iterator>

namespace {

// Codes 0 and 1 are hairlines, 2 to 22 full cells, 23 to 31 narrower marks.
constexpr int kGeneva9ControlWidths[32] = {1, 1, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10,
                                           10, 10, 10, 10, 10, 10, 10, 7, 5, 7, 7, 7, 7, 7, 7, 7};

constexpr tagSkinFontAdvance kW4H9[] = {{".", 2}};
// A narrow sign and point: value displays hold "+10.0" in 24 pixels.
constexpr tagSkinFontAdvance kGeneva9[] = {{"0123456789", 6}, {"a", 5}, {"i", 3}, {"m", 8}, {"M", 8}, {" ", 3},
                                           {"+", 5}, {".", 2}};
constexpr tagSkinFontAdvance kGeneva10[] = {{"0123456789", 6}, {"W", 10}, {" ", 4}};
// A narrow hyphen: the LCD's 17-pixel number field holds "A-1".
constexpr tagSkinFontAdvance kHelvB11[] = {{"0123456789", 6}, {"A", 8}, {"M", 10}, {"N", 9}, {"W", 11},
                                          {"r", 5}, {" ", 3}, {"-", 4}};
constexpr tagSkinFontAdvance kHelvB11Shadow[] = {{"M", 8}, {"N", 7}, {"r", 4}};
constexpr tagSkinFontAdvance kArialB12[] = {{"0123456789", 7}, {"W", 14}, {"m", 11}};
constexpr tagSkinFontAdvance kMini5[] = {{"0123456789", 4}, {"ABCDEFGHJKLNOPQRSTUVXYZ", 4}, {"MW", 6}, {"i", 2}, {" ", 3}};

}  // namespace

const tagSkinFontRecipe SKIN_FONTS[] = {
    {"TextW4H9", "BMPFONTINFO_TextW4H9", "DejaVuSansMono.ttf", 8, 10, 10, 7, 5, nullptr, 5, 5, kW4H9,
     std::size(kW4H9), nullptr, eSkinFontStyle::Plain, 0, false},
    {"FontGeneva9", "BMPFONTINFO_Geneva9", "DejaVuSansCondensed.ttf", 9, 10, 8, 8, 0, kGeneva9ControlWidths, 2, 9, kGeneva9,
     std::size(kGeneva9), nullptr, eSkinFontStyle::Plain, 0, false},
    {"FontGeneva9ForControls", "BMPFONTINFO_Geneva9ForControls", "DejaVuSansCondensed.ttf", 9, 10, 10, 8, 0,
     kGeneva9ControlWidths, 2, 9, kGeneva9, std::size(kGeneva9), "FontGeneva9", eSkinFontStyle::Plain, 0, false},
    {"FontGeneva10", "BMPFONTINFO_Geneva10", "DejaVuSansCondensed.ttf", 10, 11, 9, 8, 10, nullptr, 2, 10, kGeneva10,
     std::size(kGeneva10), nullptr, eSkinFontStyle::Plain, 0, false},
    {"FontGeneva10ForLabel", "BMPFONTINFO_Geneva10ForLabel", "DejaVuSansCondensed.ttf", 10, 11, 9, 8, 10, nullptr, 2, 10,
     kGeneva10, std::size(kGeneva10), "FontGeneva10", eSkinFontStyle::LabelShadow, 0, false},
    {"FontHelvB11", "BMPFONTINFO_HelvB11", "DejaVuSansCondensed-Bold.ttf", 10, 12, 9, 9, 11, nullptr, 2, 11, kHelvB11,
     std::size(kHelvB11), nullptr, eSkinFontStyle::Plain, 0, false},
    {"FontHelvB11_Shadow", "BMPFONTINFO_HelvB11_Shadow", "DejaVuSansCondensed-Bold.ttf", 10, 12, 12, 9, 11, nullptr, 2, 11,
     kHelvB11Shadow, std::size(kHelvB11Shadow), "FontHelvB11", eSkinFontStyle::DropShadow, 11, false},
    {"FontArialB12", "BMPFONTINFO_ArialB12", "DejaVuSansCondensed-Bold.ttf", 11, 12, 10, 9, 12, nullptr, 2, 14, kArialB12,
     std::size(kArialB12), nullptr, eSkinFontStyle::Plain, 0, false},
    {"FontMiniMoji5", "BMPFONTINFO_MiniMoji5", "DejaVuSans.ttf", 7, 6, 6, 5, 4, nullptr, 2, 6, kMini5,
     std::size(kMini5), nullptr, eSkinFontStyle::Plain, 0, true},
};

const size_t SKIN_FONT_COUNT = std::size(SKIN_FONTS);
