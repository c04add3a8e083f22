#pragma once
// The filter and amp tab of the timbre parameter page: its parameters are
// the ones the host automates, so every edit is written as a reported
// change (the host hears of it).
#include <string>

#include "editor/shell/CTabPageLayer.h"

class CAutomationTabPageLayer : public CTabPageLayer {
 public:
  CAutomationTabPageLayer(Oskend::IRemoteSynth* synth, const std::string& name)
      : CTabPageLayer(synth, name) {}
  void OnHfcCtrlIntValueChanged(CHfcControl* control, int value) override;
};
