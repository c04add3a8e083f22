#pragma once
// The window that shows the hosted component's editor view: a top-level
// window of the program's whose native window is the view's parent. It can
// be locked in place; closing it ends the program.
#include <functional>
#include <memory>
#include <string>

#include "host/AudioComponent.h"
#include "os/window/Window.h"

class EditorWindow : public os::WindowSink {
 public:
  using WindowMaker =
      std::function<std::unique_ptr<os::Window>(int width, int height, const std::string& title)>;
  // Empty: X11 windows on $DISPLAY.
  static void SetWindowMaker(WindowMaker maker);

  ~EditorWindow() override;

  // Makes the window (hidden); false when no window can be made.
  bool createEditWindow(const std::string& title);
  os::Window* getEditWindow() const { return window_.get(); }
  void setEditUnit(AudioComponent* unit);
  // (Re)opens the view in the window, fits the window to it and shows it.
  // NRX exceptions when the view cannot be made.
  void editSynth();
  void setEditWindowLock(bool locked);
  bool locked() const { return locked_; }
  bool editing() const { return editing_; }
  // Closes the view (the window stays).
  void CloseView();
  void Idle();
  // What closing the window does (the program's exit).
  void SetCloseHandler(std::function<void()> handler) { onClose_ = std::move(handler); }

  void OnWindowClose() override;
  void OnWindowBoundsChanging(os::WindowRect* bounds, bool sized, bool moved) override;

 private:
  std::unique_ptr<os::Window> window_;
  AudioComponent* unit_ = nullptr;
  bool viewOpen_ = false;
  bool editing_ = false;
  bool locked_ = false;
  std::function<void()> onClose_;
};
