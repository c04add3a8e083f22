#include "editor/pages/combi_global/CombiMultiMasterFXLayer.h"

#include "editor/controls/CTabControl.h"
#include "editor/controls/XEControlCreater.h"
#include "editor/pages/combi_global/PageBuild.h"
#include "editor/shell/XEControlContainer.h"
#include "hfc/CHfcBmp.h"
#include "hfc/CHfcControl.h"
#include "hfc/CHfcOffscreenContext.h"
#include "model/ISection.h"

using combipage::AddGroup;
using combipage::Put;

CombiMultiMasterFXLayer::CombiMultiMasterFXLayer(Oskend::IRemoteSynth* synth, eMode mode)
    : EditTabPageLayerBase(synth, mode) {}

bool CombiMultiMasterFXLayer::OnCreate() {
  const int w1 = combipage::SkinWidth("Container_Horizontal_1");
  const int h1 = combipage::SkinHeight("Container_Horizontal_1");
  const int w2 = combipage::SkinWidth("Container_Base");
  const eMode mode = GetTargetMode();
  auto link = [&](CHfcControl* c, int pid) {
    if (!c) return;
    LinkControlWithParam(c, mode, pid);
    SynchronizeControlWithParam(c, true);
  };

  XEControlContainer* g = AddGroup(this, "Container_Horizontal_1", 9, 5, 3 * w1 / 4 + 12, h1);
  XEControlCreater title(g->m_pBackground, g->m_iX, g->m_iY);
  Put(this, g, title.CreateLabel(5, 5, "MFX & EQ Routing", 150, 13, 1, 0, 0, -1));
  AddGroup(this, "Container_Base", 9, 25, 3 * w2 / 4 + 12, 101);

  static constexpr int kSelX[] = {82, 82, 427};
  static constexpr int kSelY[] = {28, 57, 56};
  static const char* const kFxNames[] = {"MFX1", "MFX2", "EQ"};
  for (int i = 0; i < 3; ++i) {
    XEControlContainer* c =
        AddGroup(this, i < 2 ? "Container_FxSel" : "Container_FxSelEQ", kSelX[i], kSelY[i], 200, 17);
    XEControlCreater make(c->m_pBackground, c->m_iX, c->m_iY);
    Put(this, c,
        make.CreateLabel(i == 2 ? 17 : 5, 4, kFxNames[i], 70, 13, 2, 0, 0,
                         i == 1 ? GetParamId(11) : -1));
    if (i < 2) {
      link(Put(this, c, make.CreateSwitch(36, 2, "Switch_CheckBox", 2, GetParamId(3 + i), 0)),
           GetParamId(3 + i));
      link(Put(this, c, make.CreateSoundSelector(51, 2, 1, 6, GetParamId(i), 0)), GetParamId(i));
    }
  }

  static constexpr int kKnobX[] = {303, 354, 498};
  static constexpr int kKnobY[] = {74, 74, 38};
  static const char* const kLevelNames[] = {"Return 1", "Return 2", "Master"};
  for (int i = 0; i < 3; ++i) {
    XEControlContainer* c = AddGroup(this, "Container_FxKnob", kKnobX[i], kKnobY[i], 0, 0);
    XEControlCreater make(c->m_pBackground, c->m_iX, c->m_iY);
    Put(this, c,
        make.CreateLabel(0, 2, kLevelNames[i], c->m_iWidth, 13, 2, 1, 0,
                         i == 1 ? GetParamId(12) : -1));
    link(Put(this, c,
             make.CreateKnob((c->m_iWidth - 36) / 2, 13, 0, 127, 0, false, 2, GetParamId(6 + i),
                             false)),
         GetParamId(6 + i));
  }

  AddGroup(this, "Container_MasterFX_Routing", 29, 17, 0, 0);

  XEControlContainer* chainTitle =
      AddGroup(this, "Container_Horizontal_1", 3 * w1 / 4 + 24, 5, w1 / 4 - 14, h1);
  XEControlCreater t2(chainTitle->m_pBackground, chainTitle->m_iX, chainTitle->m_iY);
  Put(this, chainTitle, t2.CreateLabel(5, 5, "Chain", 100, 13, 1, 0, 0, -1));
  XEControlContainer* chain = AddGroup(this, "Container_Base", 3 * w1 / 4 + 24, 25, w1 / 4 - 14, 101);
  XEControlCreater make(chain->m_pBackground, chain->m_iX, chain->m_iY);
  Put(this, chain, make.CreateLabel(30, 10, "Master FX Chain", 100, 13, 0, 0, 0, -1));
  link(Put(this, chain, make.CreateSwitch(10, 8, "Switch_CheckBox", 2, 0x1806, 0)), 0x1806);
  Put(this, chain, make.CreateLabel(10, 28, "Chain Level", 100, 13, 0, 0, 0, -1));
  link(Put(this, chain, make.CreateHorizontalValueBar(80, 26, 0, 127, 0, 0x1808, false)), 0x1808);

  CreateSublevelTab();
  return CTabPageLayer::OnCreate();
}

