#pragma once
// The master-effect page of a performance: the two master effects and the
// EQ with their switches, type selectors and levels, the chain between the
// two effects and the routing picture. The subclass of a mode gives the
// parameter ids by kind.
#include "editor/shell/EditTabPageLayerBase.h"

class EffectEditLayer;

class CombiMultiMasterFXLayer : public EditTabPageLayerBase {
 public:
  CombiMultiMasterFXLayer(Oskend::IRemoteSynth* synth, eMode mode);

  bool OnCreate() override;
  bool OnHfcCtrlMouseLButtonDown(CHfcControl* control, int x, int y, int mods) override;
  void OnPostDrawBackground(CHfcOffscreenContext* dc) override;
  void OnRemoteSynthCurSoundChanged(Oskend::IRemoteSynth* synth,
                                    const Oskend::SSoundIndex& index) override;
  void OnSectionParamChanged(Oskend::ISection* section, int pid) override;
  // Kinds: 0..2 MFX1, MFX2, EQ type; 3..5 their on/off; 6..8 return 1,
  // return 2, master level; 9 chain; 11, 12 control ids of the MFX2 and
  // "Return 2" labels.
  virtual int GetParamId(int kind) = 0;

  using EditTabPageLayerBase::CreateSublevelTab;
  virtual bool CreateSublevelTab();
  // The effect parameter sub-pages: MFX1, MFX2, EQ (owned by the strip).
  EffectEditLayer* GetEffectPage(int i) const { return i >= 0 && i < 3 ? m_effectPages[i] : nullptr; }

 private:
  void OnEffectTypeChanged(int page, int type);

  EffectEditLayer* m_effectPages[3] = {};
};
