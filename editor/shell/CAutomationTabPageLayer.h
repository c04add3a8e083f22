#pragma once
// A plain sub-page of the automation settings: its controls write their
// parameters as any page's do.
#include <string>

#include "editor/shell/CTabPageLayer.h"

class CAutomationTabPageLayer : public CTabPageLayer {
 public:
  CAutomationTabPageLayer(Oskend::IRemoteSynth* synth, const std::string& name)
      : CTabPageLayer(synth, name) {}
  void OnHfcCtrlIntValueChanged(CHfcControl* control, int value) override;
};
