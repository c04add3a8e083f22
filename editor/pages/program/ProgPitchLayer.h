#pragma once
// Program tab 2, Pitch: the velocity-split multisamples of both
// oscillators and the pitch envelope graph, above six form sub-pages.
// Construction: ProgPitchLayer(synth).
#include "editor/pages/program/ProgEditLayer.h"

class ProgPitchLayer : public ProgEditLayer {
 public:
  explicit ProgPitchLayer(Oskend::IRemoteSynth* synth) : ProgEditLayer(synth) {}
  bool OnCreate() override;
  void GetMenuItemInfoList(std::list<MenuItemInfo>& out) override { AppendMenu(kMenuWithEG, out); }
};
