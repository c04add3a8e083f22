#include "os/ProgressWindow.h"

#include <mutex>

namespace os {

namespace {
std::mutex g_mutex;
ProgressWindow::Factory g_factory;
HeadlessProgressWindow* g_current = nullptr;
}  // namespace

std::unique_ptr<ProgressWindow> ProgressWindow::Create() {
  Factory f;
  {
    std::lock_guard<std::mutex> g(g_mutex);
    f = g_factory;
  }
  if (f) return f();
  return std::make_unique<HeadlessProgressWindow>();
}

void ProgressWindow::SetFactory(Factory f) {
  std::lock_guard<std::mutex> g(g_mutex);
  g_factory = std::move(f);
}

HeadlessProgressWindow::HeadlessProgressWindow() {
  std::lock_guard<std::mutex> g(g_mutex);
  previous_ = g_current;
  g_current = this;
}

HeadlessProgressWindow::~HeadlessProgressWindow() {
  std::lock_guard<std::mutex> g(g_mutex);
  if (g_current == this) {
    g_current = previous_;
  } else {
    for (HeadlessProgressWindow* w = g_current; w; w = w->previous_)
      if (w->previous_ == this) {
        w->previous_ = previous_;
        break;
      }
  }
}

void HeadlessProgressWindow::PressCancel() {
  if (cancelEnabled_ && onCancel) onCancel();
}

HeadlessProgressWindow* HeadlessProgressWindow::Current() {
  std::lock_guard<std::mutex> g(g_mutex);
  return g_current;
}

}  // namespace os
