#include "os/MenuBar.h"

#include <map>
#include <mutex>

namespace os {

namespace {
std::mutex g_mutex;
std::map<int, MenuBar::Definition> g_byId;
std::map<std::pair<std::string, std::string>, MenuBar::Definition> g_byFile;
MenuBar* g_current = nullptr;
bool g_quitInAppMenu = false;
}  // namespace

void MenuBar::Define(int resourceId, Definition d) {
  std::lock_guard<std::mutex> g(g_mutex);
  g_byId[resourceId] = std::move(d);
}

void MenuBar::Define(const std::string& file, const std::string& name, Definition d) {
  std::lock_guard<std::mutex> g(g_mutex);
  g_byFile[{file, name}] = std::move(d);
}

std::unique_ptr<MenuBar> MenuBar::Load(int resourceId) {
  Definition d;
  {
    std::lock_guard<std::mutex> g(g_mutex);
    auto it = g_byId.find(resourceId);
    if (it == g_byId.end()) return nullptr;
    d = it->second;
  }
  return d();
}

std::unique_ptr<MenuBar> MenuBar::Load(const std::string& file, const std::string& name) {
  Definition d;
  {
    std::lock_guard<std::mutex> g(g_mutex);
    auto it = g_byFile.find({file, name});
    if (it == g_byFile.end()) return nullptr;
    d = it->second;
  }
  return d();
}

void MenuBar::SetCurrent(MenuBar* bar) {
  std::lock_guard<std::mutex> g(g_mutex);
  g_current = bar;
}

MenuBar* MenuBar::Current() {
  std::lock_guard<std::mutex> g(g_mutex);
  return g_current;
}

bool MenuBar::QuitInApplicationMenu() {
  std::lock_guard<std::mutex> g(g_mutex);
  return g_quitInAppMenu;
}

void MenuBar::SetQuitInApplicationMenu(bool on) {
  std::lock_guard<std::mutex> g(g_mutex);
  g_quitInAppMenu = on;
}

}  // namespace os
