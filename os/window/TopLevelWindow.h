#pragma once
// Where the program's own top-level windows come from: the X display named
// by $DISPLAY, or a window without a display when there is none. Tests put
// a factory of their own in place.
#include <functional>
#include <memory>
#include <string>

#include "os/window/Window.h"

namespace os {

using TopLevelWindowFactory =
    std::function<std::unique_ptr<Window>(int x, int y, int width, int height, const std::string& title)>;

// Null for a size below 1 x 1 or when the window cannot be made.
std::unique_ptr<Window> CreateTopLevelWindow(int x, int y, int width, int height, const std::string& title);
// An empty factory restores the usual choice.
void SetTopLevelWindowFactory(TopLevelWindowFactory factory);

// Bounds of the main screen in screen coordinates: the X display's first
// screen, or 1920 x 1080 at (0, 0) without a display. Tests may put bounds
// of their own in place; an empty rectangle restores the usual answer.
WindowRect MainScreenBounds();
void SetMainScreenBounds(const WindowRect& bounds);

}  // namespace os
