#pragma once
// The image cache and the font registry started on the generated skins.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "editor/controls/FontManager.h"
#include "editor/controls/ResourceManager.h"

class FontFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    unsetenv("VESK_RESOURCE_DIR");
    ASSERT_TRUE(ResourceManager::Initialize());
    ASSERT_TRUE(FontManager::Initialize());
  }
  void TearDown() override {
    while (FontManager::mInstance != nullptr) FontManager::Uninitialize();
    while (ResourceManager::GetInstance() != nullptr) ResourceManager::Uninitialize();
  }
  static tagHfcBmpFontInfo* Font(const std::string& name) { return FontManager::mInstance->GetBmpFontInfo(name); }
};
