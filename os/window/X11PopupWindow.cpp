#include "os/window/X11PopupWindow.h"

#include <X11/Xlib.h>

namespace os {

std::unique_ptr<X11Window> CreateX11PopupWindow(const char* displayName, int x, int y, int width,
                                                int height) {
  auto window = X11Window::CreateTopLevel(displayName, x, y, width, height, "");
  if (!window) return nullptr;
  // The attribute belongs to the window, not to a connection, so a short
  // connection of our own can set it; it must reach the server before the
  // window is first mapped.
  Display* display = XOpenDisplay(displayName);
  if (display == nullptr) return nullptr;
  XSetWindowAttributes attributes{};
  attributes.override_redirect = True;
  XChangeWindowAttributes(display, static_cast<::Window>(window->NativeId()), CWOverrideRedirect,
                          &attributes);
  XSync(display, False);
  XCloseDisplay(display);
  window->MoveTo(x, y);
  return window;
}

}  // namespace os
