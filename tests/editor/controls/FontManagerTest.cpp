#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/editor/controls/FontFixture.h"
#include "hfc/CHfcBmp.h"
#include "hfc/CHfcOffscreenContext.h"

namespace {

using FontManagerTest = FontFixture;

TEST_F(FontManagerTest, NamesAndRoles) {
  EXPECT_EQ(Font("FontGeneva9"), Font(FontManager::FontName_ParamValue));
  EXPECT_EQ(Font("FontHelvB11"), Font(FontManager::FontName_ParamLabel));
  EXPECT_EQ(Font("FontArialB12"), Font(FontManager::FontName_CategoryLabel));
  EXPECT_NE(Font("FontGeneva9"), nullptr);
  EXPECT_EQ(Font("fontgeneva9"), nullptr);
  EXPECT_EQ(Font(""), nullptr);
}

TEST_F(FontManagerTest, EveryFontHasItsGeometryAndAPictureThatFitsIt) {
  struct Case {
    const char* name;
    int cellHeight, textHeight, minWidth, maxWidth;
  };
  const Case cases[] = {
      {"TextW4H9", 10, 10, 2, 5},          {"FontGeneva9", 10, 8, 2, 9},    {"FontGeneva9ForControls", 10, 10, 2, 9},
      {"FontGeneva10", 11, 9, 2, 10},      {"FontGeneva10ForLabel", 11, 9, 2, 10},
      {"FontHelvB11", 12, 9, 2, 11},       {"FontHelvB11_Shadow", 12, 12, 11, 11},
      {"FontArialB12", 12, 10, 2, 14},     {"FontMiniMoji5", 6, 6, 2, 6},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    tagHfcBmpFontInfo* font = Font(c.name);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->cellHeight, c.cellHeight);
    EXPECT_EQ(font->textHeight, c.textHeight);
    ASSERT_NE(font->bmp, nullptr);
    EXPECT_EQ(font->bmp->GetHeight(), 128 * c.cellHeight);
    for (int code = 32; code < 127; ++code) {
      EXPECT_GE(font->width[code], c.minWidth) << code;
      EXPECT_LE(font->width[code], c.maxWidth) << code;
      EXPECT_LE(font->width[code], font->bmp->GetWidth()) << code;
      if (std::string(c.name) != "FontHelvB11_Shadow") {
        EXPECT_EQ(font->width[code], font->advance[code]) << code;
      }
    }
  }
}

TEST_F(FontManagerTest, TheMeasuresTheLayoutReliesOn) {
  struct Case {
    const char* font;
    const char* text;
    int width;
  };
  const Case cases[] = {
      {"FontGeneva9", "10", 12},   {"FontArialB12", "10", 14},   {"TextW4H9", "10", 10},
      {"TextW4H9", ".", 2},        {"TextW4H9", "W", 5},         {"FontHelvB11", "MN", 19},
      {"FontHelvB11_Shadow", "MN", 15}, {"FontGeneva9", "a", 5}, {"FontGeneva9", "i", 3},
      {"FontGeneva9", "m", 8},     {"FontGeneva9", "M", 8},      {"FontGeneva9", " ", 3},
      {"FontGeneva9ForControls", "10am", 25}, {"FontGeneva10", "0W ", 20},
      {"FontGeneva10ForLabel", "0W ", 20},    {"FontHelvB11", "0AMW ", 6 + 8 + 10 + 11 + 3},
      {"FontHelvB11", "r", 5},     {"FontHelvB11_Shadow", "r", 4},
      {"FontArialB12", "Wm", 25},  {"FontMiniMoji5", "0AMWi", 4 + 4 + 6 + 6 + 2},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(HfcGetBmpTextWidth(Font(c.font), c.text), c.width) << c.font << " \"" << c.text << "\"";
  }
}

TEST_F(FontManagerTest, ControlCodesAndSharedTables) {
  tagHfcBmpFontInfo* geneva9 = Font("FontGeneva9");
  const int expected[32] = {1, 1, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10,
                            10, 10, 10, 10, 10, 10, 10, 7, 5, 7, 7, 7, 7, 7, 7, 7};
  for (int code = 0; code < 32; ++code) EXPECT_EQ(geneva9->width[code], expected[code]) << code;
  struct Cell {
    const char* font;
    int width;
  };
  for (const Cell& c : {Cell{"TextW4H9", 5}, {"FontGeneva10", 10}, {"FontHelvB11", 11}, {"FontArialB12", 12},
                        {"FontMiniMoji5", 4}}) {
    for (int code = 0; code < 32; ++code) EXPECT_EQ(Font(c.font)->advance[code], c.width) << c.font << " " << code;
  }
  auto sameTables = [](tagHfcBmpFontInfo* a, tagHfcBmpFontInfo* b) {
    return std::equal(std::begin(a->width), std::end(a->width), std::begin(b->width)) &&
           std::equal(std::begin(a->advance), std::end(a->advance), std::begin(b->advance));
  };
  EXPECT_TRUE(sameTables(geneva9, Font("FontGeneva9ForControls")));
  EXPECT_TRUE(sameTables(Font("FontGeneva10"), Font("FontGeneva10ForLabel")));
  tagHfcBmpFontInfo* helv = Font("FontHelvB11");
  tagHfcBmpFontInfo* shadow = Font("FontHelvB11_Shadow");
  for (int code = 0; code < 128; ++code) {
    EXPECT_EQ(shadow->width[code], 11);
    if (code != 'M' && code != 'N' && code != 'r') {
      EXPECT_EQ(shadow->advance[code], helv->advance[code]) << code;
    }
  }
}

TEST_F(FontManagerTest, RestartBindsFreshPictures) {
  tagHfcBmpFontInfo* font = Font("FontGeneva9");
  FontManager::Uninitialize();
  ResourceManager::Uninitialize();
  EXPECT_EQ(FontManager::mInstance, nullptr);
  ASSERT_TRUE(ResourceManager::Initialize());
  ASSERT_TRUE(FontManager::Initialize());
  EXPECT_EQ(Font("FontGeneva9"), font);
  EXPECT_EQ(font->bmp, ResourceManager::GetInstance()->LoadImage("FontGeneva9"));
}

TEST_F(FontManagerTest, FontsWhosePictureIsMissingAreMeasuredButNotDrawn) {
  FontManager::Uninitialize();
  ResourceManager::Uninitialize();
  const std::filesystem::path empty = std::filesystem::temp_directory_path() / ("vesk-nofonts-" + std::to_string(::getpid()));
  std::filesystem::create_directories(empty);
  setenv("VESK_RESOURCE_DIR", empty.c_str(), 1);
  ASSERT_TRUE(ResourceManager::Initialize());
  ASSERT_TRUE(FontManager::Initialize());
  unsetenv("VESK_RESOURCE_DIR");
  tagHfcBmpFontInfo* font = Font("FontGeneva9");
  ASSERT_NE(font, nullptr);
  EXPECT_EQ(font->bmp, nullptr);
  EXPECT_EQ(HfcGetBmpTextWidth(font, "10"), 12);
  CHfcOffscreenContext dc(40, 10);
  dc.DrawBmpTextProportional(0, 0, "10", 40, font, 0xFFFFFFFF, false);
  for (int x = 0; x < 40; ++x) EXPECT_EQ(dc.GetBmp()->GetPixel(x, 5), 0u);
  std::filesystem::remove_all(empty);
}

}  // namespace
