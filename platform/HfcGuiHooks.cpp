#include "platform/HfcGuiHooks.h"

#include <mutex>

#include "os/Lock.h"

namespace {
os::Lock g_mutex;
HfcGuiHooks g_hooks;

HfcGuiHooks Hooks() {
  std::lock_guard<os::Lock> g(g_mutex);
  return g_hooks;
}
}  // namespace

void HfcSetGuiHooks(const HfcGuiHooks& hooks) {
  std::lock_guard<os::Lock> g(g_mutex);
  g_hooks = hooks;
}

void HfcReleaseMouseCapture() {
  if (auto f = Hooks().releaseCapture) f();
}

void HfcWindowLocalToGlobal(CHfcWindow* window, tagHfcPoint* point) {
  if (!window) return;
  if (auto f = Hooks().localToGlobal) f(window, point);
}

void* HfcWindowSystemWindow(CHfcWindow* window) {
  if (!window) return nullptr;
  if (auto f = Hooks().systemWindow) return f(window);
  return window;
}
