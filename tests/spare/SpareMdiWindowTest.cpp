#include <gtest/gtest.h>

#include <string>

#include "os/MenuBar.h"
#include "os/window/HeadlessWindow.h"
#include "os/window/TopLevelWindow.h"
#include "platform/CHfcMenuBar.h"
#include "spare/CHfcMdiChildWindow.h"
#include "spare/CHfcMdiFrameWindow.h"
#include "tests/support/TestEnvironment.h"

namespace {

constexpr int kMainBar = 7301;
constexpr int kDocBar = 7302;

// Stand-alone windows come out headless; the bars are defined here.
class Mdi : public ::testing::Test {
 protected:
  void SetUp() override {
    os::SetTopLevelWindowFactory([](int x, int y, int w, int h, const std::string& title) {
      auto window = os::HeadlessWindow::Create(w, h, x, y);
      window->SetTitle(title);
      return std::unique_ptr<os::Window>(std::move(window));
    });
    for (int id : {kMainBar, kDocBar})
      os::MenuBar::Define(id, [] { return std::make_unique<os::MenuBar>(); });
    ASSERT_TRUE(mainBar.Load(kMainBar));
    ASSERT_TRUE(docBar.Load(kDocBar));
  }
  void TearDown() override {
    os::SetTopLevelWindowFactory(nullptr);
    os::SetMainScreenBounds({});
  }
  static os::HeadlessWindow* Platform(CHfcWindow* w) { return static_cast<os::HeadlessWindow*>(w->GetPlatformWindow()); }
  CHfcMdiChildWindow* NewChild(const char* title, CHfcMenuBar* bar) {
    auto* child = new CHfcMdiChildWindow;  // a closed window deletes itself
    std::string t = title;
    EXPECT_TRUE(child->Create(t.data(), 20, 20, 200, 120, 0, bar, &frame));
    return child;
  }
  os::MenuBar* Current() { return os::MenuBar::Current(); }

  vesk::test::TestEnvironment env;
  CHfcMenuBar mainBar;
  CHfcMenuBar docBar;
  CHfcMdiFrameWindow frame;
};

TEST_F(Mdi, TheFrameOwnsTheMenuBarAndStandsForTheScreen) {
  std::string title(300, 'x');
  ASSERT_TRUE(frame.Create(title.data(), 0, 0, 10, 10, 0, &mainBar));
  EXPECT_EQ(Current(), mainBar.GetBar());
  EXPECT_EQ(std::string(frame.GetFrameTitle()), std::string(255, 'x'));
  EXPECT_EQ(frame.GetPlatformWindow(), nullptr);  // no window of its own
  os::SetMainScreenBounds({0, 0, 1600, 900});
  tagHfcRect r{};
  ASSERT_TRUE(frame.GetWindowRect(&r));
  EXPECT_EQ(r.right, 1600);
  EXPECT_EQ(r.bottom, 900);
  ASSERT_TRUE(frame.GetClientRect(&r));
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.right, 1600);
  EXPECT_FALSE(frame.GetWindowRect(nullptr));
  EXPECT_EQ(frame.GetActiveChildWindow(), nullptr);
  EXPECT_FALSE(frame.ActivateChildWindow(nullptr));
}

TEST_F(Mdi, TheMenuBarFollowsTheActiveChild) {
  ASSERT_TRUE(frame.Create(nullptr, 0, 0, 0, 0, 0, &mainBar));
  CHfcMdiChildWindow* doc = NewChild("Song 1", &docBar);
  CHfcMdiChildWindow* plain = NewChild("Notes", nullptr);
  EXPECT_EQ(doc->GetFrame(), &frame);
  Platform(doc)->InjectFocus(false);
  Platform(plain)->InjectFocus(false);
  CHfcMenuBar::ClearMenuBar();
  mainBar.SetMenuBar();

  EXPECT_TRUE(frame.ActivateChildWindow(doc));
  env.loop().RunPending();
  EXPECT_EQ(frame.GetActiveChildWindow(), doc);
  EXPECT_EQ(Current(), docBar.GetBar());
  // A child without a bar of its own leaves the current one in place.
  Platform(plain)->InjectFocus(true);
  env.loop().RunPending();
  EXPECT_EQ(Current(), docBar.GetBar());
  EXPECT_EQ(frame.GetActiveChildWindow(), plain);
  // While a child is active its deactivation keeps the bar; when none is,
  // the frame's comes back.
  Platform(doc)->InjectFocus(false);
  env.loop().RunPending();
  EXPECT_EQ(Current(), docBar.GetBar());
  Platform(plain)->InjectFocus(false);
  env.loop().RunPending();
  EXPECT_EQ(Current(), mainBar.GetBar());
  EXPECT_EQ(frame.GetActiveChildWindow(), nullptr);

  // A second creation changes nothing.
  os::Window* window = doc->GetPlatformWindow();
  char again[] = "again";
  EXPECT_FALSE(doc->Create(again, 0, 0, 50, 50, 0, nullptr, nullptr));
  EXPECT_EQ(doc->GetPlatformWindow(), window);
  EXPECT_EQ(doc->GetFrame(), &frame);

  // Closing the last active child brings the frame's bar back.
  Platform(doc)->InjectFocus(true);
  env.loop().RunPending();
  EXPECT_EQ(Current(), docBar.GetBar());
  Platform(doc)->InjectClose();
  env.loop().RunPending();
  EXPECT_EQ(Current(), mainBar.GetBar());
  EXPECT_EQ(CHfcMdiChildWindow::Children().size(), 1u);
  EXPECT_TRUE(plain->Destroy());
  EXPECT_TRUE(CHfcMdiChildWindow::Children().empty());
}

TEST_F(Mdi, AChildThatCannotBeMadeForgetsItsFrame) {
  ASSERT_TRUE(frame.Create(nullptr, 0, 0, 0, 0, 0, &mainBar));
  CHfcMdiChildWindow child;
  char title[] = "tiny";
  EXPECT_FALSE(child.Create(title, 0, 0, 0, 0, 0, &docBar, &frame));
  EXPECT_EQ(child.GetFrame(), nullptr);
  EXPECT_TRUE(CHfcMdiChildWindow::Children().empty());
  EXPECT_EQ(Current(), mainBar.GetBar());
}

TEST_F(Mdi, DestroyingTheFrameEndsTheEventLoop) {
  ASSERT_TRUE(frame.Create(nullptr, 0, 0, 0, 0, 0, nullptr));
  bool timedOut = false;
  env.loop().AddTimer(1000, 0, [&] {
    timedOut = true;
    env.loop().Quit();
  });
  EXPECT_TRUE(frame.Destroy());
  env.loop().Run();
  EXPECT_FALSE(timedOut);
}

}  // namespace
