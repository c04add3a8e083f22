#pragma once
// A mixer sub-page of the AMS page: names the mixer type in each mixer's
// heading and shows the "Gate Control" heading only for the gate type.
#include <string>

#include "editor/shell/CTabPageLayer.h"

class CProgAMSMixerTabPageLayer : public CTabPageLayer {
 public:
  CProgAMSMixerTabPageLayer(Oskend::IRemoteSynth* synth, const std::string& name) : CTabPageLayer(synth, name) {}

  // The display name of a mixer type 0..6, "" for others.
  static const char* MixerTypeName(int type);

  // n = (type parameter >> 8) + 31.
  void UpdateAMSMixerType(int n, int type);
  void UpdateAMSMixerTypeAll();
  void OnIdleSectionReinitialized(Oskend::ISection* section) override;
  void OnIdleSectionParamChanged(Oskend::ISection* section, int pid) override;
};
