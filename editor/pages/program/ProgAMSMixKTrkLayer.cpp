#include "editor/pages/program/ProgAMSMixKTrkLayer.h"

#include <string>

#include "editor/controls/CTabControl.h"
#include "editor/controls/UIFormManager.h"
#include "editor/controls/UI_FORMINFO.h"
#include "editor/pages/program/CProgAMSMixerTabPageLayer.h"
#include "editor/pages/program/PageBuilder.h"
#include "hfc/CHfcControl.h"

namespace {

// The type picture of a mixer type parameter, 0 for other ids.
int PictureOf(int pid) {
  switch (pid) {
    case 0x1D00: return 0x10840;
    case 0x1E00: return 0x10841;
    case 0x2D00: return 0x10842;
    case 0x2E00: return 0x10843;
    default: return 0;
  }
}

}  // namespace

bool ProgAMSMixKTrkLayer::OnCreate() {
  PageBuilder b(this, GetTargetMode());
  const int w = PageBuilder::SkinWidth("Container_Horizontal_1");
  const int h = PageBuilder::SkinHeight("Container_Horizontal_1");
  static const int kTypes[2][2] = {{0x1D00, 0x1E00}, {0x2D00, 0x2E00}};
  for (int i = 0; i < 2; ++i) {
    const int tx = (w / 2 + 1) * i + 9;
    b.Box("Container_Horizontal_1", tx, 5, w / 2 + i - 2, h);
    b.Label(5, 5, "OSC" + std::to_string(i + 1), 80, 13, 1);
    const int half = (w / 2 + i - 1) / 2;
    for (int m = 0; m < 2; ++m) {
      b.Box("Container_Base", tx + half * m, 25, half + (m & i) - 1, 101);
      b.Label(10, 4, m == 0 ? "AMS Mixer1" : "AMS Mixer2", 65, 13, 2);
      b.Label(10, 22, "Mixer Type", 65, 13, 0);
      b.Put(b.Creater().CreateDropdownList(75, 22, 4, kTypes[i][m]), kTypes[i][m]);
      b.Put(b.Creater().CreateSwitch(28, 50, "Image_AMSMixerType", 7, PictureOf(kTypes[i][m]), 0), -1, false);
    }
  }
  if (CreateSublevelTab("Tab_Low_Prog_AMS", 130, 76)) {
    UIFormManager* manager = UIFormManager::GetInstance();
    for (int id : {1059, 1060, 1061}) {
      const UI_FORMINFO* form = manager ? manager->GetLayerFormInfoById(id) : nullptr;
      if (!form) continue;
      CTabPageLayer* sub = id == 1061 ? new CTabPageLayer(m_pRemoteSynth, "")
                                      : new CProgAMSMixerTabPageLayer(m_pRemoteSynth, "");
      sub->SetTargetMode(GetTargetMode());
      if (!sub->Create(*form, GetParentWindow(), "Background_SubTab_Wide")) {
        delete sub;
        continue;
      }
      m_pSublevelTab->AddTabPageLayer(GetParentWindow(), sub);
      // The form shows every mixer's "Gate Control" heading and no type
      // name; the present types decide from the start.
      if (auto* mixers = dynamic_cast<CProgAMSMixerTabPageLayer*>(sub)) mixers->UpdateAMSMixerTypeAll();
    }
  }
  UpdateControlStatus();
  return ProgEditLayer::OnCreate();
}

void ProgAMSMixKTrkLayer::UpdateMixerType(int pid) {
  const int picture = PictureOf(pid);
  if (!picture) return;
  if (CHfcControl* c = GetControlById(picture)) c->SetIntValue(GetParamValue(GetTargetMode(), pid), true);
}

void ProgAMSMixKTrkLayer::OnHfcCtrlIntValueChanged(CHfcControl* control, int value) {
  XESynthLayer::OnHfcCtrlIntValueChanged(control, value);
  UpdateMixerType(control->GetId());
}

void ProgAMSMixKTrkLayer::UpdateControlStatus() {
  EnableForSecondOscillator({0x10842, 0x10843});
  for (int pid : {0x1D00, 0x1E00, 0x2D00, 0x2E00}) UpdateMixerType(pid);
}

void ProgAMSMixKTrkLayer::UpdateControlsFor(int pid) {
  if (pid == -1) {
    for (int p : {0x1D00, 0x1E00, 0x2D00, 0x2E00}) UpdateMixerType(p);
    return;
  }
  UpdateMixerType(pid);
}

void ProgAMSMixKTrkLayer::OnSectionParamChangedModel(int pid) {
  if ((pid & 0xCFFF) == 0x0F00 || (pid & 0xCFFF) == 0x0F01 || (pid & 0xCFFF) == 0x0F02)
    ApplyKeyValueChange(pid, GetParamValue(GetTargetMode(), pid));
}
