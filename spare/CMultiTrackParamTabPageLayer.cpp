#include "spare/CMultiTrackParamTabPageLayer.h"

CMultiTrackParamTabPageLayer::CMultiTrackParamTabPageLayer(Oskend::IRemoteSynth* synth,
                                                           const std::string& name)
    : CTabPageLayer(synth, name) {}

void CMultiTrackParamTabPageLayer::OnIdleRemoteSynthSeqStateChanged(Oskend::IRemoteSynth*, bool) {
  Show(true);
}
