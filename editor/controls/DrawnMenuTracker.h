#pragma once
// The drawn form of the system's menu tracking: each open menu level is a
// borderless window at its screen point, submenus open to the side of their
// item. The mouse chooses on release over an item; the arrow keys move and
// open or close submenus, Enter chooses, Escape and a press outside every
// level (or the focus going elsewhere) close without a choice. Answers as os::Menu::Track does.
#include <memory>
#include <vector>

#include "os/Menu.h"
#include "os/window/Window.h"
#include "os/window/WindowEvents.h"

class DrawnMenuTracker {
 public:
  // Item rows and separators, in pixels.
  static constexpr int kItemHeight = 18;
  static constexpr int kSeparatorHeight = 7;
  static constexpr int kPadding = 4;

  static os::Menu::TrackResult Track(os::Menu& menu, int x, int y, int item);
  // Ends the tracking under way without a choice (aborted).
  static void Cancel();

  // Top of an item (0-based) inside its menu window.
  static int ItemTop(const os::Menu& menu, int index);

  struct Level;
  class Panel;

 private:
  explicit DrawnMenuTracker(os::Menu& root);
  ~DrawnMenuTracker();
  os::Menu::TrackResult Run(int x, int y, int item);

  friend class Panel;
  void OnMouse(const os::MouseEvent& e);
  void OnKey(const os::KeyEvent& e);
  void Finish(uint32_t selection, bool aborted);
  // Opens a level for menu at the screen point; false when it cannot.
  bool OpenLevel(os::Menu& menu, int x, int y);
  void CloseLevelsAbove(size_t depth);
  void OpenSubmenuOf(size_t depth, bool highlightFirst);
  void Highlight(size_t depth, int index);
  void Step(int direction);
  // Level and item under a screen point; false outside every level.
  bool HitTest(int gx, int gy, size_t* depth, int* index) const;

  os::Menu& mRoot;
  // The run of the tracking (Run's), whose windows are the levels.
  os::Window::ModalInput* mModal = nullptr;
  std::vector<std::unique_ptr<Level>> mLevels;
  os::Menu::TrackResult mResult;
  bool mDone = false;
};
