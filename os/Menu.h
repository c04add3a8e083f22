#pragma once
// The system's menus: a list of items (text, command, reference value,
// separator, enabled, mark, submenu), shown at a screen point and tracked
// until the user chooses or dismisses. Tracking answers the classic way:
// the chosen item's menu id in the high 16 bits and its 1-based number in
// the low ones, 0 for none. The headless tracker answers from a script
// that tests fill and keeps a transcript of what was shown; a drawn form
// can be installed through SetTracker.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace os {

class Menu {
 public:
  struct Item {
    std::string text;
    int command = 0;
    intptr_t refCon = 0;
    bool separator = false;
    bool enabled = true;
    char mark = 0;             // any non-zero mark shows as checked
    bool literal = false;      // text shown as is, no meta characters
    Menu* submenu = nullptr;   // not owned
  };

  explicit Menu(int id);
  // Items of other menus that open this one lose their submenu.
  ~Menu();
  Menu(const Menu&) = delete;
  Menu& operator=(const Menu&) = delete;
  int id() const { return id_; }
  std::vector<Item>& items() { return items_; }
  const std::vector<Item>& items() const { return items_; }

  // Inserts after the 1-based item number (0 = first); numbers past the end
  // append.
  void Insert(int afterNumber, Item item);
  // This menu or one of its submenus, at any depth, with that id.
  Menu* FindById(int id);

  struct TrackResult {
    uint32_t selection = 0;
    bool aborted = false;  // tracking was cancelled from outside
  };
  // Shows the menu with item number `item` under the global point.
  TrackResult Track(int x, int y, int item);
  // How a popup control's menu lies against its window: at least as wide
  // as the control, and kept between the window's left and right screen
  // edges (cut to that width when its texts are wider). A right edge of 0
  // leaves the menu free.
  struct Fit {
    int minWidth = 0;
    int left = 0;
    int right = 0;
  };
  void SetFit(const Fit& fit) { fit_ = fit; }
  const Fit& fit() const { return fit_; }
  // Ends the tracking under way, if any, without a choice.
  static void CancelTracking();

  using Tracker = std::function<TrackResult(Menu&, int x, int y, int item)>;
  // empty: back to the headless form. cancel ends the installed tracker's
  // tracking under way (CancelTracking).
  static void SetTracker(Tracker t, std::function<void()> cancel = {});

  // Menus defined by code, loaded by resource id or by interface file.
  using Definition = std::function<std::unique_ptr<Menu>()>;
  static void Define(int resourceId, Definition d);
  static void Define(const std::string& file, const std::string& name, Definition d);
  static std::unique_ptr<Menu> Load(int resourceId);
  static std::unique_ptr<Menu> Load(const std::string& file, const std::string& name);

 private:
  int id_;
  std::vector<Item> items_;
  Fit fit_;
};

class HeadlessMenuTracker {
 public:
  struct ShownItem {
    std::string text;
    int command = 0;
    bool separator = false;
    bool disabled = false;
    bool checked = false;
    std::vector<ShownItem> submenu;
  };
  struct Shown {
    int x = 0, y = 0, item = 0;
    Menu::Fit fit;
    int menuId = 0;
    std::vector<ShownItem> items;
    Menu::TrackResult result;
  };

  // What the user does at the next menus, in order. A menu without a
  // scripted choice is closed without one. Choosing a separator, a disabled
  // item or an item that opens a submenu chooses nothing.
  static void ScriptNone();
  static void ScriptAbort();
  static void ScriptIndex(std::vector<int> path);  // 0-based, into submenus
  static void ScriptCommand(int command);
  static std::vector<Shown> Transcript();
  static void Reset();

  static Menu::TrackResult Track(Menu& menu, int x, int y, int item);
};

}  // namespace os
