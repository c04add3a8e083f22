#pragma once
// Program tab 8, Master FX: the routing of the two master effects and the
// total effect with on/off, types, returns and the chain settings, above
// the parameter pages of master effect 1, master effect 2 and the total
// effect. Construction: ProgMasterFXLayer(synth).
#include <list>

#include "editor/shell/EditTabPageLayerBase.h"

class EffectEditLayer;

class ProgMasterFXLayer : public EditTabPageLayerBase {
 public:
  explicit ProgMasterFXLayer(Oskend::IRemoteSynth* synth) : EditTabPageLayerBase(synth, eMode_ProgEdit) {}

  bool OnCreate() override;
  void OnPostDrawBackground(CHfcOffscreenContext* context) override;
  void OnHfcCtrlIntValueChanged(CHfcControl* control, int value) override;
  void OnSectionParamChanged(Oskend::ISection* section, int pid) override;
  void OnRemoteSynthCurSoundChanged(Oskend::IRemoteSynth* synth, const Oskend::SSoundIndex& index) override;
  void GetMenuItemInfoList(std::list<MenuItemInfo>& out) override;

  // 0 master effect 1, 1 master effect 2, 2 total effect.
  EffectEditLayer* GetEffectPage(int i) const { return m_pages[i]; }

 private:
  EffectEditLayer* m_pages[3] = {nullptr, nullptr, nullptr};
};
