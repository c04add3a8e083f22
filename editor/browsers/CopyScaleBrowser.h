#pragma once
// Copies a tuning scale (with its key for the pure scales) into one of the
// user scales.
#include "editor/browsers/BlueDialogBase.h"

class CopyScaleBrowser : public BlueDialogBase {
 public:
  static constexpr int kSourceId = 0;
  static constexpr int kKeyId = 1;
  static constexpr int kDestinationId = 2;
  static constexpr int kSourceCount = 14;
  static constexpr int kStretch = 9;
  static constexpr int kAllNotes = 4;
  static const char* const kSources[kSourceCount];
  static const char* const kKeys[12];
  static const char* const kDestinations[5];

  CopyScaleBrowser(Oskend::IRemoteSynth* synth, const std::string& title)
      : BlueDialogBase(synth, title) {}

  bool OnCreate() override;
  void UpdateFromDDList();
  void OnOK() override;
  void OnHfcCtrlIntValueChanged(CHfcControl* control, int value) override;
  bool OnHfcCtrlMouseLButtonDown(CHfcControl* control, int x, int y, int mods) override;

  const bool* GetSourceEnableFlags() const { return m_sourceEnable; }

 private:
  XEDropdownList* m_pKey = nullptr;
  XEDropdownList* m_pSource = nullptr;
  bool m_sourceEnable[kSourceCount];
};
