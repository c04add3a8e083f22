#pragma once
// The drawn form of the system's alert: a window of our own with the icon,
// the bold main text, the explanation and the buttons, run modally on the
// main loop until a button is chosen. Enter chooses the default (first)
// button, Escape or closing the window the cancel (second) one. It is a
// question: one asked while another is open waits for that one's answer
// before it shows.
#include "editor/controls/DrawnForm.h"
#include "os/Alert.h"

namespace os {
class MainLoop;
}

class DrawnAlert : public os::Alert, private DrawnForm {
 public:
  // The buttons sit in a row along the bottom, kMargin from the edges, the
  // default one at the right; a button is at least kMinButtonWidth wide.
  static constexpr int kMargin = 16;
  static constexpr int kButtonHeight = 22;
  static constexpr int kButtonGap = 10;
  static constexpr int kMinButtonWidth = 72;

  int Run(const Request& request) override;

  void OnWindowMouse(const os::MouseEvent& e) override;
  bool OnWindowKey(const os::KeyEvent& e) override;
  void OnWindowClose() override;

 private:
  void Paint() override;
  bool IsQuestion() const override { return true; }
  // Runs the loop until no other question is open; false when the wait
  // was ended from outside with one still open.
  bool WaitForEarlierQuestions(os::MainLoop* loop);
  // Held off by a run begun after it (a question or progress window of
  // the plug-in's, told late), the alert takes the keyboard focus back
  // once that run has ended: Enter and Escape reach it again. Returns the
  // id of the modal listener that sees to it.
  int FollowHoldOffs();
  void Layout();
  void Finish(int button);
  int ButtonAt(int x, int y) const;
  int CancelButton() const;

  struct Placed {
    int x, y, w, h;
  };
  Request mRequest;
  std::vector<std::string> mMainLines;
  std::vector<std::string> mExplanationLines;
  std::vector<Placed> mButtons;
  int mWidth = 0, mHeight = 0;
  int mAnswer = 0;
  bool mHeldOff = false;  // another run holds the alert off
  char mWaiting = 0;  // the token of the wait
};
