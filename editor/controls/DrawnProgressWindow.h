#pragma once
// The drawn form of the system's progress window: title, a line of text, a
// bar and a Cancel button. The modal run around it belongs to its user; the
// window only shows the state and reports Cancel (a click, Escape, or
// closing the window while Cancel is enabled).
#include "editor/controls/DrawnForm.h"
#include "os/ProgressWindow.h"

class DrawnProgressWindow : public os::ProgressWindow, private DrawnForm {
 public:
  static constexpr int kWidth = 380;
  static constexpr int kHeight = 118;
  // The bar, in window coordinates.
  static constexpr int kBarLeft = 16;
  static constexpr int kBarTop = 56;
  static constexpr int kBarWidth = kWidth - 32;
  static constexpr int kBarHeight = 12;

  void SetTitle(const std::string& title) override;
  void SetText(const std::string& text) override;
  void SetPercent(int percent) override;
  void SetCancelEnabled(bool on) override;
  void Show() override;
  using DrawnForm::window;

  void OnWindowMouse(const os::MouseEvent& e) override;
  bool OnWindowKey(const os::KeyEvent& e) override;
  void OnWindowClose() override;

 private:
  void Paint() override;
  void Cancel();
  bool OnCancelButton(int x, int y) const;

  std::string mTitle;
  std::string mText;
  int mPercent = 0;
  bool mCancelEnabled = true;
};
