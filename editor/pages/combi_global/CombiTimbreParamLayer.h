#pragma once
// The timbre parameter page of a performance.
#include "editor/pages/combi_global/CombiMultiTrackParamLayer.h"

class CombiTimbreParamLayer : public CombiMultiTrackParamLayer {
 public:
  explicit CombiTimbreParamLayer(Oskend::IRemoteSynth* synth);
  int GetBaseId(int track) override { return 0x200 + 0x100 * track; }
  int GetParamId(int kind) override;
  void GetMenuItemInfoList(std::list<MenuItemInfo>& list) override;
};
