#include "spare/MultiMasterFXLayer.h"

MultiMasterFXLayer::MultiMasterFXLayer(Oskend::IRemoteSynth* synth)
    : CombiMultiMasterFXLayer(synth, eMode_Multi) {}

void MultiMasterFXLayer::GetMenuItemInfoList(std::list<MenuItemInfo>& list) {
  for (const MenuItemInfo* m :
       {&MenuItemInfo::kMenuItemInfo_WriteMulti, &MenuItemInfo::kMenuItemInfo_CopyMFXTFX,
        &MenuItemInfo::kMenuItemInfo_Separator, &MenuItemInfo::kMenuItemInfo_Load,
        &MenuItemInfo::kMenuItemInfo_Save, &MenuItemInfo::kMenuItemInfo_Separator,
        &MenuItemInfo::kMenuItemInfo_ReceiveAll, &MenuItemInfo::kMenuItemInfo_TransmitAll,
        &MenuItemInfo::kMenuItemInfo_ReceiveMulti, &MenuItemInfo::kMenuItemInfo_TransmitMulti,
        &MenuItemInfo::kMenuItemInfo_Receive1Multi, &MenuItemInfo::kMenuItemInfo_Transmit1Multi})
    list.push_back(*m);
}
