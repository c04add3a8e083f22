#include "editor/pages/combi_global/CombiTimbreParamLayer.h"

CombiTimbreParamLayer::CombiTimbreParamLayer(Oskend::IRemoteSynth* synth)
    : CombiMultiTrackParamLayer(synth, eMode_Combi, false) {}

int CombiTimbreParamLayer::GetParamId(int kind) {
  return kind >= 0 && kind <= 2 ? 0x104 + kind : -1;
}

void CombiTimbreParamLayer::GetMenuItemInfoList(std::list<MenuItemInfo>& list) {
  using M = MenuItemInfo;
  for (const M* m : {&M::kMenuItemInfo_WriteCombination, &M::kMenuItemInfo_Separator})
    list.push_back(*m);
  AppendFileAndTransferItems(list, eMode_Combi);
}
