#pragma once
// Program tab 7, Insert FX: the insert effect in its routing (on/off,
// type, the two sends) above the parameter page of insert effect 1.
// Construction: ProgInsertFXLayer(synth).
#include <list>

#include "editor/shell/EditTabPageLayerBase.h"

class EffectEditLayer;

class ProgInsertFXLayer : public EditTabPageLayerBase {
 public:
  explicit ProgInsertFXLayer(Oskend::IRemoteSynth* synth) : EditTabPageLayerBase(synth, eMode_ProgEdit) {}

  bool OnCreate() override;
  bool Show(bool redraw) override;
  void OnPostDrawBackground(CHfcOffscreenContext*) override {}
  void OnIdleSectionReinitialized(Oskend::ISection* section) override;
  void OnSectionParamChanged(Oskend::ISection* section, int pid) override;
  void OnRemoteSynthCurSoundChanged(Oskend::IRemoteSynth* synth, const Oskend::SSoundIndex& index) override;
  void GetMenuItemInfoList(std::list<MenuItemInfo>& out) override;

  void UpdateIfxControl();
  EffectEditLayer* GetEffectPage() const { return m_pEffectPage; }
  // The picture that stands in for the effect box on a timbre without
  // insert effect.
  CHfcControl* GetNoEffectPlate() const { return m_pNoEffect; }

 private:
  void CreateIFXControls();

  EffectEditLayer* m_pEffectPage = nullptr;
  CHfcControl* m_pEffectLabel = nullptr;
  CHfcControl* m_pNoEffect = nullptr;
};
