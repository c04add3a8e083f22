#pragma once
// Where a person finds things in `Vesk Editor`'s window: the points of the
// front panel's controls, the tabs, the keys of the on-screen keyboard and
// the controls of the pages, taken from the controls themselves (the root
// layer over the real pages, built here on the headless backend in the mode
// the program shows), and the titles and items of the menu strip (the
// program's own menu definitions laid out as its window lays them out).
// Points are in the view's coordinates, menu titles in the window's.
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "model/eMode.h"

class CHfcControl;
class CHfcWindowLayer;
class CTabControl;

namespace vesk::test {
class PageHarness;
class RealPagesRoot;
}  // namespace vesk::test

namespace vesk::journey {

struct Point {
  int x = 0, y = 0;
};

class WindowMap {
 public:
  explicit WindowMap(eMode mode);
  ~WindowMap();
  WindowMap(const WindowMap&) = delete;
  WindowMap& operator=(const WindowMap&) = delete;
  // Shows another mode (its strip and panel) in the map.
  void ToMode(eMode mode);

  // The middle of a front panel control (OskendBackgroundLayer's ids).
  Point Panel(int id);
  // The middle of tab `index` of the main strip of GUI mode 0 (performance),
  // 1 (program) or 2 (global).
  Point MainTab(int guiMode, int index);
  // The middle of sub-tab `index` of a main tab's page (the page shown).
  Point SubTab(int guiMode, int page, int index);
  // The middle of a control of a main tab's page.
  Point OnPage(int guiMode, int page, int id);
  // The middle of the value a knob of a page shows, where a double click
  // starts typing a value.
  Point ValueFieldOnPage(int guiMode, int page, int id);
  // Opens in the map the picker that a control of a page opens (the page
  // shown first in the map too); the control's point. Then a row of the
  // picker's list and its OK and Cancel buttons.
  Point OpenPicker(eMode mode, int guiMode, int page, int id);
  Point PickerRow(int index);
  Point PickerOk();
  Point PickerCancel();
  // Opens in the map the sound browser that a click on the display's sound
  // name opens in performance mode; the name's point. Its rows and buttons
  // are the picker's above.
  Point OpenSoundBrowser();
  // A point on the white key `whiteKey` (0 the leftmost) of the keyboard.
  Point WhiteKey(int whiteKey);

  // The middle of an item of the UTILITY switch's menu, as the page shown
  // on the strip of GUI mode `guiMode` fills it, inside the menu's window.
  Point UtilityItem(int guiMode, const std::string& text);

  // The middle of a title of the menu strip (window coordinates), and of an
  // item of that menu inside the menu's own window.
  static Point MenuTitle(const std::string& title);
  static Point MenuItem(const std::string& title, const std::string& item);
  // The middle of a button of the Settings window ("OK", "Cancel", "Apply"),
  // inside that window; and the window's size.
  static Point SettingsButton(const std::string& label);
  static int SettingsWidth();
  static int SettingsHeight();
  // The program's open and save dialogs ("Load Data File", "Save Data
  // File"): the middle of its "OK" or "Cancel" button and of row `row` of
  // its list of files (0 the top one shown), inside the dialog's window.
  static Point FileDialogButton(const std::string& label);
  static Point FileDialogRow(int row);
  // The middle of the dialog's file-type pop-up, and of the item of a kind
  // of file (its description) in the pop-up's menu as the mode shown fills
  // it, inside the menu's window.
  static Point FileDialogTypePopUp();
  Point FileDialogType(const std::string& description);

 private:
  static Point Middle(const CHfcWindowLayer& layer, const CHfcControl& c);
  // OK or Cancel of the open picker or sound browser.
  Point PickerButton(bool ok);
  // An item of a menu of texts, inside the menu's window.
  static Point ItemOf(const std::vector<std::string>& texts, const std::string& item);
  static Point TabOf(const CHfcWindowLayer& layer, const CTabControl& tabs, int index);
  CTabControl& Strip(int guiMode);
  // A control of a main tab's page (or of its sub-tab's page shown) and the
  // layer that holds it.
  CHfcControl& ControlOnPage(int guiMode, int page, int id, CHfcWindowLayer** layer);
  std::unique_ptr<vesk::test::PageHarness> harness_;
  std::unique_ptr<vesk::test::RealPagesRoot> root_;
};

}  // namespace vesk::journey
