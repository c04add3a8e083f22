#include "os/window/TopLevelWindow.h"

#include <X11/Xlib.h>

#include <cstdlib>

#include "os/window/HeadlessWindow.h"
#include "os/window/X11Window.h"

namespace os {
namespace {

TopLevelWindowFactory& Factory() {
  static TopLevelWindowFactory factory;
  return factory;
}

WindowRect& ScreenOverride() {
  static WindowRect bounds;
  return bounds;
}

}  // namespace

std::unique_ptr<Window> CreateTopLevelWindow(int x, int y, int width, int height, const std::string& title) {
  if (width < 1 || height < 1) return nullptr;
  if (Factory()) return Factory()(x, y, width, height, title);
  const char* display = std::getenv("DISPLAY");
  if (display && *display) return X11Window::CreateTopLevel(nullptr, x, y, width, height, title);
  std::unique_ptr<Window> window = HeadlessWindow::Create(width, height, x, y);
  if (window) window->SetTitle(title);
  return window;
}

void SetTopLevelWindowFactory(TopLevelWindowFactory factory) { Factory() = std::move(factory); }

WindowRect MainScreenBounds() {
  if (!ScreenOverride().Empty()) return ScreenOverride();
  WindowRect bounds{0, 0, 1920, 1080};
  const char* name = std::getenv("DISPLAY");
  if (!name || !*name) return bounds;
  if (::Display* display = XOpenDisplay(nullptr)) {
    const int screen = DefaultScreen(display);
    bounds = {0, 0, DisplayWidth(display, screen), DisplayHeight(display, screen)};
    XCloseDisplay(display);
  }
  return bounds;
}

void SetMainScreenBounds(const WindowRect& bounds) { ScreenOverride() = bounds; }

}  // namespace os
