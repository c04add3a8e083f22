#pragma once
// The send-level tab of the insert-effect page, built from its form. It
// keeps the first entry of each timbre's bus-select list enabled only while
// that timbre plays a program of the kind the buses serve.
#include <string>

#include "editor/shell/CTabPageLayer.h"

class CCombiTrackRoutingPageLayer : public CTabPageLayer {
 public:
  static constexpr int kTimbreCount = 16;

  CCombiTrackRoutingPageLayer(Oskend::IRemoteSynth* synth, const std::string& name);

  bool OnCreate() override;
  void OnRefresh() override;
  void OnIdleRemoteSynthBankListChanged(Oskend::IRemoteSynth* synth, eMode mode,
                                        const Oskend::SSoundIndex& sound) override;
  void OnIdleRemoteSynthAuditionStateChanged(Oskend::IRemoteSynth* synth, bool on) override;
  void OnIdleSectionReinitialized(Oskend::ISection* section) override;
  void OnIdleSectionParamChanged(Oskend::ISection* section, int pid) override;
  void OnIdleRemoteSynthCurSoundChanged(Oskend::IRemoteSynth* synth,
                                        const Oskend::SSoundIndex& sound) override;
  void OnIdleRemoteSynthProgOSCModeChanged(Oskend::IRemoteSynth* synth, int mode) override;

  // Hands each timbre's bus list its flag (lists that have an enable list
  // keep theirs), then updates the flags.
  void InitBusSelectDropdownList();
  // Flag t: timbre t plays a program of mode 2, or its program number
  // names none.
  void UpdateBusSelectDropdownList();
  bool IsBusEnabled(int timbre) const { return m_bBusEnabled[timbre]; }

 private:
  bool m_bBusEnabled[kTimbreCount];
};
