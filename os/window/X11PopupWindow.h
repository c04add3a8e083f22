#pragma once
// A borderless top-level X11 window that the window manager leaves alone
// (override-redirect), for menus shown at a screen point.
#include <memory>

#include "os/window/X11Window.h"

namespace os {

// displayName null means $DISPLAY. Null on any failure.
std::unique_ptr<X11Window> CreateX11PopupWindow(const char* displayName, int x, int y, int width,
                                                int height);

}  // namespace os
