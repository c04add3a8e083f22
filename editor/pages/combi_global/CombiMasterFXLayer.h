#pragma once
// The performance's master-effect page.
#include "editor/pages/combi_global/CombiMultiMasterFXLayer.h"

class CombiMasterFXLayer : public CombiMultiMasterFXLayer {
 public:
  explicit CombiMasterFXLayer(Oskend::IRemoteSynth* synth);
  int GetParamId(int kind) override;
  void GetMenuItemInfoList(std::list<MenuItemInfo>& list) override;
};
