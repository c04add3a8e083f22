#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdint>
#include <cstring>
#include <regex>
#include <string>

#include "os/Alert.h"
#include "platform/HfcSystem.h"
#include "tests/support/TempDir.h"

namespace {

using vesk::test::ScopedEnv;
using vesk::test::TempDir;

TEST(HfcGeometry, PointsRectsAndTheirScreenForms) {
  tagHfcPoint a, b;
  HfcSetPoint(&a, 3, -4);
  HfcSetPoint(&b, 10, 20);
  HfcAddPoint(&a, &b);  // the second point moves
  EXPECT_EQ(b.x, 13);
  EXPECT_EQ(b.y, 16);
  HfcSubPoint(&a, &b);
  tagHfcPoint want{10, 20};
  EXPECT_TRUE(HfcEqualPoint(&b, &want));
  EXPECT_FALSE(HfcEqualPoint(&a, &want));

  Point mp;
  tagHfcPoint big{70000, -2};
  HfcPoint2MacPoint(&mp, &big);
  EXPECT_EQ(mp.h, static_cast<int16_t>(70000));
  EXPECT_EQ(mp.v, -2);
  MacPoint2HfcPoint(&a, &mp);
  EXPECT_EQ(a.y, -2);

  tagHfcRect r, s;
  EXPECT_EQ(HfcSetRect(&r, 10, 20, 30, 60), &r);
  HfcSetRect(&s, 0, 25, 15, 100);
  HfcUnionRect(&r, &r, &s);  // out may be an input
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.top, 20);
  EXPECT_EQ(r.right, 30);
  EXPECT_EQ(r.bottom, 100);
  EXPECT_EQ(HfcGetRectWidth(&r), 30);
  EXPECT_EQ(HfcGetRectHeight(&r), 80);
  Rect mr;
  HfcRect2MacRect(&mr, &r);
  EXPECT_EQ(mr.top, 20);
  EXPECT_EQ(mr.right, 30);
  tagHfcRect back;
  MacRect2HfcRect(&back, &mr);
  EXPECT_EQ(std::memcmp(&back, &r, sizeof r), 0);
}

TEST(HfcByteOrder, Swap32) {
  unsigned char w[12] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
  HfcSwap32(w);
  EXPECT_EQ(w[0], 4);
  EXPECT_EQ(w[3], 1);
  HfcSwap32Array(w + 4, 0);
  EXPECT_EQ(w[4], 5);
  HfcSwap32Array(w + 4, 2);
  const unsigned char want[8] = {8, 7, 6, 5, 12, 11, 10, 9};
  EXPECT_EQ(std::memcmp(w + 4, want, 8), 0);
}

TEST(HfcTempFile, FolderAndNames) {
  char buf[64];
  std::memset(buf, 'Z', sizeof buf);
  EXPECT_FALSE(HfcGetTempDirectory(buf, 5));
  EXPECT_EQ(buf[0], 'Z');
  EXPECT_TRUE(HfcGetTempDirectory(buf, 6));
  EXPECT_STREQ(buf, "/tmp/");

  ASSERT_TRUE(HfcCreateTempFileName("x", buf, 64, ".tmp"));
  EXPECT_TRUE(std::regex_match(buf, std::regex("/tmp/x_[0-9a-f]{8}\\.tmp"))) << buf;
  const int exact = static_cast<int>(std::strlen(buf)) + 1;
  EXPECT_TRUE(HfcCreateTempFileName("x", buf, exact, ".tmp"));
  EXPECT_FALSE(HfcCreateTempFileName("x", buf, exact - 1, ".tmp"));
  EXPECT_EQ(std::strlen(buf), static_cast<size_t>(exact - 2));  // cut, terminated
  ASSERT_TRUE(HfcCreateTempFileName("pre", buf, 64, nullptr));
  EXPECT_TRUE(std::regex_match(buf, std::regex("/tmp/pre_[0-9a-f]{8}"))) << buf;
  EXPECT_FALSE(HfcCreateTempFileName(nullptr, buf, 64, nullptr));
  EXPECT_FALSE(HfcCreateTempFileName("x", nullptr, 64, nullptr));
  EXPECT_FALSE(HfcCreateTempFileName("x", buf, 0, nullptr));
}

TEST(HfcPascalString, CopiesAndCutsAt255) {
  unsigned char p[256];
  char c[256];
  HfcMacC2PStringCopy(p, "Vesk");
  EXPECT_EQ(p[0], 4);
  HfcMacP2CStringCopy(c, p);
  EXPECT_STREQ(c, "Vesk");
  const std::string longText(300, 'q');
  HfcMacC2PStringCopy(p, longText.c_str());
  EXPECT_EQ(p[0], 255);
  HfcMacP2CStringCopy(c, p);
  EXPECT_EQ(std::string(c), std::string(255, 'q'));
}

