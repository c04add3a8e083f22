#include "editor/controls/DrawnProgressWindow.h"

#include <cstdlib>

#include "os/window/X11Window.h"
#include "tests/editor/controls/DrawnFormFixture.h"
#include "tests/support/XvfbServer.h"

namespace {

using Progress = DrawnProgressWindow;

class DrawnProgressWindowTest : public DrawnFormFixture {
 protected:
  // Amber pixels along the middle row of the bar.
  int BarFill() {
    int n = 0;
    const int y = Progress::kBarTop + Progress::kBarHeight / 2;
    for (int x = Progress::kBarLeft; x < Progress::kBarLeft + Progress::kBarWidth; ++x)
      n += (Last()->Pixel(x, y) | 0xFF000000u) == DrawnForm::kAmber;
    return n;
  }
  void ClickCancel() {
    Last()->InjectClick(os::MouseButton::kLeft, Progress::kWidth - 30, Progress::kHeight - 25);
  }
};

TEST_F(DrawnProgressWindowTest, TheBarFollowsThePercentAndTheTextsShow) {
  Progress p;
  p.SetTitle("Receiving programs");
  p.SetText("Bank A, program 64 of 128");
  p.Show();
  ASSERT_NE(Last(), nullptr);
  EXPECT_TRUE(Last()->IsVisible());
  EXPECT_EQ(specs.back().title, "Receiving programs");
  EXPECT_EQ(BarFill(), 0);
  p.SetPercent(50);
  const int half = BarFill();
  EXPECT_NEAR(half, (Progress::kBarWidth - 2) / 2, 1);
  p.SetPercent(100);
  EXPECT_EQ(BarFill(), Progress::kBarWidth - 2);
  p.SetPercent(250);  // kept within the bar
  EXPECT_EQ(BarFill(), Progress::kBarWidth - 2);
  p.SetPercent(64);
  EXPECT_GT(CountLight(Last(), 0, 0, Progress::kWidth, 50), 150);
  Snapshot("drawn_progress");
}

// While a transfer's progress window is up, the program's other windows
// take no clicks; its own Cancel does; once it is gone they take them again.
TEST_F(DrawnProgressWindowTest, WhileShownTheOtherWindowsTakeNoInput) {
  PressCounter clicks;
  auto editor = os::HeadlessWindow::Create(100, 100);
  editor->SetSink(&clicks);
  int cancels = 0;
  {
    Progress p;
    p.onCancel = [&] { ++cancels; };
    p.Show();
    editor->InjectClick(os::MouseButton::kLeft, 5, 5);
    ClickCancel();
    env.loop().RunPending();
    EXPECT_EQ(clicks.presses, 0);
    EXPECT_EQ(cancels, 1);
  }
  editor->InjectClick(os::MouseButton::kLeft, 5, 5);
  env.loop().RunPending();
  EXPECT_EQ(clicks.presses, 1);
}

TEST_F(DrawnProgressWindowTest, CancelReportsOnlyWhileEnabled) {
  Progress p;
  int cancels = 0;
  p.onCancel = [&] { ++cancels; };
  p.Show();
  ClickCancel();
  env.loop().RunPending();
  EXPECT_EQ(cancels, 1);
  Last()->InjectClick(os::MouseButton::kLeft, 20, 20);  // beside the button
  // Pressed on the button but released beside it: nothing.
  Last()->InjectMouse({os::MouseEvent::Kind::kDown, os::MouseButton::kLeft, 1,
                       Progress::kWidth - 30, Progress::kHeight - 25});
  Last()->InjectMouse({os::MouseEvent::Kind::kUp, os::MouseButton::kLeft, 1, 20, 20});
  Last()->InjectKey(os::KeyEvent::Kind::kDown, XK_Escape);
  env.loop().RunPending();
  EXPECT_EQ(cancels, 2);
  p.SetCancelEnabled(false);
  ClickCancel();
  Last()->InjectKey(os::KeyEvent::Kind::kDown, XK_Escape);
  Last()->InjectClose();
  env.loop().RunPending();
  EXPECT_EQ(cancels, 2);
  p.SetCancelEnabled(true);
  Last()->InjectClose();
  env.loop().RunPending();
  EXPECT_EQ(cancels, 3);
}

}  // namespace

namespace {

using UnderXvfb = vesk::test::UnderXvfb;

// Without a window maker of the test's own, the forms get X11 windows.
TEST_F(UnderXvfb, DrawnFormsShowOnTheXServerByDefault) {
  vesk::test::TestEnvironment env;
  const char* before = std::getenv("DISPLAY");
  const std::string saved = before != nullptr ? before : "";
  setenv("DISPLAY", display(), 1);
  {
    DrawnProgressWindow p;
    p.SetPercent(100);
    p.Show();
    auto* x11 = dynamic_cast<os::X11Window*>(p.window());
    ASSERT_NE(x11, nullptr);
    x11->Sync();
    EXPECT_TRUE(x11->IsVisible());
    // The test server's screen is smaller than the window, so its pixels
    // cannot be read back; the picture was handed over all the same.
    EXPECT_EQ(x11->Width(), DrawnProgressWindow::kWidth);
  }
  if (before != nullptr) {
    setenv("DISPLAY", saved.c_str(), 1);
  } else {
    unsetenv("DISPLAY");
  }
}

}  // namespace
