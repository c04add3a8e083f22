#include "spare/CombiMultiInsertFXLayerBase.h"

#include <string>

#include "editor/controls/CTabControl.h"
#include "editor/controls/CXBCtrlFxRoutingGraph.h"
#include "editor/controls/FxRoutingGraphManager.h"
#include "editor/controls/UI_FORMINFO.h"
#include "editor/controls/XEControlCreater.h"
#include "editor/pages/combi_global/PageBuild.h"
#include "editor/pages/program/EffectEditLayer.h"
#include "editor/shell/XEControlContainer.h"
#include "hfc/CHfcControl.h"
#include "model/ISection.h"
#include "spare/CCombiTrackRoutingPageLayer.h"

using combipage::AddGroup;

namespace {

// The id arrays of the routing graph, the same in every mode.
struct RoutingIds {
  int types[5], onOff[5], chainTo[3], chain[4], buses[5], all[2], sources[16], mode[1];
  int slots[5][16];
  RoutingIds() {
    for (int i = 0; i < 5; ++i) {
      types[i] = 0x1200 + i;
      onOff[i] = 0x1205 + i;
      buses[i] = 0x120F + i;
    }
    for (int i = 0; i < 3; ++i) chainTo[i] = 0x122C + i;
    for (int i = 0; i < 4; ++i) chain[i] = 0x1228 + i;
    all[0] = all[1] = -1;
    mode[0] = -1;
    for (int t = 0; t < 16; ++t) {
      sources[t] = 0x234 + (t << 8);
      for (int s = 0; s < 5; ++s) slots[s][t] = 0x238 + s + (t << 8);
    }
  }
  const int* const* Arrays() {
    static_assert(FxRoutingGraphManager::kArrays == 13);
    list[0] = types;
    list[1] = onOff;
    list[2] = chainTo;
    list[3] = chain;
    list[4] = buses;
    list[5] = all;
    list[6] = sources;
    list[7] = mode;
    for (int s = 0; s < 5; ++s) list[8 + s] = slots[s];
    return list;
  }
  const int* list[13];
};

const UI_FORMINFO* FormById(int id) {
  for (const UI_FORMINFO& form : g_uiFormInfoArray)
    if (form.id == id) return &form;
  return nullptr;
}

}  // namespace

CombiMultiInsertFXLayerBase::CombiMultiInsertFXLayerBase(Oskend::IRemoteSynth* synth, eMode mode,
                                                         bool groups)
    : CombiMultiLayerBase(synth, mode, groups) {}

int CombiMultiInsertFXLayerBase::GetRoutingGraphId() const {
  return GetTargetMode() == eMode_Multi ? 0x14832 : 0x14831;
}

bool CombiMultiInsertFXLayerBase::OnCreate() {
  CreateSetupControls();
  CreateSublevelTab();
  return CombiMultiLayerBase::OnCreate();
}

void CombiMultiInsertFXLayerBase::CreateSetupControls() {
  const eMode mode = GetTargetMode();
  auto put = [&](XEControlContainer* g, CHfcControl* c, int pid, bool link) {
    if (!c) return;
    AddControl(c, false);
    c->SetListener(this);
    c->Show(false);
    if (link) {
      LinkControlWithParam(c, mode, pid);
      SynchronizeControlWithParam(c, true);
    }
    if (g) g->AddControl(c);
  };

  XEControlContainer* title = AddGroup(this, "Container_Horizontal_1", 9, 5, 0, 0);
  {
    XEControlCreater make(title->m_pBackground, title->m_iX, title->m_iY);
    put(title, make.CreateLabel(5, 5, "IFX Routing", 100, 13, 1, 0, 1, -1), -1, false);
  }
  XEControlContainer* routing = AddGroup(this, "Container_Base", 9, 25, 0, 101);

  for (int i = 0; i < kSlots; ++i) {
    XEControlContainer* row = AddGroup(this, "Container_FxSel", 414, 27 + 18 * i, 200, 17);
    XEControlCreater make(row->m_pBackground, row->m_iX, row->m_iY);
    const std::string name = "IFX" + std::to_string(i + 1);
    put(row, make.CreateLabel(6, 3, name, 70, 0, 2, 0, 1, kEffectLabel + i), -1, false);
    put(row, make.CreateSwitch(36, 2, "Switch_CheckBox", 2, kEffectOnOff + i, 0), kEffectOnOff + i,
        true);
    put(row, make.CreateSoundSelector(51, 2, 1, 6, kEffectType + i, 0), kEffectType + i, true);
  }

  XEControlCreater make(routing->m_pBackground, routing->m_iX, routing->m_iY);
  const int graphId = GetRoutingGraphId();
  CXBCtrlFxRoutingGraph* graph = make.CreateFxRoutingGraph(50, 2, 695, 1, graphId);
  if (!graph) return;
  put(routing, graph, graphId, true);
  RoutingIds ids;
  AddFxRoutingGraphManager(new FxRoutingGraphManager(GetGraphPage(), graph, ids.Arrays()));
}

