#pragma once
// Drawn forms on headless windows: every window a form makes is kept here
// (the last one is the form's newest), input is posted so that it arrives
// inside the form's modal run, and pictures can be written for a look.
#include <gtest/gtest.h>
#include <X11/keysym.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "editor/controls/DrawnForm.h"
#include "os/window/HeadlessWindow.h"
#include "tests/support/TestEnvironment.h"

class DrawnFormFixture : public ::testing::Test {
 protected:
  // Counts the presses a window of the program (not a form's) is given.
  struct PressCounter : os::WindowSink {
    int presses = 0;
    void OnWindowMouse(const os::MouseEvent& e) override {
      presses += e.kind == os::MouseEvent::Kind::kDown;
    }
  };

  void SetUp() override {
    DrawnForm::SetWindowMaker([this](const DrawnForm::WindowPlacement& placement) -> std::unique_ptr<os::Window> {
      auto w = os::HeadlessWindow::Create(placement.width, placement.height, placement.x, placement.y);
      made.push_back(w.get());
      specs.push_back(placement);
      return w;
    });
  }
  void TearDown() override { DrawnForm::SetWindowMaker(nullptr); }

  os::HeadlessWindow* Last() { return made.empty() ? nullptr : made.back(); }
  // Runs fn on the loop once the form is up (inside its modal run).
  void Later(std::function<void()> fn) { env.loop().Post(std::move(fn)); }
  // Runs fn on the loop once the forms have made n windows.
  void WhenMade(size_t n, std::function<void()> fn) {
    Later([this, n, fn = std::move(fn)] {
      if (made.size() >= n)
        fn();
      else
        WhenMade(n, fn);
    });
  }
  // Runs fn once the input injected by the Laters before it has arrived.
  void Then(std::function<void()> fn) {
    Later([this, fn = std::move(fn)] { Later(fn); });
  }
  void Key(uint32_t keysym) {
    Later([this, keysym] { Last()->InjectKey(os::KeyEvent::Kind::kDown, keysym); });
  }
  void Click(int x, int y) {
    Later([this, x, y] { Last()->InjectClick(os::MouseButton::kLeft, x, y); });
  }
  // Writes the newest window's picture next to the test binary.
  void Snapshot(const std::string& name) {
    ASSERT_NE(Last(), nullptr);
    EXPECT_TRUE(Last()->WritePng(name + ".png"));
  }
  // The number of pixels of that colour in the window.
  static int CountColour(const os::HeadlessWindow* w, uint32_t colour) {
    int n = 0;
    for (uint32_t p : w->Pixels()) n += (p | 0xFF000000u) == colour;
    return n;
  }
  // Pixels light in every channel: text (glyph edges are blended).
  static int CountLight(const os::HeadlessWindow* w, int left = 0, int top = 0, int right = 1 << 20,
                        int bottom = 1 << 20) {
    int n = 0;
    for (int y = std::max(top, 0); y < std::min(bottom, w->Height()); ++y)
      for (int x = std::max(left, 0); x < std::min(right, w->Width()); ++x) {
        const uint32_t p = w->Pixel(x, y);
        n += ((p >> 16) & 0xFF) > 0xB0 && ((p >> 8) & 0xFF) > 0xB0 && (p & 0xFF) > 0xB0;
      }
    return n;
  }

  vesk::test::TestEnvironment env;
  std::vector<os::HeadlessWindow*> made;  // pointers stay valid while the form lives
  std::vector<DrawnForm::WindowPlacement> specs;
};
