#include "editor/pages/program/ProgInsertFXLayer.h"

#include "editor/controls/CTabControl.h"
#include "editor/pages/program/EffectEditLayer.h"
#include "editor/pages/program/PageBuilder.h"
#include "hfc/CHfcControl.h"
#include "model/ISection.h"
#include "remote/IRemoteSynth.h"

bool ProgInsertFXLayer::OnCreate() {
  CreateIFXControls();
  if (CreateSublevelTab("Tab_Low_ProgInsertFX", 130, 76)) {
    m_pEffectPage = new EffectEditLayer(m_pRemoteSynth, eMode_ProgEdit, 0);
    if (m_pEffectPage->Create(GetParentWindow())) {
      m_pEffectPage->OnEffectTypeChanged(GetParamValue(eMode_ProgEdit, 0x200));
      m_pSublevelTab->AddTabPageLayer(GetParentWindow(), m_pEffectPage);
      m_pEffectPage->OnEffectTypeChanged(-1);
    } else {
      delete m_pEffectPage;
      m_pEffectPage = nullptr;
    }
  }
  return CTabPageLayer::OnCreate();
}

void ProgInsertFXLayer::CreateIFXControls() {
  PageBuilder b(this, eMode_ProgEdit);
  auto& f = b.Creater();
  b.Box("Container_Horizontal_1", 9, 5);
  b.PutControl(f.CreateLabel(5, 5, "IFX Routing", 100, 13, 1, 0, 1, -1), -1, true);
  b.Box("Container_Base", 9, 25, PageBuilder::SkinWidth("Container_Base"), 101);
  b.Box("Container_InsertFX_Routing", 29, 17);
  b.Box("Container_FxSel", 156, 57, 200, 17);
  m_pNoEffect = b.Put(f.CreateStaticBmp(-22, -9, 0, 0, "Container_NoFxSel", -1), -1, false);
  if (m_pNoEffect) m_pNoEffect->Hide(false);
  m_pEffectLabel = b.Label(6, 3, "IFX", 70, 13, 2, 0x205 + 0xBA00);
  b.Put(f.CreateSwitch(36, 2, "Switch_CheckBox", 2, 0x205, 0), 0x205);
  b.Put(f.CreateSoundSelector(51, 2, 1, 6, 0x200, 0), 0x200);
  for (int i = 0; i < 2; ++i) {
    b.Box("Container_FxKnob", 427 + 51 * i, 74);
    const int w = PageBuilder::SkinWidth("Container_FxKnob");
    b.Label(0, 2, "Send " + std::to_string(i + 1), w, 13, 2, -1, 1);
    b.Put(f.CreateKnob((w - 36) / 2, 13, 0, 127, 0, false, 2, 0x214 + 5 * i, false), 0x214 + 5 * i);
  }
}

void ProgInsertFXLayer::UpdateIfxControl() {
  const bool available = !m_pRemoteSynth || m_pRemoteSynth->GetActiveTrack() % 6 != 3;
  for (CHfcControl* c : {GetControlById(0x200), GetControlById(0x205), m_pEffectLabel,
                         static_cast<CHfcControl*>(m_pSublevelTab)}) {
    if (!c) continue;
    if (available)
      c->Show(true);
    else
      c->Hide(true);
  }
  if (m_pNoEffect) {
    if (available)
      m_pNoEffect->Hide(true);
    else
      m_pNoEffect->Show(true);
  }
}

bool ProgInsertFXLayer::Show(bool redraw) {
  const bool shown = CTabPageLayer::Show(redraw);
  UpdateIfxControl();
  return shown;
}

void ProgInsertFXLayer::OnIdleSectionReinitialized(Oskend::ISection* section) {
  XESynthLayer::OnIdleSectionReinitialized(section);
  UpdateIfxControl();
}

void ProgInsertFXLayer::OnSectionParamChanged(Oskend::ISection* section, int pid) {
  if (pid == 0x200 && m_pEffectPage && section) {
    m_pEffectPage->OnEffectTypeChanged(section->GetParamI_AvoidToCallISectionsPrepareParamDesc(0x200));
    RequestRedraw();
  }
  XERemoteSynthEventHandler::OnSectionParamChanged(section, pid);
}

void ProgInsertFXLayer::OnRemoteSynthCurSoundChanged(Oskend::IRemoteSynth* synth, const Oskend::SSoundIndex& index) {
  if (m_pEffectPage) m_pEffectPage->OnEffectTypeChanged(GetParamValue(eMode_ProgEdit, 0x200));
  XERemoteSynthEventHandler::OnRemoteSynthCurSoundChanged(synth, index);
}

void ProgInsertFXLayer::GetMenuItemInfoList(std::list<MenuItemInfo>& out) {
  using M = MenuItemInfo;
  for (const M* m : {&M::kMenuItemInfo_WriteProgram, &M::kMenuItemInfo_CopyInsertEffect, &M::kMenuItemInfo_Separator})
    out.push_back(*m);
  AppendFileAndTransferItems(out, eMode_ProgEdit);
}
