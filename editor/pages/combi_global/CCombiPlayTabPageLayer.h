#pragma once
// One of the two timbre tabs of the performance play page, built from its
// form; it knows the strip that holds it.
#include <string>

#include "editor/shell/CTabPageLayer.h"

class CCombiPlayTabPageLayer : public CTabPageLayer {
 public:
  CCombiPlayTabPageLayer(Oskend::IRemoteSynth* synth, CTabControl* strip, const std::string& name);
  // The tab on show redraws itself with the new bank names at once.
  void OnRemoteSynthBankListChanged(Oskend::IRemoteSynth* synth, eMode mode,
                                    const Oskend::SSoundIndex& index) override;

 private:
  CTabControl* m_pStrip;
};
