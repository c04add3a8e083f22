#include "editor/pages/combi_global/CombiTimbreParamLayer.h"

CombiTimbreParamLayer::CombiTimbreParamLayer(Oskend::IRemoteSynth* synth)
    : CombiMultiTrackParamLayer(synth, static_cast<eMode>(0), false) {}

int CombiTimbreParamLayer::GetParamId(int kind) {
  return kind >= 0 && kind <= 2 ? 0x104 + kind : -1;
}

void CombiTimbreParamLayer::GetMenuItemInfoList(std::list<MenuItemInfo>& list) {
  for (const MenuItemInfo* m :
       {&MenuItemInfo::kMenuItemInfo_WriteCombination, &MenuItemInfo::kMenuItemInfo_Separator,
        &MenuItemInfo::kMenuItemInfo_Load, &MenuItemInfo::kMenuItemInfo_Save,
        &MenuItemInfo::kMenuItemInfo_Separator, &MenuItemInfo::kMenuItemInfo_ReceiveAll,
        &MenuItemInfo::kMenuItemInfo_TransmitAll, &MenuItemInfo::kMenuItemInfo_ReceiveCombi,
        &MenuItemInfo::kMenuItemInfo_TransmitCombi, &MenuItemInfo::kMenuItemInfo_Receive1Combi,
        &MenuItemInfo::kMenuItemInfo_Transmit1Combi})
    list.push_back(*m);
}
