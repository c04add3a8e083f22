#include "os/ProgressWindow.h"

#include <mutex>

#include "os/FactoryHook.h"
#include "os/Lock.h"

namespace os {

namespace {
FactoryHook<ProgressWindow> g_factory;
os::Lock g_mutex;  // guards the list of headless windows
HeadlessProgressWindow* g_current = nullptr;
}  // namespace

std::unique_ptr<ProgressWindow> ProgressWindow::Create() {
  return g_factory.Make<HeadlessProgressWindow>();
}

void ProgressWindow::SetFactory(Factory f) { g_factory.Set(std::move(f)); }

HeadlessProgressWindow::HeadlessProgressWindow() {
  std::lock_guard<os::Lock> g(g_mutex);
  previous_ = g_current;
  g_current = this;
}

HeadlessProgressWindow::~HeadlessProgressWindow() {
  std::lock_guard<os::Lock> g(g_mutex);
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
  std::lock_guard<os::Lock> g(g_mutex);
  return g_current;
}

}  // namespace os
