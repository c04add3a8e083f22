#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "editor/controls/ResourceManager.h"
#include "hfc/CHfcBmp.h"
#include "hfc/HfcResourceDir.h"
#include "platform/HfcBundle.h"
#include "tests/support/PngTestFile.h"

namespace {

namespace fs = std::filesystem;

class ResourceManagerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("vesk-skins-" + std::to_string(::getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
    setenv("VESK_RESOURCE_DIR", dir_.c_str(), 1);
    WriteSkin("Knob_Meter", 4, 8);
  }
  void TearDown() override {
    while (ResourceManager::GetInstance() != nullptr) ResourceManager::Uninitialize();
    unsetenv("VESK_RESOURCE_DIR");
    fs::remove_all(dir_);
  }
  void WriteSkin(const std::string& name, int width, int height) {
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height, 0xFF405060);
    ASSERT_TRUE(vesk::test::WriteArgbPng((dir_ / (name + ".png")).string(), pixels.data(), width, height));
  }
  fs::path dir_;
};

TEST_F(ResourceManagerTest, DecodesEachNameOnceAndSharesIt) {
  ASSERT_TRUE(ResourceManager::Initialize());
  ResourceManager* cache = ResourceManager::GetInstance();
  EXPECT_EQ(HfcGetResourceDir(), dir_.string());
  CHfcBmp* first = cache->LoadImage("Knob_Meter");
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->GetWidth(), 4);
  EXPECT_EQ(first->GetHeight(), 8);
  // The file is not read again: even without it the cached picture comes back.
  fs::remove(dir_ / "Knob_Meter.png");
  EXPECT_EQ(cache->LoadImage("Knob_Meter"), first);
  EXPECT_EQ(cache->LoadImage(""), nullptr);
}

TEST_F(ResourceManagerTest, MissingImagesAreRetriedAndUnloadedOnesReloaded) {
  ASSERT_TRUE(ResourceManager::Initialize());
  ResourceManager* cache = ResourceManager::GetInstance();
  EXPECT_EQ(cache->LoadImage("Switch_CheckBox"), nullptr);
  EXPECT_EQ(cache->LoadImage("Switch_CheckBox"), nullptr);
  WriteSkin("Switch_CheckBox", 13, 26);
  CHfcBmp* loaded = cache->LoadImage("Switch_CheckBox");
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(loaded->GetHeight(), 26);

  cache->UnloadImage("Not_Cached");
  cache->UnloadImage("Switch_CheckBox");
  WriteSkin("Switch_CheckBox", 13, 39);
  CHfcBmp* again = cache->LoadImage("Switch_CheckBox");
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(again->GetHeight(), 39);  // read from the file anew

  cache->UnloadAllImages();
  WriteSkin("Knob_Meter", 6, 6);
  ASSERT_NE(cache->LoadImage("Knob_Meter"), nullptr);
  EXPECT_EQ(cache->LoadImage("Knob_Meter")->GetWidth(), 6);
}

TEST_F(ResourceManagerTest, StartsAndStopsByCount) {
  EXPECT_EQ(ResourceManager::GetInstance(), nullptr);
  ResourceManager::Uninitialize();  // not started: nothing happens
  ASSERT_TRUE(ResourceManager::Initialize());
  ResourceManager* cache = ResourceManager::GetInstance();
  ASSERT_TRUE(ResourceManager::Initialize());
  EXPECT_EQ(ResourceManager::GetInstance(), cache);
  ASSERT_NE(cache->LoadImage("Knob_Meter"), nullptr);
  ResourceManager::Uninitialize();
  EXPECT_EQ(ResourceManager::GetInstance(), cache);
  ResourceManager::Uninitialize();
  EXPECT_EQ(ResourceManager::GetInstance(), nullptr);
  ResourceManager::Uninitialize();
  EXPECT_EQ(ResourceManager::GetInstance(), nullptr);
  // The resource folder stays set after the stop.
  EXPECT_EQ(HfcGetResourceDir(), dir_.string());
}

}  // namespace

namespace {

// Without an override the skins come from the plug-in's bundle once it is
// set, and from the build's own folder before that.
TEST_F(ResourceManagerTest, TheBundleResourcesServeWhenNothingOverridesThem) {
  unsetenv("VESK_RESOURCE_DIR");
  const fs::path bundle = dir_ / "Vesk.vst";
  const std::string resources = (bundle / "Contents" / "Resources").string();
  const std::string built = ResourceManager::DefaultResourceDir();
  EXPECT_NE(built, resources);
  EXPECT_FALSE(built.empty());

  fs::create_directories(bundle / "Contents" / "Resources");
  HfcBundleRef b = os::Bundle::Create(bundle.string());
  ASSERT_NE(b, nullptr);
  HfcMacSetBundle(b);
  b->Release();
  EXPECT_EQ(ResourceManager::DefaultResourceDir(), resources);
  HfcMacSetBundle(nullptr);
  EXPECT_EQ(ResourceManager::DefaultResourceDir(), built);
}

}  // namespace
