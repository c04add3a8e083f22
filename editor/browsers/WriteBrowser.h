#pragma once
// Stores the sound in the edit buffer into the synthesizer's memory: in
// program mode with category, sub-category, name, bank and number; in
// performance mode with name and number only.
#include "editor/browsers/BlueDialogBase.h"

class WriteBrowser : public BlueDialogBase {
 public:
  static constexpr int kCategoryId = 0;
  static constexpr int kSubCategoryId = 1;
  static constexpr int kNameId = 2;
  static constexpr int kBankId = 3;
  static constexpr int kDestinationId = 4;
  // Every category the synthesizer has, USER (6) included.
  static constexpr int kCategoryCount = 7;

  WriteBrowser(Oskend::IRemoteSynth* synth, int kind, const std::string& title)
      : BlueDialogBase(synth, title), m_iKind(kind) {}

  bool OnCreate() override;
  void UpdateSubCategory();
  void UpdateDestinationSound();
  void OnSave();
  void OnOK() override { OnSave(); }

  void OnHfcCtrlIntValueChanged(CHfcControl* control, int value) override;
  void OnHfcCtrlPtrValueChanged(CHfcControl* control, void* text) override;
  bool OnHfcCtrlMouseLButtonDown(CHfcControl* control, int x, int y, int mods) override;
  bool OnHfcCtrlMouseLButtonDoubleClick(CHfcControl* control, int x, int y, int mods) override;
  // A digit typed into the destination entry while it has the focus starts
  // a new number there: the entry edits from then on, and Return takes the
  // number. GUI thread.
  bool OnHfcCtrlKeyChar(CHfcControl* control, int chr) override;

 private:
  int m_iKind;
};
