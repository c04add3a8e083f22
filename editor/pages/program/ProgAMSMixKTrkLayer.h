#pragma once
// Program tab 6, AMS Mix/KTrk: each oscillator's two modulation mixers
// (type list and type picture) above the two mixer sub-pages and the
// keyboard-track sub-page. Construction: ProgAMSMixKTrkLayer(synth).
#include "editor/pages/program/ProgEditLayer.h"

class ProgAMSMixKTrkLayer : public ProgEditLayer {
 public:
  explicit ProgAMSMixKTrkLayer(Oskend::IRemoteSynth* synth) : ProgEditLayer(synth) {}
  bool OnCreate() override;
  void OnHfcCtrlIntValueChanged(CHfcControl* control, int value) override;
  void GetMenuItemInfoList(std::list<MenuItemInfo>& out) override { AppendMenu(kMenuAMS, out); }
  void UpdateControlStatus() override;
  void UpdateMixerType(int pid);
  void ApplyKeyValueChange(int pid, int value) {
    ApplyKeyTriple(pid, value, {{0x1F00, 0x1F01, 0x1F02}, {0x2F00, 0x2F01, 0x2F02}});
  }

 protected:
  void OnSectionParamChangedModel(int pid) override;
  void UpdateControlsFor(int pid) override;
};
