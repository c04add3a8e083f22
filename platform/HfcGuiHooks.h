#pragma once
// What the platform services need of the GUI framework, which builds on
// them: the framework installs these functions once it exists. Without
// them no mouse capture is released, window-local points are taken as
// screen points, and a window stands for its own system window.
#include "platform/HfcGeometry.h"

class CHfcWindow;

struct HfcGuiHooks {
  // Tells the control that holds the mouse that it lost it.
  void (*releaseCapture)() = nullptr;
  // Window-local to screen coordinates in place; false leaves the point.
  bool (*localToGlobal)(CHfcWindow* window, tagHfcPoint* point) = nullptr;
  // The window's system window, or null when it has none.
  void* (*systemWindow)(CHfcWindow* window) = nullptr;
};

void HfcSetGuiHooks(const HfcGuiHooks& hooks);

// The calls through the hooks, with their fall-backs.
void HfcReleaseMouseCapture();
void HfcWindowLocalToGlobal(CHfcWindow* window, tagHfcPoint* point);
void* HfcWindowSystemWindow(CHfcWindow* window);
