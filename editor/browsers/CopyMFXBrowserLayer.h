#pragma once
// Copies the master effects and EQ (or one of them) of a stored program or
// performance into the sound being edited (command 16).
#include "editor/browsers/BlueDialogBase.h"

class CopyMFXBrowserLayer : public BlueDialogBase {
 public:
  static constexpr int kKindId = 1012;
  static constexpr int kBankId = 1013;
  static constexpr int kNumberId = 1014;
  static constexpr int kEffectsId = 1015;

  CopyMFXBrowserLayer(Oskend::IRemoteSynth* synth, int kind, const std::string& title)
      : BlueDialogBase(synth, title), m_iKind(kind) {}

  bool OnCreate() override;
  void UpdateSourceSound();
  void UpdateBankList();
  void OnOK() override;
  void OnHfcCtrlIntValueChanged(CHfcControl* control, int value) override;
  bool OnHfcCtrlMouseLButtonDown(CHfcControl* control, int x, int y, int mods) override;

 private:
  int m_iKind;
  XEDropdownList* m_pSourceKind = nullptr;
  XEDropdownList* m_pSourceBank = nullptr;
  CHfcControl* m_pNumber = nullptr;
  // The source kind the bank list was last built for, per dialog.
  int m_iLastKind = -1;
};
