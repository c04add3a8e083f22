// The modal groups: which page each request builds, one group at a time,
// and a teardown that runs once whatever went before.
#include <gtest/gtest.h>

#include "editor/browsers/GlobalParamBrowser.h"
#include "editor/browsers/MultisampleBrowser.h"
#include "editor/browsers/ParamBrowserForAMSSource.h"
#include "editor/browsers/SmallBlueBrowserLayer.h"
#include "editor/browsers/WriteBrowser.h"
#include "editor/shell/ModalLayer.h"
#include "tests/editor/browsers/BrowserTestKit.h"

namespace {

using namespace browsertest;

int LayerCount(PageHarness& h) { return h.window().GetLayerCount(); }

TEST(BrowserOpener, ASecondRequestIsRefusedBeforeAnythingIsBuilt) {
  Bench b(3);
  const int bare = LayerCount(b.h);
  ASSERT_TRUE(b.opener.OpenWriteBrowser());
  CTabPageLayer* first = b.opener.GetPage();
  const int open = LayerCount(b.h);
  EXPECT_EQ(open, bare + 2);  // the modal layer and the page

  EXPECT_FALSE(b.opener.OpenCopyOSCBrowser());
  EXPECT_FALSE(b.opener.OpenBlueBrowser(-1));
  EXPECT_FALSE(b.opener.Execute({XECommand::kOpenParamBrowser, 6, 3, 0x10E}));
  EXPECT_EQ(b.opener.GetPage(), first);
  EXPECT_EQ(LayerCount(b.h), open);
  EXPECT_TRUE(b.data.GetBrowsers().empty());

  b.ClickControl(WriteBrowser::kCancelId);
  b.Idle();
  EXPECT_FALSE(b.opener.IsOpen());
  EXPECT_EQ(LayerCount(b.h), bare);
}

TEST(BrowserOpener, RequestsWithoutAPageLeaveTheWindowAlone) {
  Bench b(3);
  const int bare = LayerCount(b.h);
  EXPECT_FALSE(b.opener.OpenRedBrowser(3, static_cast<eMode>(3), 0x10D));
  EXPECT_FALSE(b.opener.OpenRedBrowser(6, static_cast<eMode>(3), 0x10D));
  EXPECT_FALSE(b.opener.OpenParamBrowser(8, static_cast<eMode>(3), 0x10D));
  EXPECT_FALSE(b.opener.OpenRenameBrowser(0, 3));
  EXPECT_FALSE(b.opener.Execute({XECommand::kOpenAbout, 0, 0, 0}));
  EXPECT_FALSE(b.opener.IsOpen());
  EXPECT_EQ(LayerCount(b.h), bare);
}

TEST(BrowserOpener, PagesTitlesAndCoverage) {
  Bench b(3);
  int oscMode = 2;
  b.opener.paramReader = [&](eMode, int pid) { return pid == 0xD00 ? oscMode : 0; };
  struct Case {
    std::function<bool()> open;
    std::string title;
    int height;
  } cases[] = {
      {[&] { return b.opener.OpenRedBrowser(2, static_cast<eMode>(3), 0x0D05); }, "Select Drumkit",
       600 - 72},
      {[&] {
         oscMode = 0;
         return b.opener.OpenRedBrowser(2, static_cast<eMode>(3), 0x0D05);
       },
       "Select Multisample", 600 - 72},
      {[&] { return b.opener.OpenParamBrowser(6, static_cast<eMode>(6), 0x0001); },
       "Global Parameter", 600 - 72},
      {[&] { return b.opener.OpenParamBrowser(7, static_cast<eMode>(3), 0x0110); },
       "Select AMS Source", 600 - 72},
      {[&] { return b.opener.OpenBlueBrowser(-1); }, "", 600},
      {[&] { return b.opener.OpenCopyLFOBrowser(); }, "Copy LFO", 600},
      {[&] { return b.opener.OpenCopyEGBrowser(); }, "Copy EG", 600},
      {[&] { return b.opener.OpenCopyMFXBrowser(); }, "Copy MFX/EQ", 600},
      {[&] { return b.opener.OpenCopyIFXBrowser(); }, "Copy Insert Effect", 600},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(c.open()) << c.title;
    EXPECT_EQ(b.opener.GetPage()->GetTabPageName(), c.title);
    EXPECT_EQ(b.opener.GetModalLayer()->GetRect().bottom, c.height) << c.title;
    b.opener.CloseModalBrowser();
  }
  oscMode = 2;
  ASSERT_TRUE(b.opener.OpenRedBrowser(2, static_cast<eMode>(3), 0x0D05));
  EXPECT_TRUE(b.Page<MultisampleBrowser>()->IsDrumKit());
  b.opener.CloseModalBrowser();
  ASSERT_TRUE(b.opener.OpenParamBrowser(6, static_cast<eMode>(6), 0x0001));
  auto* global = b.Page<GlobalParamBrowser>();
  ASSERT_NE(global, nullptr);
  EXPECT_EQ(global->GetTargetMode(), 6);
  EXPECT_EQ(global->GetAuditionContex(), 0);
}

// Counts its own teardowns.
class CountingPage : public WriteBrowser {
 public:
  CountingPage(Oskend::IRemoteSynth* synth, int* destroyed)
      : WriteBrowser(synth, 0, "Write Program"), destroyed_(destroyed) {}
  bool OnDestroy() override {
    ++*destroyed_;
    return WriteBrowser::OnDestroy();
  }

 private:
  int* destroyed_;
};

TEST(BrowserOpener, ClosingTheWindowWithABrowserOpenTearsDownOnce) {
  Bench b(3);
  int destroyed = 0;
  ASSERT_TRUE(b.opener.OpenGroup(BrowserOpener::Group::kDialog,
                                 std::make_unique<CountingPage>(b.h.synth(), &destroyed)));
  b.Idle();
  // The window lets all its layers go, as it does when it closes.
  b.h.window().RemoveAllLayers(false);
  b.opener.CloseModalBrowser();
  EXPECT_EQ(destroyed, 1);
  EXPECT_FALSE(b.opener.IsOpen());
  b.opener.CloseModalBrowser();
  EXPECT_EQ(destroyed, 1);
}

TEST(BrowserOpener, ClosingASoundBrowserLeavesTheModelEmpty) {
  Bench b(2);
  int closed = 0;
  b.opener.onClosed = [&] { ++closed; };
  ASSERT_TRUE(b.opener.OpenBlueBrowser(-1));
  EXPECT_EQ(b.data.GetBrowsers().size(), 1u);
  b.opener.GetModalLayer()->SetDone(true);
  b.Idle();
  EXPECT_FALSE(b.opener.IsOpen());
  EXPECT_TRUE(b.data.GetBrowsers().empty());
  EXPECT_FALSE(b.data.IsAdvised());
  EXPECT_EQ(closed, 1);
}

}  // namespace