class MessageBox : public ::testing::Test {
 protected:
  void SetUp() override { os::HeadlessAlert::Reset(); }
  void TearDown() override { os::HeadlessAlert::Reset(); }
};

TEST_F(MessageBox, ButtonsIconsAndAnswers) {
  using Icon = os::Alert::Icon;
  struct Case {
    long buttons, icon;
    std::vector<std::string> shown;
    Icon want;
  } cases[] = {
      {0, 0, {"OK"}, Icon::kNote},
      {1, 4, {"OK", "Cancel"}, Icon::kStop},
      {2, 3, {"Yes", "No"}, Icon::kCaution},
      {7, 0, {"OK", "Cancel", "Don't Save"}, Icon::kPlain},
      {-1, 5, {"OK", "Cancel", "Don't Save"}, Icon::kNote},
      {1, 1, {"OK", "Cancel"}, Icon::kPlain},
      {0, 2, {"OK"}, Icon::kNote},
      {7, 9, {"OK", "Cancel", "Don't Save"}, Icon::kPlain},
  };
  for (const Case& c : cases) {
    os::HeadlessAlert::Reset();
    EXPECT_EQ(HfcMessageBox("text", "Vesk Plug-In Editor", c.buttons, c.icon), 1);
    auto t = os::HeadlessAlert::Transcript();
    ASSERT_EQ(t.size(), 1u);
    EXPECT_EQ(t[0].request.buttons, c.shown) << c.buttons;
    EXPECT_EQ(t[0].request.icon, c.want) << c.buttons << "/" << c.icon;
    EXPECT_EQ(t[0].request.mainText, "Vesk Plug-In Editor");
    EXPECT_EQ(t[0].request.explanation, "text");
  }

  os::HeadlessAlert::Reset();
  os::HeadlessAlert::Script(2);
  EXPECT_EQ(HfcMessageBoxForWindow("Really?", "Caption", nullptr, 2, 3), 2);  // "No"
  os::HeadlessAlert::Script(3);
  EXPECT_EQ(HfcMessageBox("m", "c", 7, 0), 3);
  os::HeadlessAlert::Script(3);  // no third button here: the default
  EXPECT_EQ(HfcMessageBox("m", "c", 1, 0), 1);
  EXPECT_EQ(os::HeadlessAlert::Transcript().back().answer, 1);
}

TEST_F(MessageBox, FormattedMessagesAndLongTexts) {
  EXPECT_EQ(HfcMessageBoxFormated("%s Error!\n%s", "Vesk Editor", "Receive All", "TimeOut"), 1);
  auto t = os::HeadlessAlert::Transcript();
  ASSERT_EQ(t.size(), 1u);
  EXPECT_EQ(t[0].request.explanation, "Receive All Error!\nTimeOut");
  EXPECT_EQ(t[0].request.buttons.size(), 1u);
  EXPECT_EQ(t[0].request.icon, os::Alert::Icon::kNote);
  const std::string huge(2000, 'w');
  HfcMessageBoxFormated("%s", huge.c_str(), huge.c_str());
  t = os::HeadlessAlert::Transcript();
  EXPECT_EQ(t[1].request.explanation.size(), 255u);
  EXPECT_EQ(t[1].request.mainText.size(), 255u);
}

class AlwaysSecond : public os::Alert {
 public:
  int Run(const Request& request) override { return 2; }
};

TEST_F(MessageBox, ADrawnAlertCanBeInstalled) {
  os::Alert::SetFactory([] { return std::make_unique<AlwaysSecond>(); });
  EXPECT_EQ(HfcMessageBox("m", "c", 1, 0), 2);
  os::Alert::SetFactory(nullptr);
  EXPECT_EQ(HfcMessageBox("m", "c", 1, 0), 1);
  EXPECT_EQ(os::HeadlessAlert::Transcript().size(), 1u);
}

TEST(HfcMemory, AlignedAllocation) {
  for (long alignment : {1L, 2L, 4L, 8L, 16L, 64L, 4096L}) {
    auto* p = static_cast<unsigned char*>(HfcAlignedAlloc(100, alignment));
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(p) % static_cast<uintptr_t>(alignment), 0u);
    uint32_t distance;
    std::memcpy(&distance, p - 4, 4);
    EXPECT_GT(distance, 4u);
    EXPECT_LE(distance, 4u + static_cast<uint32_t>(alignment));
    std::memset(p, 0xAB, 100);  // the whole block is usable
    HfcAlignedFree(p);
  }
  EXPECT_EQ(HfcAlignedAlloc(100, 24), nullptr);  // not a power of two
  EXPECT_EQ(HfcAlignedAlloc(100, 0), nullptr);
  EXPECT_EQ(HfcAlignedAlloc(-1, 16), nullptr);
  HfcAlignedFree(nullptr);
}

