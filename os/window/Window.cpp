#include "os/window/Window.h"

#include <algorithm>

#include "os/MainLoop.h"

namespace os {

namespace {
std::vector<Window*>& Registry() {
  static std::vector<Window*> windows;
  return windows;
}
Window* g_lastPressed = nullptr;
}  // namespace

Window::Window() { Registry().push_back(this); }

Window::~Window() {
  if (MainLoop* loop = MainLoop::Current()) loop->RemovePosted(this);
  auto& all = Registry();
  all.erase(std::remove(all.begin(), all.end(), this), all.end());
  if (g_lastPressed == this) g_lastPressed = nullptr;
}

Window* Window::LastPressed() { return g_lastPressed; }

void Window::SetCursorEverywhere(CursorId id) {
  for (Window* w : Registry()) w->SetCursor(id);
}

void Window::Invalidate(const WindowRect& area) {
  WindowRect r = area;
  r.left = std::max(r.left, 0);
  r.top = std::max(r.top, 0);
  r.right = std::min(r.right, Width());
  r.bottom = std::min(r.bottom, Height());
  if (r.Empty()) return;
  if (exposePosted_) {
    pendingExpose_.left = std::min(pendingExpose_.left, r.left);
    pendingExpose_.top = std::min(pendingExpose_.top, r.top);
    pendingExpose_.right = std::max(pendingExpose_.right, r.right);
    pendingExpose_.bottom = std::max(pendingExpose_.bottom, r.bottom);
    return;
  }
  MainLoop* loop = MainLoop::Current();
  if (!loop) return;
  pendingExpose_ = r;
  exposePosted_ = true;
  loop->Post(
      [this] {
        exposePosted_ = false;
        if (sink_) sink_->OnWindowExpose(pendingExpose_);
      },
      this);
}

void Window::PostToSink(std::function<void(WindowSink*)> call) {
  MainLoop* loop = MainLoop::Current();
  if (!loop) return;
  loop->Post(
      [this, call = std::move(call)] {
        if (sink_) call(sink_);
      },
      this);
}

void Window::Deliver(const MouseEvent& e) {
  if (e.kind == MouseEvent::Kind::kDown) g_lastPressed = this;
  PostToSink([e](WindowSink* sink) { sink->OnWindowMouse(e); });
}

void Window::DeliverKey(const KeyEvent& e) {
  PostToSink([e](WindowSink* sink) { sink->OnWindowKey(e); });
}

void Window::DeliverFocus(bool gained) {
  PostToSink([gained](WindowSink* sink) { sink->OnWindowFocus(gained); });
}

void Window::DeliverExpose(const WindowRect& area) { Invalidate(area); }

void Window::DeliverClose() {
  PostToSink([](WindowSink* sink) { sink->OnWindowClose(); });
}

int Window::DeliverDrag(const DragEvent& e) {
  if (!sink_) return 0;
  const int effect = sink_->OnWindowDrag(e);
  return (effect >= 1 && effect <= 3) ? effect : 0;
}

bool Window::ClipArea(int pictureWidth, int pictureHeight, WindowRect* area) const {
  area->left = std::max(area->left, 0);
  area->top = std::max(area->top, 0);
  area->right = std::min({area->right, Width(), pictureWidth});
  area->bottom = std::min({area->bottom, Height(), pictureHeight});
  return !area->Empty();
}

}  // namespace os
