#pragma once
// Receiver of a native window's events, always called on the main thread
// (through os::MainLoop).
#include <functional>

#include "os/window/WindowEvents.h"

namespace os {

class WindowSink {
 public:
  virtual ~WindowSink() = default;
  // Every event below reaches the sink through this call: deliver runs the
  // handler. A sink that must know while its own code runs for an event
  // (a plug-in editor that defers the host's open and close) wraps it
  // here, once, instead of in each handler.
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
