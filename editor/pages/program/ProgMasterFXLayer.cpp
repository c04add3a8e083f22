#include "editor/pages/program/ProgMasterFXLayer.h"

#include "editor/controls/CTabControl.h"
#include "editor/pages/program/EffectEditLayer.h"
#include "editor/pages/program/PageBuilder.h"
#include "hfc/CHfcBmp.h"
#include "hfc/CHfcControl.h"
#include "hfc/CHfcOffscreenContext.h"
#include "model/ISection.h"

bool ProgMasterFXLayer::OnCreate() {
  PageBuilder b(this, eMode_ProgEdit);
  auto& f = b.Creater();
  const int w = PageBuilder::SkinWidth("Container_Horizontal_1");
  const int h = PageBuilder::SkinHeight("Container_Horizontal_1");
  const int bw = PageBuilder::SkinWidth("Container_Base");
  b.Box("Container_Horizontal_1", 9, 5, (w * 3) / 4 + 12, h);
  b.PutControl(f.CreateLabel(5, 5, "MFX & EQ Routing", 150, 13, 1, 0, 1, -1), -1, true);
  b.Box("Container_Base", 9, 25, (bw * 3) / 4 + 12, 101);
  b.Box("Container_ProgMasterFX_Routing", 49, 17);
  for (int i = 0; i < 2; ++i) {
    b.Box("Container_FxSel", 102, 28 + 29 * i, 200, 17);
    b.Label(5, 3, i == 0 ? "MFX1" : "MFX2", 70, 13, 2, i == 0 ? -1 : 0xC203);
    b.Put(f.CreateSwitch(36, 2, "Switch_CheckBox", 2, 0x802 + i, 0), 0x802 + i);
    b.Put(f.CreateSoundSelector(51, 2, 1, 6, 0x800 + i, 0), 0x800 + i);
  }
  b.Box("Container_FxSelEQ", 447, 56, 200, 17);
  b.Label(17, 3, "EQ", 70, 13, 2);
  for (int i = 0; i < 2; ++i) {
    b.Box("Container_FxKnob", 323 + 51 * i, 74);
    const int kw = PageBuilder::SkinWidth("Container_FxKnob");
    b.Label(0, 2, i == 0 ? "Return 1" : "Return 2", kw, 13, 2, i == 0 ? -1 : 0xC205, 1);
    b.Put(f.CreateKnob((kw - 36) / 2, 13, 0, 127, 0, false, 2, 0x804 + i, false), 0x804 + i);
  }
  b.Box("Container_Horizontal_1", (w * 3) / 4 + 24, 5, w / 4 - 14, h);
  b.Label(5, 5, "Master FX Chain", 100, 13, 1);
  b.Box("Container_Base", (w * 3) / 4 + 24, 25, w / 4 - 14, 101);
  b.Put(f.CreateSwitch(10, 8, "Switch_CheckBox", 2, 0x806, 0), 0x806);
  b.Label(30, 10, "Chain", 100, 13, 0);
  b.Label(10, 28, "Chain Level", 70, 13, 0);
  b.Put(f.CreateHorizontalValueBar(80, 26, 0, 100, 0, 0x808, false), 0x808);

  if (CreateSublevelTab("Tab_Low_MasterFX", 130, 76)) {
    const int slots[3] = {5, 6, 7};
    const int types[3] = {0x800, 0x801, 0xB00};
    for (int i = 0; i < 3; ++i) {
      auto* page = new EffectEditLayer(m_pRemoteSynth, eMode_ProgEdit, slots[i]);
      if (!page->Create(GetParentWindow())) {
        delete page;
        continue;
      }
      m_pages[i] = page;
      page->OnEffectTypeChanged(GetParamValue(eMode_ProgEdit, types[i]));
      m_pSublevelTab->AddTabPageLayer(GetParentWindow(), page);
    }
  }
  return CTabPageLayer::OnCreate();
}

void ProgMasterFXLayer::OnPostDrawBackground(CHfcOffscreenContext* context) {
  if (!context || GetParamValue(eMode_ProgEdit, 0x806) == 0) return;
  CHfcBmp* chain = PageBuilder::Skin("Image_MFX_Routing_MFX1ToMFX2");
  if (chain) context->CopyBmp(91, 35, chain->GetWidth(), chain->GetHeight(), chain, 0, 0);
}

void ProgMasterFXLayer::OnHfcCtrlIntValueChanged(CHfcControl* control, int value) {
  const int id = control->GetId();
  if (id >= 0x10000 && id <= 0x10004 && m_pSublevelTab) m_pSublevelTab->SetActivePageByIndex(id & 15, true);
  XESynthLayer::OnHfcCtrlIntValueChanged(control, value);
}

void ProgMasterFXLayer::OnSectionParamChanged(Oskend::ISection* section, int pid) {
  if (section) {
    auto type = [&](int id) { return section->GetParamI_AvoidToCallISectionsPrepareParamDesc(id); };
    if (pid == 0x800) {
      // Master effect 2's slot depends on master effect 1's type.
      if (m_pages[0]) m_pages[0]->OnEffectTypeChanged(type(0x800));
      if (m_pages[1]) m_pages[1]->OnEffectTypeChanged(type(0x801));
      RequestRedraw();
    } else if (pid == 0x801) {
      if (m_pages[1]) m_pages[1]->OnEffectTypeChanged(type(0x801));
    } else if (pid == 0xB00) {
      if (m_pages[2]) m_pages[2]->OnEffectTypeChanged(type(0xB00));
    } else if (pid == 0x806) {
      RequestRedraw();
    }
  }
  XERemoteSynthEventHandler::OnSectionParamChanged(section, pid);
}

void ProgMasterFXLayer::OnRemoteSynthCurSoundChanged(Oskend::IRemoteSynth* synth, const Oskend::SSoundIndex& index) {
  const int types[3] = {0x800, 0x801, 0xB00};
  for (int i = 0; i < 3; ++i)
    if (m_pages[i]) m_pages[i]->OnEffectTypeChanged(GetParamValue(eMode_ProgEdit, types[i]));
  RequestRedraw();
  XERemoteSynthEventHandler::OnRemoteSynthCurSoundChanged(synth, index);
}

void ProgMasterFXLayer::GetMenuItemInfoList(std::list<MenuItemInfo>& out) {
  using M = MenuItemInfo;
  for (const M* m : {&M::kMenuItemInfo_WriteProgram, &M::kMenuItemInfo_CopyMFXTFX, &M::kMenuItemInfo_Separator})
    out.push_back(*m);
  AppendFileAndTransferItems(out, eMode_ProgEdit);
}
