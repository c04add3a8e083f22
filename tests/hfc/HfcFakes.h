#pragma once
// Small recording stand-ins for the framework tests: a window over a
// headless platform window, a layer and a control that log what reaches
// them, and a listener that logs the control's reports.
#include <memory>
#include <string>
#include <vector>

#include "hfc/CHfcControl.h"
#include "hfc/CHfcControlListener.h"
#include "hfc/CHfcKey.h"
#include "hfc/CHfcMouse.h"
#include "hfc/CHfcWindow.h"
#include "hfc/CHfcWindowLayer.h"
#include "os/window/HeadlessWindow.h"

namespace hfctest {

using Log = std::vector<std::string>;

inline std::string Entry(const std::string& who, const std::string& what, int x, int y) {
  return who + " " + what + " " + std::to_string(x) + "," + std::to_string(y);
}

class FakeWindow : public CHfcWindow {
 public:
  FakeWindow() : platform_(os::HeadlessWindow::Create(400, 300)) {
    SetPlatformWindow(platform_.get());
  }
  ~FakeWindow() override { SetPlatformWindow(nullptr); }
  bool DrawLayers(const tagHfcRect* rect, bool now) override {
    if (rect) drawn.push_back({*rect, now});
    return true;
  }
  os::HeadlessWindow* platform() { return platform_.get(); }

  struct Draw {
    tagHfcRect rect;
    bool now;
  };
  std::vector<Draw> drawn;

 private:
  std::unique_ptr<os::HeadlessWindow> platform_;
};

// A framework window over a headless platform window of its own.
class HeadlessHfcWindow : public CHfcWindow {
 public:
  HeadlessHfcWindow(int width, int height) : platform_(os::HeadlessWindow::Create(width, height)) {
    SetPlatformWindow(platform_.get());
    platform_->Show();
  }
  ~HeadlessHfcWindow() override { SetPlatformWindow(nullptr); }
  os::HeadlessWindow* platform() { return platform_.get(); }

 private:
  std::unique_ptr<os::HeadlessWindow> platform_;
};

class RecordingControl : public CHfcControl {
 public:
  RecordingControl(std::string name, Log* log) : name_(std::move(name)), log_(log) {}
  ~RecordingControl() override { Destroy(); }

  bool consume = false;
  bool consumeDrag = false;
  int dragAction = 0;
  int lostCaptures = 0;

  // Creates, shows and enables.
  void Place(int x, int y, int w, int h) {
    Create(x, y, w, h, 1);
    Show(false);
    Enable(false);
  }
  bool OnHfcMouseLButtonDown(CHfcMouse*, int x, int y, int) override {
    log_->push_back(Entry(name_, "ldown", x, y));
    return consume;
  }
  bool OnHfcMouseLButtonUp(CHfcMouse*, int x, int y, int) override {
    log_->push_back(Entry(name_, "lup", x, y));
    return consume;
  }
  bool OnHfcMouseLButtonDoubleClick(CHfcMouse*, int x, int y, int) override {
    log_->push_back(Entry(name_, "ldouble", x, y));
    return consume;
  }
  bool OnHfcMouseRButtonDown(CHfcMouse*, int x, int y, int) override {
    log_->push_back(Entry(name_, "rdown", x, y));
    return consume;
  }
  bool OnHfcMouseRButtonDoubleClick(CHfcMouse*, int x, int y, int) override {
    log_->push_back(Entry(name_, "rdouble", x, y));
    return consume;
  }
  bool OnHfcMouseRButtonUp(CHfcMouse*, int x, int y, int) override {
    log_->push_back(Entry(name_, "rup", x, y));
    return consume;
  }
  bool OnHfcMouseMove(CHfcMouse*, int x, int y, int) override {
    log_->push_back(Entry(name_, "move", x, y));
    return consume;
  }
  using CHfcControl::OnHfcMouseWheelMoved;
  bool OnHfcMouseWheelMoved(CHfcMouse*, int x, int y, int axis, int delta, int) override {
    log_->push_back(Entry(name_, "wheel" + std::to_string(delta), x, y));
    return consume;
  }
  void OnHfcMouseLostCapture(CHfcMouse*) override { ++lostCaptures; }
  bool OnHfcDragTrackingEnterWindow(CHfcDrag*, CHfcDragFlavor*, int x, int y, int,
                                    int* action) override {
    log_->push_back(Entry(name_, "enter", x, y));
    if (action) *action = dragAction;
    return consumeDrag;
  }
  bool OnHfcDragTrackingInWindow(CHfcDrag*, CHfcDragFlavor*, int x, int y, int,
                                 int* action) override {
    log_->push_back(Entry(name_, "in", x, y));
    if (action) *action = dragAction;
    return consumeDrag;
  }
  bool OnHfcDragTrackingLeaveWindow(CHfcDrag*) override {
    log_->push_back(name_ + " leave");
    return false;
  }
  bool OnHfcDragReceive(CHfcDrag*, CHfcDragFlavor*, int x, int y, int, int* action) override {
    log_->push_back(Entry(name_, "drop", x, y));
    if (action) *action = dragAction;
    return consumeDrag;
  }
  void Draw(CHfcDrawContext*) override { log_->push_back(name_ + " draw"); }
  void Erase(CHfcDrawContext*) override { log_->push_back(name_ + " erase"); }

