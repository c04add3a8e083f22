#include "editor/controls/DrawnProgressWindow.h"

#include "tests/editor/controls/DrawnFormFixture.h"

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

TEST_F(DrawnProgressWindowTest, CancelReportsOnlyWhileEnabled) {
  Progress p;
  int cancels = 0;
  p.onCancel = [&] { ++cancels; };
  p.Show();
  ClickCancel();
  env.loop().RunPending();
  EXPECT_EQ(cancels, 1);
  Last()->InjectClick(os::MouseButton::kLeft, 20, 20);  // beside the button
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
