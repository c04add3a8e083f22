#pragma once
// The framework's context and pop-up menu: built item by item, shown at a
// point, answering the chosen item. Items are addressed by 0-based index;
// each carries a command id (kept as its reference value too).
#include <memory>

namespace os {
class Menu;
}
class CHfcWindow;

class CHfcPopupMenu {
 public:
  static constexpr unsigned int kItemSeparator = 1;
  static constexpr unsigned int kItemDisabled = 2;

  CHfcPopupMenu();
  virtual ~CHfcPopupMenu();
  CHfcPopupMenu(const CHfcPopupMenu&) = delete;
  CHfcPopupMenu& operator=(const CHfcPopupMenu&) = delete;

  // An empty menu; false when one exists already. A menu that will be
  // attached as a submenu needs a non-zero id.
  bool Create(int menuId, bool flag);
  bool Load(int resourceId);
  bool LoadFromNib(char* nibName, char* menuName);
  bool Destroy();

  // Inserts before the item now at index (past the end: appends). Text is
  // shown literally.
  bool InsertItem(int index, int commandId, const char* text, unsigned int flags);
  bool DeleteItem(int index);
  bool RenameItem(int index, const char* text);
  bool GetItemText(int index, char* buffer, int size);
  bool EnableItem(int index, bool on);
  void EnableAllItems(bool on);
  bool IsItemEnabled(int index);
  bool CheckItem(int index, bool on);
  void CheckAllItems(bool on);
  bool IsItemChecked(int index);
  int GetItemId(int index);
  bool SetItemId(int index, int id);
  int GetNumItems();
  CHfcPopupMenu* GetSubMenu(int index) { return nullptr; }
  // The item opens sub (which must have a non-zero id and stay alive while
  // attached).
  bool SetSubMenu(int index, CHfcPopupMenu* sub);

  // At a screen point, with item under it: the chosen 0-based index for a
  // menu of id 0, -1 for none or when aborted; 0 without a menu. The mouse
  // capture is released after the menu has closed.
  int TrackPopup(int x, int y, void* window, int item);
  // At a window-local point (screen point without a window); the capture is
  // released first. Results as above.
  int TrackPopup(int x, int y, CHfcWindow* window, int item);
  int TrackPopup(int x, int y, decltype(nullptr), int item);
  // As the previous one, with the system's 1-based item number under the
  // point; the chosen item's command id (submenus too), 0 for none, -1 when
  // aborted; 0 without a menu.
  int TrackPopupById(int x, int y, CHfcWindow* window, int item);

  // Ends the tracking under way, if any; that tracking call returns -1.
  void Abort();

 private:
  os::Menu* ItemMenu(int index);  // the menu when index names an item
  int Track(int x, int y, CHfcWindow* window, int item, bool byId, bool releaseFirst);

  std::unique_ptr<os::Menu> menu_;
  bool abort_ = false;
  bool created_ = false;
};
