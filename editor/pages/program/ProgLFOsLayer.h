#pragma once
// Program tab 5, LFOs: waveform, frequency, start phase and shape of the
// four oscillator LFOs and the common LFO, above five form sub-pages.
// Construction: ProgLFOsLayer(synth).
#include "editor/pages/program/ProgEditLayer.h"

class ProgLFOsLayer : public ProgEditLayer {
 public:
  explicit ProgLFOsLayer(Oskend::IRemoteSynth* synth) : ProgEditLayer(synth) {}
  bool OnCreate() override;
  void GetMenuItemInfoList(std::list<MenuItemInfo>& out) override { AppendMenu(kMenuLFOs, out); }
};
