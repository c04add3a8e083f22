#pragma once
// Receiver of mouse events from windows, layers and the mouse hub. Local
// forms carry the receiver's own coordinates, global forms screen
// coordinates; mods are the modifier flags (1 Shift, 2 Command, 4 Option,
// 8 Control). A true result consumes the event.
#include "os/window/WindowEvents.h"

class CHfcMouse;

class CHfcMouseListener {
 public:
  virtual ~CHfcMouseListener() = default;

  virtual bool OnHfcMouseLButtonDown(CHfcMouse*, int x, int y, int mods) { return false; }
  virtual bool OnHfcMouseLButtonDoubleClick(CHfcMouse*, int x, int y, int mods) { return false; }
  virtual bool OnHfcMouseLButtonUp(CHfcMouse*, int x, int y, int mods) { return false; }
  virtual bool OnHfcMouseRButtonDown(CHfcMouse*, int x, int y, int mods) { return false; }
  virtual bool OnHfcMouseRButtonDoubleClick(CHfcMouse*, int x, int y, int mods) { return false; }
  virtual bool OnHfcMouseRButtonUp(CHfcMouse*, int x, int y, int mods) { return false; }
  virtual bool OnHfcMouseMButtonDown(CHfcMouse*, int x, int y, int mods) { return false; }
  virtual bool OnHfcMouseMButtonDoubleClick(CHfcMouse*, int x, int y, int mods) { return false; }
  virtual bool OnHfcMouseMButtonUp(CHfcMouse*, int x, int y, int mods) { return false; }
  virtual bool OnHfcMouseMove(CHfcMouse*, int x, int y, int mods) { return false; }

  virtual bool OnHfcMouseLButtonDownGlobal(CHfcMouse*, int x, int y, int mods) { return false; }
  virtual bool OnHfcMouseLButtonDownGlobal(CHfcMouse*) { return false; }
  virtual bool OnHfcMouseLButtonDoubleClickGlobal(CHfcMouse*, int x, int y, int mods) { return false; }
  virtual bool OnHfcMouseLButtonDoubleClickGlobal(CHfcMouse*) { return false; }
  virtual bool OnHfcMouseLButtonUpGlobal(CHfcMouse*, int x, int y, int mods) { return false; }
  virtual bool OnHfcMouseLButtonUpGlobal(CHfcMouse*) { return false; }
  virtual bool OnHfcMouseRButtonDownGlobal(CHfcMouse*, int x, int y, int mods) { return false; }
  virtual bool OnHfcMouseRButtonDownGlobal(CHfcMouse*) { return false; }
  virtual bool OnHfcMouseRButtonDoubleClickGlobal(CHfcMouse*, int x, int y, int mods) { return false; }
  virtual bool OnHfcMouseRButtonDoubleClickGlobal(CHfcMouse*) { return false; }
  virtual bool OnHfcMouseRButtonUpGlobal(CHfcMouse*, int x, int y, int mods) { return false; }
  virtual bool OnHfcMouseRButtonUpGlobal(CHfcMouse*) { return false; }
  virtual bool OnHfcMouseMButtonDownGlobal(CHfcMouse*, int x, int y, int mods) { return false; }
  virtual bool OnHfcMouseMButtonDownGlobal(CHfcMouse*) { return false; }
  virtual bool OnHfcMouseMButtonDoubleClickGlobal(CHfcMouse*, int x, int y, int mods) { return false; }
  virtual bool OnHfcMouseMButtonDoubleClickGlobal(CHfcMouse*) { return false; }
  virtual bool OnHfcMouseMButtonUpGlobal(CHfcMouse*, int x, int y, int mods) { return false; }
  virtual bool OnHfcMouseMButtonUpGlobal(CHfcMouse*) { return false; }
  virtual bool OnHfcMouseMoveGlobal(CHfcMouse*, int x, int y, int mods) { return false; }
  virtual bool OnHfcMouseMoveGlobal(CHfcMouse*) { return false; }

  // axis 0 horizontal, 1 vertical; delta in signed wheel steps.
  virtual bool OnHfcMouseWheelMoved(CHfcMouse*, int x, int y, int axis, int delta, int mods) {
    return false;
  }
  virtual bool OnHfcMouseWheelMovedGlobal(CHfcMouse*, int x, int y, int axis, int delta,
                                          int mods) {
    return false;
  }
  virtual bool OnHfcMouseWheelMoved(CHfcMouse*, int axis, int delta, int mods) { return false; }

  virtual void OnHfcMouseLostCapture(CHfcMouse*) {}

  // The raw platform event, for listeners registered with the hub.
  virtual bool OnHfcMouseMacMouseMove(CHfcMouse*, const os::MouseEvent*) { return false; }
  virtual bool OnHfcMouseMacMouseWheelMove(CHfcMouse*, const os::MouseEvent*) { return false; }
};