TEST(HfcMemory, ClearingAllocators) {
  auto* p = static_cast<unsigned char*>(HfcMemAllocClear(32));
  ASSERT_NE(p, nullptr);
  for (int i = 0; i < 32; ++i) EXPECT_EQ(p[i], 0);
  EXPECT_EQ(HfcMemSet(p, 0x1FF, 32), p);
  EXPECT_EQ(p[31], 0xFF);
  p = static_cast<unsigned char*>(HfcMemReallocClear(p, 64));
  ASSERT_NE(p, nullptr);
  for (int i = 0; i < 64; ++i) EXPECT_EQ(p[i], 0);
  p = static_cast<unsigned char*>(HfcMemRealloc(p, 8));
  HfcMemFree(p);
  HfcMemFree(nullptr);
}

TEST(HfcResource, TypeTextIsReadLittleEndian) {
  const unsigned char bytes[] = {1, 2, 3};
  ASSERT_TRUE(os::ResourceRegistry::Register(0x504E4720, 128, bytes, sizeof bytes));  // 'PNG '
  EXPECT_FALSE(os::ResourceRegistry::Register(0x504E4720, 128, bytes, 1));
  EXPECT_EQ(HfcGetResource("PNG ", 128), nullptr);
  EXPECT_EQ(HfcGetResource("GNP", 128), nullptr);
  EXPECT_EQ(HfcGetResource(" GNP", 129), nullptr);
  Handle h = HfcGetResource(" GNP", 128);
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(HfcGetResource(" GNP", 128 + 65536), h);  // the id is 16 bits
  auto* data = static_cast<unsigned char*>(HfcLockResource(h));
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(data[2], 3);
  EXPECT_EQ(os::ResourceRegistry::LockCount(h), 1);
  HfcUnlockResource(h);
  EXPECT_EQ(os::ResourceRegistry::LockCount(h), 0);
  EXPECT_EQ(HfcLockResource(nullptr), nullptr);
}

TEST(HfcBundle, FoundFromTheOverrideAndReferenceCounted) {
  TempDir dir;
  const std::string bundle = dir.File("Vesk Plug-In Editor.vst");
  for (const char* sub : {"", "/Contents", "/Contents/MacOS", "/Contents/Resources"})
    ASSERT_EQ(::mkdir((bundle + sub).c_str(), 0700), 0);
  vesk::test::WriteWholeFile(bundle + "/Contents/BundleIdentifier", "com.vesk.editor\n");
  ScopedEnv env("VESK_BUNDLE_DIR", bundle + "/");
  HfcBundleRef bare = HfcMacBundleCreateForPlugin();
  ASSERT_NE(bare, nullptr);
  EXPECT_EQ(bare->version(), "");
  bare->Release();
  // Written on another system, with its line end.
  vesk::test::WriteWholeFile(bundle + "/Contents/BundleVersion", "1.0.3.0\r\n");

  HfcBundleRef b = HfcMacBundleCreateForPlugin();
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(b->path(), bundle);
  EXPECT_EQ(b->identifier(), "com.vesk.editor");
  EXPECT_EQ(b->version(), "1.0.3.0");
  EXPECT_EQ(HfcMacGetBundleURLByID("com.vesk.editor"), bundle);
  EXPECT_EQ(HfcMacGetBundleDirectoryURLByID("com.vesk.editor"), dir.path());
  EXPECT_EQ(HfcMacGetBundleURLByID("other"), "");

  char buf[512];
  ASSERT_TRUE(HfcMacGetBundleResourceDirectory(buf, sizeof buf));
  EXPECT_EQ(std::string(buf), bundle + "/Contents/Resources");
  ASSERT_TRUE(HfcMacGetBundleDirectory(buf, sizeof buf));
  EXPECT_EQ(std::string(buf), dir.path());
  EXPECT_FALSE(HfcMacGetBundleDirectory(buf, 4));

  EXPECT_EQ(HfcMacGetBundle(), nullptr);
  HfcMacSetBundle(b);
  b->Release();  // the process-wide reference keeps it
  HfcBundleRef got = HfcMacGetBundle();
  ASSERT_EQ(got, b);
  EXPECT_EQ(got->ResourceFolder(), bundle + "/Contents/Resources");
  got->Release();
  HfcMacSetBundle(nullptr);  // releases the last reference
  EXPECT_EQ(HfcMacGetBundle(), nullptr);
  EXPECT_EQ(HfcMacGetBundleURLByID("com.vesk.editor"), "");
}

TEST(HfcBundle, WithoutOverrideTheLoadedImageIsUsed) {
  ::unsetenv("VESK_BUNDLE_DIR");
  const std::string image = os::Bundle::OwnImagePath();
  ASSERT_FALSE(image.empty());
  EXPECT_EQ(image[0], '/');
  struct stat st;
  EXPECT_EQ(::stat(image.c_str(), &st), 0) << image;
}

TEST(HfcDebug, StrWritesALinePrintfNothing) {
  ::testing::internal::CaptureStdout();
  HfcDebugStr("hello");
  HfcDebugPrintf("%d", 42);
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "hello\n");
}

}  // namespace
