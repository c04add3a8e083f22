#pragma once
// The insert-effect page of a performance: a routing picture of the
// timbres and the five insert effects, a row per effect with its switch and
// type, and a sub-level strip with the timbres' send levels, the effects'
// outputs and one parameter page per effect.
#include <list>

#include "editor/pages/combi_global/CombiMultiLayerBase.h"

class EffectEditLayer;

class CombiMultiInsertFXLayerBase : public CombiMultiLayerBase {
 public:
  static constexpr int kSlots = 5;
  static constexpr int kEffectType = 0x1200;
  static constexpr int kEffectOnOff = 0x1205;
  static constexpr int kEffectLabel = 0xCC05;

  CombiMultiInsertFXLayerBase(Oskend::IRemoteSynth* synth, eMode mode, bool groups);

  bool OnCreate() override;
  void OnActivate() override {}
  void OnDeactivate() override {}
  void OnHfcCtrlIntValueChanged(CHfcControl* control, int value) override;
  void OnSectionParamChanged(Oskend::ISection* section, int pid) override;
  void OnRemoteSynthCurSoundChanged(Oskend::IRemoteSynth* synth,
                                    const Oskend::SSoundIndex& index) override;
  void OnSectionReinitialized(Oskend::ISection* section) override;
  virtual int GetParamId(int which) = 0;
  int GetBaseId(int timbre) override = 0;

  EffectEditLayer* GetEffectPage(int slot) const { return m_effectPages[slot]; }
  int GetRoutingGraphId() const;

 protected:
  void CreateSetupControls();
  using EditTabPageLayerBase::CreateSublevelTab;
  void CreateSublevelTab();

 private:
  EffectEditLayer* m_effectPages[kSlots] = {};
};

class CombiInsertFXLayer : public CombiMultiInsertFXLayerBase {
 public:
  explicit CombiInsertFXLayer(Oskend::IRemoteSynth* synth);
  void GetMenuItemInfoList(std::list<MenuItemInfo>& list) override;
  int GetParamId(int which) override;
  int GetBaseId(int timbre) override { return (timbre << 8) + 0x200; }
};

class MultiInsertFXLayer : public CombiMultiInsertFXLayerBase {
 public:
  explicit MultiInsertFXLayer(Oskend::IRemoteSynth* synth);
  void GetMenuItemInfoList(std::list<MenuItemInfo>& list) override;
  int GetParamId(int) override { return -1; }
  int GetBaseId(int) override { return -1; }
};
