#pragma once
// The settings window, drawn with the program's own forms: three panes
// chosen by a tab strip (audio output, MIDI, other), popups that open a
// menu of their items, sliders with live feedback, a check box and the
// Cancel, Apply and OK buttons. Every control shows and changes the
// dialog's control of the same signature and index; closing only hides.
#include <string>
#include <vector>

#include "editor/controls/DrawnForm.h"
#include "host/SettingsDialog.h"

class SettingsWindow : private DrawnForm {
 public:
  static constexpr int kWidth = 520;
  static constexpr int kHeight = 330;

  explicit SettingsWindow(SettingsDialog& dialog);
  ~SettingsWindow() override;

  // Shows and brings forward (the preferences command).
  bool Show(const std::string& title);
  void Hide();
  bool IsVisible() const;
  void Refresh();
  int lastPaneSelected() const { return lastPaneSelected_; }
  os::Window* window() const { return DrawnForm::window(); }

  // The tab strip: a value that is already shown changes nothing.
  void SelectPane(int value);

  enum class Kind { kTab, kPopup, kSlider, kCheck, kText, kButton };
  struct Place {
    Kind kind;
    uint32_t signature;
    int index;
    int pane;  // 0: every pane
    int x, y, w, h;
    const char* label;
  };
  static const std::vector<Place>& Layout();
  // The control at a point of the current pane, or null.
  const Place* HitTest(int x, int y) const;

  // What a click does, for the window and for tests.
  void Click(const Place& place, int x, int globalX, int globalY);
  void SetSliderFromX(const Place& place, int x, bool live);

  void OnWindowMouse(const os::MouseEvent& e) override;
  void OnWindowClose() override;

 private:
  void Paint() override;

  SettingsDialog& dialog_;
  int lastPaneSelected_ = 1;
  const Place* dragging_ = nullptr;
  bool visible_ = false;
};
