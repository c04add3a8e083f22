#pragma once
// One menu of the system, loaded from a menu definition or made empty.
#include <memory>
#include <string>

namespace os {
class Menu;
}

class CHfcMenu {
 public:
  CHfcMenu();
  ~CHfcMenu();
  CHfcMenu(const CHfcMenu&) = delete;
  CHfcMenu& operator=(const CHfcMenu&) = delete;

  // False when a menu is held already or the definition is missing.
  bool Load(int resID);
  // False when a menu is held already.
  bool Create(int id, const char* title);
  bool Destroy();
  bool CheckItem(int item, bool checked);
  // These act on the item when it exists and answer false in every case,
  // as callers of this class have always been told.
  bool SetItemText(int item, const char* text);
  bool GetItemText(int item, char* dst);
  bool EnableItem(int item);
  bool DisableItem(int item);
  bool IsItemEnabled(int item);

  os::Menu* GetMenu() const { return menu_.get(); }
  const std::string& GetTitle() const { return title_; }

 private:
  // 1-based item, null outside the menu.
  void* Item(int item);
  std::unique_ptr<os::Menu> menu_;
  std::string title_;
};
