#pragma once
// Receiver of a native window's events, always called on the main thread
// (through os::MainLoop).
#include <functional>

#include "os/window/WindowEvents.h"

namespace os {

class WindowSink {
 public:
  virtual ~WindowSink() = default;
  // Every call below that comes from the window comes through this: a sink
  // that must know while its own code runs (to hold off what would pull the
  // ground from under it) wraps the delivery once here.
  virtual void OnWindowEvent(const std::function<void()>& deliver) { deliver(); }
  virtual void OnWindowMouse(const MouseEvent& e) {}
  // True when the key was used; false leaves it to the host.
  virtual bool OnWindowKey(const KeyEvent& e) { return false; }
  virtual void OnWindowFocus(bool gained) {}
  // Returns the framework drag effect: 0 none, 1 move, 2 copy, 3 link. On a
  // drop, 0 (or anything else outside 1..3) refuses it.
  virtual int OnWindowDrag(const DragEvent& e) { return 0; }
  // The area must be presented again (exposed or invalidated).
  virtual void OnWindowExpose(const WindowRect& area) {}
  // The close box (the window manager's delete request).
  virtual void OnWindowClose() {}
  // The user is moving or resizing a top-level window: bounds are screen
  // coordinates of the content, and the sink may change them.
  virtual void OnWindowBoundsChanging(WindowRect* bounds, bool sized, bool moved) {}
  virtual void OnWindowBoundsChanged(const WindowRect& bounds, bool sized, bool moved) {}
  // The user collapsed (or expanded) the window; false puts it back.
  virtual bool OnWindowCollapse(bool collapsed) { return true; }
};

}  // namespace os
