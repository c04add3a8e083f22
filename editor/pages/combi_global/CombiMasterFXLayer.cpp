#include "editor/pages/combi_global/CombiMasterFXLayer.h"

CombiMasterFXLayer::CombiMasterFXLayer(Oskend::IRemoteSynth* synth)
    : CombiMultiMasterFXLayer(synth, eMode_Combi) {}

int CombiMasterFXLayer::GetParamId(int kind) {
  static constexpr int kIds[] = {0x1800, 0x1801, 0x1B00, 0x1802, 0x1803, 0x1B01, 0x1804,
                                 0x1805, 0x1B02, 0x1806, -1,     0xD203, 0xD205};
  return kind >= 0 && kind <= 12 ? kIds[kind] : -1;
}

void CombiMasterFXLayer::GetMenuItemInfoList(std::list<MenuItemInfo>& list) {
  using M = MenuItemInfo;
  for (const M* m : {&M::kMenuItemInfo_WriteCombination, &M::kMenuItemInfo_CopyMFXTFX, &M::kMenuItemInfo_Separator})
    list.push_back(*m);
  AppendFileAndTransferItems(list, eMode_Combi);
}
