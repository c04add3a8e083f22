#pragma once

#include "os/window/WindowSink.h"

namespace vesk::test {

// A window of the program's own (not a form's) that counts the presses and
// keys it is given: what reaches it shows whether a modal run still holds
// the window or has let it go.
struct InputCounter : os::WindowSink {
  int presses = 0;
  int keys = 0;
  void OnWindowMouse(const os::MouseEvent& e) override { presses += e.kind == os::MouseEvent::Kind::kDown; }
  bool OnWindowKey(const os::KeyEvent& e) override {
    keys += e.kind == os::KeyEvent::Kind::kDown;
    return true;
  }
};

}  // namespace vesk::test