void CombiMultiInsertFXLayerBase::CreateSublevelTab() {
  EditTabPageLayerBase::CreateSublevelTab("Tab_Low_InsertFX", 130, 76);
  CHfcWindow* window = GetParentWindow();
  const eMode mode = GetTargetMode();
  auto add = [&](CTabPageLayer* page) {
    if (m_pSublevelTab)
      m_pSublevelTab->AddTabPageLayer(window, page);
    else
      delete page;
  };

  auto* routing = new CCombiTrackRoutingPageLayer(m_pRemoteSynth, "");
  routing->SetTargetMode(mode);
  if (const UI_FORMINFO* form = FormById(ID_COMBI_IFX_ROUTING)) routing->Create(*form, window, "");
  add(routing);

  auto* setup = new CTabPageLayer(m_pRemoteSynth, "");
  setup->SetTargetMode(mode);
  if (const UI_FORMINFO* form = FormById(ID_COMBI_IFX_SETUP)) setup->Create(*form, window, "");
  add(setup);

  for (int i = 0; i < kSlots; ++i) {
    auto* effect = new EffectEditLayer(m_pRemoteSynth, mode, i);
    effect->Create(window);
    m_effectPages[i] = effect;
    effect->OnEffectTypeChanged(GetParamValue(mode, kEffectType + i));
    add(effect);
    effect->OnEffectTypeChanged(-1);
  }
}

void CombiMultiInsertFXLayerBase::OnHfcCtrlIntValueChanged(CHfcControl* control, int value) {
  XESynthLayer::OnHfcCtrlIntValueChanged(control, value);
}

void CombiMultiInsertFXLayerBase::OnRemoteSynthCurSoundChanged(Oskend::IRemoteSynth* synth,
                                                               const Oskend::SSoundIndex& index) {
  for (int i = 0; i < kSlots; ++i)
    if (m_effectPages[i])
      m_effectPages[i]->OnEffectTypeChanged(GetParamValue(GetTargetMode(), kEffectType + i));
  CombiMultiLayerBase::OnRemoteSynthCurSoundChanged(synth, index);
}

void CombiMultiInsertFXLayerBase::OnSectionParamChanged(Oskend::ISection* section, int pid) {
  if (section && pid >= kEffectType && pid < kEffectType + kSlots) {
    const int slot = pid - kEffectType;
    // A type change may move the chain targets of the next slot as well.
    const int last = slot < kSlots - 1 ? slot + 1 : slot;
    for (int i = slot; i <= last; ++i)
      if (m_effectPages[i])
        m_effectPages[i]->OnEffectTypeChanged(
            section->GetParamI_AvoidToCallISectionsPrepareParamDesc(kEffectType + i));
    RequestRedraw();
  }
  CombiMultiLayerBase::OnSectionParamChanged(section, pid);
}

void CombiMultiInsertFXLayerBase::OnSectionReinitialized(Oskend::ISection* section) {
  RequestRedraw();
  XERemoteSynthEventHandler::OnSectionReinitialized(section);
}

CombiInsertFXLayer::CombiInsertFXLayer(Oskend::IRemoteSynth* synth)
    : CombiMultiInsertFXLayerBase(synth, eMode_Combi, false) {}

int CombiInsertFXLayer::GetParamId(int which) {
  switch (which) {
    case 0: return 0x1200;
    case 1: return 0x1205;
    case 2: return 0x200;
    default: return -1;
  }
}

void CombiInsertFXLayer::GetMenuItemInfoList(std::list<MenuItemInfo>& list) {
  for (const MenuItemInfo* m :
       {&MenuItemInfo::kMenuItemInfo_WriteCombination, &MenuItemInfo::kMenuItemInfo_CopyInsertEffect,
        &MenuItemInfo::kMenuItemInfo_SwapInsertEffect, &MenuItemInfo::kMenuItemInfo_Separator,
        &MenuItemInfo::kMenuItemInfo_Load, &MenuItemInfo::kMenuItemInfo_Save,
        &MenuItemInfo::kMenuItemInfo_Separator, &MenuItemInfo::kMenuItemInfo_ReceiveAll,
        &MenuItemInfo::kMenuItemInfo_TransmitAll, &MenuItemInfo::kMenuItemInfo_ReceiveCombi,
        &MenuItemInfo::kMenuItemInfo_TransmitCombi, &MenuItemInfo::kMenuItemInfo_Receive1Combi,
        &MenuItemInfo::kMenuItemInfo_Transmit1Combi})
    list.push_back(*m);
}

MultiInsertFXLayer::MultiInsertFXLayer(Oskend::IRemoteSynth* synth)
    : CombiMultiInsertFXLayerBase(synth, eMode_Multi, true) {}

void MultiInsertFXLayer::GetMenuItemInfoList(std::list<MenuItemInfo>& list) {
  for (const MenuItemInfo* m :
       {&MenuItemInfo::kMenuItemInfo_WriteMulti, &MenuItemInfo::kMenuItemInfo_CopyInsertEffect,
        &MenuItemInfo::kMenuItemInfo_SwapInsertEffect, &MenuItemInfo::kMenuItemInfo_Separator,
        &MenuItemInfo::kMenuItemInfo_Load, &MenuItemInfo::kMenuItemInfo_Save,
        &MenuItemInfo::kMenuItemInfo_Separator, &MenuItemInfo::kMenuItemInfo_ReceiveAll,
        &MenuItemInfo::kMenuItemInfo_TransmitAll, &MenuItemInfo::kMenuItemInfo_ReceiveMulti,
        &MenuItemInfo::kMenuItemInfo_TransmitMulti, &MenuItemInfo::kMenuItemInfo_Receive1Multi,
        &MenuItemInfo::kMenuItemInfo_Transmit1Multi})
    list.push_back(*m);
}
