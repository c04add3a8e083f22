#include "os/MenuBar.h"

#include <mutex>

#include "os/DefinitionRegistry.h"
#include "os/Lock.h"

namespace os {

namespace {
os::Lock g_mutex;
DefinitionRegistry<MenuBar>& Definitions() {
  static DefinitionRegistry<MenuBar> registry;
  return registry;
}
MenuBar* g_current = nullptr;
bool g_quitInAppMenu = false;
}  // namespace

void MenuBar::Define(int resourceId, Definition d) {
  Definitions().Define(resourceId, std::move(d));
}

void MenuBar::Define(const std::string& file, const std::string& name, Definition d) {
  Definitions().Define(file, name, std::move(d));
}

std::unique_ptr<MenuBar> MenuBar::Load(int resourceId) { return Definitions().Load(resourceId); }

std::unique_ptr<MenuBar> MenuBar::Load(const std::string& file, const std::string& name) {
  return Definitions().Load(file, name);
}

void MenuBar::SetCurrent(MenuBar* bar) {
  std::lock_guard<os::Lock> g(g_mutex);
  g_current = bar;
}

MenuBar* MenuBar::Current() {
  std::lock_guard<os::Lock> g(g_mutex);
  return g_current;
}

bool MenuBar::QuitInApplicationMenu() {
  std::lock_guard<os::Lock> g(g_mutex);
  return g_quitInAppMenu;
}

void MenuBar::SetQuitInApplicationMenu(bool on) {
  std::lock_guard<os::Lock> g(g_mutex);
  g_quitInAppMenu = on;
}

}  // namespace os
