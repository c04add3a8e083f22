#pragma once
// The timbre parameter page: the scale of the sound above five tabs that
// edit the per-timbre settings side by side. The subclass of a mode gives
// the track base ids and the scale parameter ids.
#include "editor/pages/combi_global/CombiMultiLayerBase.h"

class CombiMultiTrackParamLayer : public CombiMultiLayerBase {
 public:
  // The tabs' forms, in tab order; tab 3 holds host-automated parameters.
  static constexpr int kTabForms[5] = {0x430, 0x431, 0x432, 0x435, 0x433};

  CombiMultiTrackParamLayer(Oskend::IRemoteSynth* synth, eMode mode, bool groups);

  bool OnCreate() override;
  // 0 scale type, 1 scale key, 2 random; -1 for others.
  virtual int GetParamId(int kind) = 0;

  using EditTabPageLayerBase::CreateSublevelTab;
  virtual bool CreateSublevelTab();

 private:
  void CreateOtherSectionControls();
};
