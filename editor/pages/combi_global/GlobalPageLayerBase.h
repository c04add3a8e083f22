#pragma once
// The base of the global pages: an optional push switch at the top right
// that sends the global settings to the synthesizer after a confirmation.
#include "editor/shell/EditTabPageLayerBase.h"

class GlobalPageLayerBase : public EditTabPageLayerBase {
 public:
  static constexpr int kDumpSwitchId = 0x100000;
  static constexpr int kDumpCommand = 25;

  bool OnCreate() override;
  void OnHfcCtrlIntValueChanged(CHfcControl* control, int value) override;
  virtual bool CreateDumpSwitch();

 protected:
  GlobalPageLayerBase(Oskend::IRemoteSynth* synth, eMode mode, bool hasDumpSwitch, int dumpSwitchId);

  bool m_bHasDumpSwitch;
  int m_iDumpSwitchId;

 private:
  void DumpGlobalSetting();
};
