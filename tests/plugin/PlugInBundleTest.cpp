// The bundle folder beside the plug-in: the build's own and what the
// plug-in reads from it for its About box.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <string>

#include "editor/shell/BackgroundLayer.h"
#include "os/Bundle.h"
#include "platform/HfcBundle.h"
#include "plugin/QuorelVst.h"
#include "tests/plugin/PlugInTestHost.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestEnvironment.h"

namespace vesk::test {
namespace {

// The plug-in's version as a bundle carries it: major, minor, revision and
// build, one byte each.
std::string VersionText(int32_t v) {
  char text[32];
  std::snprintf(text, sizeof text, "%d.%d.%d.%d", (v >> 24) & 0xFF, (v >> 16) & 0xFF,
                (v >> 8) & 0xFF, v & 0xFF);
  return text;
}

TEST(PlugInBundle, TheBuildsBundleCarriesThePlugInsVersionForTheAboutBox) {
  const std::string so = VESK_PLUGIN_SO_PATH;
  const std::string folder = so.substr(0, so.size() - 3);  // without ".so"
  const std::string version = VersionText(QuorelVst::kVendorVersion);
  EXPECT_EQ(ReadWholeFile(folder + "/Contents/BundleVersion"), version + "\n");
  // The plug-in takes the folder for its bundle only with its pictures.
  struct stat st;
  EXPECT_EQ(::stat((folder + "/Contents/Resources/Background_Base.png").c_str(), &st), 0);

  TempDir lock;
  ScopedEnv lockDir{"VESK_LOCK_DIR", lock.path()};
  TestEnvironment env;
  QuorelVst vst(&TestHost::Callback);
  EXPECT_EQ(vst.EditorLink().GetPlugInBundleVersion(), "");
  os::Bundle* bundle = os::Bundle::Create(folder);
  ASSERT_NE(bundle, nullptr);
  HfcMacSetBundle(bundle);
  bundle->Release();
  EXPECT_EQ(vst.EditorLink().GetPlugInBundleVersion(), version);
  EXPECT_EQ(BackgroundLayer::TrimVersion(vst.EditorLink().GetPlugInBundleVersion()), "1.0.3");
  HfcMacSetBundle(nullptr);
}

}  // namespace
}  // namespace vesk::test
