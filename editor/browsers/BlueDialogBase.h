#pragma once
// The frame of the small blue dialogs (write, rename, copy): labels, lists
// and text entries built into the page, the OK and Cancel switches at the
// bottom, and the one-command OK: switches disabled and deaf, the command,
// a stop-icon message box when it fails, and the end of the modal state in
// every case.
#include <string>

#include "editor/shell/CTabPageLayer.h"

class CHfcCtrlCharEditText;
class CHfcCtrlSwitch;
class XEDropdownList;
class XEStaticText;

class BlueDialogBase : public CTabPageLayer {
 public:
  static constexpr int kOkId = 1010;
  static constexpr int kCancelId = 1011;
  static constexpr unsigned kLabelColour = 0xFF6178C2u;

  BlueDialogBase(Oskend::IRemoteSynth* synth, const std::string& title)
      : CTabPageLayer(synth, title) {}

  // A closed page may still get the idle of the tick that closed it.
  void Idle(unsigned long elapsed) override {
    if (IsCreated()) CTabPageLayer::Idle(elapsed);
  }
  CHfcCtrlSwitch* GetOkSwitch() const { return m_pOk; }
  CHfcCtrlSwitch* GetCancelSwitch() const { return m_pCancel; }
  virtual void OnOK() {}
  virtual void OnCancel() { EndModal(); }

  // The value of a control found by id (list values -1 when none chosen).
  int ValueOf(int id);
  std::string TextOf(int id);

 protected:
  // The text entries' width, and the right edge of the entries of the
  // write and copy dialogs, which stand at x 27.
  static constexpr int kEntryWidth = 164;
  static constexpr int kFieldsRight = 27 + kEntryWidth;
  // The factory's style of the dialogs' lists.
  static constexpr int kLongListStyle = 10;

  XEStaticText* AddLabel(int x, int y, const std::string& text, int width = 150);
  XEDropdownList* AddList(int x, int y, int id, int style = kLongListStyle);
  CHfcCtrlCharEditText* AddEntry(int x, int y, int maxChars, int id);
  void CreateOKSwitch();
  void CreateCancelSwitch();
  // Creates both switches and enables them (OK state 1, Cancel state 1).
  void CreateSwitches();
  // Switches disabled (with redraw) and deaf.
  void SilenceSwitches();
  // Runs a command as OK does; a failure shows the text.
  void RunCommand(int command, int a1, int a2, int a3, int a4, const char* failure);
  // The synthesizer's command; one place for every dialog's OK.
  virtual bool ExecSynthCommand(int command, int a1, int a2, int a3, int a4);
  // A stop-icon box with OK, titled with the product name.
  void ShowError(const char* text);

  CHfcCtrlSwitch* m_pOk = nullptr;
  CHfcCtrlSwitch* m_pCancel = nullptr;
};