 private:
  std::string name_;
  Log* log_;
};

class RecordingLayer : public CHfcWindowLayer {
 public:
  explicit RecordingLayer(Log* log) : log_(log) {}
  bool OnHfcMouseLButtonDown(CHfcMouse*, int x, int y, int) override {
    log_->push_back(Entry("layer", "ldown", x, y));
    return false;
  }
  bool OnHfcMouseLButtonUp(CHfcMouse*, int x, int y, int) override {
    log_->push_back(Entry("layer", "lup", x, y));
    return true;
  }
  bool OnHfcMouseMove(CHfcMouse*, int x, int y, int) override {
    log_->push_back(Entry("layer", "move", x, y));
    return true;
  }
  using CHfcWindowLayer::OnHfcMouseWheelMoved;
  bool OnHfcMouseWheelMoved(CHfcMouse*, int x, int y, int, int delta, int) override {
    log_->push_back(Entry("layer", "wheel" + std::to_string(delta), x, y));
    return true;
  }
  bool OnHfcDragTrackingEnterWindow(CHfcDrag*, CHfcDragFlavor*, int x, int y, int,
                                    int*) override {
    log_->push_back(Entry("layer", "enter", x, y));
    return false;
  }
  bool OnHfcDragTrackingInWindow(CHfcDrag*, CHfcDragFlavor*, int x, int y, int, int*) override {
    log_->push_back(Entry("layer", "in", x, y));
    return false;
  }
  bool OnHfcDragTrackingLeaveWindow(CHfcDrag*) override {
    log_->push_back("layer leave");
    return false;
  }
  bool OnHfcDragReceive(CHfcDrag*, CHfcDragFlavor*, int x, int y, int, int*) override {
    log_->push_back(Entry("layer", "drop", x, y));
    return false;
  }

 private:
  Log* log_;
};

class RecordingListener : public CHfcControlListener {
 public:
  explicit RecordingListener(Log* log) : log_(log) {}
  bool consumeKeys = false;
  bool OnHfcCtrlMouseLButtonLongDown(CHfcControl*, int, int, int) override {
    log_->push_back("long press");
    return false;
  }
  void OnHfcCtrlKeySetFocus(CHfcControl*) override { log_->push_back("listener set focus"); }
  void OnHfcCtrlKeyLostFocus(CHfcControl*) override { log_->push_back("listener lost focus"); }
  bool OnHfcCtrlKeyDown(CHfcControl*, int chr, int key, int mods) override {
    log_->push_back("listener down " + std::to_string(chr) + " " + std::to_string(key) + " " +
                    std::to_string(mods));
    return consumeKeys;
  }
  bool OnHfcCtrlKeyChar(CHfcControl*, int chr) override {
    log_->push_back("listener char " + std::to_string(chr));
    return consumeKeys;
  }

 private:
  Log* log_;
};

// Brings the mouse and key hubs up for one test and down again.
class ScopedHubs {
 public:
  explicit ScopedHubs(bool fullMouse = false) {
    CHfcMouse::Initialize(fullMouse);
    CHfcKey::Initialize();
  }
  ~ScopedHubs() {
    CHfcKey::Uninitialize();
    CHfcMouse::Uninitialize();
  }
};

}  // namespace hfctest
