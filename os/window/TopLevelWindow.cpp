#include "os/window/TopLevelWindow.h"

#include <cstdlib>

#include "os/window/HeadlessWindow.h"
#include "os/window/X11Window.h"

namespace os {
namespace {

TopLevelWindowFactory& Factory() {
  static TopLevelWindowFactory factory;
  return factory;
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

}  // namespace os
