#include "editor/pages/combi_global/GlobalSystemLayer.h"

#include <algorithm>
#include <cstdio>

#include "hfc/CHfcControl.h"

GlobalSystemLayer::GlobalSystemLayer(Oskend::IRemoteSynth* synth)
    : GlobalPageLayerBase(synth, eMode_Global, true, kDumpSwitchId) {}

std::string GlobalSystemLayer::MasterTuneText(int value) {
  // The synthesizer may send any byte: the table is read within its range.
  const int index = std::clamp(value - kMasterTuneMin, 0, kMasterTuneCount - 1);
  char hz[32];
  std::snprintf(hz, sizeof hz, "%.2f", static_cast<double>(kMasterTuneTable[index]));
  return std::string("Master Tune [") + hz + "Hz]";
}

void GlobalSystemLayer::OnPostSynchronizeControlWithParam(CHfcControl*, Oskend::ISection*, int) {
  UpdateMasterTuneLabel();
}

void GlobalSystemLayer::UpdateMasterTuneLabel() {
  CHfcControl* label = GetControlById(kMasterTuneLabelId, 0);
  if (!label) return;
  std::string text = MasterTuneText(GetParamValue(GetTargetMode(), kMasterTuneId));
  label->SetPtrValue(const_cast<char*>(text.c_str()), true);
}

void GlobalSystemLayer::GetMenuItemInfoList(std::list<MenuItemInfo>& list) {
  for (const MenuItemInfo* m :
       {&MenuItemInfo::kMenuItemInfo_WriteGlobalSetting, &MenuItemInfo::kMenuItemInfo_Separator,
        &MenuItemInfo::kMenuItemInfo_Load, &MenuItemInfo::kMenuItemInfo_Save,
        &MenuItemInfo::kMenuItemInfo_Separator, &MenuItemInfo::kMenuItemInfo_ReceiveAll,
        &MenuItemInfo::kMenuItemInfo_TransmitAll, &MenuItemInfo::kMenuItemInfo_ReceiveGlobal,
        &MenuItemInfo::kMenuItemInfo_TransmitGlobal})
    list.push_back(*m);
}
