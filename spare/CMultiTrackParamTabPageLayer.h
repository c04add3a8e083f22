#pragma once
// A form-built tab page for the track parameters of a multi that brings
// itself up to date whenever the sequencer starts or stops.
#include <string>

#include "editor/shell/CTabPageLayer.h"

class CMultiTrackParamTabPageLayer : public CTabPageLayer {
 public:
  CMultiTrackParamTabPageLayer(Oskend::IRemoteSynth* synth, const std::string& name);

  void OnIdleRemoteSynthSeqStateChanged(Oskend::IRemoteSynth* synth, bool running) override;
};
