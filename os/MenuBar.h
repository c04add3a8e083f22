#pragma once
// The application's menu bar: the menus along the top of the screen. Bars
// are defined by code and loaded by resource id or by interface file.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "os/Menu.h"

namespace os {

class MenuBar {
 public:
  std::vector<std::unique_ptr<Menu>> menus;

  using Definition = std::function<std::unique_ptr<MenuBar>()>;
  static void Define(int resourceId, Definition d);
  static void Define(const std::string& file, const std::string& name, Definition d);
  static std::unique_ptr<MenuBar> Load(int resourceId);
  static std::unique_ptr<MenuBar> Load(const std::string& file, const std::string& name);

  // The bar shown now (not owned), or null.
  static void SetCurrent(MenuBar* bar);
  static MenuBar* Current();
  // Whether the desktop puts Quit in an application menu of its own (then
  // a File menu's Quit item is redundant). Off on this platform unless set.
  static bool QuitInApplicationMenu();
  static void SetQuitInApplicationMenu(bool on);
};

}  // namespace os
