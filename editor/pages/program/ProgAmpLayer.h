#pragma once
// Program tab 4, Amp: level, pan and pan modulation of both amplifiers and
// their envelope graphs, above four form sub-pages; the Amp2 controls
// follow the oscillator mode and the keyboard-track break keys stay in
// order. Construction: ProgAmpLayer(synth).
#include "editor/pages/program/ProgEditLayer.h"

class ProgAmpLayer : public ProgEditLayer {
 public:
  explicit ProgAmpLayer(Oskend::IRemoteSynth* synth) : ProgEditLayer(synth) {}
  bool OnCreate() override;
  void GetMenuItemInfoList(std::list<MenuItemInfo>& out) override { AppendMenu(kMenuWithEG, out); }
  void UpdateControlStatus() override;
  void ApplyKeyValueChange(int pid, int value) {
    ApplyKeyTriple(pid, value, {{0x1B00, 0x1B01, 0x1B02}, {0x2B00, 0x2B01, 0x2B02}});
  }

 protected:
  void OnSectionParamChangedModel(int pid) override;
};
