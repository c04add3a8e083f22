#include "editor/pages/combi_global/CCombiPlayTabPageLayer.h"

#include "editor/controls/CTabControl.h"

CCombiPlayTabPageLayer::CCombiPlayTabPageLayer(Oskend::IRemoteSynth* synth, CTabControl* strip,
                                               const std::string& name)
    : CTabPageLayer(synth, name), m_pStrip(strip) {}

void CCombiPlayTabPageLayer::OnRemoteSynthBankListChanged(Oskend::IRemoteSynth* synth, eMode mode,
                                                          const Oskend::SSoundIndex& index) {
  if (m_pStrip && m_pStrip->GetActivePage() == this) Show(false);
  XERemoteSynthEventHandler::OnRemoteSynthBankListChanged(synth, mode, index);
}
