#pragma once
// Copies the insert effects of a stored program into the sound being
// edited (command 14).
#include "editor/browsers/BlueDialogBase.h"

class CopyIFXBrowserLayer : public BlueDialogBase {
 public:
  static constexpr int kKindId = 1012;
  static constexpr int kBankId = 1013;
  static constexpr int kNumberId = 1014;

  CopyIFXBrowserLayer(Oskend::IRemoteSynth* synth, int kind, const std::string& title)
      : BlueDialogBase(synth, title), m_iKind(kind) {}

  bool OnCreate() override;
  void UpdateSourceSound();
  void UpdateBankList();
  void UpdateDestnationFX() {}
  void OnOK() override;
  void OnHfcCtrlIntValueChanged(CHfcControl* control, int value) override;
  bool OnHfcCtrlMouseLButtonDown(CHfcControl* control, int x, int y, int mods) override;

 private:
  int m_iKind;
  XEDropdownList* m_pSourceKind = nullptr;
  XEDropdownList* m_pSourceBank = nullptr;
  // The source kind the bank list was last built for: one dialog's own,
  // so every dialog's bank list follows the kind chosen in it.
  int m_iLastKind = -1;
  // Only programs can be the source: the popup offers the first kind.
  bool m_kindEnable[3] = {true, false, false};
};
