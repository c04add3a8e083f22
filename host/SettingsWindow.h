#pragma once
// The settings window, drawn with the program's own forms: three panes
// chosen by a tab strip (audio output, MIDI, other), popups that open a
// menu of their items, sliders with live feedback, a check box and the
// Cancel, Apply and OK buttons. It keeps no settings of its own: it draws
// the dialog's controls (same signature and index) and hands each user
// action to the dialog once. It is modal while shown; every way it goes
// (OK, Cancel, Escape, its close box, the program taking it down) ends
// that. Main thread only.
#include <string>
#include <vector>

#include "editor/controls/DrawnForm.h"
#include "host/SettingsDialog.h"

class SettingsWindow : private DrawnForm {
 public:
  // Wide enough that the popups show the names systems give their devices
  // whole (ALSA's null device: "Discard all samples (playback) or generate
  // zero samples (capture) (null)"); longer ones are cut with "...".
  static constexpr int kWidth = 600;
  static constexpr int kHeight = 330;

  explicit SettingsWindow(SettingsDialog& dialog);
  ~SettingsWindow() override;

  // Shows and brings forward (the preferences command). Asked for while a
  // question is open, the window comes up once that is answered.
  bool Show(const std::string& title);
  // Takes the window down and ends its modal run; the controls keep their
  // state in the dialog, so it comes back as it was. Closing the window
  // (its close box) does this and nothing else.
  void Hide();
  bool IsVisible() const;
  // Asked for and waiting for a question's answer.
  bool IsWaiting() const { return waitListener_ != 0; }
  void Refresh();
  os::Window* window() const { return DrawnForm::window(); }

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

  void OnWindowMouse(const os::MouseEvent& e) override;
  bool OnWindowKey(const os::KeyEvent& e) override;
  void OnWindowClose() override;

 private:
  void Paint() override;
  void PaintControl(const Place& p);
  bool Open();
  void StopWaiting();
  // What a press on a control means to the dialog.
  void Press(const Place& p, int x);
  // The item the user chose in a popup's menu, 0 for none.
  int ChooseFromPopup(const Place& p);
  int SliderValueAt(const Place& p, int x) const;

  SettingsDialog& dialog_;
  std::string title_;
  const Place* dragging_ = nullptr;
  int waitListener_ = 0;
};