bool CombiMultiMasterFXLayer::CreateSublevelTab() {
  EditTabPageLayerBase::CreateSublevelTab("Tab_Low_MasterFX", 130, 76);
  for (int i = 0; i < 3; ++i) OnEffectTypeChanged(i, GetParamValue(GetTargetMode(), GetParamId(i)));
  return true;
}

void CombiMultiMasterFXLayer::OnEffectTypeChanged(int, int) {}

bool CombiMultiMasterFXLayer::OnHfcCtrlMouseLButtonDown(CHfcControl* control, int x, int y,
                                                        int mods) {
  if (control && control->GetId() >= 0x10000 && control->GetId() <= 0x10005) {
    if (m_pSublevelTab) {
      m_pSublevelTab->SetActivePageByIndex(control->GetId() & 15, true);
      return true;
    }
  }
  return EditTabPageLayerBase::OnHfcCtrlMouseLButtonDown(control, x, y, mods);
}

void CombiMultiMasterFXLayer::OnPostDrawBackground(CHfcOffscreenContext* dc) {
  if (!dc) return;
  if (GetParamValue(GetTargetMode(), GetParamId(9)) == 0) return;
  if (CHfcBmp* arrow = combipage::Skin("Image_MFX_Routing_MFX1ToMFX2"))
    dc->CopyBmp(71, 35, arrow->GetWidth(), arrow->GetHeight(), arrow, 0, 0);
}

void CombiMultiMasterFXLayer::OnRemoteSynthCurSoundChanged(Oskend::IRemoteSynth* synth,
                                                           const Oskend::SSoundIndex& index) {
  for (int i = 0; i < 3; ++i) OnEffectTypeChanged(i, GetParamValue(GetTargetMode(), GetParamId(i)));
  RequestRedraw();
  XERemoteSynthEventHandler::OnRemoteSynthCurSoundChanged(synth, index);
}

void CombiMultiMasterFXLayer::OnSectionParamChanged(Oskend::ISection* section, int pid) {
  if (section) {
    if (pid == GetParamId(0)) {
      OnEffectTypeChanged(0, section->GetParamI_AvoidToCallISectionsPrepareParamDesc(pid));
      OnEffectTypeChanged(1, section->GetParamI_AvoidToCallISectionsPrepareParamDesc(GetParamId(1)));
      RequestRedraw();
    } else if (pid == GetParamId(1)) {
      OnEffectTypeChanged(1, section->GetParamI_AvoidToCallISectionsPrepareParamDesc(pid));
    } else if (pid == GetParamId(2)) {
      OnEffectTypeChanged(2, section->GetParamI_AvoidToCallISectionsPrepareParamDesc(pid));
    } else if (pid == GetParamId(9) || pid == GetParamId(10)) {
      RequestRedraw();
    }
  }
  XERemoteSynthEventHandler::OnSectionParamChanged(section, pid);
}
