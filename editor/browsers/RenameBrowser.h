#pragma once
// A one-field dialog that edits the name of the current drum kit,
// external setup or arpeggio pattern.
#include "editor/browsers/BlueDialogBase.h"

class RenameBrowser : public BlueDialogBase {
 public:
  static constexpr int kNameId = 0;

  RenameBrowser(Oskend::IRemoteSynth* synth, int kind, const std::string& title)
      : BlueDialogBase(synth, title), m_iKind(kind) {}

  bool OnCreate() override;
  void OnOK() override;
  void OnHfcCtrlPtrValueChanged(CHfcControl* control, void* text) override;
  bool OnHfcCtrlMouseLButtonDown(CHfcControl* control, int x, int y, int mods) override;
  int GetKind() const { return m_iKind; }

 private:
  int m_iKind;
};
