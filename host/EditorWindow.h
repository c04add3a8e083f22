#pragma once
// The window that shows the hosted component's editor view: a top-level
// window of the program's with the application's menus in a strip along
// its top and, below it, the native window that is the view's parent. Each
// time the view is made (at start and at every lock change) the window is
// centred on the main screen; while locked it keeps that place. Closing it
// ends the program.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "host/AudioComponent.h"
#include "os/window/Window.h"

class EditorWindow : public os::WindowSink {
 public:
  using WindowMaker =
      std::function<std::unique_ptr<os::Window>(int width, int height, const std::string& title)>;
  // Empty: X11 windows on $DISPLAY.
  static void SetWindowMaker(WindowMaker maker);

  ~EditorWindow() override;

  static constexpr int kMenuHeight = 22;
  struct MenuItem {
    std::string text;
    uint32_t command = 0;  // 0: a separator
  };
  struct MenuDef {
    std::string title;
    std::vector<MenuItem> items;
  };
  // The menus of the strip, whether a command is enabled now, and what a
  // chosen command does.
  void SetMenus(std::vector<MenuDef> menus, std::function<bool(uint32_t)> isEnabled,
                std::function<void(uint32_t)> chosen);
  // The title under a point of the strip, or -1.
  int MenuTitleAt(int x, int y) const;
  // Opens menu `index` under its title as the user's click does.
  void TrackMenu(int index);

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
  void OnWindowMouse(const os::MouseEvent& e) override;
  void OnWindowExpose(const os::WindowRect& area) override;
  void OnWindowBoundsChanging(os::WindowRect* bounds, bool sized, bool moved) override;

 private:
  void PaintMenuStrip();
  // Centres the window on the main screen and remembers the place.
  void Centre();
  std::unique_ptr<os::Window> window_;
  os::WindowPoint home_;
  // The view's parent below the strip (X11 only).
  std::unique_ptr<os::Window> viewParent_;
  std::vector<MenuDef> menus_;
  std::vector<std::pair<int, int>> titleSpans_;  // x from, x to
  std::function<bool(uint32_t)> isEnabled_;
  std::function<void(uint32_t)> chosen_;
  AudioComponent* unit_ = nullptr;
  bool viewOpen_ = false;
  bool editing_ = false;
  bool locked_ = false;
  std::function<void()> onClose_;
};
