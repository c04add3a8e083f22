#include "editor/controls/DrawnProgressWindow.h"

#include <algorithm>

namespace {

constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 22;
constexpr int kButtonLeft = DrawnProgressWindow::kWidth - 16 - kButtonWidth;
constexpr int kButtonTop = DrawnProgressWindow::kHeight - 16 - kButtonHeight;

}  // namespace

void DrawnProgressWindow::SetTitle(const std::string& title) {
  mTitle = title;
  Redraw();
}

void DrawnProgressWindow::SetText(const std::string& text) {
  mText = text;
  Redraw();
}

void DrawnProgressWindow::SetPercent(int percent) {
  mPercent = std::clamp(percent, 0, 100);
  Redraw();
}

void DrawnProgressWindow::SetCancelEnabled(bool on) {
  mCancelEnabled = on;
  Redraw();
}

void DrawnProgressWindow::Show() {
  if (window() != nullptr) {
    window()->Show();
    return;
  }
  WindowPlacement placement;
  placement.x = 220;
  placement.y = 180;
  placement.width = kWidth;
  placement.height = kHeight;
  placement.title = mTitle;
  Open(placement);
}

void DrawnProgressWindow::Paint() {
  const int textWidth = kWidth - 32;
  Text(16, 12, Fit(mTitle, BoldFont(), textWidth), BoldFont(), kText);
  Text(16, 34, Fit(mText, PlainFont(), textWidth), PlainFont(), kText);
  Fill(kBarLeft, kBarTop, kBarWidth, kBarHeight, kPanelLight);
  const int filled = (kBarWidth - 2) * mPercent / 100;
  Fill(kBarLeft + 1, kBarTop + 1, filled, kBarHeight - 2, kAmber);
  Frame(kBarLeft, kBarTop, kBarWidth, kBarHeight, kFrame);
  Button(kButtonLeft, kButtonTop, kButtonWidth, kButtonHeight, "Cancel", false, mCancelEnabled,
         mCancelEnabled && PressedButton() == 1);
}

bool DrawnProgressWindow::OnCancelButton(int x, int y) const {
  return Inside(x, y, kButtonLeft, kButtonTop, kButtonWidth, kButtonHeight);
}

void DrawnProgressWindow::Cancel() {
  if (mCancelEnabled && onCancel) onCancel();
}

void DrawnProgressWindow::OnWindowMouse(const os::MouseEvent& e) {
  if (!mCancelEnabled) return;
  if (PressButtons(e, [this](int x, int y) { return OnCancelButton(x, y) ? 1 : 0; }) == 1) Cancel();
}

bool DrawnProgressWindow::OnWindowKey(const os::KeyEvent& e) {
  if (e.kind == os::KeyEvent::Kind::kDown && e.chr == 27) Cancel();
  return true;
}

void DrawnProgressWindow::OnWindowClose() { Cancel(); }
