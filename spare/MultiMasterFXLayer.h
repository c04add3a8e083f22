#pragma once
// The master-effect page of a multi: the performance page's layout with
// every control linked to no parameter.
#include <list>

#include "editor/pages/combi_global/CombiMultiMasterFXLayer.h"

class MultiMasterFXLayer : public CombiMultiMasterFXLayer {
 public:
  explicit MultiMasterFXLayer(Oskend::IRemoteSynth* synth);

  void GetMenuItemInfoList(std::list<MenuItemInfo>& list) override;
  int GetParamId(int) override { return -1; }
};
